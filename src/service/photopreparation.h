#pragma once

#include <functional>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QObject>
#include <QSize>
#include <QString>

class QThreadPool;

// A photo made ready for upload: JPEG bytes within the size limit, or why it could not be.
struct PreparedPhoto {
    QByteArray jpeg;
    QSize size;    // pixel size of the JPEG
    QString error; // empty when the photo is ready
    bool isReady() const { return error.isEmpty() && !jpeg.isEmpty(); }
};

// Shrinks a photo for upload: a phone photo is several megabytes, the server wants a few
// hundred kilobytes. The long side is brought down to maxSide (never up), then the JPEG
// quality is lowered, and the picture made smaller again, until the file fits in maxBytes.
class PhotoPreparation {
public:
    static constexpr qsizetype maxBytes = 300 * 1024;
    static constexpr int maxSide = 1600;

    // The work itself, on the calling thread.
    static PreparedPhoto prepare(const QImage &image, qsizetype limit = maxBytes);
    // The same from encoded bytes (a picture file's content).
    static PreparedPhoto prepare(const QByteArray &encoded, qsizetype limit = maxBytes);

    // Called on the main thread: prepares `images` on a worker thread of `pool` (the global
    // pool when null) and returns at once. The completion runs on the main thread with one
    // result per image, in order, and not at all once `context` is gone.
    using Completion = std::function<void(const QList<PreparedPhoto> &photos)>;
    static void run(const QList<QImage> &images, QObject *context, Completion completion,
                    QThreadPool *pool = nullptr);
};
