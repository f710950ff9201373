import QtQuick
import QtQuick.Controls

// The new person as typed in the list's search field.
Column {
    id: page
    property var controller: null
    readonly property var person: controller ? controller.personView : null
    spacing: 0
    PersonDetailsPanel {
        width: page.width
        height: 220
        person: page.person
    }
    Label { x: 15; text: "Person Name"; color: "#9e9e9e" }
    Label { x: 15; text: page.person ? page.person.name : ""; color: "white"; font.pixelSize: 15 }
    Label { x: 15; text: "Mobile No"; color: "#9e9e9e" }
    Label { x: 15; text: page.person ? page.person.mobileNo : ""; color: "white"; font.pixelSize: 15 }
}
