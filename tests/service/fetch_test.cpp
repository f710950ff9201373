#include "dbconnection.h"
#include "fetchdata.h"
#include "fileuploader.h"
#include "multipartform.h"
#include "rows.h"
#include "scriptedtransport.h"
#include "testapp.h"

#include <gtest/gtest.h>
#include <QJsonDocument>
#include <QThread>
#include <QThreadPool>
#include <QtTest/QTest>

namespace {

class Fetch : public ::testing::Test {
protected:
    void SetUp() override {
        nodedb2 = QStringLiteral("http://node.test:8642");
        DCdatabase = QStringLiteral("http://dc.test:9000");
    }
    void TearDown() override { processEvents(); }
    ScriptedTransportScope transport;
};

const QVariantMap kParams{{"SPName", "spGetVisitors"},
                          {"JSONData", R"({"Division_id":"9","Search":"a b"})"},
                          {"withStrings", "1"}};

TEST_F(Fetch, NodeFetchPostsTheParametersAsJSONAndCompletesOnceWithTheRows) {
    QList<QVariant> responses;
    fetchDATA::nodefetchD(kParams, [&](const QVariant &v) { responses << v; });
    fetchDATA::nodefetchD(
        kParams, [](const QVariant &) {}, nullptr, QStringLiteral("http://other.test/sp2"), 5000);
    ASSERT_EQ(transport->sent.size(), 2);
    const HttpRequest &r = transport->sent.at(0).request;
    EXPECT_EQ(r.method, QByteArray("POST"));
    EXPECT_EQ(r.url, QUrl(QStringLiteral("http://node.test:8642/sp")));
    EXPECT_EQ(r.contentType, QByteArray("application/json"));
    EXPECT_EQ(transport->sent.at(0).json(), kParams);
    EXPECT_EQ(transport->sent.at(1).request.url, QUrl(QStringLiteral("http://other.test/sp2")));
    EXPECT_EQ(transport->sent.at(1).request.timeoutMs, 5000);
    transport->reply(0, QVariantList{QVariantMap{{"Visitor_id", 12}}});
    transport->reply(0, QVariantList{}); // a second answer must not complete again
    ASSERT_EQ(responses.size(), 1);
    EXPECT_EQ(RowsReader::textRows(responses.at(0)), (Rows{{{"Visitor_id", "12"}}}));
}

// A large reply is decoded on a worker: it still arrives whole, on the main thread, and not at
// all once its task was cancelled in the meantime.
TEST_F(Fetch, LargeRepliesArriveWholeOnTheMainThreadUnlessCancelled) {
    QVariantList rows;
    for (int i = 0; i < 6000; ++i)
        rows.append(QVariantMap{{"SecIOLog_id", i}, {"IOPerson", QString(80, QLatin1Char('x'))}});
    const QByteArray body = QJsonDocument::fromVariant(rows).toJson(QJsonDocument::Compact);
    ASSERT_GE(body.size(), fetchDATA::largeReplyBytes);

    QList<QVariant> responses;
    bool onMainThread = false;
    fetchDATA::nodefetchD(kParams, [&](const QVariant &v) {
        onMainThread = QThread::currentThread() == qApp->thread();
        responses << v;
    });
    auto cancelled = fetchDATA::nodefetchD(kParams, [&](const QVariant &v) { responses << v; });
    transport->replyRaw(0, body);
    transport->replyRaw(1, body);
    cancelled->cancel();
    cancelled.reset(); // as a search does when it replaces the handle of the one it cancelled
    EXPECT_TRUE(responses.isEmpty()) << "decoding has not finished yet";
    ASSERT_TRUE(QTest::qWaitFor([&] { return !responses.isEmpty(); }, 10000));
    QThreadPool::globalInstance()->waitForDone(); // the cancelled decode too
    processEvents();
    ASSERT_EQ(responses.size(), 1);
    EXPECT_TRUE(onMainThread);
    EXPECT_EQ(RowsReader::textRows(responses.first()).size(), 6000);
}

// A failure completes once with an invalid variant: non-2xx or no answer (0) whatever the body,
// and a body that is not JSON where JSON is wanted ("" is nodefetchD, "J" and "N" DataTask).
TEST_F(Fetch, FailuresCompleteOnceWithAnInvalidVariant) {
    for (const char *type : {"", "J", "N"}) {
        QList<std::pair<int, const char *>> replies{{500, "[]"}, {404, "[]"}, {302, "[]"}, {0, ""}};
        for (const char *body : {"<html>proxy error</html>", "", R"([{"a":)"})
            if (*type != 'N')
                replies.append({200, body});
        for (const auto &[status, body] : replies) {
            QList<QVariant> responses;
            auto record = [&](const QVariant &v) { responses << v; };
            if (*type)
                fetchDATA::DataTask(nullptr, QStringLiteral("http://svc.test/x"), {{"a", "1"}},
                                    QString::fromLatin1(type), record);
            else
                fetchDATA::nodefetchD(kParams, record);
            const int last = int(transport->sent.size()) - 1;
            status ? transport->replyRaw(last, body, status) : transport->fail(last);
            ASSERT_EQ(responses.size(), 1) << type << ' ' << status << ' ' << body;
            EXPECT_FALSE(responses.at(0).isValid()) << type << ' ' << status << ' ' << body;
        }
    }
}

// Cancelled, or its context (screen, DataTask sender) gone: never completes. A live context,
// or none with the handle dropped, does.
TEST_F(Fetch, CancelledOrDroppedCompletionsNeverRun) {
    int calls = 0;
    auto count = [&](const QVariant &) { ++calls; };
    fetchDATA::nodefetchD(kParams, count)->cancel();
    auto *gone = new QObject, *sender = new QObject;
    fetchDATA::nodefetchD(kParams, count, gone);
    fetchDATA::DataTask(sender, QStringLiteral("http://svc.test/x"), {}, QStringLiteral("N"),
                        count);
    QObject alive;
    fetchDATA::nodefetchD(kParams, count, &alive);
    fetchDATA::nodefetchD(kParams, count);
    gone->deleteLater(); // as a popped screen is
    delete sender;
    processEvents();
    for (int i = 0; i < 5; ++i)
        transport->replyRaw(i, "[]");
    transport->fail(0);
    EXPECT_EQ(calls, 2);
}

// "J" answers decoded JSON, "N" the body as text, even when it looks like JSON.
TEST_F(Fetch, DataTaskPostsAFormThatKeepsEveryCharacter) {
    const QMap<QString, QString> params{{"Remarks", "a+b c"},
                                        {"Query", "x&y=z"},
                                        {"Name", QString::fromUtf8("Zoë 漢字")},
                                        {"Percent", "100%"},
                                        {"Empty", ""}};
    QList<QVariant> responses;
    for (const char *type : {"J", "N"})
        fetchDATA::DataTask(nullptr, QStringLiteral("http://svc.test/api/save"), params,
                            QString::fromLatin1(type), [&](const QVariant &v) { responses << v; });
    const ScriptedTransport::Sent &sent = transport->sent.value(0);
    EXPECT_EQ(sent.request.method, QByteArray("POST"));
    EXPECT_EQ(sent.request.url, QUrl(QStringLiteral("http://svc.test/api/save")));
    EXPECT_EQ(sent.request.contentType, QByteArray("application/x-www-form-urlencoded"));
    EXPECT_EQ(sent.form(), params);
    // Decoded strictly above; a server reading "+" as a space must not see one either.
    EXPECT_FALSE(sent.request.body.contains('+') || sent.request.body.contains(' '));
    transport->replyRaw(0, R"([{"a":"1"}])");
    transport->replyRaw(1, R"([{"a":"1"}])");
    EXPECT_EQ(responses, (QVariantList{QVariantList{QVariantMap{{"a", "1"}}},
                                       QStringLiteral(R"([{"a":"1"}])")}));
}

// The folder and each image go out untouched (JPEG bytes hold CR/LF and the like). The reply
// gives the paths only when every image is accounted for; otherwise no paths and the reason
// the upload alert shows.
TEST_F(Fetch, UploadSendsEachImageUntouchedAndReadsThePathsBack) {
    const QByteArray jpeg("\xFF\xD8\xFF\xE0\r\n--x\0\x01tail", 16);
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
            QStringLiteral("S/"), {{QStringLiteral("a.jpg"), jpeg}, {QStringLiteral("b.jpg"), "B"}},
            nullptr,
            [&](const QStringList &p, const QString &e) { results << p.join(u',') + u'|' + e; });
        const HttpRequest &r = transport->sent.last().request;
        EXPECT_EQ(r.method, QByteArray("POST"));
        EXPECT_EQ(r.url, QUrl(QStringLiteral("http://dc.test:9000/upload")));
        const QByteArray prefix = "multipart/form-data; boundary=";
        ASSERT_TRUE(r.contentType.startsWith(prefix)) << r.contentType.constData();
        const QByteArray boundary = r.contentType.mid(prefix.size());
        const QByteArray part = "--" + boundary + "\r\nContent-Disposition: form-data; name=";
        EXPECT_EQ(multipartBytes(r),
                  part + "\"folder\"\r\n\r\nS/\r\n" + part +
                      "\"a.jpg\"; filename=\"a.jpg\"\r\nContent-Type: image/jpeg\r\n\r\n" + jpeg +
                      "\r\n" + part +
                      "\"b.jpg\"; filename=\"b.jpg\"\r\nContent-Type: image/jpeg\r\n\r\nB\r\n--" +
                      boundary + "--\r\n");
        const int last = int(transport->sent.size()) - 1;
        status ? transport->replyRaw(last, body, status)
               : transport->fail(last, QStringLiteral("Host unreachable"));
        EXPECT_EQ(results, QStringList{result}) << body;
    }
    // A name with quotes or line breaks cannot forge a header.
    HttpRequest forged;
    forged.contentType = "multipart/form-data; boundary=BOUND";
    forged.multipart = FileUploader::formData(
        QStringLiteral("F/"), {{QStringLiteral("a\"\r\nX-Evil: 1.jpg"), "jpg"}}, "BOUND");
    const QByteArray bytes = multipartBytes(forged);
    EXPECT_FALSE(bytes.contains("\r\nX-Evil")) << bytes.constData();
    EXPECT_EQ(bytes.count("\r\n"), 10) << bytes.constData();
}

} // namespace
