pragma ComponentBehavior: Bound
import QtQuick
import QtQuick.Controls
import "../platform"

// The DC header card: number, date and returnable in the top band; issuing and receiving
// divisions and departments with the three photographs in the middle block; who issued,
// carried and received it under the photographs.
Item {
    id: card
    property var cell: null
    readonly property real offSetX: 15
    readonly property real offSetY: 6
    readonly property real gapY: 3
    readonly property real w: width

    Rectangle {
        id: view1
        width: card.w
        height: 30
        color: "#549fb9"
        Rectangle {
            objectName: "view4"
            x: 4
            y: 8
            width: 15
            height: 15
            radius: 10
            color: card.cell && card.cell.badgeColoured ? "#549fb9" : "transparent"
            border.color: "white"
            border.width: 1
        }
        Label {
            objectName: "label1"
            x: 24
            y: 8
            width: card.w / 2 - 28
            height: 15
            elide: Text.ElideRight
            verticalAlignment: Text.AlignVCenter
            text: card.cell ? card.cell.label1 : ""
            color: "white"
            font.pointSize: 12
        }
        Label {
            objectName: "label2"
            x: card.w / 2
            y: 8
            width: card.w / 2 - 120
            height: 15
            horizontalAlignment: Text.AlignRight
            verticalAlignment: Text.AlignVCenter
            elide: Text.ElideRight
            text: card.cell ? card.cell.label2 : ""
            color: "white"
            font.pointSize: 11
        }
        Label {
            objectName: "lblReturnable"
            x: card.w - 105
            y: 8
            width: 100
            height: 15
            horizontalAlignment: Text.AlignRight
            verticalAlignment: Text.AlignVCenter
            text: card.cell ? card.cell.lblReturnable : ""
            color: "black"
            font.pointSize: 10
        }
    }
    Rectangle {
        id: view2
        y: view1.height
        width: card.w
        height: 130
        color: "#303030"
        Repeater {
            model: [
                { key: "label4", x: 4, y: 12, w: card.w / 2 - 10, size: 12, tint: "white" },
                { key: "label5", x: card.w / 2 + 15, y: 12, w: card.w / 2 - 20, size: 12, tint: "white" },
                { key: "label6", x: 4, y: 32, w: card.w / 2 - 10, size: 10, tint: "#c2c2c2" },
                { key: "label7", x: card.w / 2 + 15, y: 32, w: card.w / 2 - 20, size: 10, tint: "#c2c2c2" }
            ]
            Label {
                required property var modelData
                objectName: modelData.key
                x: modelData.x
                y: modelData.y
                width: modelData.w
                height: 15
                elide: Text.ElideRight
                verticalAlignment: Text.AlignVCenter
                text: card.cell ? card.cell[modelData.key] : ""
                color: modelData.tint
                font.pointSize: modelData.size
            }
        }
        Repeater {
            model: [
                { image: "theimage1", x: card.w / 2 - 131, framed: false },
                { image: "theimage2", x: card.w / 2 - 40, framed: true },
                { image: "theimage3", x: card.w / 2 + 51, framed: false }
            ]
            Rectangle {
                required property var modelData
                objectName: modelData.image
                x: modelData.x
                y: 48
                width: 80
                height: 80
                radius: 6
                color: "white"
                clip: true
                border.color: "white"
                border.width: modelData.framed ? 2 : 0
                RemoteImage {
                    anchors.fill: parent
                    anchors.margins: parent.border.width
                    visible: card.cell ? card.cell[parent.modelData.image].toString() !== "" : false
                    source: card.cell ? card.cell[parent.modelData.image] : ""
                }
            }
        }
    }
    Rectangle {
        id: view3
        y: view2.y + view2.height
        width: card.w
        height: 90
        color: "#363636"
        Repeater {
            model: [
                { caption: "Issue by", name: "imgIssBy", x: card.w / 2 - 131 },
                { caption: "Taken by", name: "imgTakBy", x: card.w / 2 - 40 },
                { caption: "Issue To", name: "imgIssTo", x: card.w / 2 + 51 }
            ]
            Column {
                required property var modelData
                x: modelData.x - 5
                y: 4
                width: 90
                spacing: 2
                Label {
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    text: parent.modelData.caption
                    color: "white"
                    font.pointSize: 10
                }
                Label {
                    objectName: parent.modelData.name
                    width: parent.width
                    horizontalAlignment: Text.AlignHCenter
                    wrapMode: Text.Wrap
                    maximumLineCount: 2
                    elide: Text.ElideRight
                    text: card.cell ? card.cell[parent.modelData.name] : ""
                    color: "white"
                    font.pointSize: 10
                }
            }
        }
        Rectangle {
            id: view5
            y: parent.height - 30
            width: parent.width
            height: 30
            color: "#f29f4b"
        }
    }
}
