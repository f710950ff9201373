#include "alertcontroller.h"
#include "barbuttonitem.h"
#include "combobox.h"
#include "employeefplogviewtableviewcontroller.h"
#include "menuviewcontroller.h"
#include "navigationcontroller.h"
#include "sessionfixture.h"
#include "window.h"

#include <QPointer>

namespace {

const QString kPunchURL = DistinctServerSets::base(1) + "/sp";

QVariantMap punch(const QString &when, const QString &mode) {
    return {{"EmpName", "Selvi"},          {"EmpCode", "E1042"},
            {"Department", "Weaving"},     {"Designation", "Operator"},
            {"ImagePath", "~/Emp/42.jpg"}, {"FPLogStr", when},
            {"FPModeStr", mode},           {"FPMode", "1"},
            {"FPDeviceName", "Gate 2"},    {"DivisionName", "Spinning"}};
}

// The log screen at the root of a shown window, the guard logged in.
class EmpLogTest : public SessionTest {
protected:
    EmpLogTest() {
        logIn();
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        processEvents();
    }
    ViewController *topPresented() const {
        ViewController *top = root;
        while (ViewController *next = top->presentedViewController())
            top = next;
        return top;
    }
    AlertController *alert() const { return qobject_cast<AlertController *>(topPresented()); }
    comboBox *openPicker() {
        screen->rightBarButtonItem()->trigger();
        processEvents();
        auto *nav = qobject_cast<NavigationController *>(topPresented());
        return nav ? nav->viewControllerAt<comboBox>(0) : nullptr;
    }
    // Picks `empName` in the picker and returns the punch request's index.
    int pick(const QString &code, const QString &empName) {
        comboBox *picker = openPicker();
        EXPECT_NE(picker, nullptr);
        if (!picker)
            return -1;
        net->replyLast(QVariantList{
            QVariantMap{{"Employee_id", "9"}, {"EmpCode", code}, {"EmpName", empName}}});
        processEvents();
        picker->didSelectRow(0, 0);
        processEvents();
        return int(net->sent.size()) - 1;
    }
    void showPunches(const QVariantList &rows) {
        net->reply(pick("E1042", "Selvi"), rows);
        processEvents();
    }

    Window window;
    QPointer<EmployeeFPLogViewTableViewController> screen =
        new EmployeeFPLogViewTableViewController();
    NavigationController *root = new NavigationController(screen);
};

TEST_F(EmpLogTest, PickerPostsTheSearchWithTheBranchEscaped) {
    master.BranchCode = "HL'V\\01";
    ASSERT_NE(openPicker(), nullptr);
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].request.url.toString(),
              DistinctServerSets::base(1) + "/svc/CommonGetSearchData");
    const QVariantMap expected{
        {"SP_Name", "Usp_Production_Sel"},
        {"Parameters", "[{'BranchCode':'HL\\'V\\\\01','SP_Type':'EMPLOYEE_SEARCH'}]"},
        {"LikeStr", ""}};
    EXPECT_EQ(net->sent[0].json(), expected);
}

TEST_F(EmpLogTest, PickingAsksForTheLastTwoDaysByteForByte) {
    const int at = pick("E1042", "Selvi");
    ASSERT_EQ(at, 1);
    EXPECT_EQ(net->sent[at].request.url.toString(), kPunchURL);
    EXPECT_EQ(net->sent[at].request.body,
              QByteArray(R"({"JSONData":{"EmpCode":"E1042","ReqType":"SELECT_LASTTWODAYSLOG"},)"
                         R"("SPName":"USP_Security","withStrings":true})"));
}

// ---- the header

struct HeaderCase {
    const char *name;
    QVariantMap overrides; // over punch()
    QString address;
    QString imageUrl;
};

class EmpHeaderTest : public EmpLogTest, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(EmpHeaderTest, FillsFromTheFirstPunch) {
    QVariantMap first = punch("06 Dec 08:01", "IN");
    for (auto it = GetParam().overrides.cbegin(); it != GetParam().overrides.cend(); ++it) {
        if (it.value().isNull())
            first.remove(it.key());
        else
            first.insert(it.key(), it.value());
    }
    QVariantMap second = punch("06 Dec 17:30", "OUT");
    second.insert("EmpName", "Someone Else");
    showPunches({first, second});
    EXPECT_EQ(screen->header->name(), "Selvi");
    EXPECT_EQ(screen->header->mobileNo(), "E1042");
    EXPECT_EQ(screen->header->address(), GetParam().address);
    EXPECT_EQ(screen->header->imageUrl().toString(), GetParam().imageUrl);
    EXPECT_EQ(screen->numberOfRows(0), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Records, EmpHeaderTest,
    ::testing::Values(HeaderCase{"WithDesignation",
                                 {},
                                 "Weaving • Operator",
                                 DistinctServerSets::base(1) + "/img/Emp/42.jpg"},
                      HeaderCase{"NoDesignationNoPhoto",
                                 {{"Designation", QVariant()}, {"ImagePath", ""}},
                                 "Weaving",
                                 ""}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- the rows

struct RowCase {
    const char *name;
    QVariantMap record;
    QString text;
    QString detail;
};

class EmpRowTest : public EmpLogTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(EmpRowTest, ShowsWhenModeAndReader) {
    showPunches({GetParam().record});
    ASSERT_EQ(screen->numberOfRows(0), 1);
    const QVariantMap cell = screen->cellForRow(0, 0);
    EXPECT_EQ(cell.value("text"), GetParam().text);
    EXPECT_EQ(cell.value("detail"), GetParam().detail);
}

INSTANTIATE_TEST_SUITE_P(
    Records, EmpRowTest,
    ::testing::Values(RowCase{"Full", punch("06 Dec 08:01", "IN"), "06 Dec 08:01 • IN",
                              "Spinning • Gate 2 • 1"},
                      RowCase{"MissingParts",
                              {{"EmpCode", "E1042"}, {"FPLogStr", "06 Dec 08:01"}, {"FPMode", "0"}},
                              "06 Dec 08:01",
                              "0"}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- replies that change nothing

TEST_F(EmpLogTest, NoPunchesKeepsTheScreenAndSaysSo) {
    showPunches({punch("06 Dec 08:01", "IN")});
    net->reply(pick("E7", "Arun"), QVariantList{});
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Alert !");
    EXPECT_EQ(alert()->message(), "No punches in the last two days for Arun");
    EXPECT_EQ(screen->header->name(), "Selvi");
    EXPECT_EQ(screen->numberOfRows(0), 1);
}

struct BadReplyCase {
    const char *name;
    QByteArray body;
    int status; // 0: no answer at all
};

class EmpBadReplyTest : public EmpLogTest, public ::testing::WithParamInterface<BadReplyCase> {};

TEST_P(EmpBadReplyTest, ChangesNothingAndSaysNothing) {
    showPunches({punch("06 Dec 08:01", "IN")});
    const int at = pick("E7", "Arun");
    if (GetParam().status == 0)
        net->fail(at);
    else
        net->replyRaw(at, GetParam().body, GetParam().status);
    processEvents();
    EXPECT_EQ(alert(), nullptr);
    EXPECT_EQ(screen->header->name(), "Selvi");
    EXPECT_EQ(screen->numberOfRows(0), 1);
}

INSTANTIATE_TEST_SUITE_P(Replies, EmpBadReplyTest,
                         ::testing::Values(BadReplyCase{"NotJSON", "<html>oops</html>", 200},
                                           BadReplyCase{"Object", R"({"error":"timeout"})", 200},
                                           BadReplyCase{"ServerError", "[]", 500},
                                           BadReplyCase{"NoAnswer", {}, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- the menu

TEST(EmpLogMenuTest, RowFourPushesTheLogOntoTheMenusContainer) {
    IsolatedDefaults defaults;
    DistinctServerSets sets;
    ScriptedTransportScope net;
    Window window;
    auto *menu = new MenuViewController();
    auto *nav = new NavigationController(menu);
    window.setRootViewController(nav);
    window.makeKeyAndVisible();
    processEvents();
    menu->didSelectRow(0, 4);
    processEvents();
    ASSERT_EQ(nav->viewControllers().size(), 2);
    auto *log = qobject_cast<EmployeeFPLogViewTableViewController *>(nav->topViewController());
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(menu->presentedViewController(), nullptr) << "pushed, not presented";
    EXPECT_TRUE(net->sent.isEmpty());
}

} // namespace
