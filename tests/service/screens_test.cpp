#include "combobox.h"
#include "dbconnection.h"
#include "navigationcontroller.h"
#include "printurl.h"
#include "recordingsystem.h"
#include "scriptedtransport.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QStandardPaths>

namespace {

const QByteArray kVehicles = R"([{"IOVehicle":"TN 38 AB 1234","VehicleType":"Lorry"},
    {"IOVehicle":"KL 07 BX 9087","VehicleType":"Van"},
    {"IOVehicle":"TN 39 CK 4521","VehicleType":"Car"}])";
const QByteArray kPdf = "%PDF-1.4\n1 0 obj <<>> endobj\n%%EOF\n";
const QUrl kUrl(QStringLiteral("http://reports.test:8642/report/log?Division_id=9&From=06%20Dec"));

// The reports folder in the cache.
QString folder() {
    return QStandardPaths::writableLocation(QStandardPaths::CacheLocation) + "/reports";
}

// A shown screen that opens pickers and reports, and hears what a picker chose.
class Screens : public ::testing::Test, public comboBoxDelegate {
protected:
    Screens() {
        nodedb2 = QStringLiteral("http://picker.test");
        window.setRootViewController(nav);
        window.makeKeyAndVisible();
    }
    ~Screens() override {
        processEvents();
        QDir(folder()).removeRecursively();
    }
    // Opens a vehicle picker and answers its load with `reply` (a null one: no answer at all).
    comboBox *open(comboBox::ListOptions o, const QByteArray &reply = kVehicles) {
        o.element = "cellVehile";
        o.parameters = {
            {"SPName", "USP_GetSecurityLogBySearchText"},
            {"JSONData", QVariantMap{{"SearchBy", "VehicleIOS"}, {"BranchCode", "HLV01"}}}};
        o.valueField = "IOVehicle";
        o.dataFields = {"VehicleType"};
        auto *picker = new comboBox(o);
        picker->setDelegate(this, screen);
        EXPECT_TRUE(picker->show(screen));
        const int last = int(net->sent.size()) - 1;
        reply.isNull() ? net->fail(last) : net->replyRaw(last, reply);
        processEvents();
        return picker;
    }
    // Each choice as "text|element|values of the first chosen row".
    void box(comboBox *, const QString &text, const QString &element,
             const QList<QMap<QString, QString>> &data, const QVariantList &) override {
        choices << text + u'|' + element + u'|' + data.value(0).values().join(u',');
    }
    QStringList choices;
    IsolatedDefaults defaults;
    ScriptedTransportScope net;
    RecordingSystemScope system;
    Window window;
    ViewController *screen = new ViewController;
    NavigationController *nav = new NavigationController(screen);
};

// A failed or malformed load shows no rows; then a good one from the default address.
TEST_F(Screens, PickerLoadsFromItsAddressSearchesAndReportsTheChoiceOnce) {
    comboBox::ListOptions elsewhere;
    elsewhere.url = "http://other.test/sp2";
    for (const QByteArray &reply : {QByteArray(), QByteArray(R"({"rows":5})"), QByteArray("<a>")}) {
        comboBox *picker = open(elsewhere, reply);
        EXPECT_EQ(picker->numberOfRows(0), 0) << reply.constData();
        EXPECT_FALSE(picker->isLoading());
        nav->dismiss(false);
    }
    comboBox *picker = open({});
    ASSERT_EQ(net->sent.size(), 4);
    EXPECT_EQ(net->sent.first().request.url.toString(), "http://other.test/sp2");
    EXPECT_EQ(net->sent.last().request.url.toString(), "http://picker.test/sp");
    // The arguments travel as JSON text, not as a nested object.
    EXPECT_EQ(net->sent.last().json(),
              (QVariantMap{{"SPName", "USP_GetSecurityLogBySearchText"},
                           {"JSONData", R"({"BranchCode":"HLV01","SearchBy":"VehicleIOS"})"}}));
    EXPECT_EQ(picker->numberOfRows(0), 3);
    EXPECT_EQ(picker->cellForRow(0, 1).value("detail").toString(), "Van");
    picker->setSearchText(" tn ");
    ASSERT_EQ(picker->numberOfRows(0), 2);
    picker->didSelectRow(0, 1);
    picker->didSelectRow(0, 0);
    EXPECT_EQ(choices, QStringList{"TN 39 CK 4521|cellVehile|TN 39 CK 4521,Car"});
    processEvents();
    EXPECT_EQ(nav->presentedViewController(), nullptr) << "the picker closed";
}

// The typed text is offered only when allowed and nothing matches exactly.
TEST_F(Screens, PickerCustomTextIsChosenOnlyWhenAllowed) {
    for (bool allowed : {false, true}) {
        comboBox::ListOptions options;
        options.returnCustomText = allowed;
        comboBox *picker = open(options);
        picker->setSearchText("tn 38 ab 1234");
        EXPECT_EQ(picker->numberOfRows(0), 1);
        picker->setSearchText("AP 16 ZZ 0001");
        EXPECT_EQ(picker->numberOfRows(0), allowed ? 1 : 0);
        if (allowed)
            picker->didSelectRow(0, 0);
        EXPECT_EQ(choices, allowed ? QStringList{"AP 16 ZZ 0001|cellVehile|"} : QStringList());
        nav->dismiss(false);
    }
}

TEST_F(Screens, PickerDatesAreChosenWithinTheirBoundsAndReportedInTheOutputFormat) {
    comboBox::DateOptions options;
    options.element = "billDate";
    options.indateformat = 4; // yyyy-MM-dd in, dd/MM/yyyy out
    options.outdateformat = 0;
    options.initialdate = "2026-12-03";
    options.mindate = QDate(2026, 12, 1);
    options.maxdate = QDate(2026, 12, 6);
    auto *picker = new comboBox(options);
    picker->setDelegate(this, screen);
    picker->show(screen);
    EXPECT_TRUE(net->sent.isEmpty()) << "a date picker loads nothing";
    EXPECT_EQ(picker->initialDate(), QDate(2026, 12, 3));
    picker->chooseDate(QDate(2026, 12, 7));
    picker->chooseDate(QDate(2026, 11, 30));
    picker->chooseDate(QDate(2026, 12, 5));
    EXPECT_EQ(choices, QStringList{"05/12/2026|billDate|05/12/2026"});
}

TEST_F(Screens, ReportFetchesTheExactAddressKeepsThePdfAndOpensIt) {
    ReportViewController *report = printURL(screen, kUrl, QStringLiteral("log.pdf"));
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->navigationController()->presentingViewController(), nav); // its own stack
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
    EXPECT_EQ(nav->presentedViewController(), nullptr);
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
TEST_F(Screens, ReportBadRepliesFailWithoutAFileAndNoNameEscapesTheFolder) {
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
                                       {200, ""},
                                       {200, " %PDF"},
                                       {0, ""}}) {
        EXPECT_TRUE(fetch("bad.pdf", status, body)) << status << ' ' << body;
        EXPECT_FALSE(QFile::exists(folder() + QStringLiteral("/bad.pdf")));
    }
    for (const char *name :
         {"../evil.pdf", "../../evil.pdf", "a/../../evil.pdf", "..", "", "/tmp/../evil.pdf"})
        fetch(name, 200, kPdf);
}

} // namespace
