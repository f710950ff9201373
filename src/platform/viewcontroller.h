#pragma once

#include "barbuttonitem.h"

#include <functional>
#include <QColor>
#include <QObject>
#include <QPointer>
#include <QString>

class NavigationController;

// A screen, as the phone platform knows it: a title, bar buttons, life-cycle hooks and modal
// presentation. The screen's QML view (qmlView) only draws what the controller holds.
class ViewController : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString title READ title WRITE setTitle NOTIFY titleChanged)
    Q_PROPERTY(QString qmlView READ qmlView CONSTANT)
    Q_PROPERTY(BarButtonItem *leftBarButtonItem READ leftBarButtonItem NOTIFY barButtonsChanged)
    Q_PROPERTY(BarButtonItem *rightBarButtonItem READ rightBarButtonItem NOTIFY barButtonsChanged)
    // A second button on the right, left of the first (the scanner's Add beside Done).
    Q_PROPERTY(BarButtonItem *secondaryRightBarButtonItem READ secondaryRightBarButtonItem NOTIFY
                   barButtonsChanged)
    Q_PROPERTY(QColor barTintColor READ barTintColor WRITE setBarTintColor NOTIFY appearanceChanged)
    Q_PROPERTY(QColor backgroundColor READ backgroundColor WRITE setBackgroundColor NOTIFY
                   appearanceChanged)
    Q_PROPERTY(ViewController *presentedViewController READ presentedViewController NOTIFY
                   presentationChanged)
    Q_PROPERTY(QString kind READ kind CONSTANT)
public:
    explicit ViewController(QObject *parent = nullptr);
    ~ViewController() override;

    QString title() const { return m_title; }
    void setTitle(const QString &title);
    virtual QString qmlView() const { return QString(); }
    // "screen", "navigation" or "alert": how the window draws it when presented.
    virtual QString kind() const { return QStringLiteral("screen"); }

    BarButtonItem *leftBarButtonItem() const { return m_left; }
    BarButtonItem *rightBarButtonItem() const { return m_right; }
    void setLeftBarButtonItem(BarButtonItem *item);
    void setRightBarButtonItem(BarButtonItem *item);
    BarButtonItem *secondaryRightBarButtonItem() const { return m_secondaryRight; }
    void setSecondaryRightBarButtonItem(BarButtonItem *item) {
        m_secondaryRight = item;
        Q_EMIT barButtonsChanged();
    }

    QColor barTintColor() const { return m_barTint; }
    void setBarTintColor(const QColor &c);
    QColor backgroundColor() const { return m_background; }
    void setBackgroundColor(const QColor &c);

    // Runs viewDidLoad once, before the screen first appears.
    void loadViewIfNeeded();
    bool isViewLoaded() const { return m_loaded; }

    // The container this screen sits in (null when not pushed anywhere).
    NavigationController *navigationController() const;
    void setNavigationController(NavigationController *nav);

    // Presents `vc` modally over this screen's container. A screen that is already presenting
    // something refuses another screen (as the platform does) and returns false; an alert is
    // then shown over the topmost presented screen instead, so that no message is lost.
    bool present(ViewController *vc, bool animated = true, std::function<void()> completion = {});
    // Dismisses what this screen presents or, if it presents nothing, the stack it was
    // presented in.
    void dismiss(bool animated = true, std::function<void()> completion = {});
    ViewController *presentedViewController() const { return m_presented; }
    ViewController *presentingViewController() const;
    bool isBeingShown() const { return m_visible; }
    // A screen its owner shows again and again (a reused alert) is not deleted on dismissal.
    void setKeptAfterDismissal(bool kept) { m_kept = kept; }

    // Life-cycle entry points driven by the containers.
    void beginAppearance();
    void endAppearance();
    void beginDisappearance();
    void endDisappearance();
    Q_INVOKABLE void layoutSubviews() { viewDidLayoutSubviews(); }

Q_SIGNALS:
    void titleChanged();
    void barButtonsChanged();
    void appearanceChanged();
    void presentationChanged();

protected:
    virtual void viewDidLoad() {}
    virtual void viewWillAppear(bool) {}
    virtual void viewDidAppear(bool) {}
    virtual void viewWillDisappear(bool) {}
    virtual void viewDidDisappear(bool) {}
    virtual void viewDidLayoutSubviews() {}
    // The controller whose presentation slot a present() from here uses.
    ViewController *presentationHost();
    // Closes everything presented from here on, with no screen appearing on the way.
    void dropPresentedChain();

private:
    QString m_title;
    BarButtonItem *m_left = nullptr;
    BarButtonItem *m_right = nullptr;
    BarButtonItem *m_secondaryRight = nullptr;
    QColor m_barTint;
    QColor m_background;
    bool m_loaded = false;
    bool m_visible = false;
    bool m_kept = false;
    QPointer<NavigationController> m_navigationController;
    QPointer<ViewController> m_presented;
    QPointer<ViewController> m_presenting;
};
