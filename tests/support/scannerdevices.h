#pragma once

#include "camera.h"
#include "filecamera.h"
#include "recordingsounds.h"

#include <memory>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

// What a scanner needs in a test: a camera that plays the pictures of a folder (a blank one to
// begin with) and a recorder of the sounds asked for. Both are put back when it goes.
struct ScannerDevices {
    ScannerDevices() {
        SystemSounds::install(std::make_unique<RecordingSounds>(&played));
        QImage blank(64, 48, QImage::Format_RGB32);
        blank.fill(Qt::gray);
        blank.save(pictures.filePath("blank.png"));
        Camera::setFactory([this] { return std::make_unique<FileCamera>(pictures.path()); });
    }
    ~ScannerDevices() {
        Camera::setFactory({});
        SystemSounds::install(nullptr);
    }
    ScannerDevices(const ScannerDevices &) = delete;
    ScannerDevices &operator=(const ScannerDevices &) = delete;

    QStringList played;
    QTemporaryDir pictures;
};
