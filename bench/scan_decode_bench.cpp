// scan_decode [DIR]: every picture in DIR (PNG, JPEG or PGM, any size) is turned once into a
// camera frame in the camera's usual format (NV12), outside the timing; then the client's
// whole frame-to-code path (map the frame, read its luminance plane in place, decode QR) is
// timed against zxing-cpp's ReadBarcodes with its default hints on the same luminance bytes,
// in the same run. With no folder it makes its own frames: QR codes of several sizes, angles
// and light levels in 1280x720 scenes.
//
// Ratio: the client's median over zxing-cpp's. Target 1.10, with every frame zxing-cpp decodes
// decoded by the client too.

#include "cameraframes.h"
#include "qrdecoder.h"
#include "qrscenes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <QDir>
#include <QGuiApplication>
#include <QImageReader>
#include <vector>
#include <ZXing/ReadBarcode.h>

namespace {

constexpr int rounds = 15;
constexpr double target = 1.10;

struct Timing {
    std::vector<double> ms;
    int decoded = 0;
};

double percentile(std::vector<double> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(p * values.size()))];
}

template <typename F> double timed(F &&f) {
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

std::vector<std::pair<QString, QImage>> pictures(const QString &folder) {
    std::vector<std::pair<QString, QImage>> list;
    if (!folder.isEmpty()) {
        const QStringList files =
            QDir(folder).entryList({QStringLiteral("*.png"), QStringLiteral("*.jpg"),
                                    QStringLiteral("*.jpeg"), QStringLiteral("*.pgm")},
                                   QDir::Files, QDir::Name);
        for (const QString &file : files) {
            QImage image(QDir(folder).filePath(file));
            if (!image.isNull())
                list.emplace_back(file, image);
        }
        return list;
    }
    const struct {
        int module;
        qreal angle;
        int dark, light;
    } scenes[] = {{3, 0, 20, 235},   {5, 0, 20, 235},  {8, 0, 20, 235},   {12, 0, 20, 235},
                  {6, 15, 20, 235},  {6, 40, 20, 235}, {6, 180, 20, 235}, {6, 0, 5, 70},
                  {6, 10, 140, 250}, {6, 25, 100, 160}};
    int n = 0;
    for (const auto &s : scenes) {
        ++n;
        const QString code = QStringLiteral("DC/SPN/26-27/%1").arg(n, 4, 10, QLatin1Char('0'));
        list.emplace_back(QStringLiteral("scene-%1").arg(n),
                          QrScenes::scene(code, s.module, s.angle, s.dark, s.light));
    }
    return list;
}

} // namespace

int main(int argc, char **argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    const auto list = pictures(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString());
    if (list.empty()) {
        std::printf("scan_decode: no pictures\n");
        return 1;
    }
    Timing client, zxing;
    int missedByClient = 0;
    for (const auto &[name, image] : list) {
        const QVideoFrame frame = CameraFrames::fromImage(image);
        // zxing-cpp alone reads the same luminance bytes, copied out once.
        QVideoFrame mapped = frame;
        mapped.map(QVideoFrame::ReadOnly);
        const int width = mapped.width(), height = mapped.height();
        const int stride = mapped.bytesPerLine(0);
        const std::vector<unsigned char> luminance(mapped.bits(0),
                                                   mapped.bits(0) + stride * height);
        mapped.unmap();
        const ZXing::ImageView view(luminance.data(), width, height, ZXing::ImageFormat::Lum,
                                    stride);

        bool clientFound = false, zxingFound = false;
        for (int r = 0; r < rounds; ++r) {
            std::optional<QrCode> code;
            client.ms.push_back(timed([&] { code = QrDecoder::decodeFrame(frame); }));
            ZXing::Results results;
            zxing.ms.push_back(timed([&] { results = ZXing::ReadBarcodes(view); }));
            clientFound = code.has_value();
            zxingFound = !results.empty();
        }
        client.decoded += clientFound;
        zxing.decoded += zxingFound;
        missedByClient += zxingFound && !clientFound;
        std::printf("scan_decode: %s %dx%d: client %s, zxing %s\n", qPrintable(name), width, height,
                    clientFound ? "decoded" : "missed", zxingFound ? "decoded" : "missed");
    }
    const int n = int(list.size());
    const double clientMedian = percentile(client.ms, 0.5);
    const double zxingMedian = percentile(zxing.ms, 0.5);
    if (missedByClient > 0)
        std::printf("scan_decode: the client missed %d frame(s) zxing-cpp decoded\n",
                    missedByClient);
    std::printf("scan_decode: client %d/%d decoded, median %.2f ms, p95 %.2f ms; zxing %d/%d "
                "decoded, median %.2f ms, p95 %.2f ms; ratio %.2f (target %.2f)\n",
                client.decoded, n, clientMedian, percentile(client.ms, 0.95), zxing.decoded, n,
                zxingMedian, percentile(zxing.ms, 0.95), clientMedian / std::max(zxingMedian, 1e-6),
                target);
    return 0;
}
