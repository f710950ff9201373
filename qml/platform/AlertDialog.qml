pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// An alert or action sheet presented by a screen.
Rectangle {
    id: dialog
    property var controller: null
    color: "#80000000"

    MouseArea { anchors.fill: parent }

    Rectangle {
        id: box
        width: Math.min(parent.width - 48, 320)
        anchors.horizontalCenter: parent.horizontalCenter
        anchors.verticalCenter: dialog.controller && dialog.controller.actionSheet ? undefined : parent.verticalCenter
        anchors.bottom: dialog.controller && dialog.controller.actionSheet ? parent.bottom : undefined
        anchors.bottomMargin: 16
        height: content.implicitHeight + 24
        radius: 12
        color: "#f2f2f2"

        ColumnLayout {
            id: content
            anchors { left: parent.left; right: parent.right; top: parent.top; margins: 12 }
            spacing: 8
            Label {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: dialog.controller ? dialog.controller.title : ""
                visible: text !== ""
                font.bold: true
                font.pixelSize: 17
                color: "black"
                wrapMode: Text.Wrap
            }
            Label {
                Layout.fillWidth: true
                horizontalAlignment: dialog.controller && dialog.controller.messageLeftAligned ? Text.AlignLeft : Text.AlignHCenter
                font.pointSize: dialog.controller && dialog.controller.messagePointSize > 0 ? dialog.controller.messagePointSize : Qt.application.font.pointSize
                text: dialog.controller ? dialog.controller.message : ""
                visible: text !== ""
                color: "black"
                wrapMode: Text.Wrap
            }
            Repeater {
                model: dialog.controller ? dialog.controller.textFields : []
                TextField {
                    required property var modelData
                    required property int index
                    Layout.fillWidth: true
                    placeholderText: modelData.placeholder
                    echoMode: modelData.secure ? TextInput.Password : TextInput.Normal
                    onTextChanged: dialog.controller.setTextFieldText(index, text)
                }
            }
            Repeater {
                model: dialog.controller ? dialog.controller.actions : []
                Button {
                    required property var modelData
                    required property int index
                    Layout.fillWidth: true
                    // "&" would mark a shortcut letter: "Save & Print" is shown as written.
                    text: modelData.title.replace(/&/g, "&&")
                    font.bold: modelData.style === "cancel"
                    onClicked: dialog.controller.tapAction(index)
                }
            }
        }
    }

    // An alert that arrived while this one was up is shown over it.
    Loader {
        anchors.fill: parent
        z: 10
        active: dialog.controller !== null && dialog.controller.presentedViewController !== null
        source: active ? "AlertDialog.qml" : ""
        onLoaded: item.controller = Qt.binding(function() { return dialog.controller ? dialog.controller.presentedViewController : null })
    }
}
