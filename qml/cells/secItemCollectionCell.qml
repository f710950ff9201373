import QtQuick
import QtQuick.Controls
import "../platform"

// One item tile of a document: the picture in a circle, the name under it and, in the scan
// strips, a count badge at the top right. Double tap asks to delete the item; single tap (scan
// strips only) acts once no second tap followed.
Item {
    id: tileView
    // This tile's map, the entry cell's map (theme, and the owner that gets the taps) and the
    // tile's position in its strip.
    property var tile: null
    property var cell: null
    property int index: -1
    readonly property real offSet: 3
    readonly property real side: Math.max(0, width - 12)

    Rectangle {
        id: theimage
        objectName: "theimage"
        x: (tileView.width - width) / 2
        width: tileView.side
        height: width
        radius: width / 2
        color: tileView.cell ? tileView.cell.imageBackground : "#f2ffffff"
        RemoteImage {
            anchors.fill: parent
            source: tileView.tile ? tileView.tile.imageSource : ""
        }
        // Covers the picture's corners with the strip's background, so it reads as a circle.
        RoundMask {
            anchors.fill: parent
            color: tileView.cell ? tileView.cell.collectionBackground : "#303030"
        }
        Rectangle {
            anchors.fill: parent
            radius: width / 2
            color: "transparent"
            border.width: 2
            border.color: tileView.cell ? tileView.cell.imageBorder : "#f2ffffff"
        }
    }

    Label {
        id: titlelbl
        objectName: "titlelbl"
        x: theimage.x
        y: theimage.height + tileView.offSet
        width: tileView.side
        height: 12
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
        text: tileView.tile ? tileView.tile.titlelbl : ""
        color: tileView.cell ? tileView.cell.textColor : "white"
        font: tileView.cell ? tileView.cell.tileFont : Qt.application.font
    }

    Rectangle {
        id: noItemsBadge
        objectName: "NoItemslbl"
        visible: tileView.tile ? tileView.tile.badgeShown : false
        x: tileView.width - width
        width: 30
        height: 30
        radius: 15
        color: tileView.cell ? tileView.cell.badgeColor : "orange"
        border.color: "white"
        border.width: 2
        Label {
            anchors.fill: parent
            anchors.margins: 3
            horizontalAlignment: Text.AlignHCenter
            verticalAlignment: Text.AlignVCenter
            fontSizeMode: Text.Fit
            minimumPixelSize: 7
            text: tileView.tile ? tileView.tile.NoItemslbl : ""
            color: "white"
            font: tileView.cell ? tileView.cell.badgeFont : Qt.application.font
        }
    }

    // The tile takes its taps for itself: a tap on an item never selects the row around it.
    TapHandler {
        objectName: "tapGR"
        gesturePolicy: TapHandler.ReleaseWithinBounds
        onDoubleTapped: {
            singleTapGR.stop()
            if (tileView.cell && tileView.cell.owner)
                tileView.cell.owner.itemDoubleTapped(tileView.cell.section, tileView.cell.row, tileView.index)
        }
        onSingleTapped: if (tileView.tile && tileView.tile.singleTapEnabled) singleTapGR.restart()
    }
    // A single tap counts only when no second tap follows in time.
    Timer {
        id: singleTapGR
        interval: Application.styleHints.mouseDoubleClickInterval
        onTriggered: if (tileView.cell && tileView.cell.owner) tileView.cell.owner.itemTapped(tileView.cell.section, tileView.cell.row, tileView.index)
    }
}
