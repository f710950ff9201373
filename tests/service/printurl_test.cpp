#include "printurl.h"
#include "recordingsystem.h"
#include "scriptedtransport.h"
#include "shownscreen.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>

namespace {

const QByteArray kPdf = "%PDF-1.4\n1 0 obj <<>> endobj\n%%EOF\n";
const QUrl kUrl(QStringLiteral("http://reports.test:8642/report/log?Division_id=9&From=06%20Dec"));

// The reports folder in the cache.
QString folder() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/reports";
}

// A shown screen that opens reports.
class Report : public ::testing::Test {
protected:
    ~Report() override { QDir(folder()).removeRecursively(); }
    IsolatedDefaults defaults;
    ScriptedTransportScope net;
    RecordingSystemScope system;
    ShownScreen shown;
    ViewController *screen = shown.screen;
};

TEST_F(Report, FetchesTheExactAddressKeepsThePdfAndOpensIt) {
    ReportViewController *report = printURL(screen, kUrl, QStringLiteral("log.pdf"));
    ASSERT_NE(report, nullptr);
    // In a stack of its own, over the screen's.
    EXPECT_EQ(report->navigationController()->presentingViewController(),
              screen->navigationController());
    EXPECT_EQ(printURL(screen, kUrl, QStringLiteral("r.pdf")), nullptr); // busy: sends nothing
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent.at(0).request.method, QByteArray("GET"));
    EXPECT_EQ(net->sent.at(0).request.url, kUrl);
    net->replyRaw(0, kPdf);
    EXPECT_EQ(report->state(), QStringLiteral("shown"));
    QFile file(report->pdfFile().toLocalFile());
    EXPECT_EQ(QFileInfo(file).absoluteFilePath(), QDir(folder()).absoluteFilePath("log.pdf"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kPdf);
    report->rightBarButtonItem()->trigger(); // "Open"
    EXPECT_EQ(system->opened, QList<QUrl>{report->pdfFile()});
    // Done closes it. With a POST string the next one is a form post.
    report->leftBarButtonItem()->trigger();
    EXPECT_EQ(shown.presented(), nullptr);
    QPointer<ReportViewController> late =
        printURL(screen, kUrl, QStringLiteral("late.pdf"), true, "Log_id=5&Copy=1");
    const HttpRequest &post = net->sent.at(1).request;
    EXPECT_EQ(post.method, QByteArray("POST"));
    EXPECT_EQ(post.url, kUrl);
    EXPECT_EQ(post.contentType, QByteArray("application/x-www-form-urlencoded"));
    EXPECT_EQ(post.body, QByteArray("Log_id=5&Copy=1"));
    // Closed before its reply: the report is gone and the late reply writes nothing.
    late->leftBarButtonItem()->trigger();
    processEvents();
    EXPECT_TRUE(late.isNull());
    net->replyRaw(1, kPdf);
    EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/late.pdf")));
}

// Anything but a PDF with a 2xx status fails with a message and no file; whatever the name,
// the file stays a plain file inside the reports folder.
TEST_F(Report, BadRepliesFailWithoutAFileAndNoNameEscapesTheFolder) {
    auto fetch = [&](const char *name, int status, const QByteArray &body) { // 0: no answer
        SCOPED_TRACE(testing::Message() << name << ' ' << status << ' ' << body.data());
        ReportViewController *report = printURL(screen, kUrl, QString::fromUtf8(name));
        EXPECT_NE(report, nullptr);
        const int last = int(net->sent.size()) - 1;
        status ? net->replyRaw(last, body, status) : net->fail(last);
        const bool failed = report->state() == QLatin1String("failed");
        EXPECT_EQ(failed, !report->message().isEmpty());
        system->opened.clear();
        report->rightBarButtonItem()->trigger(); // "Open" has nothing to open after a failure
        EXPECT_EQ(system->opened.size(), failed ? 0 : 1);
        for (const char *outside : {"/../evil.pdf", "/../../evil.pdf"})
            EXPECT_FALSE(QFile::exists(folder() + QLatin1String(outside))) << outside;
        for (const QFileInfo &entry :
             QDir(folder()).entryInfoList(QDir::NoDotAndDotDot | QDir::AllEntries))
            EXPECT_TRUE(entry.isFile()) << entry.filePath().toStdString();
        report->dismiss();
        return failed;
    };
    for (const auto &[status, body] : {std::pair{404, kPdf.data()},
                                       {500, "%PDF-1.4 partial"},
                                       {200, "<html>Login</html>"},
                                       {200, " %PDF"},
                                       {0, ""}}) {
        EXPECT_TRUE(fetch("bad.pdf", status, body)) << status << ' ' << body;
        EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/bad.pdf")));
    }
    for (const char *name : {"../evil.pdf", "a/../../evil.pdf", "..", "", "/tmp/../evil.pdf"})
        fetch(name, 200, kPdf);
}

} // namespace
