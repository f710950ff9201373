pragma ComponentBehavior: Bound
import QtQuick

// The generic table view: draws any table screen from its data source (rows, heights,
// cells, trailing swipe actions, selection).
ListView {
    id: table
    property var controller: null
    clip: true
    objectName: "table"
    model: controller ? controller.tableModel : null
    boundsBehavior: Flickable.StopAtBounds
    onMovementStarted: if (controller) controller.viewWasDragged()
    onContentYChanged: if (controller) controller.viewDidScroll(contentHeight, height, contentY - originY)
    onContentHeightChanged: if (controller) controller.viewDidScroll(contentHeight, height, contentY - originY)
    onHeightChanged: if (controller) controller.viewDidScroll(contentHeight, height, contentY - originY)
    onControllerChanged: if (controller) controller.viewDidScroll(contentHeight, height, contentY - originY)

    // Section titles are drawn by the first row of each section: Qt 6.4 cannot create a
    // ListView's section delegates in a file whose components are bound.
    section.property: "sectionTitle"

    delegate: Column {
        id: entry
        required property int index
        required property var cell
        required property real rowHeight
        required property string sectionTitle
        width: ListView.view.width
        readonly property bool startsSection: sectionTitle !== ""
                                              && (index === 0 || ListView.previousSection !== ListView.section)

        Rectangle {
            width: entry.width
            height: entry.startsSection && table.controller ? table.controller.sectionHeaderHeight : 0
            visible: entry.startsSection
            color: table.controller ? table.controller.sectionHeaderColor : "#262626"
            Text {
                anchors.verticalCenter: parent.verticalCenter
                x: 15
                text: entry.sectionTitle
                color: table.controller ? table.controller.sectionHeaderTextColor : "#c2c2c2"
            }
        }
        // A row swiped left shows its trailing actions; a tap selects it (or closes it if open).
        Flickable {
            id: row
            readonly property int index: entry.index
            readonly property var cell: entry.cell
            width: entry.width
            height: entry.rowHeight
            // Asked again whenever the row is given new contents.
            readonly property var actions: table.model && row.cell !== undefined ? table.model.swipeActions(index) : []
            readonly property real actionsWidth: actions.length * 80
            contentWidth: width + actionsWidth
            contentHeight: height
            flickableDirection: Flickable.HorizontalFlick
            boundsBehavior: Flickable.StopAtBounds
            interactive: actions.length > 0
            // Let go past half its buttons, a swipe stays open; short of that it closes.
            onMovementEnded: snapTo(contentX > actionsWidth / 2 ? actionsWidth : 0)
            // A row given new contents starts closed, whatever it was doing before.
            onCellChanged: close()
            function snapTo(x) {
                snap.stop()
                snap.from = contentX
                snap.to = x
                snap.start()
            }
            // At once. The flick that opened the row is stopped first: stopping it ends the
            // row's movement, which settles it open again until the settling is stopped too.
            function close() {
                cancelFlick()
                snap.stop()
                contentX = 0
            }
            NumberAnimation { id: snap; target: row; property: "contentX"; duration: 150; easing.type: Easing.OutCubic }

            Rectangle {
                width: row.width
                height: row.height
                color: row.cell && row.cell.background ? row.cell.background : "transparent"
                // Below the cell, so the cell's own buttons and fields take their touches first.
                MouseArea {
                    anchors.fill: parent
                    onClicked: row.contentX > 0 ? row.close() : table.model.select(row.index)
                }
                Loader {
                    anchors.fill: parent
                    source: row.cell && row.cell.cellClass ? "../cells/" + row.cell.cellClass + ".qml" : ""
                    // Form rows hand over their cell object; other rows are drawn from the map itself.
                    onLoaded: item.cell = Qt.binding(function() { return row.cell && row.cell.cell ? row.cell.cell : row.cell })
                }
            }
            readonly property bool swiped: contentX > 0
            Row {
                x: row.width
                height: row.height
                // The buttons are made when the row is swiped, not for every row drawn.
                Repeater {
                    model: row.swiped ? row.actions : []
                    Rectangle {
                        required property var modelData
                        required property int index
                        width: 80
                        height: row.height
                        color: modelData.color
                        Text {
                            anchors.centerIn: parent
                            text: parent.modelData.title
                            color: "white"
                        }
                        MouseArea {
                            anchors.fill: parent
                            onClicked: {
                                row.close()
                                table.model.triggerSwipeAction(row.index, parent.index)
                            }
                        }
                    }
                }
            }
        }
    }
}
