#include "dbconnection.h"
#include "fetchdata.h"
#include "realserver.h"
#include "testapp.h"
#include "transport.h"

#include <chrono>
#include <gtest/gtest.h>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QtTest/QTest>
#include <thread>

namespace {

// A peer that takes connections and never answers.
class SilentServer {
public:
    SilentServer() {
        server.listen(QHostAddress::LocalHost);
        QObject::connect(&server, &QTcpServer::newConnection, &server, [this] {
            while (QTcpSocket *socket = server.nextPendingConnection())
                socket->setParent(&server);
        });
    }
    QUrl url() const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/sp").arg(server.serverPort()));
    }
    QTcpServer server;
};

// Sends `request` on the shared HTTP transport and waits (events running) for its reply.
std::optional<HttpReply> exchange(const HttpRequest &request, int waitMs = 10000) {
    std::optional<HttpReply> reply;
    TransportJob *job = Transport::shared().send(request);
    QObject::connect(job, &TransportJob::finished, [&](const HttpReply &r) { reply = r; });
    if (!QTest::qWaitFor([&] { return reply.has_value(); }, waitMs))
        job->cancel();
    return reply;
}

// The version check the client asks for whenever it becomes active.
HttpRequest versionRequest() {
    HttpRequest request;
    request.url = QUrl(nodedb2 + QStringLiteral("/sp"));
    request.contentType = "application/json";
    request.body = R"({"SPName":"USP_tblMAppleAppRights","withStrings":true,)"
                   R"("JSONData":{"AppName":"SECURITY IOS 11","ReqType":"VER"}})";
    return request;
}

// The body is prepared on the HTTP thread, and only for a successful reply; a refusal keeps
// its status and body and is not prepared.
TEST(HttpTransportTest, PreparesSuccessfulRepliesOffTheMainThread) {
    Transport::install(nullptr);
    RealServer real;
    QThread *preparedOn = nullptr;
    HttpRequest good = versionRequest();
    good.prepare = [&preparedOn](const QByteArray &body) {
        preparedOn = QThread::currentThread();
        return QVariant(body.size());
    };
    const auto ok = exchange(good);
    ASSERT_TRUE(ok);
    EXPECT_EQ(ok->status, 200);
    ASSERT_TRUE(ok->prepared.has_value());
    EXPECT_EQ(ok->prepared->toLongLong(), ok->body.size());
    EXPECT_NE(preparedOn, nullptr);
    EXPECT_NE(preparedOn, QThread::currentThread());

    HttpRequest refused = good;
    refused.body = R"({"SPName":"NoSuchProcedure","JSONData":{}})";
    const auto bad = exchange(refused);
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->status, 400);
    EXPECT_FALSE(bad->prepared.has_value());
    EXPECT_FALSE(bad->body.isEmpty());
}

// At launch the first requests go out while the main thread is busy loading the views: the
// server has the whole request, and the reply is read, without a turn of the main thread's
// event loop (here a mark OUT, seen in the database). The reply is handed over at the next
// turn.
TEST(HttpTransportTest, SendsAndReadsWhileTheMainThreadIsBusy) {
    Transport::install(nullptr);
    RealServer real;
    bool markedOut = false;
    QVariant answer;
    fetchDATA::DataTask(nullptr, DCdatabase + QStringLiteral("/SaveSecurityIOLog"),
                        {{QStringLiteral("SecurityIOLog"),
                          QStringLiteral(R"([{"IOLog_ids":"36","ImageData":""}])")},
                         {QStringLiteral("SecurityIODetails"), QString()}},
                        QStringLiteral("N"), [&](const QVariant &reply) { answer = reply; });
    for (int i = 0; i < 250 && !markedOut; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20)); // no events meanwhile
        markedOut = !seclog::server::logOutTime(real.dbPath(), 36).value_or("").empty();
    }
    EXPECT_TRUE(markedOut);
    EXPECT_FALSE(answer.isValid()) << "handed over on the main thread, in a later turn";
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer.isValid(); }, 10000));
}

// A cancelled request never reports, whether it was cancelled before it went out or while
// the server was still working on it, and its job is let go of.
TEST(HttpTransportTest, ACancelledRequestNeverReports) {
    Transport::install(nullptr);
    SilentServer silent;
    for (const bool waitFirst : {false, true}) {
        HttpRequest request;
        request.url = silent.url();
        request.body = "{}";
        QPointer<TransportJob> job = Transport::shared().send(request);
        bool reported = false;
        QObject::connect(job, &TransportJob::finished, [&] { reported = true; });
        if (waitFirst)
            QTest::qWait(100);
        job->cancel();
        EXPECT_TRUE(QTest::qWaitFor([&] { return job.isNull(); }, 5000)) << waitFirst;
        QTest::qWait(50);
        EXPECT_FALSE(reported) << waitFirst;
    }
}

// A request that never gets an answer ends with status 0 and the reason at its time-out; one
// still in flight when the transport goes away never reports.
TEST(HttpTransportTest, UnansweredRequestsTimeOutOrGoWithTheTransport) {
    Transport::install(nullptr);
    SilentServer silent;
    HttpRequest request;
    request.url = silent.url();
    request.body = "{}";
    request.timeoutMs = 200;
    const auto timedOut = exchange(request);
    ASSERT_TRUE(timedOut);
    EXPECT_EQ(timedOut->status, 0);
    EXPECT_FALSE(timedOut->error.isEmpty());

    request.timeoutMs = 30000;
    bool reported = false;
    QPointer<TransportJob> job = Transport::shared().send(request);
    QObject::connect(job, &TransportJob::finished, [&] { reported = true; });
    QTest::qWait(100);
    Transport::install(nullptr);
    EXPECT_TRUE(job.isNull());
    QTest::qWait(50);
    EXPECT_FALSE(reported);
}

} // namespace
