#include "access.h"
#include "common.h"
#include "datatask.h"
#include "navigationcontroller.h"
#include "rows.h"
#include "shownscreen.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

common &c() {
    return common::sharedInstance();
}

datatask &dt() {
    return datatask::sharedInstance();
}

TEST(JSONText, CompactTextOfMapsAndListsOnly) {
    EXPECT_EQ(dt().toJSONText(QVariantMap{{"SPName", "spGate"}, {"id", 12}}),
              QStringLiteral(R"({"SPName":"spGate","id":12})"));
    EXPECT_EQ(dt().toJSONText(QVariantList{1, "a"}), QStringLiteral(R"([1,"a"])"));
    EXPECT_EQ(dt().toJSONText(QStringLiteral("plain")), QString());
}

// Every screen reads values as text: each value must be a QString, not just convertible.
TEST(JSONText, RowsFromText) {
    struct Case {
        const char *json;
        Rows rows;
    };
    const Case cases[] = {
        {"0", {}},
        {" 0 ", {}},
        {"[]", {}},
        {R"({"a":"1"})", {}},
        {"not json", {}},
        {"", {}},
        {"[1,2]", {}},
        {R"([{"a":1},3,{"a":2}])", {{{"a", "1"}}, {{"a", "2"}}}},
        {R"([{"n":12,"z":0,"neg":-7,"f":1.5,"id":9007199254740991}])",
         {{{"n", "12"}, {"z", "0"}, {"neg", "-7"}, {"f", "1.5"}, {"id", "9007199254740991"}}}},
        {R"([{"t":true,"f":false,"null":null,"s":"Zoë \u6f22"}])",
         {{{"t", "true"}, {"f", "false"}, {"null", ""}, {"s", "Zoë 漢"}}}},
        {R"([{"id":"x","obj":{"a":1},"arr":[1,2]}])", {{{"id", "x"}}}},
    };
    for (const Case &k : cases) {
        const Rows rows = dt().rowsFromJSONText(QString::fromUtf8(k.json));
        EXPECT_EQ(rows, k.rows) << k.json;
        for (const Row &row : rows)
            for (const QVariant &v : row)
                EXPECT_EQ(v.typeId(), QMetaType::QString) << k.json;
    }
}

const char *const kFields[] = {"BranchCode",    "Users_id",   "EmpName",   "Employee_id",
                               "Department_id", "Department", "ImagePath", "Division_id",
                               "DivisionName",  "Device_id",  "GateName"};

QVariantMap fullRow(const QString &prefix) {
    QVariantMap row;
    for (const char *f : kFields)
        row.insert(QString::fromLatin1(f), prefix + QString::fromLatin1(f));
    return row;
}

class access someone() {
    class access a;
    a.fromJSON(fullRow(QStringLiteral("v-")));
    return a;
}

TEST(Access, RoundTripsAllElevenFields) {
    const class access a = someone();
    EXPECT_EQ(a.toJSON(), fullRow(QStringLiteral("v-")));
    EXPECT_EQ(a.GateName, QStringLiteral("v-GateName"));
    class access b;
    b.fromJSON(a.toJSON());
    EXPECT_EQ(a, b);
}

// A device row must not wipe the user; non-text values leave their field, "" replaces.
TEST(Access, PartialRowsSetOnlyTheirTextFields) {
    class access a = someone();
    a.fromJSON({{"DivisionName", "Press"},
                {"Users_id", 12},
                {"EmpName", QVariantList{"x"}},
                {"Department", QVariantMap{{"a", "b"}}},
                {"BranchCode", QVariant()},
                {"GateName", true},
                {"Device_id", ""},
                {"Unrelated", "x"}});
    QVariantMap expected = fullRow(QStringLiteral("v-"));
    expected["DivisionName"] = "Press";
    expected["Device_id"] = "";
    EXPECT_EQ(a.toJSON(), expected);
}

class Session : public ::testing::Test {
protected:
    ~Session() override { master = saved; }
    IsolatedDefaults defaults;
    class access saved = master;
};

TEST_F(Session, SavedSessionHoldsTheElevenFieldsAndComesBack) {
    master = someone();
    EXPECT_FALSE(c().hasSavedSession()); // nothing saved yet
    c().saveSession();
    EXPECT_EQ(c().defaultsStore().keys(), QStringList{"master"});
    const QString text = c().defaultsStore().value(QStringLiteral("master")).toString();
    EXPECT_EQ(QJsonDocument::fromJson(text.toUtf8()).object().toVariantMap(),
              fullRow(QStringLiteral("v-")));
    master = {};
    ASSERT_TRUE(c().hasSavedSession());
    EXPECT_EQ(master, someone());
}

TEST_F(Session, DamagedSavedValuesCountAsNoSessionAndLeaveMaster) {
    for (const char *stored :
         {"Users_id=5", "", R"([{"Users_id":"5"}])", R"({"EmpName":"Intruder","GateName":"X"})",
          R"({"Users_id":5,"EmpName":"Intruder"})", R"({"Users_id":"","EmpName":"Intruder"})",
          R"({"Users_id":"5","EmpName":"Int)"}) {
        c().defaultsStore().setValue(QStringLiteral("master"), QString::fromUtf8(stored));
        master = someone();
        EXPECT_FALSE(c().hasSavedSession()) << stored;
        EXPECT_EQ(master, someone()) << stored;
    }
}

TEST_F(Session, PartialSavedSessionOnlySetsWhatItHolds) {
    c().defaultsStore().setValue(QStringLiteral("master"),
                                 QStringLiteral(R"({"Users_id":"5","EmpName":"Asha"})"));
    master = someone();
    ASSERT_TRUE(c().hasSavedSession());
    class access expected = someone();
    expected.Users_id = "5";
    expected.EmpName = "Asha";
    EXPECT_EQ(master, expected);
}

TEST(Alerts, TextEntryHandsTheTypedTextToOkOnly) {
    ShownScreen s;
    QStringList got;
    for (const char *button : {"Cancel", "Ok"}) {
        // Without a screen it goes over the top one.
        AlertController *alert = c().showTextEntryAlert(
            nullptr, QStringLiteral("Remarks"), QString(), [&](const QString &t) { got << t; });
        ASSERT_EQ(s.screen->navigationController()->presentedViewController(), alert);
        alert->setTextFieldText(0, QStringLiteral("Visitor & 2 guests"));
        alert->tap(QString::fromLatin1(button));
    }
    EXPECT_EQ(got, QStringList{"Visitor & 2 guests"});
}

TEST(Alerts, ShowAlertAppendsTheFailureAndConfirmRunsOkOnItsButton) {
    ShownScreen s;
    AlertController *alert =
        c().showAlert(s.screen, QStringLiteral("Error"), QStringLiteral("Upload failed"),
                      QStringLiteral("HTTP 500"));
    EXPECT_EQ(alert->message(), QStringLiteral("Upload failed\nHTTP 500"));
    EXPECT_TRUE(alert->tap(QStringLiteral("OK")));
    for (const auto &[tapped, okRuns] : {std::pair{"Log out", 1}, {"Stay", 0}}) {
        int runs = 0;
        std::unique_ptr<AlertController> confirm(
            c().makeConfirmAlert([&] { ++runs; }, QStringLiteral("Sure?"), QString(),
                                 QStringLiteral("Log out"), QStringLiteral("Stay")));
        EXPECT_TRUE(confirm->tap(QString::fromLatin1(tapped)));
        EXPECT_EQ(runs, okRuns) << tapped;
    }
}

TEST(TopScreen, FollowsPresentationsAndStacks) {
    ShownScreen s;
    EXPECT_EQ(c().topViewController(), s.screen);
    auto *inner = new ViewController;
    auto *nav2 = new NavigationController(new ViewController);
    nav2->pushViewController(inner);
    ASSERT_TRUE(s.screen->present(nav2));
    EXPECT_EQ(c().topViewController(), inner);
    inner->dismiss();
    EXPECT_EQ(c().topViewController(), s.screen);
}

} // namespace
