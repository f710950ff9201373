#pragma once

#include "viewcontroller.h"

#include <QObject>
#include <QPointer>

// The client's single window: its root screen and whether it is shown.
class Window : public QObject {
    Q_OBJECT
    Q_PROPERTY(ViewController *rootViewController READ rootViewController NOTIFY rootChanged)
public:
    explicit Window(QObject *parent = nullptr);
    ~Window() override;

    // The window the application made key; null before launch.
    static Window *keyWindow();

    ViewController *rootViewController() const { return m_root; }
    void setRootViewController(ViewController *vc);
    void makeKeyAndVisible();
    bool isVisible() const { return m_visible; }

Q_SIGNALS:
    void rootChanged();

private:
    QPointer<ViewController> m_root;
    bool m_visible = false;
};
