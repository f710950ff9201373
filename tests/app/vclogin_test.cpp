#include "fixtures.h"
#include "navigationcontroller.h"
#include "sessionfixture.h"
#include "vclogin.h"
#include "window.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>

namespace {

class LoginTest : public SessionTest {
protected:
    LoginTest() {
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        auto *nav = new NavigationController(login);
        root->present(nav, false);
    }

    void type(const QString &user, const QString &password) {
        login->usernamecell->setText(user);
        login->pwdcell->setText(password);
    }

    Window window;
    NavigationController *root = new NavigationController(new ViewController());
    QPointer<VCLogin> login = new VCLogin();
};

TEST_F(LoginTest, SendsTheVerificationCallWithTheFixedBranchAndTheTextAsTyped) {
    type(QStringLiteral("demo user"), QStringLiteral("p+ss&w=rd %"));
    login->login();

    ASSERT_EQ(net->sent.size(), 1);
    const auto &sent = net->sent.first();
    EXPECT_EQ(sent.request.url.toString(), DistinctServerSets::base(1) + "/common/verifyUser");
    EXPECT_EQ(sent.request.contentType, "application/x-www-form-urlencoded");
    const QMap<QString, QString> expected{{"spName", "Usp_CommonService"},
                                          {"spType", "Sel_Pwd"},
                                          {"branchCode", "Halvik"},
                                          {"uName", "demo user"},
                                          {"pwd", "p+ss&w=rd %"}};
    EXPECT_EQ(sent.form(), expected);
    EXPECT_FALSE(sent.request.body.contains('+')) << "a literal + reads as a blank on the server";
    EXPECT_FALSE(login->usernamecell->isEnabled());
    EXPECT_FALSE(login->pwdcell->isEnabled());
}

TEST_F(LoginTest, NothingIsSentWhileAFieldWasNeverTypedAndTheFieldsStayUsable) {
    login->usernamecell->setText(QStringLiteral("demo"));
    login->login();
    EXPECT_TRUE(net->sent.isEmpty());
    EXPECT_TRUE(login->usernamecell->isEnabled());
    EXPECT_TRUE(login->pwdcell->isEnabled());
}

TEST_F(LoginTest, SuccessFillsAndSavesTheSessionAsksForTheDeviceAndCloses) {
    system->device = QStringLiteral("Gate 1  Handheld");
    type(QStringLiteral("demo"), QStringLiteral("demo"));
    login->dbCell->select(2); // "global"
    login->login();
    net->replyRaw(0, fixture("app/verify-user.json"));
    processEvents();

    EXPECT_EQ(master.Users_id, "7");
    EXPECT_EQ(master.EmpName, "Ravi Kumar");
    EXPECT_EQ(master.BranchCode, "HLV01");
    EXPECT_EQ(master.ImagePath, "~/Security/PersonsImages/user_1.png");
    EXPECT_EQ(nodedb2, DistinctServerSets::base(2)) << "the chosen set applies after login";
    const auto saved = UserDefaults::standard().value("master").toString();
    EXPECT_TRUE(saved.contains("Ravi Kumar"));
    EXPECT_FALSE(saved.contains("demo")) << "the password is never stored";

    ASSERT_EQ(net->sent.size(), 2);
    const QVariantMap device = net->sent.at(1).json();
    EXPECT_EQ(net->sent.at(1).request.url.toString(), DistinctServerSets::base(2) + "/sp");
    EXPECT_EQ(device.value("SPName").toString(), "Usp_CommonService");
    EXPECT_EQ(device.value("withStrings").toBool(), true);
    const QVariantMap json = device.value("JSONData").toMap();
    EXPECT_EQ(json.value("SP_Type").toString(), "Sel_DeviceAndDivision");
    EXPECT_EQ(json.value("LikeStr").toString(), "Gate 1  Handheld");

    EXPECT_EQ(root->presentedViewController(), nullptr) << "the login closed";
    EXPECT_TRUE(login.isNull());

    // The device record arrives after the login has gone.
    net->replyRaw(1, fixture("app/device-record.json"));
    processEvents();
    EXPECT_EQ(master.Division_id, "1");
    EXPECT_EQ(master.GateName, "Main Gate");
    EXPECT_EQ(master.EmpName, "Ravi Kumar") << "the device record does not wipe the user";
    decltype(master) restored;
    std::swap(restored, master);
    EXPECT_TRUE(common::sharedInstance().hasSavedSession());
    EXPECT_EQ(master.Device_id, "11");
}

TEST_F(LoginTest, TheServerSetIsAppliedAsSoonAsTheSegmentChanges) {
    EXPECT_EQ(nodedb2, DistinctServerSets::base(1));
    login->dbCell->select(0);
    EXPECT_EQ(nodedb2, DistinctServerSets::base(0));
    EXPECT_EQ(commonServicesdatabase, DistinctServerSets::base(0) + "/common");
}

TEST_F(LoginTest, ALoginRowWithoutImagePathKeepsTheEarlierPath) {
    master.ImagePath = QStringLiteral("~/old.png");
    QVariantMap row =
        QJsonDocument::fromJson(fixture("app/verify-user.json"))[0].toObject().toVariantMap();
    row.remove("ImagePath");
    type("demo", "demo");
    login->login();
    net->reply(0, QVariantList{row});
    processEvents();
    EXPECT_EQ(master.ImagePath, "~/old.png");
    EXPECT_EQ(master.Users_id, "7");
}

TEST_F(LoginTest, NoDeviceRecordKeepsTheEarlierDivision) {
    master.Division_id = QStringLiteral("2");
    master.GateName = QStringLiteral("North Gate");
    type("demo", "demo");
    login->login();
    net->replyRaw(0, fixture("app/verify-user.json"));
    processEvents();
    net->reply(1, QVariantList{});
    processEvents();
    EXPECT_EQ(master.Division_id, "2");
    EXPECT_EQ(master.GateName, "North Gate");
    EXPECT_EQ(master.Users_id, "7") << "the login itself still succeeded";
}

// Every reply that is not a row of a user is a wrong credential, and leaves the session alone.
class WrongCredentialTest : public LoginTest,
                            public ::testing::WithParamInterface<std::pair<QByteArray, int>> {};

TEST_P(WrongCredentialTest, SaysWrongCredentialAndLeavesTheSessionUntouched) {
    master.EmpName = QStringLiteral("Earlier Guard");
    type("demo", "wrong");
    login->login();
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
    EXPECT_TRUE(master.Users_id.isEmpty());
    EXPECT_FALSE(UserDefaults::standard().contains("master"));
    EXPECT_TRUE(login->usernamecell->isEnabled());
    EXPECT_TRUE(login->pwdcell->isEnabled());
    EXPECT_EQ(net->sent.size(), 1) << "no device request after a refusal";
}

INSTANTIATE_TEST_SUITE_P(Replies, WrongCredentialTest,
                         ::testing::Values(std::pair<QByteArray, int>{"[]", 200},
                                           std::pair<QByteArray, int>{"not json", 200},
                                           std::pair<QByteArray, int>{"{\"Users_id\":\"7\"}", 200},
                                           std::pair<QByteArray, int>{"[1,2,3]", 200},
                                           std::pair<QByteArray, int>{"[{\"x\":1}]", 500},
                                           std::pair<QByteArray, int>{"", 0}));

TEST_F(LoginTest, AReplyAfterTheScreenIsGoneChangesNothing) {
    type("demo", "demo");
    login->login();
    root->dismiss(false);
    processEvents();
    ASSERT_TRUE(login.isNull());
    net->replyRaw(0, fixture("app/verify-user.json"));
    processEvents();
    EXPECT_TRUE(master.Users_id.isEmpty());
    EXPECT_EQ(net->sent.size(), 1);
}

TEST_F(LoginTest, TableRowsHeightsAndFooter) {
    EXPECT_EQ(login->title(), "Security Log");
    EXPECT_EQ(login->numberOfRows(0), 4);
    const QList<qreal> heights{130, 80, 80, 50};
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(login->heightForRow(0, row), heights.at(row));
    EXPECT_EQ(login->cellForRow(0, 1).value("cell").value<QObject *>(), login->usernamecell);
    EXPECT_EQ(login->usernamecell->title(), "User Name");
    EXPECT_EQ(login->pwdcell->title(), "Password");
    EXPECT_TRUE(login->pwdcell->secureTextEntry());
    EXPECT_EQ(login->dbCell->selectedSegmentIndex(), 1);
    EXPECT_EQ(login->rightBarButtonItem()->title(), "Done");
    EXPECT_EQ(login->footerText(), QString("Security 1.0\n\nMade with \u2764\uFE0F at Halvik"));
    EXPECT_EQ(login->footerHeight(800), 800 - 340);
    EXPECT_EQ(login->footerHeight(300), 10);
}

} // namespace
