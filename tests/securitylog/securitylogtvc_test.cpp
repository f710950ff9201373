#include "fixtures.h"
#include "manualtimer.h"
#include "menuviewcontroller.h"
#include "printurl.h"
#include "securityaddnewperson.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "sessionevents.h"
#include "sessionfixture.h"
#include "shownscreen.h"
#include "vclogin.h"

#include <QAbstractItemModel>
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
    AlertController *alert() const { return qobject_cast<AlertController *>(topmostScreen(root)); }
    // The alert on top as "title/message", or "" when none is up.
    QString said() const { return alert() ? alert()->title() + "/" + alert()->message() : ""; }
    int drawnRows() const {
        return qobject_cast<QAbstractItemModel *>(list->tableModel())->rowCount();
    }
    // The title of the form a tap on `row` opens; the form is closed again.
    QString opens(int row) {
        list->didSelectRow(0, row);
        auto *form = qobject_cast<securityLogDetailView *>(root->topViewController());
        const QString title = form ? form->title() : QString();
        root->popViewController(false);
        processEvents();
        return title;
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
    auto *form = qobject_cast<securityLogDetailView *>(root->topViewController());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), "Edit - Security Log (13)");
    EXPECT_EQ(form->celllabelSegmentCell->items(),
              QStringList({"IN\n(06 Dec 02:05 PM)", "OUT \n(06 Dec 06:30 PM)"}));

    list->DATA[0]["SecIOLog_id"] = "12&x=1 ?";
    list->performSwipeAction(0, 0, 1); // "Print"
    auto *report = qobject_cast<ReportViewController *>(topmostScreen(root));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->url().toString(QUrl::FullyEncoded),
              DistinctServerSets::base(1) +
                  "/rpt/10_Reports/FrmSecLog.aspx?SecIOLog_id=12%26x%3D1%20%3F&BranchCode=HLV01");
}

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
    const char *division, *inTime, *secLogFrom, *outTime;
    const char *shownId, *formTitle;
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
    auto *form = qobject_cast<securityLogDetailView *>(root->topViewController());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), c.formTitle);
    const bool newLog = form->title() == "New Security Log";
    EXPECT_EQ(form->celllabelSegmentCell->items(),
              QStringList({newLog ? "IN" : "IN\n(06 Dec 02:05 PM)", "OUT"}));
}

constexpr const char *kIn = "06 Dec 2026 14:05:09";
constexpr const char *kFrom = "04 Dec 2026 14:00:00";
constexpr const char *kNew = "New Security Log";

// clang-format off
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
// clang-format on

// Mark OUT and the server's answer: only an SMsg closed with "ok" removes the log, even when
// another log arrived meanwhile and it is no longer the row that was swiped, and even when
// something was already up over the list (the menu, or the answer for another log).
enum class Over { Nothing, Menu, Answer };

struct MarkOutCase {
    const char *name;
    QByteArray body;
    Over over;
    const char *said;
    const char *action;
    bool removed;
};

class MarkOutTest : public LogListTest, public ::testing::WithParamInterface<MarkOutCase> {};

TEST_P(MarkOutTest, SendsTheLogAndRemovesItOnlyWhenASuccessIsClosed) {
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
    if (c.over == Over::Menu)
        list->leftBarButtonItem()->trigger();
    if (c.over == Over::Answer) {
        list->performSwipeAction(0, 0, 0); // "Out" on log 12, answered first
        net->replyRaw(2, R"([{"SMsg":"12 is out"}])");
        processEvents();
    }
    list->DATA.prepend(openLog("99", "New arrival"));
    list->LoadDATA = list->DATA;
    net->replyRaw(1, c.body);
    processEvents();
    EXPECT_EQ(said(), c.said) << "shown over what is up";
    EXPECT_TRUE(shownPeople().contains("Bala")) << "nothing removed before the alert is closed";
    ASSERT_TRUE(alert()->tap(c.action));
    processEvents();
    EXPECT_EQ(shownPeople().contains("Bala"), !c.removed);
    EXPECT_EQ(list->searchController->text().isEmpty(), c.removed);
    if (c.over == Over::Answer) {
        EXPECT_EQ(said(), "Alert/12 is out") << "the first answer is still there";
        alert()->tap("ok");
        processEvents();
        EXPECT_FALSE(shownPeople().contains("Anand"));
    }
    EXPECT_TRUE(shownPeople().contains("New arrival"));
    EXPECT_EQ(list->LoadDATA, list->DATA);
}

const QByteArray kDone = R"([{"SMsg":"done"}])";
const QByteArray kNo = R"([{"ErrorMsg":"no"}])";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Replies, MarkOutTest,
    ::testing::Values(
        MarkOutCase{"SMsg", kDone, Over::Nothing, "Alert/done", "ok", true},
        MarkOutCase{"ErrorMsg", kNo, Over::Nothing, "Error/no", "OK", false},
        MarkOutCase{"ErrorMsgWinsOverSMsg", R"([{"ErrorMsg":"no","SMsg":"done"}])", Over::Nothing,
                    "Error/no", "OK", false},
        MarkOutCase{"OverTheMenu", kDone, Over::Menu, "Alert/done", "ok", true},
        MarkOutCase{"OverAnotherAnswer", kDone, Over::Answer, "Alert/done", "ok", true},
        MarkOutCase{"ErrorOverAnotherAnswer", kNo, Over::Answer, "Error/no", "OK", false}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// What the guard sees is what a tap acts on: the rows, the mode and the table change in the
// same turn, whether a search is out, its reply lands or the open logs come in.
TEST_F(LogListTest, ATapActsOnTheRowsDrawnWhileRepliesAreOnTheirWay) {
    showWithOpenLogs();
    search("kumar"); // out, not answered
    EXPECT_EQ(swipeTitles(0), QStringList({"Out", "Print"})) << "still the open logs";
    EXPECT_EQ(opens(0), "Edit - Security Log (12)");

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
    EXPECT_EQ(opens(2), "New Security Log") << "a found person, not an open log";

    type("ku");
    EXPECT_EQ(drawnRows(), 1) << "the kept open logs, drawn at once";
    EXPECT_EQ(list->fromSearch, "No");
    EXPECT_EQ(swipeTitles(0), QStringList({"Out", "Print"}));

    search("bala"); // cleared again before its delay or its reply: nothing of it shows
    type("");
    net->replyLast(QVariantList{person});
    type("bal");
    type("");
    EXPECT_FALSE(timers.created.last()->isActive()) << "a cleared field searches nothing";
    processEvents();
    EXPECT_EQ(shownPeople(), QStringList{"Late"});
}

// The return key offers a new person: the typed text goes to the mobile number when it reads as
// one, else to the name; the report search offers none.
TEST_F(LogListTest, TheReturnKeyOffersANewPersonWithWhatWasTyped) {
    showWithOpenLogs();
    for (const auto &[typed, isPhone] : {std::pair<QString, bool>{" +91 98400-12345 ", true},
                                         std::pair<QString, bool>{"Anand 2", false}}) {
        list->searchController->setText(typed);
        list->searchBarSearchButtonClicked();
        EXPECT_EQ(said(), "Alert !/Add New Person ?");
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
    EXPECT_EQ(said(), "Alert !/Report Screen Not Allow to Add New Person");
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
        processEvents();
        menu = qobject_cast<MenuViewController *>(topmostScreen(root));
        ASSERT_NE(menu, nullptr);
    }
    QPointer<MenuViewController> menu;
};

// A device record asked for before the guard logged out must not bring the session back.
TEST_F(MenuTest, ADeviceRecordArrivingAfterLogOutChangesNothing) {
    UserDefaults::standard().setValue("someOtherPreference", 3);
    menu->didSelectRow(0, 5); // Log Out
    processEvents();
    EXPECT_TRUE(UserDefaults::standard().keys().isEmpty()) << "log out clears every preference";
    auto *login = qobject_cast<VCLogin *>(topmostScreen(root));
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

} // namespace
