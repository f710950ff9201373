pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import "../platform"

// One item line: picture with an optional badge, name, unit and, when the row has them, the
// quantity field between minus and plus. A checkmark marks a chosen item.
Rectangle {
    id: view
    property var cell: null
    readonly property real offSetX: 15
    readonly property real offSetY: 6
    readonly property real gapY: 3
    readonly property real side: Math.max(0, height - 10)
    readonly property bool controls: cell ? cell.hasQuantityControls : false
    readonly property real share: (width - side) / 3
    color: "#303030"
    // A disabled line takes no typing; one that cannot be chosen is also faded.
    enabled: cell ? cell.interactionEnabled : true
    opacity: cell ? cell.alpha : 1

    Rectangle {
        id: picture
        x: view.offSetX
        y: (view.height - height) / 2
        width: view.side
        height: view.side
        color: "#f2ffffff"
        clip: true
        RemoteImage {
            anchors.fill: parent
            source: view.cell ? view.cell.imageSource : ""
        }
        Rectangle {
            objectName: "labelImage"
            anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
            height: 20
            visible: view.cell ? view.cell.badge !== "" : false
            color: "#b0000000"
            Label {
                anchors.centerIn: parent
                text: view.cell ? view.cell.badge : ""
                color: "white"
                font.bold: true
            }
        }
    }
    Label {
        id: titlelbl
        objectName: "titlelbl"
        x: picture.x + picture.width + 2 * view.gapY
        y: view.offSetY
        width: 0.65 * (view.width - 2 * view.offSetX)
        height: 49.4
        wrapMode: Text.Wrap
        maximumLineCount: 2
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        text: view.cell ? view.cell.title : ""
        color: "#c2c2c2"
        font.pointSize: 15
    }
    Label {
        id: subtitlelbl
        objectName: "subtitlelbl"
        x: titlelbl.x
        y: titlelbl.y + titlelbl.height + view.gapY
        width: Math.min(0.9 * (view.width - 2 * view.offSetX), view.width - x - 5)
        height: 12
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        text: view.cell ? view.cell.unit : ""
        color: "#9e9e9e"
        font.pointSize: 12
    }
    Label {
        objectName: "quantityCaption"
        anchors { right: parent.right; rightMargin: view.offSetX }
        y: subtitlelbl.y - 2
        visible: text !== ""
        text: view.cell ? view.cell.quantityCaption : ""
        color: "#c2c2c2"
        font.pointSize: 12
    }
    // Made on demand: a list of search results has no quantities, and creating controls for
    // every row it draws would slow the list down.
    Loader {
        x: picture.x + picture.width + 10
        y: subtitlelbl.y + subtitlelbl.height + 5
        active: view.controls
        source: "QuantityControls.qml"
        onLoaded: {
            item.cell = Qt.binding(function() { return view.cell })
            item.share = Qt.binding(function() { return view.share })
        }
    }
    Label {
        anchors { right: parent.right; rightMargin: 15; verticalCenter: parent.verticalCenter }
        visible: view.cell ? view.cell.checkmark : false
        text: "✓"
        color: "#549fb9"
        font.pointSize: 18
    }
}
