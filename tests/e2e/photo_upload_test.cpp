#include "dbconnection.h"
#include "fetchdata.h"
#include "fileuploader.h"
#include "imageloading.h"
#include "photopreparation.h"
#include "realserver.h"
#include "testapp.h"
#include "transport.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <QNetworkReply>
#include <QtTest/QTest>
#include <vector>

namespace {

// Photos as the picker gives them, prepared and uploaded as a save does, to the real server:
// it stores exactly the bytes sent, and reads every part header however awkward the name.
TEST(PhotoUpload, PreparedPhotosReachTheServerByteForByte) {
    Transport::install(nullptr);
    RealServer real;
    QImage photo(3264, 2448, QImage::Format_RGB32);
    for (int y = 0; y < photo.height(); ++y)
        for (int x = 0; x < photo.width(); ++x)
            photo.setPixel(x, y, qRgb(x % 251, y % 241, (x * y) % 239));

    QList<PreparedPhoto> prepared;
    PhotoPreparation::run({photo, photo.scaled(200, 150)}, nullptr,
                          [&](const QList<PreparedPhoto> &photos) { prepared = photos; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return !prepared.isEmpty(); }, 20000));
    ASSERT_TRUE(prepared.at(0).isReady() && prepared.at(1).isReady());
    EXPECT_LE(prepared.at(0).jpeg.size(), PhotoPreparation::maxBytes);

    struct Upload {
        QString folder;
        QList<UploadImage> images;
        QStringList paths;
        QString error;
        bool done = false;
    };
    QList<Upload> uploads{
        {"Security/PersonsImages/", {{"1", prepared.at(0).jpeg}}, {}, {}},
        {"Security/SecLogDetails_Bill/",
         {{"0", prepared.at(1).jpeg}, {"Zoë \"bill\"\r\n.jpg", prepared.at(0).jpeg}},
         {},
         {}},
        {"Somewhere/Else/", {{"1", prepared.at(1).jpeg}}, {}, {}},
    };
    for (Upload &upload : uploads)
        FileUploader::shared().upload(upload.folder, upload.images, nullptr,
                                      [&upload](const QStringList &paths, const QString &error) {
                                          upload.paths = paths;
                                          upload.error = error;
                                          upload.done = true;
                                      });
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return std::all_of(uploads.begin(), uploads.end(), [](auto &u) { return u.done; }); },
        20000));
    // One stored path per image, in the folder asked for; the server picks the final names.
    for (int u = 0; u < 2; ++u) {
        ASSERT_EQ(uploads.at(u).paths.size(), uploads.at(u).images.size())
            << uploads.at(u).error.toStdString();
        for (const QString &path : uploads.at(u).paths)
            EXPECT_TRUE(path.startsWith("~/" + uploads.at(u).folder)) << path.toStdString();
    }
    // The awkward name arrived in one piece: its quotes and line break ended no header.
    const QString awkward = uploads.at(1).paths.at(1);
    EXPECT_TRUE(awkward.contains("bill")) << awkward.toStdString();
    EXPECT_FALSE(awkward.contains('"') || awkward.contains('\r') || awkward.contains('\n'));
    EXPECT_TRUE(uploads.at(2).paths.isEmpty());
    EXPECT_FALSE(uploads.at(2).error.isEmpty()) << "a folder the server refuses";

    // The plain names read back through the image base address, as the screens load photos.
    for (const Upload &upload : uploads.mid(0, 2)) {
        HttpRequest get;
        get.method = "GET";
        get.url = QUrl(imgdatabase + upload.paths.value(0).mid(1));
        QByteArray stored;
        bool arrived = false;
        fetchDATA::send(get, nullptr, [&](const HttpReply &reply) {
            stored = reply.body;
            arrived = true;
        });
        ASSERT_TRUE(QTest::qWaitFor([&] { return arrived; }, 10000));
        EXPECT_EQ(stored, upload.images.at(0).jpeg) << get.url.toString().toStdString();
    }
}

// Qt Quick asks for every picture in view at once, with pipelining allowed. Through the
// views' network access each one arrives; none waits behind a request the server dropped
// (a 3 s transfer limit, where such a wait lasts until the connection times out).
TEST(PictureRequests, ManyAskedAtOnceAllArrive) {
    RealServer real;
    QTemporaryDir cache;
    qputenv("XDG_CACHE_HOME", cache.path().toUtf8());
    CachingNetworkAccessManagerFactory factory;
    std::unique_ptr<QNetworkAccessManager> nam(factory.create(nullptr));
    std::vector<QNetworkReply *> replies;
    for (int i = 0; i < 48; ++i) {
        QNetworkRequest request(QUrl(
            imgdatabase +
            QStringLiteral("/Security/PersonsImages/person_%1.png?n=%2").arg(i % 14 + 1).arg(i)));
        request.setAttribute(QNetworkRequest::HttpPipeliningAllowedAttribute, true);
        request.setTransferTimeout(3000);
        replies.push_back(nam->get(request));
    }
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return std::all_of(replies.begin(), replies.end(),
                               [](auto *r) { return r->isFinished(); });
        },
        30000));
    for (QNetworkReply *reply : replies) {
        EXPECT_EQ(reply->error(), QNetworkReply::NoError) << qPrintable(reply->url().toString());
        EXPECT_EQ(reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), 200);
    }
    qunsetenv("XDG_CACHE_HOME");
}

} // namespace
