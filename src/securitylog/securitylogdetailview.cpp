#include "securitylogdetailview.h"

#include "access.h"
#include "alertcontroller.h"
#include "common.h"
#include "commonclass.h"
#include "dcapprovalviewcontroller.h"
#include "dcdetailviewcontroller.h"
#include "imageloading.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "qrcodereaderviewcontroller.h"
#include "secitemtblviewcell.h"
#include "securityaddnewperson.h"
#include "securityaddpartydetails.h"
#include "securityaddpo.h"
#include "securitylogpicker.h"
#include "securitylogsavejob.h"

namespace {
const QString kVehile = QStringLiteral("Vehile");
const QString kMeetTo = QStringLiteral("Meet To");
const QString kEntryType = QStringLiteral("Entry Type");
const QString kPurpose = QStringLiteral("Purpose");
const QString kNo = QStringLiteral("No");
} // namespace

securityLogDetailView::securityLogDetailView(QObject *parent)
    : TableViewController(true, parent), header(new PersonDetailsView(this)),
      cellVehile(new labelCell(this)), cellMeetTo(new labelCell(this)),
      cellEntryType(new labelCell(this)), cellTockenNo(new textFieldCell(this)),
      cellPurpose(new labelCell(this)),
      celllabelSegmentCell(
          new segmentCell({QStringLiteral("IN"), QStringLiteral("OUT")}, QString(), this)),
      cellInGateName(new labelCell(this)), attachINDC(new labelCell(this)),
      attachOUTDC(new labelCell(this)) {
    celllabelSegmentCell->setSelectedSegmentIndex(0);
}

securityLogDetailView::~securityLogDetailView() {
    if (m_load)
        m_load->cancel();
}

void securityLogDetailView::viewDidLoad() {
    const auto &theme = CommonClass::shared();
    cellVehile->setTitle(kVehile);
    cellMeetTo->setTitle(kMeetTo);
    cellEntryType->setTitle(kEntryType);
    cellPurpose->setTitle(kPurpose);
    cellTockenNo->setTitle(QStringLiteral("Tocken No"));
    cellInGateName->setTitle(QStringLiteral("Entry Gate"));
    attachINDC->setText(QStringLiteral("Add IN Details"));
    attachOUTDC->setText(QStringLiteral("Add Out Details"));
    attachINDC->valueRightAligned = true;
    attachOUTDC->valueRightAligned = true;
    setBackgroundColor(theme.tableViewRowBC);
    celllabelSegmentCell->setBackgroundColor(QColor(48, 48, 48));
    setBarTintColor(theme.rowSelColor);
    if (IsUpdateable != kNo || IsOutSecUpdateable != kNo) {
        brbSave = BarButtonItem::system(
            QStringLiteral("save"), [this] { SaveSecurityLog(); }, this);
        setRightBarButtonItem(brbSave);
    }
    brbCancel = BarButtonItem::system(
        QStringLiteral("cancel"), [this] { CancelSecurityLogView(); }, this);
    setLeftBarButtonItem(brbCancel);
    if (!SecIOLog_id.isEmpty())
        MainQueue::async(this, [this] { loadLog(); });
    else
        cellInGateName->setText(master.GateName);
    for (labelCell *cell : {cellVehile, cellMeetTo, cellEntryType, cellPurpose, cellInGateName,
                            attachINDC, attachOUTDC})
        theme.style(QStringLiteral("label"), cell);
    theme.style(QStringLiteral("textbox"), cellTockenNo);
}

QString securityLogDetailView::entryTypeId() const {
    return cellEntryType->valueIdentifier.isEmpty() ? cellEntryType->identifier
                                                    : cellEntryType->valueIdentifier;
}

// ---- the table

QList<SectionEntry> *securityLogDetailView::sectionList(int section) {
    if (section == INSection)
        return &PartyINSectionCollView;
    if (section == OUTSection)
        return &PartyOUTSectionCollView;
    return nullptr;
}

QString securityLogDetailView::sectionName(int section) {
    return section == INSection ? QStringLiteral("IN") : QStringLiteral("OUT");
}

const SectionEntry *securityLogDetailView::entryAt(int section, int row) const {
    const QList<SectionEntry> *list = section == INSection    ? &PartyINSectionCollView
                                      : section == OUTSection ? &PartyOUTSectionCollView
                                                              : nullptr;
    return list && row >= 0 && row < list->size() ? &list->at(row) : nullptr;
}

int securityLogDetailView::numberOfRows(int section) const {
    switch (section) {
    case LogSection:
        return 1;
    case EntrySection:
        return 6;
    case INSection:
        return int(PartyINSectionCollView.size()) + 1;
    case OUTSection:
        return int(PartyOUTSectionCollView.size()) + 1;
    default:
        return 0;
    }
}

qreal securityLogDetailView::heightForRow(int section, int row) const {
    switch (section) {
    case LogSection:
        return 50;
    case EntrySection:
        return 40;
    case INSection:
    case OUTSection:
        return entryAt(section, row) ? 110 : 40;
    default:
        return 0;
    }
}

QString securityLogDetailView::titleForHeader(int section) const {
    switch (section) {
    case LogSection:
        return QStringLiteral("Log");
    case EntrySection:
        return QStringLiteral("Entry Details");
    case INSection:
        return QStringLiteral("DC/Party Details - (IN)");
    case OUTSection:
        return QStringLiteral("DC/Party Details - (OUT)");
    default:
        return QString();
    }
}

QVariantMap securityLogDetailView::cellForRow(int section, int row) {
    auto formRow = [](FormCell *cell) { return objectRow(cell->cellClass(), cell); };
    switch (section) {
    case LogSection:
        return formRow(celllabelSegmentCell);
    case EntrySection: {
        FormCell *cells[] = {cellVehile,   cellMeetTo,  cellEntryType,
                             cellTockenNo, cellPurpose, cellInGateName};
        return row >= 0 && row < 6 ? formRow(cells[row]) : QVariantMap();
    }
    case INSection:
    case OUTSection:
        if (const SectionEntry *entry = entryAt(section, row)) {
            QVariantMap cell = secItemTBLViewCell::contents(*entry);
            cell.insert(QStringLiteral("owner"), QVariant::fromValue<QObject *>(this));
            cell.insert(QStringLiteral("section"), section);
            cell.insert(QStringLiteral("row"), row);
            return cell;
        }
        return formRow(section == INSection ? attachINDC : attachOUTDC);
    default:
        return {};
    }
}

bool securityLogDetailView::sectionEditable(int section) const {
    if (section == INSection)
        return IsUpdateable != kNo;
    if (section == OUTSection)
        return IsOutSecUpdateable != kNo;
    return false;
}

QList<SwipeAction> securityLogDetailView::trailingSwipeActions(int section, int row) {
    if (!sectionEditable(section) || m_saving)
        return {};
    if (const SectionEntry *entry = entryAt(section, row)) {
        if (entry->isSaved())
            return {};
        return {SwipeAction{QStringLiteral("Delete"), common::sharedInstance().themeColor(),
                            [this, section, row](auto done) {
                                deleteEntry(section, row);
                                done(true);
                            }}};
    }
    if (row != numberOfRows(section) - 1)
        return {};
    const auto &theme = CommonClass::shared();
    auto attachDC = [this, section](auto done) {
        auto *list = new DCApprovalViewController();
        // IN takes the DCs coming to this division; OUT those that may leave it.
        list->viewType = section == INSection ? QStringLiteral("Sec_Div_OutAndPed_DC")
                                              : QStringLiteral("Sec_PDC");
        list->AccessFrom = sectionName(section);
        presentInStack(list);
        done(true);
    };
    auto scan = [this, section](auto done) {
        auto *scanner = new qrCodeReaderViewController();
        scanner->AccessFrom = sectionName(section);
        presentInStack(scanner);
        done(true);
    };
    return {
        SwipeAction{QStringLiteral("Att DC"), theme.rowSelColor, attachDC},
        SwipeAction{QStringLiteral("DC Scan"), theme.orange1, scan},
        SwipeAction{QStringLiteral("Att PO"), theme.approveFontColor, [this, section](auto done) {
                        openStorePO(section);
                        done(true);
                    }}};
}

void securityLogDetailView::deleteEntry(int section, int row) {
    QList<SectionEntry> *list = sectionList(section);
    if (!list || row < 0 || row >= list->size())
        return;
    list->removeAt(row);
    deleteRow(section, row);
}

void securityLogDetailView::didSelectRow(int section, int row) {
    if (m_saving)
        return;
    cellTockenNo->resignFirstResponder();
    if (section == EntrySection) {
        if (row == 0 || row == 1 || row == 2 || row == 4)
            openPicker(row);
        return;
    }
    if (section != INSection && section != OUTSection)
        return;
    const SectionEntry *entry = entryAt(section, row);
    if (entry && entry->DC_id >= 1 && !entry->IsOutSideDCReturn) {
        openDCRow(section, row);
        return;
    }
    // A closed section's add row does nothing; its documents still open to be read.
    if (!entry && !sectionEditable(section))
        return;
    openPartyDetails(section, row);
}

void securityLogDetailView::presentInStack(ViewController *screen) {
    auto *nav = new NavigationController(screen);
    CommonClass::shared().styleNavigation(nav);
    if (!present(nav, true))
        delete nav;
}

void securityLogDetailView::openPartyDetails(int section, int row) {
    auto *screen = new securityAddPartyDetails();
    screen->FindInOrOutSection = sectionName(section);
    if (const SectionEntry *entry = entryAt(section, row)) {
        screen->sel_PartyDetails = entry->PartyDetails;
        screen->cellItems = entry->DATA;
        screen->InsertIndex = row;
        screen->IsOutSideDCReturn = entry->IsOutSideDCReturn;
    }
    screen->IsUpdateable = IsUpdateable;
    presentInStack(screen);
}

void securityLogDetailView::openStorePO(int section) {
    auto *screen = new securityAddPO();
    screen->AccessFrom = sectionName(section);
    screen->IsUpdateable = IsUpdateable;
    presentInStack(screen);
}

void securityLogDetailView::openDCRow(int section, int row) {
    const SectionEntry *entry = entryAt(section, row);
    if (!entry)
        return;
    // What the entry holds now: the lists may change before the answer comes.
    const QList<ItemRow> entryItems = entry->DATA;
    const QVariantMap parameters{
        {QStringLiteral("SPName"), QStringLiteral("Usp_CommonService")},
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("SP_Type"), QStringLiteral("Sec_DCViewByDC_id")},
                     {QStringLiteral("BranchCode"), master.BranchCode},
                     {QStringLiteral("ID"), master.Users_id},
                     {QStringLiteral("LikeStr"), QString::number(entry->DC_id)}}},
        {QStringLiteral("withStrings"), true}};
    fetchDATA::nodefetchD(
        parameters,
        [this, section, row, entryItems](const QVariant &reply) {
            const auto rows = RowsReader::listOfRows(reply);
            MainQueue::async(this, [this, section, row, entryItems, rows] {
                bool whole = false;
                const Row dc = rows && !rows->isEmpty() ? rows->first() : Row();
                const int id = RowsReader::text(dc, QStringLiteral("DC_id")).toInt(&whole);
                if (!whole || id < 1) {
                    common::sharedInstance().showAlert(this, QStringLiteral("Alert !"),
                                                       QStringLiteral("DC details not found"));
                    return;
                }
                presentInStack(dcDetailFor(dc, id, section, row, entryItems));
            });
        },
        this);
}

DCDetailViewController *securityLogDetailView::dcDetailFor(const QVariantMap &dc, int id,
                                                           int section, int row,
                                                           const QList<ItemRow> &entryItems) {
    auto *detail = new DCDetailViewController();
    detail->DCId = id;
    detail->AccessFrom = sectionName(section);
    detail->indexSecDetailView = row;
    detail->viewType = QStringLiteral("Sec_PDC");
    // The record also gives the party's id and town, so an edited DC keeps its city.
    detail->DCdata = dc;
    detail->headercell->fill(dc, DCDetailParentCellTableViewCell::PictureOrder::ByNumber);
    // The earlier choice is the tapped entry's own items, in either section.
    const QString state = RowsReader::text(dc, QStringLiteral("IsOutDC"));
    if (state == QLatin1String("OutDCYes") && !entryItems.isEmpty()) {
        detail->IsOutSideDCReturn = QStringLiteral("Yes");
        detail->OutSideDCInsertedItems = entryItems;
    }
    if (IsUpdateable == kNo) {
        detail->IsOutSideDCReturn = QStringLiteral("Report");
        // A DC wholly back is shown with the quantities this log took in.
        if (state == QLatin1String("OutDCComplete"))
            detail->OutSideDCInsertedItems = entryItems;
    }
    return detail;
}

void securityLogDetailView::itemTapped(int, int, int) {
    // Only the scan strips open a DC from a tile; a log section's tiles do nothing on one tap.
}

void securityLogDetailView::itemDoubleTapped(int section, int row, int item) {
    QList<SectionEntry> *list = sectionList(section);
    if (!list || row < 0 || row >= list->size() || m_saving)
        return;
    const auto question = secItemTBLViewCell::deleteQuestion(list->at(row), item);
    if (!question)
        return;
    auto *alert = new AlertController(QStringLiteral("Alert !"), *question);
    // The entry is found again when the answer comes: the lists may have changed meanwhile.
    const ItemRow target = list->at(row).DATA.value(item);
    alert->addAction(QStringLiteral("Yes"), AlertAction::Style::Default,
                     [this, section, target](AlertController *) {
                         QList<SectionEntry> *entries = sectionList(section);
                         for (int r = 0; r < entries->size(); ++r) {
                             const int index = int((*entries)[r].DATA.indexOf(target));
                             if (index < 0)
                                 continue;
                             if (secItemTBLViewCell::removeItem((*entries)[r], index))
                                 deleteEntry(section, r);
                             else
                                 reloadData();
                             return;
                         }
                     });
    alert->addAction(QStringLiteral("No"), AlertAction::Style::Cancel);
    common::sharedInstance().presentAlert(common::sharedInstance().topViewController(), alert);
}

// ---- pickers

void securityLogDetailView::openPicker(int row) {
    comboBox::ListOptions options;
    QVariantMap search;
    switch (row) {
    case 0:
        options.title = QStringLiteral("Vehicle");
        options.element = kVehile;
        search = {{QStringLiteral("SearchBy"), QStringLiteral("VehicleIOS")},
                  {QStringLiteral("SearchText"), header->mobileNo()}};
        options.valueField = QStringLiteral("IOVehicle");
        options.dataFields = {QStringLiteral("IOVehicle")};
        options.returnCustomText = true;
        break;
    case 1:
        options.title = kMeetTo;
        options.element = kMeetTo;
        search = {{QStringLiteral("SearchBy"), QStringLiteral("Meet_To")},
                  {QStringLiteral("SearchText"), QString()}};
        options.valueField = QStringLiteral("EmpName");
        options.dataFields = {QStringLiteral("EmpName"), QStringLiteral("-"),
                              QStringLiteral("EmpCode"), QStringLiteral("Department")};
        options.imageField = QStringLiteral("ImagePath");
        options.searchField = QStringLiteral("SearchText");
        options.cellClass = QStringLiteral("imageLabelCell");
        options.returnCustomText = true;
        break;
    case 2:
        options.title = kEntryType;
        options.element = kEntryType;
        search = {{QStringLiteral("SearchBy"), QStringLiteral("EntryType")}};
        options.valueField = QStringLiteral("IOType_id");
        options.dataFields = {QStringLiteral("IOType")};
        break;
    case 4:
        options.title = kPurpose;
        options.element = kPurpose;
        search = {{QStringLiteral("SearchBy"), QStringLiteral("Purpose")}};
        options.valueField = QStringLiteral("Purpose");
        options.dataFields = {QStringLiteral("Purpose")};
        options.returnCustomText = true;
        break;
    default:
        return;
    }
    openSecurityLogPicker(this, this, this, options, search);
}

void securityLogDetailView::box(comboBox *, const QString &text, const QString &element,
                                const QList<QMap<QString, QString>> &data, const QVariantList &) {
    labelCell *row = element == kVehile      ? cellVehile
                     : element == kMeetTo    ? cellMeetTo
                     : element == kEntryType ? cellEntryType
                     : element == kPurpose   ? cellPurpose
                                             : nullptr;
    if (!row)
        return;
    if (data.isEmpty()) {
        // Typed text the list did not have: taken as it is, except for the entry type,
        // which must be one the server knows.
        if (row != cellEntryType && !text.isEmpty())
            row->setText(text);
        return;
    }
    const QMap<QString, QString> &chosen = data.first();
    if (row == cellEntryType) {
        row->setText(chosen.value(QStringLiteral("IOType")));
        row->valueIdentifier = chosen.value(QStringLiteral("IOType_id"));
        row->identifier = row->valueIdentifier;
    } else {
        row->setText(text);
        row->identifier = text;
    }
}

void securityLogDetailView::box(comboBox *, const QString &element, int,
                                const QMap<QString, QString> &data, QVariantMap &cell) {
    CommonClass::shared().style(QStringLiteral("comboxtableviewcell"), cell);
    // The entry type is chosen by its id but read by its name.
    if (element == kEntryType && data.contains(QStringLiteral("IOType"))) {
        cell.insert(QStringLiteral("text"), data.value(QStringLiteral("IOType")));
        cell.insert(QStringLiteral("detail"), QString());
    }
    // An employee reads "name - code" over the department.
    if (element == kMeetTo && data.contains(QStringLiteral("EmpName"))) {
        cell.insert(QStringLiteral("text"), data.value(QStringLiteral("EmpName")) +
                                                QStringLiteral(" - ") +
                                                data.value(QStringLiteral("EmpCode")));
        cell.insert(QStringLiteral("detail"), data.value(QStringLiteral("Department")));
    }
}

// ---- the load of an existing log

void securityLogDetailView::loadLog() {
    const QVariantMap parameters{
        {QStringLiteral("SPName"), QStringLiteral("USP_GetSecurityLogBySearchText")},
        {QStringLiteral("withStrings"), true},
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("SearchBy"), QStringLiteral("SecIOLogDetail")},
                     {QStringLiteral("SearchText"), SecIOLog_id},
                     {QStringLiteral("BranchCode"), master.BranchCode}}},
    };
    m_load = fetchDATA::nodefetchD(
        parameters,
        [this](const QVariant &reply) {
            const Rows rows = RowsReader::textRows(reply);
            MainQueue::async(this, [this, rows] {
                applyDetailRows(rows);
                MainQueue::async(this, [this] { reloadData(); });
            });
        },
        this);
}

namespace {

// A value that is there: present and not the empty text.
std::optional<QString> presentText(const Row &row, const char *key) {
    const QString value = RowsReader::text(row, QLatin1String(key));
    return value.isEmpty() ? std::nullopt : std::optional<QString>(value);
}

ItemRow loadedItem(const Row &row, const QString &quantity, const std::optional<QString> &docPath) {
    ItemRow item = makeItemRow();
    item->titleText = RowsReader::text(row, QStringLiteral("Particulars"));
    item->textField = quantity;
    item->textFieldIdentifier = quantity;
    item->savedDetailId = RowsReader::text(row, QStringLiteral("SecIOLogDet_id"));
    if (item->hasSavedDetailId()) {
        item->buttonsHidden = true;
        item->makeReadOnly = false;
    }
    if (docPath) {
        const QUrl url = KingfisherWrapper::convertToSource(*docPath);
        if (url.isValid()) {
            item->ItemImagePath = *docPath;
            item->imageUrl = url;
        }
    }
    return item;
}

void fillEntry(SectionEntry &entry, const Row &row, const std::optional<QString> &docDate,
               bool removeMissingDate) {
    auto setOrRemove = [&entry](const QString &key, const std::optional<QString> &value) {
        if (value)
            entry.PartyDetails.insert(key, *value);
        else
            entry.PartyDetails.remove(key);
    };
    setOrRemove(QStringLiteral("PartyName"), presentText(row, "PartyName"));
    setOrRemove(QStringLiteral("City"), presentText(row, "City"));
    setOrRemove(QStringLiteral("BillNo"), presentText(row, "DocNo"));
    if (docDate || removeMissingDate)
        setOrRemove(QStringLiteral("BillDate"), docDate);
    entry.savedDetailId = RowsReader::text(row, QStringLiteral("SecIOLogDet_id"));
    bool ok = false;
    const int dc = RowsReader::text(row, QStringLiteral("DC_id")).toInt(&ok);
    if (ok && dc > 0 && entry.DC_id < 1)
        entry.DC_id = dc;
}

} // namespace

void securityLogDetailView::applyDetailRows(const Rows &rows) {
    QString lastParty, lastDocNo;
    const bool closed = IsUpdateable == kNo && IsOutSecUpdateable == kNo;
    for (const Row &row : rows) {
        const auto party = presentText(row, "PartyName");
        const auto docNo = presentText(row, "DocNo");
        const auto quantity = presentText(row, "Quantity");
        const auto outQty = presentText(row, "OutQty");
        const auto converted = common::sharedInstance().convertDateText(
            14, 0, RowsReader::text(row, QStringLiteral("DocDate")));
        const std::optional<QString> docDate =
            converted && !converted->isEmpty() ? converted : std::nullopt;
        const bool newDocument = !party || *party != lastParty || !docNo || *docNo != lastDocNo;
        if (newDocument) {
            if (quantity)
                PartyINSectionCollView.append(SectionEntry{});
            if (outQty || !quantity)
                PartyOUTSectionCollView.append(SectionEntry{});
            if (party)
                lastParty = *party;
            if (docNo)
                lastDocNo = *docNo;
        }
        const auto docPath = presentText(row, "DocPath");
        // A line that continues a document whose own entry went to the other section starts
        // an entry of its own here, rather than being lost.
        if (quantity) {
            if (PartyINSectionCollView.isEmpty())
                PartyINSectionCollView.append(SectionEntry{});
            SectionEntry &entry = PartyINSectionCollView.last();
            entry.DATA.append(loadedItem(row, *quantity, docPath));
            fillEntry(entry, row, docDate, false);
        }
        if (outQty || (!quantity && closed)) {
            if (PartyOUTSectionCollView.isEmpty())
                PartyOUTSectionCollView.append(SectionEntry{});
            SectionEntry &entry = PartyOUTSectionCollView.last();
            entry.DATA.append(loadedItem(row, outQty.value_or(QString()), docPath));
            fillEntry(entry, row, docDate, true);
        }
    }
}

// ---- cancel, person

void securityLogDetailView::CancelSecurityLogView() {
    if (m_saving)
        return;
    if (auto *nav = navigationController())
        nav->popToRootViewController(true);
}

void securityLogDetailView::ViewAddNewPerson() {
    openPersonScreen(this);
}
