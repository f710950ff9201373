import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import QtMultimedia

// The photo picker: the live camera with a capture button, or the file dialog for pictures.
Item {
    id: page
    property var controller: null
    readonly property bool library: page.controller !== null && page.controller.sourceType === "photoLibrary"
    readonly property bool busy: page.controller !== null && page.controller.busy

    Rectangle {
        anchors.fill: parent
        color: "black"
    }

    VideoOutput {
        id: preview
        anchors.fill: parent
        visible: !page.library
        fillMode: VideoOutput.PreserveAspectCrop
    }
    // The controller feeds the camera's frames into the preview's sink.
    Binding {
        target: page.controller
        property: "videoSink"
        value: preview.videoSink
        when: page.controller !== null && !page.library
    }

    Label {
        anchors { left: parent.left; right: parent.right; verticalCenter: parent.verticalCenter; margins: 24 }
        visible: text !== ""
        text: page.controller ? page.controller.errorText : ""
        color: "white"
        horizontalAlignment: Text.AlignHCenter
        wrapMode: Text.Wrap
    }

    BusyIndicator {
        anchors.centerIn: parent
        running: page.busy
    }

    RoundButton {
        id: shutter
        anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.bottom; bottomMargin: 24 }
        visible: !page.library
        enabled: !page.busy
        width: 72
        height: 72
        text: "Capture"
        onClicked: page.controller.takePicture()
    }

    Button {
        anchors { horizontalCenter: parent.horizontalCenter; bottom: parent.bottom; bottomMargin: 24 }
        visible: page.library && !page.busy
        text: "Choose a Picture"
        onClicked: pictures.open()
    }

    FileDialog {
        id: pictures
        title: "Camera Roll"
        fileMode: FileDialog.OpenFile
        nameFilters: page.controller ? page.controller.nameFilters : []
        currentFolder: page.controller ? page.controller.picturesFolder : ""
        onAccepted: page.controller.choosePhoto(selectedFile)
        onRejected: page.controller.cancel()
    }

    onControllerChanged: if (page.library) pictures.open()
}
