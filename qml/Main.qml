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
    // Photos are asked for once the first frame is out, so the rows at launch are drawn
    // without the photo downloads competing for the processor. Photos load asynchronously,
    // so the first frame would not have shown them anyway.
    property bool photosWanted: false
    // Started on the GUI thread as the first frame begins; it fires once that frame has been
    // handed over.
    Timer {
        id: afterFirstFrame
        interval: 0
        onTriggered: root.photosWanted = true
    }
    Connections {
        target: root
        enabled: !root.photosWanted
        function onAfterAnimating() { afterFirstFrame.start() }
    }

    // Sized from the window's own size, which is set from the start: the content item takes
    // its size only once the platform window is shown, and a list laid out in a window without
    // a size yet would make rows for a view of no height.
    NavigationStack {
        width: root.width
        height: root.height
        nav: root.appWindow ? root.appWindow.rootViewController : null
    }
}
