// Text that means something to SQL, sent in every text field of the main requests, is data:
// each request stores or answers it as it is, or refuses it, and the database keeps every
// table and row it had.

#include "demo_server.h"

#include <cctype>

namespace seclog::server::testing {
namespace {

constexpr const char *kReport = "USP_SecurityLogBySearchText_RptSearch";

struct HostileText {
    std::string name, text;
};

const std::vector<HostileText> kHostileTexts = {
    {"Quote", "'"},
    {"DoubleQuote", "\""},
    {"Semicolon", ";"},
    {"LineComment", "--"},
    {"BlockComment", "/*"},
    {"OrTrue", "' OR '1'='1"},
    {"DropTable", "Robert'); DROP TABLE SecurityIOLog;--"},
    {"Percent", "%"},
    {"Underscore", "_"},
};

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// Whether one of the columns holds the text (case ignored, as SQL's LIKE does).
bool holds(const json &row, const Ids &columns, const std::string &text) {
    return std::any_of(columns.begin(), columns.end(), [&](const std::string &key) {
        return lower(row.value(key, "")).find(lower(text)) != std::string::npos;
    });
}

json tableNames(const std::filesystem::path &dbPath) {
    return dbRows(dbPath, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
}

std::int64_t logCount(const std::filesystem::path &dbPath) {
    return dbRows(dbPath, "SELECT COUNT(*) AS n FROM SecurityIOLog")[0]["n"];
}

// Either 200 with rows each passing `rowOk`, or 400 with a JSON error.
void expectAnsweredOrRefused(const httplib::Result &reply,
                             const std::function<bool(const json &)> &rowOk) {
    ASSERT_TRUE(reply);
    const json body = json::parse(reply->body, nullptr, false);
    if (reply->status == 400) {
        EXPECT_TRUE(body.is_object() && body.value("error", json()).is_string()) << reply->body;
        return;
    }
    ASSERT_TRUE(reply->status == 200 && body.is_array()) << reply->body;
    for (const auto &row : body)
        EXPECT_TRUE(rowOk(row)) << row;
}

// A procedure call with the text in one argument ("?" in data); every row found must hold
// it in one of the columns ('|' between), none: nothing may be found.
struct Search {
    const char *spName, *data, *columns;
};

const Search kSearches[] = {
    {kLogProcedure, R"({"SearchBy":"NotOut","SearchText":"?","BranchCode":"HLV01"})", ""},
    {kLogProcedure, R"({"SearchBy":"NotOut","SearchText":"1","BranchCode":"?"})", ""},
    {kLogProcedure, R"({"SearchBy":"SecIOLogDetail","SearchText":"?","BranchCode":""})", ""},
    {kLogProcedure, R"({"SearchBy":"VehicleIOS","SearchText":"?"})", ""},
    {kLogProcedure, R"({"SearchBy":"Meet_To","SearchText":"?"})", "EmpName|EmpCode|Department"},
    {kLogProcedure, R"({"SearchBy":"Purpose","SearchText":"?"})", "Purpose"},
    {kLogProcedure, R"({"SearchBy":"Sec_Designation","SearchText":"?"})", "Designation"},
    {kLogProcedure, R"({"SearchBy":"EntryType","SearchText":"?"})", "IOType"},
    {kLogProcedure, R"({"SearchBy":"Sec_Supplier","SearchText":"?"})", "PartyName|City"},
    {kLogProcedure, R"({"SearchBy":"Sec_City","SearchText":"?"})", "CityName"},
    {kLogProcedure, R"({"SearchBy":"MobileIOSByQRCode","SearchText":"?"})", ""},
    {kLogProcedure, R"({"SearchBy":"MobileIOS","SearchText":"?"})", ""},
    {kReport, R"({"SearchBy":"MobileIOS","SearchText":"?"})", "IOPerson|IOMobile"},
    {kReport, R"({"SearchBy":"SecIOS_ReportFilterSearch","SearchText":"?","branchCode":"HLV01"})",
     "SecIOLog_id|IOPerson|IOMobile|IOVehicle|TokenNo"},
    {kReport, R"({"SearchBy":"SecIOS_ReportFilterSearch","SearchText":"Kavitha","branchCode":"?"})",
     ""},
    {"Usp_CommonService", R"({"SP_Type":"Sel_ItemLike","LikeStr":"?"})", "ItemName"},
    {"Usp_CommonService", R"({"SP_Type":"Sel_DeviceAndDivision","LikeStr":"?"})", ""},
    {"Usp_CommonService", R"({"SP_Type":"Sec_DCViewByQRScan","BranchCode":"HLV01","LikeStr":"?"})",
     ""},
    {"USP_Security", R"({"ReqType":"SELECT_LASTTWODAYSLOG","EmpCode":"?"})", ""},
};

class SqlText : public ::testing::TestWithParam<HostileText> {
protected:
    DemoServer demo;
    const json tables = tableNames(demo.dbPath);
    const std::int64_t logs = logCount(demo.dbPath);
    const std::string &text = GetParam().text;

    void TearDown() override {
        EXPECT_EQ(tableNames(demo.dbPath), tables);
        EXPECT_EQ(dbRows(demo.dbPath, "PRAGMA integrity_check"),
                  json::parse(R"([{"integrity_check":"ok"}])"));
    }
};

TEST_P(SqlText, LoginsListsAndSearchesMatchItAsText) {
    for (const auto &[user, password] : std::vector<std::pair<std::string, std::string>>{
             {text, text}, {"demo", text}, {text, "demo"}, {"demo' --", "x"}}) {
        const httplib::Params form = {{"spName", "Usp_CommonService"},
                                      {"spType", "Sel_Pwd"},
                                      {"branchCode", text},
                                      {"uName", user},
                                      {"pwd", password}};
        EXPECT_EQ(jsonOf(demo.client().Post("/verifyUser", form)), json::array()) << user;
    }
    for (const Search &search : kSearches) {
        json data = json::parse(search.data);
        for (auto &value : data)
            if (value == "?")
                value = text;
        SCOPED_TRACE(std::string(search.spName) + " " + data.dump());
        expectAnsweredOrRefused(
            demo.client().Post("/sp", spBody(search.spName, data), "application/json"),
            [&](const json &row) { return holds(row, listOf(search.columns), text); });
    }
    // The employee picker's hand-quoted parameters and its search text.
    const auto employees = [&](const std::string &branch, const std::string &like) {
        const json body = {
            {"SP_Name", "Usp_Production_Sel"},
            {"Parameters", "[{'BranchCode':'" + branch + "','SP_Type':'EMPLOYEE_SEARCH'}]"},
            {"LikeStr", like}};
        return demo.client().Post("/CommonGetSearchData", body.dump(), "application/json");
    };
    expectAnsweredOrRefused(employees("HLV01", text), [&](const json &row) {
        return holds(row, {"EmpName", "EmpCode"}, text);
    });
    expectAnsweredOrRefused(employees(text, ""), [](const json &) { return false; });
    // The summaries' criteria.
    for (const char *key : {"BranchCode", "FromDate", "Division_id", "NoDays"}) {
        json criteria = R"({"GetType":"Summary","FromDate":"2026-01-01","NoDays":"3",
            "Division_id":"1","BranchCode":"HLV01"})"_json;
        criteria[key] = text;
        const httplib::Params form = {{"SP_Name", "USP_GetSecurityLogSummaryReport"},
                                      {"SecurityReport", criteria.dump()},
                                      {"CommonKeyValue", "ID"}};
        expectAnsweredOrRefused(demo.client().Post("/GetCommonNestedData", form),
                                [](const json &) { return false; });
    }
    EXPECT_EQ(logCount(demo.dbPath), logs);
}

// Each text field of a save's header and of its item line in turn: stored as it is, or, for a
// field with a form or a reference to check, refused with nothing stored.
TEST_P(SqlText, SavedLogsKeepItAsText) {
    struct Field {
        const char *key;
        bool inLine;    // a key of the item line, else of the header
        bool mayRefuse; // checked for form or as a reference
    };
    const std::vector<Field> fields = {
        {"IOPerson", false, false},  {"IODesignation", false, false}, {"IOAdd1", false, false},
        {"IOImgPath", false, false}, {"Meet_To", false, false},       {"TokenNo", false, false},
        {"Purpose", false, false},   {"IOVehicle", false, false},     {"IOMobile", false, true},
        {"BranchCode", false, true}, {"PartyName", true, false},      {"City", true, false},
        {"DocNo", true, false},      {"Particulars", true, false},    {"DocPath", true, false},
        {"DocDate", true, true},     {"Quantity", true, true},
    };
    std::int64_t stored = 0;
    for (const Field &field : fields) {
        SCOPED_TRACE(field.key);
        json header = headerWith(), line = itemLine("Quantity", "2.00", "Yarn Cones");
        (field.inLine ? line : header)[field.key] = text;
        const json before = snapshot(demo.dbPath);
        const json reply =
            demo.save(kSavePath, json::array({header}).dump(), json::array({line}).dump());
        ASSERT_TRUE(reply.is_array() && reply.size() == 1) << reply;
        if (reply[0].contains("Error")) {
            EXPECT_TRUE(field.mayRefuse) << reply;
            EXPECT_EQ(snapshot(demo.dbPath), before);
            continue;
        }
        ++stored;
        const std::string id = reply[0].at("ID");
        const json row =
            field.inLine ? demo.postSp(kLogProcedure, detailQuery(id)).at(0) : demo.reportRow(id);
        EXPECT_EQ(row.value(field.key, json()), text) << row;
    }
    EXPECT_EQ(logCount(demo.dbPath), logs + stored);
}

INSTANTIATE_TEST_SUITE_P(Texts, SqlText, ::testing::ValuesIn(kHostileTexts),
                         [](const auto &info) { return info.param.name; });

} // namespace
} // namespace seclog::server::testing
