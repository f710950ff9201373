#include "scriptedtransport.h"
#include "standincheckjob.h"

#include <gtest/gtest.h>
#include <QSignalSpy>

namespace {

const QUrl kIdentity("http://stand-in.test:8642/standin/identity");
const QByteArray kStandInIdentity = R"({"server":"seclog-server","standIn":true})";

struct IdentityCase {
    const char *name;
    int status; // 0: no answer at all
    QByteArray body;
    // Empty: accepted.
    QString refusal;
};

class IdentityReply : public ::testing::TestWithParam<IdentityCase> {};

// Only the stand-in's own identity lets the walkthrough go on; every other answer, or none,
// stops it with the address and the reason.
TEST_P(IdentityReply, DecidesWhetherTheWalkthroughRuns) {
    const IdentityCase &c = GetParam();
    ScriptedTransportScope transport;
    StandInCheckJob job({kIdentity});
    QSignalSpy finished(&job, &StandInCheckJob::finished);
    job.start();
    ASSERT_EQ(transport->sent.size(), 1);
    EXPECT_EQ(transport->sent[0].request.method, "GET");
    EXPECT_EQ(transport->sent[0].request.url, kIdentity);
    if (c.status == 0)
        transport->fail(0, QStringLiteral("Connection refused"));
    else
        transport->replyRaw(0, c.body, c.status);

    ASSERT_EQ(finished.size(), 1);
    const bool accepted = finished[0][0].toBool();
    const QString message = finished[0][1].toString();
    if (c.refusal.isEmpty()) {
        EXPECT_TRUE(accepted) << message.toStdString();
    } else {
        EXPECT_FALSE(accepted);
        EXPECT_EQ(message, kIdentity.toString() +
                               QStringLiteral(" does not answer as the stand-in server: ") +
                               c.refusal);
    }
}

const QString kNotIdentity = QStringLiteral("the reply is not the stand-in server's identity");

INSTANTIATE_TEST_SUITE_P(
    StandInCheck, IdentityReply,
    ::testing::Values(
        IdentityCase{"StandIn", 200, kStandInIdentity, {}},
        IdentityCase{"StandInFalse", 200, R"({"server":"seclog-server","standIn":false})",
                     kNotIdentity},
        IdentityCase{"AnotherServer", 200, R"({"server":"erp","standIn":true})", kNotIdentity},
        IdentityCase{"EmptyBody", 200, "", kNotIdentity},
        IdentityCase{"HtmlPage", 200, "<html><body>Welcome</body></html>", kNotIdentity},
        IdentityCase{"UnknownRoute", 404, R"({"error":"not found"})", QStringLiteral("HTTP 404")},
        IdentityCase{"IdentityWithAnErrorStatus", 500, kStandInIdentity,
                     QStringLiteral("HTTP 500")},
        IdentityCase{"NoAnswer", 0, "", QStringLiteral("no answer (Connection refused)")}),
    [](const auto &info) { return std::string(info.param.name); });

QVariantMap serverSet(const QString &base, const QString &images) {
    return {{"nodedb2", base},
            {"DCdatabase", base + "/dc"},
            {"imgdatabase", images},
            {"servicesdatabase", base + "/svc"},
            {"commonServicesdatabase", base + "/common"},
            {"reportServer", base + "/rpt"}};
}

QList<QUrl> urls(const QStringList &addresses) {
    QList<QUrl> list;
    for (const QString &address : addresses)
        list.append(QUrl(address));
    return list;
}

// Every base of every set the login can choose is asked where the client's own requests go;
// the image base, a folder of files, at its server's root.
TEST(StandInCheck, AsksEveryBaseOfEverySetOnce) {
    const QVariantMap sets{
        {"local", serverSet("http://a.test/api", "http://a.test/api/files")},
        {"localm", serverSet("http://a.test/api", "http://img.test:81/files/")},
        {"staging", serverSet("http://never-chosen.test", "http://never-chosen.test/files")},
    };
    EXPECT_EQ(
        StandInCheckJob::identityAddresses(sets),
        urls({"http://a.test/api/standin/identity", "http://a.test/api/dc/standin/identity",
              "http://a.test/api/svc/standin/identity", "http://a.test/api/common/standin/identity",
              "http://a.test/api/rpt/standin/identity", "http://a.test/standin/identity",
              "http://img.test:81/standin/identity"}));
}

TEST(StandInCheck, RefusesWhenNoSetNamesAServer) {
    ScriptedTransportScope transport;
    const QList<QUrl> none =
        StandInCheckJob::identityAddresses({{"localm", QVariantMap{{"nodedb2", ""}}}});
    EXPECT_TRUE(none.isEmpty());
    StandInCheckJob job(none);
    QSignalSpy finished(&job, &StandInCheckJob::finished);
    job.start();
    EXPECT_TRUE(transport->sent.isEmpty());
    ASSERT_EQ(finished.size(), 1);
    EXPECT_FALSE(finished[0][0].toBool());
    EXPECT_TRUE(finished[0][1].toString().startsWith("no server set names an address to check"));
}

// The walkthrough waits for every server; one that is not the stand-in decides at once, and
// whatever the others say later changes nothing.
TEST(StandInCheck, WaitsForEveryServerUntilTheFirstRefusal) {
    ScriptedTransportScope transport;
    StandInCheckJob job(urls({"http://a.test/standin/identity", "http://b.test/standin/identity",
                              "http://c.test/standin/identity"}));
    QSignalSpy finished(&job, &StandInCheckJob::finished);
    job.start();
    ASSERT_EQ(transport->sent.size(), 3);
    transport->replyRaw(0, kStandInIdentity);
    EXPECT_TRUE(finished.isEmpty()) << "b.test and c.test have not answered yet";
    transport->replyRaw(1, "", 404);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_FALSE(finished[0][0].toBool());
    EXPECT_EQ(finished[0][1].toString(),
              "http://b.test/standin/identity does not answer as the stand-in server: HTTP 404");
    EXPECT_TRUE(transport->sent[2].job->cancelled);
    transport->replyRaw(2, kStandInIdentity);
    EXPECT_EQ(finished.size(), 1);
}

} // namespace
