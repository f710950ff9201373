pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import "../platform"

// A picker: a search field over the list, or a calendar in date mode.
Item {
    id: page
    property var controller: null

    TablePage {
        id: table
        anchors.fill: parent
        visible: page.controller !== null && !page.controller.dateMode
        controller: page.controller
        header: Rectangle {
            width: table.width
            height: 52
            color: "#303030"
            TextField {
                anchors { fill: parent; margins: 8 }
                placeholderText: "Search"
                color: "white"
                text: page.controller ? page.controller.searchText : ""
                onTextEdited: page.controller.searchText = text
                background: Rectangle { color: "#1f1f1f"; radius: 8 }
            }
        }
    }

    Column {
        anchors.centerIn: parent
        spacing: 12
        visible: page.controller !== null && page.controller.dateMode
        property date shown: page.controller ? page.controller.initialDate : new Date()
        Label {
            anchors.horizontalCenter: parent.horizontalCenter
            text: Qt.formatDate(parent.shown, "MMMM yyyy")
            color: "white"
            font.pixelSize: 17
        }
        Grid {
            id: days
            columns: 7
            spacing: 4
            property date month: parent.shown
            Repeater {
                model: new Date(days.month.getFullYear(), days.month.getMonth() + 1, 0).getDate()
                Button {
                    required property int index
                    width: 40
                    text: index + 1
                    onClicked: page.controller.chooseDate(new Date(days.month.getFullYear(), days.month.getMonth(), index + 1))
                }
            }
        }
    }
}
