#pragma once

#include <QImage>
#include <QString>

namespace QrScenes {
// A printed QR code as a camera would see it, for trials without a camera: `module` pixels a
// module, turned by `angle` degrees, dark and light parts at the given grey levels, in the middle
// of a noisy scene of `size`.
QImage scene(const QString &text, int module, qreal angle, int dark, int light,
             QSize size = QSize(1280, 720));
} // namespace QrScenes
