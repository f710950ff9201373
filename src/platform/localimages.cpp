#include "localimages.h"

#include <QMutexLocker>

LocalImages &LocalImages::shared() {
    static LocalImages instance;
    return instance;
}

// The shared instance goes at exit, after QML's image loading thread last read it: the
// pictures are let go under the same lock that thread took.
LocalImages::~LocalImages() {
    QMutexLocker lock(&m_mutex);
    m_entries.clear();
}

QUrl LocalImages::urlFor(const QImage &image) {
    if (image.isNull())
        return QUrl();
    QMutexLocker lock(&m_mutex);
    // A picture changed after it was handed out has a new cache key, so it gets a new address
    // and no view keeps showing the old one from its cache.
    QString id;
    for (qsizetype i = 0; i < m_entries.size(); ++i) {
        if (m_entries.at(i).cacheKey == image.cacheKey()) {
            id = m_entries.at(i).id;
            m_entries.move(i, m_entries.size() - 1);
            break;
        }
    }
    if (id.isEmpty()) {
        id = QString::number(m_next++);
        m_entries.append({image.cacheKey(), id, image});
        while (m_entries.size() > capacity)
            m_entries.removeFirst();
    }
    return QUrl(QStringLiteral("image://%1/%2").arg(QLatin1String(providerId), id));
}

QImage LocalImages::image(const QString &id) const {
    QMutexLocker lock(&m_mutex);
    for (const auto &entry : m_entries)
        if (entry.id == id)
            return entry.image;
    return QImage();
}

void LocalImages::release(const QUrl &url) {
    if (url.scheme() != QLatin1String("image") || url.host() != QLatin1String(providerId))
        return;
    const QString id = url.path().mid(1);
    QMutexLocker lock(&m_mutex);
    m_entries.removeIf([&id](const Entry &entry) { return entry.id == id; });
}

int LocalImages::count() const {
    QMutexLocker lock(&m_mutex);
    return int(m_entries.size());
}
