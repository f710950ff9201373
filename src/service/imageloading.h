#pragma once

#include <QQmlNetworkAccessManagerFactory>
#include <QString>
#include <QUrl>

namespace KingfisherWrapper {
// The address of a server image path: its leading "~" stands for imgdatabase, the rest is
// percent-encoded segment by segment. A path without the "~", with a "." or ".." segment, or an
// image address that is not http(s) gives an empty URL (the view then shows its placeholder).
QUrl convertToSource(const QString &path);
} // namespace KingfisherWrapper

// Gives the QML engine network access with an on-disk image cache, so photos are fetched once.
class CachingNetworkAccessManagerFactory : public QQmlNetworkAccessManagerFactory {
public:
    QNetworkAccessManager *create(QObject *parent) override;
};
