#include "alertcontroller.h"
#include "navigationcontroller.h"
#include "recordingscreen.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QPointer>
#include <QSignalSpy>

namespace {

QString letter(qsizetype i) {
    return QString(QChar(char16_t(u'A' + i)));
}

QStringList titles(const NavigationController &nav) {
    QStringList list;
    for (ViewController *vc : nav.viewControllers())
        list.append(vc->title());
    return list;
}

// Operations on a container whose root is "A", the window's root but not yet shown: "show"
// shows the window, "push" adds the next letter, "pop" and "popToRoot" go back. `events` are
// the life-cycle calls made by `ops` (not by `setup`), in any order. Lists are space-separated.
struct StackCase {
    const char *name, *setup, *ops, *stack, *events;
};

QStringList words(const char *text) {
    return QString::fromLatin1(text).split(u' ', Qt::SkipEmptyParts);
}

class Stack : public ::testing::TestWithParam<StackCase> {};

TEST_P(Stack, KeepsTheScreensAndRunsTheirLifeCycle) {
    const StackCase &c = GetParam();
    const QStringList setup = words(c.setup), all = setup + words(c.ops), expected = words(c.stack);
    QStringList log;
    Window window;
    auto *nav = new NavigationController(new RecordingScreen(QStringLiteral("A"), &log));
    window.setRootViewController(nav);
    QSignalSpy changed(nav, &NavigationController::stackChanged);
    QList<QPointer<ViewController>> screens{nav->rootViewController()};
    qsizetype opsStart = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QString &op = all.at(i);
        const QStringList before = titles(*nav);
        const qsizetype start = log.size();
        if (i == setup.size())
            opsStart = start;
        changed.clear();
        if (op == QLatin1String("show")) {
            window.makeKeyAndVisible();
        } else if (op == QLatin1String("push")) {
            screens.append(new RecordingScreen(letter(screens.size()), &log));
            nav->pushViewController(screens.last());
        } else if (op == QLatin1String("pop")) {
            ViewController *popped = nav->popViewController();
            EXPECT_EQ(popped == nullptr, before.size() == 1);
            if (popped) { // the caller may still read it in the same turn
                EXPECT_EQ(popped->title(), before.last());
                EXPECT_EQ(popped->navigationController(), nullptr);
            }
        } else {
            nav->popToRootViewController();
        }
        // The view rebuilds on stackChanged: it must come with every change, and only then.
        EXPECT_EQ(!changed.isEmpty(), titles(*nav) != before) << op.toStdString();
        // In one transition the leaving screen starts to go before the coming one has appeared.
        const QStringList step = log.mid(start);
        for (qsizetype w = 0; w < step.size(); ++w)
            for (qsizetype d = 0; d < w; ++d)
                EXPECT_FALSE(step.at(w).endsWith(QLatin1String(":willDisappear")) &&
                             step.at(d).endsWith(QLatin1String(":didAppear")))
                    << step.join(u' ').toStdString();
    }
    EXPECT_EQ(titles(*nav), expected);
    EXPECT_EQ(nav->topViewController()->title(), expected.last());
    EXPECT_EQ(nav->rootViewController()->title(), QStringLiteral("A"));
    for (ViewController *vc : nav->viewControllers())
        EXPECT_EQ(vc->navigationController(), nav);
    EXPECT_TRUE(sameEvents(log.mid(opsStart), words(c.events)))
        << log.mid(opsStart).join(u' ').toStdString();

    // Each screen loads once, before anything else, then cycles will/did appear/disappear.
    static const QStringList cycle{"willAppear", "didAppear", "willDisappear", "didDisappear"};
    for (const auto &screen : screens) {
        const QString name = screen->title();
        QStringList seq;
        for (const QString &e : log)
            if (e.startsWith(name + u':'))
                seq << e.mid(name.size() + 1);
        if (!seq.isEmpty() && seq.first() == QLatin1String("load"))
            seq.removeFirst();
        for (qsizetype i = 0; i < seq.size(); ++i)
            EXPECT_EQ(seq.at(i), cycle.at(i % 4)) << name.toStdString() << " step " << i;
    }
    // Popped screens go with the event loop; the stack stays.
    processEvents();
    for (qsizetype i = 0; i < screens.size(); ++i)
        EXPECT_EQ(screens.at(i).isNull(), !expected.contains(letter(i))) << i;
}

INSTANTIATE_TEST_SUITE_P(
    Navigation, Stack,
    ::testing::Values(
        StackCase{"HiddenPushOnlyLoads", "", "push", "A B", "B:load"},
        StackCase{"HiddenPushPushPop", "", "push push pop", "A B", "B:load C:load"},
        StackCase{"PopOnRootDoesNothing", "show", "pop", "A", ""},
        StackCase{"PopToRootOnRootDoesNothing", "show", "popToRoot", "A", ""},
        StackCase{"PushAfterPopToRoot", "push push", "popToRoot push", "A D", "D:load"},
        StackCase{"ShowingTwiceShowsTheRootOnce", "", "show show", "A",
                  "A:load A:willAppear A:didAppear"},
        StackCase{"PushCoversTheTop", "show", "push", "A B",
                  "B:load B:willAppear B:didAppear A:willDisappear A:didDisappear"},
        StackCase{"PopShowsTheScreenBelowWithoutReloading", "show push", "pop", "A",
                  "B:willDisappear B:didDisappear A:willAppear A:didAppear"},
        // The screens in between must not come up on the way back to the root (one that
        // reloads in viewWillAppear would send a request while being thrown away).
        StackCase{"PopToRootDoesNotShowTheScreensInBetween", "show push push", "popToRoot", "A",
                  "C:willDisappear C:didDisappear A:willAppear A:didAppear"}),
    [](const auto &info) { return std::string(info.param.name); });

// window -> nav [A, B], shown; B is the screen that presents.
struct Shown {
    QStringList log;
    Window window;
    RecordingScreen *a = new RecordingScreen(QStringLiteral("A"), &log);
    RecordingScreen *b = new RecordingScreen(QStringLiteral("B"), &log);
    NavigationController *nav = new NavigationController(a);
    Shown() {
        nav->pushViewController(b);
        window.setRootViewController(nav);
        window.makeKeyAndVisible();
        log.clear();
    }
    ~Shown() { processEvents(); }
    // A stack [first, second] to present, not shown yet.
    NavigationController *makeStack(const char *first, const char *second,
                                    RecordingScreen **top = nullptr) {
        auto *stack = new NavigationController(new RecordingScreen(first, &log));
        auto *screen = new RecordingScreen(second, &log);
        stack->pushViewController(screen);
        if (top)
            *top = screen;
        return stack;
    }
};

TEST(Presentation, PresentedStackCoversThePresenterAndAnswersItsContainer) {
    Shown s;
    EXPECT_FALSE(s.b->present(nullptr));
    RecordingScreen *d = nullptr;
    NavigationController *stack = s.makeStack("C", "D", &d);
    const qsizetype from = s.log.size();
    bool completed = false;
    ASSERT_TRUE(s.b->present(stack, true, [&] { completed = true; }));

    EXPECT_TRUE(completed);
    // Only the top of the presented stack appears.
    EXPECT_TRUE(sameEvents(s.log.mid(from),
                           {"B:willDisappear", "B:didDisappear", "D:willAppear", "D:didAppear"}))
        << s.log.join(u' ').toStdString();
    EXPECT_TRUE(d->isBeingShown());
    EXPECT_FALSE(s.b->isBeingShown());
    EXPECT_EQ(s.nav->presentedViewController(), stack);
    EXPECT_EQ(stack->viewControllerAt(0)->presentingViewController(), s.nav);
    EXPECT_EQ(s.b->presentingViewController(), nullptr);
    // How a presented screen reaches back into the stack it came from.
    auto *presenter = qobject_cast<NavigationController *>(d->presentingViewController());
    ASSERT_NE(presenter, nullptr);
    EXPECT_EQ(presenter->viewControllerAt(1), s.b);
    EXPECT_EQ(presenter->viewControllerAt(2), nullptr);
    EXPECT_EQ(presenter->viewControllerAt<AlertController>(1), nullptr); // typed: B is no alert
}

// Once B's container presents a stack, it refuses a second presentation from any of its
// screens; a screen inside the presented stack may present over it.
TEST(Presentation, SecondPresentationIsRefusedByTheSameContainerOnly) {
    for (const auto &[who, accepted] :
         {std::pair{"B", false}, {"A", false}, {"container", false}, {"inside", true}}) {
        SCOPED_TRACE(who);
        Shown s;
        NavigationController *stack = s.makeStack("C", "D");
        ASSERT_TRUE(s.b->present(stack));
        s.log.clear();
        const QMap<QString, ViewController *> presenters{
            {"B", s.b}, {"A", s.a}, {"container", s.nav}, {"inside", stack->topViewController()}};
        auto *extra = new RecordingScreen(QStringLiteral("X"), &s.log);
        bool completed = false;
        EXPECT_EQ(presenters.value(who)->present(extra, true, [&] { completed = true; }), accepted);
        EXPECT_EQ(completed, accepted);
        EXPECT_EQ(s.nav->presentedViewController(), stack);
        EXPECT_EQ(stack->presentedViewController(), accepted ? extra : nullptr);
        if (!accepted) { // the refused screen never showed, nothing was covered
            EXPECT_TRUE(s.log.isEmpty()) << s.log.join(u' ').toStdString();
            delete extra;
        }
    }
}

// What is presented over B, how it goes away, and what B and the presented one see.
struct DismissCase {
    const char *name;
    enum Kind { Alert, Screen, Stack } kind;
    bool kept;
};

class Dismissal : public ::testing::TestWithParam<DismissCase> {};

TEST_P(Dismissal, RestoresThePresenterAndDeletesUnlessKept) {
    const DismissCase &c = GetParam();
    Shown s;
    ViewController *presented = nullptr;
    ViewController *dismisser = nullptr;
    if (c.kind == DismissCase::Alert) {
        presented = dismisser = new AlertController(QStringLiteral("Note"), QString());
    } else if (c.kind == DismissCase::Screen) {
        presented = dismisser = new RecordingScreen(QStringLiteral("X"), &s.log);
    } else {
        RecordingScreen *top = nullptr;
        presented = s.makeStack("C", "D", &top);
        dismisser = top; // a screen inside the presented stack closes its own stack
    }
    presented->setKeptAfterDismissal(c.kept);
    QPointer<ViewController> guard(presented);
    ASSERT_TRUE(s.b->present(presented));
    // An alert does not cover B, so B neither goes nor comes back (and does not reload).
    const int covers = c.kind == DismissCase::Alert ? 0 : 1;
    EXPECT_EQ(s.log.count("B:willDisappear"), covers);
    s.log.clear();

    int completions = 0;
    dismisser->dismiss(true, [&] { ++completions; });

    EXPECT_EQ(completions, 1);
    EXPECT_EQ(s.nav->presentedViewController(), nullptr);
    EXPECT_EQ(s.log.count("B:willAppear"), covers) << s.log.join(u' ').toStdString();
    EXPECT_EQ(s.log.count("B:didAppear"), covers);
    EXPECT_TRUE(s.b->isBeingShown());
    ASSERT_FALSE(guard.isNull()); // deletion waits for the event loop
    EXPECT_EQ(guard->presentingViewController(), nullptr);
    processEvents();
    EXPECT_EQ(guard.isNull(), !c.kept);
    delete guard.data();
}

INSTANTIATE_TEST_SUITE_P(Presentation, Dismissal,
                         ::testing::Values(DismissCase{"Alert", DismissCase::Alert, false},
                                           DismissCase{"KeptAlert", DismissCase::Alert, true},
                                           DismissCase{"Screen", DismissCase::Screen, false},
                                           DismissCase{"StackFromInside", DismissCase::Stack,
                                                       false},
                                           DismissCase{"KeptStack", DismissCase::Stack, true}),
                         [](const auto &info) { return std::string(info.param.name); });

// Closing a chain of two presented stacks passes over the middle one: its top must not come up
// on the way (it would reload while being thrown away). Only B appears.
TEST(Presentation, DismissingAChainClosesAllWithoutShowingTheMiddle) {
    Shown s;
    RecordingScreen *d = nullptr;
    QPointer<NavigationController> first = s.makeStack("C", "D", &d);
    ASSERT_TRUE(s.b->present(first));
    // Dismissing from a presenting stack closes only what it presents.
    ASSERT_TRUE(d->present(new AlertController(QStringLiteral("Note"), QString())));
    d->dismiss();
    EXPECT_EQ(first->presentedViewController(), nullptr);
    EXPECT_EQ(s.nav->presentedViewController(), first);
    QPointer<NavigationController> second = s.makeStack("E", "F");
    ASSERT_TRUE(d->present(second));
    s.log.clear();

    s.b->dismiss();
    EXPECT_EQ(s.nav->presentedViewController(), nullptr);
    EXPECT_EQ(s.log.filter(QLatin1String("Appear")), (QStringList{"B:willAppear", "B:didAppear"}))
        << s.log.join(u' ').toStdString();
    EXPECT_EQ(s.log.count("F:didDisappear"), 1);
    EXPECT_EQ(s.log.filter(QLatin1String("D:")), QStringList())
        << "D was already covered: it does not disappear twice";
    processEvents();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());

    // With nothing presented a dismissal still completes, and B can present anew.
    s.log.clear();
    int completions = 0;
    s.b->dismiss(true, [&] { ++completions; });
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(s.log.isEmpty());
    EXPECT_TRUE(s.b->present(new RecordingScreen(QStringLiteral("G"), &s.log)));
}

} // namespace
