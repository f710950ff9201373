pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import "../platform"

// One DC of the list: its code and where it goes on the left with the item count badge, the
// three pictures with who issued, carried and received it on the right, a checkmark when ticked.
Rectangle {
    id: view
    property var cell: null
    readonly property real offSetX: 15
    readonly property real offSetY: 6
    readonly property real pictureSide: 40
    readonly property real blockWidth: 56
    readonly property real picturesX: width - 3 * blockWidth - 28
    color: cell ? cell.background : "#303030"

    Column {
        x: view.offSetX
        y: view.offSetY
        width: view.picturesX - view.offSetX - 38
        spacing: 2
        Label {
            objectName: "titlelbl"
            width: parent.width
            elide: Text.ElideRight
            text: view.cell ? view.cell.titlelbl : ""
            color: "white"
            font.pointSize: 12
        }
        Repeater {
            model: ["subtitlelbl1", "subtitlelbl2", "subtitlelbl3"]
            Label {
                required property string modelData
                objectName: modelData
                width: parent.width
                elide: Text.ElideRight
                text: view.cell ? view.cell[modelData] : ""
                color: view.cell ? view.cell.textColor : "#c2c2c2"
                font.pointSize: 10
            }
        }
    }
    Rectangle {
        objectName: "countlbl"
        x: view.picturesX - 34
        y: (view.height - height) / 2
        width: 28
        height: 28
        radius: 14
        border.color: "white"
        border.width: 1
        color: view.cell ? view.cell.countColor : "#4f4f4f"
        Label {
            anchors.centerIn: parent
            text: view.cell ? view.cell.countlbl : ""
            color: view.cell ? view.cell.countTextColor : "white"
            font.pointSize: 12
        }
    }
    Repeater {
        model: 3
        Column {
            id: block
            required property int index
            x: view.picturesX + index * view.blockWidth
            y: 4
            width: view.blockWidth - 4
            spacing: 2
            Label {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                text: view.cell ? view.cell.captions[block.index] : ""
                color: "white"
                font.pointSize: 8
                background: Rectangle { color: view.cell ? view.cell.captionColor : "#363636" }
            }
            Rectangle {
                anchors.horizontalCenter: parent.horizontalCenter
                width: view.pictureSide
                height: view.pictureSide
                radius: 6
                color: "white"
                clip: true
                RemoteImage {
                    anchors.fill: parent
                    visible: view.cell ? view.cell.pictures[block.index].toString() !== "" : false
                    source: view.cell ? view.cell.pictures[block.index] : ""
                }
            }
            Label {
                width: parent.width
                horizontalAlignment: Text.AlignHCenter
                elide: Text.ElideRight
                text: view.cell ? view.cell.names[block.index] : ""
                color: view.cell ? view.cell.textColor : "#c2c2c2"
                font.pointSize: 8
            }
        }
    }
    Label {
        anchors { right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
        visible: view.cell ? view.cell.checkmark : false
        text: "✓"
        color: "#549fb9"
        font.pointSize: 18
    }
}
