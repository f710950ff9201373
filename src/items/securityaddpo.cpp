#include "securityaddpo.h"

#include "access.h"
#include "commonclass.h"
#include "imageloading.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "securityaddpartydetails.h"

#include <string>

namespace {
const QString kReport = QStringLiteral("USP_GetSecurityLogSummaryReport");
} // namespace

securityAddPO::securityAddPO(QObject *parent)
    : TableViewController(false, parent), searchController(new SearchController(this)) {
    searchController->onTextChange = [this](const QString &text) { searchTextChanged(text); };
}

securityAddPO::~securityAddPO() {
    for (const auto &task : {fetcher, m_lines})
        if (task)
            task->cancel();
}

void securityAddPO::viewDidLoad() {
    setTitle(QStringLiteral("Purchase Orders"));
    setBackgroundColor(CommonClass::shared().tableViewRowBC);
    setLeftBarButtonItem(BarButtonItem::system(
        QStringLiteral("cancel"), [this] { Cancel(); }, this));
}

int securityAddPO::numberOfRows(int) const {
    return int(DATA.size());
}

QVariantMap securityAddPO::cellForRow(int, int row) {
    if (row < 0 || row >= DATA.size())
        return {};
    const auto &theme = CommonClass::shared();
    const Row &po = DATA.at(row);
    auto text = [&po](const char *key) { return RowsReader::text(po, QLatin1String(key)); };
    return {{QStringLiteral("cellClass"), QStringLiteral("PartyPOCell")},
            {QStringLiteral("lblStorePartyName"), text("PartyBranchName")},
            {QStringLiteral("StorePO_id"), text("StorePO_id")},
            {QStringLiteral("lblStorePONo"), text("StorePOCode")},
            {QStringLiteral("lblStorePODate"), text("StorePODate")},
            {QStringLiteral("lblNoOfItems"), text("NoOfItems")},
            {QStringLiteral("background"), theme.tableViewRowBC},
            {QStringLiteral("textColor"), theme.textTintColor},
            {QStringLiteral("subTextColor"), theme.textSubTintColor},
            {QStringLiteral("badgeColor"), theme.rowSelColor},
            {QStringLiteral("titleFont"), theme.TitleFont},
            {QStringLiteral("detailFont"), theme.MediumFont}};
}

void securityAddPO::searchTextChanged(const QString &text) {
    const QString typed = text.trimmed().toLower();
    if (typed.isEmpty()) {
        if (fetcher)
            fetcher->cancel();
        MainQueue::async(this, [this] {
            DATA.clear();
            OrgDATA.clear();
            reloadData();
        });
        return;
    }
    if (typed.size() < 3)
        return;
    if (fetcher)
        fetcher->cancel();
    const QVariantMap parameters{
        {QStringLiteral("SPName"), kReport},
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("GetType"), QStringLiteral("StorePO")},
                     {QStringLiteral("BranchCode"), master.BranchCode},
                     {QStringLiteral("LikeStr"), typed}}},
        {QStringLiteral("withStrings"), true},
    };
    fetcher = fetchDATA::nodefetchD(
        parameters,
        [this](const QVariant &reply) {
            const auto rows = RowsReader::listOfRows(reply);
            if (!rows)
                return;
            fetcher.reset();
            MainQueue::async(this, [this, rows = *rows] {
                DATA = rows;
                OrgDATA = rows;
                reloadData();
            });
        },
        this);
}

void securityAddPO::didSelectRow(int, int row) {
    if (row < 0 || row >= DATA.size() || !DATA.at(row).contains(QStringLiteral("StorePO_id")))
        return;
    const Row po = DATA.at(row);
    // Numbers stay numbers in these lines: the ordered quantity is read as one.
    const QVariantMap parameters{
        {QStringLiteral("SPName"), kReport},
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("GetType"), QStringLiteral("StorePODetails")},
                     {QStringLiteral("ID"), RowsReader::text(po, QStringLiteral("StorePO_id"))}}},
    };
    if (m_lines)
        m_lines->cancel();
    m_lines = fetchDATA::nodefetchD(
        parameters,
        [this, po](const QVariant &reply) {
            if (!RowsReader::listOfRows(reply))
                return;
            POItemDetails = reply.toList();
            MainQueue::async(this, [this, po] { openParty(po); });
        },
        this);
}

ItemRow securityAddPO::itemFromLine(const QVariantMap &line) {
    ItemRow item = makeItemRow();
    item->makeQuantityControls();
    const QVariant name = line.value(QStringLiteral("ItemName"));
    if (name.typeId() == QMetaType::QString)
        item->titleText = name.toString();
    const QVariant quantity = line.value(QStringLiteral("Quantity"));
    bool number = false;
    const double ordered = quantity.toDouble(&number);
    item->labelImage = number ? itemDetailCell::decimalText(ordered) : QString();
    item->labelImageShown = true;
    item->textField = QStringLiteral("0");
    auto text = [&line](const char *key) -> std::optional<QString> {
        const QVariant value = line.value(QLatin1String(key));
        if (!value.isValid() || value.isNull())
            return std::nullopt;
        return value.toString();
    };
    if (auto unit = text("Unit_id"))
        item->Unit_id = *unit;
    if (auto singular = text("SingularSymbol")) {
        item->Singular = *singular;
        item->unitText = *singular; // a quantity of 0 reads in the singular
    }
    if (auto plural = text("PluralSymbol"))
        item->Plural = *plural;
    bool whole = false;
    const int places = line.value(QStringLiteral("NoOfDecimal")).toString().toInt(&whole);
    if (whole && places >= 0 && places <= 6)
        item->decimals = places;
    if (auto path = text("ImagePath")) {
        item->ItemImagePath = *path;
        item->imageUrl = KingfisherWrapper::convertToSource(*path);
    }
    return item;
}

void securityAddPO::openParty(const Row &po) {
    itemsCells.clear();
    for (const QVariant &line : POItemDetails)
        itemsCells.append(itemFromLine(line.toMap()));
    auto *party = new securityAddPartyDetails();
    party->FindInOrOutSection = AccessFrom;
    party->IsUpdateable = IsUpdateable;
    party->IsCallFromStorePO = QStringLiteral("Yes");
    party->cellItems = itemsCells;
    QMap<QString, QString> details{{QStringLiteral("BillDate"), QString()},
                                   {QStringLiteral("BillNo"), QString()}};
    for (const char *key : {"Party_id", "PartyBranchName", "CityName"}) {
        const QString value = RowsReader::text(po, QLatin1String(key));
        if (!value.isEmpty())
            details.insert(QLatin1String(key), value);
    }
    // The entry shows and saves the party as every party entry does, so the guard need not
    // pick it again.
    if (details.contains(QStringLiteral("PartyBranchName")))
        details.insert(QStringLiteral("PartyName"),
                       details.value(QStringLiteral("PartyBranchName")));
    if (details.contains(QStringLiteral("CityName")))
        details.insert(QStringLiteral("City"), details.value(QStringLiteral("CityName")));
    party->sel_PartyDetails = details;
    if (NavigationController *nav = navigationController())
        nav->pushViewController(party, true);
    else
        delete party;
}

void securityAddPO::Cancel() {
    MainQueue::async(this, [this] { dismiss(true); });
}
