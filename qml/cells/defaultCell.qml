import QtQuick
import QtQuick.Controls

// A plain row: text and detail.
Rectangle {
    id: view
    property var cell: null
    color: cell && cell.backgroundColor.a > 0 ? cell.backgroundColor : "#303030"
    Column {
        x: 15
        anchors.verticalCenter: parent.verticalCenter
        Label { text: view.cell ? view.cell.title : ""; color: "white" }
        Label { text: view.cell ? view.cell.detail : ""; color: "#9e9e9e" }
    }
}
