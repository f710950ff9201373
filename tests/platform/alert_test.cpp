#include "alertcontroller.h"
#include "navigationcontroller.h"
#include "recordingscreen.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QPointer>

namespace {

struct Host {
    QStringList log;
    Window window;
    RecordingScreen *screen;
    Host() {
        screen = new RecordingScreen(QStringLiteral("S"), &log);
        window.setRootViewController(new NavigationController(screen));
        window.makeKeyAndVisible();
    }
};

class Alerts : public ::testing::Test {
protected:
    void TearDown() override { processEvents(); }
};

TEST_F(Alerts, TapClosesTheAlertBeforeTheHandlerRunsAndRunsItOnce) {
    Host h;
    auto *alert = new AlertController(QStringLiteral("Delete?"), QStringLiteral("Sure?"));
    int runs = 0;
    bool closedBeforeHandler = false;
    alert->addAction(QStringLiteral("Yes"), AlertAction::Style::Destructive,
                     [&](AlertController *a) {
                         ++runs;
                         EXPECT_EQ(a, alert);
                         closedBeforeHandler =
                             a->presentingViewController() == nullptr &&
                             h.screen->navigationController()->presentedViewController() == nullptr;
                     });
    alert->addAction(QStringLiteral("No"), AlertAction::Style::Cancel);
    ASSERT_TRUE(h.screen->present(alert));

    EXPECT_TRUE(alert->tap(QStringLiteral("Yes")));
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(closedBeforeHandler);
    // A second tap while the alert closes is ignored, as is any other button.
    alert->tap(QStringLiteral("Yes"));
    alert->tapAction(1);
    EXPECT_EQ(runs, 1);
}

TEST_F(Alerts, TappingAnUnknownTitleOrIndexDoesNothing) {
    Host h;
    auto *alert = new AlertController(QStringLiteral("T"), QString());
    int runs = 0;
    alert->addAction(QStringLiteral("OK"), AlertAction::Style::Default,
                     [&](AlertController *) { ++runs; });
    ASSERT_TRUE(h.screen->present(alert));
    EXPECT_FALSE(alert->tap(QStringLiteral("Ok"))); // titles match exactly
    alert->tapAction(5);
    alert->tapAction(-1);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(h.screen->navigationController()->presentedViewController(), alert);
    // The real button still works afterwards.
    EXPECT_TRUE(alert->tap(QStringLiteral("OK")));
    EXPECT_EQ(runs, 1);
}

TEST_F(Alerts, TappingTheSameTitleTwiceInOneAlertPicksTheFirst) {
    auto *alert = new AlertController(QStringLiteral("T"), QString());
    QStringList ran;
    alert->addAction(QStringLiteral("Go"), AlertAction::Style::Default,
                     [&](AlertController *) { ran << "first"; });
    alert->addAction(QStringLiteral("Go"), AlertAction::Style::Default,
                     [&](AlertController *) { ran << "second"; });
    alert->tap(QStringLiteral("Go"));
    EXPECT_EQ(ran, QStringList{"first"});
    delete alert;
}

struct StyleCase {
    AlertAction::Style style;
    const char *text;
};

class AlertActionStyles : public ::testing::TestWithParam<StyleCase> {};

TEST_P(AlertActionStyles, ReachTheViewWithTitleAndStyle) {
    AlertController alert(QStringLiteral("T"), QStringLiteral("M"),
                          AlertController::Style::ActionSheet);
    alert.addAction(QStringLiteral("First"), AlertAction::Style::Default);
    alert.addAction(QStringLiteral("Mine"), GetParam().style);
    EXPECT_EQ(alert.actionTitles(), (QStringList{"First", "Mine"}));
    const QVariantList list = alert.actionList();
    ASSERT_EQ(list.size(), 2);
    const QVariantMap mine = list.at(1).toMap();
    EXPECT_EQ(mine.value("title").toString(), QStringLiteral("Mine"));
    EXPECT_EQ(mine.value("style").toString(), QString::fromLatin1(GetParam().text));
    EXPECT_TRUE(alert.isActionSheet());
    EXPECT_EQ(alert.kind(), QStringLiteral("alert"));
    EXPECT_EQ(alert.message(), QStringLiteral("M"));
}

INSTANTIATE_TEST_SUITE_P(Alerts, AlertActionStyles,
                         ::testing::Values(StyleCase{AlertAction::Style::Default, "default"},
                                           StyleCase{AlertAction::Style::Cancel, "cancel"},
                                           StyleCase{AlertAction::Style::Destructive,
                                                     "destructive"}));

TEST_F(Alerts, TextFieldTextReachesTheHandler) {
    Host h;
    auto *alert = new AlertController(QStringLiteral("Reason"), QString());
    alert->addTextField({QString(), QStringLiteral("Reason"), false});
    alert->addTextField({QStringLiteral("preset"), QString(), true});
    QStringList seen;
    alert->addAction(QStringLiteral("Ok"), AlertAction::Style::Default, [&](AlertController *a) {
        seen << a->textFieldText(0) << a->textFieldText(1) << a->textFieldText(2);
    });
    ASSERT_TRUE(h.screen->present(alert));

    alert->setTextFieldText(0, QStringLiteral("Late truck, gate 3"));
    alert->setTextFieldText(7, QStringLiteral("ignored"));
    const QVariantList fields = alert->textFieldList();
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields.at(1).toMap().value("secure").toBool(), true);
    EXPECT_EQ(fields.at(0).toMap().value("placeholder").toString(), QStringLiteral("Reason"));
    alert->tap(QStringLiteral("Ok"));
    EXPECT_EQ(seen, (QStringList{"Late truck, gate 3", "preset", ""}));
}

TEST_F(Alerts, KeptAlertCanBeShownAndTappedAgain) {
    Host h;
    auto *alert = new AlertController(QStringLiteral("Scan failed"), QString());
    alert->setKeptAfterDismissal(true);
    int runs = 0;
    alert->addAction(QStringLiteral("Retry"), AlertAction::Style::Default,
                     [&](AlertController *) { ++runs; });
    QPointer<AlertController> guard(alert);

    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE(round);
        ASSERT_TRUE(h.screen->present(alert));
        EXPECT_TRUE(alert->tap(QStringLiteral("Retry")));
        EXPECT_EQ(runs, round);
        processEvents();
        ASSERT_FALSE(guard.isNull());
        EXPECT_EQ(h.screen->navigationController()->presentedViewController(), nullptr);
    }
}

TEST_F(Alerts, TappedAlertIsDeletedLaterAndTheHandlerMayPresentAnother) {
    Host h;
    auto *alert = new AlertController(QStringLiteral("First"), QString());
    QPointer<AlertController> guard(alert);
    AlertController *next = nullptr;
    alert->addAction(QStringLiteral("OK"), AlertAction::Style::Default, [&](AlertController *) {
        next = new AlertController(QStringLiteral("Second"), QString());
        // The first is already gone from the screen, so this is not refused.
        EXPECT_TRUE(h.screen->present(next));
    });
    ASSERT_TRUE(h.screen->present(alert));
    alert->tap(QStringLiteral("OK"));
    EXPECT_EQ(h.screen->navigationController()->presentedViewController(), next);
    processEvents();
    EXPECT_TRUE(guard.isNull());
}

} // namespace
