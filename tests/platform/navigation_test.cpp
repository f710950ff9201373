#include "alertcontroller.h"
#include "navigationcontroller.h"
#include "recordingscreen.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QPointer>
#include <QSignalSpy>

namespace {

QStringList titles(const NavigationController &nav) {
    QStringList list;
    for (ViewController *vc : nav.viewControllers())
        list.append(vc->title());
    return list;
}

// A sequence of stack operations on a container whose root is "A"; each "push" adds the next
// letter.
struct StackCase {
    const char *name;
    QStringList operations;
    QStringList expectedStack;
    int minSignals; // stackChanged emissions, at least
    int maxSignals; // and at most
};

class StackOperations : public ::testing::TestWithParam<StackCase> {};

TEST_P(StackOperations, KeepTheStackAndSignalOnlyRealChanges) {
    const StackCase &c = GetParam();
    QStringList log;
    NavigationController nav(new RecordingScreen(QStringLiteral("A"), &log));
    QSignalSpy changed(&nav, &NavigationController::stackChanged);
    char next = 'B';
    for (const QString &op : c.operations) {
        if (op == QLatin1String("push"))
            nav.pushViewController(new RecordingScreen(QString(QLatin1Char(next++)), &log));
        else if (op == QLatin1String("pop"))
            nav.popViewController();
        else if (op == QLatin1String("popToRoot"))
            nav.popToRootViewController();
    }
    EXPECT_EQ(titles(nav), c.expectedStack);
    EXPECT_GE(changed.count(), c.minSignals);
    EXPECT_LE(changed.count(), c.maxSignals);
    ASSERT_NE(nav.topViewController(), nullptr);
    EXPECT_EQ(nav.topViewController()->title(), c.expectedStack.last());
    EXPECT_EQ(nav.rootViewController()->title(), QStringLiteral("A"));
    for (ViewController *vc : nav.viewControllers())
        EXPECT_EQ(vc->navigationController(), &nav);
    processEvents();
}

INSTANTIATE_TEST_SUITE_P(
    Navigation, StackOperations,
    ::testing::Values(
        StackCase{"PushOne", {"push"}, {"A", "B"}, 1, 1},
        StackCase{"PushTwo", {"push", "push"}, {"A", "B", "C"}, 2, 2},
        StackCase{"PushThenPop", {"push", "push", "pop"}, {"A", "B"}, 3, 3},
        StackCase{"PopOnRootDoesNothing", {"pop"}, {"A"}, 0, 0},
        StackCase{"PopToRootOnRootDoesNothing", {"popToRoot"}, {"A"}, 0, 0},
        StackCase{"PopToRootFromThree", {"push", "push", "popToRoot"}, {"A"}, 3, 4},
        StackCase{"PushAfterPopToRoot", {"push", "push", "popToRoot", "push"}, {"A", "D"}, 4, 5}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Navigation, ViewControllerAtAndTypedLookup) {
    QStringList log;
    auto *a = new RecordingScreen(QStringLiteral("A"), &log);
    auto *b = new AlertController(QStringLiteral("B"), QString());
    NavigationController nav(a);
    nav.pushViewController(b);

    struct Lookup {
        int index;
        ViewController *any;
        AlertController *alert;
    };
    const Lookup table[] = {
        {0, a, nullptr}, {1, b, b}, {2, nullptr, nullptr}, {-1, nullptr, nullptr}};
    for (const Lookup &l : table) {
        SCOPED_TRACE(l.index);
        EXPECT_EQ(nav.viewControllerAt(l.index), l.any);
        EXPECT_EQ(nav.viewControllerAt<AlertController>(l.index), l.alert);
    }
    EXPECT_EQ(nav.viewControllerObjects(), (QList<QObject *>{a, b}));
}

TEST(Navigation, PopReturnsTheScreenAndDeletesItOnlyLater) {
    QStringList log;
    NavigationController nav(new RecordingScreen(QStringLiteral("A"), &log));
    nav.pushViewController(new RecordingScreen(QStringLiteral("B"), &log));
    QPointer<ViewController> popped = nav.popViewController();
    ASSERT_FALSE(popped.isNull());
    // The caller may still read it in the same turn.
    EXPECT_EQ(popped->title(), QStringLiteral("B"));
    EXPECT_EQ(popped->navigationController(), nullptr);
    processEvents();
    EXPECT_TRUE(popped.isNull());
}

TEST(Navigation, PopToRootDeletesEveryPoppedScreen) {
    QStringList log;
    NavigationController nav(new RecordingScreen(QStringLiteral("A"), &log));
    QPointer<ViewController> b = new RecordingScreen(QStringLiteral("B"), &log);
    QPointer<ViewController> c = new RecordingScreen(QStringLiteral("C"), &log);
    nav.pushViewController(b);
    nav.pushViewController(c);
    nav.popToRootViewController();
    processEvents();
    EXPECT_TRUE(b.isNull());
    EXPECT_TRUE(c.isNull());
    EXPECT_FALSE(nav.rootViewController() == nullptr);
}

// A shown stack: window -> container -> A.
struct ShownStack {
    QStringList log;
    Window window;
    NavigationController *nav;
    RecordingScreen *a;
    ShownStack() {
        a = new RecordingScreen(QStringLiteral("A"), &log);
        nav = new NavigationController(a);
        window.setRootViewController(nav);
        window.makeKeyAndVisible();
    }
};

TEST(NavigationLifeCycle, ShowingTheWindowLoadsAndShowsTheRootOnce) {
    ShownStack s;
    EXPECT_EQ(s.log, (QStringList{"A:load", "A:willAppear", "A:didAppear"}));
    EXPECT_TRUE(s.nav->isBeingShown());
    EXPECT_TRUE(s.a->isBeingShown());
    EXPECT_EQ(Window::keyWindow(), &s.window);
    // A second call must not run the appearance again.
    s.window.makeKeyAndVisible();
    EXPECT_EQ(s.log.size(), 3);
}

TEST(NavigationLifeCycle, PushOnAShownStackCoversTheTopAndShowsTheNewOne) {
    ShownStack s;
    s.log.clear();
    auto *b = new RecordingScreen(QStringLiteral("B"), &s.log);
    s.nav->pushViewController(b);

    for (const char *event :
         {"B:load", "B:willAppear", "B:didAppear", "A:willDisappear", "A:didDisappear"})
        EXPECT_EQ(s.log.count(QString::fromLatin1(event)), 1) << event;
    EXPECT_EQ(s.log.size(), 5) << s.log.join(u' ').toStdString();
    EXPECT_TRUE(loggedBefore(s.log, "B:load", "B:willAppear"));
    EXPECT_TRUE(loggedBefore(s.log, "B:willAppear", "B:didAppear"));
    EXPECT_TRUE(loggedBefore(s.log, "A:willDisappear", "A:didDisappear"));
    EXPECT_TRUE(loggedBefore(s.log, "A:willDisappear", "B:didAppear"));
    EXPECT_TRUE(b->isBeingShown());
    EXPECT_FALSE(s.a->isBeingShown());
}

TEST(NavigationLifeCycle, PopShowsTheScreenBelowWithoutLoadingItAgain) {
    ShownStack s;
    auto *b = new RecordingScreen(QStringLiteral("B"), &s.log);
    s.nav->pushViewController(b);
    s.log.clear();
    s.nav->popViewController();

    EXPECT_EQ(s.log.count("A:load"), 0);
    EXPECT_EQ(s.log.count("A:willAppear"), 1);
    EXPECT_EQ(s.log.count("A:didAppear"), 1);
    EXPECT_EQ(s.log.count("B:willDisappear"), 1);
    EXPECT_EQ(s.log.count("B:didDisappear"), 1);
    EXPECT_TRUE(loggedBefore(s.log, "A:willAppear", "A:didAppear"));
    EXPECT_TRUE(loggedBefore(s.log, "B:willDisappear", "B:didDisappear"));
    EXPECT_TRUE(s.a->isBeingShown());
    processEvents();
}

TEST(NavigationLifeCycle, PushOnAHiddenStackDoesNotAppear) {
    QStringList log;
    NavigationController nav(new RecordingScreen(QStringLiteral("A"), &log));
    nav.pushViewController(new RecordingScreen(QStringLiteral("B"), &log));
    EXPECT_EQ(log.count("B:willAppear"), 0);
    EXPECT_EQ(log.count("B:didAppear"), 0);
    EXPECT_EQ(log.count("A:willDisappear"), 0);
}

// Going back to the root passes over the screens between: they must not come up on the way
// (a screen that reloads in viewWillAppear would send a request while being thrown away).
TEST(NavigationLifeCycle, PopToRootDoesNotShowTheScreensInBetween) {
    ShownStack s;
    s.nav->pushViewController(new RecordingScreen(QStringLiteral("B"), &s.log));
    s.nav->pushViewController(new RecordingScreen(QStringLiteral("C"), &s.log));
    s.log.clear();
    s.nav->popToRootViewController();

    EXPECT_EQ(s.log.count("B:willAppear"), 0) << s.log.join(u' ').toStdString();
    EXPECT_EQ(s.log.count("B:didAppear"), 0);
    EXPECT_EQ(s.log.count("A:willAppear"), 1);
    EXPECT_EQ(s.log.count("A:didAppear"), 1);
    EXPECT_EQ(s.log.count("C:willDisappear"), 1);
    EXPECT_EQ(s.log.count("C:didDisappear"), 1);
    processEvents();
}

TEST(NavigationLifeCycle, ViewDidLoadRunsOnceOverManyAppearances) {
    ShownStack s;
    auto *b = new RecordingScreen(QStringLiteral("B"), &s.log);
    s.nav->pushViewController(b);
    for (int i = 0; i < 3; ++i) {
        s.nav->pushViewController(new RecordingScreen(QStringLiteral("C"), &s.log));
        s.nav->popViewController();
    }
    EXPECT_EQ(s.log.count("A:load"), 1);
    EXPECT_EQ(s.log.count("B:load"), 1);
    EXPECT_EQ(s.log.count("B:willAppear"), 4);
    processEvents();
}

} // namespace
