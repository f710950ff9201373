#include "dbconnection.h"
#include "fileuploader.h"
#include "multipartform.h"
#include "scriptedtransport.h"
#include "testapp.h"

#include <gtest/gtest.h>

namespace {

// A name goes into the part header as browsers send it: '"', CR, LF and other control
// characters percent-escaped, everything else (';', '\', non-ASCII) as UTF-8 bytes.
TEST(Upload, PartHeadersEscapeWhatWouldBreakThem) {
    for (const auto &[name, fileName, header] :
         {std::tuple{"1", "1", "form-data; name=\"1\"; filename=\"1\""},
          {"folder", nullptr, "form-data; name=\"folder\""},
          {"a\"b.jpg", "a\"b.jpg", "form-data; name=\"a%22b.jpg\"; filename=\"a%22b.jpg\""},
          {"x\r\nX-Evil: 1", "x\r\nX-Evil: 1",
           "form-data; name=\"x%0D%0AX-Evil: 1\"; filename=\"x%0D%0AX-Evil: 1\""},
          {"tab\there\x7f", "", "form-data; name=\"tab%09here%7F\"; filename=\"\""},
          {"Zoë 漢字.jpg", "Zoë 漢字.jpg",
           "form-data; name=\"Zo\xC3\xAB \xE6\xBC\xA2\xE5\xAD\x97.jpg\"; "
           "filename=\"Zo\xC3\xAB \xE6\xBC\xA2\xE5\xAD\x97.jpg\""},
          {"a;b=c\\d", "a;b=c\\d", "form-data; name=\"a;b=c\\d\"; filename=\"a;b=c\\d\""}}) {
        EXPECT_EQ(FileUploader::contentDisposition(
                      QString::fromUtf8(name), fileName ? QString::fromUtf8(fileName) : QString()),
                  QByteArray(header))
            << name;
    }
}

// The form as the server reads it: the folder first, then each image under its own name with
// its content type; a content type that would add a header is replaced.
TEST(Upload, SendsTheFolderThenEachImageAsItsOwnPart) {
    ScriptedTransportScope transport;
    DCdatabase = QStringLiteral("http://dc.test:9000");
    const QByteArray jpeg("\xFF\xD8\xFF\xE0\r\n--seclog-\r\n\0tail", 19);
    int calls = 0;
    FileUploader::shared().upload(QStringLiteral("Security/SecLogDetails_Bill/"),
                                  {{QStringLiteral("0"), jpeg},
                                   {QStringLiteral("Zoë \"bill\"\r\n.png"), "PNG", "image/png"},
                                   {QStringLiteral("2"), "TXT", "text/plain\r\nX-Evil: 1"}},
                                  nullptr, [&](const QStringList &, const QString &) { ++calls; });
    ASSERT_EQ(transport->sent.size(), 1);
    // A copy: the second upload below grows the list the reference would point into.
    const HttpRequest request = transport->sent.at(0).request;
    EXPECT_EQ(request.url, QUrl(QStringLiteral("http://dc.test:9000/upload")));
    EXPECT_EQ(request.timeoutMs, 120000);
    EXPECT_TRUE(request.body.isEmpty()) << "the form travels as a QHttpMultiPart";
    EXPECT_EQ(multipartParts(request),
              (QList<FormPart>{
                  {"form-data; name=\"folder\"", "", "Security/SecLogDetails_Bill/"},
                  {"form-data; name=\"0\"; filename=\"0\"", "image/jpeg", jpeg},
                  {"form-data; name=\"Zo\xC3\xAB %22bill%22%0D%0A.png\"; "
                   "filename=\"Zo\xC3\xAB %22bill%22%0D%0A.png\"",
                   "image/png", "PNG"},
                  {"form-data; name=\"2\"; filename=\"2\"", "application/octet-stream", "TXT"},
              }));
    // A second upload gets a boundary of its own.
    FileUploader::shared().upload(QStringLiteral("Security/PersonsImages/"),
                                  {{QStringLiteral("1"), jpeg}}, nullptr, [](auto &, auto &) {});
    EXPECT_NE(transport->sent.at(1).request.contentType, request.contentType);
    transport->reply(0, QVariantList{"~/a", "~/b", "~/c"});
    EXPECT_EQ(calls, 1);
}

} // namespace
