#pragma once

#include "navigationcontroller.h"
#include "window.h"

#include <QQmlApplicationEngine>
#include <QQuickWindow>

// The client's views in a real (offscreen) window over one root screen, as the benchmarks that
// drive a screen open them.
class ClientViews {
public:
    explicit ClientViews(ViewController *root) {
        m_window.setRootViewController(new NavigationController(root));
        m_window.makeKeyAndVisible();
        m_engine.setInitialProperties(
            {{QStringLiteral("appWindow"), QVariant::fromValue(&m_window)}});
        m_engine.load(QUrl(QStringLiteral("qrc:/SecLog/Main.qml")));
        if (!m_engine.rootObjects().isEmpty())
            m_quick = qobject_cast<QQuickWindow *>(m_engine.rootObjects().first());
    }
    // Null when the views did not load.
    QQuickWindow *quick() const { return m_quick; }

private:
    Window m_window;
    QQmlApplicationEngine m_engine; // goes before the window it draws
    QQuickWindow *m_quick = nullptr;
};
