#include "navigationcontroller.h"
#include "printurl.h"
#include "scriptedtransport.h"
#include "systemservices.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>

namespace {

const QByteArray kPdf = "%PDF-1.4\n1 0 obj <<>> endobj\n%%EOF\n";

class RecordingServices : public SystemServices {
public:
    explicit RecordingServices(QList<QUrl> *opened) : m_opened(opened) {}
    bool openURL(const QUrl &url) override {
        m_opened->append(url);
        return true;
    }
    void terminate(int) override {}

private:
    QList<QUrl> *m_opened;
};

class Report : public ::testing::Test {
protected:
    Report() {
        screen = new ViewController;
        nav = new NavigationController(screen);
        window.setRootViewController(nav);
        window.makeKeyAndVisible();
    }
    ~Report() override {
        processEvents();
        SystemServices::install(nullptr);
        QDir(folder()).removeRecursively();
    }
    static QString folder() {
        return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
               QStringLiteral("/reports");
    }

    ScriptedTransportScope transport;
    Window window;
    ViewController *screen;
    NavigationController *nav;
};

TEST_F(Report, PresentedInItsOwnStackAndFetchesTheExactAddress) {
    const QUrl url(
        QStringLiteral("http://reports.test:8642/report/log?Division_id=9&From=06%20Dec"));
    ReportViewController *report = printURL(screen, url, QStringLiteral("log.pdf"));
    ASSERT_NE(report, nullptr);

    auto *stack = qobject_cast<NavigationController *>(nav->presentedViewController());
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->rootViewController(), report);
    EXPECT_EQ(report->presentingViewController(), nav);
    EXPECT_EQ(report->state(), QStringLiteral("loading"));

    ASSERT_EQ(transport->sent.size(), 1);
    const HttpRequest &r = transport->sent.at(0).request;
    EXPECT_EQ(r.method, QByteArray("GET"));
    EXPECT_EQ(r.url, url);
    EXPECT_TRUE(r.body.isEmpty());
}

TEST_F(Report, PostStringIsSentAsAForm) {
    printURL(screen, QUrl(QStringLiteral("http://reports.test/print")), QStringLiteral("r.pdf"),
             true, "Log_id=5&Copy=1");
    ASSERT_EQ(transport->sent.size(), 1);
    const HttpRequest &r = transport->sent.at(0).request;
    EXPECT_EQ(r.method, QByteArray("POST"));
    EXPECT_EQ(r.contentType, QByteArray("application/x-www-form-urlencoded"));
    EXPECT_EQ(r.body, QByteArray("Log_id=5&Copy=1"));
}

TEST_F(Report, PdfReplyIsKeptInTheCacheFolderAndShown) {
    ReportViewController *report =
        printURL(screen, QUrl(QStringLiteral("http://reports.test/r")), QStringLiteral("log.pdf"));
    ASSERT_NE(report, nullptr);
    transport->replyRaw(0, kPdf);

    EXPECT_EQ(report->state(), QStringLiteral("shown"));
    ASSERT_TRUE(report->pdfFile().isLocalFile());
    const QString path = report->pdfFile().toLocalFile();
    EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(folder()).absoluteFilePath());
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("log.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kPdf);

    // "Open" hands exactly that file to the system.
    QList<QUrl> opened;
    SystemServices::install(new RecordingServices(&opened));
    ASSERT_NE(report->rightBarButtonItem(), nullptr);
    report->rightBarButtonItem()->trigger();
    EXPECT_EQ(opened, QList<QUrl>{report->pdfFile()});
}

struct BadReport {
    const char *name;
    bool failed; // no answer at all
    int status;
    QByteArray body;
};

class ReportFailures : public Report, public ::testing::WithParamInterface<BadReport> {};

TEST_P(ReportFailures, EndInFailedWithoutAFile) {
    const BadReport &b = GetParam();
    ReportViewController *report =
        printURL(screen, QUrl(QStringLiteral("http://reports.test/r")), QStringLiteral("bad.pdf"));
    ASSERT_NE(report, nullptr);
    if (b.failed)
        transport->fail(0);
    else
        transport->replyRaw(0, b.body, b.status);
    EXPECT_EQ(report->state(), QStringLiteral("failed"));
    EXPECT_FALSE(report->message().isEmpty());
    EXPECT_FALSE(report->pdfFile().isValid());
    EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/bad.pdf")));
    // Open does nothing without a file.
    QList<QUrl> opened;
    SystemServices::install(new RecordingServices(&opened));
    report->rightBarButtonItem()->trigger();
    EXPECT_TRUE(opened.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Report, ReportFailures,
                         ::testing::Values(BadReport{"NotFound", false, 404, kPdf},
                                           BadReport{"ServerError", false, 500, "%PDF-1.4 partial"},
                                           BadReport{"HtmlPage", false, 200, "<html>Login</html>"},
                                           BadReport{"EmptyBody", false, 200, ""},
                                           BadReport{"PdfMarkerNotAtStart", false, 200,
                                                     " %PDF-1.4"},
                                           BadReport{"NoAnswer", true, 0, {}}),
                         [](const auto &info) { return std::string(info.param.name); });

class ReportFileNames : public Report, public ::testing::WithParamInterface<const char *> {};

TEST_P(ReportFileNames, CannotEscapeTheReportsFolder) {
    ReportViewController *report = printURL(screen, QUrl(QStringLiteral("http://reports.test/r")),
                                            QString::fromUtf8(GetParam()));
    ASSERT_NE(report, nullptr);
    transport->replyRaw(0, kPdf);
    const QString reports = QFileInfo(folder()).canonicalFilePath();
    ASSERT_FALSE(reports.isEmpty());
    if (report->state() == QLatin1String("shown")) {
        const QString written = QFileInfo(report->pdfFile().toLocalFile()).canonicalFilePath();
        EXPECT_EQ(QFileInfo(written).absolutePath(), reports) << written.toStdString();
    }
    // Nothing appeared next to the folder or above it.
    for (const QString &outside :
         {QFileInfo(folder() + QStringLiteral("/../evil.pdf")).absoluteFilePath(),
          QFileInfo(folder() + QStringLiteral("/../../evil.pdf")).absoluteFilePath()})
        EXPECT_FALSE(QFile::exists(outside)) << outside.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Report, ReportFileNames,
                         ::testing::Values("../evil.pdf", "../../evil.pdf", "a/../../evil.pdf",
                                           "..", "", "/tmp/../evil.pdf"));

TEST_F(Report, DoneClosesTheReportAndALateReplyIsIgnored) {
    QPointer<ReportViewController> report =
        printURL(screen, QUrl(QStringLiteral("http://reports.test/r")), QStringLiteral("late.pdf"));
    ASSERT_FALSE(report.isNull());
    ASSERT_NE(report->leftBarButtonItem(), nullptr);
    report->leftBarButtonItem()->trigger();
    EXPECT_EQ(nav->presentedViewController(), nullptr);
    processEvents();
    EXPECT_TRUE(report.isNull());
    transport->replyRaw(0, kPdf);
    EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/late.pdf")));
}

TEST_F(Report, RefusedWhenTheScreenIsBusyAndSendsNothing) {
    ASSERT_TRUE(screen->present(new ViewController));
    EXPECT_EQ(
        printURL(screen, QUrl(QStringLiteral("http://reports.test/r")), QStringLiteral("r.pdf")),
        nullptr);
    EXPECT_TRUE(transport->sent.isEmpty());
    EXPECT_EQ(
        printURL(nullptr, QUrl(QStringLiteral("http://reports.test/r")), QStringLiteral("r.pdf")),
        nullptr);
}

} // namespace
