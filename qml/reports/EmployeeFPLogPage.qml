import QtQuick
import "../platform"
import "../securitylog"

// The employee's fingerprint log: the employee's person panel, then the punches.
Item {
    id: page
    property var controller: null

    PersonDetailsPanel {
        id: header
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 240
        person: page.controller ? page.controller.header : null
    }
    TablePage {
        anchors { left: parent.left; right: parent.right; top: header.bottom; bottom: parent.bottom }
        controller: page.controller
    }
}
