#include "photopreparation.h"

#include "offthread.h"

#include <algorithm>
#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>

namespace {

constexpr int bestQuality = 85;
constexpr int worstQuality = 40;
constexpr int qualityStep = 5;
constexpr int smallestSide = 64;

QByteArray encodeJpeg(const QImage &image, int quality) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setOptimizedWrite(true);
    if (!writer.write(image))
        return {};
    return bytes;
}

QSize fitted(const QSize &size, int side) {
    if (size.width() <= side && size.height() <= side)
        return size;
    return size.scaled(side, side, Qt::KeepAspectRatio);
}

// JPEG has no transparency: see-through parts become white, as on the screen.
QImage opaque(const QImage &image) {
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

PreparedPhoto failure(const QString &error) {
    PreparedPhoto photo;
    photo.error = error;
    return photo;
}

} // namespace

PreparedPhoto PhotoPreparation::prepare(const QImage &image, qsizetype limit) {
    if (image.isNull())
        return failure(QStringLiteral("There is no photo to prepare."));
    const QSize target = fitted(image.size(), maxSide);
    QImage current = opaque(target == image.size() ? image
                                                   : image.scaled(target, Qt::IgnoreAspectRatio,
                                                                  Qt::SmoothTransformation));
    for (;;) {
        QByteArray fit = encodeJpeg(current, bestQuality);
        if (fit.isEmpty())
            return failure(QStringLiteral("The photo could not be encoded as JPEG."));
        if (fit.size() <= limit)
            return {fit, current.size(), {}};
        QByteArray worst = encodeJpeg(current, worstQuality);
        if (worst.size() <= limit) {
            // The best quality that fits: worst fits, best does not.
            fit = worst;
            int low = worstQuality, high = bestQuality;
            while (high - low > qualityStep) {
                const int middle = (low + high) / 2;
                QByteArray bytes = encodeJpeg(current, middle);
                if (bytes.size() <= limit) {
                    low = middle;
                    fit = bytes;
                } else {
                    high = middle;
                }
            }
            return {fit, current.size(), {}};
        }
        const QSize smaller(current.width() * 3 / 4, current.height() * 3 / 4);
        if (std::min(smaller.width(), smaller.height()) < 1 ||
            std::max(smaller.width(), smaller.height()) < smallestSide)
            return failure(QStringLiteral("The photo cannot be made smaller than %1 KB.")
                               .arg((limit + 1023) / 1024));
        current = current.scaled(smaller, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
}

PreparedPhoto PhotoPreparation::prepare(const QByteArray &encoded, qsizetype limit) {
    QBuffer buffer;
    buffer.setData(encoded);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    // A JPEG decodes straight to a smaller size, much faster than decoding it whole.
    const QSize size = reader.size();
    if (size.isValid())
        reader.setScaledSize(fitted(size, maxSide));
    const QImage image = reader.read();
    if (image.isNull())
        return failure(QStringLiteral("The photo cannot be read: %1.").arg(reader.errorString()));
    return prepare(image, limit);
}

void PhotoPreparation::run(const QList<QImage> &images, QObject *context, Completion completion,
                           QThreadPool *pool) {
    OffThread::run(
        context,
        [images] {
            QList<PreparedPhoto> photos;
            for (const QImage &image : images)
                photos.append(prepare(image));
            return photos;
        },
        [completion](const QList<PreparedPhoto> &photos) {
            if (completion)
                completion(photos);
        },
        pool);
}
