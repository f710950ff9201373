#include "access.h"
#include "common.h"
#include "navigationcontroller.h"
#include "realserver.h"
#include "recordingsystem.h"
#include "securitylogtvc.h"
#include "testapp.h"
#include "vclogin.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QtTest/QTest>

namespace {

class ClientServerTest : public ::testing::Test {
protected:
    ClientServerTest() {
        master = decltype(master){};
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        processEvents();
    }
    ~ClientServerTest() override { master = decltype(master){}; }

    VCLogin *shownLogin() {
        return qobject_cast<VCLogin *>(common::sharedInstance().topViewController());
    }
    AlertController *shownAlert() {
        return qobject_cast<AlertController *>(common::sharedInstance().topViewController());
    }
    void logIn(const QString &user, const QString &password) {
        VCLogin *login = shownLogin();
        ASSERT_NE(login, nullptr);
        login->usernamecell->setText(user);
        login->pwdcell->setText(password);
        login->login();
    }

    IsolatedDefaults defaults;
    RealServer real;
    RecordingSystemScope system;
    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
};

TEST_F(ClientServerTest, LogsInWithAPasswordFullOfFormCharactersAndListsTheOpenLogs) {
    seclog::server::NewUser user;
    user.userName = "gate guard+2";
    user.password = "p+ss&w=rd %2B é";
    user.empName = "Kavitha R";
    real.server->addUser(user);

    logIn(QString::fromStdString(user.userName), QString::fromStdString(user.password));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !master.Division_id.isEmpty(); }, 10000))
        << "no device record arrived";
    EXPECT_EQ(master.EmpName, "Kavitha R");
    EXPECT_EQ(master.GateName, "Main Gate");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    for (const Row &row : list->DATA) {
        EXPECT_EQ(row.value("Division_id").toString(), master.Division_id);
        EXPECT_TRUE(row.value("OutTime").toString().isEmpty());
    }
}

TEST_F(ClientServerTest, AWrongPasswordIsRefused) {
    logIn("demo", "demo+");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAlert() != nullptr; }, 10000));
    EXPECT_EQ(shownAlert()->message(), "Wrong Credential :(");
    EXPECT_TRUE(master.Users_id.isEmpty());
}

TEST_F(ClientServerTest, MarkingALogOutClosesItOnTheServer) {
    logIn("demo", "demo");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    const QString id = list->DATA.first().value("SecIOLog_id").toString();
    ASSERT_EQ(real.server ? seclog::server::logOutTime(real.dbPath(), id.toLongLong())
                          : std::nullopt,
              std::optional<std::string>(""));
    list->markOut(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAlert() != nullptr; }, 10000));
    EXPECT_EQ(shownAlert()->title(), "Alert");
    shownAlert()->tap("ok");
    processEvents();
    const auto outTime = seclog::server::logOutTime(real.dbPath(), id.toLongLong());
    ASSERT_TRUE(outTime.has_value());
    EXPECT_FALSE(outTime->empty());
    for (const Row &row : list->LoadDATA)
        EXPECT_NE(row.value("SecIOLog_id").toString(), id);

    // The server refuses a second OUT, and the client shows its words.
    list->DATA.prepend(Row{{"SecIOLog_id", id}});
    list->markOut(0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shownAlert() != nullptr; }, 10000));
    EXPECT_EQ(shownAlert()->title(), "Error");
    EXPECT_TRUE(shownAlert()->message().contains(id));
}

TEST_F(ClientServerTest, ASearchFindsPeopleOfOtherDivisionsAsNewLogs) {
    logIn("demo", "demo");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));
    list->searchController->setText("a"); // too short: no request
    EXPECT_EQ(list->fromSearch, "No");
    list->searchController->setText("+91");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return list->fromSearch == "Yes" && list->DATA != list->LoadDATA; }, 10000));
    ASSERT_FALSE(list->DATA.isEmpty());
    bool sawOtherDivision = false;
    for (int row = 0; row < list->DATA.size(); ++row) {
        EXPECT_TRUE(list->DATA.at(row).value("IOMobile").toString().contains("+91"));
        // Anand's open log is in Weaving: here he is a person to start a new log for.
        if (list->DATA.at(row).value("IOPerson").toString().startsWith("Anand")) {
            sawOtherDivision = true;
            EXPECT_EQ(list->DATA.at(row).value("Employee_id").toString(), "31");
            EXPECT_TRUE(list->cellForRow(0, row).value("lblSecLog_id").toString().isEmpty());
        }
    }
    EXPECT_TRUE(sawOtherDivision);
}

} // namespace
