#include "server_test_support.h"

namespace seclog::server::testing {
namespace {

class MarkOut : public ::testing::Test {
protected:
    Reply save(const std::string &securityIOLog) {
        return demo.postForm("/SaveSecurityIOLog",
                             {{"SecurityIOLog", securityIOLog}, {"SecurityIODetails", ""}});
    }
    Reply markOut(const nlohmann::json &id, const std::string &image = "") {
        return save(nlohmann::json::array({{{"IOLog_ids", id}, {"ImageData", image}}}).dump());
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
    EXPECT_EQ(column(demo.openLogs("1").json, "SecIOLog_id"),
              (std::vector<std::string>{"34", "32", "30", "29", "27", "25"}));

    const Reply search = demo.searchLogs("SecIOS_ReportFilterSearch", "36");
    ASSERT_EQ(search.json.size(), 1u);
    EXPECT_EQ(search.json[0]["IsUpdateable"], "No");
    EXPECT_EQ(search.json[0]["OutTime"], *outTime);
}

TEST_F(MarkOut, NumericIdWithLargePhotoWorks) {
    // httplib alone caps url-encoded bodies at 8 KiB; photos make saves bigger.
    EXPECT_EQ(markOut(32, std::string(200000, 'A')).json,
              message("SMsg", "Security Log 32 marked OUT"));
}

TEST_F(MarkOut, ClosedUnknownAndMalformedGiveErrorRows) {
    EXPECT_EQ(markOut("1").json, message("ErrorMsg", "Security Log 1 is already OUT"));
    EXPECT_EQ(markOut("9999").json, message("ErrorMsg", "Security Log 9999 not found"));
    const std::vector<std::string> bodies = {"",
                                             "[]",
                                             R"([{"IOLog_ids":"1"},{"IOLog_ids":"2"}])",
                                             R"([{"ImageData":""}])",
                                             R"([{"IOLog_ids":{"x":1}}])",
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

} // namespace
} // namespace seclog::server::testing
