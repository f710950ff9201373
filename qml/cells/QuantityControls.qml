import QtQuick
import QtQuick.Controls

// An item row's quantity: the field between minus and plus. A file of its own so that rows
// without quantities never create it.
Row {
    id: controls
    property var cell: null
    property real share: 100
    readonly property bool buttonsShown: cell ? !cell.buttonsHidden : false
    spacing: 10
    QuantityButton {
        objectName: "subButton"
        width: controls.share - 25
        visible: controls.buttonsShown
        symbol: "−"
        onClicked: controls.cell.tapButton(0)
    }
    TextField {
        objectName: "textField"
        width: controls.share
        height: 40
        placeholderText: "Qty"
        horizontalAlignment: Text.AlignHCenter
        color: "#c2c2c2"
        readOnly: controls.cell ? !controls.cell.quantityEditable : true
        inputMethodHints: Qt.ImhFormattedNumbersOnly
        text: controls.cell ? controls.cell.quantity : ""
        onTextEdited: controls.cell.quantity = text
        onEditingFinished: if (!readOnly) controls.cell.endEditing()
        background: Rectangle { color: "#363636"; radius: 4 }
    }
    QuantityButton {
        objectName: "addButton"
        width: controls.share - 25
        visible: controls.buttonsShown
        symbol: "+"
        onClicked: controls.cell.tapButton(1)
    }
}
