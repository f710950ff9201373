#pragma once

#include "access.h"
#include "benchsupport.h"
#include "common.h"
#include "fetchdata.h"
#include "rows.h"
#include "securitylogcell.h"
#include "securitylogtvc.h"

#include <cstdio>
#include <optional>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <seclogserver/stand_in_server.h>

// Where the start and memory benchmarks run the client and the bare list: the stand-in server
// with division 1's open logs, a guard of division 1 logged in earlier (the session saved in a
// settings folder of the site's own), the server sets pointing at the server, and the texts
// the list shows, for the bare program. Construct it before the application object: the
// settings folder is set in the environment.
class ListSite {
public:
    ListSite(const char *bench, int openLogs) : m_bench(bench) {
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toLocal8Bit());
        m_options.demo = true;
        m_options.openLogs = openLogs;
    }

    // Starts the server, saves the session and writes the texts; false, said, if the list is
    // empty.
    bool open() {
        m_server = BenchSupport::startServer(m_dir, m_options);
        const QString base = QString::fromStdString(m_server->baseUrl());
        QJsonObject set;
        for (const char *key : {"nodedb2", "DCdatabase", "servicesdatabase",
                                "commonServicesdatabase", "reportServer"})
            set.insert(QLatin1String(key), base);
        set.insert(QStringLiteral("imgdatabase"), base + QStringLiteral("/files"));
        const QJsonObject sets{{QStringLiteral("local"), set},
                               {QStringLiteral("localm"), set},
                               {QStringLiteral("global"), set}};
        writeFile(serversFile(), QJsonDocument(sets).toJson());

        master.BranchCode = QStringLiteral("HLV01");
        master.Users_id = QStringLiteral("1");
        master.EmpName = QStringLiteral("Ravi Kumar");
        master.Division_id = QStringLiteral("1");
        master.DivisionName = QStringLiteral("Spinning");
        common::sharedInstance().saveSession();
        if (writeTexts())
            return true;
        std::printf("%s: failed: the open logs did not come back\n", m_bench);
        return false;
    }

    seclog::server::StandInServer &server() { return *m_server; }
    int rows() const { return m_rows; }
    QString textsFile() const { return m_dir.filePath(QStringLiteral("texts.json")); }

    struct Finish {
        double ms;    // from the start of the process to the line
        QString line; // the line that starts with the marker
    };
    // Runs a program of this folder until it prints a line starting with `marker`, each run
    // with an image cache of its own; nullopt if it ends or takes a minute without one.
    std::optional<Finish> run(const QString &program, const QStringList &arguments,
                              const QString &marker) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("SECLOG_SERVERS"), serversFile());
        environment.insert(QStringLiteral("XDG_CACHE_HOME"),
                           m_dir.filePath(QStringLiteral("cache-%1").arg(++m_runs)));
        QProcess process;
        process.setProcessEnvironment(environment);
        // SECLOG_BENCH_VERBOSE=1 shows what the programs say besides their figures.
        if (qEnvironmentVariableIsEmpty("SECLOG_BENCH_VERBOSE"))
            process.setStandardErrorFile(QProcess::nullDevice());
        else
            process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer clock;
        clock.start();
        process.start(QCoreApplication::applicationDirPath() + QLatin1Char('/') + program,
                      arguments);
        std::optional<Finish> finish;
        while (!finish && clock.elapsed() < 60000) {
            if (!process.canReadLine() && !process.waitForReadyRead(1000) &&
                process.state() == QProcess::NotRunning)
                break;
            while (process.canReadLine()) {
                const QString line = QString::fromUtf8(process.readLine()).trimmed();
                if (line.startsWith(marker)) {
                    finish = Finish{clock.nsecsElapsed() / 1e6, line};
                    break;
                }
            }
        }
        if (!finish)
            std::fprintf(stderr, "%s: %s, exit code %d\n", qPrintable(program),
                         process.state() == QProcess::NotRunning
                             ? (process.exitStatus() == QProcess::CrashExit ? "crashed" : "ended")
                             : "still running",
                         process.exitCode());
        process.kill();
        process.waitForFinished();
        return finish;
    }

private:
    QString serversFile() const { return m_dir.filePath(QStringLiteral("servers.json")); }
    static void writeFile(const QString &path, const QByteArray &bytes) {
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes);
    }
    // The open logs as the client asks for them, and the texts its rows show.
    bool writeTexts() {
        QEventLoop wait;
        Rows rows;
        fetchDATA::nodefetchD(securityLogTVC::openLogsParameters(), [&](const QVariant &reply) {
            rows = RowsReader::textRows(reply);
            wait.quit();
        });
        wait.exec();
        QJsonArray texts;
        for (const Row &row : rows) {
            const QVariantMap cell =
                SecurityLogCell::contents(row, SecurityLogCell::Kind::ListRow, false);
            auto text = [&cell](const char *key) { return cell.value(QLatin1String(key)); };
            texts.append(
                QJsonObject::fromVariantMap({{QStringLiteral("name"), text("lblPersonName")},
                                             {QStringLiteral("mobile"), text("lblMobileNo")},
                                             {QStringLiteral("meetTo"), text("lblMeetTo")},
                                             {QStringLiteral("id"), text("lblSecLog_id")},
                                             {QStringLiteral("inTime"), text("lblInTime")},
                                             {QStringLiteral("logedBy"), text("lblLogedBy")},
                                             {QStringLiteral("purpose"), text("lblPurpose")}}));
        }
        writeFile(textsFile(), QJsonDocument(texts).toJson(QJsonDocument::Compact));
        m_rows = int(texts.size());
        return m_rows > 0;
    }

    const char *m_bench;
    QTemporaryDir m_dir;
    seclog::server::ServerOptions m_options;
    std::unique_ptr<seclog::server::StandInServer> m_server;
    int m_rows = 0;
    int m_runs = 0;
};
