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

    // Sized from the window's own size, which is set from the start: the content item takes
    // its size only once the platform window is shown, and a list laid out in a window without
    // a size yet would make rows for a view of no height.
    NavigationStack {
        width: root.width
        height: root.height
        nav: root.appWindow ? root.appWindow.rootViewController : null
    }
}
