#pragma once

#include "camera.h"

#include <QCamera>
#include <QCameraDevice>
#include <QImageCapture>
#include <QMediaCaptureSession>
#include <QVideoSink>

// The device's own camera through QtMultimedia: frames from a video sink, stills from an image
// capture with the flash on automatic where the camera has one.
class QtCamera : public Camera {
    Q_OBJECT
public:
    explicit QtCamera(const QCameraDevice &device, QObject *parent = nullptr);
    ~QtCamera() override;

    void start() override;
    void stop() override;
    bool isActive() const override { return m_camera.isActive(); }
    bool isTorchSupported() const override;
    void setTorchEnabled(bool on) override;
    bool isTorchEnabled() const override;
    void captureStill() override;

private:
    QCamera m_camera;
    QImageCapture m_imageCapture;
    QVideoSink m_sink;
    QMediaCaptureSession m_session;
    bool m_stillWanted = false;
};
