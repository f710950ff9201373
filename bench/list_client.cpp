// The client as a guard starts it, with a watcher for the start and memory benchmarks (see
// listwatcher.h): the same application names, window, views and saved session as seclog.
//   bench_list_client --rows N [--scroll]

#include "clientwindow.h"
#include "listwatcher.h"

#include <QGuiApplication>

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    QGuiApplication::setOrganizationName(QStringLiteral("SecLog"));
    QGuiApplication::setApplicationName(QStringLiteral("seclog"));
    const ListWatcher::Options options = ListWatcher::options(QGuiApplication::arguments());

    ClientWindow window;
    if (!window.open())
        return 1;
    ListWatcher::Watcher watcher(window.quickWindow(), options);
    return app.exec();
}
