import QtQuick

// Draws a NavigationController: its bar, its stack and, above both, what it presents.
Item {
    id: stack
    property var nav: null
    readonly property var currentScreen: nav ? nav.topViewController : null
    readonly property var presentedScreen: nav ? nav.presentedViewController : null
    readonly property color tint: nav ? nav.barButtonTintColor : "white"

    Rectangle {
        id: bar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 56
        color: stack.nav && stack.nav.barBackgroundColor.a > 0 ? stack.nav.barBackgroundColor : "#303030"

        Row {
            id: leading
            anchors { left: parent.left; leftMargin: 8; verticalCenter: parent.verticalCenter }
            spacing: 5
            BarButton {
                visible: stack.nav !== null && stack.nav.viewControllers.length > 1 && !(stack.currentScreen && stack.currentScreen.leftBarButtonItem)
                plainText: "‹ Back"
                tint: stack.tint
                onClicked: stack.nav.popFromView()
            }
            BarButton {
                item: stack.currentScreen ? stack.currentScreen.leftBarButtonItem : null
                tint: stack.tint
            }
        }
        // The title takes the room the buttons leave, centred in it.
        Text {
            anchors { left: leading.right; right: trailing.left; leftMargin: 5; rightMargin: 5; verticalCenter: parent.verticalCenter }
            horizontalAlignment: Text.AlignHCenter
            text: stack.currentScreen ? stack.currentScreen.title : ""
            color: stack.nav ? stack.nav.titleTextColor : "white"
            font.pixelSize: 17
            font.bold: true
            elide: Text.ElideRight
        }
        Row {
            id: trailing
            anchors { right: parent.right; rightMargin: 8; verticalCenter: parent.verticalCenter }
            spacing: 5
            BarButton {
                item: stack.currentScreen ? stack.currentScreen.secondaryRightBarButtonItem : null
                tint: stack.tint
            }
            BarButton {
                item: stack.currentScreen ? stack.currentScreen.rightBarButtonItem : null
                tint: stack.tint
            }
        }
    }

    Item {
        id: view
        anchors { left: parent.left; right: parent.right; top: bar.bottom; bottom: parent.bottom }
        clip: true
    }

    ScreenSync {
        nav: stack.nav
        view: view
    }

    Loader {
        id: modal
        anchors.fill: parent
        active: stack.presentedScreen !== null
        z: 10
        source: !stack.presentedScreen ? "" : stack.presentedScreen.kind === "alert" ? "AlertDialog.qml" : "ModalStack.qml"
        onLoaded: item.controller = Qt.binding(function() { return stack.presentedScreen })
    }
}
