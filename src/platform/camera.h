#pragma once

#include <functional>
#include <memory>
#include <QImage>
#include <QObject>
#include <QString>
#include <QVideoFrame>

// A source of camera frames: the device's camera, or pictures played from a folder. The photo
// picker and the QR scanner read frames through this, never from QtMultimedia directly.
// Every signal is emitted on the thread the camera lives in (the main thread).
class Camera : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual void start() = 0;
    virtual void stop() = 0;
    virtual bool isActive() const = 0;

    // The torch (the flash kept on for scanning in the dark), where the camera has one.
    virtual bool isTorchSupported() const = 0;
    virtual void setTorchEnabled(bool on) = 0;
    virtual bool isTorchEnabled() const = 0;

    // Takes one still picture at the camera's full resolution, with the flash on automatic
    // where there is one: stillCaptured or errorOccurred follows. Only while active.
    virtual void captureStill() = 0;

    // The camera this device uses: the pictures of the folder named by SECLOG_CAMERA_FOLDER
    // when that is set, otherwise the default camera; null when there is no camera at all.
    static std::unique_ptr<Camera> create();
    // Tests install their own factory; an empty one restores the real choice.
    using Factory = std::function<std::unique_ptr<Camera>()>;
    static void setFactory(Factory factory);

Q_SIGNALS:
    void frameAvailable(const QVideoFrame &frame);
    void activeChanged(bool active);
    void stillCaptured(const QImage &image);
    void errorOccurred(const QString &message);
};
