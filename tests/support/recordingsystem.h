#pragma once

#include "systemservices.h"

#include <QList>
#include <QUrl>

// System services that only record: which URLs were opened and whether the client quit.
class RecordingSystemServices : public SystemServices {
public:
    bool openURL(const QUrl &url) override {
        opened.append(url);
        return true;
    }
    void terminate(int status) override { exitStatus = status; }
    QString bundleShortVersion() const override { return version; }
    QString deviceName() const override { return device; }

    QList<QUrl> opened;
    int exitStatus = -1; // -1: still running
    QString version = QStringLiteral("1.0");
    QString device = QStringLiteral("Gate-1 Handheld");
};

// Installs a RecordingSystemServices for the life of a test.
class RecordingSystemScope {
public:
    RecordingSystemScope() : services(new RecordingSystemServices) {
        SystemServices::install(services);
    }
    ~RecordingSystemScope() { SystemServices::install(nullptr); }
    RecordingSystemServices *operator->() const { return services; }
    RecordingSystemServices *services;
};
