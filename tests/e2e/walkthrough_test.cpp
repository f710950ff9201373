#include "realserver.h"

#include <gtest/gtest.h>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace {

// The real client binary, offscreen, against the real server: log in, the open logs, a
// search, mark OUT and the report, with a screenshot per step.
TEST(Walkthrough, TheClientBinaryWalksThroughAGuardsDay) {
    RealServer real;
    QTemporaryDir home;
    QProcess client;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SECLOG_SERVERS", real.serversFile);
    env.insert("SECLOG_DEVICE_NAME", "Gate-1 Handheld");
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_CACHE_HOME", home.filePath("cache"));
    // Under the sanitizers, Qt's own image and PDF page caches are still held when the client
    // exits; our code's leaks are checked by the in-process tests.
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + QStringLiteral(":detect_leaks=0"));
    client.setProcessEnvironment(env);
    client.setProcessChannelMode(QProcess::MergedChannels);
    const QString shots = home.filePath("walkthrough");
    client.start(QStringLiteral(SECLOG_CLIENT_BINARY), {"--walkthrough", shots});
    ASSERT_TRUE(client.waitForFinished(120000)) << "the walkthrough did not finish";
    const QString output = QString::fromUtf8(client.readAll());
    ASSERT_EQ(client.exitStatus(), QProcess::NormalExit) << output.toStdString();
    ASSERT_EQ(client.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains("all 7 steps passed")) << output.toStdString();

    const auto marked = QRegularExpression("marked OUT log (\\d+)").match(output);
    ASSERT_TRUE(marked.hasMatch()) << output.toStdString();
    const auto outTime = seclog::server::logOutTime(real.dbPath(), marked.captured(1).toLongLong());
    ASSERT_TRUE(outTime.has_value());
    EXPECT_FALSE(outTime->empty()) << "the server has the log closed";
    for (const char *step :
         {"01-login-shown", "02-logged-in", "03-search", "06-marked-out", "07-report"})
        EXPECT_TRUE(QFile::exists(shots + "/" + step + ".png")) << step;
}

} // namespace
