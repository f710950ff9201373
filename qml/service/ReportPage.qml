import QtQuick
import QtQuick.Controls
import QtQuick.Pdf

// A report page: the PDF once it has arrived, or what went wrong.
Item {
    id: page
    property var controller: null
    readonly property bool shown: page.controller !== null && page.controller.state === "shown"

    // The document is made only once its file exists, so it opens exactly one source.
    Component {
        id: viewer
        PdfMultiPageView {
            // The page fills the width, less the room the view keeps for its scroll bar.
            readonly property real fitWidth: width - 24
            readonly property bool canFit: document.status === PdfDocument.Ready && fitWidth > 0
            document: PdfDocument { source: page.controller.pdfFile }
            // Opening the document resets the scale, so fitting waits until the view is complete.
            Component.onCompleted: if (canFit) scaleToWidth(fitWidth, height)
            onCanFitChanged: if (canFit) scaleToWidth(fitWidth, height)
            onFitWidthChanged: if (canFit) scaleToWidth(fitWidth, height)
        }
    }
    Loader {
        anchors.fill: parent
        sourceComponent: page.shown ? viewer : null
    }
    BusyIndicator {
        anchors.centerIn: parent
        running: page.controller !== null && page.controller.state === "loading"
    }
    Label {
        anchors.centerIn: parent
        visible: page.controller !== null && page.controller.state === "failed"
        text: page.controller ? page.controller.message : ""
        color: "white"
    }
}
