#include "combobox.h"
#include "employeefplogviewtableviewcontroller.h"
#include "menuviewcontroller.h"
#include "sessionfixture.h"
#include "shownscreen.h"

#include <QPointer>

namespace {

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
    // Picks `empName` in the picker and returns the punch request's index.
    int pick(const QString &code, const QString &empName) {
        screen->rightBarButtonItem()->trigger();
        processEvents();
        auto *picker = qobject_cast<comboBox *>(topmostScreen(root));
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

TEST_F(EmpLogTest, PickerPostsTheSearchWithTheBranchEscapedThenAsksForTheLastTwoDays) {
    master.BranchCode = "HL'V\\01";
    const int at = pick("E1042", "Selvi");
    ASSERT_EQ(at, 1);
    EXPECT_EQ(net->sent[0].request.url.toString(),
              DistinctServerSets::base(1) + "/svc/CommonGetSearchData");
    const QVariantMap search{
        {"SP_Name", "Usp_Production_Sel"},
        {"Parameters", "[{'BranchCode':'HL\\'V\\\\01','SP_Type':'EMPLOYEE_SEARCH'}]"},
        {"LikeStr", ""}};
    EXPECT_EQ(net->sent[0].json(), search);
    EXPECT_EQ(net->sent[at].request.url.toString(), DistinctServerSets::base(1) + "/sp");
    EXPECT_EQ(net->sent[at].request.body,
              QByteArray(R"({"JSONData":{"EmpCode":"E1042","ReqType":"SELECT_LASTTWODAYSLOG"},)"
                         R"("SPName":"USP_Security","withStrings":true})"));
}

// The header shows the first punch's person; each punch is a row.
struct PunchCase {
    const char *name;
    QVariantMap first;
    QStringList header; // name, code, department and designation, photo address
    QStringList row;    // text, detail
};

class PunchesTest : public EmpLogTest, public ::testing::WithParamInterface<PunchCase> {};

TEST_P(PunchesTest, FillTheHeaderFromTheFirstAndARowEach) {
    QVariantMap second = punch("06 Dec 17:30", "OUT");
    second.insert("EmpName", "Someone Else");
    showPunches({GetParam().first, second});
    const PersonDetailsView *h = screen->header;
    EXPECT_EQ(QStringList({h->name(), h->mobileNo(), h->address(), h->imageUrl().toString()}),
              GetParam().header);
    ASSERT_EQ(screen->numberOfRows(0), 2);
    const QVariantMap cell = screen->cellForRow(0, 0);
    EXPECT_EQ(QStringList({cell.value("text").toString(), cell.value("detail").toString()}),
              GetParam().row);
}

QVariantMap withoutDesignationAndPhoto(QVariantMap punch) {
    punch.remove("Designation");
    punch.insert("ImagePath", "");
    return punch;
}

const QStringList kFullRow{"06 Dec 08:01 • IN", "Spinning • Gate 2 • 1"};

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Records, PunchesTest,
    ::testing::Values(
        PunchCase{"Full", punch("06 Dec 08:01", "IN"),
                  {"Selvi", "E1042", "Weaving • Operator",
                   DistinctServerSets::base(1) + "/img/Emp/42.jpg"},
                  kFullRow},
        PunchCase{"NoDesignationNoPhoto", withoutDesignationAndPhoto(punch("06 Dec 08:01", "IN")),
                  {"Selvi", "E1042", "Weaving", ""}, kFullRow},
        PunchCase{"MissingParts",
                  {{"EmpCode", "E1042"}, {"FPLogStr", "06 Dec 08:01"}, {"FPMode", "0"}},
                  {"", "E1042", "", ""}, {"06 Dec 08:01", "0"}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(EmpLogTest, NoPunchesKeepsTheScreenAndSaysSo) {
    showPunches({punch("06 Dec 08:01", "IN")});
    net->reply(pick("E7", "Arun"), QVariantList{});
    processEvents();
    auto *alert = qobject_cast<AlertController *>(topmostScreen(root));
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Alert !");
    EXPECT_EQ(alert->message(), "No punches in the last two days for Arun");
    EXPECT_EQ(screen->header->name(), "Selvi");
    EXPECT_EQ(screen->numberOfRows(0), 1);
}

} // namespace
