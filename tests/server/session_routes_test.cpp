#include "server_test_support.h"
#include "sha256.h"

namespace seclog::server::testing {
namespace {

class SessionRoutes : public SharedDemoTest {
protected:
    static void SetUpTestSuite() {
        SharedDemoTest::SetUpTestSuite();
        demo->server().addUser({"plus", "a+b&c=d %25", "Plus Sign", "HLV01", 2, 2, true});
        demo->server().addUser({"spaced", "two words", "Space Man", "HLV01", 1, 3, true});
    }
    static Reply login(const std::string &user, const std::string &password) {
        return demo->postForm("/verifyUser", {{"spName", "Usp_CommonService"},
                                              {"spType", "Sel_Pwd"},
                                              {"branchCode", "Halvik"},
                                              {"uName", user},
                                              {"pwd", password}});
    }
    static Reply device(const std::string &name, bool withStrings = true) {
        return demo->postSp("Usp_CommonService",
                            {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", name}}, withStrings);
    }
};

TEST_F(SessionRoutes, DemoUserLogsInWithOwnBranch) {
    const Reply reply = login("demo", "demo");
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(reply.json, nlohmann::json::parse(
                              R"([{"BranchCode":"HLV01","Users_id":"1","EmpName":"Ravi Kumar",)"
                              R"("Employee_id":"1","Department_id":"1","Department":"Security",)"
                              R"("ImagePath":"~/Security/PersonsImages/user_1.png"}])"));
}

TEST_F(SessionRoutes, OnlyExactPasswordOfActiveUserLogsIn) {
    const std::vector<std::tuple<std::string, std::string, std::vector<std::string>>> cases = {
        {"priya", "priya123", {"Priya Nair"}},
        {"plus", "a+b&c=d %25", {"Plus Sign"}}, // must survive percent-decoding intact
        {"plus", "a b&c=d %", {}},
        {"demo", "wrong", {}},
        {"demo", "", {}},
        {"DEMO", "demo", {}},
        {"olduser", "olduser", {}}, // inactive
        {"' OR '1'='1", "' OR '1'='1", {}},
    };
    for (const auto &[user, password, names] : cases) {
        const Reply reply = login(user, password);
        EXPECT_EQ(reply.status, 200) << user;
        EXPECT_EQ(column(reply.json, "EmpName"), names) << user << " / " << password;
    }
}

TEST_F(SessionRoutes, PlusInRawFormBodyMeansSpace) {
    const Reply reply = demo->postRaw(
        "/verifyUser", "spName=Usp_CommonService&spType=Sel_Pwd&uName=spaced&pwd=two+words",
        "application/x-www-form-urlencoded");
    EXPECT_EQ(column(reply.json, "EmpName"), std::vector<std::string>{"Space Man"});
}

TEST_F(SessionRoutes, DeviceRecordNeedsTheExactName) {
    EXPECT_EQ(device("Gate-1 Handheld").json,
              nlohmann::json::parse(
                  R"([{"Division_id":"1","DivisionName":"Spinning","Device_id":"1",)"
                  R"("DeviceName":"Gate-1 Handheld","GateName":"Main Gate","Gate_id":"1",)"
                  R"("BranchCode":"HLV01"}])"));
    for (const char *name :
         {"gate-1 handheld", "Gate-1  Handheld", "Gate-1 Handheld ", "Gate-1", "%", "' OR ''='"})
        EXPECT_EQ(device(name).json, nlohmann::json::array()) << name;
}

TEST_F(SessionRoutes, WithoutWithStringsNumbersStayNumbers) {
    const Reply reply = device("Gate-2 Handheld", false);
    ASSERT_EQ(reply.json.size(), 1u);
    EXPECT_EQ(reply.json[0]["Division_id"], 2);
    EXPECT_EQ(reply.json[0]["Device_id"], 2);
    EXPECT_EQ(reply.json[0]["GateName"], "North Gate");
}

TEST_F(SessionRoutes, JSONDataMayArriveAsText) {
    const Reply reply =
        demo->postRaw("/sp",
                      spBody("Usp_CommonService",
                             R"({"SP_Type":"Sel_DeviceAndDivision","LikeStr":"Gate-3 Handheld"})"),
                      "application/json");
    EXPECT_EQ(column(reply.json, "DivisionName"), std::vector<std::string>{"Processing"});
}

TEST_F(SessionRoutes, VersionDefaultsToClientVersion) {
    const Reply reply = demo->postSp("USP_tblMAppleAppRights",
                                     {{"AppName", "SECURITY IOS 11"}, {"ReqType", "VER"}});
    const std::string link = demo->server().baseUrl() + "/download?app=seclogandurl=itms";
    EXPECT_EQ(reply.json,
              nlohmann::json::array({{{"AppleAppVersion", "1.0"}, {"HttpLinkURL", link}}}));
    EXPECT_EQ(
        demo->postSp("USP_tblMAppleAppRights", {{"AppName", "OTHER"}, {"ReqType", "VER"}}).json,
        nlohmann::json::array());
}

TEST(PasswordDigest, Sha256MatchesKnownValues) {
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the length no longer fits the first block, padding spills into a second.
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
}

} // namespace
} // namespace seclog::server::testing
