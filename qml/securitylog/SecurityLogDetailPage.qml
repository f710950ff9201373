pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// The log form as it stands: the person, the IN/OUT segments and the log's values.
Flickable {
    id: page
    property var controller: null
    contentHeight: column.implicitHeight
    clip: true

    ColumnLayout {
        id: column
        width: page.width
        spacing: 0
        PersonDetailsPanel {
            Layout.fillWidth: true
            Layout.preferredHeight: 220
            person: page.controller ? page.controller.personView : null
        }
        RowLayout {
            Layout.fillWidth: true
            Layout.margins: 8
            Repeater {
                model: page.controller ? page.controller.segmentTitles : []
                Label {
                    required property string modelData
                    Layout.fillWidth: true
                    horizontalAlignment: Text.AlignHCenter
                    text: modelData
                    color: "white"
                    padding: 6
                    background: Rectangle { color: "#4f4f4f"; radius: 4 }
                }
            }
        }
        Repeater {
            model: page.controller ? page.controller.fields : []
            Rectangle {
                id: fieldRow
                required property var modelData
                Layout.fillWidth: true
                Layout.preferredHeight: 50
                color: "#303030"
                Column {
                    x: 15
                    anchors.verticalCenter: parent.verticalCenter
                    Label { text: fieldRow.modelData.label; color: "#9e9e9e"; font.pixelSize: 12 }
                    Label { text: fieldRow.modelData.value; color: "white"; font.pixelSize: 15 }
                }
            }
        }
    }
}
