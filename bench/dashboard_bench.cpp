// dashboard: the monthly summary of a busy division (300 logs a day, twelve months) scrolled
// through in a real (offscreen) Qt Quick window against the stand-in server: each month is
// asked for as the end of the list comes into view, drawn, and scrolled to. Measured per month:
// the time from its rows arriving to the frame that shows them, and the longest gap between
// ticks of a 1 ms timer on the GUI thread while the month loads and draws. Baseline, in the same
// run: the same months drawn as a bare list (each day's title and counts as plain text rows,
// no charts).
//
// Ratio: the median time to draw a month with its charts over the median for the bare list.
// Target 1.5; the stall's limit is one 60 Hz frame (16 ms).

#include "access.h"
#include "benchsupport.h"
#include "dbconnection.h"
#include "navigationcontroller.h"
#include "securitytableviewcontroller.h"
#include "window.h"

#include <algorithm>
#include <cstdio>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QTimer>
#include <seclogserver/stand_in_server.h>
#include <vector>

namespace {

constexpr int months = 12;
constexpr int logsPerDay = 300;
constexpr double chartTarget = 1.5;
constexpr double stallLimitMs = 16.0;

// The same months as plain rows: the day and its counts, no chart.
class BareDashboard : public securityTableViewController {
public:
    QVariantMap cellForRow(int section, int row) override {
        const QVariantMap day = THEDATA.value(QString::number(section)).value(row).toMap();
        return {{QStringLiteral("cellClass"), QStringLiteral("defaultCell")},
                {QStringLiteral("text"), day.value(QStringLiteral("Dt"))},
                {QStringLiteral("detail"), day.value(QStringLiteral("Total"))}};
    }
};

// Scrolls one dashboard through its months, one window per run.
class Run : public QObject {
public:
    Run(securityTableViewController *screen, const char *name, std::function<void()> done)
        : m_screen(screen), m_name(name), m_done(std::move(done)) {
        m_window.setRootViewController(new NavigationController(screen));
        m_window.makeKeyAndVisible();
        m_engine.setInitialProperties(
            {{QStringLiteral("appWindow"), QVariant::fromValue(&m_window)}});
        auto arrived = [this] { QTimer::singleShot(0, this, [this] { monthArrived(); }); };
        connect(screen, &TableViewController::dataReloaded, this, arrived);
        connect(screen, &TableViewController::sectionInserted, this, arrived);
        m_clock.start();
        m_meter.start();
        m_engine.load(QUrl(QStringLiteral("qrc:/SecLog/Main.qml")));
        m_quick = m_engine.rootObjects().isEmpty()
                      ? nullptr
                      : qobject_cast<QQuickWindow *>(m_engine.rootObjects().first());
        if (m_quick)
            connect(m_quick, &QQuickWindow::frameSwapped, this, [this] { ++m_frames; });
    }
    bool loaded() const { return m_quick != nullptr; }
    std::vector<double> drawMs;
    double longestStall = 0;

private:
    QQuickItem *table() const {
        return m_quick ? m_quick->contentItem()->findChild<QQuickItem *>(QStringLiteral("table"))
                       : nullptr;
    }
    // A month is in: bring its end into view and wait for the frame that shows it.
    void monthArrived() {
        if (m_screen->THEDATA.isEmpty())
            return; // the reload of a division change
        m_arrived = m_clock.nsecsElapsed();
        if (QQuickItem *list = table())
            QMetaObject::invokeMethod(list, "positionViewAtEnd");
        m_framesAt = m_frames;
        waitForFrame();
    }
    void waitForFrame() {
        if (m_frames <= m_framesAt) {
            QTimer::singleShot(0, this, [this] { waitForFrame(); });
            return;
        }
        m_meter.tick();
        const double ms = (m_clock.nsecsElapsed() - m_arrived) / 1e6;
        const int month = int(m_screen->THEDATA.size());
        if (month > 1) { // the first month also builds the page
            drawMs.push_back(ms);
            longestStall = std::max(longestStall, m_meter.longestMs());
        }
        std::printf(
            "dashboard: %s month %d (%lld days): drawn %.1f ms, longest GUI stall "
            "%.1f ms\n",
            m_name, month,
            static_cast<long long>(m_screen->THEDATA.value(QString::number(month - 1)).size()), ms,
            m_meter.longestMs());
        if (month >= months) {
            m_meter.stop();
            QTimer::singleShot(0, this, m_done);
            return;
        }
        m_meter.start();
        m_screen->scrollViewDidScroll(0, 0, 0); // the end of the list is in view
    }

    securityTableViewController *m_screen;
    const char *m_name;
    std::function<void()> m_done;
    Window m_window;
    QQmlApplicationEngine m_engine;
    QQuickWindow *m_quick = nullptr;
    QElapsedTimer m_clock;
    BenchSupport::StallMeter m_meter;
    int m_frames = 0;
    int m_framesAt = 0;
    qint64 m_arrived = 0;
};

} // namespace

int main(int argc, char **argv) {
    BenchSupport::useOffscreenUnlessNamed();
    QGuiApplication app(argc, argv);
    BenchSupport::printFiguresOnly();

    QTemporaryDir dir;
    seclog::server::ServerOptions options;
    options.demo = true;
    options.historyMonths = months;
    options.historyLogsPerDay = logsPerDay;
    const auto server = BenchSupport::startServer(dir, options);
    master.BranchCode = QStringLiteral("HLV01");
    master.Division_id = QStringLiteral("1");

    std::unique_ptr<Run> charts, bare;
    auto report = [&] {
        const double chartMs = BenchSupport::median(charts->drawMs);
        const double bareMs = BenchSupport::median(bare->drawMs);
        std::printf(
            "dashboard: %d months of %d logs a day: median month drawn with charts %.1f ms, "
            "as a bare list %.1f ms; longest GUI stall per month %.1f ms with charts, "
            "%.1f ms bare (limit %.0f): ratio %.2f (target %.2f)\n",
            months, logsPerDay, chartMs, bareMs, charts->longestStall, bare->longestStall,
            stallLimitMs, chartMs / std::max(bareMs, 0.001), chartTarget);
        QCoreApplication::exit(0);
    };
    auto startBare = [&] {
        bare = std::make_unique<Run>(new BareDashboard(), "bare list", report);
        if (!bare->loaded())
            QCoreApplication::exit(1);
    };
    charts = std::make_unique<Run>(new securityTableViewController(), "charts", [&] {
        // The bare run gets a window of its own once the first one is gone.
        QTimer::singleShot(0, startBare);
    });
    if (!charts->loaded()) {
        std::printf("dashboard: failed: the views did not load\n");
        return 1;
    }
    const int status = app.exec();
    server->stop();
    return status;
}
