import QtQml
import QtQuick
import QtQuick.Controls

// Keeps a StackView in step with its NavigationController's stack of screens.
QtObject {
    id: sync
    property var nav: null
    property StackView view: null

    function follow() {
        if (!view)
            return
        var screens = nav ? nav.viewControllers : []
        while (view.depth > screens.length)
            view.pop(StackView.Immediate)
        for (var i = 0; i < view.depth; ++i) {
            if (view.get(i, StackView.DontLoad).controller !== screens[i]) {
                while (view.depth > i)
                    view.pop(StackView.Immediate)
                break
            }
        }
        for (var j = view.depth; j < screens.length; ++j)
            view.push(Qt.resolvedUrl("ScreenHost.qml"), { controller: screens[j] }, StackView.Immediate)
    }

    onNavChanged: follow()
    onViewChanged: follow()
    property Connections watcher: Connections {
        target: sync.nav
        function onStackChanged() { sync.follow() }
    }
}
