import QtQuick

// One screen of a stack: loads the screen's own view and hands it its controller.
Rectangle {
    id: host
    property var controller: null
    color: controller && controller.backgroundColor.a > 0 ? controller.backgroundColor : "#303030"

    Loader {
        id: page
        anchors.fill: parent
        source: host.controller && host.controller.qmlView !== "" ? host.controller.qmlView : ""
        onLoaded: item.controller = host.controller
    }
    onWidthChanged: if (controller) controller.layoutSubviews()
    onHeightChanged: if (controller) controller.layoutSubviews()
}
