import QtQuick
import QtQuick.Controls
import QtMultimedia

// The scanner: the camera filling the screen, a green frame around the code in view, a back
// arrow over a dark band, and the accepted documents in a strip along the bottom.
Rectangle {
    id: page
    property var controller: null
    readonly property bool ready: page.controller !== null && page.controller.cameraReady
    color: "black"

    VideoOutput {
        id: preview
        anchors.fill: parent
        visible: page.ready
        fillMode: VideoOutput.PreserveAspectCrop
    }
    Binding {
        target: page.controller
        property: "videoSink"
        value: preview.videoSink
        when: page.ready
    }
    Binding {
        target: page.controller
        property: "previewSize"
        value: Qt.size(page.width, page.height)
        when: page.controller !== null
    }
    Rectangle {
        objectName: "qrCodeFrameView"
        visible: page.ready
        x: page.controller ? page.controller.codeFrame.x : 0
        y: page.controller ? page.controller.codeFrame.y : 0
        width: page.controller ? page.controller.codeFrame.width : 0
        height: page.controller ? page.controller.codeFrame.height : 0
        color: "transparent"
        border.color: "#00ff00"
        border.width: 2
    }
    Rectangle {
        visible: page.ready
        width: page.width
        height: 40
        opacity: 0.95
        gradient: Gradient {
            GradientStop { position: 0; color: "black" }
            GradientStop { position: 1; color: "transparent" }
        }
    }
    Label {
        objectName: "backbutton"
        visible: page.ready
        x: 10
        y: 10
        width: 22
        height: 22
        text: "‹"
        color: "white"
        font.pixelSize: 28
        verticalAlignment: Text.AlignVCenter
        MouseArea {
            anchors.fill: parent
            onClicked: page.controller.dismissVC()
        }
    }
    Rectangle {
        x: 5
        y: page.height - 140
        width: page.width - 10
        height: 135
        radius: 8
        color: "#ccf2f2f2"
        // The cell delegates are named after their cell classes, so they load by file name.
        Loader {
            anchors.fill: parent
            source: "../cells/secItemTBLViewCell.qml"
            onLoaded: item.cell = Qt.binding(function() { return page.controller ? page.controller.strip : null })
        }
    }
}
