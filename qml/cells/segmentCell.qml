pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls

// A segmented control.
Rectangle {
    id: view
    property var cell: null
    color: cell && cell.backgroundColor.a > 0 ? cell.backgroundColor : "#303030"
    Row {
        anchors.centerIn: parent
        Repeater {
            model: view.cell ? view.cell.items : []
            Button {
                required property string modelData
                required property int index
                text: modelData
                checkable: true
                checked: view.cell && view.cell.selectedSegmentIndex === index
                enabled: view.cell ? view.cell.enabled : false
                onClicked: view.cell.select(index)
            }
        }
    }
}
