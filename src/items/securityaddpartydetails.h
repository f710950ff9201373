#pragma once

#include "combobox.h"
#include "formcells.h"
#include "itemdetailcell.h"
#include "tableviewcontroller.h"

#include <optional>
#include <QList>
#include <QMap>
#include <QString>

// A free party/bill entry of the log's IN or OUT section: party, bill number and date, city
// and the items with their quantities. Save puts the entry into the log form; nothing is sent
// to the server until the log is saved.
class securityAddPartyDetails : public TableViewController, public comboBoxDelegate {
    Q_OBJECT
public:
    explicit securityAddPartyDetails(QObject *parent = nullptr);

    enum Section { PartySection = 0, ItemsSection = 1 };
    int numberOfSections() const override { return 2; }
    int numberOfRows(int section) const override;
    qreal heightForRow(int section, int row) const override;
    QString titleForHeader(int section) const override;
    QVariantMap cellForRow(int section, int row) override;
    QList<SwipeAction> trailingSwipeActions(int section, int row) override;
    void didSelectRow(int section, int row) override;

    void box(comboBox *box, const QString &text, const QString &element,
             const QList<QMap<QString, QString>> &data, const QVariantList &cells) override;
    void box(comboBox *box, const QString &element, int row, const QMap<QString, QString> &data,
             QVariantMap &cell) override;

    // Done: the checks, the warnings, then Save.
    void Validation();
    void Save();
    void Cancel();
    bool isEditable() const { return IsUpdateable != QLatin1String("No"); }

    labelCell *cellParty;
    // The party id mark of the Party row: absent for a typed party, "" for a party the list
    // gave without an id.
    std::optional<QString> partyIdMark;
    textFieldCell *cellBillNo;
    labelCell *cellBillDate;
    labelCell *cellCity;
    labelCell *cellAddParticulars;
    QMap<QString, QString> sel_PartyDetails;
    QList<ItemRow> cellItems;
    QString FindInOrOutSection;
    int InsertIndex = -1;
    QString IsUpdateable = QStringLiteral("No");
    QString IsCallFromStorePO = QStringLiteral("No");
    bool IsOutSideDCReturn = false;

protected:
    void viewDidLoad() override;

private:
    void openListPicker(int row);
    void openDatePicker();
    void openParticulars();
    void removeItem(const ItemRow &item);
};
