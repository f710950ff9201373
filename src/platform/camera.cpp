#include "camera.h"

#include "filecamera.h"
#include "qtcamera.h"

#include <QMediaDevices>

namespace {
Camera::Factory &factory() {
    static Camera::Factory f;
    return f;
}
} // namespace

std::unique_ptr<Camera> Camera::create() {
    if (factory())
        return factory()();
    const QString folder = qEnvironmentVariable("SECLOG_CAMERA_FOLDER");
    if (!folder.isEmpty())
        return std::make_unique<FileCamera>(folder);
    if (QMediaDevices::videoInputs().isEmpty())
        return nullptr;
    return std::make_unique<QtCamera>(QMediaDevices::defaultVideoInput());
}

void Camera::setFactory(Factory f) {
    factory() = std::move(f);
}
