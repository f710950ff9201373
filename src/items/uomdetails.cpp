#include "uomdetails.h"

#include "commonclass.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "securityaddparticulars.h"

namespace {
const QString kUnits = QStringLiteral("Sel_Uom");
} // namespace

UOMDetails::UOMDetails(QObject *parent)
    : TableViewController(false, parent), searchController(new SearchController(this)) {
    searchController->onTextChange = [this](const QString &text) { searchTextChanged(text); };
}

UOMDetails::~UOMDetails() {
    if (m_load)
        m_load->cancel();
}

void UOMDetails::viewDidLoad() {
    const auto &theme = CommonClass::shared();
    if (param == kUnits)
        setTitle(QStringLiteral("UOM"));
    setBackgroundColor(theme.viewBC);
    const QVariant cached = theme.listDATA.value(param);
    if (cached.isValid()) {
        const Rows rows = RowsReader::textRows(cached);
        MainQueue::async(this, [this, rows] { show(rows); });
        return;
    }
    if (param.isEmpty())
        return;
    const QVariantMap parameters{
        {QStringLiteral("SPName"), QStringLiteral("Usp_CommonService")},
        {QStringLiteral("JSONData"), QVariantMap{{QStringLiteral("SP_Type"), param}}},
        {QStringLiteral("withStrings"), true},
    };
    m_load = fetchDATA::nodefetchD(
        parameters,
        [this](const QVariant &reply) {
            const auto rows = RowsReader::listOfRows(reply);
            if (!rows)
                return;
            // Kept for the rest of the run: units rarely change, and the guard adds items often.
            CommonClass::shared().listDATA.insert(param, reply);
            MainQueue::async(this, [this, rows = *rows] { show(rows); });
        },
        this);
}

void UOMDetails::show(const Rows &rows) {
    TOTALDATA = rows;
    DATA = rows;
    searchTextChanged(searchController->text());
}

int UOMDetails::numberOfRows(int) const {
    return int(DATA.size());
}

QVariantMap UOMDetails::cellForRow(int, int row) {
    if (row < 0 || row >= DATA.size())
        return {};
    const auto &theme = CommonClass::shared();
    const Row &data = DATA.at(row);
    return {{QStringLiteral("cellClass"), QStringLiteral("defaultCell")},
            {QStringLiteral("text"), RowsReader::text(data, datafield)},
            {QStringLiteral("identifier"), RowsReader::text(data, valuefield)},
            {QStringLiteral("textColor"), theme.textTintColor},
            {QStringLiteral("background"), theme.tableViewRowBC}};
}

void UOMDetails::searchTextChanged(const QString &text) {
    const QString needle = text.toLower();
    if (needle.isEmpty()) {
        DATA = TOTALDATA;
    } else {
        DATA.clear();
        for (const Row &row : TOTALDATA)
            if (RowsReader::text(row, datafield).toLower().contains(needle))
                DATA.append(row);
    }
    MainQueue::async(this, [this] { reloadData(); });
}

void UOMDetails::didSelectRow(int, int row) {
    if (row < 0 || row >= DATA.size())
        return;
    const Row unit = DATA.at(row);
    if (param != kUnits) {
        if (selectedElement) {
            selectedElement->setText(RowsReader::text(unit, datafield));
            selectedElement->valueIdentifier = RowsReader::text(unit, valuefield);
        }
        return;
    }
    MainQueue::async(this, [this, unit] { chooseUnit(unit); });
}

void UOMDetails::chooseUnit(const Row &unit) {
    NavigationController *nav = navigationController();
    auto *particulars = nav ? nav->viewControllerAt<securityAddParticulars>(0) : nullptr;
    if (!particulars)
        return;
    // A unit row without its symbols still makes the item; its unit then reads empty, as the
    // server left it.
    ItemRow item = makeItemRow();
    item->titleText = itemName;
    item->Item_id = QStringLiteral("0");
    item->unitText = RowsReader::text(unit, QStringLiteral("SingularSymbol"));
    item->Singular = item->unitText;
    item->Plural = RowsReader::text(unit, QStringLiteral("PluralSymbol"));
    item->makeQuantityControls();
    item->setQuantity(QStringLiteral("1"));
    item->image = ItemImg;
    nav->popToRootViewController(true);
    particulars->addNewItem(item);
}
