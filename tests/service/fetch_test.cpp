#include "fetchdata.h"
#include "rows.h"
#include "scriptedtransport.h"
#include "serverfixture.h"
#include "testapp.h"

#include <gtest/gtest.h>

namespace {

class Fetch : public ::testing::Test {
protected:
    void SetUp() override { nodedb2 = QStringLiteral("http://node.test:8642"); }
    void TearDown() override { processEvents(); }
    SavedAddresses saved;
    ScriptedTransportScope transport;
};

const QVariantMap kParams{{"SPName", "spGetVisitors"},
                          {"JSONData", R"({"Division_id":"9","Search":"a b"})"},
                          {"withStrings", "1"}};

TEST_F(Fetch, NodeFetchPostsExactlyTheParametersAsJSON) {
    int calls = 0;
    fetchDATA::nodefetchD(kParams, [&](const QVariant &) { ++calls; });

    ASSERT_EQ(transport->sent.size(), 1);
    const HttpRequest &r = transport->sent.at(0).request;
    EXPECT_EQ(r.method, QByteArray("POST"));
    EXPECT_EQ(r.url, QUrl(QStringLiteral("http://node.test:8642/sp")));
    EXPECT_EQ(r.contentType, QByteArray("application/json"));
    EXPECT_EQ(transport->sent.at(0).json(), kParams);
    EXPECT_EQ(transport->withSPName("spGetVisitors").size(), 1);
    // Nothing completes before the server answers.
    processEvents();
    EXPECT_EQ(calls, 0);
}

TEST_F(Fetch, NodeFetchToAnotherAddressWithItsTimeout) {
    fetchDATA::nodefetchD(
        kParams, [](const QVariant &) {}, nullptr, QStringLiteral("http://other.test/sp2"), 5000);
    ASSERT_EQ(transport->sent.size(), 1);
    EXPECT_EQ(transport->sent.at(0).request.url, QUrl(QStringLiteral("http://other.test/sp2")));
    EXPECT_EQ(transport->sent.at(0).request.timeoutMs, 5000);
}

TEST_F(Fetch, NodeFetchCompletesOnceWithTheDecodedRows) {
    QList<QVariant> responses;
    fetchDATA::nodefetchD(kParams, [&](const QVariant &v) { responses << v; });
    transport->replyLast(QVariantList{QVariantMap{{"Visitor_id", 12}, {"Name", "Asha"}}});
    transport->replyLast(QVariantList{}); // a second answer must not complete again
    ASSERT_EQ(responses.size(), 1);
    const Rows rows = RowsReader::textRows(responses.at(0));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(RowsReader::text(rows.at(0), "Visitor_id"), QStringLiteral("12"));
    EXPECT_EQ(RowsReader::text(rows.at(0), "Name"), QStringLiteral("Asha"));
}

// How a call goes wrong; each must complete once with "no rows".
struct BadReply {
    const char *name;
    enum { Status, Failure, Raw } how;
    int status;
    QByteArray body;
};

class NodeFetchFailures : public Fetch, public ::testing::WithParamInterface<BadReply> {};

TEST_P(NodeFetchFailures, CompleteWithAnInvalidVariant) {
    const BadReply &b = GetParam();
    QList<QVariant> responses;
    fetchDATA::nodefetchD(kParams, [&](const QVariant &v) { responses << v; });
    switch (b.how) {
    case BadReply::Status:
    case BadReply::Raw:
        transport->replyRaw(0, b.body, b.status);
        break;
    case BadReply::Failure:
        transport->fail(0);
        break;
    }
    ASSERT_EQ(responses.size(), 1);
    EXPECT_FALSE(responses.at(0).isValid()) << responses.at(0).typeName();
    EXPECT_TRUE(RowsReader::textRows(responses.at(0)).isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Fetch, NodeFetchFailures,
    ::testing::Values(BadReply{"ServerError", BadReply::Status, 500, R"([{"a":"1"}])"},
                      BadReply{"NotFound", BadReply::Status, 404, R"([{"a":"1"}])"},
                      BadReply{"Redirect", BadReply::Status, 302, R"([{"a":"1"}])"},
                      BadReply{"Refused", BadReply::Failure, 0, {}},
                      BadReply{"HtmlBody", BadReply::Raw, 200, "<html>proxy error</html>"},
                      BadReply{"EmptyBody", BadReply::Raw, 200, ""},
                      BadReply{"CutOffBody", BadReply::Raw, 200, R"([{"a":)"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Fetch, CancelledTaskNeverCompletes) {
    int calls = 0;
    auto task = fetchDATA::nodefetchD(kParams, [&](const QVariant &) { ++calls; });
    task->cancel();
    EXPECT_TRUE(task->isCancelled());
    transport->replyLast(QVariantList{});
    transport->fail(0);
    processEvents();
    EXPECT_EQ(calls, 0);
}

TEST_F(Fetch, DroppedTaskHandleStillCompletes) {
    int calls = 0;
    fetchDATA::nodefetchD(kParams, [&](const QVariant &) { ++calls; });
    transport->replyLast(QVariantList{});
    EXPECT_EQ(calls, 1);
}

TEST_F(Fetch, CompletionFollowsTheContextObject) {
    struct Row {
        bool deleteContext;
        int expectedCalls;
    };
    for (const Row &row : {Row{false, 1}, Row{true, 0}}) {
        transport->sent.clear();
        auto *context = new QObject;
        int calls = 0;
        fetchDATA::nodefetchD(
            kParams, [&](const QVariant &) { ++calls; }, context);
        if (row.deleteContext)
            delete context;
        transport->replyLast(QVariantList{QVariantMap{{"a", 1}}});
        EXPECT_EQ(calls, row.expectedCalls) << "context deleted: " << row.deleteContext;
        if (!row.deleteContext)
            delete context;
    }
}

TEST_F(Fetch, ContextDeletedLaterStillDropsTheReply) {
    auto *screen = new QObject;
    int calls = 0;
    fetchDATA::nodefetchD(
        kParams, [&](const QVariant &) { ++calls; }, screen);
    screen->deleteLater(); // as a popped screen is
    processEvents();
    transport->replyLast(QVariantList{});
    EXPECT_EQ(calls, 0);
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
    EXPECT_EQ(sent.request.method, QByteArray("POST"));
    EXPECT_EQ(sent.request.url, QUrl(QStringLiteral("http://svc.test/api/save")));
    EXPECT_EQ(sent.request.contentType, QByteArray("application/x-www-form-urlencoded"));
    EXPECT_EQ(sent.form(), params);
    const QByteArray body = sent.request.body;
    EXPECT_TRUE(body.contains("%2B")) << body.constData();
    EXPECT_TRUE(body.contains("%20")) << body.constData();
    EXPECT_FALSE(body.contains('+')) << body.constData();
    EXPECT_FALSE(body.contains(' '));
    EXPECT_EQ(body.count('&'), params.size() - 1);
}

TEST_F(Fetch, FormEncodeOfNothingIsEmpty) {
    EXPECT_TRUE(fetchDATA::formEncode({}).isEmpty());
    EXPECT_EQ(fetchDATA::formEncode({{"a b", "1"}}), QByteArray("a%20b=1"));
}

struct ReturnCase {
    const char *name;
    const char *returnType;
    int status;
    QByteArray body;
    QVariant expected; // invalid: "failed"
};

class DataTaskReplies : public Fetch, public ::testing::WithParamInterface<ReturnCase> {};

TEST_P(DataTaskReplies, AnswerAsTextOrJSON) {
    const ReturnCase &c = GetParam();
    QList<QVariant> responses;
    fetchDATA::DataTask(nullptr, QStringLiteral("http://svc.test/x"), {{"a", "1"}},
                        QString::fromLatin1(c.returnType),
                        [&](const QVariant &v) { responses << v; });
    transport->replyRaw(0, c.body, c.status);
    ASSERT_EQ(responses.size(), 1);
    EXPECT_EQ(responses.at(0).typeId(), c.expected.typeId());
    EXPECT_EQ(responses.at(0), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fetch, DataTaskReplies,
    ::testing::Values(
        ReturnCase{"TextIsText", "N", 200, "Saved 3", QVariant(QStringLiteral("Saved 3"))},
        ReturnCase{"JSONLookingTextStaysText", "N", 200, "[1]", QVariant(QStringLiteral("[1]"))},
        ReturnCase{"TextFailure", "N", 500, "Saved 3", QVariant()},
        ReturnCase{"JSONDecoded", "J", 200, R"([{"a":"1"}])",
                   QVariant(QVariantList{QVariantMap{{"a", "1"}}})},
        ReturnCase{"JSONBroken", "J", 200, "oops", QVariant()},
        ReturnCase{"JSONFailure", "J", 503, R"([{"a":"1"}])", QVariant()}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Fetch, DataTaskDropsTheReplyWhenTheSenderIsGone) {
    auto *sender = new QObject;
    int calls = 0;
    fetchDATA::DataTask(sender, QStringLiteral("http://svc.test/x"), {}, QStringLiteral("N"),
                        [&](const QVariant &) { ++calls; });
    delete sender;
    transport->replyRaw(0, "ok");
    EXPECT_EQ(calls, 0);
}

} // namespace
