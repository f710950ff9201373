#pragma once

#include "fetchdata.h"
#include "rows.h"
#include "tableviewcontroller.h"

#include <memory>
#include <QDate>
#include <QPointer>
#include <QSet>
#include <QStringList>

class comboBox;

// Hears what a picker chose. `data` holds the chosen rows as text; `cells` the cell contents
// of the chosen rows as they were drawn.
class comboBoxDelegate {
public:
    virtual ~comboBoxDelegate() = default;
    virtual void box(comboBox *box, const QString &text, const QString &element,
                     const QList<QMap<QString, QString>> &data, const QVariantList &cells) = 0;
    // Lets the caller style a row before it is drawn.
    virtual void box(comboBox *box, const QString &element, int row,
                     const QMap<QString, QString> &data, QVariantMap &cell) {
        Q_UNUSED(box);
        Q_UNUSED(element);
        Q_UNUSED(row);
        Q_UNUSED(data);
        Q_UNUSED(cell);
    }
};

// The framework's picker: a searchable list loaded from a server procedure, or a date picker.
// It reports the choice to its delegate and closes.
class comboBox : public TableViewController {
    Q_OBJECT
    Q_PROPERTY(QString searchText READ searchText WRITE setSearchText NOTIFY searchTextChanged)
    Q_PROPERTY(bool dateMode READ isDateMode CONSTANT)
    Q_PROPERTY(QDate initialDate READ initialDate CONSTANT)
    Q_PROPERTY(QDate minimumDate READ minimumDate CONSTANT)
    Q_PROPERTY(QDate maximumDate READ maximumDate CONSTANT)
    Q_PROPERTY(bool loading READ isLoading NOTIFY loadingChanged)
public:
    struct ListOptions {
        QString title;
        QString element;        // which field of the caller this picker fills
        QString url;            // nodedb2 + "/sp" when empty
        QVariantMap parameters; // "SPName" and "JSONData" (an object: sent as JSON text)
        QString loadtype;
        QString valueField;     // the column shown and returned as the chosen text
        QStringList dataFields; // columns shown under it
        QString imageField;     // a column holding an image path
        QString searchField;    // the column searched; valueField when empty
        bool allowMultiSelect = false;
        QString cellClass = QStringLiteral("PickerCell");
        QString reuseIdentifier = QStringLiteral("cell");
        QString style;
        bool returnCustomText = false; // the typed text may be chosen when nothing matches
    };
    struct DateOptions {
        QString title;
        QString element;
        QString datemode = QStringLiteral("date");
        int indateformat = 0;  // dateFormats case of initialdate
        int outdateformat = 0; // dateFormats case of the chosen text
        QString initialdate;
        QDate maxdate;
        QDate mindate;
        QString loadtype;
        QString valueField;
    };

    explicit comboBox(const ListOptions &options, QObject *parent = nullptr);
    explicit comboBox(const DateOptions &options, QObject *parent = nullptr);

    QString qmlView() const override;

    void setDelegate(comboBoxDelegate *delegate, QObject *owner);
    // Presents the picker in its own themed container over `vc`.
    bool show(ViewController *vc);

    int numberOfRows(int section) const override;
    qreal heightForRow(int section, int row) const override;
    QVariantMap cellForRow(int section, int row) override;
    void didSelectRow(int section, int row) override;

    QString searchText() const { return m_search; }
    void setSearchText(const QString &text);
    bool isDateMode() const { return m_dateMode; }
    QDate initialDate() const;
    QDate minimumDate() const { return m_date.mindate; }
    QDate maximumDate() const { return m_date.maxdate; }
    bool isLoading() const { return m_loading; }

    // Date mode: the guard picked a day.
    Q_INVOKABLE void chooseDate(const QDate &date);
    // "Done": reports the rows ticked (multi-select) or the typed text (custom text).
    void done();

    Rows allRows() const { return m_rows; }
    Rows shownRows() const { return m_shown; }
    const ListOptions &listOptions() const { return m_list; }

Q_SIGNALS:
    void searchTextChanged();
    void loadingChanged();

protected:
    void viewDidLoad() override;

private:
    void load();
    void filter();
    void report(const QString &text, const Rows &rows);
    bool offersCustomText() const;
    QString value(const Row &row) const;

    ListOptions m_list;
    DateOptions m_date;
    bool m_dateMode = false;
    comboBoxDelegate *m_delegate = nullptr;
    QPointer<QObject> m_delegateOwner;
    Rows m_rows;
    Rows m_shown;
    QSet<int> m_ticked; // indexes into m_rows
    QString m_search;
    bool m_loading = false;
    bool m_reported = false;
    std::shared_ptr<FetchTask> m_task;
};
