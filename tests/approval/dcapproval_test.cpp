#include "dcapprovalviewcontroller.h"
#include "dcdetailviewcontroller.h"
#include "formcells.h"
#include "navigationcontroller.h"
#include "qtprinters.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "sessionfixture.h"
#include "shownscreen.h"
#include "window.h"

#include <QPointer>

namespace {

QVariantMap dc(const char *id, const char *code, const char *from, const char *to,
               const char *state, const char *ret = "NR") {
    return {{"DC_id", id},
            {"DCCode", code},
            {"DCDate", "2026-12-05"},
            {"FDiv", from},
            {"FDept", "Stores"},
            {"TDiv", to},
            {"ToDept", "Looms"},
            {"IsOutDC", state},
            {"IsRet", ret},
            {"ItemCount", "2"},
            {"IssToEmp", "Priya"},
            {"TakenByName", "Murugan S"},
            {"IssueEmpName", "Ravi"},
            {"CityName", ""},
            {"ApprovedBy", "Meena R"}};
}

QVariantMap line(const char *dcId, const char *name, const char *passed, const char *returned) {
    return {{"DC_id", dcId},         {"ItemName", name},         {"PassedQty", passed},
            {"ReturnQty", returned}, {"SingularSymbol", "Cone"}, {"PluralSymbol", "Cones"}};
}

// Our division is "Spinning".
const QVariantList kReply{
    dc("1", "DC/SPN/0142", "Spinning", "Weaving", "No"),                 // leaving us
    dc("2", "DC/WVG/0077", "Weaving", "Spinning", "Yes"),                // coming to us
    dc("3", "DC/SPN/0131", "Spinning", "Kovai Spares", "OutDCYes", "R"), // ours coming back
    dc("4", "DC/SPN/0135", "Spinning", "Kovai Spares", "OutDCYes", ""),  // not returnable
    dc("5", "DC/PRC/0010", "Processing", "Weaving", "Yes"),              // not ours
    dc("6", "DC/SPN/0150", "Spinning", "Weaving", "OutDCComplete")};

class ApprovalTest : public SessionTest {
protected:
    ApprovalTest() {
        logIn();
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        processEvents();
        net->replyRaw(0, "[]");
        processEvents();
        form->IsUpdateable = "Yes";
        root->pushViewController(form, false);
        processEvents();
        net->sent.clear();
    }
    // The list opened for a section, its reply answered.
    void open(const QString &viewType, const QString &accessFrom,
              const QVariantList &reply = kReply) {
        screen->viewType = viewType;
        screen->AccessFrom = accessFrom;
        form->present(new NavigationController(screen), false);
        processEvents();
        net->replyLast(reply);
        processEvents();
    }
    QStringList shownCodes() const {
        QStringList codes;
        for (int r = 0; r < screen->numberOfRows(0); ++r)
            codes.append(screen->cellForRow(0, r).value("titlelbl").toString());
        return codes;
    }
    void tick(const QString &code) {
        for (int r = 0; r < screen->numberOfRows(0); ++r)
            if (screen->cellForRow(0, r).value("titlelbl") == code)
                screen->didSelectRow(0, r);
    }
    ViewController *top() const { return topmostScreen(root); }
    AlertController *alert() const { return qobject_cast<AlertController *>(top()); }

    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
    QPointer<securityLogDetailView> form = new securityLogDetailView();
    QPointer<DCApprovalViewController> screen = new DCApprovalViewController();
};

struct ListCase {
    const char *name;
    QString viewType, accessFrom;
    QString spName, title;
    QStringList shown;
};

class ListTest : public ApprovalTest, public ::testing::WithParamInterface<ListCase> {};

TEST_P(ListTest, AsksForTheKindAndShowsTheSectionsDCs) {
    const ListCase &c = GetParam();
    screen->viewType = c.viewType;
    screen->AccessFrom = c.accessFrom;
    form->present(new NavigationController(screen), false);
    processEvents();
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(
        net->sent[0].json(),
        QVariantMap({{"SPName", c.spName},
                     {"JSONData",
                      QVariantMap{{"SP_Type", c.viewType}, {"BranchCode", "HLV01"}, {"ID", "7"}}},
                     {"withStrings", true}}));
    EXPECT_EQ(screen->title(), c.title);
    net->replyLast(kReply);
    processEvents();
    EXPECT_EQ(shownCodes(), c.shown);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ListTest,
    ::testing::Values(
        ListCase{"In",
                 "Sec_Div_OutAndPed_DC",
                 "IN",
                 "Usp_CommonService",
                 "",
                 {"DC/WVG/0077", "DC/SPN/0131"}},
        ListCase{"Out", "Sec_PDC", "OUT", "USP_CommonService_Sec_PDC", "Pending", {"DC/SPN/0142"}},
        ListCase{"ApprovedUnfiltered",
                 "Sel_DCA",
                 "",
                 "Usp_CommonService",
                 "Approved List",
                 {"DC/SPN/0142", "DC/WVG/0077", "DC/SPN/0131", "DC/SPN/0135", "DC/PRC/0010",
                  "DC/SPN/0150"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ApprovalTest, SearchIgnoresCaseStaysInTheSectionAndDropsTicks) {
    open("Sec_Div_OutAndPed_DC", "IN");
    tick("DC/WVG/0077");
    for (const char *typed : {"dc/wvg", " DC/WVG ", "WEAVING"}) {
        screen->searchController->setText(typed);
        processEvents();
        EXPECT_EQ(shownCodes(), QStringList{"DC/WVG/0077"}) << typed;
    }
    screen->searchController->setText("DC/SPN/0142"); // leaving us: not an IN DC
    EXPECT_TRUE(shownCodes().isEmpty());
    screen->searchController->setText("murugan");
    EXPECT_EQ(shownCodes(), (QStringList{"DC/WVG/0077", "DC/SPN/0131"}));
    screen->searchController->clear();
    EXPECT_EQ(shownCodes(), (QStringList{"DC/WVG/0077", "DC/SPN/0131"}));
    EXPECT_FALSE(screen->cellForRow(0, 0).value("checkmark").toBool());
}

TEST_F(ApprovalTest, DoneWithNothingTickedDoesNothing) {
    open("Sec_PDC", "OUT");
    net->sent.clear();
    screen->Attach();
    processEvents();
    EXPECT_TRUE(net->sent.isEmpty());
    EXPECT_EQ(top(), screen);
}

TEST_F(ApprovalTest, TickedDCsBecomeINEntriesAndTheSwitchTurnsToIN) {
    open("Sec_Div_OutAndPed_DC", "IN");
    tick("DC/WVG/0077");
    tick("DC/SPN/0131");
    tick("DC/WVG/0077");
    tick("DC/WVG/0077"); // on, off, on
    net->sent.clear();
    form->celllabelSegmentCell->setSelectedSegmentIndex(1);
    screen->Attach();
    ASSERT_EQ(net->sent.size(), 2); // every request goes before any reply
    EXPECT_EQ(net->sent[0].json().value("JSONData").toMap(),
              QVariantMap({{"SP_Type", "Sel_DCD"}, {"BranchCode", "HLV01"}, {"ID", "2"}}));
    EXPECT_EQ(net->sent[1].json().value("JSONData").toMap().value("ID"), "3");
    net->reply(1, QVariantList{line("3", "Spindle", "4", "1")});
    net->reply(0, QVariantList{line("2", "Cones", "10", "0"), line("2", "Beams", "2", "2")});
    processEvents();
    ASSERT_EQ(form->PartyINSectionCollView.size(), 2);
    const SectionEntry &back = form->PartyINSectionCollView[0]; // arrived first
    EXPECT_EQ(back.DC_id, 3);
    EXPECT_TRUE(back.IsOutSideDCReturn);
    EXPECT_EQ(back.PartyDetails.value("PartyName"), "From Kovai Spares, Looms");
    const SectionEntry &in = form->PartyINSectionCollView[1];
    EXPECT_FALSE(in.IsOutSideDCReturn);
    EXPECT_EQ(in.PartyDetails, (QMap<QString, QString>{{"PartyName", "From Weaving, Stores"},
                                                       {"BillNo", "DC/WVG/0077"},
                                                       {"BillDate", "05/12/2026"},
                                                       {"City", "Halvik"}}));
    ASSERT_EQ(in.DATA.size(), 1); // only what is still to pass
    EXPECT_FALSE(in.DATA.first()->quantityEditable());
    EXPECT_TRUE(in.DATA.first()->buttonsHidden);
    EXPECT_EQ(form->celllabelSegmentCell->selectedSegmentIndex(), 0);
    EXPECT_EQ(form->presentedViewController(), nullptr);
}

TEST_F(ApprovalTest, AttachingTheSameDCAgainReplacesItsEntry) {
    SectionEntry earlier;
    earlier.PartyDetails = {{"BillNo", "DC/SPN/0142"}};
    earlier.savedDetailId = "301";
    form->PartyOUTSectionCollView = {earlier};
    open("Sec_PDC", "OUT");
    tick("DC/SPN/0142");
    screen->Attach();
    net->replyLast(QVariantList{line("1", "Cones", "10", "0")});
    processEvents();
    ASSERT_EQ(form->PartyOUTSectionCollView.size(), 1);
    EXPECT_EQ(form->PartyOUTSectionCollView[0].DC_id, 1);
    EXPECT_EQ(form->PartyOUTSectionCollView[0].savedDetailId, "301");
    EXPECT_EQ(form->PartyOUTSectionCollView[0].PartyDetails.value("PartyName"),
              "To Weaving, Looms");
}

struct BadLinesCase {
    const char *name;
    QByteArray reply;
    bool said; // the guard is told and the list stays
};

class BadLinesTest : public ApprovalTest, public ::testing::WithParamInterface<BadLinesCase> {};

TEST_P(BadLinesTest, MakesNoEntry) {
    const BadLinesCase &c = GetParam();
    open("Sec_PDC", "OUT");
    tick("DC/SPN/0142");
    screen->Attach();
    net->replyRaw(int(net->sent.size()) - 1, c.reply);
    processEvents();
    EXPECT_TRUE(form->PartyOUTSectionCollView.isEmpty());
    if (c.said) {
        ASSERT_NE(alert(), nullptr);
        EXPECT_EQ(alert()->message(), "No items found for DC/SPN/0142");
        alert()->tap("OK");
        processEvents();
        EXPECT_EQ(top(), screen);
    } else {
        EXPECT_EQ(form->presentedViewController(), nullptr);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadLinesTest,
    ::testing::Values(BadLinesCase{"NotAList", "{\"DC_id\":1}", true},
                      BadLinesCase{"NoRows", "[]", true},
                      BadLinesCase{"NoDCId", R"([{"ItemName":"Cones","PassedQty":"1"}])", true},
                      BadLinesCase{"Failed", "<html>500</html>", true},
                      BadLinesCase{"NothingLeftToPass",
                                   R"([{"DC_id":"1","ItemName":"Cones","PassedQty":"3",)"
                                   R"("ReturnQty":"3"}])",
                                   false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ApprovalTest, ViewOpensTheDCDetailWithWhoDecided) {
    open("Sel_DCA", "IN");
    const auto actions = screen->trailingSwipeActions(0, 0);
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions.first().title, "View");
    screen->performSwipeAction(0, 1, 0); // DC/SPN/0131, an outside DC coming back
    processEvents();
    auto *detail = qobject_cast<DCDetailViewController *>(top());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->DCId, 3);
    EXPECT_EQ(detail->PeforeScreen, "DCApprovalView");
    EXPECT_EQ(detail->IsOutSideDCReturn, "Yes");
    EXPECT_EQ(detail->AccessFrom, "IN");
    EXPECT_EQ(detail->leftBarButtonItem(), nullptr);
    EXPECT_EQ(detail->headercell->label1, "DC/SPN/0131");
    EXPECT_EQ(detail->footerText(), "Approved by Meena R");
}

} // namespace
