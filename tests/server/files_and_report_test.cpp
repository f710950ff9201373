#include "server_test_support.h"

#include <fstream>
#include <gtest/gtest.h>

namespace seclog::server::testing {
namespace {

class FilesAndReport : public ::testing::Test {
protected:
    static void SetUpTestSuite() { demo = std::make_unique<DemoServer>(); }
    static void TearDownTestSuite() { demo.reset(); }

    static httplib::Result upload(const httplib::MultipartFormDataItems &items) {
        return demo->client().Post("/upload", items);
    }
    static httplib::Result get(const std::string &path) { return demo->client().Get(path); }

    static inline std::unique_ptr<DemoServer> demo;
};

const std::string kJpeg = std::string("\xFF\xD8\xFF\xE0", 4) + "fake jpeg body" + "\xFF\xD9";

TEST_F(FilesAndReport, UploadStoresFilesInOrderAndServesThemBack) {
    const Reply reply = toReply(upload({{"folder", "Security/SecLogDetails_Bill/", "", ""},
                                        {"file", kJpeg, "z bill.jpg", "image/jpeg"},
                                        {"file", "second", "../../a.jpg", "image/jpeg"},
                                        {"other", "third", "b.JPG", "image/jpeg"}}));
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(reply.json, nlohmann::json::array({"~/Security/SecLogDetails_Bill/z_bill.jpg",
                                                 "~/Security/SecLogDetails_Bill/a.jpg",
                                                 "~/Security/SecLogDetails_Bill/b.JPG"}));
    const auto file = get("/files/Security/SecLogDetails_Bill/z_bill.jpg");
    ASSERT_TRUE(file);
    EXPECT_EQ(file->status, 200);
    EXPECT_EQ(file->body, kJpeg);
    EXPECT_EQ(file->get_header_value("Content-Type"), "image/jpeg");
    EXPECT_TRUE(
        std::filesystem::exists(demo->server().filesDir() / "Security/SecLogDetails_Bill/a.jpg"));
    EXPECT_FALSE(std::filesystem::exists(demo->server().filesDir() / "a.jpg"));
}

TEST_F(FilesAndReport, UploadRejectsBadFolderOrName) {
    const std::vector<httplib::MultipartFormDataItems> bad = {
        {{"folder", "Security/", "", ""}, {"file", kJpeg, "a.jpg", "image/jpeg"}},
        {{"folder", "../../tmp/", "", ""}, {"file", kJpeg, "a.jpg", "image/jpeg"}},
        {{"file", kJpeg, "a.jpg", "image/jpeg"}},
        {{"folder", "Security/PersonsImages/", "", ""}, {"file", kJpeg, "..", "image/jpeg"}},
        {{"folder", "Security/PersonsImages/", "", ""}},
    };
    for (size_t i = 0; i < bad.size(); ++i) {
        const Reply reply = toReply(upload(bad[i]));
        EXPECT_EQ(reply.status, 400) << "case " << i;
        EXPECT_TRUE(reply.json.contains("error")) << "case " << i;
    }
    EXPECT_EQ(demo->postRaw("/upload", "a=b", "application/x-www-form-urlencoded").status, 400);
}

TEST_F(FilesAndReport, DemoPhotosAreServedAsPng) {
    const auto photo = get("/files/Security/PersonsImages/person_1.png");
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->status, 200);
    EXPECT_EQ(photo->get_header_value("Content-Type"), "image/png");
    EXPECT_EQ(photo->body.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
}

TEST_F(FilesAndReport, FilePathsCannotEscapeTheStore) {
    {
        std::ofstream secret(demo->dbPath().parent_path() / "secret.txt");
        secret << "secret";
    }
    const std::vector<std::pair<std::string, int>> cases = {
        {"/files/Security/PersonsImages/missing.png", 404},
        {"/files/%2E%2E/secret.txt", 400},
        {"/files/Security/%2E%2E/%2E%2E/secret.txt", 400},
        {"/files/Security/PersonsImages/..%5C..%5Csecret.txt", 400},
        {"/files/Security", 404},
    };
    for (const auto &[path, status] : cases) {
        const auto reply = get(path);
        ASSERT_TRUE(reply) << path;
        EXPECT_EQ(reply->status, status) << path;
        EXPECT_EQ(reply->body.find("secret\""), std::string::npos);
        EXPECT_NE(reply->body, "secret") << path;
    }
}

TEST_F(FilesAndReport, ReportIsPdfWithTheLogDetails) {
    const auto report = get("/10_Reports/FrmSecLog.aspx?SecIOLog_id=4&BranchCode=HLV01");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->status, 200);
    EXPECT_EQ(report->get_header_value("Content-Type"), "application/pdf");
    EXPECT_EQ(report->body.substr(0, 4), "%PDF");
    EXPECT_NE(report->body.find("%%EOF"), std::string::npos);
    // Uncompressed content streams keep the text readable.
    for (const char *text : {"Halvik Textiles", "Rajesh Kannan", "Weaving", "North Gate", "DC-2041",
                             "Sri Murugan Yarns", "Priya Nair"})
        EXPECT_NE(report->body.find(text), std::string::npos) << text;
}

TEST_F(FilesAndReport, ReportErrors) {
    const std::vector<std::pair<std::string, int>> cases = {
        {"SecIOLog_id=31&BranchCode=HLV01", 200},
        {"SecIOLog_id=9999&BranchCode=HLV01", 404},
        {"SecIOLog_id=31&BranchCode=Halvik", 404},
        {"SecIOLog_id=31", 404},
        {"SecIOLog_id=abc&BranchCode=HLV01", 400},
        {"SecIOLog_id=31x&BranchCode=HLV01", 400},
        {"BranchCode=HLV01", 400},
    };
    for (const auto &[query, status] : cases) {
        const auto reply = get("/10_Reports/FrmSecLog.aspx?" + query);
        ASSERT_TRUE(reply) << query;
        EXPECT_EQ(reply->status, status) << query;
    }
}

} // namespace
} // namespace seclog::server::testing
