#include "appdelegate.h"
#include "imageloading.h"
#include "walkthrough.h"

#include <QCommandLineParser>
#include <QGuiApplication>
#include <QQmlApplicationEngine>
#include <QQuickStyle>
#include <QQuickWindow>

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("SecLog"));
    QGuiApplication::setApplicationName(QStringLiteral("seclog"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("SecLog: the gate security log client"));
    parser.addHelpOption();
    const QCommandLineOption walkthrough(
        QStringLiteral("walkthrough"),
        QStringLiteral("Drive the client through log in, open logs, search, mark OUT and the "
                       "report; save a screenshot per step in <folder>; exit 0 when all worked."),
        QStringLiteral("folder"));
    parser.addOption(walkthrough);
    parser.process(app);

    QQuickStyle::setStyle(QStringLiteral("Basic"));
    AppDelegate delegate;
    delegate.applicationDidFinishLaunching();

    // The factory outlives the engine that uses it.
    CachingNetworkAccessManagerFactory networkFactory;
    QQmlApplicationEngine engine;
    engine.setNetworkAccessManagerFactory(&networkFactory);
    engine.setInitialProperties(
        {{QStringLiteral("appWindow"), QVariant::fromValue(delegate.window)}});
    engine.load(QUrl(QStringLiteral("qrc:/SecLog/Main.qml")));
    if (engine.rootObjects().isEmpty())
        return 1;
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().first());

    delegate.followApplicationState();

    if (parser.isSet(walkthrough)) {
        auto *run = new Walkthrough(
            parser.value(walkthrough),
            [window] { return window ? window->grabWindow() : QImage(); }, &app);
        QObject::connect(run, &Walkthrough::finished, &app,
                         [](int status) { QCoreApplication::exit(status); });
        run->start();
    }
    return app.exec();
}
