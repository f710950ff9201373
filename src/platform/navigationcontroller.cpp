#include "navigationcontroller.h"

namespace {
std::function<void(NavigationController *)> &appearanceHook() {
    static std::function<void(NavigationController *)> hook;
    return hook;
}
} // namespace

void NavigationController::setAppearanceHook(std::function<void(NavigationController *)> hook) {
    appearanceHook() = std::move(hook);
}

NavigationController::NavigationController(ViewController *root, QObject *parent)
    : ViewController(parent) {
    if (appearanceHook())
        appearanceHook()(this);
    if (root) {
        root->setParent(this);
        root->setNavigationController(this);
        m_stack.append(root);
    }
}

void NavigationController::pushViewController(ViewController *vc, bool animated) {
    if (!vc)
        return;
    ViewController *previous = topViewController();
    vc->setParent(this);
    vc->setNavigationController(this);
    const bool shown = isBeingShown();
    if (shown && previous)
        previous->beginDisappearance();
    if (shown)
        vc->beginAppearance();
    else
        vc->loadViewIfNeeded();
    m_stack.append(vc);
    Q_EMIT stackChanged();
    if (shown && previous)
        previous->endDisappearance();
    if (shown)
        vc->endAppearance();
    Q_UNUSED(animated);
}

void NavigationController::insertViewController(ViewController *vc, int index) {
    const QList<ViewController *> stack = viewControllers();
    if (!vc || index < 0 || index > stack.size() || stack.contains(vc))
        return;
    if (index == stack.size()) {
        pushViewController(vc, false);
        return;
    }
    vc->setParent(this);
    vc->setNavigationController(this);
    vc->loadViewIfNeeded();
    m_stack = {stack.begin(), stack.end()};
    m_stack.insert(index, vc);
    Q_EMIT stackChanged();
}

ViewController *NavigationController::popViewController(bool animated) {
    if (m_stack.size() < 2)
        return nullptr;
    ViewController *leaving = m_stack.last();
    ViewController *below = m_stack.at(m_stack.size() - 2);
    const bool shown = isBeingShown();
    if (shown) {
        leaving->beginDisappearance();
        below->beginAppearance();
    }
    m_stack.removeLast();
    Q_EMIT stackChanged();
    if (shown) {
        leaving->endDisappearance();
        below->endAppearance();
    }
    leaving->setNavigationController(nullptr);
    leaving->deleteLater();
    Q_UNUSED(animated);
    return leaving;
}

// Only the leaving top screen and the root take part in the transition: the screens in
// between go without appearing on the way.
void NavigationController::popToRootViewController(bool animated) {
    const QList<ViewController *> stack = viewControllers();
    if (stack.size() < 2)
        return;
    ViewController *leaving = stack.last();
    ViewController *root = stack.first();
    const bool shown = isBeingShown();
    if (shown) {
        leaving->beginDisappearance();
        root->beginAppearance();
    }
    m_stack = {root};
    Q_EMIT stackChanged();
    if (shown) {
        leaving->endDisappearance();
        root->endAppearance();
    }
    for (int i = 1; i < stack.size(); ++i) {
        stack.at(i)->setNavigationController(nullptr);
        stack.at(i)->deleteLater();
    }
    Q_UNUSED(animated);
}

QList<ViewController *> NavigationController::viewControllers() const {
    QList<ViewController *> list;
    for (const auto &vc : m_stack)
        if (vc)
            list.append(vc);
    return list;
}

QList<QObject *> NavigationController::viewControllerObjects() const {
    QList<QObject *> list;
    for (auto *vc : viewControllers())
        list.append(vc);
    return list;
}

ViewController *NavigationController::topViewController() const {
    const auto list = viewControllers();
    return list.isEmpty() ? nullptr : list.last();
}

ViewController *NavigationController::rootViewController() const {
    return viewControllerAt(0);
}

ViewController *NavigationController::viewControllerAt(int index) const {
    const auto list = viewControllers();
    return index >= 0 && index < list.size() ? list.at(index) : nullptr;
}

void NavigationController::setBarColors(const QColor &background, const QColor &buttonTint,
                                        const QColor &title) {
    m_barBackground = background;
    m_barButtonTint = buttonTint;
    m_titleText = title;
    Q_EMIT appearanceChanged();
}

// The container itself has no content: its top screen appears and disappears with it.
void NavigationController::viewWillAppear(bool) {
    if (auto *top = topViewController())
        top->beginAppearance();
}

void NavigationController::viewDidAppear(bool) {
    if (auto *top = topViewController())
        top->endAppearance();
}

void NavigationController::viewWillDisappear(bool) {
    if (auto *top = topViewController())
        top->beginDisappearance();
}

void NavigationController::viewDidDisappear(bool) {
    if (auto *top = topViewController())
        top->endDisappearance();
}
