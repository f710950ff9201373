import QtQuick
import QtQuick.Controls

// A navigation bar button drawn from a BarButtonItem (or a plain text for Back). Without an
// item it falls back to plainText, never to its own last text: a screen without a right button
// must not show the button of the screen before it.
ToolButton {
    id: button
    property var item: null
    property string plainText: ""
    property color tint: "white"
    visible: item !== null || text !== ""
    enabled: item ? item.enabled : true
    text: item ? (item.title !== "" ? item.title
                 : item.systemItem === "action" ? "⇪"
                 : item.systemItem === "cancel" ? "Cancel"
                 : item.systemItem === "add" ? "+"
                 : item.systemItem === "save" ? "Save"
                 : item.systemItem === "done" ? "Done" : "") : plainText
    font.bold: item ? item.doneStyle : false
    contentItem: Text {
        text: button.text
        font: button.font
        color: button.tint
        opacity: button.enabled ? 1 : 0.4
        verticalAlignment: Text.AlignVCenter
    }
    background: Rectangle { color: button.down ? "#40ffffff" : "transparent"; radius: 4 }
    onClicked: if (item) item.trigger()
}
