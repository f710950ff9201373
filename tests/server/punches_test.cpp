// The employee fingerprint log's side of the server: the employee picker's search through
// /CommonGetSearchData with its single-quoted Parameters, and an employee's recent punches.

#include "database.h"
#include "date_time.h"
#include "demo_server.h"
#include "punch_time.h"

#include <chrono>
#include <ctime>

namespace seclog::server::testing {
namespace {

constexpr const char *kSearchPath = "/CommonGetSearchData";

// Parameters as the client builds it, around a branch code.
std::string employeeSearchParameters(const std::string &branch) {
    return "[{'BranchCode':'" + branch + "','SP_Type':'EMPLOYEE_SEARCH'}]";
}

json searchBody(const std::string &parameters, const json &likeStr = "",
                const std::string &spName = "Usp_Production_Sel") {
    return {{"SP_Name", spName}, {"Parameters", parameters}, {"LikeStr", likeStr}};
}

json punchesOf(DemoServer &demo, const std::string &empCode) {
    return demo.postSp("USP_Security",
                       {{"ReqType", "SELECT_LASTTWODAYSLOG"}, {"EmpCode", empCode}});
}

// --- Employee search ----------------------------------------------------------------------

class EmployeeSearch : public SharedDemo<> {
protected:
    // A second branch, with a code a blind quote replacement would break, and its employee.
    static void SetUpTestSuite() {
        SharedDemo::SetUpTestSuite();
        Database db(demo->dbPath.string());
        db.execute("INSERT INTO Branch VALUES (?1, 'Odd Branch')", {std::string(kOddBranch)});
        db.execute("INSERT INTO Division VALUES (9, 'Knitting', ?1)", {std::string(kOddBranch)});
        db.execute("INSERT INTO Employee(EmpName, Department_id, Division_id, EmpCode, "
                   "Designation) VALUES ('Karthik Velu', 5, 9, 'KN2001', 'Knitter')");
    }
    static constexpr const char *kOddBranch = R"(O'Neil\B)";
};

TEST_F(EmployeeSearch, AnswersTheDemoEmployeeWithItsColumnsAsText) {
    const json reply =
        demo->post(kSearchPath, searchBody(employeeSearchParameters("HLV01"), "HT1007").dump());
    EXPECT_EQ(reply, json::parse(R"([{"Employee_id":"7","EmpName":"Venkatesh Rao",
        "EmpCode":"HT1007","Department":"Production","Designation":"Production Manager",
        "ImagePath":"~/Security/PersonsImages/emp_3.png"}])"));
}

struct SearchCase {
    std::string parameters;
    json likeStr;
    Ids names;
};

TEST_F(EmployeeSearch, MatchesNameOrCodeWithinTheBranch) {
    const std::string hlv = employeeSearchParameters("HLV01");
    const Ids everyone = {"Anitha Joseph", "Mani Raj",         "Priya Menon",
                          "Priya Nair",    "Ramesh Iyer",      "Ravi Kumar",
                          "Suresh Babu",   "Suresh Natarajan", "Venkatesh Rao"};
    const std::vector<SearchCase> cases = {
        {hlv, "", everyone},
        {hlv, "priya", {"Priya Menon", "Priya Nair"}},
        {hlv, "HT1005", {"Suresh Natarajan"}},
        {hlv, "ht100", everyone},
        {hlv, "Quality", {}}, // department is not searched
        {hlv, "Karthik", {}},
        {R"([{'BranchCode':'O\'Neil\\B','SP_Type':'EMPLOYEE_SEARCH'}])", "", {"Karthik Velu"}},
        {employeeSearchParameters("HLV02"), "", {}},
        {" [ { 'SP_Type' : 'EMPLOYEE_SEARCH' , 'BranchCode' : 'HLV01' } ] ",
         "Rao",
         {"Venkatesh Rao"}},
    };
    for (const auto &[parameters, likeStr, names] : cases)
        EXPECT_EQ(
            column(demo->post(kSearchPath, searchBody(parameters, likeStr).dump()), "EmpName"),
            names)
            << parameters << " / " << likeStr;
}

struct RefusalCase {
    std::string body;
    std::string error;
};

TEST_F(EmployeeSearch, RefusesMalformedOrUnknownRequestsWith400) {
    const std::string hlv = employeeSearchParameters("HLV01");
    const std::vector<RefusalCase> cases = {
        {searchBody(hlv, "", "Usp_Nope").dump(), "unknown procedure: Usp_Nope"},
        {searchBody("[{'BranchCode':'HLV01','SP_Type':'EMPLOYEE_LIST'}]").dump(),
         "unknown SP_Type 'EMPLOYEE_LIST' for Usp_Production_Sel"},
        {searchBody("[{'SP_Type':'EMPLOYEE_SEARCH'}]").dump(), "missing parameter BranchCode"},
        {searchBody(R"([{"BranchCode":"HLV01","SP_Type":"EMPLOYEE_SEARCH"}])").dump(),
         "Parameters: expected a quoted key at offset 2"},
        {searchBody("[{'BranchCode':'HLV01','SP_Type':'EMPLOYEE_SEARCH'}").dump(),
         "Parameters: expected ',' at offset 51"},
        {searchBody("").dump(), "Parameters: unexpected end at offset 0"},
        {searchBody("{'BranchCode':'HLV01','SP_Type':'EMPLOYEE_SEARCH'}").dump(),
         "Parameters must hold one object"},
        {searchBody("[{'SP_Type':'EMPLOYEE_SEARCH'},{'BranchCode':'HLV01'}]").dump(),
         "Parameters must hold one object"},
        {searchBody(hlv, json{{"a", 1}}).dump(), "LikeStr must be text"},
        {json{{"SP_Name", "Usp_Production_Sel"}, {"Parameters", json::array()}}.dump(),
         "Parameters must be text"},
        {"SP_Name=Usp_Production_Sel", "body must be a JSON object"},
    };
    for (const auto &[body, error] : cases) {
        const json reply = jsonOf(demo->client().Post(kSearchPath, body, "application/json"), 400);
        EXPECT_EQ(reply, json({{"error", error}})) << body;
    }
}

// --- Punches ------------------------------------------------------------------------------

// The display time back as a time point, for order and window checks.
std::chrono::system_clock::time_point parsePunchTime(const std::string &text) {
    std::tm parts{};
    const char *end = strptime(text.c_str(), "%d %b %Y %I:%M %p", &parts);
    EXPECT_TRUE(end && *end == '\0') << text;
    parts.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&parts));
}

struct DisplayCase {
    const char *iso, *shown;
};

class PunchDisplayTime : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(PunchDisplayTime, UsesTheTwelveHourClock) {
    EXPECT_EQ(punchDisplayTime(GetParam().iso), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Times, PunchDisplayTime,
    ::testing::Values(DisplayCase{"2026-12-07 09:12:45", "07 Dec 2026 09:12 AM"},
                      DisplayCase{"2026-01-31 00:05:00", "31 Jan 2026 12:05 AM"},
                      DisplayCase{"2026-06-01 12:30:00", "01 Jun 2026 12:30 PM"},
                      DisplayCase{"2026-06-01 13:00:00", "01 Jun 2026 01:00 PM"},
                      DisplayCase{"", ""}));

using Punches = SharedDemo<>;

TEST_F(Punches, ListsTheLastTwoDaysNewestFirstWithEveryColumn) {
    // Just inside and just outside the window, plus a punch still to come.
    {
        Database db(demo->dbPath.string());
        for (double hoursAgo : {47.5, 48.5, -1.0})
            db.execute("INSERT INTO EmployeePunch(Employee_id, PunchTime, FPMode, FPDeviceName, "
                       "Division_id) VALUES (8, ?1, 'O', 'Test Reader', 1)",
                       {isoHoursAgo(hoursAgo)});
    }
    const json rows = punchesOf(*demo, "HT1008");
    ASSERT_EQ(rows.size(), 6u) << rows;
    const auto now = std::chrono::system_clock::now();
    auto previous = now + std::chrono::minutes(1);
    expectTextRows(rows, "Department Designation DivisionName EmpCode EmpName FPDeviceName "
                         "FPLogStr FPMode FPModeStr ImagePath");
    for (const auto &row : rows) {
        EXPECT_EQ(row["EmpName"], "Ramesh Iyer");
        EXPECT_EQ(row["DivisionName"], "Spinning");
        const auto when = parsePunchTime(row["FPLogStr"]);
        EXPECT_LE(when, previous) << row["FPLogStr"];
        EXPECT_GE(when, now - std::chrono::hours(48) - std::chrono::minutes(1));
        previous = when;
    }
    EXPECT_EQ(column(rows, "FPModeStr"), (Ids{"IN", "OUT", "IN", "OUT", "IN", "OUT"}));
    EXPECT_EQ(column(rows, "FPDeviceName"),
              (Ids{"SPN Gate Reader", "SPN Canteen Reader", "SPN Gate Reader", "SPN Canteen Reader",
                   "SPN Gate Reader", "Test Reader"}));
}

TEST_F(Punches, EachEmployeePunchesOnItsDivisionsReaders) {
    const std::vector<std::tuple<const char *, size_t, const char *, const char *>> cases = {
        {"HT1007", 5, "Weaving", "WVG Gate Reader"},    // Venkatesh Rao
        {"HT1003", 5, "Processing", "PRC Gate Reader"}, // Suresh Babu, a user
        {"HT1009", 0, "", ""},                          // Anitha Joseph: none
        {"", 0, "", ""},
        {"ht1007", 0, "", ""},
    };
    for (const auto &[code, count, division, reader] : cases) {
        const json rows = punchesOf(*demo, code);
        ASSERT_EQ(rows.size(), count) << code << rows;
        if (count == 0)
            continue;
        EXPECT_EQ(rows[0]["DivisionName"], division) << code;
        EXPECT_EQ(rows[0]["FPDeviceName"], reader) << code;
        EXPECT_EQ(rows[0]["EmpCode"], code);
    }
}

TEST_F(Punches, RefusesUnknownRequestTypes) {
    const std::vector<std::pair<json, std::string>> cases = {
        {{{"ReqType", "SELECT_LASTWEEKLOG"}, {"EmpCode", "HT1007"}},
         "unknown ReqType 'SELECT_LASTWEEKLOG' for USP_Security"},
        {{{"ReqType", "SELECT_LASTTWODAYSLOG"}, {"EmpCode", json::array()}},
         "parameter EmpCode must be text"},
    };
    for (const auto &[data, error] : cases)
        EXPECT_EQ(demo->refusedSp("USP_Security", data), json({{"error", error}})) << data;
}

} // namespace
} // namespace seclog::server::testing
