#pragma once

#include "alertcontroller.h"
#include "userdefaults.h"
#include "window.h"

#include <QObject>
#include <QPointer>
#include <QUrl>

// The application object: builds the window with the log list and checks the published
// version each time the client becomes active.
class AppDelegate : public QObject {
    Q_OBJECT
public:
    explicit AppDelegate(QObject *parent = nullptr);

    bool applicationDidFinishLaunching();
    void applicationDidBecomeActive();
    void applicationWillResignActive();
    bool applicationOpenURL(const QUrl &url);

    // Follows Qt's application state (active, inactive) from now on.
    void followApplicationState();

    // Compares the installed version with the published one (reply rows of the version
    // request) and forces or offers the update.
    void checkVersion(const QVariant &reply, const QString &installedVersion);

    Window *window = nullptr;
    UserDefaults &userDefaults;
    QPointer<AlertController> alertVC;

private:
    void openUpdate(const QString &link);
};
