#include "qrdecoder.h"

#include <QVideoFrame>
#include <ZXing/ReadBarcode.h>

namespace QrDecoder {

namespace {
ZXing::ImageFormat rgbLayout(QVideoFrameFormat::PixelFormat format) {
    // Qt names 32-bit formats by their bytes in memory order on this platform's word order.
    switch (format) {
    case QVideoFrameFormat::Format_ARGB8888:
    case QVideoFrameFormat::Format_ARGB8888_Premultiplied:
    case QVideoFrameFormat::Format_XRGB8888:
        return ZXing::ImageFormat::XRGB;
    case QVideoFrameFormat::Format_BGRA8888:
    case QVideoFrameFormat::Format_BGRA8888_Premultiplied:
    case QVideoFrameFormat::Format_BGRX8888:
        return ZXing::ImageFormat::BGRX;
    case QVideoFrameFormat::Format_ABGR8888:
    case QVideoFrameFormat::Format_XBGR8888:
        return ZXing::ImageFormat::XBGR;
    case QVideoFrameFormat::Format_RGBA8888:
    case QVideoFrameFormat::Format_RGBX8888:
        return ZXing::ImageFormat::RGBX;
    default:
        return ZXing::ImageFormat::None;
    }
}
} // namespace

std::optional<LuminanceView> viewOf(const QVideoFrame &mapped) {
    const int width = mapped.width();
    const int height = mapped.height();
    if (width <= 0 || height <= 0 || mapped.planeCount() < 1 || !mapped.bits(0))
        return std::nullopt;
    LuminanceView view;
    view.data = mapped.bits(0);
    view.width = width;
    view.height = height;
    view.rowStride = mapped.bytesPerLine(0);
    view.format = quint32(ZXing::ImageFormat::Lum);
    switch (mapped.pixelFormat()) {
    case QVideoFrameFormat::Format_NV12:
    case QVideoFrameFormat::Format_NV21:
    case QVideoFrameFormat::Format_YUV420P:
    case QVideoFrameFormat::Format_YUV422P:
    case QVideoFrameFormat::Format_YV12:
    case QVideoFrameFormat::Format_IMC1:
    case QVideoFrameFormat::Format_IMC2:
    case QVideoFrameFormat::Format_IMC3:
    case QVideoFrameFormat::Format_IMC4:
    case QVideoFrameFormat::Format_Y8:
        view.pixelStride = 1;
        break;
    case QVideoFrameFormat::Format_YUYV:
        view.pixelStride = 2;
        break;
    case QVideoFrameFormat::Format_UYVY:
        view.data += 1;
        view.pixelStride = 2;
        break;
    default: {
        const ZXing::ImageFormat rgb = rgbLayout(mapped.pixelFormat());
        if (rgb == ZXing::ImageFormat::None)
            return std::nullopt;
        view.format = quint32(rgb);
        view.pixelStride = ZXing::PixStride(rgb);
        break;
    }
    }
    // A plane shorter than its rows claim is not read at all.
    const qint64 needed = qint64(view.rowStride) * (height - 1) + qint64(view.pixelStride) * width;
    if (view.rowStride < view.pixelStride * width || mapped.mappedBytes(0) < needed)
        return std::nullopt;
    return view;
}

namespace {
// Reads every `step`-th pixel of every `step`-th row, in place: the bytes are not copied.
std::optional<QrCode> decodeEvery(const LuminanceView &view, int step) {
    const ZXing::ImageView image(view.data, view.width / step, view.height / step,
                                 static_cast<ZXing::ImageFormat>(view.format),
                                 view.rowStride * step, view.pixelStride * step);
    // QR only, and no turned copies: a QR code reads at any angle as it is.
    const ZXing::Result result =
        ZXing::ReadBarcode(image, ZXing::DecodeHints()
                                      .setFormats(ZXing::BarcodeFormat::QRCode)
                                      .setTryRotate(false)
                                      .setTryHarder(false));
    if (!result.isValid())
        return std::nullopt;
    QrCode code;
    code.text = QString::fromStdString(result.text());
    const auto &position = result.position();
    for (int i = 0; i < 4; ++i)
        code.corners[i] = QPointF(position[i].x, position[i].y) * step;
    code.frameSize = QSize(view.width, view.height);
    return code;
}
} // namespace

std::optional<QrCode> decode(const LuminanceView &view) {
    if (!view.data || view.width <= 0 || view.height <= 0)
        return std::nullopt;
    // A code held up to the camera is large: a quarter of the pixels finds it in a quarter of
    // the time. Small codes need every pixel.
    if (view.width >= 640 && view.height >= 360)
        if (auto code = decodeEvery(view, 2))
            return code;
    return decodeEvery(view, 1);
}

std::optional<QrCode> decodeFrame(QVideoFrame frame) {
    if (!frame.isValid() || !frame.map(QVideoFrame::ReadOnly))
        return std::nullopt;
    std::optional<QrCode> code;
    if (const auto view = viewOf(frame))
        code = decode(*view);
    frame.unmap();
    return code;
}

} // namespace QrDecoder
