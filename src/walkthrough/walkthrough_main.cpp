#include "clientwindow.h"
#include "dbconnection.h"
#include "standincheckjob.h"
#include "userdefaults.h"
#include "walkthrough.h"

#include <cstdio>
#include <memory>
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QStandardPaths>

namespace {
void complain(const QString &line) {
    std::fprintf(stderr, "walkthrough: %s\n", qPrintable(line));
    std::fflush(stderr);
}
} // namespace

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    // The client's names, so the server sets are found where the client finds them.
    QGuiApplication::setOrganizationName(QStringLiteral("SecLog"));
    QGuiApplication::setApplicationName(QStringLiteral("seclog"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Walks the SecLog client offscreen through a guard's day against the stand-in server "
        "(seclog-server): log in, open logs, search, mark OUT, the report search and the printed "
        "report. Saves a screenshot per step in <folder>; exits 0 when all worked. The server "
        "sets come from SECLOG_SERVERS as for the client; it refuses to run unless every server "
        "address answers as the stand-in server."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Where the screenshots are saved."));
    parser.process(app);
    if (parser.positionalArguments().size() != 1) {
        complain(QStringLiteral("give the screenshot folder as the one argument"));
        return 2;
    }
    const QString folder = parser.positionalArguments().first();

    // Its own preferences, next to the client's but apart: the tour starts by logging out,
    // which would otherwise wipe the session of the guard using the client here.
    UserDefaults::setStorageFile(
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
        QStringLiteral("/SecLog/seclog-walkthrough.ini"));

    // Nothing else is sent, and no window opens (the client's version check goes out as soon
    // as it is active), until every server has said it is the stand-in.
    std::unique_ptr<ClientWindow> window;
    auto *check = new StandInCheckJob(StandInCheckJob::identityAddresses(ServerSets::load()), &app);
    QObject::connect(check, &StandInCheckJob::finished, &app,
                     [&window, folder](bool standIn, const QString &message) {
                         if (!standIn) {
                             complain(QStringLiteral("refused: ") + message);
                             complain(QStringLiteral(
                                 "it logs the guard out and marks a log OUT, so it only runs "
                                 "against the stand-in server, seclog-server"));
                             QCoreApplication::exit(2);
                             return;
                         }
                         std::printf("walkthrough: %s\n", qPrintable(message));
                         std::fflush(stdout);
                         window = std::make_unique<ClientWindow>();
                         if (!window->open()) {
                             complain(QStringLiteral("the views could not be loaded"));
                             QCoreApplication::exit(1);
                             return;
                         }
                         QQuickWindow *shown = window->quickWindow();
                         auto *run = new Walkthrough(
                             folder, [shown] { return shown ? shown->grabWindow() : QImage(); },
                             QCoreApplication::instance());
                         QObject::connect(run, &Walkthrough::finished, QCoreApplication::instance(),
                                          [](int status) { QCoreApplication::exit(status); });
                         run->start();
                     });
    // Started from the event loop, so that even an answer given at once can end the program.
    QMetaObject::invokeMethod(check, &StandInCheckJob::start, Qt::QueuedConnection);
    return app.exec();
}
