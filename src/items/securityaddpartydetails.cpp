#include "securityaddpartydetails.h"

#include "alertcontroller.h"
#include "common.h"
#include "commonclass.h"
#include "dbconnection.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "sectionplacement.h"
#include "securityaddparticulars.h"
#include "securitylogdetailview.h"
#include "securitylogpicker.h"

namespace {
const QString kParty = QStringLiteral("Party");
const QString kBillNo = QStringLiteral("Bill No");
const QString kBillDate = QStringLiteral("Bill Date");
const QString kCity = QStringLiteral("City");
const QString kAlert = QStringLiteral("Alert !");

std::optional<QString> value(const QMap<QString, QString> &map, const QString &key) {
    const auto it = map.constFind(key);
    return it == map.constEnd() ? std::nullopt : std::optional<QString>(*it);
}
} // namespace

securityAddPartyDetails::securityAddPartyDetails(QObject *parent)
    : TableViewController(true, parent), cellParty(new labelCell(this)),
      cellBillNo(new textFieldCell(this)), cellBillDate(new labelCell(this)),
      cellCity(new labelCell(this)), cellAddParticulars(new labelCell(this)) {}

void securityAddPartyDetails::viewDidLoad() {
    const auto &theme = CommonClass::shared();
    setTitle(FindInOrOutSection + QStringLiteral(" - Add Party Details"));
    setBackgroundColor(theme.tableViewRowBC);
    setBarTintColor(theme.rowSelColor);
    if (isEditable())
        setRightBarButtonItem(BarButtonItem::system(
            QStringLiteral("done"), [this] { Validation(); }, this));
    setLeftBarButtonItem(BarButtonItem::system(
        QStringLiteral("cancel"), [this] { Cancel(); }, this));

    cellParty->setTitle(kParty);
    cellBillNo->setTitle(kBillNo);
    cellBillDate->setTitle(kBillDate);
    cellCity->setTitle(kCity);
    cellAddParticulars->setText(QStringLiteral("Add Particulars"));
    cellAddParticulars->valueRightAligned = true;
    for (labelCell *cell : {cellParty, cellBillDate, cellCity, cellAddParticulars})
        theme.style(QStringLiteral("label"), cell);
    theme.style(QStringLiteral("textbox"), cellBillNo);

    cellParty->setText(sel_PartyDetails.value(QStringLiteral("PartyName")));
    partyIdMark = value(sel_PartyDetails, QStringLiteral("Party_id"));
    cellBillDate->setText(sel_PartyDetails.value(QStringLiteral("BillDate")));
    // An outside DC coming back carries the DC's bill number, not the one it returns under.
    cellBillNo->setText(IsOutSideDCReturn ? QString()
                                          : sel_PartyDetails.value(QStringLiteral("BillNo")));
    cellCity->setText(sel_PartyDetails.value(QStringLiteral("City")));
}

// ---- the table

int securityAddPartyDetails::numberOfRows(int section) const {
    if (section == PartySection)
        return 4;
    if (section == ItemsSection)
        return int(cellItems.size()) + (isEditable() ? 1 : 0);
    return 0;
}

qreal securityAddPartyDetails::heightForRow(int section, int row) const {
    return section == ItemsSection && row < cellItems.size() ? 120 : 40;
}

QString securityAddPartyDetails::titleForHeader(int section) const {
    return section == PartySection ? QStringLiteral("Party Details") : QStringLiteral("Items");
}

QVariantMap securityAddPartyDetails::cellForRow(int section, int row) {
    if (section == PartySection) {
        FormCell *cells[] = {cellParty, cellBillNo, cellBillDate, cellCity};
        return row >= 0 && row < 4 ? objectRow(cells[row]->cellClass(), cells[row]) : QVariantMap();
    }
    if (row >= 0 && row < cellItems.size())
        return objectRow(QStringLiteral("itemDetailCell"), cellItems.at(row).get());
    return objectRow(cellAddParticulars->cellClass(), cellAddParticulars);
}

QList<SwipeAction> securityAddPartyDetails::trailingSwipeActions(int section, int row) {
    if (section != ItemsSection || row < 0 || row >= cellItems.size() ||
        cellItems.at(row)->hasSavedDetailId())
        return {};
    cellBillNo->resignFirstResponder();
    const ItemRow item = cellItems.at(row);
    return {SwipeAction{QStringLiteral("Delete"), common::sharedInstance().themeColor(),
                        [this, item](auto done) {
                            removeItem(item);
                            done(true);
                        }}};
}

void securityAddPartyDetails::removeItem(const ItemRow &item) {
    // Found again by identity: the list may have changed since the swipe opened.
    const int row = int(cellItems.indexOf(item));
    if (row < 0)
        return;
    cellItems.removeAt(row);
    deleteRow(ItemsSection, row);
}

void securityAddPartyDetails::didSelectRow(int section, int row) {
    cellBillNo->resignFirstResponder();
    if (section == PartySection) {
        if (row == 0 || row == 3)
            openListPicker(row);
        else if (row == 2)
            openDatePicker();
        return;
    }
    if (section == ItemsSection && row == cellItems.size() && isEditable())
        openParticulars();
}

// ---- pickers

void securityAddPartyDetails::openListPicker(int row) {
    comboBox::ListOptions options;
    QVariantMap search;
    if (row == 0) {
        options.title = QStringLiteral("Party Name");
        options.element = kParty;
        search = {{QStringLiteral("SearchBy"), QStringLiteral("Sec_Supplier")}};
        options.valueField = QStringLiteral("Party_id");
        options.dataFields = {QStringLiteral("PartyName"), QStringLiteral("City")};
        // The guard types a name, never an id.
        options.searchField = QStringLiteral("PartyName");
    } else {
        options.title = kCity;
        options.element = kCity;
        search = {{QStringLiteral("SearchBy"), QStringLiteral("Sec_City")}};
        options.valueField = QStringLiteral("CityName");
        options.dataFields = {QStringLiteral("CityName")};
    }
    options.returnCustomText = true;
    openSecurityLogPicker(this, this, this, options, search);
}

void securityAddPartyDetails::openDatePicker() {
    comboBox::DateOptions options;
    options.title = kBillDate;
    options.element = kBillDate;
    options.loadtype = QStringLiteral("3");
    options.indateformat = 0;
    options.outdateformat = 0;
    options.initialdate = cellBillDate->text();
    auto *picker = new comboBox(options);
    picker->setDelegate(this, this);
    CommonClass::shared().style(QStringLiteral("comboboxcolor"), picker);
    if (!picker->show(this))
        delete picker;
}

void securityAddPartyDetails::box(comboBox *box, const QString &text, const QString &element,
                                  const QList<QMap<QString, QString>> &data, const QVariantList &) {
    const bool typed =
        data.isEmpty() && box && box->listOptions().returnCustomText && !text.isEmpty();
    if (element == kParty) {
        if (!data.isEmpty()) {
            sel_PartyDetails = data.first();
            cellParty->setText(sel_PartyDetails.value(QStringLiteral("PartyName")));
            cellCity->setText(sel_PartyDetails.value(QStringLiteral("City")));
            partyIdMark = sel_PartyDetails.value(QStringLiteral("Party_id"));
        } else if (typed) {
            sel_PartyDetails.insert(QStringLiteral("PartyName"), text);
            cellParty->setText(text);
        }
    } else if (element == kCity) {
        QString city;
        if (!data.isEmpty())
            city = data.first().value(QStringLiteral("CityName"));
        else if (typed)
            city = text;
        sel_PartyDetails.insert(QStringLiteral("CityName"), city);
        cellCity->setText(city);
    } else if (element == kBillDate) {
        cellBillDate->setText(text);
    }
}

void securityAddPartyDetails::box(comboBox *, const QString &element, int,
                                  const QMap<QString, QString> &data, QVariantMap &cell) {
    CommonClass::shared().style(QStringLiteral("comboxtableviewcell"), cell);
    // A party reads by its name over its city, not by its id.
    if (element == kParty) {
        cell.insert(QStringLiteral("text"), data.value(QStringLiteral("PartyName")));
        cell.insert(QStringLiteral("detail"), data.value(QStringLiteral("City")));
    }
}

// ---- particulars

void securityAddPartyDetails::openParticulars() {
    auto *screen = new securityAddParticulars();
    screen->collView.DATA = cellItems;
    auto *nav = new NavigationController(screen);
    CommonClass::shared().styleNavigation(nav);
    if (!present(nav, true))
        delete nav;
}

// ---- Done and Cancel

void securityAddPartyDetails::Validation() {
    auto refuse = [this](const QString &message) {
        common::sharedInstance().showAlert(this, kAlert, message);
    };
    if (cellParty->text().isEmpty())
        return refuse(QStringLiteral("Select Party"));
    if (cellItems.isEmpty())
        return refuse(QStringLiteral("Please Add Particulars(Items)"));
    for (const ItemRow &item : cellItems)
        if (!item->hasValidQuantity())
            return refuse(QStringLiteral("Please Enter Quantity"));

    QString warnings;
    if (partyIdMark && partyIdMark->isEmpty())
        warnings = QStringLiteral("• Selected party is not valid from party master");
    if (cellBillNo->text().isEmpty())
        warnings += (warnings.isEmpty() ? QString() : QStringLiteral("\n")) +
                    QStringLiteral("• Bill No not Entered");
    if (warnings.isEmpty())
        return Save();
    auto *alert = new AlertController(
        kAlert, warnings + QStringLiteral(", Are you sure want proceed further"));
    alert->messageLeftAligned = true;
    alert->messagePointSize = 13;
    alert->addAction(QStringLiteral("Yes"), AlertAction::Style::Default,
                     [this](AlertController *) { Save(); });
    alert->addAction(QStringLiteral("No"), AlertAction::Style::Cancel);
    common::sharedInstance().presentAlert(this, alert);
}

void securityAddPartyDetails::Save() {
    securityLogDetailView *form = SectionPlacement::logFormBelow(navigationController());
    // A label that never had a value leaves its key out; the bill number is always stored,
    // empty when none was typed.
    auto store = [this](const QString &key, const QString &text) {
        if (text.isEmpty() && !sel_PartyDetails.contains(key))
            return;
        sel_PartyDetails.insert(key, text);
    };
    store(QStringLiteral("City"), cellCity->text());
    sel_PartyDetails.insert(QStringLiteral("BillNo"), cellBillNo->text());
    store(QStringLiteral("BillDate"), cellBillDate->text());
    SectionEntry entry;
    entry.PartyDetails = sel_PartyDetails;
    entry.DATA = cellItems;
    if (form)
        SectionPlacement::placePartyEntry(*form, FindInOrOutSection, entry, InsertIndex,
                                          IsOutSideDCReturn);
    QPointer<securityLogDetailView> target = form;
    MainQueue::async(this, [this, target] {
        dismiss(true);
        if (target)
            target->reloadData();
    });
}

void securityAddPartyDetails::Cancel() {
    if (IsCallFromStorePO == QLatin1String("Yes")) {
        if (NavigationController *nav = navigationController())
            nav->popToRootViewController(true);
        return;
    }
    MainQueue::async(this, [this] { dismiss(true); });
}
