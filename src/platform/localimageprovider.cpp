#include "localimageprovider.h"

#include "localimages.h"

#include <QQmlEngine>

LocalImageProvider::LocalImageProvider() : QQuickImageProvider(QQuickImageProvider::Image) {}

QImage LocalImageProvider::requestImage(const QString &id, QSize *size,
                                        const QSize &requestedSize) {
    QImage image = LocalImages::shared().image(id);
    if (size)
        *size = image.size();
    // An Image with a sourceSize asks for a smaller copy; a 0 side follows the other side.
    if (!image.isNull() && (requestedSize.width() > 0 || requestedSize.height() > 0)) {
        if (requestedSize.width() <= 0)
            image = image.scaledToHeight(requestedSize.height(), Qt::SmoothTransformation);
        else if (requestedSize.height() <= 0)
            image = image.scaledToWidth(requestedSize.width(), Qt::SmoothTransformation);
        else
            image = image.scaled(requestedSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }
    return image;
}

void LocalImageProvider::addTo(QQmlEngine &engine) {
    engine.addImageProvider(QLatin1String(LocalImages::providerId), new LocalImageProvider);
}
