import QtQuick
import QtQuick.Controls

// A store PO: the party across the top, the PO number and date under it, the number of lines
// in a round badge at the right.
Rectangle {
    id: view
    property var cell: null
    readonly property real offSetX: 15
    readonly property real offSetY: 6
    readonly property real gapY: 4
    readonly property real inner: width - 2 * offSetX
    color: cell ? cell.background : "#303030"

    Label {
        id: lblStorePartyName
        x: view.offSetX
        y: view.offSetY
        width: 0.9 * view.inner - 30
        height: 22
        elide: Text.ElideRight
        verticalAlignment: Text.AlignVCenter
        text: view.cell ? view.cell.lblStorePartyName : ""
        color: view.cell ? view.cell.textColor : "white"
        font: view.cell ? view.cell.titleFont : Qt.application.font
    }
    Label {
        id: lblStorePONo
        x: view.offSetX
        y: lblStorePartyName.y + lblStorePartyName.height + view.gapY
        width: (0.9 * view.inner - 30) / 2
        height: 18
        elide: Text.ElideRight
        text: view.cell ? view.cell.lblStorePONo : ""
        color: view.cell ? view.cell.subTextColor : "#9e9e9e"
        font: view.cell ? view.cell.detailFont : Qt.application.font
    }
    Label {
        x: lblStorePONo.x + lblStorePONo.width
        y: lblStorePONo.y
        width: lblStorePONo.width
        height: 18
        elide: Text.ElideRight
        horizontalAlignment: Text.AlignRight
        text: view.cell ? view.cell.lblStorePODate : ""
        color: view.cell ? view.cell.subTextColor : "#9e9e9e"
        font: view.cell ? view.cell.detailFont : Qt.application.font
    }
    Rectangle {
        anchors { right: parent.right; rightMargin: view.offSetX; verticalCenter: parent.verticalCenter }
        width: 24
        height: 24
        radius: 12
        color: view.cell ? view.cell.badgeColor : "#549fb9"
        Label {
            anchors.centerIn: parent
            text: view.cell ? view.cell.lblNoOfItems : ""
            color: "white"
            font.pointSize: 10
        }
    }
}
