#include "dbconnection.h"
#include "fetchdata.h"
#include "rows.h"
#include "scriptedtransport.h"
#include "testapp.h"

#include <gtest/gtest.h>

namespace {

const QVariantMap kParams{{"SPName", "spGetVisitors"},
                          {"JSONData", R"({"Division_id":"9","Search":"a b"})"},
                          {"withStrings", "1"}};
const QString kService = QStringLiteral("http://svc.test/api/save");

class Fetch : public ::testing::Test {
protected:
    Fetch() { nodedb2 = QStringLiteral("http://node.test:8642"); }
    ~Fetch() override { processEvents(); }
    ScriptedTransportScope net;
};

TEST_F(Fetch, NodeFetchPostsTheParametersAsJSONAndCompletesOnceWithTheRows) {
    QList<QVariant> responses;
    fetchDATA::nodefetchD(kParams, [&](const QVariant &v) { responses << v; });
    fetchDATA::nodefetchD(
        kParams, [](const QVariant &) {}, nullptr, QStringLiteral("http://other.test/sp2"), 5000);
    ASSERT_EQ(net->sent.size(), 2);
    const HttpRequest &r = net->sent.at(0).request;
    EXPECT_EQ(r.method, QByteArray("POST"));
    EXPECT_EQ(r.url, QUrl(QStringLiteral("http://node.test:8642/sp")));
    EXPECT_EQ(r.contentType, QByteArray("application/json"));
    EXPECT_EQ(r.timeoutMs, 30000);
    EXPECT_EQ(net->sent.at(0).json(), kParams);
    EXPECT_EQ(net->sent.at(1).request.url, QUrl(QStringLiteral("http://other.test/sp2")));
    EXPECT_EQ(net->sent.at(1).request.timeoutMs, 5000);
    net->reply(0, QVariantList{QVariantMap{{"Visitor_id", 12}}});
    net->reply(0, QVariantList{}); // a second answer must not complete again
    ASSERT_EQ(responses.size(), 1);
    EXPECT_EQ(RowsReader::textRows(responses.at(0)), (Rows{{{"Visitor_id", "12"}}}));
}

// A failure completes once with an invalid variant: non-2xx, or no answer in time (0), whatever
// the body, and a body that is not JSON where JSON is wanted ("" is nodefetchD, "J" and "N"
// DataTask, which answers text).
TEST_F(Fetch, FailuresCompleteOnceWithAnInvalidVariant) {
    for (const auto &[type, status, body] : {std::tuple{"", 500, "[]"},
                                             {"", 0, ""},
                                             {"", 200, "<html>proxy error</html>"},
                                             {"J", 302, "[]"},
                                             {"J", 200, R"([{"a":)"},
                                             {"N", 404, "[]"},
                                             {"N", 0, ""}}) {
        QList<QVariant> responses;
        auto record = [&](const QVariant &v) { responses << v; };
        if (*type)
            fetchDATA::DataTask(nullptr, kService, {}, QString::fromLatin1(type), record);
        else
            fetchDATA::nodefetchD(kParams, record);
        const int last = int(net->sent.size()) - 1;
        status ? net->replyRaw(last, body, status)
               : net->fail(last, QStringLiteral("Operation canceled"));
        ASSERT_EQ(responses.size(), 1) << type << ' ' << status << ' ' << body;
        EXPECT_FALSE(responses.at(0).isValid()) << type << ' ' << status << ' ' << body;
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
    fetchDATA::DataTask(sender, kService, {}, QStringLiteral("N"), count);
    QObject alive;
    fetchDATA::nodefetchD(kParams, count, &alive);
    fetchDATA::nodefetchD(kParams, count);
    gone->deleteLater(); // as a popped screen is
    delete sender;
    processEvents();
    for (int i = 0; i < 5; ++i)
        net->replyRaw(i, "[]");
    EXPECT_EQ(calls, 2);
}

} // namespace
