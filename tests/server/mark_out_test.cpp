#include "server_test_support.h"

#include <gtest/gtest.h>

namespace seclog::server::testing {
namespace {

class MarkOut : public ::testing::Test {
protected:
    Reply save(const std::string &securityIOLog, const std::string &details = "") {
        return demo.postForm("/SaveSecurityIOLog",
                             {{"SecurityIOLog", securityIOLog}, {"SecurityIODetails", details}});
    }
    Reply markOut(const std::string &id) {
        return save(nlohmann::json::array({{{"IOLog_ids", id}, {"ImageData", ""}}}).dump());
    }
    static nlohmann::json message(const char *key, const std::string &text) {
        return nlohmann::json::array({{{key, text}}});
    }

    DemoServer demo;
};

TEST_F(MarkOut, ClosesOpenLogOnce) {
    ASSERT_EQ(logOutTime(demo.dbPath(), 36), "");
    const Reply first = markOut("36");
    EXPECT_EQ(first.status, 200);
    EXPECT_EQ(first.json, message("SMsg", "Security Log 36 marked OUT"));
    const auto outTime = logOutTime(demo.dbPath(), 36);
    ASSERT_TRUE(outTime);
    EXPECT_TRUE(isClientDateTime(*outTime)) << *outTime;

    EXPECT_EQ(markOut("36").json, message("ErrorMsg", "Security Log 36 is already OUT"));

    const Reply open =
        demo.postSp("USP_GetSecurityLogBySearchText",
                    {{"SearchBy", "NotOut"}, {"SearchText", "1"}, {"BranchCode", "HLV01"}});
    ASSERT_EQ(open.json.size(), 6u);
    EXPECT_EQ(open.json[0]["SecIOLog_id"], "34");

    const Reply search =
        demo.postSp("USP_SecurityLogBySearchText_RptSearch",
                    {{"SearchBy", "SecIOS_ReportFilterSearch"}, {"SearchText", "36"}});
    ASSERT_EQ(search.json.size(), 1u);
    EXPECT_EQ(search.json[0]["IsUpdateable"], "No");
    EXPECT_EQ(search.json[0]["OutTime"], *outTime);
}

TEST_F(MarkOut, ClosedAndUnknownLogsGiveErrorRows) {
    EXPECT_EQ(markOut("1").json, message("ErrorMsg", "Security Log 1 is already OUT"));
    EXPECT_EQ(markOut("9999").json, message("ErrorMsg", "Security Log 9999 not found"));
    EXPECT_EQ(logOutTime(demo.dbPath(), 9999), std::nullopt);
}

TEST_F(MarkOut, MalformedInputGivesErrorRowNotCrash) {
    const std::vector<std::string> bodies = {"",
                                             "not json",
                                             "{}",
                                             "[]",
                                             "[1]",
                                             R"([{"IOLog_ids":"1"},{"IOLog_ids":"2"}])",
                                             R"([{"ImageData":""}])",
                                             R"([{"IOLog_ids":{"x":1}}])",
                                             R"([{"IOLog_ids":"abc"}])",
                                             R"([{"IOLog_ids":"-3"}])",
                                             R"([{"IOLog_ids":"36; DELETE FROM SecurityIOLog"}])",
                                             R"([{"IOLog_ids":"99999999999999999999999"}])"};
    for (const auto &body : bodies) {
        const Reply reply = save(body);
        EXPECT_EQ(reply.status, 200) << body;
        ASSERT_TRUE(reply.json.is_array() && reply.json.size() == 1) << body;
        EXPECT_TRUE(reply.json[0].contains("ErrorMsg")) << body;
    }
    EXPECT_EQ(logOutTime(demo.dbPath(), 36), ""); // still open
}

TEST_F(MarkOut, NumericIdInJsonAlsoWorks) {
    EXPECT_EQ(save(R"([{"IOLog_ids":34,"ImageData":""}])").json,
              message("SMsg", "Security Log 34 marked OUT"));
}

TEST_F(MarkOut, LargeFormBodyIsAccepted) {
    // httplib alone caps url-encoded bodies at 8 KiB; photos make saves bigger.
    const std::string image(200000, 'A');
    EXPECT_EQ(
        save(nlohmann::json::array({{{"IOLog_ids", "32"}, {"ImageData", image}}}).dump()).json,
        message("SMsg", "Security Log 32 marked OUT"));
}

} // namespace
} // namespace seclog::server::testing
