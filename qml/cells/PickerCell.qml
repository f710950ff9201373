import QtQuick
import QtQuick.Controls

// One row of a picker: its text, the detail under it, and a tick when chosen.
Rectangle {
    id: view
    property var cell: null
    color: view.cell && view.cell.background ? view.cell.background : "#303030"
    Column {
        x: 15
        anchors.verticalCenter: parent.verticalCenter
        Label {
            text: view.cell ? view.cell.text : ""
            color: view.cell && view.cell.textColor ? view.cell.textColor : "white"
            font.pixelSize: 15
        }
        Label {
            text: view.cell && view.cell.detail ? view.cell.detail : ""
            visible: text !== ""
            color: "#9e9e9e"
            font.pixelSize: 12
        }
    }
    Label {
        anchors { right: parent.right; rightMargin: 15; verticalCenter: parent.verticalCenter }
        visible: view.cell ? view.cell.checked === true : false
        text: "✓"
        color: "#549fb9"
        font.pixelSize: 18
    }
}
