import QtQuick
import QtQuick.Controls

// A title beside an image. It draws a form cell (title, text) and a picker row (text, the
// detail under it, a tick when chosen).
Rectangle {
    id: view
    property var cell: null
    color: view.cell && view.cell.background ? view.cell.background
         : view.cell && view.cell.backgroundColor && view.cell.backgroundColor.a > 0
           ? view.cell.backgroundColor : "#303030"
    Image {
        id: picture
        x: 15
        width: parent.height - 10
        height: width
        anchors.verticalCenter: parent.verticalCenter
        source: view.cell && view.cell.imageUrl ? view.cell.imageUrl : ""
        fillMode: Image.PreserveAspectCrop
    }
    Column {
        anchors { left: picture.right; leftMargin: 10; right: tick.left; rightMargin: 10
                  verticalCenter: parent.verticalCenter }
        Label {
            width: parent.width
            text: view.cell ? (view.cell.text || view.cell.title || "") : ""
            color: view.cell && view.cell.textColor ? view.cell.textColor : "white"
            font.pixelSize: 15
            elide: Text.ElideRight
        }
        Label {
            width: parent.width
            text: view.cell && view.cell.detail ? view.cell.detail : ""
            visible: text !== ""
            color: "#9e9e9e"
            font.pixelSize: 12
            elide: Text.ElideRight
        }
    }
    Label {
        id: tick
        anchors { right: parent.right; rightMargin: 15; verticalCenter: parent.verticalCenter }
        visible: view.cell ? view.cell.checked === true : false
        text: "✓"
        color: "#549fb9"
        font.pixelSize: 18
    }
}
