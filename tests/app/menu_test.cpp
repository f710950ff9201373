#include "menuviewcontroller.h"
#include "navigationcontroller.h"
#include "securitylogtvc.h"
#include "sessionfixture.h"
#include "vclogin.h"
#include "window.h"

namespace {

class MenuTest : public SessionTest {
protected:
    void SetUp() override {
        logIn();
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        processEvents();
        net->reply(0, QVariantList{QVariantMap{{"SecIOLog_id", "12"}, {"IOPerson", "Anand"}}});
        processEvents();
        list->showMenu();
        menu = qobject_cast<MenuViewController *>(
            qobject_cast<NavigationController *>(root->presentedViewController())
                ->topViewController());
        ASSERT_NE(menu, nullptr);
        processEvents();
    }

    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
    QPointer<MenuViewController> menu;
};

TEST_F(MenuTest, ShowsSixEntriesAndWhoIsLoggedIn) {
    EXPECT_EQ(menu->title(), "Menu");
    ASSERT_EQ(menu->numberOfRows(0), 6);
    const QStringList texts{"SecurityLog",    "Scan DC(QR Code)", "Report",
                            "Summary Report", "Employee Logs",    "Log Out"};
    for (int row = 0; row < 6; ++row) {
        EXPECT_EQ(menu->cellForRow(0, row).value("text").toString(), texts.at(row));
        EXPECT_EQ(menu->heightForRow(0, row), 50);
    }
    EXPECT_EQ(menu->header->name(), "Ravi Kumar");
    EXPECT_EQ(menu->header->mobileNo(), "Security");
    EXPECT_EQ(menu->header->address(), "Spinning");
    EXPECT_EQ(menu->header->imageUrl().toString(),
              DistinctServerSets::base(1) + "/img/Security/PersonsImages/user_1.png");
}

TEST_F(MenuTest, ReportSwitchesTheListWithoutARequestAndKeepsItsRows) {
    const auto sentBefore = net->sent.size();
    menu->didSelectRow(0, 2);
    processEvents();
    EXPECT_TRUE(list->IsReportSearchActive);
    EXPECT_EQ(list->title(), "Security Log Report");
    EXPECT_EQ(list->fromSearch, "No");
    EXPECT_EQ(list->DATA.size(), 1);
    EXPECT_EQ(net->sent.size(), sentBefore);
    EXPECT_EQ(root->presentedViewController(), nullptr) << "the menu closed";
}

TEST_F(MenuTest, SecurityLogEndsReportModeAndReloadsTheOpenLogs) {
    list->IsReportSearchActive = true;
    list->setTitle("Security Log Report");
    list->searchController->setText("ab");
    const auto sentBefore = net->sent.size();
    menu->didSelectRow(0, 0);
    processEvents();
    EXPECT_FALSE(list->IsReportSearchActive);
    EXPECT_EQ(list->title(), "Security Log");
    EXPECT_TRUE(list->searchController->text().isEmpty());
    ASSERT_EQ(net->sent.size(), sentBefore + 1);
    EXPECT_EQ(net->sent.last().json().value("JSONData").toMap().value("SearchBy").toString(),
              "NotOut");
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(MenuTest, LogOutClearsEveryPreferenceAndShowsTheLoginOverTheMenu) {
    UserDefaults::standard().setValue("someOtherPreference", 3);
    menu->didSelectRow(0, 5);
    processEvents();
    EXPECT_TRUE(UserDefaults::standard().keys().isEmpty());
    auto *menuNav = menu->navigationController();
    auto *loginNav = qobject_cast<NavigationController *>(menuNav->presentedViewController());
    ASSERT_NE(loginNav, nullptr);
    EXPECT_NE(loginNav->viewControllerAt<VCLogin>(0), nullptr);
    EXPECT_EQ(master.EmpName, "Ravi Kumar") << "the record in memory stays until the next login";
}

TEST_F(MenuTest, CancelClosesTheMenuAndUnfinishedRowsDoNothing) {
    for (int row : {1, 3, 4, 9})
        menu->didSelectRow(0, row);
    processEvents();
    EXPECT_NE(root->presentedViewController(), nullptr);
    menu->leftBarButtonItem()->trigger();
    processEvents();
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(MenuTest, AHeaderShowingTheUserIsNotRefilled) {
    menu->header->setMobileNo("changed by hand");
    menu->beginAppearance();
    processEvents();
    EXPECT_EQ(menu->header->mobileNo(), "changed by hand");
    master.EmpName = "Another Guard";
    menu->beginAppearance();
    processEvents();
    EXPECT_EQ(menu->header->name(), "Another Guard");
    EXPECT_EQ(menu->header->mobileNo(), "Security");
}

} // namespace
