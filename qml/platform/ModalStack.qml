import QtQuick

// A container presented modally: drawn over everything below it.
Rectangle {
    id: modalStack
    property var controller: null
    color: "#303030"

    MouseArea {
        anchors.fill: parent // the screen below takes no touches while covered
    }

    Loader {
        anchors.fill: parent
        source: "NavigationStack.qml"
        onLoaded: item.nav = Qt.binding(function() { return modalStack.controller })
    }
}
