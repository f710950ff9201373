import QtQuick
import QtQuick.Controls
import "../platform"

// The log form: the person on top, then the switch, the entry details and the IN and OUT
// documents, all drawn by the table from the controller.
Item {
    id: page
    property var controller: null

    PersonDetailsPanel {
        id: person
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 240
        person: page.controller ? page.controller.personView : null
        onDoubleTapped: if (page.controller) page.controller.ViewAddNewPerson()
    }
    TablePage {
        anchors { left: parent.left; right: parent.right; top: person.bottom; bottom: parent.bottom }
        controller: page.controller
    }

    // While a save runs the form says so and takes no touches.
    Rectangle {
        anchors.fill: parent
        visible: page.controller !== null && page.controller.saving
        color: "#a0000000"
        MouseArea { anchors.fill: parent }
        Column {
            anchors.centerIn: parent
            spacing: 8
            BusyIndicator { anchors.horizontalCenter: parent.horizontalCenter; running: parent.visible }
            Label { text: "Saving…"; color: "white"; font.pixelSize: 15 }
        }
    }
}
