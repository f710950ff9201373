#include "../items/itemsfixture.h"
#include "dcapprovalviewcontroller.h"
#include "formcells.h"

#include <QJsonDocument>
#include <QPointer>

namespace {

QVariantMap dc(const char *id, const char *code, const char *from, const char *to,
               const char *state, const char *ret = "NR") {
    QVariantMap row{{"DC_id", id}, {"DCCode", code},   {"FDiv", from},
                    {"TDiv", to},  {"IsOutDC", state}, {"IsRet", ret}};
    row.insert(QJsonDocument::fromJson(R"({"DCDate":"2026-12-05","FDept":"Stores",
        "ToDept":"Looms","ItemCount":"2","IssToEmp":"Priya","TakenByName":"Murugan S",
        "IssueEmpName":"Ravi","CityName":"","ApprovedBy":"Meena R"})")
                   .toVariant()
                   .toMap());
    return row;
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

// The DC list over a new log's form, as its sections' "Att DC" opens it.
class ApprovalTest : public ItemsTest {
protected:
    ApprovalTest() { form->IsUpdateable = "Yes"; }
    // The list opened for a section, its reply answered.
    void open(const QString &viewType, const QString &accessFrom) {
        screen = new DCApprovalViewController();
        screen->viewType = viewType;
        screen->AccessFrom = accessFrom;
        form->present(new NavigationController(screen), false);
        processEvents();
        net->replyLast(kReply);
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
    QPointer<DCApprovalViewController> screen;
};

// Each kind is asked for by its own procedure; IN keeps what comes to us (ours coming back
// included), OUT what leaves us, the approved list everything.
TEST_F(ApprovalTest, AsksForTheKindAndShowsTheSectionsDCs) {
    const QStringList all{"DC/SPN/0142", "DC/WVG/0077", "DC/SPN/0131",
                          "DC/SPN/0135", "DC/PRC/0010", "DC/SPN/0150"};
    for (const auto &[viewType, accessFrom, spName, title, shown] :
         {std::tuple{"Sec_Div_OutAndPed_DC", "IN", "Usp_CommonService", "",
                     QStringList{"DC/WVG/0077", "DC/SPN/0131"}},
          {"Sec_PDC", "OUT", "USP_CommonService_Sec_PDC", "Pending", QStringList{"DC/SPN/0142"}},
          {"Sel_DCA", "", "Usp_CommonService", "Approved List", all}}) {
        SCOPED_TRACE(viewType);
        net->sent.clear();
        open(viewType, accessFrom);
        ASSERT_EQ(net->sent.size(), 1);
        EXPECT_EQ(
            net->sent[0].json(),
            QVariantMap({{"SPName", spName},
                         {"JSONData",
                          QVariantMap{{"SP_Type", viewType}, {"BranchCode", "HLV01"}, {"ID", "7"}}},
                         {"withStrings", true}}));
        EXPECT_EQ(screen->title(), title);
        EXPECT_EQ(shownCodes(), shown);
        form->dismiss(false);
        processEvents();
    }
}

// Ticks are dropped by a search; with nothing ticked Done sends nothing and stays.
TEST_F(ApprovalTest, SearchIgnoresCaseStaysInTheSectionAndDropsTicks) {
    open("Sec_Div_OutAndPed_DC", "IN");
    tick("DC/WVG/0077");
    for (const char *typed : {" dc/wvg ", "WEAVING"}) {
        screen->searchController->setText(typed);
        EXPECT_EQ(shownCodes(), QStringList{"DC/WVG/0077"}) << typed;
    }
    screen->searchController->setText("DC/SPN/0142"); // leaving us: not an IN DC
    EXPECT_TRUE(shownCodes().isEmpty());
    screen->searchController->setText("murugan");
    EXPECT_EQ(shownCodes(), (QStringList{"DC/WVG/0077", "DC/SPN/0131"}));
    EXPECT_FALSE(screen->cellForRow(0, 0).value("checkmark").toBool());
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

// The fault matrix has the broken line replies; an empty list says so too, lines with nothing
// left to pass make no entry, and a DC attached again replaces its entry, keeping its saved id.
TEST_F(ApprovalTest, ADCsLinesReplaceItsEntryOrMakeNone) {
    SectionEntry earlier;
    earlier.PartyDetails = {{"BillNo", "DC/SPN/0142"}};
    earlier.savedDetailId = "301";
    form->PartyOUTSectionCollView = {earlier};
    for (const auto &[lines, message, dcId] :
         {std::tuple{QVariantList{}, "No items found for DC/SPN/0142", 0},
          {QVariantList{line("1", "Cones", "3", "3")}, "", 0},
          {QVariantList{line("1", "Cones", "10", "0")}, "", 1}}) {
        SCOPED_TRACE(testing::Message() << lines.size() << " lines, DC " << dcId);
        open("Sec_PDC", "OUT");
        tick("DC/SPN/0142");
        screen->Attach();
        net->replyLast(lines);
        processEvents();
        EXPECT_EQ(alert() ? alert()->message() : "", message);
        if (alert()) {
            alert()->tap("OK");
            form->dismiss(false);
            processEvents();
        }
        EXPECT_EQ(form->presentedViewController(), nullptr);
        ASSERT_EQ(form->PartyOUTSectionCollView.size(), 1);
        EXPECT_EQ(form->PartyOUTSectionCollView[0].DC_id, dcId);
    }
    const SectionEntry &entry = form->PartyOUTSectionCollView[0];
    EXPECT_EQ(entry.savedDetailId, "301");
    EXPECT_EQ(entry.PartyDetails.value("PartyName"), "To Weaving, Looms");
}

} // namespace
