#include "filecamera.h"

#include "offthread.h"

#include <algorithm>
#include <QDir>
#include <QImageReader>
#include <QLoggingCategory>
#include <QVideoFrameFormat>

Q_LOGGING_CATEGORY(lcFileCamera, "seclog.camera.file")

namespace {

QStringList pictureFiles(const QString &folder) {
    QStringList patterns;
    for (const QByteArray &format : QImageReader::supportedImageFormats())
        patterns.append(QStringLiteral("*.") + QString::fromLatin1(format));
    const QDir dir(folder);
    QStringList files;
    for (const QString &name :
         dir.entryList(patterns, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase))
        files.append(dir.filePath(name));
    return files;
}

FileCamera::Picture readPicture(int index, const QString &path) {
    FileCamera::Picture picture;
    picture.index = index;
    QImageReader reader(path);
    reader.setAutoTransform(true); // as the camera held it
    picture.image = reader.read();
    if (picture.image.isNull())
        picture.error = path + QStringLiteral(": ") + reader.errorString();
    else
        picture.frame = FileCamera::frameFromImage(picture.image);
    return picture;
}

// BT.601 video range, in integers.
inline uchar lumaOf(int r, int g, int b) {
    return uchar(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
}
inline uchar cbOf(int r, int g, int b) {
    return uchar(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
}
inline uchar crOf(int r, int g, int b) {
    return uchar(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
}

} // namespace

FileCamera::FileCamera(const QString &folder, QObject *parent) : Camera(parent), m_folder(folder) {
    m_timer.setInterval(100);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &FileCamera::tick);
}

FileCamera::~FileCamera() = default;

void FileCamera::setFrameInterval(int milliseconds) {
    m_timer.setInterval(std::max(1, milliseconds));
}

void FileCamera::setFramesPerPicture(int frames) {
    m_framesPerPicture = std::max(1, frames);
}

void FileCamera::start() {
    if (m_active)
        return;
    m_files = pictureFiles(m_folder);
    if (m_files.isEmpty()) {
        Q_EMIT errorOccurred(
            tr("There are no pictures in %1.").arg(QDir::toNativeSeparators(m_folder)));
        return;
    }
    ++m_generation;
    m_current.reset();
    m_next.reset();
    m_shown = 0;
    m_failedInRow = 0;
    m_active = true;
    load(0);
    m_timer.start();
    Q_EMIT activeChanged(true);
}

void FileCamera::stop() {
    if (!m_active)
        return;
    ++m_generation;
    m_active = false;
    m_timer.stop();
    m_current.reset();
    m_next.reset();
    if (m_stillWanted) {
        m_stillWanted = false;
        Q_EMIT errorOccurred(tr("The camera stopped before the picture was taken."));
    }
    Q_EMIT activeChanged(false);
}

void FileCamera::captureStill() {
    if (!m_active) {
        Q_EMIT errorOccurred(tr("The camera is not running."));
        return;
    }
    m_stillWanted = true;
    if (m_current)
        // Later, as a real camera answers: the caller is not re-entered.
        QMetaObject::invokeMethod(this, &FileCamera::deliverStill, Qt::QueuedConnection);
}

void FileCamera::deliverStill() {
    if (!m_stillWanted || !m_current)
        return;
    m_stillWanted = false;
    const QImage still = m_current->image; // a receiver may stop the camera, which drops it
    Q_EMIT stillCaptured(still);
}

void FileCamera::load(int index) {
    const int generation = m_generation;
    OffThread::run(
        this, [index, path = m_files.at(index)] { return readPicture(index, path); },
        [this, generation](const Picture &picture) {
            if (generation == m_generation)
                loaded(picture);
        });
}

void FileCamera::loaded(const Picture &picture) {
    const int count = int(m_files.size());
    const int following = (picture.index + 1) % count;
    if (!picture.error.isEmpty()) {
        qCWarning(lcFileCamera).noquote() << "skipped" << picture.error;
        if (++m_failedInRow >= count) {
            const QString folder = m_folder;
            stop();
            Q_EMIT errorOccurred(tr("None of the pictures in %1 can be read.")
                                     .arg(QDir::toNativeSeparators(folder)));
            return;
        }
        load(following);
        return;
    }
    m_failedInRow = 0;
    if (m_current) {
        m_next = picture;
        return;
    }
    m_current = picture;
    m_shown = 0;
    if (m_stillWanted)
        deliverStill();
    if (count > 1)
        load(following);
}

void FileCamera::tick() {
    if (!m_current)
        return;                                 // the first picture is still being read
    const QVideoFrame frame = m_current->frame; // a receiver may stop the camera
    Q_EMIT frameAvailable(frame);
    if (!m_current)
        return;
    if (++m_shown < m_framesPerPicture || !m_next)
        return; // a picture not read in time keeps the one on show a little longer
    m_current = std::move(m_next);
    m_next.reset();
    m_shown = 0;
    load((m_current->index + 1) % int(m_files.size()));
}

QVideoFrame FileCamera::frameFromImage(const QImage &image, int maxSide) {
    if (image.isNull())
        return {};
    QImage rgb = image;
    if (rgb.width() > maxSide || rgb.height() > maxSide)
        rgb = rgb.scaled(maxSide, maxSide, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (rgb.width() < 2 || rgb.height() < 2)
        rgb = rgb.scaled(std::max(2, rgb.width()), std::max(2, rgb.height()));
    rgb = rgb.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width() & ~1;
    const int height = rgb.height() & ~1;

    QVideoFrameFormat format(QSize(width, height), QVideoFrameFormat::Format_NV12);
    format.setColorSpace(QVideoFrameFormat::ColorSpace_BT601);
    format.setColorRange(QVideoFrameFormat::ColorRange_Video);
    QVideoFrame frame(format);
    if (!frame.map(QVideoFrame::WriteOnly))
        return {};
    uchar *luma = frame.bits(0);
    uchar *chroma = frame.bits(1);
    const int lumaStride = frame.bytesPerLine(0);
    const int chromaStride = frame.bytesPerLine(1);
    for (int y = 0; y < height; y += 2) {
        const auto *top = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        const auto *bottom = reinterpret_cast<const QRgb *>(rgb.constScanLine(y + 1));
        uchar *lumaTop = luma + y * lumaStride;
        uchar *lumaBottom = lumaTop + lumaStride;
        uchar *cbcr = chroma + (y / 2) * chromaStride;
        for (int x = 0; x < width; x += 2) {
            const QRgb quad[4] = {top[x], top[x + 1], bottom[x], bottom[x + 1]};
            int r = 0, g = 0, b = 0;
            for (const QRgb p : quad) {
                r += qRed(p);
                g += qGreen(p);
                b += qBlue(p);
            }
            lumaTop[x] = lumaOf(qRed(quad[0]), qGreen(quad[0]), qBlue(quad[0]));
            lumaTop[x + 1] = lumaOf(qRed(quad[1]), qGreen(quad[1]), qBlue(quad[1]));
            lumaBottom[x] = lumaOf(qRed(quad[2]), qGreen(quad[2]), qBlue(quad[2]));
            lumaBottom[x + 1] = lumaOf(qRed(quad[3]), qGreen(quad[3]), qBlue(quad[3]));
            cbcr[x] = cbOf(r / 4, g / 4, b / 4);
            cbcr[x + 1] = crOf(r / 4, g / 4, b / 4);
        }
    }
    frame.unmap();
    return frame;
}
