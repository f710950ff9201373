#pragma once

#include "viewcontroller.h"

#include <functional>
#include <QList>
#include <QPointer>

// A stack of screens with a bar on top. The QML StackView follows it through stackChanged.
class NavigationController : public ViewController {
    Q_OBJECT
    Q_PROPERTY(QList<QObject *> viewControllers READ viewControllerObjects NOTIFY stackChanged)
    Q_PROPERTY(ViewController *topViewController READ topViewController NOTIFY stackChanged)
    Q_PROPERTY(QColor barBackgroundColor READ barBackgroundColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor barButtonTintColor READ barButtonTintColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor titleTextColor READ titleTextColor NOTIFY appearanceChanged)
public:
    explicit NavigationController(ViewController *root = nullptr, QObject *parent = nullptr);

    QString kind() const override { return QStringLiteral("navigation"); }

    void pushViewController(ViewController *vc, bool animated = true);
    ViewController *popViewController(bool animated = true);
    void popToRootViewController(bool animated = true);
    // Puts `vc` into the stack at `index` (0 is the root). Below the top it waits, loaded but
    // not shown, until the screens above it go; at the end of the stack it is a push. An
    // index out of range, or a screen already in the stack, changes nothing.
    void insertViewController(ViewController *vc, int index);

    QList<ViewController *> viewControllers() const;
    QList<QObject *> viewControllerObjects() const;
    ViewController *topViewController() const;
    ViewController *rootViewController() const;
    // The screen at `index` of the stack, null when the stack is shorter.
    ViewController *viewControllerAt(int index) const;
    // The screen at `index` when it is of type T, else null.
    template <typename T> T *viewControllerAt(int index) const {
        return qobject_cast<T *>(viewControllerAt(index));
    }

    // Styling of the bar, set by the theme before the container is shown.
    void setBarColors(const QColor &background, const QColor &buttonTint, const QColor &title);
    QColor barBackgroundColor() const { return m_barBackground; }
    QColor barButtonTintColor() const { return m_barButtonTint; }
    QColor titleTextColor() const { return m_titleText; }

    // The look every new container gets (the theme installs it at start).
    static void setAppearanceHook(std::function<void(NavigationController *)> hook);

    Q_INVOKABLE void popFromView() { popViewController(true); }

Q_SIGNALS:
    void stackChanged();

protected:
    void viewWillAppear(bool animated) override;
    void viewDidAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;
    void viewDidDisappear(bool animated) override;

private:
    QList<QPointer<ViewController>> m_stack;
    QColor m_barBackground;
    QColor m_barButtonTint;
    QColor m_titleText;
};
