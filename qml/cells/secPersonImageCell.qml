import QtQuick
import "../platform"

// The person's photo in a square frame; a tap on the photo asks where a new one comes from.
Rectangle {
    id: view
    property var cell: null
    color: cell && cell.backgroundColor.a > 0 ? cell.backgroundColor : "#303030"

    Rectangle {
        id: frame
        objectName: "theimage"
        readonly property real margin: view.cell ? view.cell.offSetX : 10
        anchors.centerIn: parent
        height: view.height - 2 * margin
        width: height
        color: view.cell && view.cell.imageBackgroundColor.a > 0 ? view.cell.imageBackgroundColor : "transparent"
        clip: true
        RemoteImage {
            anchors.fill: parent
            source: view.cell ? view.cell.imageUrl : ""
        }
        MouseArea {
            anchors.fill: parent
            onClicked: if (view.cell) view.cell.theimageTAP()
        }
    }
}
