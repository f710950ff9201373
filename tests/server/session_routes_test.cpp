#include "server_test_support.h"

#include <gtest/gtest.h>

namespace seclog::server::testing {
namespace {

class SessionRoutes : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        demo = std::make_unique<DemoServer>();
        demo->server().addUser({"plus", "a+b&c=d %25", "Plus Sign", "HLV01", 2, 2, true});
        demo->server().addUser({"spaced", "two words", "Space Man", "HLV01", 1, 3, true});
    }
    static void TearDownTestSuite() { demo.reset(); }

    static Reply login(const std::string &user, const std::string &password) {
        return demo->postForm("/verifyUser", {{"spName", "Usp_CommonService"},
                                              {"spType", "Sel_Pwd"},
                                              {"branchCode", "Halvik"},
                                              {"uName", user},
                                              {"pwd", password}});
    }

    static inline std::unique_ptr<DemoServer> demo;
};

TEST_F(SessionRoutes, DemoUserLogsInWithOwnBranch) {
    const Reply reply = login("demo", "demo");
    ASSERT_EQ(reply.status, 200);
    const nlohmann::json expected =
        nlohmann::json::array({{{"BranchCode", "HLV01"},
                                {"Users_id", "1"},
                                {"EmpName", "Ravi Kumar"},
                                {"Employee_id", "1"},
                                {"Department_id", "1"},
                                {"Department", "Security"},
                                {"ImagePath", "~/Security/PersonsImages/user_1.png"}}});
    EXPECT_EQ(reply.json, expected);
}

struct LoginCase {
    const char *user;
    const char *password;
    const char *empName; // nullptr: no row expected
};

class LoginAttempts : public SessionRoutes, public ::testing::WithParamInterface<LoginCase> {};

TEST_P(LoginAttempts, ReplyHasRowOnlyForValidActiveUser) {
    const Reply reply = login(GetParam().user, GetParam().password);
    ASSERT_EQ(reply.status, 200);
    ASSERT_TRUE(reply.json.is_array());
    if (!GetParam().empName) {
        EXPECT_TRUE(reply.json.empty()) << reply.json;
        return;
    }
    ASSERT_EQ(reply.json.size(), 1u);
    EXPECT_EQ(reply.json[0]["EmpName"], GetParam().empName);
}

INSTANTIATE_TEST_SUITE_P(Cases, LoginAttempts,
                         ::testing::Values(LoginCase{"demo", "demo", "Ravi Kumar"},
                                           LoginCase{"priya", "priya123", "Priya Nair"},
                                           LoginCase{"plus", "a+b&c=d %25", "Plus Sign"},
                                           LoginCase{"spaced", "two words", "Space Man"},
                                           LoginCase{"demo", "wrong", nullptr},
                                           LoginCase{"demo", "", nullptr},
                                           LoginCase{"DEMO", "demo", nullptr},
                                           LoginCase{"olduser", "olduser", nullptr}, // inactive
                                           LoginCase{"plus", "a b&c=d %", nullptr},
                                           LoginCase{"' OR '1'='1", "' OR '1'='1", nullptr},
                                           LoginCase{"", "", nullptr}));

TEST_F(SessionRoutes, PlusInRawFormBodyMeansSpace) {
    const Reply reply = demo->postRaw(
        "/verifyUser", "spName=Usp_CommonService&spType=Sel_Pwd&uName=spaced&pwd=two+words",
        "application/x-www-form-urlencoded");
    ASSERT_EQ(reply.json.size(), 1u);
    EXPECT_EQ(reply.json[0]["EmpName"], "Space Man");
}

TEST_F(SessionRoutes, WrongProcedureNamesAreRejected) {
    for (const auto &[spName, spType] : std::vector<std::pair<std::string, std::string>>{
             {"Usp_CommonService", "Sel_DeviceAndDivision"}, {"Other", "Sel_Pwd"}, {"", ""}}) {
        const Reply reply = demo->postForm(
            "/verifyUser",
            {{"spName", spName}, {"spType", spType}, {"uName", "demo"}, {"pwd", "demo"}});
        EXPECT_EQ(reply.status, 400) << spName << "/" << spType;
        EXPECT_TRUE(reply.json.contains("error"));
    }
}

struct DeviceCase {
    std::string deviceName;
    nlohmann::json rows;
};

class DeviceLookup : public SessionRoutes, public ::testing::WithParamInterface<DeviceCase> {};

TEST_P(DeviceLookup, ExactNameGivesDivisionAndGate) {
    const Reply reply = demo->postSp("Usp_CommonService", {{"SP_Type", "Sel_DeviceAndDivision"},
                                                           {"LikeStr", GetParam().deviceName}});
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(reply.json, GetParam().rows);
}

nlohmann::json deviceRow(const char *division, const char *divisionName, const char *device,
                         const char *gate) {
    return nlohmann::json::array({{{"Division_id", division},
                                   {"DivisionName", divisionName},
                                   {"Device_id", division},
                                   {"DeviceName", device},
                                   {"GateName", gate},
                                   {"Gate_id", division},
                                   {"BranchCode", "HLV01"}}});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DeviceLookup,
    ::testing::Values(
        DeviceCase{"Gate-1 Handheld", deviceRow("1", "Spinning", "Gate-1 Handheld", "Main Gate")},
        DeviceCase{"Gate-2 Handheld", deviceRow("2", "Weaving", "Gate-2 Handheld", "North Gate")},
        DeviceCase{"Gate-3 Handheld", deviceRow("3", "Processing", "Gate-3 Handheld", "East Gate")},
        DeviceCase{"gate-1 handheld", nlohmann::json::array()},
        DeviceCase{"Gate-1  Handheld", nlohmann::json::array()},
        DeviceCase{"Gate-1", nlohmann::json::array()}, DeviceCase{"%", nlohmann::json::array()},
        DeviceCase{"' OR ''='", nlohmann::json::array()}));

TEST_F(SessionRoutes, DeviceRecordKeepsNumbersWithoutWithStrings) {
    const Reply reply =
        demo->postSp("Usp_CommonService",
                     {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", "Gate-2 Handheld"}}, false);
    ASSERT_EQ(reply.json.size(), 1u);
    EXPECT_EQ(reply.json[0]["Division_id"], 2);
    EXPECT_EQ(reply.json[0]["Device_id"], 2);
    EXPECT_EQ(reply.json[0]["GateName"], "North Gate");
}

TEST_F(SessionRoutes, JSONDataMayArriveAsText) {
    const nlohmann::json body = {
        {"SPName", "Usp_CommonService"},
        {"JSONData", R"({"SP_Type":"Sel_DeviceAndDivision","LikeStr":"Gate-3 Handheld"})"},
        {"withStrings", true}};
    const Reply reply = demo->postRaw("/sp", body.dump(), "application/json");
    ASSERT_EQ(reply.json.size(), 1u);
    EXPECT_EQ(reply.json[0]["DivisionName"], "Processing");
}

TEST_F(SessionRoutes, VersionDefaultsToClientVersion) {
    const Reply reply = demo->postSp("USP_tblMAppleAppRights",
                                     {{"AppName", "SECURITY IOS 11"}, {"ReqType", "VER"}});
    const std::string link = "http://127.0.0.1:" + std::to_string(demo->server().port()) +
                             "/download?app=seclogandurl=itms";
    EXPECT_EQ(reply.json,
              nlohmann::json::array({{{"AppleAppVersion", "1.0"}, {"HttpLinkURL", link}}}));
    EXPECT_EQ(
        demo->postSp("USP_tblMAppleAppRights", {{"AppName", "OTHER"}, {"ReqType", "VER"}}).json,
        nlohmann::json::array());
}

TEST(AppVersionOption, OverridesVersionAndLink) {
    ServerOptions options;
    options.appVersion = "2.5";
    options.appLink = "https://example.test/get";
    DemoServer demo(options);
    const Reply reply =
        demo.postSp("USP_tblMAppleAppRights", {{"AppName", "SECURITY IOS 11"}, {"ReqType", "VER"}});
    EXPECT_EQ(reply.json, nlohmann::json::array({{{"AppleAppVersion", "2.5"},
                                                  {"HttpLinkURL", "https://example.test/get"}}}));
}

} // namespace
} // namespace seclog::server::testing
