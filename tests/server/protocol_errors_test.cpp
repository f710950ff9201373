#include "server_test_support.h"

namespace seclog::server::testing {
namespace {

class ProtocolErrors : public SharedDemoTest {
protected:
    static void expectJsonError(const httplib::Result &result, const std::string &what) {
        ASSERT_TRUE(result) << what;
        EXPECT_EQ(result->status, 400) << what;
        EXPECT_EQ(result->get_header_value("Content-Type").rfind("application/json", 0), 0u);
        const auto body = nlohmann::json::parse(result->body, nullptr, false);
        EXPECT_TRUE(body.is_object() && body.contains("error") && body["error"].is_string())
            << what << " -> " << result->body;
    }
};

TEST_F(ProtocolErrors, BadStoredProcedureCallIs400WithJsonError) {
    const std::vector<std::string> bodies = {
        "",
        "{bad",
        "[]",
        R"({"JSONData":{}})",
        R"({"SPName":"Nope","JSONData":{}})",
        R"({"SPName":"usp_commonservice","JSONData":{"SP_Type":"Sel_DeviceAndDivision"}})",
        R"({"SPName":"Usp_CommonService","JSONData":{"SP_Type":"Nope"}})",
        R"({"SPName":"Usp_CommonService","JSONData":{}})",
        R"({"SPName":"Usp_CommonService","JSONData":"{not json"})",
        R"({"SPName":"Usp_CommonService","JSONData":[1]})",
        R"({"SPName":"Usp_CommonService","JSONData":{"SP_Type":"Sel_DeviceAndDivision","LikeStr":{"a":1}}})",
        R"({"SPName":"USP_GetSecurityLogBySearchText","JSONData":{"SearchBy":"Everything","SearchText":"1"}})",
        R"({"SPName":"USP_SecurityLogBySearchText_RptSearch","JSONData":{"SearchBy":"Everything","SearchText":"1"}})",
        std::string(R"({"SPName":"Nope)") + "\xFF\xFE" + R"("})",
        std::string(100000, '[')};
    for (const auto &body : bodies)
        expectJsonError(demo->client().Post("/sp", body, "application/json"), body.substr(0, 80));
}

TEST_F(ProtocolErrors, UnknownRoutesAndLoginProceduresAre400WithJsonError) {
    auto client = demo->client();
    expectJsonError(client.Get("/nope"), "GET /nope");
    expectJsonError(client.Post("/nope", "{}", "application/json"), "POST /nope");
    expectJsonError(client.Get("/sp"), "GET /sp");
    expectJsonError(client.Delete("/sp"), "DELETE /sp");
    for (const std::string form : {"spName=Usp_CommonService&spType=Sel_DeviceAndDivision",
                                   "spName=Other&spType=Sel_Pwd", "spName=&spType="})
        expectJsonError(client.Post("/verifyUser", form + "&uName=demo&pwd=demo",
                                    "application/x-www-form-urlencoded"),
                        form);
}

TEST_F(ProtocolErrors, OddButHarmlessParametersGiveEmptyResults) {
    for (const nlohmann::json &likeStr :
         {nlohmann::json(5), nlohmann::json(nullptr), nlohmann::json(std::string(1 << 20, 'x'))}) {
        const Reply reply = demo->postSp(
            "Usp_CommonService", {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", likeStr}});
        EXPECT_EQ(reply.status, 200) << likeStr.dump().substr(0, 20);
        EXPECT_EQ(reply.json, nlohmann::json::array());
    }
    EXPECT_EQ(demo->postSp("Usp_CommonService", {{"SP_Type", "Sel_DeviceAndDivision"}}).json,
              nlohmann::json::array());
}

} // namespace
} // namespace seclog::server::testing
