#include "systemservices.h"

#include <cstdlib>
#include <QDesktopServices>
#include <QSysInfo>

#ifndef SECLOG_VERSION
#define SECLOG_VERSION "0.0"
#endif

namespace {
std::unique_ptr<SystemServices> &current() {
    static std::unique_ptr<SystemServices> services;
    return services;
}
} // namespace

QString SystemServices::bundleShortVersion() const {
    return QStringLiteral(SECLOG_VERSION);
}

QString SystemServices::deviceName() const {
    const QString configured = qEnvironmentVariable("SECLOG_DEVICE_NAME");
    return configured.isEmpty() ? QSysInfo::machineHostName() : configured;
}

SystemServices &SystemServices::shared() {
    if (!current())
        current() = std::make_unique<DesktopSystemServices>();
    return *current();
}

void SystemServices::install(SystemServices *services) {
    current().reset(services);
}

bool DesktopSystemServices::openURL(const QUrl &url) {
    return QDesktopServices::openUrl(url);
}

void DesktopSystemServices::terminate(int status) {
    std::exit(status);
}
