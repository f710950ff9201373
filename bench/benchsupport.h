#pragma once

#include "dbconnection.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQuickStyle>
#include <QTemporaryDir>
#include <QTimer>
#include <seclogserver/stand_in_server.h>
#include <vector>

// What every benchmark starts with.
namespace BenchSupport {

// Before the application: offscreen unless the caller named a platform.
inline void useOffscreenUnlessNamed() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// After it: figures printed line by line and nothing else, controls in the client's style.
inline void printFiguresOnly() {
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QLoggingCategory::setFilterRules(QStringLiteral("seclog.*.debug=false"));
    QQuickStyle::setStyle(QStringLiteral("Basic"));
}

// The stand-in server on a fresh database in `dir`, with every base address pointing at it.
inline std::unique_ptr<seclog::server::StandInServer>
startServer(const QTemporaryDir &dir, seclog::server::ServerOptions options) {
    options.dbPath = dir.filePath(QStringLiteral("bench.sqlite")).toStdString();
    options.logRequests = qEnvironmentVariableIsSet("SECLOG_BENCH_SERVER_LOG");
    auto server = std::make_unique<seclog::server::StandInServer>(options);
    DCdatabase = QString::fromStdString(server->baseUrl());
    nodedb2 = DCdatabase;
    imgdatabase = DCdatabase + QStringLiteral("/files");
    return server;
}

// The longest gap between ticks of a 1 ms timer on the GUI thread since start(): how long the
// thread was kept from its events.
class StallMeter : public QObject {
public:
    StallMeter() {
        m_ticker.setTimerType(Qt::PreciseTimer);
        m_ticker.setInterval(1);
        connect(&m_ticker, &QTimer::timeout, this, [this] { tick(); });
        m_clock.start();
    }
    void start() {
        m_lastTick = m_clock.nsecsElapsed();
        m_longest = 0;
        m_ticker.start();
    }
    // Counts the gap up to now; the meter goes on unless stop() follows.
    void tick() {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, (now - m_lastTick) / 1e6);
        m_lastTick = now;
    }
    void stop() {
        tick();
        m_ticker.stop();
    }
    double longestMs() const { return m_longest; }

private:
    QElapsedTimer m_clock;
    QTimer m_ticker;
    qint64 m_lastTick = 0;
    double m_longest = 0;
};

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace BenchSupport
