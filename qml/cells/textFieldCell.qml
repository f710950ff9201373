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
        y: 6
        text: view.cell ? view.cell.title : ""
        color: view.cell ? view.cell.titleColor : "white"
        font: view.cell ? view.cell.titleFont : Qt.application.font
    }
    TextField {
        anchors { left: parent.left; right: parent.right; top: caption.bottom; margins: 10 }
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
