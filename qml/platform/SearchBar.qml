import QtQml
import QtQuick

// A list's search field: writes what is typed into the controller's search, sends the return
// key as its search button, and gives up the keyboard when the controller says so.
Rectangle {
    id: bar
    property var search: null
    height: search ? 52 : 0
    visible: search !== null
    color: "#303030"

    Rectangle {
        anchors { fill: parent; margins: 8 }
        color: "#1f1f1f"
        radius: 8
        TextInput {
            id: field
            objectName: "searchField"
            anchors { fill: parent; leftMargin: 10; rightMargin: 10 }
            verticalAlignment: TextInput.AlignVCenter
            clip: true
            color: "white"
            selectionColor: "#4a90d9"
            selectedTextColor: "white"
            selectByMouse: true
            text: bar.search ? bar.search.text : ""
            onTextEdited: bar.search.text = text
            onAccepted: bar.search.searchButtonClicked()
            // The keyboard's return key reads as the controller says ("Done").
            EnterKey.type: bar.search && bar.search.returnKey === "Done" ? Qt.EnterKeyDone : Qt.EnterKeyDefault
        }
        Text {
            anchors.fill: field
            verticalAlignment: Text.AlignVCenter
            visible: field.text === "" && field.preeditText === ""
            text: "Search"
            color: "#80ffffff"
            font: field.font
            elide: Text.ElideRight
        }
    }
    Connections {
        target: bar.search
        function onKeyboardDismissed() { field.focus = false }
    }
}
