#pragma once

#include "navigationcontroller.h"
#include "testapp.h"
#include "window.h"

// The screen the guard sees over `root`: up the presented screens, then a stack's top screen.
inline ViewController *topmostScreen(ViewController *root) {
    ViewController *vc = root;
    while (ViewController *next = vc->presentedViewController())
        vc = next;
    auto *stack = qobject_cast<NavigationController *>(vc);
    return stack ? stack->topViewController() : vc;
}

// A plain screen at the root of a shown window, ready to present alerts and stacks.
struct ShownScreen {
    Window window;
    ViewController *screen = new ViewController;
    ShownScreen() {
        window.setRootViewController(new NavigationController(screen));
        window.makeKeyAndVisible();
    }
    ~ShownScreen() { processEvents(); }
    ViewController *presented() const {
        return screen->navigationController()->presentedViewController();
    }
};
