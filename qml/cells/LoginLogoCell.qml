import QtQuick

// The logo row of the login.
Item {
    id: view
    property var cell: null
    Rectangle {
        anchors.centerIn: parent
        width: view.cell ? view.cell.imageWidth : 60
        height: view.cell ? view.cell.imageHeight : 70
        radius: 8
        color: "#549fb9"
        Text {
            anchors.centerIn: parent
            text: "SL"
            color: "white"
            font.pixelSize: 28
            font.bold: true
        }
    }
}
