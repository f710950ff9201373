import QtQuick
import QtQuick.Controls

// A title over a value (an add row shows only its value, on the right).
Rectangle {
    id: view
    property var cell: null
    color: cell && cell.backgroundColor.a > 0 ? cell.backgroundColor : "#303030"
    Column {
        x: 15
        width: view.width - 30
        anchors.verticalCenter: parent.verticalCenter
        Label {
            width: parent.width
            visible: text !== ""
            text: view.cell ? view.cell.title : ""
            color: view.cell ? view.cell.titleColor : "white"
            font: view.cell ? view.cell.titleFont : Qt.application.font
            elide: Text.ElideRight
        }
        Label {
            width: parent.width
            text: view.cell ? view.cell.text : ""
            color: view.cell ? view.cell.textColor : "white"
            font: view.cell ? view.cell.textFont : Qt.application.font
            horizontalAlignment: view.cell && view.cell.valueRightAligned ? Text.AlignRight : Text.AlignLeft
            elide: Text.ElideRight
        }
    }
}
