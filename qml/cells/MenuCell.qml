import QtQuick
import QtQuick.Controls

// One menu entry, with a disclosure indicator.
Item {
    id: view
    property var cell: null
    Label {
        x: 15
        anchors.verticalCenter: parent.verticalCenter
        text: view.cell ? view.cell.text : ""
        color: view.cell ? view.cell.textColor : "white"
        font: view.cell ? view.cell.font : Qt.application.font
    }
    Label {
        anchors { right: parent.right; rightMargin: 15; verticalCenter: parent.verticalCenter }
        text: "›"
        color: "#9e9e9e"
        font.pixelSize: 20
    }
}
