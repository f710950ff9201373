import QtQuick
import QtQuick.Controls
import "platform"

// The one window of the client: the root container and whatever it presents.
ApplicationWindow {
    id: root
    required property var appWindow
    width: 420
    height: 800
    visible: true
    title: "SecLog"
    color: "#303030"

    NavigationStack {
        anchors.fill: parent
        nav: root.appWindow ? root.appWindow.rootViewController : null
    }
}
