import QtQuick

// A navigation bar button drawn from a BarButtonItem (or a plain text for Back). Without an
// item it falls back to plainText, never to its own last text: a screen without a right button
// must not show the button of the screen before it.
Item {
    id: button
    property var item: null
    property string plainText: ""
    property color tint: "white"
    readonly property string text: item ? (item.title !== "" ? item.title
                 : item.systemItem === "action" ? "⇪"
                 : item.systemItem === "cancel" ? "Cancel"
                 : item.systemItem === "add" ? "+"
                 : item.systemItem === "save" ? "Save"
                 : item.systemItem === "done" ? "Done" : "") : plainText
    signal clicked()
    visible: item !== null || text !== ""
    enabled: item ? item.enabled : true
    implicitWidth: label.implicitWidth + 12
    implicitHeight: 40
    width: implicitWidth
    height: implicitHeight

    Rectangle {
        anchors.fill: parent
        color: area.pressed ? "#40ffffff" : "transparent"
        radius: 4
    }
    Text {
        id: label
        anchors.centerIn: parent
        text: button.text
        font.bold: button.item ? button.item.doneStyle : false
        color: button.tint
        opacity: button.enabled ? 1 : 0.4
    }
    MouseArea {
        id: area
        anchors.fill: parent
        onClicked: {
            button.clicked()
            if (button.item)
                button.item.trigger()
        }
    }
}
