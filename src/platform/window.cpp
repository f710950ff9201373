#include "window.h"

namespace {
QPointer<Window> &key() {
    static QPointer<Window> w;
    return w;
}
} // namespace

Window::Window(QObject *parent) : QObject(parent) {}

Window::~Window() {
    if (key() == this)
        key() = nullptr;
}

Window *Window::keyWindow() {
    return key();
}

void Window::setRootViewController(ViewController *vc) {
    if (vc)
        vc->setParent(this);
    m_root = vc;
    Q_EMIT rootChanged();
}

void Window::makeKeyAndVisible() {
    key() = this;
    if (m_visible || !m_root)
        return;
    m_visible = true;
    m_root->beginAppearance();
    m_root->endAppearance();
}
