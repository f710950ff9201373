import QtQml
import QtQuick
import QtQuick.Controls

// A list's search field: writes what is typed into the controller's search, sends the return
// key as its search button, and gives up the keyboard when the controller says so.
Rectangle {
    id: bar
    property var search: null
    height: search ? 52 : 0
    visible: search !== null
    color: "#303030"
    TextField {
        id: field
        anchors { fill: parent; margins: 8 }
        placeholderText: "Search"
        color: "white"
        text: bar.search ? bar.search.text : ""
        onTextEdited: bar.search.text = text
        onAccepted: bar.search.searchButtonClicked()
        // The keyboard's return key reads as the controller says ("Done").
        EnterKey.type: bar.search && bar.search.returnKey === "Done" ? Qt.EnterKeyDone : Qt.EnterKeyDefault
        background: Rectangle { color: "#1f1f1f"; radius: 8 }
    }
    Connections {
        target: bar.search
        function onKeyboardDismissed() { field.focus = false }
    }
}
