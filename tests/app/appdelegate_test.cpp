#include "appdelegate.h"
#include "navigationcontroller.h"
#include "securitylogtvc.h"
#include "sessionfixture.h"
#include "vclogin.h"

namespace {

class AppDelegateTest : public SessionTest {
protected:
    void launch() {
        app.applicationDidFinishLaunching();
        processEvents();
    }
    // Checks against a version row; a null key is left out of the row, and with both null the
    // reply has no rows.
    void check(const char *published, const char *link, const QString &installed) {
        QVariantMap row;
        if (published)
            row["AppleAppVersion"] = published;
        if (link)
            row["HttpLinkURL"] = link;
        app.checkVersion(row.isEmpty() ? QVariantList{} : QVariantList{row}, installed);
        processEvents();
    }
    AlertController *shownAlert() {
        return qobject_cast<AlertController *>(common::sharedInstance().topViewController());
    }

    AppDelegate app;
};

TEST_F(AppDelegateTest, LaunchBuildsTheWindowWithTheLogListAndRestoresTheSession) {
    logIn();
    master = decltype(master){};
    launch();
    EXPECT_EQ(master.Users_id, "7") << "the saved session is back";
    auto *nav = qobject_cast<NavigationController *>(app.window->rootViewController());
    EXPECT_TRUE(nav && nav->viewControllerAt<securityLogTVC>(0));
    EXPECT_EQ(qobject_cast<VCLogin *>(common::sharedInstance().topViewController()), nullptr);
}

TEST_F(AppDelegateTest, WithoutASessionTheListPresentsTheLoginAndActivationAsksForTheVersion) {
    launch();
    EXPECT_NE(qobject_cast<VCLogin *>(common::sharedInstance().topViewController()), nullptr);
    app.applicationDidBecomeActive();
    const auto sent = net->withSPName("USP_tblMAppleAppRights");
    ASSERT_EQ(sent.size(), 1);
    const QVariantMap expected{{"AppName", "SECURITY IOS 11"}, {"ReqType", "VER"}};
    EXPECT_EQ(sent.first().json().value("JSONData").toMap(), expected);
}

struct VersionCase {
    const char *installed;
    const char *published;
    const char *link;
    const char *opened; // "" when nothing is opened
    bool offersAlert;
};

class VersionCheckTest : public AppDelegateTest,
                         public ::testing::WithParamInterface<VersionCase> {};

// A difference of 0.02 or more (rounded to two places) forces the update: the link opens and
// the client quits. A smaller difference either way only offers it; anything unreadable or
// missing ends the check silently.
TEST_P(VersionCheckTest, ForcesOffersOrIgnoresTheUpdate) {
    const VersionCase c = GetParam();
    launch();
    check(c.published, c.link, c.installed);
    EXPECT_EQ(system->opened, *c.opened ? QList<QUrl>{QUrl(c.opened)} : QList<QUrl>{});
    EXPECT_EQ(system->exitStatus, *c.opened ? 0 : -1);
    EXPECT_EQ(shownAlert() != nullptr, c.offersAlert);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, VersionCheckTest,
    ::testing::Values(VersionCase{"1.5", "1.52", "http://dl.test/get?a=1andurl=x",
                                  "http://dl.test/get?a=1&url=x", false},
                      VersionCase{"1.5", "1.51", "http://dl.test/x", "", true},
                      VersionCase{"1.6", "1.5", "http://dl.test/x", "", true},
                      VersionCase{"1.5", "1.50", "http://dl.test/x", "", false},
                      VersionCase{" 1.5", "1.9", "http://dl.test/x", "", false},
                      VersionCase{"1.5", "new", "http://dl.test/x", "", false},
                      VersionCase{"1.5", "1.9", "", "", false},
                      VersionCase{"1.0", "9", nullptr, "", false},
                      VersionCase{"1.0", nullptr, "http://x.test", "", false},
                      VersionCase{"1.0", nullptr, nullptr, "", false}));

TEST_F(AppDelegateTest, TheOfferIsBuiltOnceWithTheFirstLinkAndClosesOnResign) {
    launch();
    check("1.01", "http://dl.test/firstandurl=1", "1.0");
    AlertController *first = shownAlert();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->title(), "New Version");
    EXPECT_EQ(first->message(),
              "A Newer Verison of this app is Available to Download\nPress OK to Download");
    EXPECT_EQ(first->actionTitles(), QStringList({"Ok", "Cancel"}));
    app.applicationWillResignActive();
    processEvents();
    EXPECT_EQ(shownAlert(), nullptr);

    check("1.01", "http://dl.test/second", "1.0");
    ASSERT_EQ(shownAlert(), first);
    ASSERT_TRUE(first->tap("Ok"));
    EXPECT_EQ(system->opened, QList<QUrl>{QUrl("http://dl.test/first&url=1")});
    EXPECT_EQ(system->exitStatus, 0);
}

} // namespace
