import QtQuick
import QtQuick.Controls
import "../platform"

// The person panel: photo, then name, mobile number and address lines.
Rectangle {
    id: panel
    property var person: null
    color: "#363636"

    Rectangle {
        id: frame
        anchors.horizontalCenter: parent.horizontalCenter
        y: 16
        width: 120
        height: 120
        radius: 60
        clip: true
        color: panel.person && panel.person.photoBackground.a > 0 ? panel.person.photoBackground : "#262626"
        RemoteImage {
            anchors.fill: parent
            source: panel.person ? panel.person.imageUrl : ""
        }
    }
    Column {
        anchors { top: frame.bottom; topMargin: 10; horizontalCenter: parent.horizontalCenter }
        spacing: 4
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: panel.person ? panel.person.name : ""
            color: "white"
            font.pixelSize: 17
        }
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: panel.person ? panel.person.mobileNo : ""
            color: "#c2c2c2"
        }
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: panel.person ? panel.person.address : ""
            color: "#9e9e9e"
        }
    }
}
