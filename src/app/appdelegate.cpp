#include "appdelegate.h"

#include "common.h"
#include "commonclass.h"
#include "dbconnection.h"
#include "fetchdata.h"
#include "mainqueue.h"
#include "navigationcontroller.h"
#include "rows.h"
#include "securitylogtvc.h"
#include "systemservices.h"

#include <QGuiApplication>

namespace {
// The whole text must be a decimal number: no spaces, no trailing words.
std::optional<double> decimal(const QString &text) {
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || text != text.trimmed())
        return std::nullopt;
    return value;
}
} // namespace

AppDelegate::AppDelegate(QObject *parent)
    : QObject(parent), userDefaults(UserDefaults::standard()) {}

bool AppDelegate::applicationDidFinishLaunching() {
    common::sharedInstance().hasSavedSession();
    // The server set of the last login ("localm" before any).
    bool known = false;
    const int serverSet = userDefaults.value(QStringLiteral("serverSet")).toInt(&known);
    changeDBConnection(known ? serverSet : 1);
    NavigationController::setAppearanceHook(
        [](NavigationController *nav) { CommonClass::shared().styleNavigation(nav); });
    window = new Window(this);
    auto *nav = new NavigationController(new securityLogTVC());
    CommonClass::shared().styleNavigation(nav);
    window->setRootViewController(nav);
    window->makeKeyAndVisible();
    return true;
}

void AppDelegate::followApplicationState() {
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (!app)
        return;
    connect(app, &QGuiApplication::applicationStateChanged, this,
            [this](Qt::ApplicationState state) {
                if (state == Qt::ApplicationActive)
                    applicationDidBecomeActive();
                else if (state == Qt::ApplicationInactive)
                    applicationWillResignActive();
            });
    if (app->applicationState() == Qt::ApplicationActive)
        applicationDidBecomeActive();
}

void AppDelegate::applicationDidBecomeActive() {
    const QString installed = SystemServices::shared().bundleShortVersion();
    const QVariantMap parameters{
        {QStringLiteral("SPName"), QStringLiteral("USP_tblMAppleAppRights")},
        {QStringLiteral("withStrings"), true},
        {QStringLiteral("JSONData"),
         QVariantMap{{QStringLiteral("AppName"), QStringLiteral("SECURITY IOS 11")},
                     {QStringLiteral("ReqType"), QStringLiteral("VER")}}},
    };
    fetchDATA::nodefetchD(
        parameters, [this, installed](const QVariant &reply) { checkVersion(reply, installed); },
        this);
}

void AppDelegate::checkVersion(const QVariant &reply, const QString &installedVersion) {
    const Rows rows = RowsReader::textRows(reply);
    if (rows.isEmpty())
        return;
    const auto installed = decimal(installedVersion);
    if (!installed)
        return;
    const Row &first = rows.first();
    if (!first.contains(QStringLiteral("HttpLinkURL")) ||
        !first.contains(QStringLiteral("AppleAppVersion")))
        return;
    const QString link = RowsReader::text(first, QStringLiteral("HttpLinkURL"));
    const auto published = decimal(RowsReader::text(first, QStringLiteral("AppleAppVersion")));
    if (!published)
        return;
    const double difference = common::sharedInstance().roundValue(2, *published - *installed);
    if (difference >= 0.02) {
        openUpdate(link);
        return;
    }
    if (*published == *installed)
        return;
    MainQueue::async(this, [this, link] {
        if (!alertVC) {
            alertVC = common::sharedInstance().makeConfirmAlert(
                [this, link] { openUpdate(link); }, QStringLiteral("New Version"),
                QStringLiteral("A Newer Verison of this app is Available to Download\nPress OK to "
                               "Download"),
                QStringLiteral("Ok"), QStringLiteral("Cancel"));
            alertVC->setKeptAfterDismissal(true);
            alertVC->setParent(this);
        }
        if (alertVC->presentingViewController())
            return; // already on screen
        if (ViewController *top = common::sharedInstance().topViewController())
            top->present(alertVC, true);
    });
}

// The app only quits for an update it could actually hand to the system.
void AppDelegate::openUpdate(const QString &link) {
    QString address = link;
    address.replace(QStringLiteral("andurl"), QStringLiteral("&url"));
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return;
    SystemServices::shared().openURL(url);
    SystemServices::shared().terminate(0);
}

void AppDelegate::applicationWillResignActive() {
    if (alertVC && alertVC->presentingViewController())
        alertVC->dismiss(false);
}

bool AppDelegate::applicationOpenURL(const QUrl &) {
    return true;
}
