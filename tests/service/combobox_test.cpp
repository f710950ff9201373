#include "combobox.h"
#include "dbconnection.h"
#include "navigationcontroller.h"
#include "scriptedtransport.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>

namespace {

struct Choice {
    QString text;
    QString element;
    QList<QMap<QString, QString>> data;
};

class RecordingReceiver : public QObject, public comboBoxDelegate {
public:
    void box(comboBox *, const QString &text, const QString &element,
             const QList<QMap<QString, QString>> &data, const QVariantList &) override {
        choices.append({text, element, data});
    }
    QList<Choice> choices;
};

class PickerTest : public ::testing::Test {
protected:
    PickerTest() {
        nodedb2 = QStringLiteral("http://picker.test");
        window.setRootViewController(root);
        window.makeKeyAndVisible();
    }

    comboBox *openList(comboBox::ListOptions options) {
        auto *picker = new comboBox(options);
        picker->setDelegate(&receiver, &receiver);
        EXPECT_TRUE(picker->show(root));
        return picker;
    }
    static comboBox::ListOptions vehicles() {
        comboBox::ListOptions o;
        o.title = "Vehicle";
        o.element = "cellVehile";
        o.parameters = {
            {"SPName", "USP_GetSecurityLogBySearchText"},
            {"JSONData", QVariantMap{{"SearchBy", "VehicleIOS"}, {"BranchCode", "HLV01"}}}};
        o.valueField = "IOVehicle";
        o.dataFields = {"VehicleType"};
        return o;
    }
    static QVariantList vehicleRows() {
        return {QVariantMap{{"IOVehicle", "TN 38 AB 1234"}, {"VehicleType", "Lorry"}},
                QVariantMap{{"IOVehicle", "KL 07 BX 9087"}, {"VehicleType", "Van"}},
                QVariantMap{{"IOVehicle", "TN 39 CK 4521"}, {"VehicleType", "Car"}}};
    }

    IsolatedDefaults defaults;
    ScriptedTransportScope net;
    Window window;
    NavigationController *root = new NavigationController(new ViewController());
    RecordingReceiver receiver;
};

TEST_F(PickerTest, LoadsItsRowsWithTheArgumentsAsJsonText) {
    openList(vehicles());
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent.first().request.url.toString(), "http://picker.test/sp");
    const QVariantMap body = net->sent.first().json();
    EXPECT_EQ(body.value("SPName").toString(), "USP_GetSecurityLogBySearchText");
    ASSERT_EQ(body.value("JSONData").typeId(), QMetaType::QString);
    EXPECT_EQ(body.value("JSONData").toString(),
              R"({"BranchCode":"HLV01","SearchBy":"VehicleIOS"})");
}

TEST_F(PickerTest, SearchNarrowsTheRowsAndAChoiceIsReportedOnce) {
    comboBox *picker = openList(vehicles());
    net->replyLast(vehicleRows());
    processEvents();
    EXPECT_EQ(picker->numberOfRows(0), 3);
    EXPECT_EQ(picker->cellForRow(0, 1).value("detail").toString(), "Van");
    picker->setSearchText(" tn ");
    ASSERT_EQ(picker->numberOfRows(0), 2);
    picker->didSelectRow(0, 1);
    picker->didSelectRow(0, 0);
    ASSERT_EQ(receiver.choices.size(), 1);
    EXPECT_EQ(receiver.choices.first().text, "TN 39 CK 4521");
    EXPECT_EQ(receiver.choices.first().element, "cellVehile");
    EXPECT_EQ(receiver.choices.first().data.first().value("VehicleType"), "Car");
    processEvents();
    EXPECT_EQ(root->presentedViewController(), nullptr) << "the picker closed";
}

TEST_F(PickerTest, CustomTextIsOfferedOnlyWhenAllowedAndNothingMatchesExactly) {
    auto options = vehicles();
    options.returnCustomText = true;
    comboBox *picker = openList(options);
    net->replyLast(vehicleRows());
    processEvents();
    picker->setSearchText("tn 38 ab 1234");
    EXPECT_EQ(picker->numberOfRows(0), 1) << "an exact match needs no extra row";
    picker->setSearchText("AP 16 ZZ 0001");
    ASSERT_EQ(picker->numberOfRows(0), 1);
    EXPECT_EQ(picker->cellForRow(0, 0).value("text").toString(), "AP 16 ZZ 0001");
    picker->didSelectRow(0, 0);
    ASSERT_EQ(receiver.choices.size(), 1);
    EXPECT_EQ(receiver.choices.first().text, "AP 16 ZZ 0001");
    EXPECT_TRUE(receiver.choices.first().data.isEmpty());
}

TEST_F(PickerTest, WithoutCustomTextATypedNameCannotBeChosen) {
    comboBox *picker = openList(vehicles());
    net->replyLast(vehicleRows());
    processEvents();
    picker->setSearchText("AP 16");
    EXPECT_EQ(picker->numberOfRows(0), 0);
    EXPECT_EQ(picker->rightBarButtonItem(), nullptr);
}

TEST_F(PickerTest, MultiSelectTicksRowsAndDoneReportsThemInListOrder) {
    auto options = vehicles();
    options.allowMultiSelect = true;
    comboBox *picker = openList(options);
    net->replyLast(vehicleRows());
    processEvents();
    picker->didSelectRow(0, 2);
    picker->didSelectRow(0, 0);
    picker->didSelectRow(0, 1);
    picker->didSelectRow(0, 1); // untick
    EXPECT_TRUE(picker->cellForRow(0, 0).value("checked").toBool());
    EXPECT_FALSE(picker->cellForRow(0, 1).value("checked").toBool());
    EXPECT_TRUE(receiver.choices.isEmpty());
    picker->rightBarButtonItem()->trigger();
    ASSERT_EQ(receiver.choices.size(), 1);
    EXPECT_EQ(receiver.choices.first().text, "TN 38 AB 1234,TN 39 CK 4521");
    EXPECT_EQ(receiver.choices.first().data.size(), 2);
}

TEST_F(PickerTest, AFailedOrMalformedLoadShowsNoRows) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        comboBox *picker = openList(vehicles());
        if (attempt == 0)
            net->fail(int(net->sent.size()) - 1);
        else
            net->replyRaw(int(net->sent.size()) - 1, "{\"rows\":5}");
        processEvents();
        EXPECT_EQ(picker->numberOfRows(0), 0);
        EXPECT_FALSE(picker->isLoading());
        root->dismiss(false);
        processEvents();
    }
}

TEST_F(PickerTest, ADelegateThatIsGoneHearsNothing) {
    auto *owner = new RecordingReceiver;
    auto *picker = new comboBox(vehicles());
    picker->setDelegate(owner, owner);
    picker->show(root);
    net->replyLast(vehicleRows());
    processEvents();
    delete owner;
    picker->didSelectRow(0, 0); // must not touch the deleted receiver
    processEvents();
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(PickerTest, DatesAreChosenWithinTheirBoundsAndReportedInTheOutputFormat) {
    comboBox::DateOptions options;
    options.title = "Bill Date";
    options.element = "billDate";
    options.indateformat = 4;
    options.outdateformat = 0;
    options.initialdate = "2026-12-03";
    options.mindate = QDate(2026, 12, 1);
    options.maxdate = QDate(2026, 12, 6);
    auto *picker = new comboBox(options);
    picker->setDelegate(&receiver, &receiver);
    picker->show(root);
    EXPECT_TRUE(net->sent.isEmpty()) << "a date picker loads nothing";
    EXPECT_EQ(picker->initialDate(), QDate(2026, 12, 3));
    picker->chooseDate(QDate(2026, 12, 7));
    picker->chooseDate(QDate(2026, 11, 30));
    EXPECT_TRUE(receiver.choices.isEmpty());
    picker->chooseDate(QDate(2026, 12, 5));
    ASSERT_EQ(receiver.choices.size(), 1);
    EXPECT_EQ(receiver.choices.first().text, "05/12/2026");
    EXPECT_EQ(receiver.choices.first().element, "billDate");
}

} // namespace
