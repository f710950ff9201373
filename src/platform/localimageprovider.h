#pragma once

#include <QQuickImageProvider>

class QQmlEngine;

// Serves LocalImages' pictures to QML's Image items ("image://local/<n>").
class LocalImageProvider : public QQuickImageProvider {
public:
    LocalImageProvider();
    QImage requestImage(const QString &id, QSize *size, const QSize &requestedSize) override;

    // Adds a provider to `engine`, which owns it.
    static void addTo(QQmlEngine &engine);
};
