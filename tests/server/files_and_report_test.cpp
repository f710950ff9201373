#include "png_writer.h"
#include "server_test_support.h"

#include <fstream>
#include <gtest/gtest.h>

namespace seclog::server::testing {
namespace {

class FilesAndReport : public SharedDemoTest {
protected:
    static httplib::Result upload(const httplib::MultipartFormDataItems &items) {
        return demo->client().Post("/upload", items);
    }
    static httplib::Result get(const std::string &path) { return demo->client().Get(path); }
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
    EXPECT_FALSE(std::filesystem::exists(demo->server().filesDir() / "a.jpg"));
}

TEST_F(FilesAndReport, UploadRejectsBadFolderOrName) {
    const std::vector<httplib::MultipartFormDataItems> bad = {
        {{"folder", "Security/", "", ""}, {"file", kJpeg, "a.jpg", "image/jpeg"}},
        {{"folder", "Security/PersonsImages/../../", "", ""}, {"file", kJpeg, "a.jpg", ""}},
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

std::uint32_t bigEndianAt(const std::string &bytes, size_t offset) {
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

TEST_F(FilesAndReport, DemoPhotosAreWellFormedPng) {
    const auto photo = get("/files/Security/PersonsImages/person_1.png");
    ASSERT_TRUE(photo);
    EXPECT_EQ(photo->status, 200);
    EXPECT_EQ(photo->get_header_value("Content-Type"), "image/png");
    const std::string &png = photo->body;
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::vector<std::string> types;
    for (size_t at = 8; at + 12 <= png.size();) {
        const std::uint32_t length = bigEndianAt(png, at);
        ASSERT_LE(at + 12 + length, png.size());
        const std::string typed = png.substr(at + 4, 4 + length);
        EXPECT_EQ(bigEndianAt(png, at + 8 + length), crc32(typed)) << typed.substr(0, 4);
        types.push_back(typed.substr(0, 4));
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(adler32("Wikipedia"), 0x11E60398u); // zlib's own check inside IDAT
}

TEST_F(FilesAndReport, UnknownOrEscapingPathsAreRefused) {
    std::ofstream(demo->dbPath().parent_path() / "secret.txt") << "secret";
    const std::vector<std::pair<std::string, int>> cases = {
        {"/files/Security/PersonsImages/missing.png", 404},
        {"/files/%2E%2E/secret.txt", 400},
        {"/files/Security/%2E%2E/%2E%2E/secret.txt", 400},
        {"/files/Security/PersonsImages/..%5C..%5Csecret.txt", 400},
        {"/files/Security", 404},
        {"/10_Reports/FrmSecLog.aspx?SecIOLog_id=9999&BranchCode=HLV01", 404},
        {"/10_Reports/FrmSecLog.aspx?SecIOLog_id=31&BranchCode=Halvik", 404},
        {"/10_Reports/FrmSecLog.aspx?SecIOLog_id=31", 404},
        {"/10_Reports/FrmSecLog.aspx?SecIOLog_id=31x&BranchCode=HLV01", 400},
        {"/10_Reports/FrmSecLog.aspx?BranchCode=HLV01", 400},
    };
    for (const auto &[path, status] : cases) {
        const auto reply = get(path);
        ASSERT_TRUE(reply) << path;
        EXPECT_EQ(reply->status, status) << path;
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

} // namespace
} // namespace seclog::server::testing
