pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import "../platform"

// The login table with the version line under it.
Item {
    id: page
    property var controller: null

    TablePage {
        id: table
        anchors.fill: parent
        controller: page.controller
        footer: Item {
            width: table.width
            height: page.controller ? page.controller.footerHeight(table.height) : 10
            Label {
                anchors.bottom: parent.bottom
                width: parent.width
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
}
