import QtQml
import QtQuick
import QtQuick.Controls
import "../platform"

// The log list: the search field on top, then the logs.
Item {
    id: page
    property var controller: null
    readonly property var search: controller ? controller.searchController : null

    Rectangle {
        id: searchBar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: page.search ? 52 : 0
        visible: page.search !== null
        color: "#303030"
        TextField {
            id: field
            anchors { fill: parent; margins: 8 }
            placeholderText: "Search"
            color: "white"
            text: page.search ? page.search.text : ""
            onTextEdited: page.search.text = text
            onAccepted: page.search.searchButtonClicked()
            // The keyboard's return key reads as the controller says ("Done").
            EnterKey.type: page.search && page.search.returnKey === "Done" ? Qt.EnterKeyDone : Qt.EnterKeyDefault
            background: Rectangle { color: "#1f1f1f"; radius: 8 }
        }
        Connections {
            target: page.search
            function onKeyboardDismissed() { field.focus = false }
        }
    }
    TablePage {
        anchors { left: parent.left; right: parent.right; top: searchBar.bottom; bottom: parent.bottom }
        controller: page.controller
    }
}
