#pragma once

#include <memory>
#include <QString>
#include <QUrl>

// What the phone's operating system gives an app: who it is, which device it runs on,
// opening another app's URL and quitting. Tests install a recorder instead.
class SystemServices {
public:
    virtual ~SystemServices() = default;
    virtual bool openURL(const QUrl &url) = 0;
    virtual void terminate(int status) = 0;
    virtual QString bundleShortVersion() const;
    // The user-visible name of the handheld: SECLOG_DEVICE_NAME, else the host name.
    virtual QString deviceName() const;

    static SystemServices &shared();
    // Takes ownership; null restores the real services.
    static void install(SystemServices *services);
};

class DesktopSystemServices : public SystemServices {
public:
    bool openURL(const QUrl &url) override;
    void terminate(int status) override;
};
