#include "viewcontroller.h"

#include "navigationcontroller.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcNavigation, "seclog.navigation")

ViewController::ViewController(QObject *parent) : QObject(parent) {}

ViewController::~ViewController() = default;

void ViewController::setTitle(const QString &title) {
    if (m_title == title)
        return;
    m_title = title;
    Q_EMIT titleChanged();
}

void ViewController::setLeftBarButtonItem(BarButtonItem *item) {
    if (item)
        item->setParent(this);
    m_left = item;
    Q_EMIT barButtonsChanged();
}

void ViewController::setRightBarButtonItem(BarButtonItem *item) {
    if (item)
        item->setParent(this);
    m_right = item;
    Q_EMIT barButtonsChanged();
}

void ViewController::setBarTintColor(const QColor &c) {
    m_barTint = c;
    Q_EMIT appearanceChanged();
}

void ViewController::setBackgroundColor(const QColor &c) {
    m_background = c;
    Q_EMIT appearanceChanged();
}

void ViewController::loadViewIfNeeded() {
    if (m_loaded)
        return;
    m_loaded = true;
    viewDidLoad();
}

NavigationController *ViewController::navigationController() const {
    return m_navigationController;
}

void ViewController::setNavigationController(NavigationController *nav) {
    m_navigationController = nav;
}

ViewController *ViewController::presentationHost() {
    if (auto *nav = navigationController())
        return nav;
    return this;
}

ViewController *ViewController::presentingViewController() const {
    if (m_presenting)
        return m_presenting;
    if (auto *nav = navigationController())
        return nav->presentingViewController();
    return nullptr;
}

bool ViewController::present(ViewController *vc, bool animated, std::function<void()> completion) {
    if (!vc)
        return false;
    ViewController *host = presentationHost();
    if (host->m_presented && vc->kind() == QLatin1String("alert")) {
        // An alert is never dropped because something else is up (the menu, a report, another
        // alert): it goes over whatever is shown on top, and its buttons still call back here.
        ViewController *top = host;
        while (top->presentationHost()->m_presented)
            top = top->presentationHost()->m_presented;
        return top->present(vc, animated, std::move(completion));
    }
    if (host->m_presented) {
        qCWarning(lcNavigation) << "refused to present" << vc->metaObject()->className() << "over"
                                << host->m_presented->metaObject()->className()
                                << ": already presenting";
        return false;
    }
    const bool coversScreen = vc->kind() != QLatin1String("alert");
    // The host owns what it shows, except a kept screen that already has an owner: that one
    // must outlive the host, or the owner would find it gone when it shows it again.
    if (!vc->m_kept || !vc->parent())
        vc->setParent(host);
    vc->m_presenting = host;
    host->m_presented = vc;
    if (coversScreen)
        host->beginDisappearance();
    vc->beginAppearance();
    Q_EMIT host->presentationChanged();
    if (coversScreen)
        host->endDisappearance();
    vc->endAppearance();
    Q_UNUSED(animated);
    if (completion)
        completion();
    return true;
}

void ViewController::dismiss(bool animated, std::function<void()> completion) {
    ViewController *host = presentationHost();
    ViewController *target = host->m_presented ? host : host->m_presenting.data();
    if (!target || !target->m_presented) {
        if (completion)
            completion();
        return;
    }
    ViewController *presented = target->m_presented;
    // Whatever the presented screen presents goes with it, without showing what lies between.
    presented->dropPresentedChain();
    const bool coversScreen = presented->kind() != QLatin1String("alert");
    presented->beginDisappearance();
    if (coversScreen)
        target->beginAppearance();
    target->m_presented = nullptr;
    presented->m_presenting = nullptr;
    Q_EMIT target->presentationChanged();
    presented->endDisappearance();
    if (coversScreen)
        target->endAppearance();
    if (!presented->m_kept)
        presented->deleteLater();
    Q_UNUSED(animated);
    if (completion)
        completion();
}

void ViewController::beginAppearance() {
    loadViewIfNeeded();
    viewWillAppear(true);
}

void ViewController::endAppearance() {
    m_visible = true;
    viewDidAppear(true);
}

// A screen already covered (by a stack presented over it) does not disappear a second time
// when that cover goes away together with it.
void ViewController::beginDisappearance() {
    if (m_visible)
        viewWillDisappear(true);
}

void ViewController::endDisappearance() {
    if (!m_visible)
        return;
    m_visible = false;
    viewDidDisappear(true);
}

void ViewController::dropPresentedChain() {
    ViewController *host = presentationHost();
    ViewController *inner = host->m_presented;
    if (!inner)
        return;
    inner->dropPresentedChain();
    inner->beginDisappearance();
    host->m_presented = nullptr;
    inner->m_presenting = nullptr;
    Q_EMIT host->presentationChanged();
    inner->endDisappearance();
    if (!inner->m_kept)
        inner->deleteLater();
}
