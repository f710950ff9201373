#include "securityaddparticulars.h"

#include "alertcontroller.h"
#include "common.h"
#include "commonclass.h"
#include "imagepickerfunc.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "secitemtblviewcell.h"
#include "sectionplacement.h"
#include "securityaddpartydetails.h"
#include "uomdetails.h"

namespace {
const QString kAlert = QStringLiteral("Alert !");
} // namespace

securityAddParticulars::securityAddParticulars(QObject *parent)
    : TableViewController(false, parent), searchController(new SearchController(this)) {
    const auto &theme = CommonClass::shared();
    setTitle(QStringLiteral("Add Particulars"));
    setBackgroundColor(theme.tableViewRowBC);
    setBarTintColor(theme.rowSelColor);
    collView.AccessFrom = QStringLiteral("Particulars");
    setRightBarButtonItem(BarButtonItem::system(
        QStringLiteral("done"), [this] { Done(); }, this));
    setLeftBarButtonItem(BarButtonItem::system(
        QStringLiteral("cancel"), [this] { Cancel(); }, this));
    searchController->onTextChange = [this](const QString &text) { searchTextChanged(text); };
    searchController->onSearchButton = [this] { searchButtonClicked(); };
}

securityAddParticulars::~securityAddParticulars() {
    if (m_fetcher)
        m_fetcher->cancel();
}

// ---- the search results

int securityAddParticulars::numberOfRows(int) const {
    return int(DATA.size());
}

bool securityAddParticulars::isChosen(const QString &itemId) const {
    for (const ItemRow &item : collView.DATA)
        if (item->Item_id == itemId)
            return true;
    return false;
}

QVariantMap securityAddParticulars::cellForRow(int, int row) {
    if (row < 0 || row >= m_resultRows.size())
        return {};
    itemDetailCell *item = m_resultRows.at(row).get();
    item->checkmark = isChosen(item->Item_id);
    item->notify();
    return objectRow(QStringLiteral("itemDetailCell"), item);
}

void securityAddParticulars::showRows(const Rows &rows) {
    DATA = rows;
    m_resultRows.clear();
    for (const Row &row : rows) {
        ItemRow item = makeItemRow();
        item->fill(row);
        m_resultRows.append(item);
    }
    reloadData();
}

void securityAddParticulars::searchTextChanged(const QString &text) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        // The last results stay; only a reply still on its way is no longer wanted.
        if (m_fetcher)
            m_fetcher->cancel();
        MainQueue::async(this, [this] { reloadData(); });
        return;
    }
    if (trimmed.size() < 3)
        return;
    // Only the reply to the latest text may draw: an older one landing later would replace
    // the rows the guard is looking at.
    if (m_fetcher)
        m_fetcher->cancel();
    const QVariantMap parameters{
        {QStringLiteral("SPName"), QStringLiteral("Usp_CommonService")},
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("SP_Type"), QStringLiteral("Sel_ItemLike")},
                     {QStringLiteral("LikeStr"), trimmed}}},
        {QStringLiteral("withStrings"), true},
    };
    m_fetcher = fetchDATA::nodefetchD(
        parameters,
        [this](const QVariant &reply) {
            m_fetcher.reset();
            if (auto rows = RowsReader::listOfRows(reply))
                MainQueue::async(this, [this, rows = *rows] { showRows(rows); });
        },
        this);
}

// ---- choosing

void securityAddParticulars::didSelectRow(int, int row) {
    searchController->resignFirstResponder();
    if (row < 0 || row >= DATA.size())
        return;
    const QString itemId = m_resultRows.at(row)->Item_id;
    if (isChosen(itemId)) {
        for (int i = 0; i < collView.DATA.size(); ++i)
            if (collView.DATA.at(i)->Item_id == itemId) {
                collView.DATA.removeAt(i);
                break;
            }
    } else {
        ItemRow item = makeItemRow();
        item->fill(DATA.at(row));
        collView.DATA.append(item);
    }
    reloadData();
    reloadStrip();
}

QVariantMap securityAddParticulars::strip() const {
    QVariantMap cell = secItemTBLViewCell::contents(collView);
    cell.insert(QStringLiteral("owner"),
                QVariant::fromValue<QObject *>(const_cast<securityAddParticulars *>(this)));
    cell.insert(QStringLiteral("section"), 0);
    cell.insert(QStringLiteral("row"), 0);
    return cell;
}

void securityAddParticulars::reloadStrip() {
    MainQueue::async(this, [this] { Q_EMIT stripChanged(); });
}

void securityAddParticulars::itemDoubleTapped(int, int, int index) {
    const auto question = secItemTBLViewCell::deleteQuestion(collView, index);
    if (!question)
        return;
    const ItemRow target = collView.DATA.value(index);
    auto *alert = new AlertController(secItemTBLViewCell::deleteAlertTitle(), *question);
    alert->addAction(secItemTBLViewCell::yesTitle(), AlertAction::Style::Default,
                     [this, target](AlertController *) {
                         const int at = int(collView.DATA.indexOf(target));
                         if (at < 0)
                             return;
                         secItemTBLViewCell::removeItem(collView, at);
                         reloadData();
                         reloadStrip();
                     });
    alert->addAction(secItemTBLViewCell::noTitle(), AlertAction::Style::Cancel);
    common::sharedInstance().presentAlert(this, alert);
}

// ---- an item the master does not have

void securityAddParticulars::searchButtonClicked() {
    // The item's name is what was typed: with nothing typed there is no item to add.
    if (searchController->text().trimmed().isEmpty())
        return;
    auto *alert = new AlertController(kAlert, QStringLiteral("Add Item ?"));
    alert->addAction(QStringLiteral("Yes"), AlertAction::Style::Default, [this](AlertController *) {
        QPointer<securityAddParticulars> self = this;
        ImagePickerFunc::shared().pick(this, [self](const QImage &photo) {
            if (self && !photo.isNull())
                MainQueue::async(self, [self, photo] { self->openUnits(photo); });
        });
    });
    alert->addAction(QStringLiteral("No"), AlertAction::Style::Cancel);
    common::sharedInstance().presentAlert(this, alert);
}

void securityAddParticulars::openUnits(const QImage &photo) {
    auto *units = new UOMDetails();
    units->param = QStringLiteral("Sel_Uom");
    units->datafield = QStringLiteral("UnitName");
    units->valuefield = QStringLiteral("Unit_id");
    units->ItemImg = photo;
    units->itemName = searchController->text().trimmed();
    if (NavigationController *nav = navigationController())
        nav->pushViewController(units, true);
    else
        delete units;
}

void securityAddParticulars::addNewItem(const ItemRow &item) {
    collView.DATA.append(item);
    searchController->clear();
    reloadStrip();
}

// ---- Done and Cancel

void securityAddParticulars::Done() {
    if (collView.DATA.isEmpty()) {
        common::sharedInstance().showAlert(this, kAlert,
                                           QStringLiteral("Select At Least One Item"));
        return;
    }
    searchController->resignFirstResponder();
    NavigationController *stack = SectionPlacement::presentingStack(this);
    QPointer<securityAddPartyDetails> party =
        stack ? qobject_cast<securityAddPartyDetails *>(stack->topViewController()) : nullptr;
    for (const ItemRow &item : collView.DATA)
        if (!item->hasSavedDetailId() && !item->quantityControls) {
            item->makeQuantityControls();
            item->setQuantity(QStringLiteral("1"));
        }
    if (party)
        party->cellItems = collView.DATA;
    MainQueue::async(this, [this, party] {
        dismiss(true);
        if (party)
            party->reloadData();
    });
}

void securityAddParticulars::Cancel() {
    searchController->resignFirstResponder();
    MainQueue::async(this, [this] { dismiss(true); });
}
