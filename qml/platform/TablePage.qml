pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls

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
            Label {
                anchors.verticalCenter: parent.verticalCenter
                x: 15
                text: entry.sectionTitle
                color: table.controller ? table.controller.sectionHeaderTextColor : "#c2c2c2"
            }
        }
        SwipeDelegate {
            id: row
            readonly property int index: entry.index
            readonly property var cell: entry.cell
            width: entry.width
            height: entry.rowHeight
            padding: 0
            // Asked again whenever the row is given new contents.
            readonly property var actions: table.model && row.cell !== undefined ? table.model.swipeActions(index) : []
            swipe.enabled: actions.length > 0
            // A row given new contents starts closed, whatever it was doing before.
            onCellChanged: swipe.close()
            background: Rectangle { color: row.cell && row.cell.background ? row.cell.background : "transparent" }
            contentItem: Loader {
                source: row.cell && row.cell.cellClass ? "../cells/" + row.cell.cellClass + ".qml" : ""
                // Form rows hand over their cell object; other rows are drawn from the map itself.
                onLoaded: item.cell = Qt.binding(function() { return row.cell && row.cell.cell ? row.cell.cell : row.cell })
            }
            onClicked: table.model.select(index)
            swipe.right: Row {
                anchors.right: parent.right
                height: parent.height
                Repeater {
                    model: row.actions
                    Rectangle {
                        required property var modelData
                        required property int index
                        width: 80
                        height: row.height
                        color: modelData.color
                        Label {
                            anchors.centerIn: parent
                            text: parent.modelData.title
                            color: "white"
                        }
                        MouseArea {
                            anchors.fill: parent
                            onClicked: {
                                row.swipe.close()
                                table.model.triggerSwipeAction(row.index, parent.index)
                            }
                        }
                    }
                }
            }
        }
    }
}
