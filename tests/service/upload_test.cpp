#include "fileuploader.h"
#include "scriptedtransport.h"
#include "serverfixture.h"
#include "testapp.h"

#include <gtest/gtest.h>

namespace {

struct Part {
    QByteArray headers;
    QByteArray content;
};

// Splits a multipart body by its boundary, the way the server reads it.
QList<Part> parts(const QByteArray &body, const QByteArray &boundary, bool *wellFormed) {
    QList<Part> list;
    const QByteArray delimiter = "--" + boundary;
    *wellFormed = body.startsWith(delimiter + "\r\n") && body.endsWith(delimiter + "--\r\n");
    qsizetype pos = delimiter.size() + 2;
    while (true) {
        const qsizetype next = body.indexOf("\r\n" + delimiter, pos);
        if (next < 0)
            break;
        const QByteArray chunk = body.mid(pos, next - pos);
        const qsizetype split = chunk.indexOf("\r\n\r\n");
        if (split < 0) {
            *wellFormed = false;
            break;
        }
        list.append({chunk.left(split), chunk.mid(split + 4)});
        pos = next + 2 + delimiter.size() + 2;
    }
    return list;
}

QByteArray boundaryOf(const QByteArray &contentType) {
    const QByteArray key = "boundary=";
    const qsizetype at = contentType.indexOf(key);
    return at < 0 ? QByteArray() : contentType.mid(at + key.size());
}

class Upload : public ::testing::Test {
protected:
    void SetUp() override { DCdatabase = QStringLiteral("http://dc.test:9000"); }
    void TearDown() override { processEvents(); }
    SavedAddresses saved;
    ScriptedTransportScope transport;
};

TEST_F(Upload, OneMultipartRequestWithTheFolderAndEachImage) {
    // JPEG bytes contain CR/LF and the like; they must pass through untouched.
    const QByteArray jpegA("\xFF\xD8\xFF\xE0\r\n--x\0\x01tail", 16);
    const QByteArray jpegB(3000, '\x7F');
    FileUploader::shared().upload(
        QStringLiteral("Security/PersonsImages/"),
        {{QStringLiteral("a.jpg"), jpegA}, {QStringLiteral("b.jpg"), jpegB}}, nullptr,
        [](const QStringList &, const QString &) {});

    ASSERT_EQ(transport->sent.size(), 1);
    const HttpRequest &r = transport->sent.at(0).request;
    EXPECT_EQ(r.method, QByteArray("POST"));
    EXPECT_EQ(r.url, QUrl(QStringLiteral("http://dc.test:9000/upload")));
    ASSERT_TRUE(r.contentType.startsWith("multipart/form-data; boundary="))
        << r.contentType.constData();
    const QByteArray boundary = boundaryOf(r.contentType);
    ASSERT_FALSE(boundary.isEmpty());
    EXPECT_FALSE(jpegA.contains(boundary));

    bool wellFormed = false;
    const QList<Part> list = parts(r.body, boundary, &wellFormed);
    EXPECT_TRUE(wellFormed);
    ASSERT_EQ(list.size(), 3);
    EXPECT_TRUE(list[0].headers.contains(R"(name="folder")"));
    EXPECT_EQ(list[0].content, QByteArray("Security/PersonsImages/"));
    EXPECT_TRUE(list[1].headers.contains(R"(name="a.jpg"; filename="a.jpg")"));
    EXPECT_TRUE(list[1].headers.contains("Content-Type: image/jpeg"));
    EXPECT_EQ(list[1].content, jpegA);
    EXPECT_TRUE(list[2].headers.contains(R"(filename="b.jpg")"));
    EXPECT_EQ(list[2].content, jpegB);
}

TEST_F(Upload, NameWithQuotesOrLineBreaksCannotForgeHeaders) {
    const QByteArray body = FileUploader::multipartBody(
        QStringLiteral("F/"), {{QStringLiteral("a\"\r\nX-Evil: 1.jpg"), "jpg"}}, "BOUND");
    EXPECT_FALSE(body.contains("\r\nX-Evil")) << body.constData();
    bool wellFormed = false;
    EXPECT_EQ(parts(body, "BOUND", &wellFormed).size(), 2);
    EXPECT_TRUE(wellFormed);
}

struct UploadReply {
    const char *name;
    int images;
    enum { Json, Raw, Failure } how;
    QVariant json;
    QByteArray raw;
    int status;
    QStringList paths; // empty: the upload failed
};

class UploadReplies : public Upload, public ::testing::WithParamInterface<UploadReply> {};

TEST_P(UploadReplies, GivePathsOnlyWhenEveryImageIsAccountedFor) {
    const UploadReply &c = GetParam();
    QList<UploadImage> images;
    for (int i = 0; i < c.images; ++i)
        images.append({QStringLiteral("%1.jpg").arg(QLatin1Char(char('a' + i))), "jpg"});
    int calls = 0;
    QStringList paths;
    QString error;
    FileUploader::shared().upload(QStringLiteral("Security/PersonsImages/"), images, nullptr,
                                  [&](const QStringList &p, const QString &e) {
                                      ++calls;
                                      paths = p;
                                      error = e;
                                  });
    switch (c.how) {
    case UploadReply::Json:
        transport->reply(0, c.json, c.status);
        break;
    case UploadReply::Raw:
        transport->replyRaw(0, c.raw, c.status);
        break;
    case UploadReply::Failure:
        transport->fail(0, QStringLiteral("Host unreachable"));
        break;
    }
    ASSERT_EQ(calls, 1);
    EXPECT_EQ(paths, c.paths);
    EXPECT_EQ(error.isEmpty(), !c.paths.isEmpty()) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Upload, UploadReplies,
    ::testing::Values(
        UploadReply{"OnePath",
                    1,
                    UploadReply::Json,
                    QVariantList{"~/Security/PersonsImages/a.jpg"},
                    {},
                    200,
                    {"~/Security/PersonsImages/a.jpg"}},
        UploadReply{
            "TwoPathsInOrder",
            2,
            UploadReply::Json,
            QVariantList{"~/Security/PersonsImages/a.jpg", "~/Security/PersonsImages/b.jpg"},
            {},
            200,
            {"~/Security/PersonsImages/a.jpg", "~/Security/PersonsImages/b.jpg"}},
        UploadReply{"TooFew", 2, UploadReply::Json, QVariantList{"~/S/a.jpg"}, {}, 200, {}},
        UploadReply{
            "TooMany", 1, UploadReply::Json, QVariantList{"~/S/a.jpg", "~/S/b.jpg"}, {}, 200, {}},
        UploadReply{"EmptyList", 1, UploadReply::Json, QVariantList{}, {}, 200, {}},
        UploadReply{"NotAList",
                    1,
                    UploadReply::Json,
                    QVariantMap{{"path", "~/Security/PersonsImages/a.jpg"}},
                    {},
                    200,
                    {}},
        UploadReply{"NumberInsteadOfPath", 1, UploadReply::Json, QVariantList{1}, {}, 200, {}},
        UploadReply{"ServerError",
                    1,
                    UploadReply::Json,
                    QVariantList{"~/Security/PersonsImages/a.jpg"},
                    {},
                    500,
                    {}},
        UploadReply{"NotJSON", 1, UploadReply::Raw, {}, "OK", 200, {}},
        UploadReply{"NoAnswer", 1, UploadReply::Failure, {}, {}, 0, {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Upload, ErrorTextNamesTheCause) {
    QString error;
    FileUploader::shared().upload(QStringLiteral("F/"), {{QStringLiteral("a.jpg"), "x"}}, nullptr,
                                  [&](const QStringList &, const QString &e) { error = e; });
    transport->reply(0, QVariantList{}, 500);
    EXPECT_TRUE(error.contains(QLatin1String("500"))) << error.toStdString();

    FileUploader::shared().upload(QStringLiteral("F/"), {{QStringLiteral("a.jpg"), "x"}}, nullptr,
                                  [&](const QStringList &, const QString &e) { error = e; });
    transport->fail(1, QStringLiteral("Host unreachable"));
    EXPECT_EQ(error, QStringLiteral("Host unreachable"));
}

TEST_F(Upload, ContextGoneDropsTheCompletion) {
    auto *screen = new QObject;
    int calls = 0;
    FileUploader::shared().upload(QStringLiteral("F/"), {{QStringLiteral("a.jpg"), "x"}}, screen,
                                  [&](const QStringList &, const QString &) { ++calls; });
    delete screen;
    transport->reply(0, QVariantList{"~/F/a.jpg"});
    EXPECT_EQ(calls, 0);
}

} // namespace
