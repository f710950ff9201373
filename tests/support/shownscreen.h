#pragma once

#include "navigationcontroller.h"
#include "testapp.h"
#include "window.h"

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
