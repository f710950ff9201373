#pragma once

#include <QQmlNetworkAccessManagerFactory>
#include <QString>
#include <QUrl>

namespace KingfisherWrapper {
// The address of a server image path: every "~" stands for imgdatabase. A path that does not
// form an http(s) address gives an empty URL (the view then shows its placeholder).
QUrl convertToSource(const QString &path);
} // namespace KingfisherWrapper

// Gives the QML engine network access with an on-disk image cache, so photos are fetched once.
class CachingNetworkAccessManagerFactory : public QQmlNetworkAccessManagerFactory {
public:
    QNetworkAccessManager *create(QObject *parent) override;
};
