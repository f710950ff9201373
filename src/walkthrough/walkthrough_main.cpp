#include "clientwindow.h"
#include "dbconnection.h"
#include "qmlwarning.h"
#include "standincheckjob.h"
#include "userdefaults.h"
#include "walkthrough.h"

#include <cstdio>
#include <memory>
#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStandardPaths>

namespace {
void complain(const QString &line) {
    std::fprintf(stderr, "walkthrough: %s\n", qPrintable(line));
    std::fflush(stderr);
}
// A head-and-shoulders outline against a wall, the picture the camera shows.
QImage silhouette() {
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(QColor(196, 206, 214));
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(58, 66, 78));
    painter.drawEllipse(QPointF(320, 190), 85, 100);
    painter.drawRoundedRect(QRectF(170, 300, 300, 220), 120, 120);
    return picture;
}

// The walkthrough has no camera in front of anyone: unless the caller named a folder of
// pictures, the camera plays one silhouette from a folder made next to the screenshot folder
// (<folder>/../walkthrough-camera), so the screenshots stay the only files in <folder>.
bool useFileCamera(const QString &screenshotFolder) {
    if (!qEnvironmentVariableIsEmpty("SECLOG_CAMERA_FOLDER"))
        return true;
    const QString cameraFolder =
        QFileInfo(screenshotFolder).absoluteDir().filePath(QStringLiteral("walkthrough-camera"));
    if (!QDir().mkpath(cameraFolder) ||
        !silhouette().save(cameraFolder + QStringLiteral("/silhouette.png")))
        return false;
    qputenv("SECLOG_CAMERA_FOLDER", QFile::encodeName(cameraFolder));
    return true;
}

// Warnings of the QML engine (a binding to a missing property, a type error) are counted: the
// tour draws every screen, so a view that does not bind to its controller fails it.
QtMessageHandler previousHandler = nullptr;
int qmlWarnings = 0;
void countQmlWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message) {
    if (isQmlWarning(type, context, message))
        ++qmlWarnings;
    previousHandler(type, context, message);
}
void endTour(int status) {
    if (status == 0 && qmlWarnings > 0) {
        complain(QStringLiteral("the views printed %1 QML warnings").arg(qmlWarnings));
        status = 1;
    }
    QCoreApplication::exit(status);
}
} // namespace

int main(int argc, char *argv[]) {
    previousHandler = qInstallMessageHandler(countQmlWarnings);
    QGuiApplication app(argc, argv);
    // The client's names, so the server sets are found where the client finds them.
    QGuiApplication::setOrganizationName(QStringLiteral("SecLog"));
    QGuiApplication::setApplicationName(QStringLiteral("seclog"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Walks the SecLog client offscreen through a guard's day against the stand-in server "
        "(seclog-server): log in, open logs, search, mark OUT, the report search and the printed "
        "report, a new person and log saved and printed, a log with documents and a view-only "
        "log. The camera plays the pictures of SECLOG_CAMERA_FOLDER, or a silhouette written to "
        "<folder>/../walkthrough-camera. Saves a screenshot per step in <folder>; exits 0 when all "
        "worked. The server "
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
    if (!useFileCamera(folder)) {
        complain(QStringLiteral("cannot write the camera's picture next to ") + folder);
        return 1;
    }

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
                                          endTour);
                         run->start();
                     });
    // Started from the event loop, so that even an answer given at once can end the program.
    QMetaObject::invokeMethod(check, &StandInCheckJob::start, Qt::QueuedConnection);
    return app.exec();
}
