import QtQuick
import QtQuick.Controls
import "../platform"

// The DC list under its search field; pulling the list down asks for it again.
Item {
    id: page
    property var controller: null

    SearchBar {
        id: searchBar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        color: "black"
        search: page.controller ? page.controller.searchController : null
    }
    TablePage {
        id: table
        anchors { left: parent.left; right: parent.right; top: searchBar.bottom; bottom: parent.bottom }
        controller: page.controller
        boundsBehavior: Flickable.DragOverBounds
        onDragEnded: if (contentY - originY < -60 && page.controller) page.controller.refresh()
    }
    BusyIndicator {
        objectName: "refresher"
        anchors { horizontalCenter: parent.horizontalCenter; top: searchBar.bottom; topMargin: 8 }
        running: page.controller ? page.controller.refreshing : false
        palette.dark: "white"
    }
}
