import QtQuick
import "../platform"

// The log list: the search field on top, then the logs.
Item {
    id: page
    property var controller: null

    SearchBar {
        id: searchBar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        search: page.controller ? page.controller.searchController : null
    }
    TablePage {
        anchors { left: parent.left; right: parent.right; top: searchBar.bottom; bottom: parent.bottom }
        controller: page.controller
    }
}
