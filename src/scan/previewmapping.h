#pragma once

#include "qrdecoder.h"

#include <QRectF>
#include <QSizeF>

namespace PreviewMapping {
// Where a code's corners lie on a preview of `previewSize` that shows the frame scaled to fill
// (the frame's centre kept, what spills over cut off): the bounds of the mapped corners.
QRectF codeBounds(const QrCode &code, const QSizeF &previewSize);
} // namespace PreviewMapping
