// The baseline of the start and memory benchmarks: a bare Qt Quick program showing the texts
// of the log list's rows (a JSON array of objects written by the benchmark) in a plain
// ListView of the client's window and row size, with a watcher (see listwatcher.h).
//   bench_list_bare --texts FILE --rows N [--scroll]

#include "listwatcher.h"

#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

namespace {

const char *const listQml = R"(
import QtQuick
Window {
    required property var rows
    width: 420; height: 800; visible: true; color: "#303030"
    ListView {
        objectName: "table"
        anchors.fill: parent
        model: rows
        delegate: Item {
            required property var modelData
            width: ListView.view.width; height: 74
            Rectangle { x: 5; y: 5; width: 64; height: 64; color: "#8a8a8a" }
            Column {
                x: 84; y: 6; spacing: 3
                Text { text: modelData.name; color: "white"; font.pixelSize: 15 }
                Text { text: modelData.mobile; color: "#c0c0c0"; font.pixelSize: 12 }
                Text { text: modelData.meetTo; color: "#c0c0c0"; font.pixelSize: 12 }
            }
            Column {
                x: 260; y: 6; spacing: 3
                Text { text: modelData.id; color: "white"; font.pixelSize: 13 }
                Text { text: modelData.inTime; color: "#c0c0c0"; font.pixelSize: 12 }
                Text { text: modelData.logedBy; color: "#c0c0c0"; font.pixelSize: 12 }
            }
            Text { x: 380; y: 6; text: modelData.purpose; color: "orange"; font.pixelSize: 11 }
        }
    }
}
)";

} // namespace

int main(int argc, char *argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    const qsizetype at = arguments.indexOf(QStringLiteral("--texts"));
    QFile texts(at >= 0 && at + 1 < arguments.size() ? arguments.at(at + 1) : QString());
    if (!texts.open(QIODevice::ReadOnly))
        return 1;
    const QVariantList rows = QJsonDocument::fromJson(texts.readAll()).toVariant().toList();

    QQmlApplicationEngine engine;
    engine.setInitialProperties({{QStringLiteral("rows"), rows}});
    engine.loadData(listQml);
    auto *window = engine.rootObjects().isEmpty()
                       ? nullptr
                       : qobject_cast<QQuickWindow *>(engine.rootObjects().first());
    if (!window)
        return 1;
    ListWatcher::Watcher watcher(window, ListWatcher::options(arguments));
    return app.exec();
}
