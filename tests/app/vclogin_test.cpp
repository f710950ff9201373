#include "fixtures.h"
#include "navigationcontroller.h"
#include "sessionfixture.h"
#include "userdefaults.h"
#include "vclogin.h"
#include "window.h"

#include <QPointer>

namespace {

class LoginTest : public SessionTest {
protected:
    LoginTest() {
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        root->present(new NavigationController(login), false);
    }
    void logInAs(const QString &user, const QString &password) {
        login->usernamecell->setText(user);
        login->pwdcell->setText(password);
        login->login();
    }

    Window window;
    NavigationController *root = new NavigationController(new ViewController());
    QPointer<VCLogin> login = new VCLogin();
};

// A login as typed, then the device record (or none) arriving after the login has closed.
TEST_F(LoginTest, SendsTheCredentialsSavesTheSessionAsksForTheDeviceAndCloses) {
    system->device = QStringLiteral("Gate 1  Handheld");
    for (const auto &[device, division, gate] :
         {std::tuple{"app/device-record.json", "1", "Main Gate"}, {"", "2", "North Gate"}}) {
        SCOPED_TRACE(device);
        if (!login) { // closed by the last round
            login = new VCLogin();
            root->present(new NavigationController(login), false);
        }
        net->sent.clear();
        master.Division_id = QStringLiteral("2");
        master.GateName = QStringLiteral("North Gate");
        login->dbCell->select(2); // the "global" set, in use from now on
        logInAs(QStringLiteral("demo user"), QString());
        EXPECT_TRUE(net->sent.isEmpty()) << "the password was never typed";

        logInAs(QStringLiteral("demo user"), QStringLiteral("p+ss&w=rd %"));
        ASSERT_EQ(net->sent.size(), 1);
        EXPECT_EQ(net->sent[0].request.url.toString(),
                  DistinctServerSets::base(2) + "/common/verifyUser");
        const QMap<QString, QString> form{{"spName", "Usp_CommonService"},
                                          {"spType", "Sel_Pwd"},
                                          {"branchCode", "Halvik"},
                                          {"uName", "demo user"},
                                          {"pwd", "p+ss&w=rd %"}};
        EXPECT_EQ(net->sent[0].form(), form);
        EXPECT_FALSE(net->sent[0].request.body.contains('+')) << "a literal + reads as a blank";
        net->replyRaw(0, fixture("app/verify-user.json"));
        processEvents();

        EXPECT_EQ(master.EmpName, "Ravi Kumar");
        ASSERT_EQ(net->sent.size(), 2);
        EXPECT_EQ(net->sent.at(1).request.url.toString(), DistinctServerSets::base(2) + "/sp");
        EXPECT_EQ(net->sent.at(1).json().value("SPName"), "Usp_CommonService");
        EXPECT_EQ(
            net->sent.at(1).json().value("JSONData").toMap(),
            QVariantMap({{"SP_Type", "Sel_DeviceAndDivision"}, {"LikeStr", "Gate 1  Handheld"}}));
        EXPECT_TRUE(login.isNull()) << "the login closed";

        net->replyRaw(1, *device ? fixture(device) : QByteArray("[]"));
        processEvents();
        EXPECT_EQ(master.Division_id, division);
        EXPECT_EQ(master.GateName, gate);
        EXPECT_EQ(master.EmpName, "Ravi Kumar") << "the device record does not wipe the user";
        EXPECT_EQ(master.BranchCode, "HLV01") << "the branch is the login's";
        EXPECT_TRUE(UserDefaults::standard().value("master").toString().contains(gate));
        UserDefaults::standard().synchronize();
        for (const QString &key : UserDefaults::standard().keys())
            EXPECT_FALSE(UserDefaults::standard().value(key).toString().contains("p+ss"))
                << "the password is never stored, found in " << key.toStdString();
    }
}

TEST_F(LoginTest, AReplyAfterTheScreenIsGoneChangesNothing) {
    logInAs("demo", "demo");
    root->dismiss(false);
    processEvents();
    ASSERT_TRUE(login.isNull());
    net->replyRaw(0, fixture("app/verify-user.json"));
    processEvents();
    EXPECT_TRUE(master.Users_id.isEmpty());
    EXPECT_EQ(net->sent.size(), 1);
}

// Any reply that is not a user's row is a wrong credential (the fault matrix has the broken
// replies): the session stays as it was, no device record is asked for, and the guard may retry.
TEST_F(LoginTest, AReplyWithoutAUserSaysWrongCredentialAndLeavesTheSessionUntouched) {
    master.EmpName = QStringLiteral("Earlier Guard");
    for (const char *body :
         {"[]", R"([{"EmpName":"Ravi","BranchCode":"HLV01"}])",
          R"([{"Users_id":"","EmpName":"Ravi"}])", R"([{"Users_id":null,"EmpName":"Ravi"}])"}) {
        SCOPED_TRACE(body);
        logInAs("demo", "wrong");
        net->replyRaw(int(net->sent.size()) - 1, body);
        processEvents();
        auto *alert = qobject_cast<AlertController *>(
            login->navigationController()->presentedViewController());
        ASSERT_NE(alert, nullptr);
        EXPECT_EQ(alert->title(), "Alert !");
        EXPECT_EQ(alert->message(), "Wrong Credential :(");
        alert->dismiss(false);
        EXPECT_EQ(master.EmpName, "Earlier Guard");
        EXPECT_FALSE(UserDefaults::standard().contains("master"));
        EXPECT_TRUE(login->pwdcell->isEnabled());
        EXPECT_TRUE(net->withSPName("Usp_CommonService").isEmpty()) << "no device request";
    }
}

} // namespace
