import QtQuick

// A server image (fetched once, then from the disk cache) with a placeholder silhouette
// while it loads or when it cannot be loaded.
Item {
    id: remote
    property url source
    // A window may hold photos back until it has drawn its first frame; one that does not
    // say so shows them at once.
    readonly property var host: Window.window
    readonly property bool wanted: remote.host !== null && remote.host.photosWanted !== false

    Image {
        id: picture
        anchors.fill: parent
        // Asked for once its size is known, so the request is made once, for that size.
        source: width > 0 && height > 0 && remote.wanted ? remote.source : ""
        fillMode: Image.PreserveAspectCrop
        asynchronous: true
        // Decoded at the size drawn, not the photo's: a 1200x1600 photo in a list row would
        // otherwise hold 7 MB each.
        sourceSize.width: Math.ceil(width * Screen.devicePixelRatio)
        sourceSize.height: Math.ceil(height * Screen.devicePixelRatio)
    }
    Item {
        anchors.fill: parent
        visible: picture.status === Image.Loading || picture.status === Image.Error
        Rectangle {
            width: parent.width * 0.36
            height: width
            radius: width / 2
            anchors.horizontalCenter: parent.horizontalCenter
            y: parent.height * 0.16
            color: "#8a8a8a"
        }
        Rectangle {
            width: parent.width * 0.7
            height: parent.height * 0.3
            radius: width / 3
            anchors.horizontalCenter: parent.horizontalCenter
            anchors.bottom: parent.bottom
            color: "#8a8a8a"
        }
    }
}
