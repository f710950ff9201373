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
struct DeviceCase {
    const char *name;
    const char *deviceFixture; // "" for a reply without rows
    const char *division;      // as the session ends up
    const char *gate;
};

class LoginSuccessTest : public LoginTest, public ::testing::WithParamInterface<DeviceCase> {};

TEST_P(LoginSuccessTest, SendsTheCredentialsSavesTheSessionAsksForTheDeviceAndCloses) {
    const DeviceCase &c = GetParam();
    master.Division_id = QStringLiteral("2");
    master.GateName = QStringLiteral("North Gate");
    system->device = QStringLiteral("Gate 1  Handheld");
    login->dbCell->select(2); // the "global" set, in use from now on
    login->usernamecell->setText(QStringLiteral("demo user"));
    login->login();
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
    EXPECT_FALSE(login->usernamecell->isEnabled());
    net->replyRaw(0, fixture("app/verify-user.json"));
    processEvents();

    EXPECT_EQ(master.EmpName, "Ravi Kumar");
    ASSERT_EQ(net->sent.size(), 2);
    EXPECT_EQ(net->sent.at(1).request.url.toString(), DistinctServerSets::base(2) + "/sp");
    const QVariantMap device = net->sent.at(1).json();
    EXPECT_EQ(device.value("SPName").toString(), "Usp_CommonService");
    const QVariantMap json = device.value("JSONData").toMap();
    EXPECT_EQ(json.value("SP_Type").toString(), "Sel_DeviceAndDivision");
    EXPECT_EQ(json.value("LikeStr").toString(), "Gate 1  Handheld");
    EXPECT_TRUE(login.isNull()) << "the login closed";

    net->replyRaw(1, *c.deviceFixture ? fixture(c.deviceFixture) : QByteArray("[]"));
    processEvents();
    EXPECT_EQ(master.Division_id, c.division);
    EXPECT_EQ(master.GateName, c.gate);
    EXPECT_EQ(master.EmpName, "Ravi Kumar") << "the device record does not wipe the user";
    EXPECT_EQ(master.BranchCode, "HLV01") << "the branch is the login's";
    const auto saved = UserDefaults::standard().value("master").toString();
    EXPECT_TRUE(saved.contains("Ravi Kumar") && saved.contains(c.gate));
    EXPECT_FALSE(saved.contains("p+ss")) << "the password is never stored";
    UserDefaults::standard().synchronize();
    for (const QString &key : UserDefaults::standard().keys())
        EXPECT_FALSE(UserDefaults::standard().value(key).toString().contains("p+ss"))
            << key.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Devices, LoginSuccessTest,
                         ::testing::Values(DeviceCase{"Record", "app/device-record.json", "1",
                                                      "Main Gate"},
                                           DeviceCase{"NoRecord", "", "2", "North Gate"}),
                         [](const auto &info) { return std::string(info.param.name); });

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

// Any reply that is not a user's row is a wrong credential; a status of 0 is a failed connection.
using Reply = std::pair<QByteArray, int>;
class WrongCredentialTest : public LoginTest, public ::testing::WithParamInterface<Reply> {};

TEST_P(WrongCredentialTest, SaysWrongCredentialAndLeavesTheSessionUntouched) {
    master.EmpName = QStringLiteral("Earlier Guard");
    logInAs("demo", "wrong");
    const auto [body, status] = GetParam();
    if (status == 0)
        net->fail(0);
    else
        net->replyRaw(0, body, status);
    processEvents();

    auto *alert =
        qobject_cast<AlertController *>(login->navigationController()->presentedViewController());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Alert !");
    EXPECT_EQ(alert->message(), "Wrong Credential :(");
    EXPECT_EQ(master.EmpName, "Earlier Guard");
    EXPECT_FALSE(UserDefaults::standard().contains("master"));
    EXPECT_TRUE(login->pwdcell->isEnabled());
    EXPECT_EQ(net->sent.size(), 1) << "no device request after a refusal";
}

INSTANTIATE_TEST_SUITE_P(Replies, WrongCredentialTest,
                         ::testing::Values(Reply{"[]", 200}, Reply{"not json", 200},
                                           Reply{R"({"Users_id":"7"})", 200}, Reply{"[1,2,3]", 200},
                                           Reply{R"([{"EmpName":"Ravi","BranchCode":"HLV01"}])",
                                                 200},
                                           Reply{R"([{"Users_id":"","EmpName":"Ravi"}])", 200},
                                           Reply{R"([{"Users_id":null,"EmpName":"Ravi"}])", 200},
                                           Reply{R"([{"x":1}])", 500}, Reply{"", 0}));

} // namespace
