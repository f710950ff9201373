import QtQuick
import QtQuick.Controls

// A plain row: text and detail. It draws a form cell (title, detail) and a row given as a map
// (text, detail, textColor, background).
Rectangle {
    id: view
    property var cell: null
    color: view.cell && view.cell.background ? view.cell.background
         : view.cell && view.cell.backgroundColor && view.cell.backgroundColor.a > 0
           ? view.cell.backgroundColor : "#303030"
    Column {
        x: 15
        anchors.verticalCenter: parent.verticalCenter
        Label {
            text: view.cell ? (view.cell.title || view.cell.text || "") : ""
            color: view.cell && view.cell.textColor ? view.cell.textColor : "white"
        }
        Label { text: view.cell && view.cell.detail ? view.cell.detail : ""; color: "#9e9e9e" }
    }
}
