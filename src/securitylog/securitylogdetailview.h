#pragma once

#include "combobox.h"
#include "fetchdata.h"
#include "formcells.h"
#include "persondetailsview.h"
#include "sectionentry.h"
#include "tableviewcontroller.h"

#include <memory>
#include <QImage>
#include <QList>
#include <QStringList>
#include <QUuid>

class AlertController;
class DCDetailViewController;

// The log form: who came, by which vehicle, whom they meet, why, through which gate, IN or
// OUT, and the documents carried in each direction. One form serves a new log, an existing
// log to edit and a closed log to read.
class securityLogDetailView : public TableViewController, public comboBoxDelegate {
    Q_OBJECT
    Q_PROPERTY(PersonDetailsView *personView READ personView CONSTANT)
    Q_PROPERTY(bool saving READ isSaving NOTIFY savingChanged)
public:
    explicit securityLogDetailView(QObject *parent = nullptr);
    ~securityLogDetailView() override;

    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/securitylog/SecurityLogDetailPage.qml");
    }

    // The table: the IN/OUT switch, the entry details, the IN documents, the OUT documents.
    enum Section { LogSection = 0, EntrySection = 1, INSection = 2, OUTSection = 3 };
    int numberOfSections() const override { return 4; }
    int numberOfRows(int section) const override;
    qreal heightForRow(int section, int row) const override;
    QString titleForHeader(int section) const override;
    QVariantMap cellForRow(int section, int row) override;
    QList<SwipeAction> trailingSwipeActions(int section, int row) override;
    void didSelectRow(int section, int row) override;

    // The pickers report here.
    void box(comboBox *box, const QString &text, const QString &element,
             const QList<QMap<QString, QString>> &data, const QVariantList &cells) override;
    void box(comboBox *box, const QString &element, int row, const QMap<QString, QString> &data,
             QVariantMap &cell) override;

    // A tile of a document row: a double tap deletes the item, a single one opens its DC.
    Q_INVOKABLE void itemDoubleTapped(int section, int row, int item);
    Q_INVOKABLE void itemTapped(int section, int row, int item);
    // A double tap on the person block opens the person screen.
    Q_INVOKABLE void ViewAddNewPerson();

    void CancelSecurityLogView();
    void SaveSecurityLog();
    // Save, and with `print` open the report of the saved log.
    void save(bool print);
    bool isSaving() const { return m_saving; }

    // The list of a section (2 IN, 3 OUT); the other sections have none.
    QList<SectionEntry> *sectionList(int section);
    static QString sectionName(int section);
    // The entry of a document row, or null for the add row and other sections.
    const SectionEntry *entryAt(int section, int row) const;
    void deleteEntry(int section, int row);

    PersonDetailsView *header;
    labelCell *cellVehile;
    labelCell *cellMeetTo;
    labelCell *cellEntryType;
    textFieldCell *cellTockenNo;
    labelCell *cellPurpose;
    segmentCell *celllabelSegmentCell;
    labelCell *cellInGateName;
    labelCell *attachINDC;
    labelCell *attachOUTDC;
    QImage PersonImage;
    QList<SectionEntry> PartyINSectionCollView;
    QList<SectionEntry> PartyOUTSectionCollView;
    QString SecIOLog_id; // empty for a new log
    BarButtonItem *brbSave = nullptr;
    BarButtonItem *brbCancel = nullptr;
    QString IsUpdateable;
    QString IsOutSecUpdateable;

    PersonDetailsView *personView() const { return header; }
    // The Entry Type's selected id: the value label's, else the row's.
    QString entryTypeId() const;

Q_SIGNALS:
    void savingChanged();

protected:
    void viewDidLoad() override;

private:
    void loadLog();
    void applyDetailRows(const Rows &rows);
    void openPicker(int row);
    void openPartyDetails(int section, int row);
    void openStorePO(int section);
    // Shows `screen` as the root of a new themed stack over the form.
    void presentInStack(ViewController *screen);
    // A DC entry opens in the DC detail once the server has sent the DC's header.
    void openDCRow(int section, int row);
    DCDetailViewController *dcDetailFor(const QVariantMap &dc, int id, int section, int row,
                                        const QList<ItemRow> &entryItems);
    bool sectionEditable(int section) const;
    void setSaving(bool saving);
    void finishSave(const QString &id, bool print);

    // One save chain at a time: uploads, then the request, then the answer.
    class SaveJob;
    friend class SaveJob;
    std::unique_ptr<SaveJob> m_save;
    bool m_saving = false;
    std::shared_ptr<FetchTask> m_load;
    // Names this form's saves to the server (see SecurityLogSave::saveKey).
    const QUuid m_formId = QUuid::createUuid();
};
