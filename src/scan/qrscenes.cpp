#include "qrscenes.h"

#include <QPainter>
#include <QRandomGenerator>
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

namespace QrScenes {

QImage scene(const QString &text, int module, qreal angle, int dark, int light, QSize size) {
    const ZXing::BitMatrix bits = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode)
                                      .setMargin(4)
                                      .setEncoding(ZXing::CharacterSet::UTF8)
                                      .encode(text.toStdWString(), 0, 0);
    QImage code(bits.width(), bits.height(), QImage::Format_RGB32);
    for (int y = 0; y < bits.height(); ++y)
        for (int x = 0; x < bits.width(); ++x)
            code.setPixel(x, y,
                          bits.get(x, y) ? qRgb(dark, dark, dark) : qRgb(light, light, light));
    QImage image(size, QImage::Format_RGB32);
    QRandomGenerator noise(7);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int v = std::clamp((dark + light) / 2 + int(noise.bounded(41)) - 20, 0, 255);
            line[x] = qRgb(v, v, v);
        }
    }
    QPainter painter(&image);
    painter.translate(size.width() / 2.0, size.height() / 2.0);
    painter.rotate(angle);
    const int side = code.width() * module;
    painter.drawImage(QRect(-side / 2, -side / 2, side, side), code);
    return image;
}

} // namespace QrScenes
