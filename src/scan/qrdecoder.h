#pragma once

#include <array>
#include <optional>
#include <QPointF>
#include <QSize>
#include <QString>

class QVideoFrame;

// A QR code found in a camera frame: its text and its corners in frame pixels (top left, top
// right, bottom right, bottom left).
struct QrCode {
    QString text;
    std::array<QPointF, 4> corners;
    QSize frameSize;
};

// The pixels of one frame as the decoder reads them, in place: an 8-bit luminance plane (the Y
// plane of YUV frames, every second byte of packed YUYV/UYVY), or packed RGB whose luminance the
// decoder works out as it reads.
struct LuminanceView {
    const unsigned char *data = nullptr;
    int width = 0;
    int height = 0;
    int rowStride = 0;
    int pixelStride = 1;
    // zxing's image format: Lum for the planes above, one of its RGB layouts otherwise.
    quint32 format = 0;
};

namespace QrDecoder {
// The view of a frame that is mapped for reading; nothing for a pixel format it cannot read in
// place or a frame without pixels.
std::optional<LuminanceView> viewOf(const QVideoFrame &mapped);
// Reads the first QR code (QR only) in the view.
std::optional<QrCode> decode(const LuminanceView &view);
// Maps, reads and unmaps a frame: the whole frame-to-code path of the scanner.
std::optional<QrCode> decodeFrame(QVideoFrame frame);
} // namespace QrDecoder
