#include <seclogserver/stand_in_server.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTemporaryDir>

namespace {

// seclog-server as the run command starts it: demo data, a free port, and one line per request
// on its output.
class ServerProgram {
public:
    ServerProgram() {
        process.start(QStringLiteral(SECLOG_SERVER_BINARY),
                      {"--db", dir.filePath("demo.sqlite"), "--files", dir.filePath("demo-files"),
                       "--port", "0", "--demo"});
        const QRegularExpression listening("listening on 127\\.0\\.0\\.1:(\\d+)");
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 20000 && process.state() != QProcess::NotRunning) {
            process.waitForReadyRead(100);
            output += process.readAllStandardOutput();
            const auto match = listening.match(QString::fromUtf8(output));
            if (match.hasMatch()) {
                base = "http://127.0.0.1:" + match.captured(1);
                return;
            }
        }
    }
    ~ServerProgram() { stop(); }

    // Stops the server; every request it answered, one line each.
    QStringList requestLines() {
        stop();
        QStringList lines = QString::fromUtf8(output).split('\n', Qt::SkipEmptyParts);
        lines.removeIf([](const QString &line) { return line.startsWith("seclog-server "); });
        return lines;
    }
    std::string dbPath() const { return dir.filePath("demo.sqlite").toStdString(); }

    QTemporaryDir dir;
    QProcess process;
    QByteArray output;
    QString base; // empty when it did not start
private:
    void stop() {
        if (process.state() == QProcess::NotRunning)
            return;
        process.terminate();
        process.waitForFinished(10000);
        output += process.readAllStandardOutput();
    }
};

// A loopback address where nothing listens.
QString closedPortBase() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1").arg(port);
}

// A server-sets file whose three sets point at the given servers.
QString writeServerSets(const QTemporaryDir &dir, const QString &local, const QString &localm,
                        const QString &global) {
    auto set = [](const QString &base) {
        return QStringLiteral(R"({"nodedb2":"%1","DCdatabase":"%1","imgdatabase":"%1/files",)"
                              R"("servicesdatabase":"%1","commonServicesdatabase":"%1",)"
                              R"("reportServer":"%1"})")
            .arg(base);
    };
    QFile file(dir.filePath("servers.json"));
    file.open(QIODevice::WriteOnly);
    file.write(QStringLiteral(R"({"local":%1,"localm":%2,"global":%3})")
                   .arg(set(local), set(localm), set(global))
                   .toUtf8());
    return file.fileName();
}

struct WalkthroughRun {
    int exitCode = -1; // -1: crashed or did not finish
    QString output;
};

// The walkthrough program offscreen, as the run command starts it, with a home of its own.
WalkthroughRun runWalkthrough(const QString &serversFile, const QTemporaryDir &home,
                              const QString &shots) {
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("SECLOG_SERVERS", serversFile);
    env.insert("SECLOG_DEVICE_NAME", "Gate-1 Handheld");
    env.insert("XDG_CONFIG_HOME", home.filePath("config"));
    env.insert("XDG_CACHE_HOME", home.filePath("cache"));
    // Under the sanitizers, Qt's own image and PDF page caches are still held when the program
    // exits; our code's leaks are checked by the in-process tests.
    env.insert("ASAN_OPTIONS", env.value("ASAN_OPTIONS") + QStringLiteral(":detect_leaks=0"));
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QStringLiteral(SECLOG_WALKTHROUGH_BINARY), {shots});
    WalkthroughRun run;
    if (!program.waitForFinished(120000)) {
        program.kill();
        program.waitForFinished();
        run.output = "(did not finish) ";
    } else if (program.exitStatus() == QProcess::NormalExit) {
        run.exitCode = program.exitCode();
    }
    run.output += QString::fromUtf8(program.readAll());
    return run;
}

// Against the server program: log in, the open logs, a search, mark OUT, the report search from
// the menu and the printed report; then a new person photographed with the file camera, a new
// log through every picker with a party entry (an item from the master, a new one with its photo
// and unit), saved and printed; an open log with IN and OUT documents given a store PO and
// saved, and a log past its update time; the monthly summary down to a log's documents, and
// an employee's punches; a DC scanned, its lines chosen, into a new log that is saved, and a
// bill checked; DCs attached to the new log from the DC list, and the lists of each state. A
// screenshot per step; every request the client can send reaches the server, after the identity
// question and never refused.
TEST(Walkthrough, ToursAGuardsDayAgainstTheServerProgram) {
    ServerProgram server;
    ASSERT_FALSE(server.base.isEmpty()) << server.output.toStdString();
    QTemporaryDir home;
    const QString shots = home.filePath("walkthrough");
    const WalkthroughRun run =
        runWalkthrough(writeServerSets(home, server.base, server.base, server.base), home, shots);
    const std::string output = run.output.toStdString();
    ASSERT_EQ(run.exitCode, 0) << output;
    EXPECT_TRUE(run.output.contains("walkthrough: all 92 steps passed")) << output;

    const auto marked = QRegularExpression("marked OUT log (\\d+)").match(run.output);
    ASSERT_TRUE(marked.hasMatch()) << output;
    const QString logId = marked.captured(1);
    const auto outTime = seclog::server::logOutTime(server.dbPath(), logId.toLongLong());
    ASSERT_TRUE(outTime.has_value());
    EXPECT_FALSE(outTime->empty()) << "the server has the log closed";

    const auto saved = QRegularExpression("saved new log (\\d+)\n").match(run.output);
    ASSERT_TRUE(saved.hasMatch()) << output;
    const QString newId = saved.captured(1);
    EXPECT_NE(newId, logId);
    const auto newOutTime = seclog::server::logOutTime(server.dbPath(), newId.toLongLong());
    ASSERT_TRUE(newOutTime.has_value()) << "the server has the new log";
    EXPECT_TRUE(newOutTime->empty()) << "the new log is open";

    // The camera's picture is written beside the screenshots, not among them.
    EXPECT_TRUE(QFile::exists(home.filePath("walkthrough-camera/silhouette.png")));
    EXPECT_EQ(QDir(shots).entryList(QDir::Files).size(), 92);

    const QStringList lines = server.requestLines();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_TRUE(lines.first().startsWith("GET /standin/identity 200")) << "asked first";
    const QRegularExpression answered("^\\S+ \\S+( .*)? (\\d{3}) [0-9.]+ms$");
    for (const QString &line : lines)
        EXPECT_EQ(answered.match(line).captured(2), "200") << line.toStdString();
    struct Expected {
        QString request;
        int times; // sent exactly this often; 0: at least once
    };
    const Expected expected[] = {
        {"GET /standin/identity ", 1},
        {"POST /sp USP_tblMAppleAppRights/VER ", 0},
        {"POST /verifyUser Usp_CommonService/Sel_Pwd ", 1},
        {"POST /sp Usp_CommonService/Sel_DeviceAndDivision ", 1},
        {"POST /sp USP_GetSecurityLogBySearchText/NotOut ", 0},
        {"GET /files/Security/PersonsImages/", 0},
        {"POST /sp USP_SecurityLogBySearchText_RptSearch/MobileIOS ", 0},
        {"POST /SaveSecurityIOLog ", 1},
        {"POST /sp USP_SecurityLogBySearchText_RptSearch/SecIOS_ReportFilterSearch ", 1},
        {"GET /10_Reports/FrmSecLog.aspx SecIOLog_id=" + logId + " ", 1},
        // The new log: the person's pickers, the form's, the party entry's, then the person's
        // photo and the new item's picture up, and the save.
        {"POST /sp USP_GetSecurityLogBySearchText/Sec_Designation ", 1},
        {"POST /sp USP_GetSecurityLogBySearchText/VehicleIOS ", 1},
        {"POST /sp USP_GetSecurityLogBySearchText/Meet_To ", 1},
        {"POST /sp USP_GetSecurityLogBySearchText/EntryType ", 1},
        {"POST /sp USP_GetSecurityLogBySearchText/Purpose ", 1},
        {"POST /sp USP_GetSecurityLogBySearchText/Sec_Supplier ", 1},
        {"POST /sp Usp_CommonService/Sel_ItemLike ", 0},
        {"GET /files/Security/ItemImages/", 0},
        {"POST /sp Usp_CommonService/Sel_Uom ", 1},
        {"POST /upload ", 2},
        {"GET /10_Reports/FrmSecLog.aspx SecIOLog_id=" + newId + " ", 1},
        // The two existing logs opened: their lines are asked for each; one gets a store PO.
        {"POST /sp USP_GetSecurityLogBySearchText/SecIOLogDetail ", 0},
        {"POST /sp USP_GetSecurityLogSummaryReport/StorePO ", 0},
        {"POST /sp USP_GetSecurityLogSummaryReport/StorePODetails ", 1},
        // A DC scanned into a new log that is saved, and a bill checked.
        {"POST /sp Usp_CommonService/Sec_DCViewByQRScan ", 0},
        // Its lines: in the scan's DC detail, for the two DCs attached from the list to the new
        // log and the one opened from its row, and for a DC of each list state.
        {"POST /sp Usp_CommonService/Sel_DCD ", 7},
        {"POST /sp Usp_CommonService/Sec_Div_OutAndPed_DC ", 1},
        {"POST /sp Usp_CommonService/Sec_DCViewByDC_id ", 1},
        {"POST /sp Usp_CommonService/Sel_DCP ", 0},
        {"POST /sp Usp_CommonService/Sel_DCA ", 0},
        {"POST /sp Usp_CommonService/Sel_DCR ", 0},
        {"POST /sp USP_GetSecurityLogBySearchText/MobileIOSByQRCode ", 1},
        {"POST /sp USP_tblTProdBillSelect/BILL_SELECT ", 1},
        {"POST /SaveSecurityIOLog_NoImageData ", 3},
        // The monthly summary, a day of it, and an employee's punches.
        {"POST /GetCommonNestedData USP_GetSecurityLogSummaryReport/Summary ", 0},
        {"POST /GetCommonNestedData USP_GetSecurityLogSummaryReport/SummaryDetails ", 1},
        {"POST /CommonGetSearchData Usp_Production_Sel/EMPLOYEE_SEARCH ", 1},
        {"POST /sp USP_Security/SELECT_LASTTWODAYSLOG ", 1},
    };
    for (const Expected &request : expected) {
        const auto sent = lines.filter(request.request).size();
        if (request.times > 0)
            EXPECT_EQ(sent, request.times) << request.request.toStdString();
        else
            EXPECT_GE(sent, 1) << request.request.toStdString();
    }
}

// Before any other request, and before a window opens, every server of every set must say
// that it is the stand-in; otherwise the program stops with the address and why, having sent
// no login, no mark OUT and no screenshot.
TEST(Walkthrough, StopsWhenOneSetIsNotOnTheStandIn) {
    ServerProgram standIn;
    ASSERT_FALSE(standIn.base.isEmpty()) << standIn.output.toStdString();
    const QString otherBase = closedPortBase();
    QTemporaryDir home;
    const QString shots = home.filePath("walkthrough");
    const WalkthroughRun run =
        runWalkthrough(writeServerSets(home, standIn.base, standIn.base, otherBase), home, shots);

    const std::string output = run.output.toStdString();
    EXPECT_EQ(run.exitCode, 2) << output;
    EXPECT_TRUE(run.output.contains("walkthrough: refused: " + otherBase +
                                    "/standin/identity does not answer as the stand-in server: "
                                    "no answer (Connection refused)"))
        << output;
    EXPECT_TRUE(run.output.contains("so it only runs against the stand-in server, seclog-server"))
        << output;
    EXPECT_FALSE(run.output.contains("step 1")) << output;
    EXPECT_FALSE(QDir(shots).exists());
    for (const QString &line : standIn.requestLines())
        EXPECT_TRUE(line.startsWith("GET /standin/identity 200")) << line.toStdString();
}

} // namespace
