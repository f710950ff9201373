#include "imageloading.h"

#include "dbconnection.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QNetworkDiskCache>
#include <QStandardPaths>

namespace KingfisherWrapper {

QUrl convertToSource(const QString &path) {
    // Only the server's own image paths ("~/folder/name"), under the configured image address:
    // a full address in a reply is never followed, and no part of the path can leave the
    // image folder or turn into a query or fragment.
    const QString trimmed = path.trimmed();
    if (!trimmed.startsWith(QLatin1Char('~')))
        return {};
    const QUrl base(imgdatabase, QUrl::StrictMode);
    if (!base.isValid() || base.host().isEmpty() ||
        (base.scheme() != QLatin1String("http") && base.scheme() != QLatin1String("https")))
        return {};
    QByteArray address = base.toEncoded(QUrl::StripTrailingSlash);
    for (const QString &segment : trimmed.mid(1).split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        if (segment == QLatin1String(".") || segment == QLatin1String(".."))
            return {};
        address += '/' + QUrl::toPercentEncoding(segment);
    }
    const QUrl url = QUrl::fromEncoded(address, QUrl::StrictMode);
    return url.isValid() ? url : QUrl();
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
