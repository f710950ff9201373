// The routes, from login to the report, and the listening address.

#include "command_line.h"
#include "database.h"
#include "demo_server.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

namespace seclog::server::testing {
namespace {

constexpr const char *kReport = "SecIOS_ReportFilterSearch";
constexpr const char *kForm = "application/x-www-form-urlencoded";

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
        {"plus", "a%2Bb%26c%3Dd%20%2B%20%C3%A9", {}},          // decoded twice
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
    EXPECT_EQ(gate1, json::parse(R"([{"Division_id":"1","DivisionName":"Spinning",)"
                                 R"("Device_id":"1","GateName":"Main Gate"}])"));
    std::ifstream fixture(SECLOG_TEST_DATA "/app/device-record.json");
    EXPECT_EQ(json::parse(fixture, nullptr, false), gate1) << "tests/data/app/device-record.json";
    for (const json &name : std::vector<json>{"gate-1 handheld", "Gate-1", "%", 5, nullptr})
        EXPECT_EQ(device(name), json::array()) << name.dump().substr(0, 20);
    // JSONData may come as JSON text, and without withStrings numbers stay numbers.
    const json query = {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", "Gate-2 Handheld"}};
    const json asText = {{"SPName", "Usp_CommonService"}, {"JSONData", query.dump()}};
    EXPECT_EQ(jsonOf(demo->client().Post("/sp", asText.dump(), "application/json"))[0]["Device_id"],
              2);
    const std::string link = demo->server.baseUrl() + "/download?app=seclogandurl=itms";
    const json version = {{"AppName", "SECURITY IOS 11"}, {"ReqType", "VER"}};
    EXPECT_EQ(demo->postSp("USP_tblMAppleAppRights", version),
              json::array({{{"AppleAppVersion", "1.0"}, {"HttpLinkURL", link}}}));
}

TEST_F(Routes, LogQueriesFindTheirLogs) {
    const std::vector<std::tuple<const char *, std::string, const char *, Ids>> cases = {
        // Open logs of one division and branch, newest first.
        {"NotOut", "1", "SecIOLog_id", {"36", "34", "32", "30", "29", "27", "25"}},
        // The mobile search gives each person's latest log; Employee_id holds the open one.
        {"MobileIOS", "Anand", "SecIOLog_id", {"31"}},
        {"MobileIOS", "Anand", "Employee_id", {"31"}},
        // The report search spans every division, newest first.
        {kReport, "Kavitha", "DivisionName", {"Spinning", "Weaving", "Spinning"}},
        {kReport, "TN 38 AB 1234", "SecIOLog_id", {"31", "25", "19", "13", "7", "1"}},
    };
    for (const auto &[by, text, key, values] : cases) {
        const json reply = demo->logs(by, text);
        EXPECT_EQ(column(reply, key), values) << by << ": " << text << " -> " << key;
        expectTextRows(reply, kLogRowKeys);
        for (const auto &row : reply)
            for (const char *date : {"SecLogFrom", "InTime", "OutTime"}) // empty until set
                EXPECT_TRUE(row[date] == "" || isClientDateTime(row[date])) << row[date];
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
    // Not JSON, not an object, an unknown procedure, bad UTF-8, nested past any sane depth.
    for (const std::string &body :
         {std::string("{bad"), std::string("[]"), std::string(R"({"SPName":"Nope","JSONData":{}})"),
          std::string("{\"SPName\":\"Nope\xFF\xFE\"}"), std::string(100000, '[')})
        expectError(demo->client().Post("/sp", body, "application/json"), body.substr(0, 80));
    expectError(demo->client().Get("/nope"), "GET /nope");
    expectError(demo->client().Post("/verifyUser",
                                    "spName=Usp_CommonService&spType=Sel_DeviceAndDivision", kForm),
                "login route with another selector");
}

TEST(MarkOut, ClosesAnOpenLogOnceAndRefusesTheRest) {
    DemoServer demo;
    const auto save = [&](const std::string &log) {
        return demo.save("/SaveSecurityIOLog", log, "");
    };
    const auto markOut = [&](const json &id, const std::string &image = "") {
        return save(json::array({{{"IOLog_ids", id}, {"ImageData", image}}}).dump());
    };
    EXPECT_EQ(markOut("36"), json::array({{{"SMsg", "Security Log 36 marked OUT"}}}));
    const auto outTime = logOutTime(demo.dbPath, 36);
    ASSERT_TRUE(outTime && isClientDateTime(*outTime)) << outTime.value_or("no log");
    EXPECT_EQ(column(demo.logs("NotOut", "1"), "SecIOLog_id"),
              (Ids{"34", "32", "30", "29", "27", "25"}));
    EXPECT_EQ(demo.reportRow("36")["IsUpdateable"], "No");
    EXPECT_EQ(demo.reportRow("36")["OutTime"], *outTime);
    // A numeric id works too; a photo takes the body past httplib's default 8 KiB form limit.
    EXPECT_EQ(markOut(32, std::string(200000, 'A'))[0]["SMsg"], "Security Log 32 marked OUT");
    EXPECT_EQ(markOut("36"), json::array({{{"ErrorMsg", "Security Log 36 is already OUT"}}}));
    EXPECT_EQ(markOut("9999"), json::array({{{"ErrorMsg", "Security Log 9999 not found"}}}));
    for (const std::string body : {"[]", R"([{"IOLog_ids":"1"},{"IOLog_ids":"2"}])",
                                   R"([{"IOLog_ids":"34; DELETE FROM SecurityIOLog"}])"})
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
        ASSERT_TRUE(reply && reply->status == 200) << "connection " << i;
        kept.push_back(std::move(client));
    }
}

TEST_F(Routes, FilesAndReportsServeOnlyWhatTheyHave) {
    auto client = demo->client();
    std::ofstream(demo->dir.path / "secret.txt") << "secret";
    const std::string report = "/10_Reports/FrmSecLog.aspx?";
    const std::vector<std::tuple<std::string, int, std::string, std::string>> cases = {
        {"/files/Security/PersonsImages/person_1.png", 200, "image/png", "\x89PNG\r\n\x1a\n"},
        {report + "SecIOLog_id=4&BranchCode=HLV01", 200, "application/pdf", "%PDF-"},
        {"/files/Security/%2E%2E/%2E%2E/secret.txt", 400, "", ""},
        {"/files/Security/PersonsImages/..%5C..%5Csecret.txt", 400, "", ""},
        {report + "SecIOLog_id=9999&BranchCode=HLV01", 404, "", ""},
        {report + "SecIOLog_id=31&BranchCode=Halvik", 404, "", ""},
        {report + "BranchCode=HLV01", 400, "", ""},
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
    // Each line with the quantity of its own section: IN in Quantity, OUT in OutQty.
    for (const char *text : {"%%EOF", "Halvik Textiles", "Rajesh Kannan", "(DC-2041)", "(120.00)",
                             "(80.00)", "(Empty Paper Cones)", "(40.00)"})
        EXPECT_NE(pdf.find(text), std::string::npos) << text;
}

// Loopback unless another host is named: a stand-in with demo passwords must not be reachable
// from the network by accident.
TEST(CommandLine, ListensOnLoopbackByDefault) {
    const std::vector<std::string> args = {"--db", "x.db", "--port", "0", "--demo"};
    EXPECT_EQ(parseCommandLine(args).options.value().host, "127.0.0.1");
}

// An IPv4 address of this machine other than loopback; "" when it has none.
std::string otherLocalAddress() {
    ifaddrs *list = nullptr;
    if (getifaddrs(&list) != 0)
        return "";
    std::string found;
    for (const ifaddrs *entry = list; entry && found.empty(); entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET)
            continue;
        const in_addr address = reinterpret_cast<const sockaddr_in *>(entry->ifa_addr)->sin_addr;
        char text[INET_ADDRSTRLEN] = {};
        if ((ntohl(address.s_addr) >> 24) != 127 && inet_ntop(AF_INET, &address, text, sizeof text))
            found = text;
    }
    freeifaddrs(list);
    return found;
}

TEST(Listening, AnswersOnLoopbackAndElsewhereOnlyWhenAsked) {
    const std::string other = otherLocalAddress();
    if (other.empty())
        GTEST_SKIP() << "this machine has no address besides loopback";
    for (const auto &[host, reachableFromOther] :
         std::vector<std::pair<std::optional<std::string>, bool>>{{std::nullopt, false},
                                                                  {"0.0.0.0", true}}) {
        SCOPED_TRACE(host.value_or("default host"));
        TempDir dir;
        ServerOptions options = demoOptions(dir.path / "listen.db");
        if (host)
            options.host = *host;
        StandInServer server(options);
        const auto reachable = [&](const std::string &address) {
            httplib::Client client(address, server.port());
            client.set_connection_timeout(2);
            const auto reply = client.Get("/standin/identity");
            return reply && reply->status == 200;
        };
        EXPECT_TRUE(reachable("127.0.0.1"));
        EXPECT_EQ(reachable(other), reachableFromOther) << other;
    }
}

// Rows are objects keyed by column name, in key order whatever the column order; of two
// columns with one name the later one counts, and each value keeps its storage class.
TEST(DatabaseRows, AreKeyedByColumnNameAndKeepEachValuesKind) {
    Database db(":memory:");
    EXPECT_EQ(db.query("SELECT 2 AS b, 'x' AS a, NULL AS c, 1.5 AS d, 7 AS a"),
              nlohmann::json::parse(R"([{"a":7,"b":2,"c":null,"d":1.5}])"));
    EXPECT_EQ(db.query("SELECT 'one' AS v UNION ALL SELECT 'two'").dump(),
              R"([{"v":"one"},{"v":"two"}])");
    EXPECT_EQ(db.query("SELECT 1 AS z WHERE 0"), nlohmann::json::array());
}

} // namespace
} // namespace seclog::server::testing
