import QtQuick
import "../platform"

// The chosen items in a strip on top, then the item search and its results.
Item {
    id: page
    property var controller: null

    // The cell delegates are named after their cell classes, so they load by file name.
    Loader {
        id: chosen
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 135
        source: "../cells/secItemTBLViewCell.qml"
        onLoaded: item.cell = Qt.binding(function() { return page.controller ? page.controller.strip : null })
    }
    SearchBar {
        id: searchBar
        anchors { left: parent.left; right: parent.right; top: chosen.bottom }
        search: page.controller ? page.controller.searchController : null
    }
    TablePage {
        // The rest of the page: a fixed share of it would run past the bottom on a phone.
        anchors { left: parent.left; right: parent.right; top: searchBar.bottom; bottom: parent.bottom }
        controller: page.controller
    }
}
