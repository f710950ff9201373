pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls

// One day of the dashboard: the day and its forenoon/afternoon counts, the day's total, and
// its movements by entry type as thin bars with their titles.
Rectangle {
    id: view
    property var cell: null
    readonly property real inner: width - 30
    color: "#262626"

    Label {
        id: title
        x: 15
        y: 10
        width: view.inner * 0.3
        height: 22
        text: view.cell ? view.cell.title : ""
        color: "white"
        font.pointSize: 14
        font.weight: Font.Light
        elide: Text.ElideRight
    }
    Label {
        x: 15
        y: title.y + title.height + 5
        width: title.width
        height: 35
        text: view.cell ? view.cell.subtitle : ""
        color: "#9e9e9e"
        font.pointSize: 10
        lineHeight: 0.95
        maximumLineCount: 3
    }
    Label {
        id: title2
        x: title.x + title.width + 5
        y: 10
        width: view.inner * 0.2
        height: view.height - 20
        text: view.cell ? view.cell.title2 : ""
        color: "white"
        font.pointSize: 25
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        fontSizeMode: Text.HorizontalFit
        minimumPointSize: 10
    }
    Item {
        id: chart
        objectName: "chart"
        x: title2.x + title2.width + 5
        y: 10
        width: view.inner - (title2.x + title2.width) + 5
        height: view.height - 20
        Repeater {
            model: view.cell ? view.cell.bars(chart.width, chart.height) : []
            Item {
                id: bar
                required property var modelData
                anchors.fill: parent
                Rectangle {
                    x: bar.modelData.x
                    y: bar.modelData.y
                    width: bar.modelData.width
                    height: bar.modelData.height
                    color: bar.modelData.color
                    antialiasing: true
                }
                Text {
                    x: bar.modelData.titleX
                    y: bar.modelData.titleY
                    width: bar.modelData.titleWidth
                    text: bar.modelData.title
                    color: bar.modelData.color
                    font.pointSize: 7
                    font.weight: Font.Light
                    horizontalAlignment: Text.AlignRight
                    wrapMode: Text.NoWrap
                    elide: Text.ElideLeft
                }
            }
        }
    }
}
