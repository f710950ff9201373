// photo-save: a 12-megapixel photo through the client's own save path (PhotoPreparation on a
// worker, then FileUploader's multipart POST) to the stand-in server on a loopback port, while
// a 1 ms timer on the GUI thread records the longest gap between its ticks. The same timer over
// an idle event loop, for as long as each save took, is the baseline.
//
// Ratio: the longest GUI stall during a save over the longest idle gap. Target: a 60 Hz frame
// (16.7 ms) over the same idle gap, so the save meets it when it never costs the screen a
// frame, whatever the timer's own jitter on this machine.

#include "dbconnection.h"
#include "fileuploader.h"
#include "photopreparation.h"

#include <algorithm>
#include <cstdio>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QTemporaryDir>
#include <QTimer>
#include <seclogserver/stand_in_server.h>

namespace {

constexpr QSize photoSize(4000, 3000);
constexpr int measuredSaves = 5;
constexpr double frameBudgetMs = 1000.0 / 60;

// Colour gradients under per-pixel noise: JPEG keeps several megabytes of it at phone quality.
QImage phonePhoto() {
    QImage image(photoSize, QImage::Format_RGB32);
    quint32 state = 2463534242u;
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = int(state % 41) - 20;
            line[x] =
                qRgb(qBound(0, x * 255 / image.width() + noise, 255),
                     qBound(0, y * 255 / image.height() + noise, 255),
                     qBound(0, (x + y) * 255 / (image.width() + image.height()) + noise, 255));
        }
    }
    return image;
}

// The longest gap between ticks of a 1 ms timer on the GUI thread.
class StallMeter : public QObject {
public:
    StallMeter() {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, &StallMeter::tick);
    }
    void start() {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    // The longest gap, in milliseconds, and the time since start().
    std::pair<double, double> stop() {
        tick();
        m_timer.stop();
        return {m_longest / 1e6, m_clock.nsecsElapsed() / 1e6};
    }

private:
    void tick() {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

class Bench : public QObject {
public:
    explicit Bench(QImage photo) : m_photo(std::move(photo)) {}

    void run() { save(); }

private:
    // One save: prepare on a worker, upload, then an idle window as long as the save took.
    void save() {
        m_meter.start();
        PhotoPreparation::run({m_photo}, this, [this](const QList<PreparedPhoto> &photos) {
            const PreparedPhoto &photo = photos.at(0);
            if (!photo.isReady())
                return fail(photo.error);
            m_sentBytes = photo.jpeg.size();
            m_sentSize = photo.size;
            FileUploader::shared().upload(QStringLiteral("Security/PersonsImages/"),
                                          {{QStringLiteral("1"), photo.jpeg}}, this,
                                          [this](const QStringList &paths, const QString &error) {
                                              if (paths.isEmpty())
                                                  return fail(error);
                                              saved();
                                          });
        });
    }

    void saved() {
        const auto [stall, took] = m_meter.stop();
        const bool warmUp = m_done++ == 0; // loads the JPEG plugin, opens the connection
        if (!warmUp) {
            m_saveStall = std::max(m_saveStall, stall);
            m_saveTime = std::max(m_saveTime, took);
        }
        std::printf("photo-save: %s %d: %.0f ms, longest GUI stall %.1f ms\n",
                    warmUp ? "warm-up" : "save", m_done - 1, took, stall);
        m_meter.start();
        QTimer::singleShot(int(took), this, [this, warmUp] {
            const double idle = m_meter.stop().first;
            if (!warmUp)
                m_idleStall = std::max(m_idleStall, idle);
            if (m_done <= measuredSaves)
                save();
            else
                report();
        });
    }

    void report() {
        const double idle = std::max(m_idleStall, 1.0); // the timer's own period at least
        std::printf("photo-save: sent %lld KB (max %lld KB), %dx%d JPEG from %dx%d, slowest save "
                    "%.0f ms, longest GUI stall %.1f ms vs idle %.1f ms: ratio %.2f (target "
                    "%.2f)\n",
                    static_cast<long long>((m_sentBytes + 1023) / 1024),
                    static_cast<long long>(PhotoPreparation::maxBytes / 1024), m_sentSize.width(),
                    m_sentSize.height(), photoSize.width(), photoSize.height(), m_saveTime,
                    m_saveStall, m_idleStall, m_saveStall / idle, frameBudgetMs / idle);
        QCoreApplication::exit(0);
    }

    void fail(const QString &why) {
        std::printf("photo-save: failed: %s\n", qPrintable(why));
        QCoreApplication::exit(1);
    }

    QImage m_photo;
    StallMeter m_meter;
    int m_done = 0;
    qsizetype m_sentBytes = 0;
    QSize m_sentSize;
    double m_saveStall = 0;
    double m_saveTime = 0;
    double m_idleStall = 0;
};

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QLoggingCategory::setFilterRules(QStringLiteral("seclog.*.debug=false")); // figures only

    QTemporaryDir dir;
    seclog::server::ServerOptions options;
    options.dbPath = dir.filePath(QStringLiteral("bench.sqlite")).toStdString();
    options.logRequests = false;
    seclog::server::StandInServer server(options);
    DCdatabase = QString::fromStdString(server.baseUrl());

    Bench bench(phonePhoto());
    QTimer::singleShot(0, &bench, [&bench] { bench.run(); });
    const int status = app.exec();
    server.stop();
    return status;
}
