import QtQuick
import QtQuick.Controls

// A title over a value.
Rectangle {
    id: view
    property var cell: null
    color: cell && cell.backgroundColor.a > 0 ? cell.backgroundColor : "#303030"
    Column {
        x: 15
        anchors.verticalCenter: parent.verticalCenter
        Label {
            text: view.cell ? view.cell.title : ""
            color: view.cell ? view.cell.titleColor : "white"
            font: view.cell ? view.cell.titleFont : Qt.application.font
        }
        Label {
            text: view.cell ? view.cell.text : ""
            color: view.cell ? view.cell.textColor : "white"
            font: view.cell ? view.cell.textFont : Qt.application.font
        }
    }
}
