import QtQuick
import QtQuick.Controls

// A title beside an image.
Rectangle {
    id: view
    property var cell: null
    color: cell && cell.backgroundColor.a > 0 ? cell.backgroundColor : "#303030"
    Image {
        id: picture
        x: 15
        width: parent.height - 10
        height: width
        anchors.verticalCenter: parent.verticalCenter
        source: view.cell ? view.cell.imageUrl : ""
        fillMode: Image.PreserveAspectCrop
    }
    Label {
        anchors { left: picture.right; leftMargin: 10; verticalCenter: parent.verticalCenter }
        text: view.cell ? view.cell.title : ""
        color: "white"
    }
}
