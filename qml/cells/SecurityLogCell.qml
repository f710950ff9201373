import QtQuick
import QtQuick.Controls
import "../platform"

// One log (or person) of the log list.
Item {
    id: view
    property var cell: null
    readonly property real offSetX: 15
    readonly property real offSetY: 6
    readonly property real gapY: 3

    Rectangle {
        id: frame
        x: 5
        y: 5
        width: view.height - 10
        height: width
        color: view.cell ? view.cell.photoBackground : "transparent"
        RemoteImage {
            anchors.fill: parent
            source: view.cell ? view.cell.imageUrl : ""
        }
    }
    readonly property real textX: frame.x + frame.width + 10
    readonly property real textWidth: view.width - textX - view.width * 0.03

    Label {
        id: lblPersonName
        x: view.textX
        y: view.offSetY
        width: view.textWidth * 0.55
        height: 26
        text: view.cell ? view.cell.lblPersonName : ""
        color: view.cell ? view.cell.textColor : "white"
        font.pixelSize: 15
        elide: Text.ElideRight
    }
    Label {
        id: lblSecLog_id
        anchors.right: lblPurpose.left
        anchors.rightMargin: 8
        y: view.offSetY
        width: view.textWidth * 0.45
        height: 26
        horizontalAlignment: Text.AlignRight
        text: view.cell ? view.cell.lblSecLog_id : ""
        color: view.cell ? view.cell.textColor : "white"
        font.pixelSize: 13
        elide: Text.ElideLeft
    }
    Label {
        id: lblMobileNo
        x: view.textX
        y: lblPersonName.y + lblPersonName.height + view.gapY
        width: view.textWidth * 0.5
        height: 16
        text: view.cell ? view.cell.lblMobileNo : ""
        color: view.cell ? view.cell.subTextColor : "white"
        font.pixelSize: 12
    }
    Label {
        id: lblInTime
        anchors.right: lblPurpose.left
        anchors.rightMargin: 8
        y: lblMobileNo.y
        width: view.textWidth * 0.5
        height: 16
        horizontalAlignment: Text.AlignRight
        text: view.cell ? view.cell.lblInTime : ""
        color: view.cell ? view.cell.subTextColor : "white"
        font.pixelSize: 12
    }
    Label {
        id: lblMeetTo
        x: view.textX
        y: lblMobileNo.y + lblMobileNo.height + view.gapY
        width: view.textWidth * 0.5
        height: 16
        text: view.cell ? view.cell.lblMeetTo : ""
        color: view.cell ? view.cell.subTextColor : "white"
        font.pixelSize: 12
        elide: Text.ElideRight
    }
    Label {
        id: lblLogedBy
        anchors.right: lblPurpose.left
        anchors.rightMargin: 8
        y: lblMeetTo.y
        width: view.textWidth * 0.5
        height: 16
        horizontalAlignment: Text.AlignRight
        text: view.cell ? view.cell.lblLogedBy : ""
        color: view.cell ? view.cell.subTextColor : "white"
        font.pixelSize: 12
        elide: Text.ElideRight
    }
    // The strip at the right edge whose colour marks an open log.
    Rectangle {
        id: lblPurpose
        anchors { right: parent.right; top: parent.top; bottom: parent.bottom }
        width: view.width * 0.03
        color: view.cell ? view.cell.purposeColor : "transparent"
    }
    Label {
        anchors { right: lblPurpose.left; rightMargin: 4; bottom: parent.bottom; bottomMargin: 2 }
        text: view.cell ? view.cell.lblPurpose : ""
        color: view.cell ? view.cell.purposeColor : "white"
        font.pixelSize: 9
    }
    Rectangle {
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: 1
        color: "#262626"
    }
}
