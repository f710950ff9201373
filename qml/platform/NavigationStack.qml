import QtQuick
import QtQuick.Controls
import QtQuick.Layouts

// Draws a NavigationController: its bar, its stack and, above both, what it presents.
Item {
    id: stack
    property var nav: null
    readonly property var currentScreen: nav ? nav.topViewController : null
    readonly property var presentedScreen: nav ? nav.presentedViewController : null

    Rectangle {
        id: bar
        anchors { left: parent.left; right: parent.right; top: parent.top }
        height: 56
        color: stack.nav && stack.nav.barBackgroundColor.a > 0 ? stack.nav.barBackgroundColor : "#303030"

        RowLayout {
            anchors.fill: parent
            anchors.leftMargin: 8
            anchors.rightMargin: 8
            BarButton {
                visible: stack.nav !== null && stack.nav.viewControllers.length > 1 && !(stack.currentScreen && stack.currentScreen.leftBarButtonItem)
                text: "‹ Back"
                tint: stack.nav ? stack.nav.barButtonTintColor : "white"
                onClicked: stack.nav.popFromView()
            }
            BarButton {
                item: stack.currentScreen ? stack.currentScreen.leftBarButtonItem : null
                tint: stack.nav ? stack.nav.barButtonTintColor : "white"
            }
            Label {
                Layout.fillWidth: true
                horizontalAlignment: Text.AlignHCenter
                text: stack.currentScreen ? stack.currentScreen.title : ""
                color: stack.nav ? stack.nav.titleTextColor : "white"
                font.pixelSize: 17
                font.bold: true
                elide: Text.ElideRight
            }
            BarButton {
                item: stack.currentScreen ? stack.currentScreen.secondaryRightBarButtonItem : null
                tint: stack.nav ? stack.nav.barButtonTintColor : "white"
            }
            BarButton {
                item: stack.currentScreen ? stack.currentScreen.rightBarButtonItem : null
                tint: stack.nav ? stack.nav.barButtonTintColor : "white"
            }
        }
    }

    StackView {
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
