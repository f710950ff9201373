import QtQuick
import QtQuick.Controls

// The minus or plus beside a quantity: the symbol tinted like the row's text, on the field's
// own dark ground.
AbstractButton {
    id: button
    property string symbol
    height: 40
    background: Rectangle {
        radius: 4
        color: button.down ? "#4f4f4f" : "#363636"
    }
    contentItem: Label {
        text: button.symbol
        color: "#c2c2c2"
        font.pixelSize: 24
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
}
