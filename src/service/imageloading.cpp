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

namespace {
// Qt Quick asks for pictures with HTTP pipelining allowed. A server that reads one request at
// a time (the stand-in server, many proxies) drops what was queued behind it, and those
// pictures then wait seconds for the connection to time out. Pictures go one request at a
// time per connection, over up to six connections, like every other call of the client.
class UnpipelinedAccessManager : public QNetworkAccessManager {
public:
    using QNetworkAccessManager::QNetworkAccessManager;

protected:
    QNetworkReply *createRequest(Operation operation, const QNetworkRequest &original,
                                 QIODevice *data) override {
        QNetworkRequest request(original);
        request.setAttribute(QNetworkRequest::HttpPipeliningAllowedAttribute, false);
        return QNetworkAccessManager::createRequest(operation, request, data);
    }
};
} // namespace

QNetworkAccessManager *CachingNetworkAccessManagerFactory::create(QObject *parent) {
    auto *nam = new UnpipelinedAccessManager(parent);
    auto *cache = new QNetworkDiskCache(nam);
    cache->setCacheDirectory(QStandardPaths::writableLocation(QStandardPaths::CacheLocation) +
                             QStringLiteral("/images"));
    cache->setMaximumCacheSize(64 * 1024 * 1024);
    nam->setCache(cache);
    return nam;
}
