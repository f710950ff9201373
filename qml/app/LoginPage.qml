import QtQuick
import QtQuick.Controls
import "../platform"

// The login table with the version line in the footer under it.
Item {
    id: page
    property var controller: null

    TablePage {
        id: table
        anchors.fill: parent
        controller: page.controller
    }
    // The footer fills the space under the rows; its label sits at the footer's bottom edge.
    Item {
        id: footer
        anchors { left: parent.left; right: parent.right; bottom: parent.bottom }
        height: page.controller ? page.controller.footerHeight(table.height) : 10
        Label {
            anchors.bottom: parent.bottom
            width: page.width
            height: 60
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            text: page.controller ? page.controller.footerText : ""
            font.bold: true
            font.pixelSize: 10
            maximumLineCount: 3
            color: "#c2c2c2"
        }
    }
}
