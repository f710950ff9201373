#include "alertcontroller.h"
#include "navigationcontroller.h"
#include "shownscreen.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QPointer>

namespace {

TEST(Alerts, TapClosesTheAlertBeforeTheHandlerRunsAndRunsItOnce) {
    ShownScreen h;
    QPointer<AlertController> alert =
        new AlertController(QStringLiteral("Delete?"), QStringLiteral("Sure?"));
    int runs = 0;
    AlertController *next = nullptr;
    alert->addAction(QStringLiteral("Yes"), AlertAction::Style::Destructive,
                     [&](AlertController *a) {
                         ++runs;
                         EXPECT_EQ(a, alert.data());
                         EXPECT_EQ(a->presentingViewController(), nullptr);
                         // Already gone from the screen, so a follow-up alert is not refused.
                         next = new AlertController(QStringLiteral("Done"), QString());
                         EXPECT_TRUE(h.screen->present(next));
                     });
    alert->addAction(QStringLiteral("No"), AlertAction::Style::Cancel);
    ASSERT_TRUE(h.screen->present(alert));
    const QVariantList actions = alert->actionList();
    ASSERT_EQ(actions.size(), 2);
    EXPECT_EQ(actions.at(0).toMap().value("style").toString(), QStringLiteral("destructive"));
    EXPECT_EQ(actions.at(1).toMap().value("style").toString(), QStringLiteral("cancel"));

    // Titles match exactly; unknown buttons do nothing.
    EXPECT_FALSE(alert->tap(QStringLiteral("yes")));
    alert->tapAction(5);
    alert->tapAction(-1);
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(h.presented(), alert.data());

    EXPECT_TRUE(alert->tap(QStringLiteral("Yes")));
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(h.presented(), next);
    // A second tap while the alert closes is ignored, as is any other button.
    alert->tap(QStringLiteral("Yes"));
    alert->tapAction(1);
    EXPECT_EQ(runs, 1);
    processEvents();
    EXPECT_TRUE(alert.isNull());
}

TEST(Alerts, TextFieldTextReachesTheHandler) {
    ShownScreen h;
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
    EXPECT_TRUE(alert->textFieldList().at(1).toMap().value("secure").toBool());
    alert->tap(QStringLiteral("Ok"));
    EXPECT_EQ(seen, (QStringList{"Late truck, gate 3", "preset", ""}));
}

TEST(Alerts, KeptAlertCanBeShownAndTappedAgain) {
    ShownScreen h;
    QPointer<AlertController> alert = new AlertController(QStringLiteral("Scan failed"), QString());
    alert->setKeptAfterDismissal(true);
    int runs = 0;
    alert->addAction(QStringLiteral("Retry"), AlertAction::Style::Default,
                     [&](AlertController *) { ++runs; });
    for (int round = 1; round <= 2; ++round) {
        ASSERT_TRUE(h.screen->present(alert));
        EXPECT_TRUE(alert->tap(QStringLiteral("Retry")));
        EXPECT_EQ(runs, round);
        processEvents();
        ASSERT_FALSE(alert.isNull());
        EXPECT_EQ(h.presented(), nullptr);
    }
}

} // namespace
