#pragma once

#include <QImage>
#include <QList>
#include <QMutex>
#include <QString>
#include <QUrl>

// Pictures that live only in memory (a photo just taken, not uploaded yet), handed to QML under
// an "image://local/<n>" address that LocalImageProvider serves. The same picture keeps its
// address; the least recently asked for is forgotten once more than `capacity` are held.
class LocalImages {
public:
    static constexpr int capacity = 64;
    static constexpr const char *providerId = "local";

    static LocalImages &shared();
    ~LocalImages();

    // The address of `image`; an empty URL for a null image.
    QUrl urlFor(const QImage &image);
    // The picture behind an address's id ("<n>"); a null image when it was released or forgotten.
    QImage image(const QString &id) const;
    // Forgets the picture behind `url` (views that still show it keep what they loaded).
    void release(const QUrl &url);
    int count() const;

private:
    struct Entry {
        qint64 cacheKey;
        QString id;
        QImage image;
    };
    mutable QMutex m_mutex; // the provider is asked from QML's image loading thread
    QList<Entry> m_entries; // most recently used last
    quint64 m_next = 1;
};
