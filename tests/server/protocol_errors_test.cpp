#include "server_test_support.h"

#include <gtest/gtest.h>

namespace seclog::server::testing {
namespace {

class ProtocolErrors : public ::testing::TestWithParam<std::string> {
protected:
    static void SetUpTestSuite() { demo = std::make_unique<DemoServer>(); }
    static void TearDownTestSuite() { demo.reset(); }
    static inline std::unique_ptr<DemoServer> demo;
};

TEST_P(ProtocolErrors, BadStoredProcedureCallIs400WithJsonError) {
    const Reply reply = demo->postRaw("/sp", GetParam(), "application/json");
    EXPECT_EQ(reply.status, 400);
    ASSERT_TRUE(reply.json.is_object()) << reply.json;
    EXPECT_TRUE(reply.json["error"].is_string());
    EXPECT_EQ(reply.contentType.rfind("application/json", 0), 0u);
}

const std::vector<std::string> kBadBodies = {
    "",
    "{bad",
    "[]",
    "\"text\"",
    "null",
    R"({"JSONData":{}})",
    R"({"SPName":5,"JSONData":{}})",
    R"({"SPName":"Nope","JSONData":{}})",
    R"({"SPName":"usp_commonservice","JSONData":{"SP_Type":"Sel_DeviceAndDivision"}})",
    R"({"SPName":"Usp_CommonService","JSONData":{"SP_Type":"Nope"}})",
    R"({"SPName":"Usp_CommonService","JSONData":{}})",
    R"({"SPName":"Usp_CommonService","JSONData":{"SP_Type":7}})",
    R"({"SPName":"Usp_CommonService","JSONData":"{not json"})",
    R"({"SPName":"Usp_CommonService","JSONData":"[1]"})",
    R"({"SPName":"Usp_CommonService","JSONData":[1]})",
    R"({"SPName":"Usp_CommonService","JSONData":{"SP_Type":"Sel_DeviceAndDivision","LikeStr":{"a":1}}})",
    std::string(R"({"SPName":"Nope)") + "\xFF\xFE" + R"("})",
    std::string(100000, '[')};

INSTANTIATE_TEST_SUITE_P(Bodies, ProtocolErrors, ::testing::ValuesIn(kBadBodies));

TEST_F(ProtocolErrors, UnknownRoutesAre400WithJsonError) {
    auto client = demo->client();
    for (const auto &result : {client.Get("/nope"), client.Post("/nope", "{}", "application/json"),
                               client.Get("/sp"), client.Delete("/sp")}) {
        ASSERT_TRUE(result);
        EXPECT_EQ(result->status, 400);
        const auto body = nlohmann::json::parse(result->body, nullptr, false);
        EXPECT_TRUE(body.contains("error")) << result->body;
    }
}

TEST_F(ProtocolErrors, OddButHarmlessParametersGiveEmptyResults) {
    const std::vector<nlohmann::json> inputs = {
        {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", 5}},
        {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", nullptr}},
        {{"SP_Type", "Sel_DeviceAndDivision"}},
        {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", std::string(1 << 20, 'x')}},
        {{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", "Gate-1 Handheld "}},
    };
    for (const auto &data : inputs) {
        const Reply reply = demo->postSp("Usp_CommonService", data);
        EXPECT_EQ(reply.status, 200) << data.dump().substr(0, 80);
        EXPECT_EQ(reply.json, nlohmann::json::array());
    }
}

TEST_F(ProtocolErrors, ServerStillAnswersAfterBadInput) {
    demo->postRaw("/sp", std::string(3 << 20, '{'), "application/json");
    const Reply reply = demo->postSp("Usp_CommonService", {{"SP_Type", "Sel_DeviceAndDivision"},
                                                           {"LikeStr", "Gate-1 Handheld"}});
    EXPECT_EQ(reply.json.size(), 1u);
}

} // namespace
} // namespace seclog::server::testing
