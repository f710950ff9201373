import QtQuick
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
    // The text area runs from the photo to the open-log strip. The left labels start at its
    // left edge, the right ones end at its right edge; their shares of its width never add
    // up to more than 85 %, so the two columns cannot meet at any width.
    readonly property real textX: frame.x + frame.width + view.offSetX
    readonly property real textWidth: lblPurpose.x - view.gapY - textX

    Text {
        id: lblPersonName
        objectName: "lblPersonName"
        // Shrinks a little before it elides, so a time still reads whole on a phone.
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 10
        x: view.textX
        y: view.offSetY
        width: view.textWidth * 0.40
        height: 26
        text: view.cell ? view.cell.lblPersonName : ""
        color: view.cell ? view.cell.textColor : "white"
        font.pixelSize: 15
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
    }
    Text {
        id: lblSecLog_id
        objectName: "lblSecLog_id"
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 10
        x: view.textX + view.textWidth - width
        y: view.offSetY
        width: view.textWidth * 0.35
        height: 26
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        text: view.cell ? view.cell.lblSecLog_id : ""
        color: view.cell ? view.cell.textColor : "white"
        font.pixelSize: 13
        elide: Text.ElideLeft
    }
    Text {
        id: lblMobileNo
        objectName: "lblMobileNo"
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 10
        x: view.textX
        y: lblPersonName.y + lblPersonName.height + view.gapY
        width: view.textWidth * 0.35
        height: 16
        text: view.cell ? view.cell.lblMobileNo : ""
        color: view.cell ? view.cell.subTextColor : "white"
        font.pixelSize: 12
        elide: Text.ElideRight
    }
    Text {
        id: lblInTime
        objectName: "lblInTime"
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 10
        x: view.textX + view.textWidth - width
        y: lblMobileNo.y
        width: view.textWidth * 0.40
        height: 16
        horizontalAlignment: Text.AlignRight
        text: view.cell ? view.cell.lblInTime : ""
        color: view.cell ? view.cell.subTextColor : "white"
        font.pixelSize: 12
        elide: Text.ElideRight
    }
    Text {
        id: lblMeetTo
        objectName: "lblMeetTo"
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 10
        x: view.textX
        y: lblMobileNo.y + lblMobileNo.height + view.gapY
        width: view.textWidth * 0.45
        height: 16
        text: view.cell ? view.cell.lblMeetTo : ""
        color: view.cell ? view.cell.subTextColor : "white"
        font.pixelSize: 12
        elide: Text.ElideRight
    }
    Text {
        id: lblLogedBy
        objectName: "lblLogedBy"
        fontSizeMode: Text.HorizontalFit
        minimumPixelSize: 10
        x: view.textX + view.textWidth - width
        y: lblMeetTo.y
        width: view.textWidth * 0.40
        height: 16
        horizontalAlignment: Text.AlignRight
        text: view.cell ? view.cell.lblLogedBy : ""
        color: view.cell ? view.cell.subTextColor : "white"
        font.pixelSize: 12
        elide: Text.ElideRight
    }
    // The strip at the right edge whose colour marks an open log. It carries the purpose
    // (or the person type of a found person) written along it, so the text stays inside it.
    Rectangle {
        id: lblPurpose
        objectName: "lblPurpose"
        x: view.width - width
        width: view.width * 0.03
        height: view.height
        color: view.cell ? view.cell.purposeColor : "transparent"
        clip: true
        Text {
            anchors.centerIn: parent
            width: parent.height - 4
            height: parent.width
            rotation: -90
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: view.cell ? view.cell.lblPurpose : ""
            color: "#262626"
            font.pixelSize: Math.max(7, Math.min(11, parent.width - 3))
            elide: Text.ElideRight
        }
    }
    Rectangle {
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: 1
        color: "#262626"
    }
}
