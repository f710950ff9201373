#include "appdelegate.h"
#include "navigationcontroller.h"
#include "securitylogtvc.h"
#include "sessionfixture.h"
#include "vclogin.h"

namespace {

class AppDelegateTest : public SessionTest {
protected:
    AppDelegate app;

    QVariantList versionReply(const QString &version, const QString &link) {
        return {QVariantMap{{"AppleAppVersion", version}, {"HttpLinkURL", link}}};
    }
    AlertController *shownAlert() {
        return qobject_cast<AlertController *>(common::sharedInstance().topViewController());
    }
};

TEST_F(AppDelegateTest, LaunchBuildsTheWindowWithTheLogListAndRestoresTheSession) {
    logIn();
    master = decltype(master){};
    ASSERT_TRUE(app.applicationDidFinishLaunching());
    EXPECT_EQ(master.Users_id, "7") << "the saved session is back";
    auto *nav = qobject_cast<NavigationController *>(app.window->rootViewController());
    ASSERT_NE(nav, nullptr);
    EXPECT_NE(nav->viewControllerAt<securityLogTVC>(0), nullptr);
    EXPECT_EQ(nav->barBackgroundColor(), QColor(48, 48, 48));
    EXPECT_TRUE(app.applicationOpenURL(QUrl("seclog://anything")));
}

TEST_F(AppDelegateTest, WithoutASessionTheListPresentsTheLogin) {
    app.applicationDidFinishLaunching();
    processEvents();
    EXPECT_NE(qobject_cast<VCLogin *>(common::sharedInstance().topViewController()), nullptr);
}

TEST_F(AppDelegateTest, ActivationSendsTheVersionRequest) {
    app.applicationDidFinishLaunching();
    app.applicationDidBecomeActive();
    const auto sent = net->withSPName("USP_tblMAppleAppRights");
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent.first().json().value("withStrings").toBool(), true);
    const QVariantMap expected{{"AppName", "SECURITY IOS 11"}, {"ReqType", "VER"}};
    EXPECT_EQ(sent.first().json().value("JSONData").toMap(), expected);
}

struct VersionCase {
    const char *installed;
    const char *published;
    const char *link;
    const char *opened; // "" when nothing is opened
    bool terminates;
    bool offersAlert;
};

class VersionCheckTest : public AppDelegateTest,
                         public ::testing::WithParamInterface<VersionCase> {};

TEST_P(VersionCheckTest, ForcesOffersOrIgnoresTheUpdate) {
    const VersionCase c = GetParam();
    app.applicationDidFinishLaunching();
    processEvents();
    app.checkVersion(versionReply(c.published, c.link), c.installed);
    processEvents();
    if (*c.opened) {
        ASSERT_EQ(system->opened.size(), 1);
        EXPECT_EQ(system->opened.first().toString(), QString(c.opened));
    } else {
        EXPECT_TRUE(system->opened.isEmpty());
    }
    EXPECT_EQ(system->exitStatus, c.terminates ? 0 : -1);
    AlertController *alert = shownAlert();
    if (c.offersAlert) {
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->title(), "New Version");
        EXPECT_EQ(alert->message(),
                  "A Newer Verison of this app is Available to Download\nPress OK to Download");
        EXPECT_EQ(alert->actionTitles(), QStringList({"Ok", "Cancel"}));
    } else {
        EXPECT_EQ(alert, nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionCheckTest,
    ::testing::Values(
        VersionCase{"1.5", "1.52", "http://dl.test/get?a=1andurl=x", "http://dl.test/get?a=1&url=x",
                    true, false},
        VersionCase{"1.5", "1.52", "http://dl.test/plain", "http://dl.test/plain", true, false},
        VersionCase{"1.5", "2.0", "http://dl.test/plain", "http://dl.test/plain", true, false},
        VersionCase{"1.5", "1.51", "http://dl.test/x", "", false, true},
        VersionCase{"1.6", "1.5", "http://dl.test/x", "", false, true},
        VersionCase{"1.5", "1.5", "http://dl.test/x", "", false, false},
        VersionCase{"1.5", "1.50", "http://dl.test/x", "", false, false},
        VersionCase{" 1.5", "1.9", "http://dl.test/x", "", false, false},
        VersionCase{"1.5", "new", "http://dl.test/x", "", false, false},
        VersionCase{"1.5", "1.9", "", "", false, false}));

TEST_F(AppDelegateTest, MissingRowsOrKeysEndTheCheckSilently) {
    app.applicationDidFinishLaunching();
    processEvents();
    for (const QVariant &reply :
         {QVariant(), QVariant(QVariantList{}),
          QVariant(QVariantList{QVariantMap{{"AppleAppVersion", "9"}}}),
          QVariant(QVariantList{QVariantMap{{"HttpLinkURL", "http://x.test"}}})}) {
        app.checkVersion(reply, "1.0");
        processEvents();
    }
    EXPECT_TRUE(system->opened.isEmpty());
    EXPECT_EQ(system->exitStatus, -1);
    EXPECT_EQ(shownAlert(), nullptr);
}

TEST_F(AppDelegateTest, TheAlertIsBuiltOnceKeepsTheFirstLinkAndClosesOnResign) {
    app.applicationDidFinishLaunching();
    processEvents();
    app.checkVersion(versionReply("1.01", "http://dl.test/firstandurl=1"), "1.0");
    processEvents();
    AlertController *first = shownAlert();
    ASSERT_NE(first, nullptr);

    app.applicationWillResignActive();
    processEvents();
    EXPECT_EQ(shownAlert(), nullptr);
    ASSERT_FALSE(app.alertVC.isNull()) << "the alert is kept for the next activation";

    app.checkVersion(versionReply("1.01", "http://dl.test/second"), "1.0");
    processEvents();
    EXPECT_EQ(shownAlert(), first);

    ASSERT_TRUE(first->tap("Ok"));
    ASSERT_EQ(system->opened.size(), 1);
    EXPECT_EQ(system->opened.first().toString(), "http://dl.test/first&url=1");
    EXPECT_EQ(system->exitStatus, 0);
}

TEST_F(AppDelegateTest, CancelOnlyClosesTheAlert) {
    app.applicationDidFinishLaunching();
    processEvents();
    app.checkVersion(versionReply("1.01", "http://dl.test/x"), "1.0");
    processEvents();
    ASSERT_NE(shownAlert(), nullptr);
    shownAlert()->tap("Cancel");
    processEvents();
    EXPECT_EQ(shownAlert(), nullptr);
    EXPECT_TRUE(system->opened.isEmpty());
    EXPECT_EQ(system->exitStatus, -1);
}

} // namespace
