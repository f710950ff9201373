#include "qtcamera.h"

QtCamera::QtCamera(const QCameraDevice &device, QObject *parent)
    : Camera(parent), m_camera(device) {
    m_session.setCamera(&m_camera);
    m_session.setImageCapture(&m_imageCapture);
    m_session.setVideoSink(&m_sink);
    connect(&m_sink, &QVideoSink::videoFrameChanged, this, &Camera::frameAvailable);
    connect(&m_camera, &QCamera::activeChanged, this, [this](bool active) {
        if (!active && m_stillWanted) {
            m_stillWanted = false;
            Q_EMIT errorOccurred(tr("The camera stopped before the picture was taken."));
        }
        Q_EMIT activeChanged(active);
    });
    connect(&m_camera, &QCamera::errorOccurred, this,
            [this](QCamera::Error, const QString &message) { Q_EMIT errorOccurred(message); });
    connect(&m_imageCapture, &QImageCapture::imageCaptured, this, [this](int, const QImage &image) {
        m_stillWanted = false;
        Q_EMIT stillCaptured(image);
    });
    connect(&m_imageCapture, &QImageCapture::errorOccurred, this,
            [this](int, QImageCapture::Error, const QString &message) {
                m_stillWanted = false;
                Q_EMIT errorOccurred(message);
            });
}

QtCamera::~QtCamera() {
    m_camera.stop();
}

void QtCamera::start() {
    if (m_camera.isFlashModeSupported(QCamera::FlashAuto))
        m_camera.setFlashMode(QCamera::FlashAuto);
    m_camera.start();
}

void QtCamera::stop() {
    m_camera.stop();
}

bool QtCamera::isTorchSupported() const {
    return m_camera.isTorchModeSupported(QCamera::TorchOn);
}

void QtCamera::setTorchEnabled(bool on) {
    if (isTorchSupported())
        m_camera.setTorchMode(on ? QCamera::TorchOn : QCamera::TorchOff);
}

bool QtCamera::isTorchEnabled() const {
    return m_camera.torchMode() == QCamera::TorchOn;
}

void QtCamera::captureStill() {
    if (!m_camera.isActive() || !m_imageCapture.isReadyForCapture()) {
        Q_EMIT errorOccurred(tr("The camera is not ready to take a picture."));
        return;
    }
    m_stillWanted = true;
    m_imageCapture.capture();
}
