#include "demo_server.h"

#include <csignal>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

namespace seclog::server::testing {
namespace {

constexpr const char *kReport = "SecIOS_ReportFilterSearch";

// Every log row has exactly these keys, all strings, with dates as the client parses them.
void expectLogRows(const json &rows) {
    expectTextRows(rows, kLogRowKeys);
    for (const auto &row : rows)
        for (const char *key : {"SecLogFrom", "InTime", "OutTime"}) // empty until set
            EXPECT_TRUE(row.value(key, "") == "" || isClientDateTime(row[key])) << row[key];
}

class Routes : public SharedDemo<> {
protected:
    static void SetUpTestSuite() {
        SharedDemo::SetUpTestSuite();
        demo->server.addUser({"plus", "a+b&c=d %2B é", "Plus Sign", "HLV01", 2, 2, true});
    }
};

TEST_F(Routes, LoginTakesTheExactPasswordAsTheAppEncodesIt) {
    const auto login = [](const std::string &user, const std::string &encodedPassword) {
        const std::string form = "spName=Usp_CommonService&spType=Sel_Pwd&branchCode=Halvik";
        return jsonOf(demo->client().Post(
            "/verifyUser", form + "&uName=" + user + "&pwd=" + encodedPassword, kForm));
    };
    EXPECT_EQ(login("demo", "demo"),
              json::parse(R"([{"BranchCode":"HLV01","Users_id":"1","EmpName":"Ravi Kumar",)"
                          R"("Employee_id":"1","Department_id":"1","Department":"Security",)"
                          R"("ImagePath":"~/Security/PersonsImages/user_1.png"}])"));
    const std::vector<std::tuple<std::string, std::string, Ids>> cases = {
        // "plus" has the password "a+b&c=d %2B é", encoded by the app as in the first row.
        {"plus", "a%2Bb%26c%3Dd%20%252B%20%C3%A9", {"Plus Sign"}},
        {"plus", "a%2Bb%26c%3Dd+%252B+%C3%A9", {"Plus Sign"}}, // a bare '+' is a space
        {"plus", "a+b%26c%3Dd+%2B+%C3%A9", {}},
        {"plus", "a%2Bb%26c%3Dd%20%2B%20%C3%A9", {}}, // decoded twice
        {"DEMO", "demo", {}},
    };
    for (const auto &[user, password, names] : cases)
        EXPECT_EQ(column(login(user, password), "EmpName"), names) << user << " / " << password;
}

TEST_F(Routes, DeviceAndVersionRecords) {
    const auto device = [](const json &name) {
        return demo->postSp("Usp_CommonService",
                            {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", name}});
    };
    // Only the device's own fields: the client copies every known key into its session, and
    // the branch there is the login's. The client's fixture is this very reply.
    const json gate1 = device("Gate-1 Handheld");
    ASSERT_EQ(gate1.size(), 1u);
    EXPECT_EQ(keysOf(gate1[0]), (Ids{"Device_id", "DivisionName", "Division_id", "GateName"}));
    EXPECT_EQ(gate1, json::parse(R"([{"Division_id":"1","DivisionName":"Spinning",)"
                                 R"("Device_id":"1","GateName":"Main Gate"}])"));
    std::ifstream fixture(SECLOG_TEST_DATA "/app/device-record.json");
    EXPECT_EQ(json::parse(fixture, nullptr, false), gate1) << "tests/data/app/device-record.json";
    for (const json &name : std::vector<json>{"gate-1 handheld", "Gate-1 Handheld ", "Gate-1", "%",
                                              "' OR ''='", 5, nullptr, std::string(1 << 20, 'x')})
        EXPECT_EQ(device(name), json::array()) << name.dump().substr(0, 20);
    // JSONData may come as JSON text, and without withStrings numbers stay numbers.
    const json query = {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", "Gate-2 Handheld"}};
    const json asText = {{"SPName", "Usp_CommonService"}, {"JSONData", query.dump()}};
    EXPECT_EQ(demo->post("/sp", asText.dump())[0]["Device_id"], 2);
    const std::string link = demo->server.baseUrl() + "/download?app=seclogandurl=itms";
    const json version = {{"AppName", "SECURITY IOS 11"}, {"ReqType", "VER"}};
    EXPECT_EQ(demo->postSp("USP_tblMAppleAppRights", version),
              json::array({{{"AppleAppVersion", "1.0"}, {"HttpLinkURL", link}}}));
}

TEST_F(Routes, LogQueriesMatchTextAsData) {
    const std::vector<std::tuple<const char *, std::string, const char *, Ids>> cases = {
        // Open logs of one division and branch, newest first.
        {"NotOut", "1", "SecIOLog_id", {"36", "34", "32", "30", "29", "27", "25"}},
        {"NotOut", "2", "SecIOLog_id", {"33", "31", "26"}},
        {"NotOut", "4", "SecIOLog_id", {}},
        {"NotOut", "1 OR 1=1", "SecIOLog_id", {}},
        // The mobile search gives each person's latest log; Employee_id holds the open one.
        {"MobileIOS", "Anand", "SecIOLog_id", {"31"}},
        {"MobileIOS", "Anand", "Employee_id", {"31"}},
        {"MobileIOS", "Kavitha", "SecIOLog_id", {"21"}},
        {"MobileIOS", "Kavitha", "Employee_id", {""}},
        {"MobileIOS", "Meena", "SecIOLog_id", {""}}, // never logged
        {"MobileIOS", "D'Souza", "IOPerson", {"Deepa D'Souza"}},
        {"MobileIOS", "+91 7", "IOPerson", {"Farida Begum"}},
        {"MobileIOS", "%", "IOPerson", {}},
        {"MobileIOS", "_", "IOPerson", {}},
        // The report search spans every division, newest first.
        {kReport, "Kavitha", "DivisionName", {"Spinning", "Weaving", "Spinning"}},
        {kReport, "TN 38 AB 1234", "SecIOLog_id", {"31", "25", "19", "13", "7", "1"}},
        {kReport, "%", "SecIOLog_id", {}},
    };
    for (const auto &[by, text, key, values] : cases) {
        const json reply = demo->logs(by, text);
        EXPECT_EQ(column(reply, key), values) << by << ": " << text << " -> " << key;
        expectLogRows(reply);
    }
    EXPECT_EQ(demo->logs("NotOut", "1", "XX"), json::array());
}

TEST_F(Routes, BadRequestsAre400WithJsonError) {
    const auto expectError = [](const httplib::Result &result, const std::string &what) {
        SCOPED_TRACE(what);
        const json reply = jsonOf(result, 400);
        EXPECT_TRUE(result->get_header_value("Content-Type").starts_with("application/json"));
        EXPECT_TRUE(reply.is_object() && reply.value("error", json()).is_string()) << reply;
    };
    for (
        const std::string &body : std::vector<std::string>{
            "", "{bad", "[]", R"({"JSONData":{}})", R"({"SPName":"Nope","JSONData":{}})",
            R"({"SPName":"usp_commonservice","JSONData":{"SP_Type":"Sel_DeviceAndDivision"}})",
            R"({"SPName":"Usp_CommonService","JSONData":{"SP_Type":"Nope"}})",
            R"({"SPName":"Usp_CommonService","JSONData":"{not json"})",
            R"({"SPName":"Usp_CommonService","JSONData":{"SP_Type":"Sel_DeviceAndDivision","LikeStr":{}}})",
            R"({"SPName":"USP_SecurityLogBySearchText_RptSearch","JSONData":{"SearchBy":"All"}})",
            "{\"SPName\":\"Nope\xFF\xFE\"}", std::string(100000, '[')})
        expectError(demo->client().Post("/sp", body, "application/json"), body.substr(0, 80));
    expectError(demo->client().Get("/nope"), "GET /nope");
    expectError(demo->client().Post("/verifyUser",
                                    "spName=Usp_CommonService&spType=Sel_DeviceAndDivision", kForm),
                "login route with another selector");
}

TEST(MarkOut, ClosesAnOpenLogOnceAndRefusesTheRest) {
    DemoServer demo;
    const auto save = [&](const std::string &log) {
        return jsonOf(
            demo.client().Post("/SaveSecurityIOLog",
                               httplib::Params{{"SecurityIOLog", log}, {"SecurityIODetails", ""}}));
    };
    const auto markOut = [&](const json &id, const std::string &image = "") {
        return save(json::array({{{"IOLog_ids", id}, {"ImageData", image}}}).dump());
    };
    EXPECT_EQ(markOut("36"), json::array({{{"SMsg", "Security Log 36 marked OUT"}}}));
    const auto outTime = logOutTime(demo.dbPath, 36);
    ASSERT_TRUE(outTime && isClientDateTime(*outTime)) << outTime.value_or("no log");
    EXPECT_EQ(column(demo.logs("NotOut", "1"), "SecIOLog_id"),
              (Ids{"34", "32", "30", "29", "27", "25"}));
    const json row = demo.logs(kReport, "36").at(0);
    EXPECT_EQ(row["IsUpdateable"], "No");
    EXPECT_EQ(row["OutTime"], *outTime);
    // A numeric id works too; a photo takes the body past httplib's default 8 KiB form limit.
    EXPECT_EQ(markOut(32, std::string(200000, 'A'))[0]["SMsg"], "Security Log 32 marked OUT");
    EXPECT_EQ(markOut("36"), json::array({{{"ErrorMsg", "Security Log 36 is already OUT"}}}));
    EXPECT_EQ(markOut("9999"), json::array({{{"ErrorMsg", "Security Log 9999 not found"}}}));
    for (const std::string body :
         {"", "[]", R"([{"IOLog_ids":"1"},{"IOLog_ids":"2"}])", R"([{"ImageData":""}])",
          R"([{"IOLog_ids":"34; DELETE FROM SecurityIOLog"}])",
          R"([{"IOLog_ids":"99999999999999999999999"}])"})
        EXPECT_TRUE(save(body).at(0).contains("ErrorMsg")) << body;
    EXPECT_EQ(logOutTime(demo.dbPath, 34), ""); // still open
}

// Handhelds keep their connections open between requests (a dozen for one scrolling through
// photos): each new one is still served at once, not after another's keep-alive runs out.
TEST(Connections, KeptOpenConnectionsDoNotStarveTheNextOne) {
    DemoServer demo;
    std::vector<std::unique_ptr<httplib::Client>> kept;
    for (int i = 0; i < 12; ++i) {
        auto client = std::make_unique<httplib::Client>("127.0.0.1", demo.server.port());
        client->set_keep_alive(true);
        client->set_read_timeout(2, 0);
        const auto reply = client->Get("/files/Security/PersonsImages/person_1.png");
        ASSERT_TRUE(reply) << "connection " << i << ": " << httplib::to_string(reply.error());
        EXPECT_EQ(reply->status, 200);
        kept.push_back(std::move(client));
    }
}

// The long list for benchmarks: division 1 is filled up to the count, newest first, each new
// log of a person of its own whose portrait is served; the other divisions keep the demo's.
TEST(OpenLogs, DemoFillsDivisionOneUpToTheCount) {
    TempDir dir;
    ServerOptions options = demoOptions(dir.path / "seclog.db");
    options.openLogs = 40;
    const StandInServer server(options);
    const auto logs = [&](const char *division) {
        return postSp(server, "USP_GetSecurityLogBySearchText",
                      {{"SearchBy", "NotOut"}, {"SearchText", division}, {"BranchCode", "HLV01"}});
    };
    const json rows = logs("1");
    ASSERT_EQ(rows.size(), 40u);
    expectTextRows(rows, kLogRowKeys);
    EXPECT_EQ(rows[0]["IOPerson"], "Guest 00033"); // 33 guests beside the demo's 7
    EXPECT_EQ(rows[0]["IsUpdateable"], "Yes");
    EXPECT_TRUE(isClientDateTime(rows[0]["InTime"]));
    const auto photo = rows[0]["IOImgPath"].get<std::string>();
    ASSERT_EQ(photo, "~/Security/PersonsImages/guest_00033.png");
    httplib::Client client("127.0.0.1", server.port());
    const auto served = client.Get("/files/Security/PersonsImages/guest_00033.png");
    ASSERT_TRUE(served);
    EXPECT_EQ(served->status, 200);
    EXPECT_EQ(served->body.substr(1, 3), "PNG");
    EXPECT_EQ(logs("2").size(), 3u);
}

TEST_F(Routes, FilesAndReportsServeOnlyWhatTheyHave) {
    auto client = demo->client();
    std::ofstream(demo->dir.path / "secret.txt") << "secret";
    const std::vector<std::tuple<std::string, int, std::string, std::string>> cases = {
        {"/files/Security/PersonsImages/person_1.png", 200, "image/png", "\x89PNG\r\n\x1a\n"},
        {"/10_Reports/FrmSecLog.aspx?SecIOLog_id=4&BranchCode=HLV01", 200, "application/pdf",
         "%PDF-"},
        {"/files/Security/PersonsImages/missing.png", 404, "", ""},
        {"/files/Security/%2E%2E/%2E%2E/secret.txt", 400, "", ""},
        {"/files/Security/PersonsImages/..%5C..%5Csecret.txt", 400, "", ""},
        {"/10_Reports/FrmSecLog.aspx?SecIOLog_id=9999&BranchCode=HLV01", 404, "", ""},
        {"/10_Reports/FrmSecLog.aspx?SecIOLog_id=31&BranchCode=Halvik", 404, "", ""},
        {"/10_Reports/FrmSecLog.aspx?SecIOLog_id=31x&BranchCode=HLV01", 400, "", ""},
        {"/10_Reports/FrmSecLog.aspx?BranchCode=HLV01", 400, "", ""},
    };
    for (const auto &[path, status, type, start] : cases) {
        const auto reply = client.Get(path);
        ASSERT_TRUE(reply) << path;
        EXPECT_EQ(reply->status, status) << path;
        EXPECT_EQ(type.empty() ? type : reply->get_header_value("Content-Type"), type) << path;
        EXPECT_EQ(reply->body.rfind(start, 0), 0u) << path;
        EXPECT_EQ(reply->body.find("secret"), std::string::npos) << path;
    }
    // Content streams are uncompressed, so the report's text stays searchable.
    const std::string pdf = client.Get(std::get<0>(cases[1]))->body;
    for (const char *text : {"%%EOF", "Halvik Textiles", "Rajesh Kannan", "DC-2041"})
        EXPECT_NE(pdf.find(text), std::string::npos) << text;
}

// Runs the real executable (stdout and stderr on one pipe) from a shell that prints its pid.
class ServerBinary : public ::testing::Test {
protected:
    void TearDown() override { stop(SIGKILL); }
    void start(const std::string &args) {
        out_ = popen(("echo $$; exec '" SECLOG_SERVER_BINARY "' " + args + " 2>&1").c_str(), "r");
        pid_ = std::stoi(readLine());
    }
    std::string readLine() {
        char buffer[256] = {};
        return fgets(buffer, sizeof buffer, out_) ? buffer : "";
    }
    int stop(int signal) { // the wait status
        if (!out_)
            return -1;
        kill(pid_, signal);        // the pid stays ours until pclose reaps it
        while (fgetc(out_) != EOF) // read to the end: writing to a closed pipe would kill it
            ;
        return pclose(std::exchange(out_, nullptr));
    }
    TempDir dir_;
    FILE *out_ = nullptr;
    pid_t pid_ = -1;
};

TEST_F(ServerBinary, DemoServerStartsServesAndStopsCleanlyTwice) {
    const std::string db = (dir_.path / "bin.db").string();
    const std::string prefix = "seclog-server listening on 127.0.0.1:";
    for (const int signal : {SIGTERM, SIGINT}) {
        start("--port 0 --db " + db + " --demo");
        const std::string line = readLine();
        ASSERT_EQ(line.rfind(prefix, 0), 0u) << line;
        httplib::Client client("127.0.0.1", std::stoi(line.substr(prefix.size())));
        // A second start with --demo must not seed the data again.
        const json search = {{"SearchBy", "MobileIOS"}, {"SearchText", "Arun Prakash"}};
        const auto found = client.Post(
            "/sp", spBody("USP_SecurityLogBySearchText_RptSearch", search), "application/json");
        EXPECT_EQ(jsonOf(found).size(), 1u);
        const int status = stop(signal);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    EXPECT_TRUE(std::filesystem::exists(db + ".files/Security/PersonsImages"));
}

TEST_F(ServerBinary, BadArgumentsExitWithUsage) {
    const std::string db = " --db " + (dir_.path / "x.db").string();
    for (const std::string &args :
         {std::string("--port 0"), "--port 70000" + db, "--port 12ab" + db,
          "--port 0 --bogus 1" + db, db + " --port"}) {
        start(args);
        ASSERT_EQ(readLine().rfind("seclog-server: ", 0), 0u) << args; // the reason, then usage
        const int status = stop(0);                                    // waits for the exit
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 2) << args;
    }
}

} // namespace
} // namespace seclog::server::testing
