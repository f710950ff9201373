#include "securitylogtvc.h"

#include "qrcodereaderviewcontroller.h"

#include "access.h"
#include "alertcontroller.h"
#include "common.h"
#include "commonclass.h"
#include "datatask.h"
#include "dbconnection.h"
#include "mainqueue.h"
#include "menuviewcontroller.h"
#include "navigationcontroller.h"
#include "offthread.h"
#include "printurl.h"
#include "securityaddnewperson.h"
#include "securitylogcell.h"
#include "securitylogdetailview.h"
#include "sessionevents.h"
#include "vclogin.h"

#include <QRegularExpression>
#include <QUrl>

namespace {
// A list the screen drops is let go off the GUI thread once it is long: freeing ten thousand
// open logs takes longer than a frame.
constexpr qsizetype longList = 1000;

void replaceRows(Rows &kept, const Rows &fresh) {
    Rows old = std::exchange(kept, fresh);
    if (old.size() >= longList)
        OffThread::release(std::move(old));
}
} // namespace

securityLogTVC::securityLogTVC(QObject *parent) : TableViewController(false, parent) {
    setTitle(QStringLiteral("Security Log"));
    // The device record may arrive after the list came back from the login: reload then, or
    // a first login would show an empty list.
    connect(&SessionEvents::instance(), &SessionEvents::deviceRecordChanged, this, [this] {
        if (searchController && fromSearch == QLatin1String("No") && !IsReportSearchActive)
            loadOpenLogs();
    });
}

securityLogTVC::~securityLogTVC() {
    if (searchfetcher)
        searchfetcher->cancel();
}

void securityLogTVC::viewDidLoad() {
    IsHaveUserCredentials = common::sharedInstance().hasSavedSession();
    const auto &theme = CommonClass::shared();
    setBarTintColor(theme.rowSelColor);
    setBackgroundColor(theme.tableViewRowBC);
    setLeftBarButtonItem(BarButtonItem::titled(
        QStringLiteral("Menu"), true, [this] { showMenu(); }, this));
    setRightBarButtonItem(BarButtonItem::system(
        QStringLiteral("action"), [this] { showScanSheet(); }, this));
    if (IsHaveUserCredentials)
        setUpList();
}

void securityLogTVC::viewWillAppear(bool) {
    IsHaveUserCredentials = common::sharedInstance().hasSavedSession();
    if (!IsHaveUserCredentials) {
        presentLogin();
        return;
    }
    if (!searchController)
        setUpList();
}

void securityLogTVC::viewWillDisappear(bool) {
    if (searchController)
        searchController->resignFirstResponder();
}

void securityLogTVC::presentLogin() {
    // Owned by the list until presented, so it goes with the list if that never happens.
    auto *nav = new NavigationController(new VCLogin(), this);
    CommonClass::shared().styleNavigation(nav);
    // Presenting goes through the main queue: the list may be appearing right now.
    MainQueue::async(this, [this, nav] {
        if (!present(nav, true))
            delete nav;
    });
}

void securityLogTVC::setUpList() {
    searchController = new SearchController(this);
    searchController->onTextChange = [this](const QString &text) { updateSearchResults(text); };
    searchController->onSearchButton = [this] { searchBarSearchButtonClicked(); };
    Q_EMIT searchControllerChanged();
    loadOpenLogs();
}

QVariantMap securityLogTVC::openLogsParameters() {
    return {
        {QStringLiteral("SPName"), QStringLiteral("USP_GetSecurityLogBySearchText")},
        {QStringLiteral("withStrings"), true},
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("SearchBy"), QStringLiteral("NotOut")},
                     {QStringLiteral("SearchText"), master.Division_id},
                     {QStringLiteral("BranchCode"), master.BranchCode}}},
    };
}

void securityLogTVC::loadOpenLogs() {
    if (master.Division_id.isEmpty())
        return;
    fetchDATA::nodefetchD(
        openLogsParameters(),
        [this](const QVariant &reply) {
            // The reply is handed over on the main thread: the kept rows, the shown rows and
            // the table change in this same turn, so a tap always acts on the row it was drawn
            // from, and the next frame (at launch, the first) already shows the logs.
            replaceRows(LoadDATA, RowsReader::textRows(reply));
            // A search result on screen stays there (the open logs come back when the field is
            // cleared), where the original replaced it with the open logs.
            if (fromSearch != QLatin1String("Yes"))
                replaceRows(DATA, LoadDATA);
            reloadData();
        },
        this);
}

void securityLogTVC::updateSearchResults(const QString &text) {
    const QString trimmed = text.trimmed();
    if (trimmed.size() >= 3) {
        MainQueue::async(this, [this, trimmed] {
            if (!shouldSearchTimer)
                shouldSearchTimer = OneShotTimer::create();
            shouldSearchTimer->cancel();
            shouldSearchTimer->start(250, [this, trimmed] { sendSearch(trimmed); });
        });
        return;
    }
    // Back to the open logs. A search still waiting (on its delay or its reply) is dropped:
    // it would otherwise show people for a field that is now empty.
    if (shouldSearchTimer)
        shouldSearchTimer->cancel();
    if (searchfetcher)
        searchfetcher->cancel();
    searchfetcher.reset();
    ++m_searchGeneration;
    replaceRows(DATA, LoadDATA);
    fromSearch = QStringLiteral("No");
    reloadData();
}

void securityLogTVC::sendSearch(const QString &text) {
    if (searchfetcher)
        searchfetcher->cancel();
    const QVariantMap parameters{
        {QStringLiteral("SPName"), QStringLiteral("USP_SecurityLogBySearchText_RptSearch")},
        {QStringLiteral("withStrings"), true},
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("branchCode"), master.BranchCode},
                     {QStringLiteral("SearchText"), text},
                     {QStringLiteral("SearchBy"), IsReportSearchActive
                                                      ? QStringLiteral("SecIOS_ReportFilterSearch")
                                                      : QStringLiteral("MobileIOS")}}},
    };
    const quint64 generation = ++m_searchGeneration;
    // The list turns to search mode only with the reply's rows, in the same turn as the
    // reload: until then the open logs stay drawn and a tap or swipe acts on them as such.
    searchfetcher = fetchDATA::nodefetchD(
        parameters,
        [this, generation](const QVariant &reply) {
            const Rows rows = RowsReader::textRows(reply);
            MainQueue::async(this, [this, rows, generation] {
                if (generation != m_searchGeneration)
                    return; // the field was cleared, or a newer search went out
                replaceRows(DATA, rows);
                fromSearch = QStringLiteral("Yes");
                reloadData();
            });
        },
        this);
}

int securityLogTVC::numberOfRows(int) const {
    return int(DATA.size());
}

qreal securityLogTVC::heightForRow(int, int) const {
    return SecurityLogCell::rowHeight;
}

QVariantMap securityLogTVC::cellForRow(int, int row) {
    if (row < 0 || row >= DATA.size())
        return {};
    using SecurityLogCell::Kind;
    const Kind kind = isSearchRow()          ? Kind::SearchRow
                      : IsReportSearchActive ? Kind::ReportRow
                                             : Kind::ListRow;
    return SecurityLogCell::contents(DATA.at(row), kind, IsReportSearchActive);
}

QList<SwipeAction> securityLogTVC::trailingSwipeActions(int, int row) {
    const bool editable = fromSearch == QLatin1String("No") || IsReportSearchActive;
    if (!editable || row < 0 || row >= DATA.size())
        return {};
    SwipeAction print{QStringLiteral("Print"), QColor(), [this, row](auto done) {
                          printLog(row);
                          done(true);
                      }};
    if (IsReportSearchActive)
        return {print};
    SwipeAction out{QStringLiteral("Out"), CommonClass::shared().swifeApproveBC,
                    [this, row](auto done) {
                        markOut(row);
                        done(true);
                    }};
    return {out, print};
}

void securityLogTVC::markOut(int row) {
    if (row < 0 || row >= DATA.size())
        return;
    const QString id = RowsReader::text(DATA.at(row), QStringLiteral("SecIOLog_id"));
    const QVariantList log{
        QVariantMap{{QStringLiteral("IOLog_ids"), id}, {QStringLiteral("ImageData"), QString()}}};
    const QMap<QString, QString> parameters{
        {QStringLiteral("SecurityIOLog"), datatask::sharedInstance().toJSONText(log)},
        {QStringLiteral("SecurityIODetails"), QString()},
    };
    fetchDATA::DataTask(
        this, DCdatabase + QStringLiteral("/SaveSecurityIOLog"), parameters, QStringLiteral("J"),
        [this, id](const QVariant &reply) {
            const Rows rows = RowsReader::textRows(reply);
            MainQueue::async(this, [this, rows, id] {
                const Row first = rows.value(0);
                const QString error = RowsReader::text(first, QStringLiteral("ErrorMsg"));
                if (!error.isEmpty()) {
                    common::sharedInstance().showAlert(this, QStringLiteral("Error"), error);
                    return;
                }
                if (!first.contains(QStringLiteral("SMsg")))
                    return;
                auto *alert = new AlertController(QStringLiteral("Alert"),
                                                  RowsReader::text(first, QStringLiteral("SMsg")));
                alert->addAction(QStringLiteral("ok"), AlertAction::Style::Default,
                                 [this, id](AlertController *) { removeLog(id); });
                present(alert, true);
            });
        });
}

// The row is found again by its log number: the list may have changed while the request was
// out, and removing by the old index would drop another log.
void securityLogTVC::removeLog(const QString &secIOLogId) {
    auto indexOf = [&secIOLogId](const Rows &rows) {
        for (int i = 0; i < rows.size(); ++i)
            if (RowsReader::text(rows.at(i), QStringLiteral("SecIOLog_id")) == secIOLogId)
                return i;
        return -1;
    };
    const int shown = indexOf(DATA);
    if (shown >= 0)
        DATA.removeAt(shown);
    const int kept = indexOf(LoadDATA);
    if (kept >= 0)
        LoadDATA.removeAt(kept);
    if (shown >= 0)
        deleteRow(0, shown);
    fromSearch = QStringLiteral("No");
    if (searchController)
        searchController->clear();
}

void securityLogTVC::printLog(int row) {
    setEditing(false, true);
    if (row < 0 || row >= DATA.size())
        return;
    const QString id = RowsReader::text(DATA.at(row), QStringLiteral("SecIOLog_id"));
    printURL(this, reportUrl(id), QStringLiteral("SecLog_%1.pdf").arg(id));
}

QUrl securityLogTVC::reportUrl(const QString &secIOLogId) {
    QUrl url(reportServer + QStringLiteral("/10_Reports/FrmSecLog.aspx"));
    // Both values are percent-encoded whole, so any character of a log number arrives as is.
    url.setQuery(QString::fromLatin1("SecIOLog_id=" + QUrl::toPercentEncoding(secIOLogId) +
                                     "&BranchCode=" + QUrl::toPercentEncoding(master.BranchCode)),
                 QUrl::StrictMode);
    return url;
}

void securityLogTVC::scrollViewWillBeginDragging() {
    if (IsHaveUserCredentials && searchController)
        searchController->resignFirstResponder();
}

void securityLogTVC::didSelectRow(int, int row) {
    if (row < 0 || row >= DATA.size())
        return;
    if (searchController)
        searchController->resignFirstResponder();
    auto *form = new securityLogDetailView();
    const bool searchRow = isSearchRow();
    Row source;
    bool newLog = false;
    if (searchRow) {
        source = DATA.at(row);
        if (!SecurityLogCell::isOpenLogOfThisDivision(source)) {
            newLog = true;
            form->setTitle(QStringLiteral("New Security Log"));
            form->celllabelSegmentCell->setItems({QStringLiteral("IN"), QStringLiteral("OUT")});
            form->IsUpdateable = QString();
        } else {
            const QString id = RowsReader::text(source, QStringLiteral("Employee_id"));
            form->setTitle(QStringLiteral("Edit - Security Log (") + id + QStringLiteral(")"));
            form->SecIOLog_id = id;
            if (source.contains(QStringLiteral("IsUpdateable")))
                form->IsUpdateable = RowsReader::text(source, QStringLiteral("IsUpdateable"));
        }
    } else {
        // List rows come from the kept open logs; report rows from the search reply.
        const bool report = fromSearch == QLatin1String("Yes") && IsReportSearchActive;
        source = report ? DATA.at(row) : LoadDATA.value(row, DATA.at(row));
        const QString id = RowsReader::text(source, QStringLiteral("SecIOLog_id"));
        form->setTitle((report ? QStringLiteral("View - Security Log (")
                               : QStringLiteral("Edit - Security Log (")) +
                       id + QStringLiteral(")"));
        form->SecIOLog_id = id;
        form->IsUpdateable = RowsReader::text(source, QStringLiteral("IsUpdateable"));
        form->IsOutSecUpdateable = form->IsUpdateable;
    }
    auto text = [&source](const char *key) { return RowsReader::text(source, QLatin1String(key)); };
    if (!newLog) {
        auto &c = common::sharedInstance();
        const QString in = c.convertDateText(14, 8, text("InTime")).value_or(QString());
        const QString out = c.convertDateText(14, 8, text("OutTime")).value_or(QString());
        form->celllabelSegmentCell->setItems(
            {in.isEmpty() ? QStringLiteral("IN") : QStringLiteral("IN\n(") + in + QLatin1Char(')'),
             out.isEmpty() ? QStringLiteral("OUT")
                           : QStringLiteral("OUT \n(") + out + QLatin1Char(')')});
        if (!out.isEmpty())
            form->IsOutSecUpdateable = text("IsUpdateable");
    }
    form->cellVehile->setText(text("IOVehicle"));
    form->cellMeetTo->setText(text("Meet_To"));
    form->cellEntryType->setText(text("IOType"));
    form->cellEntryType->identifier = text("IOType_id");
    form->cellPurpose->setText(text("Purpose"));
    form->cellTockenNo->setText(text("TokenNo"));
    if (!text("FPDeviceName").isEmpty())
        form->cellInGateName->setText(text("FPDeviceName"));
    PersonDetailsView *person = form->header;
    person->setName(text("IOPerson"));
    person->setMobileNo(text("IOMobile"));
    person->setAddress(text("IOAdd1"));
    person->setDesignation(text("IODesignation"));
    person->setImagePath(text("IOImgPath"));
    if (text("IOImgPath").isEmpty())
        person->setPhotoBackground(QColor::fromRgbF(1, 1, 1, 0.95));
    if (auto *nav = navigationController())
        nav->pushViewController(form, true);
    else
        delete form;
}

void securityLogTVC::searchBarSearchButtonClicked() {
    if (IsReportSearchActive) {
        common::sharedInstance().showAlert(
            this, QStringLiteral("Alert !"),
            QStringLiteral("Report Screen Not Allow to Add New Person"));
        return;
    }
    auto *alert =
        new AlertController(QStringLiteral("Alert !"), QStringLiteral("Add New Person ?"));
    alert->addAction(QStringLiteral("Yes"), AlertAction::Style::Default, [this](AlertController *) {
        const QString typed = searchController ? searchController->text().trimmed() : QString();
        auto *screen = new securityAddNewPerson();
        static const QRegularExpression phone(QStringLiteral("^[0-9+\\- ]+$"));
        if (phone.match(typed).hasMatch())
            screen->cMobileNo->setText(typed);
        else
            screen->cPerson->setText(typed);
        screen->cPersonImage->setImageBackgroundColor(secPersonImageCell::emptyPhotoBackground());
        if (auto *nav = navigationController())
            nav->pushViewController(screen, true);
        else
            delete screen;
    });
    alert->addAction(QStringLiteral("No"), AlertAction::Style::Cancel);
    present(alert, true);
}

void securityLogTVC::showMenu() {
    auto *nav = new NavigationController(new MenuViewController());
    CommonClass::shared().styleNavigation(nav);
    if (!present(nav, true))
        delete nav;
}

void securityLogTVC::showScanSheet() {
    auto *sheet =
        new AlertController(QStringLiteral("More"), QString(), AlertController::Style::ActionSheet);
    auto openScanner = [this](const QString &viewType) {
        auto *scanner = new qrCodeReaderViewController();
        scanner->ScanViewType = viewType;
        auto *nav = new NavigationController(scanner);
        CommonClass::shared().styleNavigation(nav);
        if (!present(nav, true))
            delete nav;
    };
    sheet->addAction(QStringLiteral("Scan DC & Others"), AlertAction::Style::Default,
                     [openScanner](AlertController *) { openScanner(QString()); });
    sheet->addAction(QStringLiteral("Scan Bill"), AlertAction::Style::Default,
                     [openScanner](AlertController *) { openScanner(QStringLiteral("BILL")); });
    sheet->addAction(QStringLiteral("Cancel"), AlertAction::Style::Cancel);
    present(sheet, true);
}
