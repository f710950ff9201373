#include "qrcodereaderviewcontroller.h"
#include "scanneddocuments.h"
#include "scannerdevices.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "sessionfixture.h"
#include "shownscreen.h"

#include <QPointer>

namespace {

// ---- what an entry of a scanned document says

struct EntryCase {
    const char *name;
    QVariantMap record;
    bool newLog;
    QMap<QString, QString> details;
    int dc, gt, hb;
};

class EntryTest : public SessionTest, public ::testing::WithParamInterface<EntryCase> {};

TEST_P(EntryTest, NamesThePartyBillAndCity) {
    const EntryCase &c = GetParam();
    const SectionEntry entry = ScannedDocuments::entryFor(c.record, c.newLog);
    EXPECT_EQ(entry.PartyDetails, c.details);
    EXPECT_EQ(entry.DC_id, c.dc);
    EXPECT_EQ(entry.GT_id, c.gt);
    EXPECT_EQ(entry.HB_id, c.hb);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, EntryTest,
    ::testing::Values(
        EntryCase{"DCGoingOut",
                  {{"DC_id", "42"}, {"IsOutDC", "No"}, {"TDiv", "Weaving"}, {"ToDept", "Looms"},
                   {"DCCode", "DC/SPN/0142"}, {"DCDate", "2026-12-05"}, {"Party_id", "9"},
                   {"CityName", "Erode"}}, true,
                  {{"PartyName", "To Weaving, Looms"}, {"Party_id", "9"}, {"BillNo", "DC/SPN/0142"},
                   {"BillDate", "05/12/2026"}, {"City", "Erode"}}, 42, 0, 0},
        EntryCase{"DCComingBackWithoutCity",
                  {{"DC_id", "43"}, {"IsOutDC", "OutDCYes"}, {"TDiv", "Dyeing"}, {"ToDept", ""},
                   {"DCCode", ""}}, true,
                  {{"PartyName", "From Dyeing"}, {"BillNo", ""}, {"City", "Halvik"}}, 43, 0, 0},
        EntryCase{"GodownTransferIn",
                  {{"GodownTransfer_id", "31"}, {"IsOutDC", "Yes"}, {"FromGoDown", "Yarn Godown 2"},
                   {"FDiv", "Spinning"}, {"GodownTransferCode", "GT/26-27/0031"},
                   {"CreatedOn", "05 Dec 2026 10:15:00"}}, true,
                  {{"PartyName", "From Yarn Godown 2"}, {"BillNo", "GT/26-27/0031"},
                   {"BillDate", "05/12/2026"}, {"City", "Halvik"}}, 0, 31, 0},
        EntryCase{"GodownTransferAddedToASectionKeepsItsKind",
                  {{"GodownTransfer_id", "31"}, {"IsOutDC", "Yes"}, {"FromGoDown", "Yarn Godown 2"},
                   {"FDiv", "Spinning"}, {"FDept", "Stores"}}, false,
                  {{"PartyName", "From Spinning, Stores"}, {"City", "Halvik"}}, 0, 31, 0},
        EntryCase{"HandBitUnknownDirection",
                  {{"HB_id", "7"}, {"IsOutDC", "maybe"}, {"DCCode", "HB-0007"}}, true,
                  {{"BillNo", "HB-0007"}, {"City", "Halvik"}}, 0, 0, 7}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// ---- Done

// The log list with the guard logged in, the scanner presented over it or over a log form.
class ScanDoneTest : public SessionTest {
protected:
    ScanDoneTest() {
        logIn(); // division "Spinning"
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        processEvents();
        net->replyRaw(0, "[]");
        processEvents();
    }
    void present(ViewController *over, const QString &accessFrom) {
        scanner->AccessFrom = accessFrom;
        over->present(new NavigationController(scanner), false);
        processEvents();
        net->sent.clear();
    }
    void accept(const QString &code, const QVariantMap &record) {
        scanner->classify(code);
        net->replyLast(QVariantList{record});
        processEvents();
        net->sent.clear();
    }
    QVariantMap sentData(int i) const { return net->sent[i].json().value("JSONData").toMap(); }
    AlertController *alert() const { return qobject_cast<AlertController *>(topmostScreen(root)); }

    ScannerDevices devices;
    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
    QPointer<qrCodeReaderViewController> scanner = new qrCodeReaderViewController();
};

const QVariantMap kOutDC{
    {"DC_id", "42"},       {"IsOutDC", "No"},          {"FDiv", "Spinning"},
    {"TDiv", "Weaving"},   {"ToDept", "Looms"},        {"DCCode", "DC/SPN/0142"},
    {"TakenEmp_id", "15"}, {"TakenByName", "Murugan"}, {"IssToEmp", "Priya"}};

TEST_F(ScanDoneTest, AnOutDCStartsANewLogWithItsItemsAndItsCarrier) {
    present(root, {});
    accept("DC/SPN/0142", kOutDC);
    scanner->SecurityLogDetail();
    processEvents();
    auto *form = root->viewControllerAt<securityLogDetailView>(1);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->title(), "New Security Log");
    EXPECT_EQ(form->cellMeetTo->text(), "Priya");
    EXPECT_EQ(form->celllabelSegmentCell->selectedSegmentIndex(), 1);
    EXPECT_FALSE(form->celllabelSegmentCell->isEnabled());
    ASSERT_EQ(net->sent.size(), 2);
    EXPECT_EQ(sentData(0), QVariantMap({{"SearchBy", "MobileIOSByQRCode"},
                                        {"SearchText", "15"},
                                        {"BranchCode", "HLV01"}}));
    EXPECT_EQ(sentData(1), QVariantMap({{"SP_Type", "Sel_DCD"}, {"ID", "42"}}));
    net->reply(0, QVariantList{QVariantMap{{"IOPerson", "Murugan S"},
                                           {"IOMobile", "98430 55110"},
                                           {"IOVehicle", "TN 38 AB 1234"},
                                           {"IOType_id", "3"}}});
    net->reply(
        1,
        QVariantList{QVariantMap{{"ItemName", "Cones"}, {"PassedQty", "10"}, {"ReturnQty", "0"}},
                     QVariantMap{{"ItemName", "Bobbins"}, {"PassedQty", "3"}, {"ReturnQty", "3"}}});
    processEvents();
    EXPECT_EQ(form->header->name(), "Murugan S");
    EXPECT_EQ(form->cellVehile->text(), "TN 38 AB 1234");
    EXPECT_EQ(form->entryTypeId(), "3");
    ASSERT_EQ(form->PartyOUTSectionCollView.size(), 1);
    EXPECT_TRUE(form->PartyINSectionCollView.isEmpty());
    const SectionEntry &entry = form->PartyOUTSectionCollView.first();
    EXPECT_EQ(entry.DC_id, 42);
    EXPECT_EQ(entry.PartyDetails.value("PartyName"), "To Weaving, Looms");
    ASSERT_EQ(entry.DATA.size(), 1);
    EXPECT_EQ(entry.DATA.first()->titleText, "Cones");
    EXPECT_EQ(root->presentedViewController(), nullptr); // the scanner closed
}

TEST_F(ScanDoneTest, TheCarriersLastLogStillFillsTheFormAfterTheScannerClosed) {
    present(root, {});
    accept("DC/SPN/0142", kOutDC);
    auto chosen = makeItemRow();
    chosen->titleText = "Cones";
    chosen->textField = "10";
    scanner->scannedQRCode.DATA.first()->SelecedItems = {chosen}; // lines chosen in the detail
    scanner->SecurityLogDetail();
    processEvents();
    EXPECT_EQ(scanner, nullptr); // placed at once: closed before the person's answer
    auto *form = root->viewControllerAt<securityLogDetailView>(1);
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(net->sent.size(), 1);
    net->replyLast(
        QVariantList{QVariantMap{{"IOPerson", "Murugan S"}, {"IOMobile", "98430 55110"}}});
    processEvents();
    EXPECT_EQ(form->header->mobileNo(), "98430 55110");
    ASSERT_EQ(form->PartyOUTSectionCollView.size(), 1);
    EXPECT_EQ(form->PartyOUTSectionCollView.first().DATA, QList<ItemRow>{chosen});
}

TEST_F(ScanDoneTest, AFailedCheckLeavesTheEmptyFormUnderTheScanner) {
    present(root, {});
    scanner->SecurityLogDetail();
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->message(), "Please Scan QR Code");
    EXPECT_NE(root->viewControllerAt<securityLogDetailView>(1), nullptr);
    EXPECT_NE(root->presentedViewController(), nullptr);
}

TEST_F(ScanDoneTest, ScansAddedToASectionKeepTheirKindAndALostReplyIsSaid) {
    auto *form = new securityLogDetailView();
    root->pushViewController(form, false);
    processEvents();
    net->sent.clear();
    present(form, "IN");
    // clang-format off
    accept("GT/26-27/0031", {{"GodownTransfer_id", "31"}, {"FromDivision_id", "2"},
                             {"ToDivision_id", "1"}, {"IsOutDC", "Yes"}, {"ItemCount", "12"},
                             {"Qty", "240"}, {"FromGoDown", "Yarn Godown 2"}});
    accept("DC/WVG/0077", {{"DC_id", "77"}, {"IsOutDC", "Yes"}, {"TDiv", "Spinning"},
                           {"FDiv", "Weaving"}, {"DCCode", "DC/WVG/0077"}});
    // clang-format on
    scanner->SecurityLogDetail();
    processEvents();
    ASSERT_EQ(net->sent.size(), 2);
    EXPECT_EQ(sentData(0),
              QVariantMap({{"ReqType", "GTDETAILBYSECURITY_SELECT"}, {"GodownTransfer_id", "31"}}));
    EXPECT_EQ(sentData(1),
              QVariantMap({{"spType", "Sel_DCD"}, {"branchCode", "HLV01"}, {"id", "77"}}));
    net->reply(0, QVariantList{QVariantMap{{"ProdPlanCode", "PP-1"}, {"Unit", "Kg"}}});
    net->replyRaw(1, "<html>", 500);
    processEvents();
    ASSERT_EQ(form->PartyINSectionCollView.size(), 1);
    const SectionEntry &transfer = form->PartyINSectionCollView.first();
    EXPECT_EQ(transfer.GT_id, 31);
    EXPECT_EQ(transfer.DC_id, 0);
    ASSERT_EQ(transfer.DATA.size(), 1);
    EXPECT_EQ(transfer.DATA.first()->titleText, "12 Pcs");
    EXPECT_EQ(transfer.DATA.first()->quantity(), "240");
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->message(),
              "The items of DC/WVG/0077 could not be loaded, press Done to try again");
    alert()->tap("OK");
    processEvents();
    ASSERT_EQ(scanner->scannedQRCode.DATA.size(), 1); // only the DC is left to place
    net->sent.clear();
    scanner->SecurityLogDetail();
    processEvents();
    ASSERT_EQ(net->sent.size(), 1);
    net->replyLast(
        QVariantList{QVariantMap{{"ItemName", "Beams"}, {"PassedQty", "2"}, {"ReturnQty", "0"}}});
    processEvents();
    EXPECT_EQ(form->PartyINSectionCollView.size(), 2);
    EXPECT_EQ(form->presentedViewController(), nullptr);
}

} // namespace
