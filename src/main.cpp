#include "clientwindow.h"

#include <QCommandLineParser>
#include <QGuiApplication>

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("SecLog"));
    QGuiApplication::setApplicationName(QStringLiteral("seclog"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("SecLog: the gate security log client"));
    parser.addHelpOption();
    parser.process(app);

    ClientWindow window;
    if (!window.open())
        return 1;
    return app.exec();
}
