#include "fixtures.h"
#include "manualtimer.h"
#include "menuviewcontroller.h"
#include "navigationcontroller.h"
#include "printurl.h"
#include "qrcodereaderviewcontroller.h"
#include "securityaddnewperson.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "sessionevents.h"
#include "sessionfixture.h"
#include "vclogin.h"
#include "window.h"

#include <QAbstractItemModel>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// An open log of division 1 (Spinning), in at 06 Dec 2026 14:05:09, through "Main Gate".
QVariantMap openLog(const QString &id, const QString &person) {
    QVariantMap row =
        QJsonDocument::fromJson(fixture("securitylog/open-logs.json"))[0].toObject().toVariantMap();
    row.insert({{"SecIOLog_id", id}, {"IOPerson", person}});
    return row;
}

class LogListTest : public SessionTest {
protected:
    void show() {
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        processEvents();
    }
    // Logged in, open logs 12 (Anand) and 13 (Bala) of division 1 listed.
    void showWithOpenLogs() {
        logIn();
        show();
        net->replyRaw(0, fixture("securitylog/open-logs.json"));
        processEvents();
        ASSERT_EQ(list->DATA.size(), 2);
    }
    void type(const QString &text) {
        list->searchController->setText(text);
        processEvents();
    }
    // Types `text` and lets the search delay run out.
    void search(const QString &text) {
        type(text);
        ASSERT_FALSE(timers.created.isEmpty());
        timers.created.last()->fire();
    }
    QVariantMap sentData() const { return net->sent.last().json().value("JSONData").toMap(); }
    QStringList shownPeople() const {
        QStringList people;
        for (const auto &row : list->DATA)
            people.append(row.value("IOPerson").toString());
        return people;
    }
    QStringList swipeTitles(int row) const {
        QStringList titles;
        for (const auto &a : list->trailingSwipeActions(0, row))
            titles.append(a.title);
        return titles;
    }
    AlertController *alert() const {
        return qobject_cast<AlertController *>(root->presentedViewController());
    }
    // The rows the table draws right now.
    int drawnRows() const {
        return qobject_cast<QAbstractItemModel *>(list->tableModel())->rowCount();
    }
    securityLogDetailView *openedForm() const {
        return qobject_cast<securityLogDetailView *>(root->topViewController());
    }

    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
    ManualTimers timers;
    ManualTimers::Scope timerScope{timers};
};

TEST_F(LogListTest, OpenLogsLoadOnceThereIsADivisionAndListRowsOpenAndPrint) {
    logIn("");
    show();
    EXPECT_TRUE(net->sent.isEmpty()) << "no division, no request";
    master.Division_id = "4"; // the device record arrives
    Q_EMIT SessionEvents::instance().deviceRecordChanged();
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].request.url.toString(), DistinctServerSets::base(1) + "/sp");
    EXPECT_EQ(net->sent[0].json().value("SPName").toString(), "USP_GetSecurityLogBySearchText");
    const QVariantMap expected{
        {"SearchBy", "NotOut"}, {"SearchText", "4"}, {"BranchCode", "HLV01"}};
    EXPECT_EQ(sentData(), expected);
    net->replyRaw(0, fixture("securitylog/open-logs.json"));
    processEvents();
    const QVariantMap cell = list->cellForRow(0, 0);
    EXPECT_EQ(cell.value("lblSecLog_id").toString(), "12");
    EXPECT_EQ(cell.value("lblInTime").toString(), "06 Dec, 02:05 PM");
    EXPECT_EQ(swipeTitles(1), QStringList({"Out", "Print"}));
    list->LoadDATA[1]["OutTime"] = "06 Dec 2026 18:30:00";
    list->DATA = list->LoadDATA;
    list->didSelectRow(0, 1);
    ASSERT_NE(openedForm(), nullptr);
    EXPECT_EQ(openedForm()->title(), "Edit - Security Log (13)");
    EXPECT_EQ(openedForm()->celllabelSegmentCell->items(),
              QStringList({"IN\n(06 Dec 02:05 PM)", "OUT \n(06 Dec 06:30 PM)"}));

    list->DATA[0]["SecIOLog_id"] = "12&x=1 ?";
    list->performSwipeAction(0, 0, 1); // "Print"
    auto *nav = qobject_cast<NavigationController *>(root->presentedViewController());
    auto *report = nav ? nav->viewControllerAt<ReportViewController>(0) : nullptr;
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->url().toString(QUrl::FullyEncoded),
              DistinctServerSets::base(1) +
                  "/rpt/10_Reports/FrmSecLog.aspx?SecIOLog_id=12%26x%3D1%20%3F&BranchCode=HLV01");
}

// Odd open-logs replies, one fixture each: whatever is not a row is skipped, values that are
// not text read as text, and a row never shows another's labels.
struct OddReply {
    const char *fixture; // under securitylog/odd-open-logs/
    int status;
    int rows;
    const char *firstId = "";
    const char *firstPerson = "";
};

class OddOpenLogsTest : public LogListTest, public ::testing::WithParamInterface<OddReply> {};

TEST_P(OddOpenLogsTest, ShowsOnlyTheRowsItHolds) {
    const OddReply &k = GetParam();
    logIn();
    show();
    net->replyRaw(0, fixture(QStringLiteral("securitylog/odd-open-logs/") + k.fixture), k.status);
    processEvents();
    ASSERT_EQ(list->numberOfRows(0), k.rows);
    if (k.rows == 0)
        return;
    const QVariantMap cell = list->cellForRow(0, 0);
    EXPECT_EQ(cell.value("lblSecLog_id").toString(), k.firstId);
    EXPECT_EQ(cell.value("lblPersonName").toString(), k.firstPerson);
    EXPECT_EQ(cell.value("lblInTime").toString(), "");
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, OddOpenLogsTest,
    ::testing::Values(OddReply{"html-page.txt", 200, 0}, OddReply{"empty.txt", 200, 0},
                      OddReply{"truncated.json", 200, 0}, OddReply{"../open-logs.json", 500, 0},
                      OddReply{"numbers-not-text.json", 200, 1, "12", "Anand"},
                      OddReply{"missing-keys.json", 200, 1, "5"},
                      OddReply{"mixed-items.json", 200, 2, "7", "Bala"}),
    [](const auto &info) {
        return QFileInfo(info.param.fixture).baseName().replace('-', '_').toStdString() + "_" +
               std::to_string(info.param.status);
    });

TEST_F(LogListTest, ASearchWaitsForTypingToPauseAndOnlyTheLatestReplyIsShown) {
    logIn();
    show(); // the open logs (request 0) are still on their way
    type(" ab ");
    EXPECT_TRUE(timers.created.isEmpty()) << "under three characters nothing is searched";
    type("ana");
    ASSERT_EQ(timers.created.size(), 1);
    EXPECT_EQ(timers.created.last()->interval(), 250);
    type(" anan ");
    ASSERT_EQ(timers.created.size(), 1) << "at most one timer";
    EXPECT_EQ(net->sent.size(), 1) << "nothing before the delay";
    timers.created.last()->fire();
    ASSERT_EQ(net->sent.size(), 2);
    EXPECT_EQ(net->sent[1].json().value("SPName").toString(),
              "USP_SecurityLogBySearchText_RptSearch");
    const QVariantMap expected{
        {"branchCode", "HLV01"}, {"SearchText", "anan"}, {"SearchBy", "MobileIOS"}};
    EXPECT_EQ(sentData(), expected);
    search("anand");
    EXPECT_TRUE(net->sent[1].job->cancelled) << "the earlier search is cancelled";
    net->reply(2, QVariantList{openLog("40", "Anand K")});
    net->reply(1, QVariantList{openLog("41", "stale")});
    net->replyRaw(0, fixture("securitylog/open-logs.json"));
    processEvents();
    EXPECT_EQ(shownPeople(), QStringList{"Anand K"}) << "open logs do not replace a search result";
    type("");
    EXPECT_EQ(shownPeople(), QStringList({"Anand", "Bala"})) << "the open logs were kept";
    search("kumar");
    type("");
    net->replyLast(QVariantList{openLog("50", "Kumar")});
    processEvents();
    EXPECT_EQ(shownPeople(), QStringList({"Anand", "Bala"})) << "the field was cleared";
}

// A found row is an open log here only when of this division, without out time and in after its
// SecLogFrom; otherwise it starts a new log for the person. Report rows are logs to view.
struct FoundRowCase {
    const char *name;
    bool report;
    const char *division;
    const char *inTime;
    const char *secLogFrom;
    const char *outTime;
    const char *shownId;
    const char *formTitle;
};

class FoundRowTest : public LogListTest, public ::testing::WithParamInterface<FoundRowCase> {};

TEST_P(FoundRowTest, ShowsAndOpensTheRowByItsKind) {
    const FoundRowCase c = GetParam();
    showWithOpenLogs();
    list->IsReportSearchActive = c.report;
    search("kumar");
    EXPECT_EQ(sentData().value("SearchBy").toString(),
              c.report ? "SecIOS_ReportFilterSearch" : "MobileIOS");
    QVariantMap row = openLog("56", "Kumar");
    // Search rows carry the open log's number in Employee_id; report rows in SecIOLog_id.
    row.insert({{"Employee_id", "55"},
                {"Division_id", c.division},
                {"InTime", c.inTime},
                {"SecLogFrom", c.secLogFrom},
                {"OutTime", c.outTime}});
    net->replyLast(QVariantList{row});
    processEvents();
    EXPECT_EQ(list->cellForRow(0, 0).value("lblSecLog_id").toString(), c.shownId);
    EXPECT_EQ(swipeTitles(0), c.report ? QStringList{"Print"} : QStringList{});
    list->didSelectRow(0, 0);
    auto *form = openedForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), c.formTitle);
    const bool newLog = form->title() == "New Security Log";
    EXPECT_EQ(form->celllabelSegmentCell->items(),
              QStringList({newLog ? "IN" : "IN\n(06 Dec 02:05 PM)", "OUT"}));
}

constexpr const char *kIn = "06 Dec 2026 14:05:09";
constexpr const char *kFrom = "04 Dec 2026 14:00:00";
constexpr const char *kNew = "New Security Log";

INSTANTIATE_TEST_SUITE_P(
    Rows, FoundRowTest,
    ::testing::Values(
        FoundRowCase{"OpenHere", false, "1", kIn, kFrom, "", "55", "Edit - Security Log (55)"},
        FoundRowCase{"OtherDivision", false, "2", kIn, kFrom, "", "", kNew},
        FoundRowCase{"OutTimeSet", false, "1", kIn, kFrom, "06 Dec 2026 16:00:00", "", kNew},
        FoundRowCase{"InBeforeFrom", false, "1", "01 Dec 2026 14:05:09", kFrom, "", "", kNew},
        FoundRowCase{"SameInstant", false, "1", kFrom, kFrom, "", "", kNew},
        FoundRowCase{"UnreadableInTime", false, "1", "2026-12-06 14:05", kFrom, "", "", kNew},
        FoundRowCase{"NoFrom", false, "1", kIn, "", "", "", kNew},
        FoundRowCase{"Report", true, "2", kIn, kFrom, "", "56 (Spinning)",
                     "View - Security Log (56)"}),
    [](const auto &info) { return std::string(info.param.name); });

// Mark OUT and the server's answer: only an SMsg closed with "ok" removes the log.
struct MarkOutCase {
    const char *name;
    QByteArray body;
    const char *title; // "" when nothing is shown
    const char *message;
    const char *action;
    bool removed;
};

class MarkOutTest : public LogListTest, public ::testing::WithParamInterface<MarkOutCase> {};

TEST_P(MarkOutTest, SendsTheLogAndRemovesItOnlyOnSuccess) {
    const MarkOutCase &c = GetParam();
    showWithOpenLogs();
    list->searchController->setText("ab");
    list->performSwipeAction(0, 1, 0); // "Out" on log 13
    ASSERT_EQ(net->sent.size(), 2);
    EXPECT_EQ(net->sent[1].request.url.toString(),
              DistinctServerSets::base(1) + "/dc/SaveSecurityIOLog");
    const QMap<QString, QString> form{{"SecurityIOLog", R"([{"IOLog_ids":"13","ImageData":""}])"},
                                      {"SecurityIODetails", ""}};
    EXPECT_EQ(net->sent[1].form(), form);
    // A log arrives while the request is out: log 13 is no longer row 1.
    list->DATA.prepend(openLog("99", "New arrival"));
    list->LoadDATA = list->DATA;
    net->replyRaw(1, c.body);
    processEvents();
    if (*c.title) {
        ASSERT_NE(alert(), nullptr);
        EXPECT_EQ(alert()->title(), c.title);
        EXPECT_EQ(alert()->message(), c.message);
        EXPECT_EQ(list->DATA.size(), 3) << "nothing removed before the alert is closed";
        ASSERT_TRUE(alert()->tap(c.action));
        processEvents();
    } else {
        EXPECT_EQ(alert(), nullptr);
    }
    const QStringList kept{"New arrival", "Anand"};
    EXPECT_EQ(shownPeople(), c.removed ? kept : kept + QStringList{"Bala"});
    EXPECT_EQ(list->LoadDATA, list->DATA);
    EXPECT_EQ(list->searchController->text().isEmpty(), c.removed);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, MarkOutTest,
    ::testing::Values(MarkOutCase{"SMsg", R"([{"SMsg":"done"}])", "Alert", "done", "ok", true},
                      MarkOutCase{"ErrorMsg", R"([{"ErrorMsg":"no"}])", "Error", "no", "OK", false},
                      MarkOutCase{"ErrorMsgWinsOverSMsg", R"([{"ErrorMsg":"no","SMsg":"done"}])",
                                  "Error", "no", "OK", false},
                      MarkOutCase{"Neither", R"([{"Other":"x"}])", "", "", "", false},
                      MarkOutCase{"Malformed", "<html>", "", "", "", false}),
    [](const auto &info) { return std::string(info.param.name); });

// What the guard sees is what a tap acts on: the rows, the mode and the table change in the
// same turn, whether a search is out, its reply lands or the open logs come in.
TEST_F(LogListTest, ATapActsOnTheRowsDrawnWhileRepliesAreOnTheirWay) {
    showWithOpenLogs();
    search("kumar"); // out, not answered
    EXPECT_EQ(swipeTitles(0), QStringList({"Out", "Print"})) << "still the open logs";
    list->didSelectRow(0, 0);
    ASSERT_NE(openedForm(), nullptr);
    EXPECT_EQ(openedForm()->title(), "Edit - Security Log (12)");
    root->popViewController(false);
    processEvents();

    QVariantMap person = openLog("", "Kumar");
    person.insert({{"Employee_id", "E-9"}, {"Division_id", "2"}});
    net->replyLast(QVariantList{person, person, person});
    EXPECT_EQ(drawnRows(), list->numberOfRows(0)) << "no rows change before the table does";
    processEvents();
    EXPECT_EQ(drawnRows(), 3);
    EXPECT_EQ(list->fromSearch, "Yes");

    list->loadOpenLogs(); // open logs arrive while the people are shown
    net->replyLast(QVariantList{openLog("30", "Late")});
    processEvents();
    EXPECT_EQ(drawnRows(), 3);
    list->didSelectRow(0, 2);
    ASSERT_NE(openedForm(), nullptr);
    EXPECT_EQ(openedForm()->title(), "New Security Log") << "a found person, not an open log";
    root->popViewController(false);
    processEvents();

    type("ku");
    EXPECT_EQ(drawnRows(), 1) << "the kept open logs, drawn at once";
    EXPECT_EQ(list->fromSearch, "No");
    EXPECT_EQ(swipeTitles(0), QStringList({"Out", "Print"}));

    search("bala"); // cleared again before its delay or its reply: nothing of it shows
    type("");
    net->replyLast(QVariantList{person});
    type("bal");
    type("");
    ASSERT_FALSE(timers.created.isEmpty());
    EXPECT_FALSE(timers.created.last()->isActive()) << "a cleared field searches nothing";
    processEvents();
    EXPECT_EQ(shownPeople(), QStringList{"Late"});
}

// A mark-OUT answer is shown even when something is already up over the list, and closing it
// removes the log.
struct CoveredCase {
    const char *name;
    QByteArray body;
    const char *title;
    bool removed;
    bool menuUp; // else a second "Out" alert is up
};

class CoveredMarkOutTest : public LogListTest, public ::testing::WithParamInterface<CoveredCase> {
protected:
    // The alert at the top of what is presented over the list.
    AlertController *topAlert() const {
        ViewController *top = root;
        while (ViewController *next = top->presentedViewController())
            top = next;
        return qobject_cast<AlertController *>(top);
    }
};

TEST_P(CoveredMarkOutTest, TheAnswerIsShownOverWhatIsUp) {
    const CoveredCase &c = GetParam();
    showWithOpenLogs();
    list->performSwipeAction(0, 1, 0); // "Out" on log 13
    if (c.menuUp) {
        list->leftBarButtonItem()->trigger();
        ASSERT_NE(root->presentedViewController(), nullptr);
    } else {
        list->performSwipeAction(0, 0, 0); // "Out" on log 12, answered first
        net->replyRaw(2, R"([{"SMsg":"12 is out"}])");
        processEvents();
        ASSERT_NE(alert(), nullptr);
    }
    net->replyRaw(1, c.body);
    processEvents();
    AlertController *answer = topAlert();
    ASSERT_NE(answer, nullptr) << "the answer was dropped";
    EXPECT_EQ(answer->title(), c.title);
    answer->tap(answer->actionTitles().first());
    processEvents();
    EXPECT_EQ(shownPeople().contains("Bala"), !c.removed);
    if (!c.menuUp) {
        ASSERT_NE(topAlert(), nullptr) << "the first answer is still there";
        topAlert()->tap("ok");
        processEvents();
        EXPECT_FALSE(shownPeople().contains("Anand"));
    }
    EXPECT_EQ(list->LoadDATA, list->DATA);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, CoveredMarkOutTest,
    ::testing::Values(
        CoveredCase{"OverTheMenu", R"([{"SMsg":"done"}])", "Alert", true, true},
        CoveredCase{"OverAnotherAnswer", R"([{"SMsg":"done"}])", "Alert", true, false},
        CoveredCase{"ErrorOverAnotherAnswer", R"([{"ErrorMsg":"no"}])", "Error", false, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LogListTest, MoreOffersTheScansAndTheReturnKeyANewPerson) {
    showWithOpenLogs();
    list->rightBarButtonItem()->trigger();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "More");
    EXPECT_EQ(alert()->actionTitles(), QStringList({"Scan DC & Others", "Scan Bill", "Cancel"}));
    alert()->tap("Scan Bill");
    processEvents();
    auto *scanning = qobject_cast<NavigationController *>(root->presentedViewController());
    auto *scanner = scanning ? scanning->viewControllerAt<qrCodeReaderViewController>(0) : nullptr;
    ASSERT_NE(scanner, nullptr);
    EXPECT_EQ(scanner->ScanViewType, "BILL");
    // "Device Error" where there is no camera.
    while (auto *error =
               qobject_cast<AlertController *>(common::sharedInstance().topViewController()))
        error->tap("OK"), processEvents();
    scanner->QRCodeCancel();
    processEvents();
    ASSERT_EQ(root->presentedViewController(), nullptr);

    // The typed text goes to the mobile number when it reads as one, else to the name.
    for (const auto &[typed, isPhone] : {std::pair<QString, bool>{" +91 98400-12345 ", true},
                                         std::pair<QString, bool>{"Anand 2", false}}) {
        list->searchController->setText(typed);
        list->searchBarSearchButtonClicked();
        ASSERT_NE(alert(), nullptr);
        EXPECT_EQ(alert()->message(), "Add New Person ?");
        alert()->tap("Yes");
        auto *person = qobject_cast<securityAddNewPerson *>(root->topViewController());
        ASSERT_NE(person, nullptr);
        EXPECT_EQ(person->cMobileNo->text(), isPhone ? typed.trimmed() : QString());
        EXPECT_EQ(person->cPerson->text(), isPhone ? QString() : typed.trimmed());
        root->popViewController(false);
        processEvents();
    }
    list->IsReportSearchActive = true;
    list->searchBarSearchButtonClicked();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->message(), "Report Screen Not Allow to Add New Person");
}

// The menu, opened from the list's bar.
class MenuTest : public LogListTest {
protected:
    void SetUp() override {
        showWithOpenLogs();
        openMenu();
    }
    void openMenu() {
        list->leftBarButtonItem()->trigger();
        auto *nav = qobject_cast<NavigationController *>(root->presentedViewController());
        menu = nav ? qobject_cast<MenuViewController *>(nav->topViewController()) : nullptr;
        ASSERT_NE(menu, nullptr);
        processEvents();
    }
    QPointer<MenuViewController> menu;
};

// A device record asked for before the guard logged out must not bring the session back.
TEST_F(MenuTest, ADeviceRecordArrivingAfterLogOutChangesNothing) {
    UserDefaults::standard().setValue("someOtherPreference", 3);
    menu->didSelectRow(0, 5); // Log Out
    processEvents();
    EXPECT_TRUE(UserDefaults::standard().keys().isEmpty()) << "log out clears every preference";
    auto *over = qobject_cast<NavigationController *>(
        menu->navigationController()->presentedViewController());
    auto *login = over ? over->viewControllerAt<VCLogin>(0) : nullptr;
    ASSERT_NE(login, nullptr);
    login->usernamecell->setText("demo");
    login->pwdcell->setText("demo");
    login->login();
    net->replyRaw(int(net->sent.size()) - 1, fixture("app/verify-user.json"));
    processEvents();
    const int device = int(net->sent.size()) - 1;
    ASSERT_EQ(net->sent[device].json().value("JSONData").toMap().value("SP_Type"),
              "Sel_DeviceAndDivision");
    ASSERT_EQ(menu->navigationController()->presentedViewController(), nullptr);

    menu->didSelectRow(0, 5); // Log Out again, before the record arrives
    processEvents();
    net->replyRaw(device, fixture("app/device-record.json"));
    processEvents();
    EXPECT_FALSE(UserDefaults::standard().contains("master"));
    EXPECT_FALSE(common::sharedInstance().hasSavedSession());
}

TEST_F(MenuTest, ReportAndSecurityLogSwitchTheListMode) {
    list->searchController->setText("ab");
    menu->didSelectRow(0, 2);
    processEvents();
    EXPECT_TRUE(list->IsReportSearchActive);
    EXPECT_EQ(list->title(), "Security Log Report");
    EXPECT_EQ(root->presentedViewController(), nullptr) << "the menu closed";
    openMenu();
    menu->didSelectRow(0, 0);
    processEvents();
    EXPECT_FALSE(list->IsReportSearchActive);
    EXPECT_EQ(list->title(), "Security Log");
    EXPECT_TRUE(list->searchController->text().isEmpty());
    ASSERT_EQ(net->sent.size(), 2) << "Report asks for nothing; SecurityLog reloads";
    EXPECT_EQ(sentData().value("SearchBy").toString(), "NotOut");
}

} // namespace
