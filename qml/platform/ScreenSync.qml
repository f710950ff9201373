pragma ComponentBehavior: Bound
import QtQml
import QtQuick

// Keeps the screens drawn in `view` in step with a NavigationController's stack: one host per
// screen, made when the screen is pushed and kept (with its scroll position and what was typed)
// until it is popped; only the top one is shown.
QtObject {
    id: sync
    property var nav: null
    property Item view: null
    property var hosts: []

    readonly property Component hostComponent: Component {
        ScreenHost {
            width: sync.view ? sync.view.width : 0
            height: sync.view ? sync.view.height : 0
        }
    }

    function follow() {
        if (!view)
            return
        var screens = nav ? nav.viewControllers : []
        var kept = 0
        while (kept < hosts.length && kept < screens.length && hosts[kept].controller === screens[kept])
            ++kept
        var next = hosts.slice(0, kept)
        for (var i = hosts.length - 1; i >= kept; --i)
            hosts[i].destroy()
        for (var j = kept; j < screens.length; ++j)
            next.push(hostComponent.createObject(view, { controller: screens[j] }))
        for (var k = 0; k < next.length; ++k)
            next[k].visible = k === next.length - 1
        hosts = next
    }

    onNavChanged: follow()
    onViewChanged: follow()
    property Connections watcher: Connections {
        target: sync.nav
        function onStackChanged() { sync.follow() }
    }
}
