// Request bodies over their route's limit are answered 413 with a JSON error, whether their
// length is declared or they come in chunks, and the connection stays usable afterwards.

#include "demo_server.h"
#include "request_limits.h"

namespace seclog::server::testing {
namespace {

constexpr const char *kBoundary = "SecLogLimitTest";

struct LimitCase {
    std::string name, path, contentType;
    std::string head, tail; // the body's text around its padding, which makes it the asked size
    size_t limit;
    int statusAtLimit; // what the route answers to a body just within the limit
};

std::string bodyOfSize(const LimitCase &c, size_t size) {
    return c.head + std::string(size - c.head.size() - c.tail.size(), 'x') + c.tail;
}

std::vector<LimitCase> limitCases() {
    const std::string json = "application/json", form = "application/x-www-form-urlencoded";
    const std::string multipart = std::string("multipart/form-data; boundary=") + kBoundary;
    const std::string part = std::string("--") + kBoundary + "\r\n";
    return {
        {"StoredProcedure", "/sp", json,
         R"({"SPName":"Usp_CommonService","JSONData":{"SP_Type":"Sel_DeviceAndDivision","LikeStr":")",
         R"("}})", kMaxJsonBodyBytes, 200},
        {"Login", "/verifyUser", form,
         "spName=Usp_CommonService&spType=Sel_Pwd&branchCode=Halvik&uName=nobody&pwd=", "",
         kMaxJsonBodyBytes, 200},
        {"SaveLog", kSavePath, form, "SecurityIODetails=&SecurityIOLog=", "", kMaxJsonBodyBytes,
         200},
        {"UnknownRoute", "/nope", json, "", "", kMaxJsonBodyBytes, 400},
        {"Upload", "/upload", multipart,
         part +
             "Content-Disposition: form-data; name=\"folder\"\r\n\r\nSecurity/PersonsImages/\r\n" +
             part +
             "Content-Disposition: form-data; name=\"file\"; filename=\"1\"\r\n"
             "Content-Type: image/jpeg\r\n\r\n",
         std::string("\r\n--") + kBoundary + "--\r\n", kMaxUploadBytes, 200},
    };
}

using RequestLimit = SharedDemo<::testing::TestWithParam<LimitCase>>;

TEST_P(RequestLimit, AcceptsTheLimitAndAnswers413AboveItOnAConnectionThatStaysUsable) {
    const LimitCase &c = GetParam();
    httplib::Client client = demo->client();
    client.set_keep_alive(true);

    const auto atLimit = client.Post(c.path, bodyOfSize(c, c.limit), c.contentType);
    ASSERT_TRUE(atLimit);
    EXPECT_EQ(atLimit->status, c.statusAtLimit) << atLimit->body.substr(0, 200);

    const json refusal = errorOf(std::string("request body too large: the limit is ") +
                                 (c.limit == kMaxUploadBytes ? "20 MiB" : "2 MiB"));
    EXPECT_EQ(jsonOf(client.Post(c.path, bodyOfSize(c, c.limit + 1), c.contentType), 413), refusal);

    // Over the limit in chunks, without a declared length. httplib hands over a multipart
    // body's contents only, so those must go over the limit there.
    const bool multipart = c.contentType.starts_with("multipart/");
    const std::string body =
        bodyOfSize(c, c.limit + 1 + (multipart ? c.head.size() + c.tail.size() : 0));
    const auto chunked = client.Post(
        c.path,
        [&body](size_t offset, httplib::DataSink &sink) {
            const size_t length = std::min<size_t>(64 * 1024, body.size() - offset);
            sink.write(body.data() + offset, length);
            if (offset + length == body.size())
                sink.done();
            return true;
        },
        c.contentType);
    EXPECT_EQ(jsonOf(chunked, 413), refusal);

    // Every refused body was read to its end: the next request on the connection is answered.
    EXPECT_EQ(jsonOf(client.Get("/standin/identity"))["server"], "seclog-server");
}

INSTANTIATE_TEST_SUITE_P(Routes, RequestLimit, ::testing::ValuesIn(limitCases()),
                         [](const auto &info) { return info.param.name; });

// SQLite gives up on LIKE patterns over 50,000 bytes: every search holds its text to 1000
// bytes with a 400 rather than failing with a 500.
TEST(LongRequests, SearchTextsStopAt1000BytesAndLongAddressesAt414) {
    DemoServer demo;
    const char *report = "USP_SecurityLogBySearchText_RptSearch";
    const std::vector<std::tuple<const char *, const char *, const char *>> searches = {
        {kLogProcedure, R"({"SearchBy":"Meet_To"})", "SearchText"},
        {report, R"({"SearchBy":"MobileIOS"})", "SearchText"},
        {report, R"({"SearchBy":"SecIOS_ReportFilterSearch"})", "SearchText"},
        {"Usp_CommonService", R"({"SP_Type":"Sel_ItemLike"})", "LikeStr"},
        {"Usp_Production_Sel", R"({"SP_Type":"EMPLOYEE_SEARCH","BranchCode":"HLV01"})", "LikeStr"},
    };
    for (const auto &[spName, selector, key] : searches) {
        SCOPED_TRACE(std::string(spName) + " " + selector);
        for (const size_t length : {size_t{1000}, size_t{1001}, kMaxJsonBodyBytes / 2}) {
            json data = json::parse(selector);
            data[key] = std::string(length, 'a');
            const auto reply = demo.client().Post("/sp", spBody(spName, data), "application/json");
            if (length == 1000)
                EXPECT_EQ(jsonOf(reply), json::array());
            else
                EXPECT_EQ(jsonOf(reply, 400), errorOf("search text longer than 1000 bytes"))
                    << length;
        }
    }
    // Refusals httplib makes before any route runs carry the same JSON error as the routes'.
    EXPECT_EQ(jsonOf(demo.client().Get("/files/" + std::string(10000, 'a')), 414),
              errorOf("request refused with HTTP 414"));
}

} // namespace
} // namespace seclog::server::testing
