#include "alertcontroller.h"
#include "navigationcontroller.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>

namespace {

// Writes every life-cycle call into a shared log as "<title>:<event>".
class Screen : public ViewController {
public:
    Screen(const QString &name, QStringList *log) : m_log(log) { setTitle(name); }
    void viewDidLoad() override { note("load"); }
    void viewWillAppear(bool) override { note("willAppear"); }
    void viewDidAppear(bool) override { note("didAppear"); }
    void viewWillDisappear(bool) override { note("willDisappear"); }
    void viewDidDisappear(bool) override { note("didDisappear"); }
    void note(const char *event) { m_log->append(title() + u':' + QLatin1String(event)); }
    QStringList *m_log;
};

QStringList words(const char *text) {
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

// The log entries of the screens named in `names`, screen by screen.
QStringList of(const QStringList &log, const char *names) {
    QStringList entries;
    for (const QString &name : words(names))
        entries += log.filter(QRegularExpression(u'^' + name + u':'));
    return entries;
}

QStringList titles(const NavigationController &nav) {
    QStringList list;
    for (ViewController *vc : nav.viewControllers())
        list << vc->title();
    return list;
}

// `ops` ("show", "push" the next letter, "insertN" it at N, "pop", "popToRoot") run after
// `setup` on a root "A" not shown yet; they leave `stack` and cause `events`, each screen's own
// in order. A screen put under the top one (a result screen making its receiver) loads but
// stays unseen until the top one goes; a bad insertion leaves the stack alone.
TEST(Navigation, StackKeepsTheScreensAndRunsTheirLifeCycle) {
    struct Case {
        const char *setup, *ops, *stack, *events;
    };
    for (const Case &c : {
             Case{"", "push push pop", "A B", "B:load C:load"}, // hidden: only loads
             {"show", "pop popToRoot", "A", ""},
             {"", "show show", "A", "A:load A:willAppear A:didAppear"},
             {"show", "push", "A B",
              "B:load B:willAppear B:didAppear A:willDisappear A:didDisappear"},
             {"show push", "pop", "A", "B:willDisappear B:didDisappear A:willAppear A:didAppear"},
             // A screen in between that came up would reload while being thrown away.
             {"show push push", "popToRoot", "A",
              "C:willDisappear C:didDisappear A:willAppear A:didAppear"},
             {"show push", "insert1", "A C B", "C:load"},
             {"show push", "insert1 pop", "A C",
              "C:load B:willDisappear B:didDisappear C:willAppear C:didAppear"},
             {"show push", "insert2", "A B C", // at the end it is a push
              "C:load C:willAppear C:didAppear B:willDisappear B:didDisappear"},
             {"show push", "insert3", "A B", ""},
         }) {
        SCOPED_TRACE(testing::Message() << c.setup << " | " << c.ops);
        const QStringList setup = words(c.setup), all = setup + words(c.ops);
        QStringList log;
        Window window;
        auto *nav = new NavigationController(new Screen(QStringLiteral("A"), &log));
        window.setRootViewController(nav);
        QSignalSpy changed(nav, &NavigationController::stackChanged);
        QList<QPointer<ViewController>> screens{nav->rootViewController()};
        for (qsizetype i = 0; i < all.size(); ++i) {
            const QString &op = all.at(i);
            const QStringList before = titles(*nav);
            if (i == setup.size())
                log.clear();
            changed.clear();
            if (op == QLatin1String("show")) {
                window.makeKeyAndVisible();
            } else if (op == QLatin1String("push") || op.startsWith(QLatin1String("insert"))) {
                auto *screen = new Screen(QChar(char16_t(u'A' + screens.size())), &log);
                screens << screen;
                op == QLatin1String("push") ? nav->pushViewController(screen)
                                            : nav->insertViewController(screen, op.mid(6).toInt());
                if (!nav->viewControllers().contains(screen))
                    delete screen; // refused: still ours
            } else if (op == QLatin1String("pop")) {
                ViewController *popped = nav->popViewController();
                EXPECT_EQ(popped ? popped->title() : "", before.size() > 1 ? before.last() : "");
                // Still readable in the same turn, but out of the stack.
                EXPECT_TRUE(!popped || !popped->navigationController());
            } else {
                nav->popToRootViewController();
            }
            // The view rebuilds on stackChanged: it must come with every change, and only then.
            EXPECT_EQ(!changed.isEmpty(), titles(*nav) != before) << op.toStdString();
        }
        EXPECT_EQ(titles(*nav), words(c.stack));
        EXPECT_EQ(of(log, "A B C D"), of(words(c.events), "A B C D"))
            << log.join(u' ').toStdString();
        EXPECT_EQ(log.size(), words(c.events).size());
        processEvents(); // popped screens go with the event loop
        for (const auto &screen : screens)
            EXPECT_EQ(screen.isNull(), !words(c.stack).contains(screen ? screen->title() : "-"));
    }
}

// B presents [C, D]; D presents an alert, then a kept [E, F] twice; B closes the whole chain.
TEST(Presentation, PresentedScreensCoverThePresenterAndCloseAsAChain) {
    QStringList log;
    Window window;
    auto *a = new Screen(QStringLiteral("A"), &log), *b = new Screen(QStringLiteral("B"), &log);
    auto *nav = new NavigationController(a);
    nav->pushViewController(b);
    window.setRootViewController(nav);
    window.makeKeyAndVisible();
    auto stack = [&](const char *first, const char *second) { // not shown yet
        auto *stack = new NavigationController(new Screen(first, &log));
        stack->pushViewController(new Screen(second, &log));
        return stack;
    };
    QPointer<NavigationController> first = stack("C", "D");
    ViewController *d = first->topViewController();
    log.clear();
    int completions = 0;
    ASSERT_TRUE(b->present(first, true, [&] { ++completions; }));
    EXPECT_EQ(completions, 1);
    // Only the top of the presented stack appears.
    EXPECT_EQ(of(log, "B D"), words("B:willDisappear B:didDisappear D:willAppear D:didAppear"));
    EXPECT_EQ(log.size(), 4);
    // How a presented screen reaches back into the stack it came from.
    auto *presenter = qobject_cast<NavigationController *>(d->presentingViewController());
    ASSERT_EQ(presenter, nav);
    EXPECT_EQ(presenter->viewControllerAt(1), b);
    // The covered container refuses, from any of its screens.
    Screen extra(QStringLiteral("X"), &log);
    for (ViewController *refuser : std::initializer_list<ViewController *>{a, b, nav})
        EXPECT_FALSE(refuser->present(&extra, true, [&] { ++completions; }));
    // An alert does not cover D, which must not reload. A tap closes it, then runs its handler;
    // taps while it closes are ignored.
    log.clear();
    QPointer<AlertController> alert =
        new AlertController(QStringLiteral("Delete?"), QStringLiteral("Sure?"));
    int yes = 0;
    alert->addAction(QStringLiteral("Yes"), AlertAction::Style::Destructive,
                     [&](AlertController *tapped) {
                         EXPECT_EQ(tapped->presentingViewController(), nullptr); // D may present
                         ++yes;
                     });
    ASSERT_TRUE(d->present(alert));
    EXPECT_FALSE(alert->tap(QStringLiteral("yes"))); // titles match exactly
    EXPECT_TRUE(alert->tap(QStringLiteral("Yes")));
    alert->tap(QStringLiteral("Yes"));
    EXPECT_EQ(yes, 1);
    EXPECT_EQ(first->presentedViewController(), nullptr);
    // Dismissing from a presenting screen closes only what it presents.
    ASSERT_TRUE(d->present(new AlertController(QStringLiteral("A"), QString())));
    d->dismiss(true, [&] { ++completions; });
    EXPECT_EQ(completions, 2);
    EXPECT_EQ(nav->presentedViewController(), first);
    EXPECT_EQ(first->presentedViewController(), nullptr);
    EXPECT_TRUE(log.isEmpty()) << log.join(u' ').toStdString();
    // A screen inside a presented stack closes its own stack; a kept one can come back.
    QPointer<NavigationController> second = stack("E", "F");
    second->setKeptAfterDismissal(true);
    ASSERT_TRUE(d->present(second));
    log.clear();
    second->topViewController()->dismiss();
    EXPECT_EQ(of(log, "F D"), words("F:willDisappear F:didDisappear D:willAppear D:didAppear"));
    EXPECT_EQ(nav->presentedViewController(), first);
    processEvents();
    ASSERT_FALSE(second.isNull());
    ASSERT_TRUE(d->present(second));
    log.clear();
    // Closing the chain passes over D: it must not come up (it would reload while being thrown
    // away), nor disappear twice (it once did).
    b->dismiss();
    EXPECT_EQ(nav->presentedViewController(), nullptr);
    EXPECT_EQ(log.filter(QLatin1String("Appear")), words("B:willAppear B:didAppear"));
    EXPECT_EQ(log.count("F:didDisappear"), 1);
    EXPECT_EQ(of(log, "D"), QStringList());
    ASSERT_FALSE(first.isNull()); // deletion waits for the event loop
    processEvents();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull()) << "a kept screen without an owner goes with its host";
    // With nothing presented a dismissal still completes, and B can present anew.
    b->dismiss(true, [&] { ++completions; });
    EXPECT_EQ(completions, 3);
    EXPECT_TRUE(b->present(new Screen(QStringLiteral("G"), &log)));
}

} // namespace
