#include "dbconnection.h"
#include "fileuploader.h"
#include "multipartform.h"
#include "scriptedtransport.h"
#include "testapp.h"

#include <gtest/gtest.h>

namespace {

class Upload : public ::testing::Test {
protected:
    Upload() { DCdatabase = QStringLiteral("http://dc.test:9000"); }
    ScriptedTransportScope net;
};

// The form as the server reads it: the folder first, then each image under its own name with
// its content type and its bytes untouched (JPEG bytes hold CR/LF and the like). In a name '"',
// CR, LF and the other control characters are percent-escaped as browsers do, the rest goes as
// UTF-8; a content type that would add a header is replaced.
TEST_F(Upload, SendsTheFolderThenEachImageAsItsOwnPart) {
    const QByteArray jpeg("\xFF\xD8\xFF\xE0\r\n--seclog-\r\n\0tail", 19);
    const auto ignore = [](const QStringList &, const QString &) {};
    FileUploader::shared().upload(
        QStringLiteral("Security/SecLogDetails_Bill/"),
        {{QStringLiteral("0"), jpeg},
         {QString::fromUtf8("Zoë \"bill\"\r\n\t\x7f;a=b\\.png"), "PNG", "image/png"},
         {QStringLiteral("2"), "TXT", "text/plain\r\nX-Evil: 1"}},
        nullptr, ignore);
    FileUploader::shared().upload(QStringLiteral("Security/PersonsImages/"),
                                  {{QStringLiteral("1"), jpeg}}, nullptr, ignore);
    ASSERT_EQ(net->sent.size(), 2);
    const HttpRequest &request = net->sent.at(0).request;
    EXPECT_EQ(request.method, QByteArray("POST"));
    EXPECT_EQ(request.url, QUrl(QStringLiteral("http://dc.test:9000/upload")));
    EXPECT_EQ(request.timeoutMs, 120000);
    EXPECT_TRUE(request.body.isEmpty()) << "the form travels as a QHttpMultiPart";
    const QByteArray awkward = "\"Zo\xC3\xAB %22bill%22%0D%0A%09%7F;a=b\\.png\"";
    EXPECT_EQ(multipartParts(request),
              (QList<FormPart>{
                  {"form-data; name=\"folder\"", "", "Security/SecLogDetails_Bill/"},
                  {"form-data; name=\"0\"; filename=\"0\"", "image/jpeg", jpeg},
                  {"form-data; name=" + awkward + "; filename=" + awkward, "image/png", "PNG"},
                  {"form-data; name=\"2\"; filename=\"2\"", "application/octet-stream", "TXT"},
              }));
    EXPECT_NE(net->sent.at(1).request.contentType, request.contentType) << "a boundary of its own";
}

// The paths come back only when every image is accounted for; otherwise none, and the reason
// the upload alert shows.
TEST_F(Upload, ReadsThePathsBackOrSaysWhy) {
    const char *unexpected = "|unexpected upload reply";
    for (const auto &[status, body, result] :
         {std::tuple{200, R"(["~/S/a.jpg","~/S/b.jpg"])", "~/S/a.jpg,~/S/b.jpg|"},
          {200, R"(["~/S/a.jpg"])", unexpected},
          {200, R"({"path":"~/S/a.jpg"})", unexpected},
          {200, R"(["~/S/a.jpg",2])", unexpected},
          {200, "OK", unexpected},
          {500, R"(["~/S/a.jpg","~/S/b.jpg"])", "|HTTP 500"},
          {0, "", "|Host unreachable"}}) {
        QStringList results;
        FileUploader::shared().upload(
            QStringLiteral("S/"), {{QStringLiteral("a.jpg"), "A"}, {QStringLiteral("b.jpg"), "B"}},
            nullptr,
            [&](const QStringList &p, const QString &e) { results << p.join(u',') + u'|' + e; });
        const int last = int(net->sent.size()) - 1;
        status ? net->replyRaw(last, body, status)
               : net->fail(last, QStringLiteral("Host unreachable"));
        EXPECT_EQ(results, QStringList{result}) << body;
    }
}

} // namespace
