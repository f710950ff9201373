#include "dcapprovalviewcontroller.h"

#include "access.h"
#include "common.h"
#include "commonclass.h"
#include "dbconnection.h"
#include "dcdetailviewcontroller.h"
#include "formcells.h"
#include "gendcappdetailcell.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "scanneddocuments.h"
#include "sectionplacement.h"
#include "securitylogdetailview.h"

#include <QPointer>

namespace {
const QString kSelected = QStringLiteral("DCSelected");
const QString kOutDCYes = QStringLiteral("OutDCYes");

QString lower(const Row &row, const char *key) {
    return RowsReader::text(row, QLatin1String(key)).toLower();
}

// "From Weaving, Looms": the non-empty values joined.
QString joined(const Row &row, const char *first, const char *second) {
    QStringList parts;
    for (const char *key : {first, second})
        if (const QString value = RowsReader::text(row, QLatin1String(key)); !value.isEmpty())
            parts.append(value);
    return parts.join(QStringLiteral(", "));
}
} // namespace

DCApprovalViewController::DCApprovalViewController(QObject *parent)
    : TableViewController(false, parent), searchController(new SearchController(this)),
      DCurlstr(DCdatabase + QStringLiteral("/InsertGenDc")) {
    searchController->onTextChange = [this](const QString &text) { searchTextChanged(text); };
}

DCApprovalViewController::~DCApprovalViewController() {
    if (m_list)
        m_list->cancel();
}

const QMap<QString, QString> &DCApprovalViewController::viewTypeDict() {
    static const QMap<QString, QString> titles{
        {QStringLiteral("Sel_DCP"), QStringLiteral("Pending")},
        {QStringLiteral("Sel_DCA"), QStringLiteral("Approved List")},
        {QStringLiteral("Sel_DCR"), QStringLiteral("Rejected List")},
        {QStringLiteral("Sec_PDC"), QStringLiteral("Pending")},
        {QStringLiteral("SDCA"), QStringLiteral("Approved List")},
        {QStringLiteral("SDCR"), QStringLiteral("Rejected List")}};
    return titles;
}

void DCApprovalViewController::viewDidLoad() {
    const auto &theme = CommonClass::shared();
    setTitle(viewTypeDict().value(viewType));
    setBackgroundColor(theme.tableViewRowBC);
    setBarTintColor(Qt::black);
    setRightBarButtonItem(BarButtonItem::system(
        QStringLiteral("done"), [this] { Attach(); }, this));
    setLeftBarButtonItem(BarButtonItem::system(
        QStringLiteral("cancel"), [this] { Cancel(); }, this));
}

void DCApprovalViewController::viewWillAppear(bool) {
    refresh();
}

void DCApprovalViewController::setRefreshing(bool refreshing) {
    if (m_refreshing == refreshing)
        return;
    m_refreshing = refreshing;
    Q_EMIT refreshingChanged();
}

// ---- the list

void DCApprovalViewController::refresh() {
    // The screen is opened with a list kind; without one there is nothing to ask for.
    if (viewType.isEmpty()) {
        setRefreshing(false);
        return;
    }
    if (m_list)
        m_list->cancel();
    const QVariantMap parameters{
        {QStringLiteral("SPName"), viewType == QLatin1String("Sec_PDC")
                                       ? QStringLiteral("USP_CommonService_Sec_PDC")
                                       : QStringLiteral("Usp_CommonService")},
        {QStringLiteral("JSONData"), QVariantMap{{QStringLiteral("SP_Type"), viewType},
                                                 {QStringLiteral("BranchCode"), master.BranchCode},
                                                 {QStringLiteral("ID"), master.Users_id}}},
        {QStringLiteral("withStrings"), true}};
    m_list = fetchDATA::nodefetchD(
        parameters,
        [this](const QVariant &reply) {
            // A reply that is not a list keeps what is shown.
            const auto rows = RowsReader::listOfRows(reply);
            if (!rows)
                return;
            TOTALDATA = sectionRows(*rows);
            DATA = TOTALDATA;
            MainQueue::async(this, [this] { reloadData(); });
        },
        // The framework's time-out: a silent server must not keep the list waiting forever.
        this);
    MainQueue::async(this, [this] { setRefreshing(false); });
}

Rows DCApprovalViewController::sectionRows(const Rows &reply) const {
    const QString division = master.DivisionName.toLower();
    const bool in = AccessFrom == QLatin1String("IN");
    if (!in && AccessFrom != QLatin1String("OUT"))
        return reply;
    Rows rows;
    for (const Row &dc : reply) {
        const QString state = lower(dc, "IsOutDC");
        const bool shown =
            in ? (lower(dc, "TDiv").contains(division) && state.contains(QLatin1String("yes"))) ||
                     (lower(dc, "FDiv").contains(division) &&
                      state.contains(QLatin1String("outdcyes")) &&
                      lower(dc, "IsRet").contains(QLatin1String("r")))
               : lower(dc, "FDiv").contains(division) && state.contains(QLatin1String("no"));
        if (shown)
            rows.append(dc);
    }
    return rows;
}

void DCApprovalViewController::searchTextChanged(const QString &text) {
    // Searched within the section's DCs, so a DC of the other direction (or of another
    // division) never shows here to be attached by mistake; case is ignored on both sides.
    const QString typed = text.trimmed().toLower();
    DATA.clear();
    for (const Row &dc : std::as_const(TOTALDATA)) {
        bool found = typed.isEmpty();
        for (const char *key : {"DCCode", "FDept", "ToDept", "FDiv", "TDiv", "IssToEmp",
                                "TakenByName", "IssueEmpName"})
            found = found || lower(dc, key).contains(typed);
        if (found)
            DATA.append(dc);
    }
    MainQueue::async(this, [this] { reloadData(); });
}

// ---- the table

int DCApprovalViewController::numberOfRows(int) const {
    return int(DATA.size());
}

qreal DCApprovalViewController::heightForRow(int, int) const {
    return GenDcAppDetailCell::rowHeight;
}

QVariantMap DCApprovalViewController::cellForRow(int, int row) {
    return row >= 0 && row < DATA.size() ? GenDcAppDetailCell::contents(DATA.at(row))
                                         : QVariantMap();
}

void DCApprovalViewController::didSelectRow(int, int row) {
    if (row < 0 || row >= DATA.size())
        return;
    Row &dc = DATA[row];
    const bool ticked = RowsReader::text(dc, kSelected) == QLatin1String("Yes");
    dc.insert(kSelected, ticked ? QStringLiteral("No") : QStringLiteral("Yes"));
    reloadData();
}

QList<SwipeAction> DCApprovalViewController::trailingSwipeActions(int, int row) {
    if (row < 0 || row >= DATA.size())
        return {};
    return {SwipeAction{QStringLiteral("View"), CommonClass::shared().swifeApproveBC,
                        [this, row](auto done) {
                            done(true);
                            View(row);
                        }}};
}

DCDetailViewController *DCApprovalViewController::View(int row) {
    NavigationController *stack = navigationController();
    if (!stack || row < 0 || row >= DATA.size())
        return nullptr;
    const Row dc = DATA.at(row);
    auto *detail = new DCDetailViewController();
    detail->PeforeScreen = QStringLiteral("DCApprovalView");
    detail->AccessFrom = AccessFrom;
    bool whole = false;
    const int id = RowsReader::text(dc, QStringLiteral("DC_id")).toInt(&whole);
    if (whole)
        detail->DCId = id;
    detail->DCdata = dc;
    detail->viewType = viewType;
    if (RowsReader::text(dc, QStringLiteral("IsOutDC")) == kOutDCYes)
        detail->IsOutSideDCReturn = QStringLiteral("Yes");
    // Who approved or rejected the DC, as the list gives it.
    detail->approvedBy = RowsReader::text(dc, QStringLiteral("ApprovedBy"));
    detail->headercell->fill(dc,
                             DCDetailParentCellTableViewCell::PictureOrder::ChallanGoodsVehicle);
    stack->pushViewController(detail, true);
    return detail;
}

// ---- Done and Cancel

void DCApprovalViewController::Attach() {
    if (m_sent > m_handled)
        return; // a Done is still on its way
    m_sent = 0;
    m_handled = 0;
    m_notFound.clear();
    QList<Row> ticked;
    for (const Row &dc : std::as_const(DATA))
        if (dc.contains(QStringLiteral("DC_id")) &&
            RowsReader::text(dc, kSelected) == QLatin1String("Yes"))
            ticked.append(dc);
    m_sent = int(ticked.size());
    for (const Row &dc : std::as_const(ticked)) {
        const QVariantMap parameters{
            {QStringLiteral("SPName"), QStringLiteral("Usp_CommonService")},
            {QStringLiteral("JSONData"),
             QVariantMap{{QStringLiteral("SP_Type"), QStringLiteral("Sel_DCD")},
                         {QStringLiteral("BranchCode"), master.BranchCode},
                         {QStringLiteral("ID"), RowsReader::text(dc, QStringLiteral("DC_id"))}}},
            {QStringLiteral("withStrings"), true}};
        fetchDATA::nodefetchD(
            parameters,
            [this, dc](const QVariant &reply) {
                const auto lines = RowsReader::listOfRows(reply);
                MainQueue::async(this, [this, dc, lines] { attachReply(dc, lines); });
            },
            this);
    }
}

void DCApprovalViewController::attachReply(const Row &dc, const std::optional<Rows> &lines) {
    ++m_handled;
    bool whole = false;
    const int id = lines && !lines->isEmpty()
                       ? RowsReader::text(lines->first(), QStringLiteral("DC_id")).toInt(&whole)
                       : 0;
    securityLogDetailView *form = SectionPlacement::logFormBelow(this);
    const bool in = AccessFrom == QLatin1String("IN");
    if (!lines || !whole || id < 1) {
        // No lines, or lines that name no DC: nothing is made of it, and the guard is told.
        m_notFound.append(RowsReader::text(dc, QStringLiteral("DCCode")));
    } else if (form && (in || AccessFrom == QLatin1String("OUT"))) {
        SectionEntry entry;
        entry.DC_id = id;
        DcDetailsDATA = *lines;
        entry.DATA = ScannedDocuments::positiveBalanceRows(*lines);
        for (const ItemRow &item : std::as_const(entry.DATA))
            item->makeReadOnly = false;
        // A DC with nothing left to pass adds nothing.
        if (!entry.DATA.isEmpty()) {
            const bool returning = RowsReader::text(dc, QStringLiteral("IsOutDC")) == kOutDCYes;
            auto &details = entry.PartyDetails;
            details.insert(QStringLiteral("PartyName"),
                           in ? QStringLiteral("From ") + (returning ? joined(dc, "TDiv", "ToDept")
                                                                     : joined(dc, "FDiv", "FDept"))
                              : QStringLiteral("To ") + joined(dc, "TDiv", "ToDept"));
            const QString code = RowsReader::text(dc, QStringLiteral("DCCode"));
            if (dc.contains(QStringLiteral("DCCode")))
                details.insert(QStringLiteral("BillNo"), code);
            if (const auto date = common::sharedInstance().convertDateText(
                    4, 0, RowsReader::text(dc, QStringLiteral("DCDate"))))
                details.insert(QStringLiteral("BillDate"), *date);
            if (dc.contains(QStringLiteral("Party_id")))
                details.insert(QStringLiteral("Party_id"),
                               RowsReader::text(dc, QStringLiteral("Party_id")));
            const QString city = RowsReader::text(dc, QStringLiteral("CityName"));
            details.insert(QStringLiteral("City"),
                           city.isEmpty() ? QStringLiteral("Halvik") : city);
            entry.IsOutSideDCReturn = returning;

            QList<SectionEntry> &list =
                in ? form->PartyINSectionCollView : form->PartyOUTSectionCollView;
            const QList<SectionEntry> &other =
                in ? form->PartyOUTSectionCollView : form->PartyINSectionCollView;
            auto same = std::find_if(list.begin(), list.end(), [&code](const SectionEntry &e) {
                return e.PartyDetails.value(QStringLiteral("BillNo"), QStringLiteral("\x01")) ==
                       code;
            });
            if (same != list.end()) {
                // Attached again: the entry is replaced, and a saved one stays that saved line.
                entry.savedDetailId = same->savedDetailId;
                *same = entry;
            } else {
                list.append(entry);
                if (other.isEmpty())
                    form->celllabelSegmentCell->setSelectedSegmentIndex(in ? 0 : 1);
            }
        }
    }
    if (m_handled != m_sent)
        return;
    QPointer<securityLogDetailView> target = form;
    if (!m_notFound.isEmpty()) {
        // The others are in the log already; a second Done replaces them rather than doubling.
        if (target)
            target->reloadData();
        common::sharedInstance().showAlert(this, QStringLiteral("Alert !"),
                                           QStringLiteral("No items found for ") +
                                               m_notFound.join(QStringLiteral(", ")));
        return;
    }
    MainQueue::async(this, [this, target] {
        dismiss(true);
        if (target)
            target->reloadData();
    });
}

void DCApprovalViewController::Cancel() {
    MainQueue::async(this, [this] { dismiss(true); });
}
