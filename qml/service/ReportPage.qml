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
            document: PdfDocument { source: page.controller.pdfFile }
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
