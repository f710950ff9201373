pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import "../cells"

// The day's logs as tiles, three across, a section per hour under its header.
Rectangle {
    id: page
    property var controller: null
    readonly property real tileWidth: (width - 4) / 3
    color: "#262626"

    ListView {
        anchors.fill: parent
        clip: true
        model: page.controller ? page.controller.sections : []
        delegate: Column {
            id: section
            required property var modelData
            width: ListView.view.width
            Rectangle {
                width: section.width
                height: 44
                color: "#323232"
                Label {
                    anchors.verticalCenter: parent.verticalCenter
                    x: 10
                    text: section.modelData.title
                    color: "white"
                }
            }
            Flow {
                x: 1
                width: section.width - 2
                spacing: 1
                topPadding: 1
                bottomPadding: 1
                Repeater {
                    model: section.modelData.tiles
                    LogDetailCollectionViewCell {
                        required property var modelData
                        required property int index
                        width: page.tileWidth
                        height: page.tileWidth * 1.25
                        cell: modelData
                        onTapped: page.controller.didSelectItem(section.modelData.section, index)
                    }
                }
            }
        }
    }
}
