#include "dcdetailviewcontroller.h"

#include "access.h"
#include "common.h"
#include "commonclass.h"
#include "fetchdata.h"
#include "formcells.h"
#include "imageloading.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "qrcodereaderviewcontroller.h"
#include "sectionplacement.h"
#include "securitylogdetailview.h"

#include <cmath>
#include <QPointer>

namespace {
const QString kYes = QStringLiteral("Yes");
const QString kReport = QStringLiteral("Report");
const QString kPending = QStringLiteral("Sel_DCP");

std::optional<double> number(const Row &line, const char *key) {
    if (!line.contains(QLatin1String(key)))
        return std::nullopt;
    bool ok = false;
    const double value = RowsReader::text(line, QLatin1String(key)).trimmed().toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
}

std::optional<double> balanceOf(const Row &line) {
    const auto passed = number(line, "PassedQty");
    const auto returned = number(line, "ReturnQty");
    return passed && returned ? std::optional<double>(*passed - *returned) : std::nullopt;
}

// "T(10)      R(6.0)": passed, then what is still out.
QString passedAndBalance(const Row &line, double balance) {
    return QStringLiteral("T(") + RowsReader::text(line, QStringLiteral("PassedQty")) +
           QStringLiteral(")      R(") + itemDetailCell::decimalText(balance) + QLatin1Char(')');
}

double quantityValue(const ItemRow &row) {
    return itemDetailCell::decimalValue(row->quantity()).value_or(0);
}
} // namespace

DCDetailViewController::DCDetailViewController(QObject *parent)
    : TableViewController(false, parent), headercell(new DCDetailParentCellTableViewCell(this)) {}

bool DCDetailViewController::openedFromStrip() const {
    return AccessFrom == QLatin1String("DCScan") ||
           AccessFrom == QLatin1String("SecDetailView_DCScan");
}

void DCDetailViewController::viewDidLoad() {
    const auto &theme = CommonClass::shared();
    setTitle(QStringLiteral("DC Details"));
    setBackgroundColor(theme.viewBC);
    setBarTintColor(theme.rowSelColor);
    if (IsOutSideDCReturn != kReport)
        setRightBarButtonItem(BarButtonItem::system(
            QStringLiteral("done"), [this] { btnDCScanDone(); }, this));
    if (PeforeScreen != QLatin1String("DCApprovalView"))
        setLeftBarButtonItem(BarButtonItem::system(
            QStringLiteral("cancel"), [this] { DCViewCancel(); }, this));

    const QVariantMap parameters{
        {QStringLiteral("SPName"), QStringLiteral("Usp_CommonService")},
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("SP_Type"), QStringLiteral("Sel_DCD")},
                     {QStringLiteral("BranchCode"), master.BranchCode},
                     {QStringLiteral("ID"), DCId ? QString::number(*DCId) : QString()}}},
        {QStringLiteral("withStrings"), true}};
    fetchDATA::nodefetchD(
        parameters,
        [this](const QVariant &reply) {
            // Anything but a list of lines shows the header alone.
            DATA = RowsReader::listOfRows(reply).value_or(Rows());
            MainQueue::async(this, [this] {
                buildItemRows();
                reloadData();
            });
        },
        this);
}

// ---- the item rows

void DCDetailViewController::buildItemRows() {
    itemsCells.clear();
    m_fillsOnTap.clear();
    const bool returning = IsOutSideDCReturn == kYes;
    const bool report = IsOutSideDCReturn == kReport;
    const bool useEarlier =
        !OutSideDCInsertedItems.isEmpty() &&
        (AccessFrom == QLatin1String("IN") || AccessFrom == QLatin1String("DCScan"));
    for (const Row &line : std::as_const(DATA)) {
        auto text = [&line](const char *key) { return RowsReader::text(line, QLatin1String(key)); };
        ItemRow row = makeItemRow();
        row->titleText = text("ItemName");
        row->makeQuantityControls();
        row->quantityCaption = text("PassedQty");
        row->textField = text("PassedQty");
        row->MaxQty = number(line, "PassedQty").value_or(0);
        row->makeReadOnly = false;
        bool fillsOnTap = false;
        const auto balance = balanceOf(line);
        if (!useEarlier) {
            if (returning) {
                row->textField = QStringLiteral("0");
                if (balance) {
                    row->quantityCaption = passedAndBalance(line, *balance);
                    row->MaxQty = *balance;
                    if (*balance > 0)
                        row->makeReadOnly = fillsOnTap = true;
                    else
                        row->interactionEnabled = false;
                }
            }
        } else {
            ItemRow earlier;
            for (const ItemRow &chosen : std::as_const(OutSideDCInsertedItems))
                if (chosen->titleText == row->titleText) {
                    earlier = chosen;
                    break;
                }
            // Nothing left to come back: the line cannot be chosen again.
            if (earlier && balance && *balance == 0 && !report)
                earlier.reset();
            if (balance)
                row->quantityCaption = passedAndBalance(line, *balance);
            if (earlier) {
                row->savedDetailId = earlier->savedDetailId;
                if (balance)
                    row->MaxQty = *balance;
                row->MinQty = itemDetailCell::leadingNumber(earlier->quantity());
                row->textField = earlier->quantity();
                row->makeReadOnly = !report;
            } else {
                row->interactionEnabled = false;
                row->alpha = 0.2;
                row->textField = QStringLiteral("0");
            }
        }
        const bool single = number(line, "PassedQty").value_or(0) <= 1;
        row->Singular = text("SingularSymbol");
        row->Plural = text("PluralSymbol");
        row->unitText = single ? row->Singular : row->Plural;
        row->Unit_id = text("Unit_id");
        bool whole = false;
        const int places = text("NoOfDecimal").trimmed().toInt(&whole);
        if (whole && places >= 0 && places <= 6)
            row->decimals = places;
        row->DCDId = text("DCDet_id").toInt();
        row->ItemImagePath = text("ImagePath");
        row->imageUrl = KingfisherWrapper::convertToSource(row->ItemImagePath);
        row->buttonsHidden = !(returning && row->interactionEnabled);
        itemsCells.append(row);
        m_fillsOnTap.append(fillsOnTap);
    }
}

// ---- the table

int DCDetailViewController::numberOfRows(int section) const {
    if (section == HeaderSection)
        return 1;
    if (section == ItemsSection)
        // The footer is drawn as a last row; a pending DC has none.
        return int(itemsCells.size()) + (viewType == kPending ? 0 : 1);
    return 0;
}

qreal DCDetailViewController::heightForRow(int section, int row) const {
    if (section == HeaderSection)
        return DCDetailParentCellTableViewCell::rowHeight;
    return row < itemsCells.size() ? 130 : 30;
}

QString DCDetailViewController::footerText() const {
    if (viewType == QLatin1String("Sel_DCA") || viewType == QLatin1String("EDCA"))
        return QStringLiteral("Approved by ") + approvedBy;
    if (viewType == QLatin1String("Sel_DCR") || viewType == QLatin1String("EDCR"))
        return QStringLiteral("Rejected by ") + approvedBy;
    return QString();
}

QVariantMap DCDetailViewController::cellForRow(int section, int row) {
    const auto &theme = CommonClass::shared();
    if (section == HeaderSection) {
        QVariantMap cell = objectRow(QStringLiteral("DCDetailParentCellTableViewCell"), headercell);
        cell.insert(QStringLiteral("background"), theme.tableViewRowBC);
        return cell;
    }
    if (row >= 0 && row < itemsCells.size()) {
        QVariantMap cell = objectRow(QStringLiteral("itemDetailCell"), itemsCells.at(row).get());
        cell.insert(QStringLiteral("background"), theme.tableViewRowBC);
        return cell;
    }
    return {{QStringLiteral("cellClass"), QStringLiteral("DCDetailFooterCell")},
            {QStringLiteral("text"), footerText()},
            {QStringLiteral("textColor"), theme.textTintColor}};
}

QList<SwipeAction> DCDetailViewController::trailingSwipeActions(int section, int row) {
    if (section != ItemsSection || viewType != kPending || row < 0 || row >= itemsCells.size())
        return {};
    return {SwipeAction{QStringLiteral("Undo"), CommonClass::shared().rowSelColor,
                        [this, row](auto done) {
                            undo(row);
                            done(true);
                        }}};
}

void DCDetailViewController::didSelectRow(int section, int row) {
    if (section == ItemsSection && row >= 0 && row < m_fillsOnTap.size() && m_fillsOnTap.at(row))
        SecurityInEnterQuantity(row);
}

void DCDetailViewController::SecurityInEnterQuantity(int row) {
    if (row < 0 || row >= itemsCells.size() || row >= DATA.size())
        return;
    const Row &line = DATA.at(row);
    const auto passed = number(line, "PassedQty");
    if (!passed)
        return;
    const auto returned = number(line, "ReturnQty");
    itemsCells.at(row)->setQuantity(itemDetailCell::decimalText(*passed - returned.value_or(0)));
}

void DCDetailViewController::undo(int row) {
    if (row < 0 || row >= itemsCells.size())
        return;
    // Editing may begin afterwards only where the row allows it; the text is set either way.
    itemsCells.at(row)->setQuantity(itemDetailCell::decimalText(itemsCells.at(row)->MaxQty));
}

// ---- Done and Cancel

void DCDetailViewController::btnDCScanDone() {
    if (openedFromStrip())
        doneForStrip();
    else
        doneForSection();
}

qrCodeReaderViewController *DCDetailViewController::scannerBelow() const {
    NavigationController *stack = navigationController();
    if (!stack)
        return nullptr;
    const int index =
        int(stack->viewControllers().indexOf(const_cast<DCDetailViewController *>(this)));
    return index >= 1 ? stack->viewControllerAt<qrCodeReaderViewController>(index - 1) : nullptr;
}

void DCDetailViewController::doneForStrip() {
    qrCodeReaderViewController *scanner = scannerBelow();
    const QList<ItemRow> &strip = scanner ? scanner->scannedQRCode.DATA : QList<ItemRow>();
    if (!scanner || !indexSecDetailView || *indexSecDetailView < 0 ||
        *indexSecDetailView >= strip.size())
        return;
    const ItemRow scan = strip.at(*indexSecDetailView);
    const bool returning = IsOutSideDCReturn == kYes;
    QList<ItemRow> chosen;
    for (const ItemRow &row : std::as_const(itemsCells)) {
        if (quantityValue(row) <= 0)
            continue;
        // Either strip may change a choice made before.
        if (returning || !OutSideDCInsertedItems.isEmpty() ||
            (OutSideDCInsertedItems.isEmpty() && IsOutSideDCReturn.isEmpty()))
            chosen.append(row);
    }
    if (chosen.isEmpty()) {
        // The earlier choice stays as it was.
        common::sharedInstance().showAlert(this, QStringLiteral("Alert !"),
                                           QStringLiteral("Select Items"));
        return;
    }
    scan->SelecedItems = chosen;
    navigationController()->popViewController(true);
    scan->QRScanDCDetails.insert(QStringLiteral("ItemCount"), QString::number(chosen.size()));
    scanner->refreshStrip();
}

void DCDetailViewController::doneForSection() {
    SectionEntry entry;
    const bool returning = IsOutSideDCReturn == kYes;
    for (const ItemRow &row : std::as_const(itemsCells)) {
        const double q = quantityValue(row);
        if ((q > 0 && returning) ||
            (q > 0 && AccessFrom == QLatin1String("IN") && !OutSideDCInsertedItems.isEmpty()) ||
            (OutSideDCInsertedItems.isEmpty() && !row->checkmark && IsOutSideDCReturn.isEmpty()))
            entry.DATA.append(row);
    }
    if (entry.DATA.isEmpty()) {
        common::sharedInstance().showAlert(this, QStringLiteral("Alert !"),
                                           QStringLiteral("Select Items"));
        return;
    }
    const bool in = AccessFrom == QLatin1String("IN");
    const bool out = AccessFrom == QLatin1String("OUT");
    auto &details = entry.PartyDetails;
    if (in || out) {
        // Coming in, a returning outside DC is named by where it went; any other DC by where it
        // was issued. Going out, by where it goes.
        const bool receiving = out || returning;
        const QString division = receiving ? headercell->label5 : headercell->label4;
        const QString department = receiving ? headercell->label7 : headercell->label6;
        QString name = division.isEmpty()
                           ? QString()
                           : (in ? QStringLiteral("From ") : QStringLiteral("To ")) + division;
        if (!department.isEmpty())
            name += QStringLiteral(", ") + department;
        details.insert(QStringLiteral("PartyName"), name);
    }
    if (!headercell->label1.isEmpty())
        details.insert(QStringLiteral("BillNo"), headercell->label1);
    if (const auto date = common::sharedInstance().convertDateText(4, 0, headercell->label2))
        details.insert(QStringLiteral("BillDate"), *date);
    entry.DC_id = DCId.value_or(0);
    const QVariantMap dc = DCdata.value_or(QVariantMap());
    if (dc.contains(QStringLiteral("Party_id")))
        details.insert(QStringLiteral("Party_id"),
                       RowsReader::text(dc, QStringLiteral("Party_id")));
    const QString city = RowsReader::text(dc, QStringLiteral("CityName"));
    details.insert(QStringLiteral("City"), city.isEmpty() ? QStringLiteral("Halvik") : city);
    entry.IsOutSideDCReturn = returning;

    securityLogDetailView *form = SectionPlacement::logFormBelow(this);
    if (form && (in || out)) {
        QList<SectionEntry> &list =
            in ? form->PartyINSectionCollView : form->PartyOUTSectionCollView;
        const QList<SectionEntry> &other =
            in ? form->PartyOUTSectionCollView : form->PartyINSectionCollView;
        // The same DC already in the section is replaced, not added twice.
        std::optional<int> index = indexSecDetailView;
        if (details.contains(QStringLiteral("BillNo")))
            for (int i = 0; i < list.size(); ++i)
                if (list.at(i).PartyDetails.value(QStringLiteral("BillNo")) ==
                    details.value(QStringLiteral("BillNo")))
                    index = i;
        if (index && *index >= 0 && *index < list.size()) {
            entry.savedDetailId = list.at(*index).savedDetailId;
            list[*index] = entry;
        } else {
            // The entry it came from is gone (the list changed meanwhile): added, not lost.
            list.append(entry);
            if (other.isEmpty())
                form->celllabelSegmentCell->setSelectedSegmentIndex(in ? 0 : 1);
        }
    }
    QPointer<securityLogDetailView> target = form;
    MainQueue::async(this, [this, target] {
        dismiss(true);
        if (target)
            target->reloadData();
    });
}

void DCDetailViewController::DCViewCancel() {
    if (openedFromStrip()) {
        if (NavigationController *stack = navigationController())
            stack->popViewController(true);
        return;
    }
    QPointer<securityLogDetailView> target = SectionPlacement::logFormBelow(this);
    MainQueue::async(this, [this, target] {
        dismiss(true);
        if (target)
            target->reloadData();
    });
}
