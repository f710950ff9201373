import QtQuick
import QtQuick.Controls
import "../platform"

// A log of the day: the person's photo with the entry type on its colour over the top, the
// person and purpose, the in and out times, and a marker when documents went with it.
Rectangle {
    id: tile
    property var cell: null
    signal tapped()
    color: "#262626"
    border.width: 1
    border.color: "#505050"
    clip: true

    RemoteImage {
        id: theimage
        anchors.fill: parent
        source: tile.cell ? tile.cell.imageSource : ""
    }
    Rectangle {
        // Keeps the texts readable over any photo.
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: texts.height + 8
        color: "#b0000000"
    }
    Label {
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 16
        leftPadding: 4
        rightPadding: 4
        text: tile.cell ? tile.cell.titlelbl : ""
        elide: Text.ElideRight
        color: "black"
        font.pointSize: 9
        verticalAlignment: Text.AlignVCenter
        background: Rectangle { color: tile.cell ? tile.cell.titleColor : "transparent" }
    }
    Rectangle {
        objectName: "badgeView"
        anchors { right: parent.right; top: parent.top; topMargin: 20; rightMargin: 4 }
        width: 10
        height: 10
        radius: 5
        color: tile.cell ? tile.cell.badgeColor : "transparent"
    }
    Column {
        id: texts
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom; margins: 4 }
        Label {
            width: parent.width
            text: tile.cell ? tile.cell.subtitlelbl : ""
            elide: Text.ElideRight
            color: "white"
            font.pointSize: 10
        }
        Label {
            width: parent.width
            text: tile.cell ? tile.cell.subtitle2lbl : ""
            elide: Text.ElideRight
            color: "#c2c2c2"
            font.pointSize: 8
        }
        Label {
            width: parent.width
            text: tile.cell ? tile.cell.footerlbl1 : ""
            elide: Text.ElideRight
            color: "#9e9e9e"
            font.pointSize: 8
        }
        Label {
            width: parent.width
            text: tile.cell ? tile.cell.footerlbl2 : ""
            elide: Text.ElideRight
            color: "#9e9e9e"
            font.pointSize: 8
        }
    }
    MouseArea {
        anchors.fill: parent
        onClicked: tile.tapped()
    }
}
