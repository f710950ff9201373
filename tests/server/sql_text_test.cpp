// Text that means something to SQL, sent in every text field of the main requests, is data:
// each request stores or answers it as it is, or refuses it, and the database keeps every
// table and row it had.

#include "database.h"
#include "demo_server.h"
#include "log_form.h"

namespace seclog::server::testing {
namespace {

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
};

// Whether one of the columns holds the text (case ignored, as SQL's LIKE does).
bool holds(const json &row, const Ids &columns, const std::string &text) {
    return std::any_of(columns.begin(), columns.end(), [&](const std::string &key) {
        return lower(row.value(key, "")).find(lower(text)) != std::string::npos;
    });
}

json tableNames(const std::filesystem::path &dbPath) {
    Database db(dbPath.string(), true);
    return db.query("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name");
}

std::int64_t rowCount(const std::filesystem::path &dbPath, const char *table) {
    Database db(dbPath.string(), true);
    return db.query(std::string("SELECT COUNT(*) AS n FROM ") + table)[0]["n"];
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
    ASSERT_EQ(reply->status, 200) << reply->body;
    ASSERT_TRUE(body.is_array()) << reply->body;
    for (const auto &row : body)
        EXPECT_TRUE(rowOk(row)) << row;
}

// A procedure call with the text in one argument; `columns` must hold it in every row found,
// none: nothing may be found.
struct Search {
    const char *spName;
    json data; // "?" stands for the text
    Ids columns;
};

std::vector<Search> searches() {
    const char *log = "USP_GetSecurityLogBySearchText";
    const char *report = "USP_SecurityLogBySearchText_RptSearch";
    const auto by = [](const char *searchBy) {
        return json{{"SearchBy", searchBy}, {"SearchText", "?"}};
    };
    return {
        {log, {{"SearchBy", "NotOut"}, {"SearchText", "?"}, {"BranchCode", "HLV01"}}, {}},
        {log, {{"SearchBy", "NotOut"}, {"SearchText", "1"}, {"BranchCode", "?"}}, {}},
        {log, {{"SearchBy", "SecIOLogDetail"}, {"SearchText", "?"}, {"BranchCode", ""}}, {}},
        {log, by("VehicleIOS"), {}},
        {log, by("Meet_To"), {"EmpName", "EmpCode", "Department"}},
        {log, by("Purpose"), {"Purpose"}},
        {log, by("Sec_Designation"), {"Designation"}},
        {log, by("EntryType"), {"IOType"}},
        {log, by("Sec_Supplier"), {"PartyName", "City"}},
        {log, by("Sec_City"), {"CityName"}},
        {log, by("MobileIOSByQRCode"), {}},
        {report, by("MobileIOS"), {"IOPerson", "IOMobile"}},
        {report,
         {{"SearchBy", "SecIOS_ReportFilterSearch"}, {"SearchText", "?"}, {"branchCode", "HLV01"}},
         {"SecIOLog_id", "IOPerson", "IOMobile", "IOVehicle", "TokenNo"}},
        {report,
         {{"SearchBy", "SecIOS_ReportFilterSearch"},
          {"SearchText", "Kavitha"},
          {"branchCode", "?"}},
         {}},
        {"Usp_CommonService", {{"SP_Type", "Sel_ItemLike"}, {"LikeStr", "?"}}, {"ItemName"}},
        {"Usp_CommonService", {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", "?"}}, {}},
        {"Usp_CommonService",
         {{"SP_Type", "Sec_DCViewByQRScan"}, {"BranchCode", "HLV01"}, {"LikeStr", "?"}},
         {}},
        {"USP_Security", {{"ReqType", "SELECT_LASTTWODAYSLOG"}, {"EmpCode", "?"}}, {}},
    };
}

json withText(json data, const std::string &text) {
    for (auto &value : data)
        if (value == "?")
            value = text;
    return data;
}

class SqlText : public ::testing::TestWithParam<HostileText> {
protected:
    DemoServer demo;
    const json tables = tableNames(demo.dbPath);
    const std::int64_t logs = rowCount(demo.dbPath, "SecurityIOLog");
    const std::string &text = GetParam().text;

    void TearDown() override {
        EXPECT_EQ(tableNames(demo.dbPath), tables);
        Database db(demo.dbPath.string(), true);
        EXPECT_EQ(db.query("PRAGMA integrity_check"), json::parse(R"([{"integrity_check":"ok"}])"));
    }
};

TEST_P(SqlText, LoginFindsNobody) {
    for (const auto &[user, password] : std::vector<std::pair<std::string, std::string>>{
             {text, text}, {"demo", text}, {text, "demo"}, {"demo' --", "x"}}) {
        const json reply = jsonOf(
            demo.client().Post("/verifyUser", httplib::Params{{"spName", "Usp_CommonService"},
                                                              {"spType", "Sel_Pwd"},
                                                              {"branchCode", text},
                                                              {"uName", user},
                                                              {"pwd", password}}));
        EXPECT_EQ(reply, json::array()) << user << " / " << password;
    }
}

TEST_P(SqlText, ListsAndSearchesMatchItAsText) {
    for (const Search &search : searches()) {
        const json data = withText(search.data, text);
        SCOPED_TRACE(std::string(search.spName) + " " + data.dump());
        expectAnsweredOrRefused(
            demo.client().Post("/sp", spBody(search.spName, data), "application/json"),
            [&](const json &row) { return holds(row, search.columns, text); });
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
        json criteria = {{"GetType", "Summary"},
                         {"FromDate", "2026-01-01"},
                         {"NoDays", "3"},
                         {"Division_id", "1"},
                         {"BranchCode", "HLV01"}};
        criteria[key] = text;
        SCOPED_TRACE(criteria.dump());
        expectAnsweredOrRefused(
            demo.client().Post("/GetCommonNestedData",
                               httplib::Params{{"SP_Name", "USP_GetSecurityLogSummaryReport"},
                                               {"SecurityReport", criteria.dump()},
                                               {"CommonKeyValue", "ID"}}),
            [](const json &) { return false; });
    }
    EXPECT_EQ(rowCount(demo.dbPath, "SecurityIOLog"), logs);
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
        json header = newLogHeader(), line = itemLine("Quantity", "2.00", "Yarn Cones");
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
            field.inLine ? demo.postSp(kLogProcedure, detailQuery(id)).at(0) : reportRow(demo, id);
        EXPECT_EQ(row.value(field.key, json()), text) << row;
    }
    EXPECT_EQ(rowCount(demo.dbPath, "SecurityIOLog"), logs + stored);
}

INSTANTIATE_TEST_SUITE_P(Texts, SqlText, ::testing::ValuesIn(kHostileTexts),
                         [](const auto &info) { return info.param.name; });

} // namespace
} // namespace seclog::server::testing
