#include "fixtures.h"
#include "manualtimer.h"
#include "navigationcontroller.h"
#include "printurl.h"
#include "securityaddnewperson.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "sessionevents.h"
#include "sessionfixture.h"
#include "vclogin.h"
#include "window.h"

#include <algorithm>
#include <QFileInfo>

namespace {

QVariantMap openLog(const QString &id, const QString &person) {
    return {{"SecIOLog_id", id},
            {"IOPerson", person},
            {"IOMobile", "98400 12345"},
            {"Meet_To", "Suresh"},
            {"InTime", "06 Dec 2026 14:05:09"},
            {"OutTime", ""},
            {"Purpose", "Delivery"},
            {"PersonType", "Driver"},
            {"Division_id", "1"},
            {"DivisionName", "Spinning"},
            {"LogedBy", "Ravi"},
            {"IOImgPath", "~/Security/PersonsImages/p1.png"},
            {"IOVehicle", "TN 38 AB 1234"},
            {"IOType", "Driver"},
            {"IOType_id", "2"},
            {"TokenNo", "T-17"},
            {"FPDeviceName", "Main Gate"},
            {"IOAdd1", "Coimbatore"},
            {"IODesignation", "Driver"},
            {"IsUpdateable", "Yes"}};
}

class LogListTest : public SessionTest {
protected:
    void show() {
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        processEvents();
    }
    // Logged in, open logs of division 1 listed.
    void showWithOpenLogs() {
        logIn();
        show();
        ASSERT_EQ(net->sent.size(), 1);
        net->replyRaw(0, fixture("securitylog/open-logs.json")); // Anand 12, Bala 13
        processEvents();
        ASSERT_EQ(list->DATA.size(), 2);
    }
    AlertController *alert() const {
        return qobject_cast<AlertController *>(root->presentedViewController());
    }
    QStringList swipeTitles(int row) const {
        QStringList titles;
        for (const auto &a : list->trailingSwipeActions(0, row))
            titles.append(a.title);
        return titles;
    }

    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
    ManualTimers timers;
    ManualTimers::Scope timerScope{timers};
};

TEST_F(LogListTest, WithoutASessionTheLoginIsPresentedAndNothingIsLoaded) {
    show();
    auto *nav = qobject_cast<NavigationController *>(root->presentedViewController());
    ASSERT_NE(nav, nullptr);
    EXPECT_NE(nav->viewControllerAt<VCLogin>(0), nullptr);
    EXPECT_TRUE(net->sent.isEmpty());
    EXPECT_EQ(list->searchController, nullptr);
}

TEST_F(LogListTest, TheOpenLogsRequestCarriesTheDivisionAndBranch) {
    logIn("4");
    show();
    ASSERT_EQ(net->sent.size(), 1);
    const QVariantMap body = net->sent.first().json();
    EXPECT_EQ(net->sent.first().request.url.toString(), DistinctServerSets::base(1) + "/sp");
    EXPECT_EQ(body.value("SPName").toString(), "USP_GetSecurityLogBySearchText");
    EXPECT_TRUE(body.value("withStrings").toBool());
    const QVariantMap expected{
        {"SearchBy", "NotOut"}, {"SearchText", "4"}, {"BranchCode", "HLV01"}};
    EXPECT_EQ(body.value("JSONData").toMap(), expected);
}

TEST_F(LogListTest, NoDivisionInTheSessionSendsNothing) {
    logIn("");
    show();
    EXPECT_TRUE(net->sent.isEmpty());
    EXPECT_NE(list->searchController, nullptr);
}

TEST_F(LogListTest, TheDeviceRecordArrivingLaterLoadsTheOpenLogs) {
    logIn("");
    show();
    master.Division_id = "1";
    Q_EMIT SessionEvents::instance().deviceRecordChanged();
    EXPECT_EQ(net->sent.size(), 1);
}

TEST_F(LogListTest, ListRowsShowTheLogAndItsShortInTime) {
    showWithOpenLogs();
    const QVariantMap cell = list->cellForRow(0, 0);
    EXPECT_EQ(cell.value("lblPersonName").toString(), "Anand");
    EXPECT_EQ(cell.value("lblSecLog_id").toString(), "12");
    EXPECT_EQ(cell.value("lblInTime").toString(), "06 Dec, 02:05 PM");
    EXPECT_EQ(cell.value("lblPurpose").toString(), "Delivery");
    EXPECT_EQ(cell.value("purposeColor").value<QColor>(), QColor(242, 159, 75));
    EXPECT_EQ(cell.value("imageUrl").toUrl().toString(),
              DistinctServerSets::base(1) + "/img/Security/PersonsImages/p1.png");
    EXPECT_EQ(list->heightForRow(0, 0), 74);
}

// Odd open-logs replies, one fixture each: whatever is not a row is skipped, values that are
// not text read as text, and a row never shows another's labels.
struct OddReply {
    const char *fixture;
    int status;
    int rows;
    const char *firstId;
    const char *firstPerson;
    const char *firstInTime;
};

void PrintTo(const OddReply &k, std::ostream *os) {
    *os << k.fixture << ' ' << k.status;
}

class OddOpenLogsTest : public LogListTest, public ::testing::WithParamInterface<OddReply> {};

TEST_P(OddOpenLogsTest, ShowsOnlyTheRowsItHolds) {
    const OddReply &k = GetParam();
    logIn();
    show();
    net->replyRaw(0, fixture(QStringLiteral("securitylog/") + k.fixture), k.status);
    processEvents();
    ASSERT_EQ(list->numberOfRows(0), k.rows);
    EXPECT_EQ(list->LoadDATA.size(), k.rows);
    if (k.rows == 0)
        return;
    const QVariantMap cell = list->cellForRow(0, 0);
    EXPECT_EQ(cell.value("lblSecLog_id").toString(), k.firstId);
    EXPECT_EQ(cell.value("lblPersonName").toString(), k.firstPerson);
    EXPECT_EQ(cell.value("lblInTime").toString(), k.firstInTime);
    EXPECT_FALSE(cell.value("imageUrl").toUrl().isValid());
    EXPECT_EQ(cell.value("photoBackground").value<QColor>(), QColor::fromRgbF(1, 1, 1, 0.95));
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, OddOpenLogsTest,
    ::testing::Values(OddReply{"odd-open-logs/html-page.txt", 200, 0, "", "", ""},
                      OddReply{"odd-open-logs/not-an-array.json", 200, 0, "", "", ""},
                      OddReply{"odd-open-logs/zero.txt", 200, 0, "", "", ""},
                      OddReply{"odd-open-logs/empty.txt", 200, 0, "", "", ""},
                      OddReply{"odd-open-logs/truncated.json", 200, 0, "", "", ""},
                      OddReply{"open-logs.json", 500, 0, "", "", ""},
                      OddReply{"odd-open-logs/numbers-not-text.json", 200, 1, "12", "Anand", ""},
                      OddReply{"odd-open-logs/missing-keys.json", 200, 1, "5", "", ""},
                      OddReply{"odd-open-logs/mixed-items.json", 200, 2, "7", "Bala", ""}),
    [](const auto &info) {
        std::string name =
            QFileInfo(QString::fromUtf8(info.param.fixture)).baseName().toStdString();
        std::replace(name.begin(), name.end(), '-', '_');
        return name + "_" + std::to_string(info.param.status);
    });

TEST_F(LogListTest, ShortTextShowsTheOpenLogsAgainWithoutARequest) {
    showWithOpenLogs();
    list->searchController->setText(" ab ");
    processEvents();
    EXPECT_EQ(list->DATA, list->LoadDATA);
    EXPECT_EQ(list->fromSearch, "No");
    EXPECT_TRUE(timers.created.isEmpty());
    EXPECT_EQ(net->sent.size(), 1);
}

TEST_F(LogListTest, ASearchGoesOutAQuarterSecondAfterTheLastKeystroke) {
    showWithOpenLogs();
    list->searchController->setText("abc");
    processEvents();
    ASSERT_EQ(timers.created.size(), 1);
    EXPECT_EQ(timers.created.last()->interval(), 250);
    EXPECT_EQ(net->sent.size(), 1) << "nothing before the delay";

    list->searchController->setText(" abcd ");
    processEvents();
    ASSERT_EQ(timers.created.size(), 1) << "at most one timer";
    EXPECT_TRUE(timers.created.last()->isActive());
    timers.created.last()->fire();

    ASSERT_EQ(net->sent.size(), 2);
    const QVariantMap body = net->sent.last().json();
    EXPECT_EQ(body.value("SPName").toString(), "USP_SecurityLogBySearchText_RptSearch");
    const QVariantMap expected{
        {"branchCode", "HLV01"}, {"SearchText", "abcd"}, {"SearchBy", "MobileIOS"}};
    EXPECT_EQ(body.value("JSONData").toMap(), expected);
    EXPECT_EQ(list->fromSearch, "Yes");
}

TEST_F(LogListTest, OnlyTheLatestSearchReplyReachesTheList) {
    showWithOpenLogs();
    list->searchController->setText("anan");
    processEvents();
    timers.created.last()->fire();
    list->searchController->setText("anand");
    processEvents();
    timers.created.last()->fire();
    ASSERT_EQ(net->sent.size(), 3);
    EXPECT_TRUE(net->sent.at(1).job->cancelled) << "the earlier search is cancelled";

    net->reply(2, QVariantList{openLog("40", "Anand K")});
    net->reply(1, QVariantList{openLog("41", "stale"), openLog("42", "stale")});
    processEvents();
    ASSERT_EQ(list->DATA.size(), 1);
    EXPECT_EQ(list->DATA.first().value("IOPerson").toString(), "Anand K");
    EXPECT_EQ(list->LoadDATA.size(), 2) << "the open logs are kept";
}

TEST_F(LogListTest, ASearchReplyAfterTheFieldWasClearedIsNotShown) {
    showWithOpenLogs();
    list->searchController->setText("anand");
    processEvents();
    timers.created.last()->fire();
    list->searchController->clear();
    processEvents();
    net->replyLast(QVariantList{openLog("40", "Anand K")});
    processEvents();
    EXPECT_EQ(list->DATA, list->LoadDATA);
}

TEST_F(LogListTest, OpenLogsArrivingUnderASearchResultDoNotReplaceIt) {
    logIn();
    show();
    list->searchController->setText("anand");
    processEvents();
    timers.created.last()->fire();
    net->reply(1, QVariantList{openLog("40", "Anand K")});
    processEvents();
    net->reply(0, QVariantList{openLog("12", "Bala"), openLog("13", "Chitra")});
    processEvents();
    ASSERT_EQ(list->DATA.size(), 1);
    EXPECT_EQ(list->DATA.first().value("IOPerson").toString(), "Anand K");
    list->searchController->clear();
    EXPECT_EQ(list->DATA.size(), 2) << "the open logs were kept for when the search ends";
}

TEST_F(LogListTest, ReportModeSearchesLogsAndShowsTheirDivision) {
    showWithOpenLogs();
    list->IsReportSearchActive = true;
    list->searchController->setText("TN 38");
    processEvents();
    timers.created.last()->fire();
    EXPECT_EQ(net->sent.last().json().value("JSONData").toMap().value("SearchBy").toString(),
              "SecIOS_ReportFilterSearch");
    QVariantMap other = openLog("77", "Chitra");
    other["DivisionName"] = "Weaving";
    net->replyLast(QVariantList{other});
    processEvents();
    EXPECT_EQ(list->cellForRow(0, 0).value("lblSecLog_id").toString(), "77 (Weaving)");
    EXPECT_EQ(swipeTitles(0), QStringList{"Print"});
}

struct SearchRowCase {
    const char *name;
    const char *division;
    const char *inTime;
    const char *secLogFrom;
    const char *outTime;
    bool openHere;
};

class SearchRowTest : public LogListTest, public ::testing::WithParamInterface<SearchRowCase> {};

TEST_P(SearchRowTest, AnOpenLogOfThisDivisionOrAPersonWithoutOne) {
    const SearchRowCase c = GetParam();
    showWithOpenLogs();
    list->searchController->setText("kumar");
    processEvents();
    timers.created.last()->fire();
    QVariantMap row = openLog("", "Kumar");
    row["Employee_id"] = "55"; // the open log's number, as the search returns it
    row["Division_id"] = c.division;
    row["InTime"] = c.inTime;
    row["SecLogFrom"] = c.secLogFrom;
    row["OutTime"] = c.outTime;
    net->replyLast(QVariantList{row});
    processEvents();

    const QVariantMap cell = list->cellForRow(0, 0);
    EXPECT_EQ(cell.value("lblPurpose").toString(), "Driver");
    EXPECT_TRUE(swipeTitles(0).isEmpty()) << "search rows have no swipe actions";
    list->didSelectRow(0, 0);
    auto *form = qobject_cast<securityLogDetailView *>(root->topViewController());
    ASSERT_NE(form, nullptr);
    if (c.openHere) {
        EXPECT_EQ(cell.value("lblSecLog_id").toString(), "55");
        EXPECT_EQ(cell.value("lblInTime").toString(), "06 Dec, 02:05 PM");
        EXPECT_EQ(cell.value("purposeColor").value<QColor>(), QColor(242, 159, 75));
        EXPECT_EQ(form->title(), "Edit - Security Log (55)");
        EXPECT_EQ(form->SecIOLog_id, "55");
        EXPECT_EQ(form->IsUpdateable, "Yes");
    } else {
        EXPECT_EQ(cell.value("lblSecLog_id").toString(), "");
        EXPECT_EQ(cell.value("lblLogedBy").toString(), "");
        EXPECT_EQ(form->title(), "New Security Log");
        EXPECT_TRUE(form->SecIOLog_id.isEmpty());
        EXPECT_EQ(form->segmentTitles, QStringList({"IN", "OUT"}));
    }
    EXPECT_EQ(form->personDetails->name(), "Kumar");
    EXPECT_EQ(form->vehicle, "TN 38 AB 1234");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SearchRowTest,
    ::testing::Values(SearchRowCase{"SameDivision", "1", "06 Dec 2026 14:05:09",
                                    "04 Dec 2026 14:00:00", "", true},
                      SearchRowCase{"OtherDivision", "2", "06 Dec 2026 14:05:09",
                                    "04 Dec 2026 14:00:00", "", false},
                      SearchRowCase{"NoDivision", "", "06 Dec 2026 14:05:09",
                                    "04 Dec 2026 14:00:00", "", false},
                      SearchRowCase{"OutTimeSet", "1", "06 Dec 2026 14:05:09",
                                    "04 Dec 2026 14:00:00", "06 Dec 2026 16:00:00", false},
                      SearchRowCase{"InBeforeCutOff", "1", "01 Dec 2026 14:05:09",
                                    "04 Dec 2026 14:00:00", "", false},
                      SearchRowCase{"SameInstant", "1", "04 Dec 2026 14:00:00",
                                    "04 Dec 2026 14:00:00", "", false},
                      SearchRowCase{"UnreadableInTime", "1", "2026-12-06 14:05",
                                    "04 Dec 2026 14:00:00", "", false},
                      SearchRowCase{"NoCutOff", "1", "06 Dec 2026 14:05:09", "", "", false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LogListTest, ListRowsOfferOutAndPrint) {
    showWithOpenLogs();
    EXPECT_EQ(swipeTitles(0), QStringList({"Out", "Print"}));
    EXPECT_EQ(list->trailingSwipeActions(0, 0).first().backgroundColor, QColor(125, 218, 144));
}

TEST_F(LogListTest, MarkOutSendsTheLogAndRemovesItOnOk) {
    showWithOpenLogs();
    list->searchController->setText("ab");
    list->performSwipeAction(0, 1, 0); // "Out" on log 13
    ASSERT_EQ(net->sent.size(), 2);
    const auto &sent = net->sent.last();
    EXPECT_EQ(sent.request.url.toString(), DistinctServerSets::base(1) + "/dc/SaveSecurityIOLog");
    const auto form = sent.form();
    EXPECT_EQ(form.keys(), QStringList({"SecurityIODetails", "SecurityIOLog"}));
    EXPECT_EQ(form.value("SecurityIOLog"), R"([{"IOLog_ids":"13","ImageData":""}])");
    EXPECT_EQ(form.value("SecurityIODetails"), "");

    net->replyLast(QVariantList{QVariantMap{{"SMsg", "Security Log 13 marked OUT"}}});
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Alert");
    EXPECT_EQ(alert()->message(), "Security Log 13 marked OUT");
    EXPECT_EQ(alert()->actionTitles(), QStringList{"ok"});
    EXPECT_EQ(list->DATA.size(), 2) << "nothing removed before ok";

    alert()->tap("ok");
    processEvents();
    ASSERT_EQ(list->DATA.size(), 1);
    EXPECT_EQ(list->DATA.first().value("SecIOLog_id").toString(), "12");
    EXPECT_EQ(list->LoadDATA, list->DATA);
    EXPECT_EQ(list->fromSearch, "No");
    EXPECT_TRUE(list->searchController->text().isEmpty());
}

TEST_F(LogListTest, MarkOutRemovesTheLogItSentEvenIfTheListMovedMeanwhile) {
    showWithOpenLogs();
    list->performSwipeAction(0, 1, 0); // log 13
    list->DATA.prepend(openLog("99", "New arrival"));
    list->LoadDATA.prepend(openLog("99", "New arrival"));
    net->replyLast(QVariantList{QVariantMap{{"SMsg", "done"}}});
    processEvents();
    alert()->tap("ok");
    processEvents();
    QStringList ids;
    for (const auto &row : list->LoadDATA)
        ids.append(row.value("SecIOLog_id").toString());
    EXPECT_EQ(ids, QStringList({"99", "12"}));
}

struct RefusalCase {
    const char *name;
    QByteArray body;
    const char *errorShown; // "" when nothing is shown
};

class MarkOutRefusalTest : public LogListTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(MarkOutRefusalTest, KeepsTheRow) {
    showWithOpenLogs();
    list->performSwipeAction(0, 0, 0);
    net->replyRaw(1, GetParam().body);
    processEvents();
    if (*GetParam().errorShown) {
        ASSERT_NE(alert(), nullptr);
        EXPECT_EQ(alert()->title(), "Error");
        EXPECT_EQ(alert()->message(), GetParam().errorShown);
    } else {
        EXPECT_EQ(alert(), nullptr);
    }
    EXPECT_EQ(list->DATA.size(), 2);
    EXPECT_EQ(list->LoadDATA.size(), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, MarkOutRefusalTest,
    ::testing::Values(RefusalCase{"ErrorMsg", R"([{"ErrorMsg":"Security Log 12 is already OUT"}])",
                                  "Security Log 12 is already OUT"},
                      RefusalCase{"ErrorMsgWinsOverSMsg", R"([{"ErrorMsg":"no","SMsg":"yes"}])",
                                  "no"},
                      RefusalCase{"Neither", R"([{"Other":"x"}])", ""},
                      RefusalCase{"Empty", "[]", ""}, RefusalCase{"Malformed", "<html>", ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(LogListTest, PrintOpensTheReportPageOfTheLog) {
    showWithOpenLogs();
    list->DATA[0]["SecIOLog_id"] = "12&x=1 ?";
    list->performSwipeAction(0, 0, 1);
    auto *nav = qobject_cast<NavigationController *>(root->presentedViewController());
    ASSERT_NE(nav, nullptr);
    auto *report = nav->viewControllerAt<ReportViewController>(0);
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->url().toString(QUrl::FullyEncoded),
              DistinctServerSets::base(1) +
                  "/rpt/10_Reports/FrmSecLog.aspx?SecIOLog_id=12%26x%3D1%20%3F&BranchCode=HLV01");
    EXPECT_EQ(net->sent.last().request.method, "GET");
}

TEST_F(LogListTest, SelectingAListRowOpensItsLogForEditing) {
    showWithOpenLogs();
    list->LoadDATA[1]["OutTime"] = "06 Dec 2026 18:30:00";
    list->DATA = list->LoadDATA;
    list->didSelectRow(0, 1);
    auto *form = qobject_cast<securityLogDetailView *>(root->topViewController());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), "Edit - Security Log (13)");
    EXPECT_EQ(form->SecIOLog_id, "13");
    EXPECT_EQ(form->IsUpdateable, "Yes");
    EXPECT_EQ(form->IsOutSecUpdateable, "Yes");
    EXPECT_EQ(form->segmentTitles,
              QStringList({"IN\n(06 Dec 02:05 PM)", "OUT \n(06 Dec 06:30 PM)"}));
    EXPECT_EQ(form->gate, "Main Gate");
    EXPECT_EQ(form->entryTypeId, "2");
    EXPECT_EQ(form->token, "T-17");
    EXPECT_EQ(form->personDetails->address(), "Coimbatore");
}

TEST_F(LogListTest, SelectingAReportRowOpensItForViewing) {
    showWithOpenLogs();
    list->IsReportSearchActive = true;
    list->searchController->setText("Bala");
    processEvents();
    timers.created.last()->fire();
    QVariantMap row = openLog("88", "Bala");
    row["FPDeviceName"] = "";
    net->replyLast(QVariantList{row});
    processEvents();
    master.GateName = "Main Gate";
    list->didSelectRow(0, 0);
    auto *form = qobject_cast<securityLogDetailView *>(root->topViewController());
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), "View - Security Log (88)");
    EXPECT_EQ(form->segmentTitles, QStringList({"IN\n(06 Dec 02:05 PM)", "OUT"}));
    EXPECT_EQ(form->gate, "Main Gate") << "no gate on the row keeps the handheld's";
}

TEST_F(LogListTest, TheReturnKeyOffersANewPersonWithWhatWasTyped) {
    showWithOpenLogs();
    for (const auto &[typed, isPhone] : {std::pair<QString, bool>{" +91 98400-12345 ", true},
                                         std::pair<QString, bool>{"Anand 2", false}}) {
        list->searchController->setText(typed);
        list->searchBarSearchButtonClicked();
        ASSERT_NE(alert(), nullptr);
        EXPECT_EQ(alert()->title(), "Alert !");
        EXPECT_EQ(alert()->message(), "Add New Person ?");
        EXPECT_EQ(alert()->actionTitles(), QStringList({"Yes", "No"}));
        alert()->tap("Yes");
        auto *person = qobject_cast<securityAddNewPerson *>(root->topViewController());
        ASSERT_NE(person, nullptr);
        EXPECT_EQ(person->personDetails->mobileNo(), isPhone ? typed.trimmed() : QString());
        EXPECT_EQ(person->personDetails->name(), isPhone ? QString() : typed.trimmed());
        root->popViewController(false);
        processEvents();
    }
}

TEST_F(LogListTest, NoSaysNoAndReportModeRefusesANewPerson) {
    showWithOpenLogs();
    list->searchBarSearchButtonClicked();
    alert()->tap("No");
    processEvents();
    EXPECT_EQ(root->viewControllers().size(), 1);
    list->IsReportSearchActive = true;
    list->searchBarSearchButtonClicked();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Alert !");
    EXPECT_EQ(alert()->message(), "Report Screen Not Allow to Add New Person");
}

TEST_F(LogListTest, TheBarOpensTheMenuAndTheScanSheet) {
    showWithOpenLogs();
    EXPECT_EQ(list->leftBarButtonItem()->title(), "Menu");
    list->rightBarButtonItem()->trigger();
    ASSERT_NE(alert(), nullptr);
    EXPECT_TRUE(alert()->isActionSheet());
    EXPECT_EQ(alert()->title(), "More");
    EXPECT_EQ(alert()->actionTitles(), QStringList({"Scan DC & Others", "Scan Bill", "Cancel"}));
    alert()->tap("Cancel");
    processEvents();
    list->leftBarButtonItem()->trigger();
    auto *nav = qobject_cast<NavigationController *>(root->presentedViewController());
    ASSERT_NE(nav, nullptr);
    EXPECT_EQ(nav->topViewController()->title(), "Menu");
}

} // namespace
