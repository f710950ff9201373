import QtQuick
import QtQuick.Controls

// A title over a text field; typing writes back into the cell.
Rectangle {
    id: view
    property var cell: null
    color: cell && cell.backgroundColor.a > 0 ? cell.backgroundColor : "#303030"
    Label {
        id: caption
        x: 15
        y: view.beside ? (view.height - height) / 2 : 6
        text: view.cell ? view.cell.title : ""
        color: view.cell ? view.cell.titleColor : "white"
        font: view.cell ? view.cell.titleFont : Qt.application.font
    }
    // A short row puts the title beside the field, a tall one above it.
    readonly property bool beside: view.height < 60
    Connections {
        target: view.cell
        ignoreUnknownSignals: true
        function onKeyboardDismissed() { field.focus = false }
    }
    TextField {
        id: field
        x: view.beside ? view.width * 0.4 : 10
        width: view.beside ? view.width * 0.6 - 10 : view.width - 20
        y: view.beside ? (view.height - height) / 2 : caption.y + caption.height + 6
        height: view.beside ? view.height - 8 : implicitHeight
        inputMethodHints: view.cell && view.cell.numberPad ? Qt.ImhDigitsOnly : Qt.ImhNone
        text: view.cell ? view.cell.text : ""
        enabled: view.cell ? view.cell.enabled : false
        echoMode: view.cell && view.cell.secureTextEntry ? TextInput.Password : TextInput.Normal
        placeholderText: view.cell ? view.cell.placeholder : ""
        color: view.cell ? view.cell.textColor : "white"
        font: view.cell ? view.cell.textFont : Qt.application.font
        onTextEdited: view.cell.text = text
        background: Rectangle { color: "#3a3a3a"; radius: 4 }
    }
}
