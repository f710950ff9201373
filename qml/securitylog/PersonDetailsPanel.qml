pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import "../platform"

// The person panel: the round photo, the name and mobile number on the accent colour, and two
// lines of address. A double tap is reported for the page to act on (the log form opens the
// person screen; the menu does nothing).
Rectangle {
    id: panel
    property var person: null
    signal doubleTapped()
    color: "#303030"
    clip: true

    TapHandler {
        onDoubleTapped: panel.doubleTapped()
    }

    Rectangle {
        id: frame
        objectName: "imgPerson"
        anchors.horizontalCenter: parent.horizontalCenter
        y: 6
        width: 180
        height: 180
        radius: 90
        clip: true
        color: panel.person && panel.person.photoBackground.a > 0 ? panel.person.photoBackground : "#262626"
        RemoteImage {
            anchors.fill: parent
            source: panel.person ? panel.person.photoUrl : ""
        }
        RoundMask {
            anchors.fill: parent
            color: panel.color
        }
    }
    Row {
        id: badges
        anchors { top: frame.bottom; topMargin: 3; horizontalCenter: parent.horizontalCenter }
        spacing: 3
        Repeater {
            model: panel.person ? [panel.person.name, panel.person.mobileNo] : []
            Label {
                required property string modelData
                required property int index
                objectName: index === 0 ? "lblPersonName" : "lblMobileNo"
                visible: modelData !== ""
                text: modelData
                width: Math.min(implicitWidth, panel.width / 2 - 20)
                leftPadding: 6
                rightPadding: 6
                maximumLineCount: 1
                elide: Text.ElideRight
                color: "white"
                font.pixelSize: 15
                background: Rectangle { color: "#549fb9"; radius: 3 }
            }
        }
    }
    Label {
        objectName: "lblAddress"
        anchors { top: badges.bottom; topMargin: 3; left: parent.left; right: parent.right; leftMargin: 15; rightMargin: 15 }
        horizontalAlignment: Text.AlignHCenter
        text: panel.person ? panel.person.address : ""
        wrapMode: Text.Wrap
        maximumLineCount: 2
        elide: Text.ElideRight
        color: "#c2c2c2"
        font.pixelSize: 12
    }
}
