pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls

// One document: the party line and the bill number and date over a horizontal strip of its
// item tiles. In the strips (chosen items, scanned documents, godown transfers) the tiles fill
// the whole cell; a godown transfer's header lines lie under them.
Item {
    id: view
    property var cell: null
    readonly property real offSetX: 15
    readonly property real offSetY: 6
    readonly property real gapY: 3
    readonly property real innerWidth: width - 25
    readonly property bool headerFilled: cell ? cell.headerFilled : false
    readonly property bool headerOnTop: cell ? cell.headerOnTop : true
    readonly property real tileSize: cell ? cell.tileSize : 60

    Label {
        id: titlelbl
        objectName: "titlelbl"
        visible: view.headerFilled
        x: view.offSetX
        y: view.offSetY
        width: view.innerWidth
        height: 12
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        text: view.cell ? view.cell.titlelbl : ""
        color: view.cell ? view.cell.textColor : "white"
        font: view.cell ? view.cell.titleFont : Qt.application.font
    }
    Label {
        id: billNolbl
        objectName: "billNolbl"
        visible: view.headerFilled
        x: view.offSetX
        y: titlelbl.y + titlelbl.height + 2 * view.gapY
        width: view.innerWidth / 2
        height: 10
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        text: view.cell ? view.cell.billNolbl : ""
        color: view.cell ? view.cell.textColor : "white"
        font: view.cell ? view.cell.billFont : Qt.application.font
    }
    Label {
        id: billDatelbl
        objectName: "billDatelbl"
        visible: view.headerFilled
        x: view.offSetX + view.innerWidth / 2
        y: billNolbl.y
        width: view.innerWidth / 2
        height: 10
        horizontalAlignment: Text.AlignRight
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideLeft
        text: view.cell ? view.cell.billDatelbl : ""
        color: view.cell ? view.cell.textColor : "white"
        font: view.cell ? view.cell.billFont : Qt.application.font
    }

    Rectangle {
        anchors.fill: collectionView
        color: view.cell ? view.cell.collectionBackground : "#303030"
    }
    ListView {
        id: collectionView
        objectName: "collectionView"
        x: view.headerOnTop ? view.offSetX / 3 : 0
        y: view.headerOnTop ? billNolbl.y + billNolbl.height + view.gapY : 0
        width: view.headerOnTop ? view.innerWidth + 25 - 0.7 * view.offSetX : view.width
        height: view.headerOnTop ? 0.8 * (view.height - 25) : view.height
        orientation: ListView.Horizontal
        spacing: 5
        leftMargin: 5
        rightMargin: 5
        clip: true
        boundsBehavior: Flickable.StopAtBounds
        // A strip that fits leaves drags and taps between its tiles to the row (swipe, select).
        interactive: contentWidth + leftMargin + rightMargin > width
        model: view.cell ? view.cell.tiles : []
        delegate: Loader {
            id: tileLoader
            required property var modelData
            required property int index
            width: view.tileSize
            height: view.tileSize
            source: "secItemCollectionCell.qml"
            onLoaded: {
                item.tile = Qt.binding(() => tileLoader.modelData)
                item.cell = Qt.binding(() => view.cell)
                item.index = Qt.binding(() => tileLoader.index)
            }
        }
    }
}
