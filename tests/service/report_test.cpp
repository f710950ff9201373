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
const QUrl kUrl(QStringLiteral("http://reports.test:8642/report/log?Division_id=9&From=06%20Dec"));

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
        window.setRootViewController(nav);
        window.makeKeyAndVisible();
        SystemServices::install(new RecordingServices(&opened));
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
    // Opens a report, answers it (a status of 0: no answer at all) and closes it again.
    QString answer(const QString &name, int status, const QByteArray &body) {
        ReportViewController *report = printURL(screen, kUrl, name);
        EXPECT_NE(report, nullptr);
        if (!report)
            return {};
        status ? transport->replyRaw(int(transport->sent.size()) - 1, body, status)
               : transport->fail(int(transport->sent.size()) - 1);
        opened.clear();
        report->rightBarButtonItem()->trigger(); // "Open"
        EXPECT_EQ(opened,
                  report->pdfFile().isValid() ? QList<QUrl>{report->pdfFile()} : QList<QUrl>{});
        EXPECT_EQ(report->state() == QLatin1String("failed"), !report->message().isEmpty());
        const QString state = report->state();
        report->dismiss();
        return state;
    }

    ScriptedTransportScope transport;
    QList<QUrl> opened;
    Window window;
    ViewController *screen = new ViewController;
    NavigationController *nav = new NavigationController(screen);
};

TEST_F(Report, PresentedInItsOwnStackFetchesTheExactAddressAndKeepsThePdf) {
    ReportViewController *report = printURL(screen, kUrl, QStringLiteral("log.pdf"));
    ASSERT_NE(report, nullptr);
    auto *stack = qobject_cast<NavigationController *>(nav->presentedViewController());
    ASSERT_NE(stack, nullptr);
    EXPECT_EQ(stack->rootViewController(), report);
    EXPECT_EQ(report->state(), QStringLiteral("loading"));
    // Busy: a second report is refused and sends nothing.
    EXPECT_EQ(printURL(screen, kUrl, QStringLiteral("r.pdf")), nullptr);

    ASSERT_EQ(transport->sent.size(), 1);
    const HttpRequest &r = transport->sent.at(0).request;
    EXPECT_EQ(r.method, QByteArray("GET"));
    EXPECT_EQ(r.url, kUrl);
    EXPECT_TRUE(r.body.isEmpty());

    transport->replyRaw(0, kPdf);
    EXPECT_EQ(report->state(), QStringLiteral("shown"));
    const QString path = report->pdfFile().toLocalFile();
    EXPECT_EQ(QFileInfo(path).absoluteFilePath(), QDir(folder()).absoluteFilePath("log.pdf"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), kPdf);
    report->rightBarButtonItem()->trigger();
    EXPECT_EQ(opened, QList<QUrl>{report->pdfFile()});
}

TEST_F(Report, PostStringIsSentAsAForm) {
    printURL(screen, kUrl, QStringLiteral("r.pdf"), true, "Log_id=5&Copy=1");
    ASSERT_EQ(transport->sent.size(), 1);
    const HttpRequest &r = transport->sent.at(0).request;
    EXPECT_EQ(r.method, QByteArray("POST"));
    EXPECT_EQ(r.contentType, QByteArray("application/x-www-form-urlencoded"));
    EXPECT_EQ(r.body, QByteArray("Log_id=5&Copy=1"));
}

TEST_F(Report, BadRepliesEndInFailedWithoutAFile) {
    struct Case {
        int status;
        QByteArray body;
    };
    for (const Case &k :
         {Case{404, kPdf}, Case{500, "%PDF-1.4 partial"}, Case{200, "<html>Login</html>"},
          Case{200, ""}, Case{200, " %PDF-1.4"}, Case{0, {}}}) {
        EXPECT_EQ(answer(QStringLiteral("bad.pdf"), k.status, k.body), QStringLiteral("failed"))
            << k.status << ' ' << k.body.constData();
        EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/bad.pdf")));
    }
}

TEST_F(Report, FileNameCannotEscapeTheReportsFolder) {
    const QStringList outside{
        QFileInfo(folder() + QStringLiteral("/../evil.pdf")).absoluteFilePath(),
        QFileInfo(folder() + QStringLiteral("/../../evil.pdf")).absoluteFilePath()};
    for (const char *name :
         {"../evil.pdf", "../../evil.pdf", "a/../../evil.pdf", "..", "", "/tmp/../evil.pdf"}) {
        answer(QString::fromUtf8(name), 200, kPdf);
        for (const QString &path : outside)
            EXPECT_FALSE(QFile::exists(path)) << name << " wrote " << path.toStdString();
        for (const QString &entry :
             QDir(folder()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries))
            EXPECT_TRUE(QFileInfo(folder() + u'/' + entry).isFile()) << name;
    }
}

TEST_F(Report, DoneClosesTheReportAndALateReplyIsIgnored) {
    QPointer<ReportViewController> report = printURL(screen, kUrl, QStringLiteral("late.pdf"));
    ASSERT_FALSE(report.isNull());
    report->leftBarButtonItem()->trigger();
    EXPECT_EQ(nav->presentedViewController(), nullptr);
    processEvents();
    EXPECT_TRUE(report.isNull());
    transport->replyRaw(0, kPdf);
    EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/late.pdf")));
}

} // namespace
