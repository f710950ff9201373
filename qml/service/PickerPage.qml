pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import "../platform"

// A picker: a search field over the list, or a calendar in date mode.
Item {
    id: page
    property var controller: null

    Rectangle {
        id: searchBar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 52
        visible: page.controller !== null && !page.controller.dateMode
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
    TablePage {
        anchors { left: parent.left; right: parent.right; top: searchBar.bottom; bottom: parent.bottom }
        visible: searchBar.visible
        controller: page.controller
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
