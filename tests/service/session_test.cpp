#include "access.h"
#include "common.h"
#include "navigationcontroller.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

common &c() {
    return common::sharedInstance();
}

class access someone() {
    class access a;
    a.BranchCode = "B1";
    a.Users_id = "42";
    a.EmpName = "Ravi Kumar";
    a.Employee_id = "E-7";
    a.Department_id = "3";
    a.Department = "Security";
    a.ImagePath = "~/Security/PersonsImages/42.jpg";
    a.Division_id = "9";
    a.DivisionName = "Press Shop";
    a.Device_id = "D-1";
    a.GateName = "North Gate";
    return a;
}

class Session : public ::testing::Test {
protected:
    ~Session() override { master = saved; }
    IsolatedDefaults defaults;
    class access saved = master;
};

TEST_F(Session, SavedSessionComesBackIntoMaster) {
    master = someone();
    c().saveSession();
    master = {};
    ASSERT_TRUE(c().hasSavedSession());
    EXPECT_EQ(master, someone());
}

TEST_F(Session, SavedTextHoldsExactlyTheElevenFields) {
    master = someone();
    c().saveSession();
    const QString text = c().defaultsStore().value(QStringLiteral("master")).toString();
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8());
    ASSERT_TRUE(doc.isObject()) << text.toStdString();
    QStringList keys = doc.object().keys();
    keys.sort();
    QStringList expected{"BranchCode",    "Users_id",   "EmpName",   "Employee_id",
                         "Department_id", "Department", "ImagePath", "Division_id",
                         "DivisionName",  "Device_id",  "GateName"};
    expected.sort();
    EXPECT_EQ(keys, expected);
    EXPECT_FALSE(text.contains(QLatin1String("assword"), Qt::CaseInsensitive));
    EXPECT_EQ(c().defaultsStore().keys(), QStringList{"master"});
}

TEST_F(Session, NothingSavedIsNoSession) {
    master = someone();
    EXPECT_FALSE(c().hasSavedSession());
    EXPECT_EQ(master, someone());
}

struct Damaged {
    const char *name;
    QVariant stored;
};

class DamagedSession : public Session, public ::testing::WithParamInterface<Damaged> {};

TEST_P(DamagedSession, CountsAsNoSessionAndLeavesMaster) {
    c().defaultsStore().setValue(QStringLiteral("master"), GetParam().stored);
    master = someone();
    EXPECT_FALSE(c().hasSavedSession());
    EXPECT_EQ(master, someone());
}

INSTANTIATE_TEST_SUITE_P(
    Session, DamagedSession,
    ::testing::Values(
        Damaged{"NotJSON", QStringLiteral("Users_id=5")}, Damaged{"Empty", QStringLiteral("")},
        Damaged{"JSONArray", QStringLiteral(R"([{"Users_id":"5"}])")},
        Damaged{"NoUser", QStringLiteral(R"({"EmpName":"Intruder","GateName":"X"})")},
        Damaged{"UserAsNumber", QStringLiteral(R"({"Users_id":5,"EmpName":"Intruder"})")},
        Damaged{"EmptyUser", QStringLiteral(R"({"Users_id":"","EmpName":"Intruder"})")},
        Damaged{"Truncated", QStringLiteral(R"({"Users_id":"5","EmpName":"Int)")}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Session, PartialSavedSessionOnlySetsWhatItHolds) {
    c().defaultsStore().setValue(QStringLiteral("master"),
                                 QStringLiteral(R"({"Users_id":"5","EmpName":"Asha"})"));
    master = someone();
    ASSERT_TRUE(c().hasSavedSession());
    EXPECT_EQ(master.Users_id, QStringLiteral("5"));
    EXPECT_EQ(master.EmpName, QStringLiteral("Asha"));
    EXPECT_EQ(master.GateName, QStringLiteral("North Gate"));
}

// window -> nav [screen], shown.
struct Shown {
    Window window;
    ViewController *screen = new ViewController;
    Shown() {
        window.setRootViewController(new NavigationController(screen));
        window.makeKeyAndVisible();
    }
};

TEST(Alerts, TextEntryHandsTheTypedTextToOk) {
    Shown s;
    QStringList got;
    AlertController *alert =
        c().showTextEntryAlert(s.screen, QStringLiteral("Remarks"), QStringLiteral("Type here"),
                               [&](const QString &t) { got << t; });
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(s.screen->navigationController()->presentedViewController(), alert);
    EXPECT_EQ(alert->textFields().size(), 1);
    EXPECT_EQ(alert->textFields().at(0).placeholder, QStringLiteral("Type here"));
    alert->setTextFieldText(0, QStringLiteral("Visitor & 2 guests"));
    alert->tap(QStringLiteral("Ok"));
    EXPECT_EQ(got, QStringList{"Visitor & 2 guests"});
    EXPECT_EQ(s.screen->navigationController()->presentedViewController(), nullptr);
    processEvents();
}

TEST(Alerts, TextEntryCancelDoesNotCallOk) {
    Shown s;
    int calls = 0;
    AlertController *alert = c().showTextEntryAlert(nullptr, QStringLiteral("Remarks"), QString(),
                                                    [&](const QString &) { ++calls; });
    // Without a screen it goes over the top one.
    EXPECT_EQ(alert->presentingViewController(), s.screen->navigationController());
    alert->setTextFieldText(0, QStringLiteral("x"));
    alert->tap(QStringLiteral("Cancel"));
    EXPECT_EQ(calls, 0);
    processEvents();
}

TEST(Alerts, ShowAlertAppendsTheFailure) {
    Shown s;
    struct Row {
        const char *failure;
        const char *message;
    };
    for (const Row &r : {Row{"", "Upload failed"}, Row{"HTTP 500", "Upload failed\nHTTP 500"}}) {
        AlertController *alert =
            c().showAlert(s.screen, QStringLiteral("Error"), QStringLiteral("Upload failed"),
                          QString::fromUtf8(r.failure));
        EXPECT_EQ(alert->message(), QString::fromUtf8(r.message));
        EXPECT_EQ(alert->actionTitles(), QStringList{"OK"});
        EXPECT_TRUE(alert->tap(QStringLiteral("OK")));
        processEvents();
    }
}

TEST(Alerts, ShowAlertWhileBusyIsStillReturnedAndOwned) {
    Shown s;
    AlertController *first = c().showAlert(s.screen, QStringLiteral("One"), QString());
    QPointer<AlertController> second = c().showAlert(s.screen, QStringLiteral("Two"), QString());
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(second->message(), QString());
    EXPECT_EQ(s.screen->navigationController()->presentedViewController(), first);
    EXPECT_NE(second->parent(), nullptr); // not leaked
}

TEST(Alerts, ConfirmRunsOkOnlyOnItsButton) {
    struct Row {
        const char *tapped;
        int okRuns;
    };
    for (const Row &r : {Row{"Log out", 1}, Row{"Stay", 0}}) {
        int runs = 0;
        AlertController *alert =
            c().makeConfirmAlert([&] { ++runs; }, QStringLiteral("Sure?"), QString(),
                                 QStringLiteral("Log out"), QStringLiteral("Stay"));
        EXPECT_EQ(alert->presentingViewController(), nullptr); // returned unshown
        EXPECT_TRUE(alert->tap(QString::fromUtf8(r.tapped)));
        EXPECT_EQ(runs, r.okRuns) << r.tapped;
        delete alert;
    }
}

TEST(TopScreen, FollowsPresentationsAndStacks) {
    Shown s;
    EXPECT_EQ(c().topViewController(), s.screen);
    auto *inner = new ViewController;
    auto *nav2 = new NavigationController(new ViewController);
    nav2->pushViewController(inner);
    ASSERT_TRUE(s.screen->present(nav2));
    EXPECT_EQ(c().topViewController(), inner);
    inner->dismiss();
    EXPECT_EQ(c().topViewController(), s.screen);
    processEvents();
}

} // namespace
