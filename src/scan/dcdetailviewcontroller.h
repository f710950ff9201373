#pragma once

#include "dcdetailparentcelltableviewcell.h"
#include "itemdetailcell.h"
#include "rows.h"
#include "tableviewcontroller.h"

#include <optional>
#include <QList>
#include <QString>

class securityLogDetailView;
class qrCodeReaderViewController;

// One delivery challan: its header card and one row per item line with the quantity passed,
// what has come back and the quantity that goes through the gate now. Opened from a scan
// strip (the choice goes back to the scan), from a log section (the choice becomes the
// section's entry) and from the DC list.
class DCDetailViewController : public TableViewController {
    Q_OBJECT
public:
    explicit DCDetailViewController(QObject *parent = nullptr);

    enum Section { HeaderSection = 0, ItemsSection = 1 };
    int numberOfSections() const override { return 2; }
    int numberOfRows(int section) const override;
    qreal heightForRow(int section, int row) const override;
    QVariantMap cellForRow(int section, int row) override;
    QList<SwipeAction> trailingSwipeActions(int section, int row) override;
    void didSelectRow(int section, int row) override;

    void btnDCScanDone();
    void DCViewCancel();
    // A tap on a returning line: its quantity becomes what is still out.
    void SecurityInEnterQuantity(int row);
    // "Undo" on a pending DC's line: back to its full quantity.
    void undo(int row);
    // The item rows from DATA, by the mode and the earlier choice.
    void buildItemRows();
    // Under the items: who approved or rejected the DC.
    QString footerText() const;
    bool openedFromStrip() const;

    QString viewType;
    std::optional<int> DCId;
    QString AccessFrom;
    std::optional<int> indexSecDetailView;
    QString PeforeScreen;
    Rows DATA;
    std::optional<QVariantMap> DCdata;
    QList<ItemRow> itemsCells;
    DCDetailParentCellTableViewCell *headercell;
    QString approvedBy;
    // "Yes": an outside DC coming back, the returned quantities are entered; "Report": read
    // only; empty: an ordinary DC.
    QString IsOutSideDCReturn;
    QList<ItemRow> OutSideDCInsertedItems;

protected:
    void viewDidLoad() override;

private:
    void doneForStrip();
    void doneForSection();
    qrCodeReaderViewController *scannerBelow() const;
    // The rows whose tap fills the quantity, by position in itemsCells.
    QList<bool> m_fillsOnTap;
};
