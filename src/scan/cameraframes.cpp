#include "cameraframes.h"

#include <cstring>

namespace CameraFrames {

namespace {
uchar luma(QRgb p) {
    return uchar((306 * qRed(p) + 601 * qGreen(p) + 117 * qBlue(p)) >> 10);
}
} // namespace

QVideoFrame fromImage(const QImage &image, QVideoFrameFormat::PixelFormat format) {
    const int width = image.width() & ~1; // chroma comes in pairs of pixels
    const int height = image.height() & ~1;
    if (width <= 0 || height <= 0)
        return {};
    QVideoFrame frame(QVideoFrameFormat(QSize(width, height), format));
    if (!frame.map(QVideoFrame::WriteOnly))
        return {};
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    bool written = true;
    switch (format) {
    case QVideoFrameFormat::Format_NV12:
        for (int y = 0; y < height; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            uchar *out = frame.bits(0) + y * frame.bytesPerLine(0);
            for (int x = 0; x < width; ++x)
                out[x] = luma(line[x]);
        }
        for (int y = 0; y < height / 2; ++y)
            std::memset(frame.bits(1) + y * frame.bytesPerLine(1), 128, width);
        break;
    case QVideoFrameFormat::Format_YUYV:
    case QVideoFrameFormat::Format_UYVY: {
        const int yAt = format == QVideoFrameFormat::Format_YUYV ? 0 : 1;
        for (int y = 0; y < height; ++y) {
            const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            uchar *out = frame.bits(0) + y * frame.bytesPerLine(0);
            for (int x = 0; x < width; ++x) {
                out[2 * x + yAt] = luma(line[x]);
                out[2 * x + 1 - yAt] = 128;
            }
        }
        break;
    }
    case QVideoFrameFormat::Format_XRGB8888:
    case QVideoFrameFormat::Format_BGRX8888:
    case QVideoFrameFormat::Format_RGBX8888: {
        // Qt's names give the byte order in memory.
        const QImage::Format layout = format == QVideoFrameFormat::Format_RGBX8888
                                          ? QImage::Format_RGBX8888
                                          : QImage::Format_RGB32;
        QImage converted = rgb.convertToFormat(layout);
        for (int y = 0; y < height; ++y) {
            const uchar *line = converted.constScanLine(y);
            uchar *out = frame.bits(0) + y * frame.bytesPerLine(0);
            for (int x = 0; x < width; ++x) {
                const uchar *px = line + 4 * x; // RGB32 is B, G, R, X in memory
                uchar *o = out + 4 * x;
                if (format == QVideoFrameFormat::Format_XRGB8888) {
                    o[0] = 0xff, o[1] = px[2], o[2] = px[1], o[3] = px[0];
                } else if (format == QVideoFrameFormat::Format_BGRX8888) {
                    o[0] = px[0], o[1] = px[1], o[2] = px[2], o[3] = 0xff;
                } else {
                    std::memcpy(o, px, 4);
                }
            }
        }
        break;
    }
    default:
        written = false;
    }
    frame.unmap();
    return written ? frame : QVideoFrame();
}

} // namespace CameraFrames
