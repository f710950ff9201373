#pragma once

#include <QImage>
#include <QVideoFrame>

namespace CameraFrames {
// A picture as a camera would deliver it, in `format` (NV12 as most cameras, YUYV or UYVY as
// webcams, or a 32-bit RGB layout); an invalid frame for a format it cannot write.
QVideoFrame fromImage(const QImage &image,
                      QVideoFrameFormat::PixelFormat format = QVideoFrameFormat::Format_NV12);
} // namespace CameraFrames
