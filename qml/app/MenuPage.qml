pragma ComponentBehavior: Bound
import QtQuick
import "../platform"
import "../securitylog"

// The menu: the person panel of who is logged in, then the entries.
Item {
    id: page
    property var controller: null

    TablePage {
        anchors.fill: parent
        controller: page.controller
        header: PersonDetailsPanel {
            width: parent ? parent.width : 0
            height: 240
            person: page.controller ? page.controller.header : null
        }
    }
}
