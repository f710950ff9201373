#include "previewmapping.h"

#include <algorithm>

namespace PreviewMapping {

QRectF codeBounds(const QrCode &code, const QSizeF &previewSize) {
    const QSizeF frame = code.frameSize;
    if (frame.isEmpty() || previewSize.isEmpty())
        return {};
    const qreal scale =
        std::max(previewSize.width() / frame.width(), previewSize.height() / frame.height());
    const QPointF offset((previewSize.width() - frame.width() * scale) / 2,
                         (previewSize.height() - frame.height() * scale) / 2);
    qreal left = 0, top = 0, right = 0, bottom = 0;
    for (size_t i = 0; i < code.corners.size(); ++i) {
        const QPointF p = code.corners[i] * scale + offset;
        left = i == 0 ? p.x() : std::min(left, p.x());
        right = i == 0 ? p.x() : std::max(right, p.x());
        top = i == 0 ? p.y() : std::min(top, p.y());
        bottom = i == 0 ? p.y() : std::max(bottom, p.y());
    }
    return QRectF(QPointF(left, top), QPointF(right, bottom));
}

} // namespace PreviewMapping
