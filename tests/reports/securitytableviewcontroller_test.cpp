#include "alertcontroller.h"
#include "combobox.h"
#include "logdetailcollectionviewcontroller.h"
#include "navigationcontroller.h"
#include "securitytableviewcontroller.h"
#include "sessionfixture.h"
#include "window.h"

#include <QJsonDocument>
#include <QPointer>
#include <QSignalSpy>

namespace {

const QString kNestedURL = DistinctServerSets::base(1) + "/dc/GetCommonNestedData";

QVariantMap day(const QString &dt, const QString &forenoon, const QString &afternoon,
                const QString &total, const QVariantList &detail) {
    return {{"Dt", dt},
            {"Daylight", forenoon},
            {"Night", afternoon},
            {"Total", total},
            {"detail", detail}};
}

QVariantMap count(const QString &type, const QString &cnt) {
    return {{"IOType", type}, {"Cnt", cnt}};
}

QByteArray json(const QVariantList &list) {
    return QJsonDocument::fromVariant(list).toJson(QJsonDocument::Compact);
}

// The dashboard pushed from a shown window, today fixed.
class DashboardTest : public SessionTest {
protected:
    explicit DashboardTest(QDate now = QDate(2026, 12, 7)) {
        securityTableViewController::today = [now] { return now; };
        logIn("3");
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        root->pushViewController(screen, false);
        processEvents();
        net->sent.clear();
    }
    ~DashboardTest() override {
        securityTableViewController::today = [] { return QDate::currentDate(); };
    }
    // The criteria of request `index`.
    QVariantMap criteria(int index) const {
        return QJsonDocument::fromJson(net->sent[index].form().value("SecurityReport").toUtf8())
            .toVariant()
            .toMap();
    }
    void scrollToEnd() { screen->scrollViewDidScroll(1000, 600, 360); }

    Window window;
    QPointer<securityTableViewController> screen = new securityTableViewController();
    NavigationController *root = new NavigationController(new ViewController());
};

// ---- the months asked for

struct MonthCase {
    const char *name;
    QDate today;
    QStringList fromDates; // of the first requests, in order
    QStringList noDays;
};

class MonthStepTest : public ::testing::TestWithParam<MonthCase> {};

TEST_P(MonthStepTest, StepsBackAMonthAtATimeWithItsLength) {
    const MonthCase &c = GetParam();
    securityTableViewController screen;
    screen.currMonth = c.today.month() + 1;
    screen.currYear = c.today.year();
    QStringList from, days;
    for (int i = 0; i < c.fromDates.size(); ++i) {
        screen.requestNextMonth();
        const QVariantMap m = securityTableViewController::monthCriteria(
            screen.currYear, screen.currMonth, 1, "HLV01");
        from.append(m.value("FromDate").toString());
        days.append(m.value("NoDays").toString());
    }
    EXPECT_EQ(from, c.fromDates);
    EXPECT_EQ(days, c.noDays);
    EXPECT_EQ(screen.secIndex, c.fromDates.size() - 1);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, MonthStepTest,
    ::testing::Values(
        MonthCase{"JanuaryToDecember", QDate(2024, 1, 20), {"2024-01-01", "2023-12-01"},
                  {"30", "30"}},
        MonthCase{"LeapFebruary", QDate(2024, 3, 2), {"2024-03-01", "2024-02-01"}, {"30", "28"}},
        MonthCase{"PlainFebruary", QDate(2023, 3, 31), {"2023-03-01", "2023-02-01"}, {"30", "27"}},
        MonthCase{"Thirties", QDate(2026, 12, 7), {"2026-12-01", "2026-11-01"}, {"30", "29"}},
        MonthCase{"CenturyNotLeap", QDate(2100, 3, 1), {"2100-03-01", "2100-02-01"}, {"30", "27"}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(DashboardTest, TheFirstLayoutAsksForThisMonthByteForByte) {
    EXPECT_EQ(screen->title(), "Summary Report");
    EXPECT_TRUE(net->sent.isEmpty()); // nothing until the table lays out
    screen->scrollViewDidScroll(0, 600, 0);
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].request.url.toString(), kNestedURL);
    const auto form = net->sent[0].form();
    EXPECT_EQ(form.keys(), QStringList({"CommonKeyValue", "SP_Name", "SecurityReport"}));
    EXPECT_EQ(form.value("SP_Name"), "USP_GetSecurityLogSummaryReport");
    EXPECT_EQ(form.value("CommonKeyValue"), "ID");
    EXPECT_EQ(form.value("SecurityReport"),
              "{\"BranchCode\":\"HLV01\",\"Division_id\":\"3\",\"FromDate\":\"2026-12-01\","
              "\"GetType\":\"Summary\",\"NoDays\":\"30\"}");
    scrollToEnd(); // one at a time
    EXPECT_EQ(net->sent.size(), 1);
}

TEST_F(DashboardTest, TheFirstMonthReloadsLaterOnesInsertTheirSectionsInOrder) {
    QSignalSpy reloaded(screen.data(), &TableViewController::dataReloaded);
    QSignalSpy inserted(screen.data(), &TableViewController::sectionInserted);
    scrollToEnd();
    net->replyRaw(
        0, json({day("2026-12-01", "3", "1", "4", {}), day("2026-12-02", "1", "1", "2", {})}));
    processEvents();
    EXPECT_EQ(reloaded.count(), 1);
    EXPECT_EQ(inserted.count(), 0);
    scrollToEnd();
    net->replyRaw(1, "<html>busy</html>"); // November is lost
    processEvents();
    scrollToEnd();
    ASSERT_EQ(net->sent.size(), 3);
    EXPECT_EQ(criteria(2).value("FromDate"), "2026-10-01");
    net->replyRaw(2, json({day("2026-10-31", "0", "5", "5", {})}));
    processEvents();
    ASSERT_EQ(inserted.count(), 2);
    EXPECT_EQ(inserted[0][0].toInt(), 1);
    EXPECT_EQ(inserted[1][0].toInt(), 2);
    // November keeps its place, empty; October stays the third month.
    ASSERT_EQ(screen->numberOfSections(), 3);
    EXPECT_EQ(screen->numberOfRows(0), 2);
    EXPECT_EQ(screen->numberOfRows(1), 0);
    EXPECT_EQ(screen->numberOfRows(2), 1);
    EXPECT_EQ(screen->titleForHeader(0), "  December 2026");
    EXPECT_EQ(screen->titleForHeader(2), "  October 2026");
}

TEST_F(DashboardTest, OnlyTheEndOfTheListLoadsAnotherMonth) {
    screen->scrollViewDidScroll(2000, 600, 1349); // 51 points left
    EXPECT_TRUE(net->sent.isEmpty());
    screen->scrollViewDidScroll(2000, 600, 1350);
    EXPECT_EQ(net->sent.size(), 1);
    net->replyRaw(0, json({day("2026-12-01", "1", "0", "1", {count("Visitor", "1")})}));
    processEvents();
    screen->didSelectRow(0, 0); // a day opened: no more months until a division is picked
    processEvents();
    net->sent.clear(); // the day's own request
    screen->scrollViewDidScroll(2000, 600, 1400);
    EXPECT_TRUE(net->sent.isEmpty());
}

// ---- a day's cell and its chart

TEST(DayCell, ReadsTheDayAndSplitsItByEntryType) {
    securityTableViewCell cell(
        day("2026-12-05", "7", "4", "4", {count("Visitor", "3"), count("Driver", "1")}));
    EXPECT_EQ(cell.title, "Dec 05");
    EXPECT_EQ(cell.subtitle, "Fore Noon  7\nAfter Noon  4\nUnique 11");
    EXPECT_EQ(cell.title2, "4");
    EXPECT_EQ(cell.titleForRow(0), "Visitor  3  75.0 %");
    EXPECT_EQ(cell.titleForRow(1), "Driver  1  25.0 %");
    const auto bars = cell.chart.layout(180, 70);
    ASSERT_EQ(bars.size(), 2);
    EXPECT_DOUBLE_EQ(bars[0].strokeEnd, 1.0); // the longest spans the whole bar width
    EXPECT_DOUBLE_EQ(bars[1].strokeEnd, 1.0 / 3);
    EXPECT_EQ(bars[0].color, QColor(156, 134, 227));
}

struct OddDay {
    const char *name;
    QVariantMap day;
    QString title, subtitle, firstBarTitle;
};

class OddDayTest : public ::testing::TestWithParam<OddDay> {};

TEST_P(OddDayTest, ShowsEmptyPartsNeverANonNumber) {
    const OddDay &c = GetParam();
    securityTableViewCell cell(c.day);
    EXPECT_EQ(cell.title, c.title);
    EXPECT_EQ(cell.subtitle, c.subtitle);
    const auto bars = cell.chart.layout(180, 70);
    for (const auto &bar : bars) {
        EXPECT_TRUE(std::isfinite(bar.strokeEnd));
        EXPECT_DOUBLE_EQ(bar.strokeEnd, 0);
    }
    if (!bars.isEmpty()) {
        EXPECT_EQ(cell.titleForRow(0), c.firstBarTitle);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, OddDayTest,
    ::testing::Values(
        OddDay{"ZeroTotal", day("2026-12-05", "0", "0", "0", {count("Visitor", "2")}), "Dec 05",
               "Fore Noon  0\nAfter Noon  0\nUnique 0", "Visitor  2  0.0 %"},
        OddDay{"WordTotal", day("2026-12-05", "1", "1", "many", {count("Visitor", "2")}), "Dec 05",
               "Fore Noon  1\nAfter Noon  1\nUnique 2", "Visitor  2  0.0 %"},
        OddDay{"NothingButTheDate",
               {{"Dt", "2026-12-05"}},
               "Dec 05",
               "Fore Noon  \nAfter Noon  \nUnique ",
               ""},
        OddDay{"NoDateHalfCounts",
               {{"Daylight", "2.5"},
                {"Night", "1"},
                {"Total", "3"},
                {"detail", QVariantList{count("Visitor", "x")}}},
               "",
               "Fore Noon  2.5\nAfter Noon  1\nUnique ",
               "Visitor  0  0.0 %"},
        // Counts past the whole numbers: no sum, the count keeps its size.
        OddDay{"HugeCounts",
               day("2026-12-05", "9223372036854775807", "1", "many", {count("Visitor", "1e300")}),
               "Dec 05", "Fore Noon  9223372036854775807\nAfter Noon  1\nUnique ",
               "Visitor  1e+300  0.0 %"}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- opening a day, picking a division

TEST_F(DashboardTest, ADayOpensItsLogsTitledWithItsOwnYear) {
    screen->currYear = 2027; // as when January 2027 was the last month loaded
    scrollToEnd();
    net->replyRaw(0, json({day("2026-12-05", "1", "0", "1", {})}));
    processEvents();
    screen->didSelectRow(0, 0);
    processEvents();
    auto *summary = qobject_cast<LogDetailCollectionViewController *>(root->topViewController());
    ASSERT_NE(summary, nullptr);
    EXPECT_EQ(summary->bartitle, "Dec 05 2026");
    EXPECT_EQ(summary->fetchDate, "2026-12-05");
    EXPECT_EQ(summary->Division_id, std::optional<int>(3));
}

TEST_F(DashboardTest, PickingADivisionStartsAgainFromThisMonth) {
    scrollToEnd();
    net->replyRaw(0, json({day("2026-12-05", "1", "0", "1", {})}));
    processEvents();
    screen->rightBarButtonItem()->trigger();
    processEvents();
    auto *nav = qobject_cast<NavigationController *>(root->presentedViewController());
    auto *picker = nav ? nav->viewControllerAt<comboBox>(0) : nullptr;
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(net->sent.last().json(),
              QVariantMap({{"SPName", "Usp_CommonService"},
                           {"JSONData", "{\"BranchCode\":\"HLV01\",\"SP_Type\":\"Sel_Div\"}"}}));
    net->replyLast(QVariantList{QVariantMap{{"Division_id", "3"}, {"DivisionName", "Spinning"}},
                                QVariantMap{{"Division_id", "5"}, {"DivisionName", "Weaving"}}});
    processEvents();
    EXPECT_EQ(picker->cellForRow(0, 0).value("checked"), true);
    EXPECT_EQ(picker->cellForRow(0, 1).value("checked"), false);
    EXPECT_EQ(picker->cellForRow(0, 1).value("text"), "Weaving");
    net->sent.clear();
    picker->didSelectRow(0, 1);
    processEvents();
    EXPECT_EQ(screen->Division_id, 5);
    EXPECT_EQ(screen->numberOfSections(), 0);
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(criteria(0).value("Division_id"), "5");
    EXPECT_EQ(criteria(0).value("FromDate"), "2026-12-01");
}

} // namespace
