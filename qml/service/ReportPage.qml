import QtQuick
import QtQuick.Controls
import QtQuick.Pdf

// A report page: the PDF once it has arrived, or what went wrong.
Item {
    id: page
    property var controller: null

    PdfDocument {
        id: document
        source: page.controller && page.controller.state === "shown" ? page.controller.pdfFile : ""
    }
    PdfMultiPageView {
        anchors.fill: parent
        visible: page.controller !== null && page.controller.state === "shown"
        document: document
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
