#pragma once

#include "camera.h"

#include <optional>
#include <QStringList>
#include <QTimer>

// A camera that plays the pictures of a folder in file-name order, looping: each picture is
// shown for framesPerPicture() frames, one frame every frameInterval() ms. It stands in for the
// device's camera in tests, in the walkthrough and on machines without one.
// Pictures are read and converted on a worker thread; frames are NV12, as phone cameras give
// them, at most maxFrameSide pixels on the long side. A still is the picture on show at its
// full size.
class FileCamera : public Camera {
    Q_OBJECT
public:
    explicit FileCamera(const QString &folder, QObject *parent = nullptr);
    ~FileCamera() override;

    static constexpr int maxFrameSide = 1920;

    QString folder() const { return m_folder; }
    // The picture files of the folder in play order, as of the last start().
    QStringList pictures() const { return m_files; }

    void setFrameInterval(int milliseconds);
    int frameInterval() const { return m_timer.interval(); }
    void setFramesPerPicture(int frames);
    int framesPerPicture() const { return m_framesPerPicture; }

    void start() override;
    void stop() override;
    bool isActive() const override { return m_active; }
    bool isTorchSupported() const override { return false; }
    void setTorchEnabled(bool) override {}
    bool isTorchEnabled() const override { return false; }
    void captureStill() override;

    // `image` as an NV12 frame (BT.601, video range), scaled down to fit `maxSide` and cropped
    // to even dimensions. Null for a null image.
    static QVideoFrame frameFromImage(const QImage &image, int maxSide = maxFrameSide);

    // One picture, read and converted.
    struct Picture {
        int index = -1;
        QImage image;
        QVideoFrame frame;
        QString error;
    };

private:
    void load(int index);
    void loaded(const Picture &picture);
    void tick();
    void deliverStill();

    QString m_folder;
    QStringList m_files;
    QTimer m_timer;
    int m_framesPerPicture = 10;
    bool m_active = false;
    int m_generation = 0; // a load started before the last start() or stop() is dropped
    std::optional<Picture> m_current;
    std::optional<Picture> m_next;
    int m_shown = 0;
    int m_failedInRow = 0;
    bool m_stillWanted = false;
};
