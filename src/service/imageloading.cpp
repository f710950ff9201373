#include "imageloading.h"

#include "dbconnection.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QStandardPaths>

namespace KingfisherWrapper {

QUrl convertToSource(const QString &path) {
    if (path.trimmed().isEmpty())
        return {};
    QString address = path;
    address.replace(QLatin1Char('~'), imgdatabase);
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host().isEmpty() ||
        (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")))
        return {};
    return url;
}

} // namespace KingfisherWrapper

QNetworkAccessManager *CachingNetworkAccessManagerFactory::create(QObject *parent) {
    auto *nam = new QNetworkAccessManager(parent);
    auto *cache = new QNetworkDiskCache(nam);
    cache->setCacheDirectory(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                             QStringLiteral("/images"));
    cache->setMaximumCacheSize(64 * 1024 * 1024);
    nam->setCache(cache);
    return nam;
}
