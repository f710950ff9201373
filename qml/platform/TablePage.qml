pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls

// The generic table view: draws any table screen from its data source (rows, heights,
// cells, trailing swipe actions, selection).
ListView {
    id: table
    property var controller: null
    clip: true
    model: controller ? controller.tableModel : null
    boundsBehavior: Flickable.StopAtBounds
    onMovementStarted: if (controller) controller.viewWasDragged()

    section.property: "sectionTitle"
    section.delegate: Rectangle {
        required property string section
        width: ListView.view.width
        height: section === "" ? 0 : 28
        color: "#262626"
        Label {
            anchors.verticalCenter: parent.verticalCenter
            x: 15
            text: parent.section
            color: "#c2c2c2"
        }
    }

    delegate: SwipeDelegate {
        id: row
        required property int index
        required property var cell
        required property real rowHeight
        width: ListView.view.width
        height: rowHeight
        padding: 0
        readonly property var actions: table.model ? table.model.swipeActions(index) : []
        swipe.enabled: actions.length > 0
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
