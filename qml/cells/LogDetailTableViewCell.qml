import QtQuick
import QtQuick.Controls

// One document of a movement: party, particulars (two lines at most), city, then date and
// number, stacked so that all four fit the 100-point row.
Rectangle {
    id: view
    property var cell: null
    color: cell ? cell.background : "#262626"
    Column {
        x: 15
        y: 10
        width: view.width - 30
        spacing: 5
        Label {
            width: parent.width
            height: 20
            elide: Text.ElideRight
            text: view.cell ? view.cell.titlelbl : ""
            color: view.cell ? view.cell.textColor : "white"
            font.pointSize: 14
        }
        Label {
            width: parent.width
            height: 30
            wrapMode: Text.Wrap
            maximumLineCount: 2
            elide: Text.ElideRight
            text: view.cell ? view.cell.subtitlelbl : ""
            color: view.cell ? view.cell.textColor : "white"
            font.pointSize: 10
        }
        Label {
            width: parent.width
            elide: Text.ElideRight
            height: 12
            text: view.cell ? view.cell.subtitle2lbl : ""
            color: view.cell ? view.cell.subTextColor : "#9e9e9e"
            font.pointSize: 9
        }
        Label {
            width: parent.width
            elide: Text.ElideRight
            height: 12
            text: view.cell ? view.cell.subtitle3lbl : ""
            color: view.cell ? view.cell.subTextColor : "#9e9e9e"
            font.pointSize: 9
        }
    }
}
