// The summaries' side of the server: a division's days of a month and the logs of one day
// through /GetCommonNestedData, the division picker, and the demo's months of history.

#include "database.h"
#include "demo_server.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <optional>

namespace seclog::server::testing {
namespace {

constexpr const char *kNestedPath = "/GetCommonNestedData";
constexpr const char *kReport = "USP_GetSecurityLogSummaryReport";
constexpr std::int64_t kRecentLogs = 36; // the demo's logs of the last days, before its history

using std::chrono::year_month_day;

year_month_day localToday() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return std::chrono::year(local.tm_year + 1900) /
           std::chrono::month(static_cast<unsigned>(local.tm_mon + 1)) /
           std::chrono::day(static_cast<unsigned>(local.tm_mday));
}

std::string isoDay(std::chrono::sys_days day) {
    const year_month_day date(day);
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", int(date.year()), unsigned(date.month()),
                  unsigned(date.day()));
    return text;
}

// The form the client posts: every parameter a text, the criteria as JSON text.
httplib::Result postNested(DemoServer &demo, const httplib::Params &params) {
    return demo.client().Post(kNestedPath, params);
}

json nested(DemoServer &demo, const json &criteria, const char *keyValue = "ID") {
    return jsonOf(postNested(
        demo,
        {{"SP_Name", kReport}, {"SecurityReport", criteria.dump()}, {"CommonKeyValue", keyValue}}));
}

json monthCriteria(const std::string &from, const std::string &noDays,
                   const std::string &division = "7", const std::string &branch = "HLV01") {
    return {{"FromDate", from},
            {"NoDays", noDays},
            {"Division_id", division},
            {"BranchCode", branch},
            {"GetType", "Summary"}};
}

json dayCriteria(const std::string &day, const std::string &division = "7") {
    return {{"FromDate", day},
            {"Division_id", division},
            {"GetType", "SummaryDetails"},
            {"BranchCode", "HLV01"}};
}

// What every log record of a day holds: its keys, its times as the client parses them, the
// hour of its InTime.
void expectLogRecords(const json &logs) {
    ASSERT_TRUE(logs.is_array()) << logs;
    for (const auto &log : logs) {
        EXPECT_EQ(keysOf(log), words("Hrs IOImgPath IOLogDate IOPerson IOType InTime OutTime "
                                     "Purpose SecIOLog_id detail"))
            << log;
        EXPECT_TRUE(isClientDateTime(log["InTime"])) << log;
        EXPECT_EQ(log["IOLogDate"], log["InTime"]);
        EXPECT_TRUE(log["OutTime"] == "" || isClientDateTime(log["OutTime"])) << log;
        const std::string inTime = log["InTime"];
        EXPECT_EQ(log["Hrs"], std::to_string(std::stoi(inTime.substr(12, 2)))) << log;
    }
}

struct TestLog {
    std::int64_t id, division, person, type;
    const char *inTime, *outTime, *purpose;
};

// Division 7 (Knitting, HLV01) holds only these logs: around noon, midnight, the end of the
// year and a leap day. Division 8 belongs to another branch.
constexpr TestLog kTestLogs[] = {
    {90001, 7, 1, 1, "2026-11-30 23:59:59", "2026-12-01 01:00:00", "Meeting"},
    {90002, 7, 2, 2, "2026-12-01 00:00:00", "2026-12-01 02:00:00", "Yarn delivery"},
    {90003, 7, 1, 1, "2026-12-05 08:05:00", "2026-12-05 09:00:00", "Audit"},
    {90004, 7, 2, 2, "2026-12-05 11:59:59", "2026-12-05 13:00:00", "Dye delivery"},
    {90005, 7, 3, 1, "2026-12-05 12:00:00", "", "Meeting"},
    {90006, 7, 4, 5, "2026-12-05 23:59:59", "2026-12-06 00:30:00", "Interview"},
    {90007, 8, 5, 1, "2026-12-05 10:00:00", "2026-12-05 11:00:00", "Meeting"},
    {90008, 7, 6, 4, "2026-12-31 21:00:00", "2026-12-31 22:00:00", "Machine service"},
    {90012, 7, 1, 1, "2024-02-28 10:00:00", "2024-02-28 11:00:00", "Meeting"},
    {90013, 7, 2, 6, "2024-02-29 13:00:00", "2024-02-29 15:00:00", "Fabric pickup"},
    {90014, 7, 3, 1, "2024-03-01 07:00:00", "2024-03-01 08:00:00", "Meeting"},
};

class Summaries : public SharedDemo<> {
protected:
    static void SetUpTestSuite() {
        SharedDemo::SetUpTestSuite();
        Database db(demo->dbPath.string());
        db.executeScript("INSERT INTO Division VALUES (7, 'Knitting', 'HLV01');"
                         "INSERT INTO Branch VALUES ('KNT02', 'Knitting Unit');"
                         "INSERT INTO Division VALUES (8, 'Garments', 'KNT02')");
        for (const TestLog &log : kTestLogs)
            db.execute("INSERT INTO SecurityIOLog(SecIOLog_id, BranchCode, Division_id, "
                       "Person_id, IOType_id, Purpose, InTime, OutTime, CreatedOn) VALUES "
                       "(?1, (SELECT BranchCode FROM Division WHERE Division_id = ?2), ?2, ?3, "
                       "?4, ?5, ?6, ?7, ?6)",
                       {log.id, log.division, log.person, log.type, std::string(log.purpose),
                        std::string(log.inTime), std::string(log.outTime)});
        // Saved OUT line first: the reply still gives the IN lines first.
        db.executeScript(
            "INSERT INTO SecurityIODetails(SecIOLog_id, Section, DocNo, DocDate, PartyName, City, "
            "Particulars, OutQty) VALUES (90003, 'OUT', 'GP-7', '', 'Kovai Packaging', "
            "'Coimbatore', 'Empty Cones', '4');"
            "INSERT INTO SecurityIODetails(SecIOLog_id, Section, DocNo, DocDate, PartyName, City, "
            "Particulars, Quantity) VALUES (90003, 'IN', 'DC-9001', '2026-12-04', "
            "'Sri Murugan Yarns', 'Tiruppur', 'Cotton Yarn 40s', '12')");
    }
};

// Each day as "Dt Daylight Night Total", then its entry types largest first as "Cnt IOType".
TEST_F(Summaries, CountTheDivisionsLogsOfEachDayAroundNoon) {
    const std::vector<std::pair<json, Ids>> cases = {
        {monthCriteria("2026-12-01", "30"),
         {"2026-12-01 1 0 1, 1 Driver", "2026-12-05 2 2 4, 2 Visitor, 1 Courier, 1 Driver",
          "2026-12-31 0 1 1, 1 Contractor"}},
        {monthCriteria("2026-11-01", "29"), {"2026-11-30 0 1 1, 1 Visitor"}},
        {monthCriteria("2024-02-01", "28"),
         {"2024-02-28 1 0 1, 1 Visitor", "2024-02-29 0 1 1, 1 Job Worker"}},
        {monthCriteria("2026-12-05", "0", "7", "KNT02"), {}},
        {monthCriteria("2026-12-05", "0", "8", "KNT02"), {"2026-12-05 1 0 1, 1 Visitor"}},
    };
    for (const auto &[criteria, expected] : cases) {
        Ids found;
        for (const auto &day : nested(*demo, criteria)) {
            EXPECT_EQ(keysOf(day), words("Daylight Dt Night Total detail")) << day;
            std::string text = day["Dt"].get<std::string>();
            for (const char *key : {"Daylight", "Night", "Total"})
                text += " " + day[key].get<std::string>();
            for (const auto &type : day["detail"]) {
                EXPECT_EQ(keysOf(type), words("Cnt IOType")) << day;
                text +=
                    ", " + type["Cnt"].get<std::string>() + " " + type["IOType"].get<std::string>();
            }
            found.push_back(text);
        }
        EXPECT_EQ(found, expected) << criteria;
    }
}

TEST_F(Summaries, ADaysLogsComeInTimeOrderWithTheirDocuments) {
    const json logs = nested(*demo, dayCriteria("05-Dec-2026"), "SecIOLog_id");
    expectLogRecords(logs);
    EXPECT_EQ(column(logs, "SecIOLog_id"), (Ids{"90003", "90004", "90005", "90006"}));
    EXPECT_EQ(column(logs, "Hrs"), (Ids{"8", "11", "12", "23"}));
    EXPECT_EQ(logs[0], json::parse(R"({"SecIOLog_id":"90003","Hrs":"8",
        "IOLogDate":"05 Dec 2026 08:05:00","IOImgPath":"~/Security/PersonsImages/person_1.png",
        "IOType":"Visitor","IOPerson":"Arun Prakash","Purpose":"Audit",
        "InTime":"05 Dec 2026 08:05:00","OutTime":"05 Dec 2026 09:00:00","detail":[
        {"PartyName":"Sri Murugan Yarns","Particulars":"Cotton Yarn 40s","City":"Tiruppur",
         "DocDate":"04 Dec 2026 00:00:00","DocNo":"DC-9001"},
        {"PartyName":"Kovai Packaging","Particulars":"Empty Cones","City":"Coimbatore",
         "DocDate":"","DocNo":"GP-7"}]})"));
    EXPECT_EQ(logs[2]["OutTime"], ""); // still inside
    for (size_t i = 1; i < logs.size(); ++i)
        EXPECT_EQ(logs[i]["detail"], json::array()) << logs[i];
    EXPECT_EQ(column(nested(*demo, dayCriteria("29-Feb-2024")), "SecIOLog_id"), (Ids{"90013"}));
    EXPECT_EQ(nested(*demo, dayCriteria("06-Dec-2026")), json::array());
}

TEST_F(Summaries, TheDivisionPickerListsTheBranchsDivisions) {
    const std::vector<std::pair<json, Ids>> cases = {
        {{{"SP_Type", "Sel_Div"}, {"BranchCode", "HLV01"}}, {"1", "2", "3", "7"}},
        {{{"SP_Type", "Sel_Div"}, {"BranchCode", "KNT02"}}, {"8"}},
        {{{"SP_Type", "Sel_Div"}, {"BranchCode", "hlv01"}}, {}},
    };
    for (const auto &[data, ids] : cases) {
        const json rows = demo->postSp("Usp_CommonService", data);
        EXPECT_EQ(column(rows, "Division_id"), ids) << data;
        expectTextRows(rows, "DivisionName Division_id");
    }
}

struct RefusalCase {
    httplib::Params params;
    std::string error;
};

httplib::Params form(const json &criteria, const std::string &spName = kReport) {
    return {{"SP_Name", spName}, {"SecurityReport", criteria.dump()}, {"CommonKeyValue", "ID"}};
}

TEST_F(Summaries, RefuseWhatTheyCannotReadWith400) {
    const json month = monthCriteria("2026-12-01", "30");
    const auto with = [&](const json &base, const char *key, const json &value) {
        json criteria = base;
        criteria[key] = value;
        return form(criteria);
    };
    const json day = dayCriteria("05-Dec-2026");
    const std::string reportError = "SecurityReport is not the JSON text of an object";
    const std::vector<RefusalCase> cases = {
        {{{"SecurityReport", month.dump()}, {"CommonKeyValue", "ID"}}, "SP_Name is missing"},
        {{{"SP_Name", kReport}, {"SecurityReport", "{\"FromDate\":"}, {"CommonKeyValue", "ID"}},
         reportError},
        {with(month, "GetType", "Monthly"),
         "unknown GetType 'Monthly' for USP_GetSecurityLogSummaryReport"},
        {with(month, "FromDate", "2026-02-30"), "FromDate '2026-02-30' is not a yyyy-MM-dd date"},
        {with(month, "NoDays", "32"), "NoDays '32' must be a whole number from 0 to 31"},
        {with(month, "Division_id", "Spinning"), "parameter Division_id must be a positive id"},
        {with(day, "FromDate", "2026-12-05"), "FromDate '2026-12-05' is not a dd-MMM-yyyy date"},
    };
    for (const auto &[params, error] : cases)
        EXPECT_EQ(jsonOf(postNested(*demo, params), 400), json({{"error", error}})) << error;
    // The criteria as a JSON body is not the form the route reads.
    const auto asJson = demo->client().Post(
        kNestedPath,
        json{{"SP_Name", kReport}, {"SecurityReport", month.dump()}, {"CommonKeyValue", "ID"}}
            .dump(),
        "application/json");
    EXPECT_EQ(jsonOf(asJson, 400), json({{"error", "SP_Name is missing"}}));
}

// --- The demo's history ------------------------------------------------------------------

struct HistoryCase {
    std::optional<int> perDay, months;
};

class DemoHistory : public ::testing::TestWithParam<HistoryCase> {};

// Closed logs of every division on each day from the 1st of the month `months` back up to
// yesterday; the open logs stay as they were.
TEST_P(DemoHistory, FillsEveryDayOfItsMonthsAndLeavesTheRecentLogsAlone) {
    const auto [perDay, months] = GetParam();
    TempDir dir;
    ServerOptions options = demoOptions(dir.path / "history.db");
    options.historyLogsPerDay = perDay;
    options.historyMonths = months;
    StandInServer server{options};
    Database db(options.dbPath.string(), true);

    const year_month_day today = localToday();
    const auto first = std::chrono::sys_days(
        (today.year() / today.month() - std::chrono::months(months.value_or(4))) / 1);
    Ids everyDay;
    for (auto day = first; day < std::chrono::sys_days(today); day += std::chrono::days(1))
        everyDay.push_back(isoDay(day));
    for (std::int64_t division = 1; division <= 3; ++division) {
        const json days =
            db.query("SELECT substr(InTime, 1, 10) AS Dt, COUNT(*) AS n FROM SecurityIOLog "
                     "WHERE SecIOLog_id > ?1 AND Division_id = ?2 GROUP BY Dt ORDER BY Dt",
                     {kRecentLogs, division});
        const bool exact = division == 1 && perDay.has_value();
        EXPECT_EQ(column(days, "Dt"), exact && *perDay == 0 ? Ids() : everyDay) << division;
        for (const auto &day : days) {
            const int count = day["n"].get<int>();
            if (exact) {
                EXPECT_EQ(count, *perDay) << day;
            } else {
                EXPECT_TRUE(count >= 5 && count <= 30) << division << " " << day;
            }
        }
    }
    // Closed between 06:00 and 21:00, out within four hours and never after now.
    EXPECT_EQ(db.query("SELECT COUNT(*) AS n FROM SecurityIOLog WHERE SecIOLog_id > ?1 AND NOT "
                       "(OutTime > InTime AND substr(InTime, 12, 2) BETWEEN '06' AND '20' "
                       "AND julianday(OutTime) - julianday(InTime) <= 4.0 / 24 + 1e-9 "
                       "AND OutTime <= strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime') "
                       "AND IsUpdateable = 'No')",
                       {kRecentLogs})[0]["n"],
              0);
    const json open = db.query("SELECT MAX(SecIOLog_id) AS last, COUNT(*) AS n "
                               "FROM SecurityIOLog WHERE OutTime = ''");
    EXPECT_EQ(open[0], json({{"last", 36}, {"n", 12}}));
    const auto openOf = [&](const char *division) {
        return column(
            postSp(server, "USP_GetSecurityLogBySearchText",
                   {{"SearchBy", "NotOut"}, {"SearchText", division}, {"BranchCode", "HLV01"}}),
            "SecIOLog_id");
    };
    EXPECT_EQ(openOf("1"), (Ids{"36", "34", "32", "30", "29", "27", "25"}));
    EXPECT_EQ(openOf("2"), (Ids{"33", "31", "26"}));
    EXPECT_EQ(openOf("3"), (Ids{"35", "28"}));
}

TEST(DemoHistoryDocuments, AboutOneLogInFourCarriesAnInvoiceOfItsDay) {
    DemoServer demo;
    Database db(demo.dbPath.string(), true);
    const json counts = db.query(
        "SELECT COUNT(*) AS logs, (SELECT COUNT(DISTINCT SecIOLog_id) FROM SecurityIODetails "
        " WHERE SecIOLog_id > ?1) AS withLines, "
        "(SELECT COUNT(*) FROM SecurityIODetails d JOIN SecurityIOLog l USING (SecIOLog_id) "
        " WHERE l.SecIOLog_id > ?1 AND NOT (d.DocNo GLOB 'INV-[0-9][0-9][0-9][0-9]' "
        " AND d.DocDate = substr(l.InTime, 1, 10) AND d.PartyName <> '' AND d.City <> '' "
        " AND d.Particulars <> '' AND d.Section = 'IN')) AS odd "
        "FROM SecurityIOLog WHERE SecIOLog_id > ?1",
        {kRecentLogs})[0];
    const double share = counts["withLines"].get<double>() / counts["logs"].get<double>();
    EXPECT_GT(counts["logs"].get<int>(), 1000) << counts;
    EXPECT_TRUE(share > 0.2 && share < 0.3) << counts;
    EXPECT_EQ(counts["odd"], 0) << counts;
}

INSTANTIATE_TEST_SUITE_P(Options, DemoHistory,
                         ::testing::Values(HistoryCase{std::nullopt, std::nullopt},
                                           HistoryCase{7, 2}, HistoryCase{0, 1}));

} // namespace
} // namespace seclog::server::testing
