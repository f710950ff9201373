import QtQuick
import "platform"

// The one window of the client: the root container and whatever it presents. The window and
// the first screen use plain Qt Quick items, so the client shows its log list before any
// control style is loaded; screens with controls load the style when first shown.
Window {
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
