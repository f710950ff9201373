import QtQuick
import QtQuick.Controls

// Under a DC's items: who approved or rejected it.
Rectangle {
    id: footer
    property var cell: null
    color: "black"
    Label {
        anchors.fill: parent
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        text: footer.cell ? footer.cell.text : ""
        color: footer.cell ? footer.cell.textColor : "#c2c2c2"
        font.pointSize: 10
    }
}
