// memory: a guard scrolls the log list from the first to the last of 1,000 open logs, each
// with a portrait of the size the client uploads (1200x1600), every picture in view loaded
// at each screenful (bench_list_client --scroll). Measured: the client's peak resident memory.
// Baseline, in the same run: the bare Qt Quick program (bench_list_bare --scroll) scrolled
// through the same texts in a plain ListView, no pictures.
//
// Ratio: the client's peak over the bare program's. Target: at most 80 MB more, that is
// (bare + 80 MB) over bare.

#include "listsite.h"

#include <cstdio>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>

namespace {

constexpr int openLogs = 1000;
constexpr double allowanceMb = 80.0;
const QSize photoSize(1200, 1600);

// A portrait of a phone photo's size after the client's preparation: a figure over a
// gradient, so that every pixel differs a little as in a real picture.
QByteArray portraitPng() {
    QImage image(photoSize, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, photoSize.width(), photoSize.height());
    sky.setColorAt(0, QColor(70, 110, 160));
    sky.setColorAt(1, QColor(200, 180, 140));
    painter.fillRect(image.rect(), sky);
    painter.setBrush(QColor(60, 50, 45));
    painter.drawEllipse(QPoint(600, 560), 260, 320);
    painter.drawRoundedRect(QRect(200, 1000, 800, 700), 200, 200);
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// The demo's small portraits of the guests replaced by photos of a real size.
int replaceGuestPhotos(const std::filesystem::path &filesDir) {
    const QByteArray photo = portraitPng();
    QDir folder(QString::fromStdString((filesDir / "Security/PersonsImages").string()));
    int replaced = 0;
    for (const QString &name : folder.entryList({QStringLiteral("guest_*.png")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(photo) > 0)
            ++replaced;
    }
    return replaced;
}

double peakMb(const std::optional<ListSite::Finish> &finish) {
    return finish ? finish->line.section(QLatin1Char(' '), 1, 1).toDouble() / 1024.0 : 0;
}

} // namespace

int main(int argc, char **argv) {
    BenchSupport::useOffscreenUnlessNamed();
    ListSite site("memory", openLogs);
    QGuiApplication app(argc, argv);
    BenchSupport::printFiguresOnly();
    if (!site.open())
        return 1;
    const int photos = replaceGuestPhotos(site.server().filesDir());
    const QStringList rows{QStringLiteral("--rows"), QString::number(site.rows()),
                           QStringLiteral("--scroll")};
    const auto client = site.run(QStringLiteral("bench_list_client"), rows, "peak-rss");
    const auto bare =
        site.run(QStringLiteral("bench_list_bare"),
                 QStringList{QStringLiteral("--texts"), site.textsFile()} + rows, "peak-rss");
    site.server().stop();
    if (!client || !bare) {
        std::printf("memory: failed: the %s was not scrolled through\n",
                    client ? "bare program" : "client");
        return 1;
    }
    const double clientMb = peakMb(client), bareMb = peakMb(bare);
    std::printf("memory: %d rows, %d photos of %dx%d scrolled through in %.1f s: peak resident "
                "client %.1f MB, bare Qt Quick list %.1f MB, %.1f MB more (limit %.0f MB): "
                "ratio %.2f (target %.2f)\n",
                site.rows(), photos, photoSize.width(), photoSize.height(), client->ms / 1000,
                clientMb, bareMb, clientMb - bareMb, allowanceMb, clientMb / std::max(bareMb, 1.0),
                (bareMb + allowanceMb) / std::max(bareMb, 1.0));
    return 0;
}
