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
    template <typename T> T *shown() {
        return qobject_cast<T *>(common::sharedInstance().topViewController());
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
    EXPECT_EQ(shown<VCLogin>(), nullptr);
}

TEST_F(AppDelegateTest, WithoutASessionTheListPresentsTheLoginAndActivationAsksForTheVersion) {
    launch();
    EXPECT_NE(shown<VCLogin>(), nullptr);
    app.applicationDidBecomeActive();
    const auto sent = net->withSPName("USP_tblMAppleAppRights");
    ASSERT_EQ(sent.size(), 1);
    const QVariantMap expected{{"AppName", "SECURITY IOS 11"}, {"ReqType", "VER"}};
    EXPECT_EQ(sent.first().json().value("JSONData").toMap(), expected);
}

// A difference of 0.02 or more (rounded to two places: 1.52 - 1.5 is a hair under 0.02 in
// binary) forces the update: the link opens and the client quits. A smaller difference either
// way only offers it; anything unreadable or missing ends the check silently.
TEST_F(AppDelegateTest, VersionCheckForcesOffersOrIgnoresTheUpdate) {
    launch();
    for (const auto &[installed, published, link, opened, offers] :
         {std::tuple{"1.5", "1.52", "http://dl.test/get?a=1andurl=x",
                     "http://dl.test/get?a=1&url=x", false},
          {"1.5", "1.51", "http://dl.test/x", "", true},
          {"1.6", "1.5", "http://dl.test/x", "", true},
          {"1.5", "1.50", "http://dl.test/x", "", false},
          {" 1.5", "1.9", "http://dl.test/x", "", false},
          {"1.5", "new", "http://dl.test/x", "", false},
          {"1.5", "1.9", "", "", false},
          {"1.0", "9", nullptr, "", false},
          {"1.0", nullptr, "http://x.test", "", false},
          {"1.0", nullptr, nullptr, "", false}}) {
        SCOPED_TRACE(testing::Message() << installed << " -> " << (published ? published : "-"));
        check(published, link, installed);
        EXPECT_EQ(system->opened, *opened ? QList<QUrl>{QUrl(opened)} : QList<QUrl>{});
        EXPECT_EQ(system->exitStatus, *opened ? 0 : -1);
        EXPECT_EQ(shown<AlertController>() != nullptr, offers);
        app.applicationWillResignActive(); // closes the offer
        processEvents();
        system->opened.clear();
        system->exitStatus = -1;
    }
}

TEST_F(AppDelegateTest, TheOfferIsBuiltOnceWithTheFirstLinkAndClosesOnResign) {
    launch();
    check("1.01", "http://dl.test/firstandurl=1", "1.0");
    AlertController *first = shown<AlertController>();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->title(), "New Version");
    EXPECT_EQ(first->message(),
              "A Newer Verison of this app is Available to Download\nPress OK to Download");
    EXPECT_EQ(first->actionTitles(), QStringList({"Ok", "Cancel"}));
    app.applicationWillResignActive();
    processEvents();
    EXPECT_EQ(shown<AlertController>(), nullptr);

    check("1.01", "http://dl.test/second", "1.0");
    ASSERT_EQ(shown<AlertController>(), first);
    ASSERT_TRUE(first->tap("Ok"));
    EXPECT_EQ(system->opened, QList<QUrl>{QUrl("http://dl.test/first&url=1")});
    EXPECT_EQ(system->exitStatus, 0);
}

} // namespace
