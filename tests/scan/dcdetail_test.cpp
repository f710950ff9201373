#include "dcdetailviewcontroller.h"
#include "qrcodereaderviewcontroller.h"
#include "scannerdevices.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "sessionfixture.h"
#include "shownscreen.h"

#include <QPointer>

namespace {

QVariantMap line(const char *name, const char *passed, const char *returned = nullptr) {
    QVariantMap l{{"ItemName", name},        {"PassedQty", passed}, {"SingularSymbol", "Cone"},
                  {"PluralSymbol", "Cones"}, {"NoOfDecimal", "2"},  {"Unit_id", "4"},
                  {"DCDet_id", "70"},        {"ImagePath", ""}};
    if (returned)
        l.insert("ReturnQty", returned);
    return l;
}

ItemRow earlier(const char *name, const char *quantity, const char *savedId = "") {
    ItemRow row = makeItemRow();
    row->titleText = name;
    row->textField = QString::fromLatin1(quantity);
    row->savedDetailId = QString::fromLatin1(savedId);
    return row;
}

// ---- the item rows by mode and earlier choice

struct RowCase {
    const char *name;
    QString mode, accessFrom;
    QVariantMap line;
    QList<ItemRow> earlierItems;
    QString quantity, caption, unit;
    double maxQty, minQty;
    bool editable, enabled, buttons;
    qreal alpha;
    QString afterTap; // the quantity after a tap on the row
};

class ItemRowTest : public SessionTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(ItemRowTest, ShowsQuantitiesLimitsAndWhatATapDoes) {
    const RowCase &c = GetParam();
    DCDetailViewController detail;
    detail.IsOutSideDCReturn = c.mode;
    detail.AccessFrom = c.accessFrom;
    detail.OutSideDCInsertedItems = c.earlierItems;
    detail.DATA = {c.line};
    detail.buildItemRows();
    ASSERT_EQ(detail.itemsCells.size(), 1);
    const ItemRow row = detail.itemsCells.first();
    EXPECT_EQ(row->quantity(), c.quantity);
    EXPECT_EQ(row->quantityCaption, c.caption);
    EXPECT_EQ(row->unit(), c.unit);
    EXPECT_EQ(row->MaxQty, c.maxQty);
    EXPECT_EQ(row->MinQty, c.minQty);
    EXPECT_EQ(row->quantityEditable(), c.editable);
    EXPECT_EQ(row->interactionEnabled, c.enabled);
    EXPECT_EQ(!row->buttonsHidden, c.buttons);
    EXPECT_EQ(row->alpha, c.alpha);
    detail.didSelectRow(DCDetailViewController::ItemsSection, 0);
    EXPECT_EQ(row->quantity(), c.afterTap);
}

const QString kT10R6 = QStringLiteral("T(10)      R(6.0)");

// One line each: mode, opened from, the line, the earlier choice; then quantity, caption, unit,
// max, min, editable, enabled, plus/minus shown, opacity, the quantity after a tap.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, ItemRowTest,
    ::testing::Values(
        RowCase{"OrdinaryOne", "", "IN", line("Cones", "1", "0"), {},
                "1", "1", "Cone", 1, 0, false, true, false, 1, "1"},
        RowCase{"OrdinaryOneAndAHalf", "", "OUT", line("Cones", "1.5"), {},
                "1.5", "1.5", "Cones", 1.5, 0, false, true, false, 1, "1.5"},
        RowCase{"ReturningPartly", "Yes", "IN", line("Cones", "10", "4"), {},
                "0", kT10R6, "Cones", 6, 0, true, true, true, 1, "6.0"},
        RowCase{"ReturningWhollyBack", "Yes", "IN", line("Cones", "10", "10"), {},
                "0", "T(10)      R(0.0)", "Cones", 0, 0, false, false, false, 1, "0"},
        RowCase{"ReturningWithoutReturnedQuantity", "Yes", "DCScan", line("Cones", "10"), {},
                "0", "10", "Cones", 10, 0, false, true, true, 1, "0"},
        RowCase{"EarlierChoiceKept", "", "IN", line("Cones", "10", "4"),
                {earlier("Bobbins", "1.00"), earlier("Cones", "2.00", "88")},
                "2.00", kT10R6, "Cones", 6, 2, true, true, false, 1, "2.00"},
        RowCase{"NotChosenBefore", "", "DCScan", line("Cones", "10", "4"), {earlier("Bobbins", "1.00")},
                "0", kT10R6, "Cones", 10, 0, false, false, false, 0.2, "0"},
        RowCase{"ChosenButNothingLeft", "", "IN", line("Cones", "10", "10"), {earlier("Cones", "3.00")},
                "0", "T(10)      R(0.0)", "Cones", 10, 0, false, false, false, 0.2, "0"},
        RowCase{"ReportShowsWhatCameBack", "Report", "IN", line("Cones", "10", "10"), {earlier("Cones", "3.00")},
                "3.00", "T(10)      R(0.0)", "Cones", 0, 3, false, true, false, 1, "3.00"},
        RowCase{"EarlierChoiceIgnoredOutsideINAndDCScan", "", "OUT", line("Cones", "10", "4"), {earlier("Cones", "2.00")},
                "10", "10", "Cones", 10, 0, false, true, false, 1, "10"}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(DCFooter, NamesWhoDecidedAndAPendingDCHasNone) {
    DCDetailViewController detail;
    detail.approvedBy = "Meena R";
    for (const auto &[type, text] : {std::pair<QString, QString>{"Sel_DCA", "Approved by Meena R"},
                                     {"EDCA", "Approved by Meena R"},
                                     {"Sel_DCR", "Rejected by Meena R"},
                                     {"Sec_PDC", ""},
                                     {"Sel_DCP", "-"}}) {
        detail.viewType = type; // "-": no footer row at all
        EXPECT_EQ(detail.numberOfRows(DCDetailViewController::ItemsSection) ? detail.footerText()
                                                                            : "-",
                  text);
    }
}

TEST(DCUndo, OnlyAPendingDCsLinesGoBackToTheirFullQuantity) {
    DCDetailViewController detail;
    detail.DATA = {line("Cones", "12")};
    detail.buildItemRows();
    detail.itemsCells.first()->setQuantity("3");
    EXPECT_TRUE(detail.trailingSwipeActions(1, 0).isEmpty());
    detail.viewType = "Sel_DCP";
    const auto actions = detail.trailingSwipeActions(1, 0);
    ASSERT_EQ(actions.size(), 1);
    EXPECT_EQ(actions.first().title, "Undo");
    EXPECT_TRUE(detail.trailingSwipeActions(0, 0).isEmpty());
    detail.performSwipeAction(1, 0, 0);
    EXPECT_EQ(detail.itemsCells.first()->quantity(), "12.0");
}

// ---- opened from a log's section and from a scan strip

const QVariantMap kDC{{"DC_id", "42"},      {"DCCode", "DC/SPN/0142"}, {"DCDate", "2026-12-05"},
                      {"FDiv", "Spinning"}, {"FDept", "Stores"},       {"TDiv", "Kovai Spares"},
                      {"ToDept", ""},       {"IsOutDC", "No"},         {"CityName", "Coimbatore"},
                      {"Party_id", "15"}};

class DCDetailFlowTest : public SessionTest {
protected:
    DCDetailFlowTest() {
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
    ViewController *top() const { return topmostScreen(root); }
    AlertController *alert() const { return qobject_cast<AlertController *>(top()); }
    // DC 42 in its own stack over the form, as a section opens it, with one line.
    DCDetailViewController *presentDetail(const QString &accessFrom, const QString &mode,
                                          const QVariantMap &oneLine) {
        auto *detail = new DCDetailViewController();
        detail->AccessFrom = accessFrom;
        detail->IsOutSideDCReturn = mode;
        detail->DCId = 42;
        detail->headercell->fill(kDC, DCDetailParentCellTableViewCell::PictureOrder::ByNumber);
        form->present(new NavigationController(detail), false);
        processEvents();
        net->replyLast(QVariantList{oneLine});
        processEvents();
        return detail;
    }
    SectionEntry dcEntry(const QString &billNo, const QString &savedId = {}) {
        SectionEntry e;
        e.DC_id = 42;
        e.PartyDetails = {{"BillNo", billNo}};
        e.DATA = {earlier("Cones", "10")};
        if (!savedId.isEmpty())
            e.savedDetailId = savedId;
        return e;
    }

    ScannerDevices devices;
    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
    QPointer<securityLogDetailView> form = new securityLogDetailView();
};

TEST_F(DCDetailFlowTest, ADCRowAsksForTheDCThenItsLinesAndReplacesTheEntry) {
    form->PartyOUTSectionCollView = {dcEntry("DC/SPN/0142", "301")};
    form->didSelectRow(3, 0);
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].json(),
              QVariantMap({{"SPName", "Usp_CommonService"},
                           {"JSONData", QVariantMap{{"SP_Type", "Sec_DCViewByDC_id"},
                                                    {"BranchCode", "HLV01"},
                                                    {"ID", "7"},
                                                    {"LikeStr", "42"}}},
                           {"withStrings", true}}));
    net->replyLast(QVariantList{kDC});
    processEvents();
    auto *detail = qobject_cast<DCDetailViewController *>(top());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->headercell->label1, "DC/SPN/0142");
    EXPECT_EQ(detail->AccessFrom, "OUT");
    EXPECT_EQ(net->sent.last().json().value("JSONData").toMap(),
              QVariantMap({{"SP_Type", "Sel_DCD"}, {"BranchCode", "HLV01"}, {"ID", "42"}}));
    net->replyLast(QVariantList{line("Cones", "10", "0"), line("Bobbins", "2", "0")});
    processEvents();
    detail->btnDCScanDone();
    processEvents();
    ASSERT_EQ(form->PartyOUTSectionCollView.size(), 1);
    const SectionEntry &entry = form->PartyOUTSectionCollView.first();
    EXPECT_EQ(entry.DATA.size(), 2);
    EXPECT_EQ(entry.savedDetailId, "301");
    EXPECT_EQ(entry.PartyDetails, (QMap<QString, QString>{{"PartyName", "To Kovai Spares"},
                                                          {"BillNo", "DC/SPN/0142"},
                                                          {"BillDate", "05/12/2026"},
                                                          {"Party_id", "15"},
                                                          {"City", "Coimbatore"}}));
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(DCDetailFlowTest, ANotFoundOrFailedLookupOpensNothingAndSaysSo) {
    form->PartyINSectionCollView = {dcEntry("DC/SPN/0142")};
    for (const QByteArray &reply :
         {QByteArray("[]"), QByteArray("{\"DC_id\":42}"), QByteArray("[{\"DC_id\":\"x\"}]")}) {
        form->didSelectRow(2, 0);
        net->replyRaw(int(net->sent.size()) - 1, reply);
        processEvents();
        ASSERT_NE(alert(), nullptr) << reply.constData();
        EXPECT_EQ(alert()->message(), "DC details not found");
        alert()->tap("OK");
        processEvents();
    }
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

TEST_F(DCDetailFlowTest, AClosedLogShowsTheDCReadOnlyWithoutDone) {
    form->IsUpdateable = "No";
    form->PartyINSectionCollView = {dcEntry("DC/SPN/0142", "301")};
    form->didSelectRow(2, 0);
    net->replyLast(QVariantList{kDC});
    processEvents();
    auto *detail = qobject_cast<DCDetailViewController *>(top());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->IsOutSideDCReturn, "Report");
    EXPECT_EQ(detail->rightBarButtonItem(), nullptr);
}

struct PartyCase {
    const char *name;
    QString accessFrom, mode;
    QString party;
};

class DCPartyNameTest : public DCDetailFlowTest, public ::testing::WithParamInterface<PartyCase> {};

TEST_P(DCPartyNameTest, NamesTheSideTheGoodsCameFromOrGoTo) {
    const PartyCase &c = GetParam();
    DCDetailViewController *detail = presentDetail(c.accessFrom, c.mode, line("Cones", "10", "4"));
    detail->itemsCells.first()->setQuantity("5");
    detail->btnDCScanDone();
    processEvents();
    const auto &list =
        c.accessFrom == "IN" ? form->PartyINSectionCollView : form->PartyOUTSectionCollView;
    ASSERT_EQ(list.size(), 1);
    EXPECT_EQ(list.first().PartyDetails.value("PartyName"), c.party);
    EXPECT_EQ(list.first().PartyDetails.value("City"), "Halvik"); // no DC record given
    EXPECT_EQ(list.first().IsOutSideDCReturn, c.mode == "Yes");
    EXPECT_EQ(form->celllabelSegmentCell->selectedSegmentIndex(), c.accessFrom == "IN" ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Table, DCPartyNameTest,
                         ::testing::Values(PartyCase{"In", "IN", "", "From Spinning, Stores"},
                                           PartyCase{"InReturning", "IN", "Yes",
                                                     "From Kovai Spares"},
                                           PartyCase{"Out", "OUT", "", "To Kovai Spares"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(DCDetailFlowTest, TheSameDCInTheSectionIsReplacedByItsBillNumber) {
    form->PartyINSectionCollView = {dcEntry("B-1"), dcEntry("DC/SPN/0142", "77"), dcEntry("B-2")};
    DCDetailViewController *detail = presentDetail("IN", "", line("Cones", "10", "0"));
    detail->btnDCScanDone();
    processEvents();
    ASSERT_EQ(form->PartyINSectionCollView.size(), 3);
    EXPECT_EQ(form->PartyINSectionCollView[1].savedDetailId, "77");
    EXPECT_EQ(form->PartyINSectionCollView[1].DATA.first()->quantity(), "10");
}

TEST_F(DCDetailFlowTest, FromTheStripTheChoiceGoesBackToTheScan) {
    auto *scanner = new qrCodeReaderViewController();
    form->present(new NavigationController(scanner), false);
    processEvents();
    QVariantMap returning = kDC;
    returning["IsOutDC"] = "OutDCYes";
    returning["TDiv"] = "Spinning";
    scanner->classify("DC/SPN/0142");
    net->replyLast(QVariantList{returning});
    processEvents();
    ASSERT_EQ(scanner->scannedQRCode.DATA.size(), 1);
    const ItemRow scan = scanner->scannedQRCode.DATA.first();
    scan->SelecedItems = {earlier("Old", "1")};
    scanner->scannedQRCode.AccessFrom = "DCScan"; // a new log's strip
    scanner->itemTapped(0, 0, 0);
    processEvents();
    auto *detail = qobject_cast<DCDetailViewController *>(top());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->IsOutSideDCReturn, "Yes");
    EXPECT_EQ(detail->indexSecDetailView, 0);
    EXPECT_EQ(detail->headercell->label1, "DC/SPN/0142");
    net->replyLast(QVariantList{line("Cones", "10", "4"), line("Bobbins", "5", "0")});
    processEvents();
    detail->btnDCScanDone(); // every quantity 0
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->message(), "Select Items");
    EXPECT_EQ(scan->SelecedItems.size(), 1); // the earlier choice is not lost
    alert()->tap("OK");
    processEvents();
    detail->SecurityInEnterQuantity(0);
    detail->itemsCells[1]->setQuantity("2");
    detail->btnDCScanDone();
    processEvents();
    EXPECT_EQ(top(), scanner);
    EXPECT_EQ(scan->SelecedItems.size(), 2);
    EXPECT_EQ(scan->QRScanDCDetails.value("ItemCount"), "2");
    EXPECT_EQ(scanner->strip().value("tiles").toList().first().toMap().value("NoItemslbl"), "2");
}

} // namespace
