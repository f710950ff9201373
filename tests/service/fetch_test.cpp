#include "fetchdata.h"
#include "fileuploader.h"
#include "rows.h"
#include "scriptedtransport.h"
#include "serverfixture.h"
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
    SavedAddresses saved;
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
    processEvents();
    EXPECT_TRUE(responses.isEmpty()); // nothing completes before the server answers

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

// Failure, non-2xx or a body that is not JSON: each completes once with an invalid variant.
TEST_F(Fetch, NodeFetchFailuresCompleteWithAnInvalidVariant) {
    struct Case {
        int status; // 0: no answer at all
        QByteArray body;
    };
    const Case cases[] = {{500, R"([{"a":"1"}])"},
                          {404, R"([{"a":"1"}])"},
                          {302, R"([{"a":"1"}])"},
                          {0, {}},
                          {200, "<html>proxy error</html>"},
                          {200, ""},
                          {200, R"([{"a":)"}};
    for (const Case &k : cases) {
        QList<QVariant> responses;
        fetchDATA::nodefetchD(kParams, [&](const QVariant &v) { responses << v; });
        const int last = int(transport->sent.size()) - 1;
        k.status ? transport->replyRaw(last, k.body, k.status) : transport->fail(last);
        ASSERT_EQ(responses.size(), 1) << k.status << ' ' << k.body.constData();
        EXPECT_FALSE(responses.at(0).isValid()) << k.status << ' ' << k.body.constData();
    }
}

TEST_F(Fetch, CancelledOrDroppedCompletionsNeverRun) {
    int calls = 0;
    auto count = [&](const QVariant &) { ++calls; };
    fetchDATA::nodefetchD(kParams, count)->cancel();
    auto *gone = new QObject;
    fetchDATA::nodefetchD(kParams, count, gone);
    delete gone;
    auto *popped = new QObject;
    fetchDATA::nodefetchD(kParams, count, popped);
    popped->deleteLater(); // as a popped screen is
    processEvents();
    auto *sender = new QObject;
    fetchDATA::DataTask(sender, QStringLiteral("http://svc.test/x"), {}, QStringLiteral("N"),
                        count);
    delete sender;
    for (int i = 0; i < 4; ++i)
        transport->replyRaw(i, "[]");
    transport->fail(0);
    EXPECT_EQ(calls, 0);

    // A live context, or none at all (the task handle dropped), does complete.
    QObject alive;
    fetchDATA::nodefetchD(kParams, count, &alive);
    fetchDATA::nodefetchD(kParams, count);
    transport->replyRaw(4, "[]");
    transport->replyRaw(5, "[]");
    EXPECT_EQ(calls, 2);
}

TEST_F(Fetch, DataTaskFormBodyKeepsEveryCharacter) {
    const QMap<QString, QString> params{{"Remarks", "a+b c"},
                                        {"Query", "x&y=z"},
                                        {"Name", QString::fromUtf8("Zoë 漢字")},
                                        {"Percent", "100%"},
                                        {"Empty", ""}};
    fetchDATA::DataTask(nullptr, QStringLiteral("http://svc.test/api/save"), params,
                        QStringLiteral("J"), [](const QVariant &) {});
    ASSERT_EQ(transport->sent.size(), 1);
    const ScriptedTransport::Sent &sent = transport->sent.at(0);
    EXPECT_EQ(sent.request.url, QUrl(QStringLiteral("http://svc.test/api/save")));
    EXPECT_EQ(sent.request.contentType, QByteArray("application/x-www-form-urlencoded"));
    EXPECT_EQ(sent.form(), params);
    const QByteArray body = sent.request.body;
    EXPECT_TRUE(body.contains("%2B") && body.contains("%20")) << body.constData();
    EXPECT_FALSE(body.contains('+') || body.contains(' ')) << body.constData();
    EXPECT_EQ(body.count('&'), params.size() - 1);
}

TEST_F(Fetch, DataTaskAnswersAsTextOrJSON) {
    struct Case {
        const char *returnType;
        int status;
        QByteArray body;
        QVariant expected; // invalid: failed
    };
    const Case cases[] = {
        {"N", 200, "Saved 3", QStringLiteral("Saved 3")},
        {"N", 200, "[1]", QStringLiteral("[1]")},
        {"N", 500, "Saved 3", {}},
        {"J", 200, R"([{"a":"1"}])", QVariantList{QVariantMap{{"a", "1"}}}},
        {"J", 200, "oops", {}},
        {"J", 503, R"([{"a":"1"}])", {}},
    };
    for (const Case &k : cases) {
        QList<QVariant> responses;
        fetchDATA::DataTask(nullptr, QStringLiteral("http://svc.test/x"), {{"a", "1"}},
                            QString::fromLatin1(k.returnType),
                            [&](const QVariant &v) { responses << v; });
        transport->replyRaw(int(transport->sent.size()) - 1, k.body, k.status);
        ASSERT_EQ(responses.size(), 1);
        EXPECT_EQ(responses.at(0).typeId(), k.expected.typeId()) << k.body.constData();
        EXPECT_EQ(responses.at(0), k.expected) << k.body.constData();
    }
}

struct Part {
    QByteArray headers, content;
};

// Splits a multipart body by its boundary, the way the server reads it; empty if malformed.
QList<Part> parts(const QByteArray &body, const QByteArray &boundary) {
    const QByteArray delimiter = "\r\n--" + boundary;
    if (!body.startsWith(delimiter.mid(2) + "\r\n") || !body.endsWith(delimiter + "--\r\n"))
        return {};
    QList<Part> list;
    qsizetype pos = delimiter.size();
    for (qsizetype next; (next = body.indexOf(delimiter, pos)) >= 0;
         pos = next + delimiter.size() + 2) {
        const QByteArray chunk = body.mid(pos, next - pos);
        const qsizetype split = chunk.indexOf("\r\n\r\n");
        if (split < 0)
            return {};
        list.append({chunk.left(split), chunk.mid(split + 4)});
    }
    return list;
}

TEST_F(Fetch, UploadSendsTheFolderAndEachImageUntouched) {
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
    const QByteArray prefix = "multipart/form-data; boundary=";
    ASSERT_TRUE(r.contentType.startsWith(prefix)) << r.contentType.constData();
    const QList<Part> list = parts(r.body, r.contentType.mid(prefix.size()));
    ASSERT_EQ(list.size(), 3);
    EXPECT_TRUE(list[0].headers.contains(R"(name="folder")"));
    EXPECT_EQ(list[0].content, QByteArray("Security/PersonsImages/"));
    EXPECT_TRUE(list[1].headers.contains(R"(name="a.jpg"; filename="a.jpg")"));
    EXPECT_TRUE(list[1].headers.contains("Content-Type: image/jpeg"));
    EXPECT_EQ(list[1].content, jpegA);
    EXPECT_TRUE(list[2].headers.contains(R"(filename="b.jpg")"));
    EXPECT_EQ(list[2].content, jpegB);

    // A name with quotes or line breaks cannot forge a header.
    const QByteArray forged = FileUploader::multipartBody(
        QStringLiteral("F/"), {{QStringLiteral("a\"\r\nX-Evil: 1.jpg"), "jpg"}}, "BOUND");
    EXPECT_FALSE(forged.contains("\r\nX-Evil")) << forged.constData();
    EXPECT_EQ(parts(forged, "BOUND").size(), 2);
}

// Paths only when every image is accounted for; otherwise no paths and a reason.
TEST_F(Fetch, UploadRepliesGivePathsOrAReason) {
    struct Case {
        const char *name;
        int images;
        QVariant json; // invalid: `raw` is sent instead
        QByteArray raw;
        int status; // 0: no answer
        QStringList paths;
        const char *errorHas;
    };
    const QVariantList two{"~/S/a.jpg", "~/S/b.jpg"};
    const Case cases[] = {
        {"one", 1, QVariantList{"~/S/a.jpg"}, {}, 200, {"~/S/a.jpg"}, ""},
        {"two in order", 2, two, {}, 200, {"~/S/a.jpg", "~/S/b.jpg"}, ""},
        {"too few", 2, QVariantList{"~/S/a.jpg"}, {}, 200, {}, ""},
        {"too many", 1, two, {}, 200, {}, ""},
        {"not a list", 1, QVariantMap{{"path", "~/S/a.jpg"}}, {}, 200, {}, ""},
        {"number", 1, QVariantList{1}, {}, 200, {}, ""},
        {"server error", 1, QVariantList{"~/S/a.jpg"}, {}, 500, {}, "500"},
        {"not JSON", 1, {}, "OK", 200, {}, ""},
        {"no answer", 1, {}, {}, 0, {}, "Host unreachable"},
    };
    for (const Case &k : cases) {
        QList<UploadImage> images;
        for (int i = 0; i < k.images; ++i)
            images.append({QStringLiteral("%1.jpg").arg(QChar(u'a' + i)), "jpg"});
        int calls = 0;
        QStringList paths;
        QString error;
        FileUploader::shared().upload(QStringLiteral("S/"), images, nullptr,
                                      [&](const QStringList &p, const QString &e) {
                                          ++calls;
                                          paths = p;
                                          error = e;
                                      });
        const int last = int(transport->sent.size()) - 1;
        if (!k.status)
            transport->fail(last, QStringLiteral("Host unreachable"));
        else if (k.json.isValid())
            transport->reply(last, k.json, k.status);
        else
            transport->replyRaw(last, k.raw, k.status);
        ASSERT_EQ(calls, 1) << k.name;
        EXPECT_EQ(paths, k.paths) << k.name;
        EXPECT_EQ(error.isEmpty(), !k.paths.isEmpty()) << k.name;
        EXPECT_TRUE(error.contains(QLatin1String(k.errorHas)))
            << k.name << ": " << error.toStdString();
    }
}

} // namespace
