#include "alertcontroller.h"
#include "navigationcontroller.h"
#include "recordingscreen.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QPointer>
#include <QSignalSpy>

namespace {

// window -> nav [A, B], shown; B is the screen that presents.
struct Shown {
    QStringList log;
    Window window;
    NavigationController *nav;
    RecordingScreen *a;
    RecordingScreen *b;
    Shown() {
        a = new RecordingScreen(QStringLiteral("A"), &log);
        b = new RecordingScreen(QStringLiteral("B"), &log);
        nav = new NavigationController(a);
        nav->pushViewController(b);
        window.setRootViewController(nav);
        window.makeKeyAndVisible();
        log.clear();
    }
    // A stack [first, second] to present, not shown yet.
    NavigationController *makeStack(const QString &first, const QString &second,
                                    RecordingScreen **top = nullptr) {
        auto *stack = new NavigationController(new RecordingScreen(first, &log));
        auto *screen = new RecordingScreen(second, &log);
        stack->pushViewController(screen);
        if (top)
            *top = screen;
        return stack;
    }
};

class Presentation : public ::testing::Test {
protected:
    void TearDown() override { processEvents(); }
};

TEST_F(Presentation, PresentedStackAndItsScreensAnswerThePresentingContainer) {
    Shown s;
    RecordingScreen *d = nullptr;
    NavigationController *stack = s.makeStack(QStringLiteral("C"), QStringLiteral("D"), &d);
    bool completed = false;
    ASSERT_TRUE(s.b->present(stack, true, [&] { completed = true; }));

    EXPECT_TRUE(completed);
    EXPECT_EQ(s.nav->presentedViewController(), stack);
    EXPECT_EQ(stack->presentingViewController(), s.nav);
    EXPECT_EQ(stack->viewControllerAt(0)->presentingViewController(), s.nav);
    EXPECT_EQ(d->presentingViewController(), s.nav);
    // How a presented screen reaches back into the stack it came from.
    auto *presenter = qobject_cast<NavigationController *>(d->presentingViewController());
    ASSERT_NE(presenter, nullptr);
    EXPECT_EQ(presenter->viewControllerAt(1), s.b);
    // The presenting stack itself was not presented by anyone.
    EXPECT_EQ(s.b->presentingViewController(), nullptr);
}

TEST_F(Presentation, FullScreenPresentationCoversThePresenterAndShowsTheNewTop) {
    Shown s;
    RecordingScreen *d = nullptr;
    NavigationController *stack = s.makeStack(QStringLiteral("C"), QStringLiteral("D"), &d);
    ASSERT_TRUE(s.b->present(stack));

    EXPECT_EQ(s.log.count("B:willDisappear"), 1);
    EXPECT_EQ(s.log.count("B:didDisappear"), 1);
    EXPECT_EQ(s.log.count("D:willAppear"), 1);
    EXPECT_EQ(s.log.count("D:didAppear"), 1);
    // Only the top of the presented stack appears.
    EXPECT_EQ(s.log.count("C:willAppear"), 0);
    EXPECT_TRUE(d->isBeingShown());
    EXPECT_FALSE(s.b->isBeingShown());
}

// Who tries to present a second time, while B's container already presents a stack.
struct SecondPresenter {
    const char *name;
    std::function<ViewController *(Shown &, NavigationController *presented)> pick;
    bool accepted;
};

class PresentWhilePresenting : public ::testing::TestWithParam<SecondPresenter> {
protected:
    void TearDown() override { processEvents(); }
};

TEST_P(PresentWhilePresenting, IsRefusedByTheSameContainerOnly) {
    const SecondPresenter &p = GetParam();
    Shown s;
    NavigationController *stack = s.makeStack(QStringLiteral("C"), QStringLiteral("D"));
    ASSERT_TRUE(s.b->present(stack));
    s.log.clear();

    auto *extra = new RecordingScreen(QStringLiteral("X"), &s.log);
    QPointer<ViewController> guard(extra);
    bool completed = false;
    ViewController *presenter = p.pick(s, stack);
    const bool result = presenter->present(extra, true, [&] { completed = true; });

    EXPECT_EQ(result, p.accepted);
    EXPECT_EQ(completed, p.accepted);
    if (p.accepted) {
        EXPECT_EQ(extra->presentingViewController(), stack);
    } else {
        // Nothing moved: the first presentation stays, the refused screen never showed.
        EXPECT_EQ(s.nav->presentedViewController(), stack);
        EXPECT_EQ(stack->presentedViewController(), nullptr);
        EXPECT_EQ(s.log.count("X:willAppear"), 0);
        EXPECT_EQ(s.log.count("D:willDisappear"), 0);
        delete extra;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Presentation, PresentWhilePresenting,
    ::testing::Values(
        SecondPresenter{"SameScreen", [](Shown &s, NavigationController *) { return s.b; }, false},
        SecondPresenter{"OtherScreenOfTheStack",
                        [](Shown &s, NavigationController *) { return s.a; }, false},
        SecondPresenter{"TheContainer", [](Shown &s, NavigationController *) { return s.nav; },
                        false},
        SecondPresenter{
            "ScreenInsideThePresentedStack",
            [](Shown &, NavigationController *stack) { return stack->topViewController(); }, true}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Presentation, PresentingNothingIsRefused) {
    Shown s;
    EXPECT_FALSE(s.b->present(nullptr));
    EXPECT_EQ(s.nav->presentedViewController(), nullptr);
}

// What is presented over B, how it goes away, and what B and the presented one see.
struct DismissCase {
    const char *name;
    enum Kind { Alert, Screen, Stack } kind;
    bool kept;
    int presenterReappears; // B's viewWillAppear on dismissal
};

class Dismissal : public ::testing::TestWithParam<DismissCase> {
protected:
    void TearDown() override { processEvents(); }
};

TEST_P(Dismissal, RestoresThePresenterAsThePlatformDoes) {
    const DismissCase &c = GetParam();
    Shown s;
    ViewController *presented = nullptr;
    ViewController *dismisser = nullptr;
    switch (c.kind) {
    case DismissCase::Alert: {
        auto *alert = new AlertController(QStringLiteral("Note"), QString());
        alert->addAction(QStringLiteral("OK"), AlertAction::Style::Default);
        presented = dismisser = alert;
        break;
    }
    case DismissCase::Screen:
        presented = dismisser = new RecordingScreen(QStringLiteral("X"), &s.log);
        break;
    case DismissCase::Stack: {
        RecordingScreen *top = nullptr;
        presented = s.makeStack(QStringLiteral("C"), QStringLiteral("D"), &top);
        dismisser = top; // a screen inside the presented stack closes its own stack
        break;
    }
    }
    presented->setKeptAfterDismissal(c.kept);
    QPointer<ViewController> guard(presented);
    ASSERT_TRUE(s.b->present(presented));
    const bool covers = c.kind != DismissCase::Alert;
    EXPECT_EQ(s.log.count("B:willDisappear"), covers ? 1 : 0);
    s.log.clear();

    int completions = 0;
    dismisser->dismiss(true, [&] { ++completions; });

    EXPECT_EQ(completions, 1);
    EXPECT_EQ(s.nav->presentedViewController(), nullptr);
    EXPECT_EQ(s.log.count("B:willAppear"), c.presenterReappears) << s.log.join(u' ').toStdString();
    EXPECT_EQ(s.log.count("B:didAppear"), c.presenterReappears);
    EXPECT_EQ(s.log.count("B:load"), 0);
    EXPECT_TRUE(s.b->isBeingShown());
    ASSERT_FALSE(guard.isNull()); // deletion waits for the event loop
    EXPECT_EQ(guard->presentingViewController(), nullptr);
    processEvents();
    EXPECT_EQ(guard.isNull(), !c.kept);
    if (c.kept)
        delete guard.data();
}

INSTANTIATE_TEST_SUITE_P(Presentation, Dismissal,
                         ::testing::Values(DismissCase{"Alert", DismissCase::Alert, false, 0},
                                           DismissCase{"KeptAlert", DismissCase::Alert, true, 0},
                                           DismissCase{"Screen", DismissCase::Screen, false, 1},
                                           DismissCase{"StackFromInside", DismissCase::Stack, false,
                                                       1},
                                           DismissCase{"KeptStack", DismissCase::Stack, true, 1}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Presentation, DismissFromTheStackThatPresentsClosesOnlyWhatItPresents) {
    Shown s;
    RecordingScreen *d = nullptr;
    NavigationController *stack = s.makeStack(QStringLiteral("C"), QStringLiteral("D"), &d);
    ASSERT_TRUE(s.b->present(stack));
    auto *alert = new AlertController(QStringLiteral("Note"), QString());
    ASSERT_TRUE(d->present(alert));

    d->dismiss();
    EXPECT_EQ(stack->presentedViewController(), nullptr);
    EXPECT_EQ(s.nav->presentedViewController(), stack);
}

TEST_F(Presentation, DismissingAStackThatPresentsAnotherClosesBoth) {
    Shown s;
    RecordingScreen *d = nullptr;
    QPointer<NavigationController> first =
        s.makeStack(QStringLiteral("C"), QStringLiteral("D"), &d);
    ASSERT_TRUE(s.b->present(first));
    RecordingScreen *f = nullptr;
    QPointer<NavigationController> second =
        s.makeStack(QStringLiteral("E"), QStringLiteral("F"), &f);
    ASSERT_TRUE(d->present(second));
    QPointer<ViewController> fGuard(f);
    s.log.clear();

    s.b->dismiss();

    EXPECT_EQ(s.nav->presentedViewController(), nullptr);
    EXPECT_EQ(s.log.count("F:willDisappear"), 1);
    EXPECT_EQ(s.log.count("F:didDisappear"), 1);
    EXPECT_EQ(s.log.count("B:willAppear"), 1);
    EXPECT_TRUE(s.b->isBeingShown());
    processEvents();
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
    EXPECT_TRUE(fGuard.isNull());
    // The presenting stack is whole again and can present anew.
    auto *again = new RecordingScreen(QStringLiteral("G"), &s.log);
    EXPECT_TRUE(s.b->present(again));
}

// Closing a chain of two presented stacks in one go passes over the middle one: its top must
// not come up on the way (it would reload while being thrown away).
TEST_F(Presentation, DismissingAChainDoesNotShowTheMiddleStack) {
    Shown s;
    RecordingScreen *d = nullptr;
    NavigationController *first = s.makeStack(QStringLiteral("C"), QStringLiteral("D"), &d);
    ASSERT_TRUE(s.b->present(first));
    ASSERT_TRUE(d->present(s.makeStack(QStringLiteral("E"), QStringLiteral("F"))));
    s.log.clear();

    s.b->dismiss();

    EXPECT_EQ(s.log.count("D:willAppear"), 0) << s.log.join(u' ').toStdString();
    EXPECT_EQ(s.log.count("D:didAppear"), 0);
}

TEST_F(Presentation, DismissWithNothingPresentedStillCompletes) {
    Shown s;
    int completions = 0;
    s.b->dismiss(true, [&] { ++completions; });
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(s.log.count("B:willAppear"), 0);
    EXPECT_EQ(s.window.rootViewController(), s.nav);
}

TEST_F(Presentation, PresentationChangedFollowsPresentAndDismiss) {
    Shown s;
    QSignalSpy changed(s.nav, &ViewController::presentationChanged);
    ASSERT_TRUE(s.b->present(new RecordingScreen(QStringLiteral("X"), &s.log)));
    EXPECT_EQ(changed.count(), 1);
    s.b->dismiss();
    EXPECT_EQ(changed.count(), 2);
}

} // namespace
