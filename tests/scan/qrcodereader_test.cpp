#include "alertcontroller.h"
#include "formcells.h"
#include "navigationcontroller.h"
#include "qrcodereaderviewcontroller.h"
#include "qrscenes.h"
#include "scannerdevices.h"
#include "sessionfixture.h"
#include "window.h"

#include <QPointer>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

QVariantMap dc(const QString &from, const QString &to, const QString &direction,
               const QString &id = "42") {
    return {{"DC_id", id}, {"DCCode", "DC/SPN/0142"}, {"FDiv", from},
            {"TDiv", to},  {"IsOutDC", direction},    {"ImagePath3", "~/DC/42.png"}};
}

// The scanner opened over a shown window, its camera playing a folder of pictures.
class ScannerTest : public SessionTest {
protected:
    ScannerTest() {
        logIn(); // division 1, "Spinning"
        window.setRootViewController(root);
        window.makeKeyAndVisible();
    }
    void open(const QString &accessFrom = {}, const QString &viewType = {}) {
        scanner->AccessFrom = accessFrom;
        scanner->ScanViewType = viewType;
        root->pushViewController(scanner, false);
        processEvents();
        net->sent.clear();
    }
    // Classifies `code` and answers its lookup with `rows`.
    void scan(const QString &code, const QVariant &rows) {
        const auto before = net->sent.size();
        scanner->classify(code);
        if (net->sent.size() > before) {
            net->replyLast(rows);
            processEvents();
        }
    }
    AlertController *alert() const {
        return qobject_cast<AlertController *>(common::sharedInstance().topViewController());
    }

    ScannerDevices devices;
    QStringList &played = devices.played;
    QTemporaryDir &pictures = devices.pictures;
    Window window;
    QPointer<qrCodeReaderViewController> scanner = new qrCodeReaderViewController();
    NavigationController *root = new NavigationController(new ViewController());
};

// ---- classification

struct ClassCase {
    const char *name;
    QString viewType;
    QStringList codes; // classified in order
    QStringList sent;  // "SPName/selector" of each request
};

class ClassifyTest : public ScannerTest, public ::testing::WithParamInterface<ClassCase> {};

TEST_P(ClassifyTest, SendsEachCodeToItsLookup) {
    open({}, GetParam().viewType);
    for (const QString &code : GetParam().codes)
        scanner->classify(code);
    QStringList sent;
    for (const auto &request : net->sent) {
        const QVariantMap json = request.json();
        const QVariantMap data = json.value("JSONData").toMap();
        const QString selector =
            data.value("SP_Type", data.value("ReqType", data.value("reqType"))).toString();
        sent.append(json.value("SPName").toString() + "/" + selector);
    }
    EXPECT_EQ(sent, GetParam().sent);
}

const QString kDC = "Usp_CommonService/Sec_DCViewByQRScan";
const QString kGT = "USP_tblTProdGodownTransfer/SECURITY_SELECT";
const QString kHB = "USP_OBHandBitYarnCalculation/HBDC_SELECT";
const QString kBill = "USP_tblTProdBillSelect/BILL_SELECT";

INSTANTIATE_TEST_SUITE_P(
    Table, ClassifyTest,
    ::testing::Values(ClassCase{"PlainCodeIsADC", "", {"DC/SPN/0142"}, {kDC}},
                      ClassCase{"GTBeforeHB", "", {"HB-GT-7"}, {kGT}},
                      ClassCase{"HandBit", "", {"HB/26-27/0007"}, {kHB}},
                      ClassCase{"CaseCounts", "", {"gt/26-27/0031"}, {kDC}},
                      ClassCase{"HeldInFrontOfTheCamera", "", {"DC1", "DC1", "DC1"}, {kDC}},
                      ClassCase{"AnotherCodeInBetween", "", {"DC1", "DC2", "DC1"}, {kDC, kDC, kDC}},
                      ClassCase{"EmptyCodeIsADC", "", {""}, {}},
                      ClassCase{
                          "BillModeTakesAnyCode", "BILL", {"INV/0456", "INV/0456"}, {kBill, kBill}},
                      ClassCase{"BillModeEmptyCodeIsNoBill", "BILL", {""}, {}}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- the DC lookup's rules

struct DCCase {
    const char *name;
    QVariant reply;
    bool accepted;
};

class DCLookupTest : public ScannerTest, public ::testing::WithParamInterface<DCCase> {};

TEST_P(DCLookupTest, AcceptsDocumentsOfThisGateWithTheirSound) {
    open();
    scan("DC/SPN/0142", GetParam().reply);
    const QVariantMap sent = net->sent.first().json().value("JSONData").toMap();
    EXPECT_EQ(sent, QVariantMap({{"SP_Type", "Sec_DCViewByQRScan"},
                                 {"BranchCode", "HLV01"},
                                 {"ID", "7"},
                                 {"LikeStr", "DC/SPN/0142"}}));
    if (GetParam().accepted) {
        EXPECT_EQ(played, QStringList({"alert 1315"}));
        ASSERT_EQ(scanner->scannedQRCode.DATA.size(), 1);
        const ItemRow row = scanner->scannedQRCode.DATA.first();
        EXPECT_EQ(row->titleText, "DC/SPN/0142");
        EXPECT_EQ(row->DCDId, 42);
        EXPECT_TRUE(row->imageUrl.path().endsWith("/DC/42.png"));
        EXPECT_TRUE(scanner->LastScannedDCCode.isEmpty());
    } else {
        EXPECT_EQ(played, QStringList({"system 1016"}));
        EXPECT_TRUE(scanner->scannedQRCode.DATA.isEmpty());
        EXPECT_EQ(scanner->LastScannedDCCode, "DC/SPN/0142"); // blocked until another code
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DCLookupTest,
    ::testing::Values(
        DCCase{"IssuedHereGoingOut", QVariantList{dc("Spinning", "Weaving", "No")}, true},
        DCCase{"OutsideDCComingBack", QVariantList{dc("Spinning", "", "OutDCYes")}, true},
        DCCase{"ArrivingHere", QVariantList{dc("Weaving", "Spinning", "Yes")}, true},
        DCCase{"ScannedAtTheReceiverBeforeItLeft", QVariantList{dc("Weaving", "Spinning", "No")},
               false},
        DCCase{"CaseOfTheDivisionCounts", QVariantList{dc("spinning", "Weaving", "No")}, false},
        DCCase{"NoId", QVariantList{dc("Spinning", "Weaving", "No", "")}, false},
        DCCase{"IdNotANumber", QVariantList{dc("Spinning", "Weaving", "No", "4x")}, false},
        DCCase{"NoDivisions", QVariantList{QVariantMap{{"DC_id", "5"}, {"IsOutDC", "No"}}}, false},
        DCCase{"Empty", QVariantList{}, false},
        DCCase{"NotAList", QVariantMap{{"DC_id", "5"}}, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ScannerTest, AnAcceptedDocumentIsNotAddedTwice) {
    open();
    scan("DC/SPN/0142", QVariantList{dc("Spinning", "Weaving", "No")});
    scanner->classify("DC/SPN/0142");
    EXPECT_EQ(net->sent.size(), 1);
    EXPECT_EQ(scanner->scannedQRCode.DATA.size(), 1);
    EXPECT_EQ(scanner->scannedQRCode.PartyDetails.value("FDiv"), "Spinning");
    EXPECT_EQ(scanner->scannedQRCode.QRCodeDC_Deatils.size(), 1);
}

TEST_F(ScannerTest, GodownTransfersMatchDivisionIdsAndHandBitsAnyDivision) {
    open();
    scan("GT/26-27/0031", QVariantList{QVariantMap{{"GodownTransfer_id", "31"},
                                                   {"FromDivision_id", "2"},
                                                   {"ToDivision_id", "1"},
                                                   {"IsOutDC", "Yes"},
                                                   {"TackenImagePath", "~/GT/31.png"}}});
    scan("GT/26-27/0032", QVariantList{QVariantMap{{"GodownTransfer_id", "32"},
                                                   {"FromDivision_id", "2"},
                                                   {"ToDivision_id", "3"},
                                                   {"IsOutDC", "Yes"}}});
    scan("HB/26-27/0007", QVariantList{QVariantMap{
                              {"HB_id", "7"}, {"DCCode", "HB-0007"}, {"ColorCode", "#FFFFFF"}}});
    EXPECT_EQ(played, QStringList({"alert 1315", "system 1016", "alert 1315"}));
    ASSERT_EQ(scanner->scannedQRCode.DATA.size(), 2);
    EXPECT_EQ(scanner->scannedQRCode.DATA[0]->GT_id, 31);
    const ItemRow handBit = scanner->scannedQRCode.DATA[1];
    EXPECT_EQ(handBit->titleText, "HB-0007"); // the server's code, not the scanned one
    EXPECT_EQ(handBit->HB_id, 7);
    EXPECT_EQ(handBit->image.pixelColor(0, 0), QColor(Qt::white));
    EXPECT_EQ(handBit->swatchBorder, 1);
    // A hand-bit answer that is no list is dropped without a sound.
    played.clear();
    scan("HB/26-27/0008", QVariantMap{{"HB_id", "8"}});
    EXPECT_TRUE(played.isEmpty());
}

// ---- bills

TEST(BillMessage, ListsWhatIsKnownAndNILForTheRest) {
    EXPECT_EQ(qrCodeReaderViewController::billMessage({{"BillCode", "B-17"},
                                                       {"VehicleNo", "TN01"},
                                                       {"DriverName", ""},
                                                       {"IsDespatched", "Y"},
                                                       {"Status", "Approved"}}),
              QString("VehicleNo - TN01\nDriverName - NIL\nLRNo - NIL\nDespatch - Y \u2705"));
    EXPECT_EQ(qrCodeReaderViewController::billMessage({{"DeliveryBranch", "Erode"},
                                                       {"LRNo", "L9"},
                                                       {"BillStatus", "Billed"},
                                                       {"IsDespatched", "N"},
                                                       {"Status", "Approved"}}),
              QString("Erode\n\nVehicleNo - NIL\nDriverName - NIL\nLRNo - L9\nBillStatus - "
                      "Billed\n\nDespatch - N \u274C"));
    EXPECT_EQ(qrCodeReaderViewController::billMessage({}),
              QString("VehicleNo - NIL\nDriverName - NIL\nLRNo - NIL\n"));
}

TEST_F(ScannerTest, ALongSignedBillCodeTravelsUnderItsOwnKey) {
    open({}, "BILL");
    scanner->classify(QString(800, QChar(u'é')));
    scanner->classify(QString(801, QChar(u'é')));
    ASSERT_EQ(net->sent.size(), 2);
    EXPECT_TRUE(net->sent[0].json().value("JSONData").toMap().contains("BillCode"));
    EXPECT_TRUE(net->sent[1].json().value("JSONData").toMap().contains("SignedQRCode"));
    net->reply(0, QVariantList{QVariantMap{{"BillCode", "B-17"}, {"VehicleNo", "TN01"}}});
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "B-17");
    EXPECT_TRUE(scanner->scannedQRCode.DATA.isEmpty());
}

// ---- manual entry and the camera

TEST_F(ScannerTest, TypedCodesAreClassifiedBillCodesPrefixed) {
    open({}, "BILL");
    scanner->barAddAction();
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Enter Bill Code");
    alert()->setTextFieldText(0, "");
    alert()->tap("Ok");
    processEvents();
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].json().value("JSONData").toMap().value("BillCode"), "BILL");
}

TEST_F(ScannerTest, NoCameraSaysSoAndSetsNothingUp) {
    Camera::setFactory([] { return std::unique_ptr<Camera>(); });
    open();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Device Error");
    EXPECT_EQ(alert()->message(), "Device not Supported for this Application");
    EXPECT_FALSE(scanner->cameraReady());
    EXPECT_EQ(scanner->rightBarButtonItem(), nullptr);
}

TEST_F(ScannerTest, ACodeHeldBeforeTheCameraIsLookedUpOnce) {
    QTemporaryDir folder;
    QrScenes::scene("DC/SPN/0142", 6, 0, 20, 235).save(folder.filePath("dc.png"));
    Camera::setFactory([&folder] { return std::make_unique<FileCamera>(folder.path()); });
    open();
    ASSERT_TRUE(scanner->cameraReady());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !net->sent.isEmpty(); }, 5000));
    QTest::qWait(500); // many more frames of the same code
    EXPECT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].json().value("JSONData").toMap().value("LikeStr"), "DC/SPN/0142");
    scanner->setPreviewSize(QSizeF(420, 700));
    EXPECT_FALSE(scanner->codeFrame().isEmpty());
}

// ---- the IN/OUT check of Done

struct DirectionCase {
    const char *name;
    QString accessFrom;
    QStringList directions; // IsOutDC of each scan
    QString message;        // "" when the check passes
    int segment;
};

class DirectionTest : public ScannerTest, public ::testing::WithParamInterface<DirectionCase> {};

TEST_P(DirectionTest, FixesTheSwitchOrSaysWhy) {
    const DirectionCase &c = GetParam();
    open(c.accessFrom);
    for (const QString &direction : c.directions) {
        ItemRow row = makeItemRow();
        row->QRScanDCDetails = {{"IsOutDC", direction}};
        scanner->scannedQRCode.DATA.append(row);
    }
    segmentCell segment({"IN", "OUT"}, {});
    segment.setSelectedSegmentIndex(-1);
    const bool passed = scanner->checkDirection(&segment);
    EXPECT_EQ(passed, c.message.isEmpty());
    if (passed) {
        EXPECT_EQ(segment.selectedSegmentIndex(), c.segment);
        EXPECT_FALSE(segment.isEnabled());
    } else {
        ASSERT_NE(alert(), nullptr);
        EXPECT_EQ(alert()->title(), "Alert !");
        EXPECT_EQ(alert()->message(), c.message);
        EXPECT_TRUE(segment.isEnabled());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DirectionTest,
    ::testing::Values(
        DirectionCase{"Nothing", "", {}, "Please Scan QR Code", -1},
        DirectionCase{"UnknownDirectionCountsForNothing", "", {"maybe"}, "Please Scan QR Code", -1},
        DirectionCase{"Both", "", {"Yes", "No"}, "You Are Scanned Both IN And OUT Section DC", -1},
        DirectionCase{"OutIntoIn",
                      "IN",
                      {"No"},
                      "You Are Selected OUT Section DC, Please Select IN Section DC Only",
                      -1},
        DirectionCase{"InIntoOut",
                      "OUT",
                      {"OutDCYes"},
                      "You Are Selected IN Section DC, Please Select OUT Section DC Only",
                      -1},
        DirectionCase{"InOnly", "", {"Yes", "OutDCYes"}, "", 0},
        DirectionCase{"OutOnlyIntoOut", "OUT", {"No"}, "", 1}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace

namespace {

// ---- codes and replies of any shape

struct OddCode {
    const char *name;
    QString code;
};

class OddCodeTest : public ScannerTest, public ::testing::WithParamInterface<OddCode> {};

TEST_P(OddCodeTest, GoesToTheServerAsReadAndNothingElseChanges) {
    open();
    scan(GetParam().code,
         QVariantList{QVariantMap{
             {"DC_id", 42}, {"FDiv", "Spinning"}, {"TDiv", "Weaving"}, {"IsOutDC", "No"}}});
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].json().value("JSONData").toMap().value("LikeStr"), GetParam().code);
    // A number where text was expected reads as its text.
    ASSERT_EQ(scanner->scannedQRCode.DATA.size(), 1);
    EXPECT_EQ(scanner->scannedQRCode.DATA.first()->titleText, GetParam().code);
    EXPECT_EQ(scanner->scannedQRCode.DATA.first()->DCDId, 42);
}

INSTANTIATE_TEST_SUITE_P(
    Table, OddCodeTest,
    ::testing::Values(OddCode{"VeryLong", QString(100000, QChar('7'))},
                      OddCode{"ControlCharacters", QString::fromUtf8("DC\x01\x02\t\r\n\x7f/1")},
                      OddCode{"RightToLeft",
                              QString::fromUtf8("\u202eDC/\u0628\u0636\u0627\u0639\u0629")},
                      OddCode{"OnlySpaces", "     "}),
    [](const auto &info) { return std::string(info.param.name); });

struct OddReply {
    const char *name;
    QByteArray body;
};

class OddReplyTest : public ScannerTest, public ::testing::WithParamInterface<OddReply> {};

TEST_P(OddReplyTest, IsARejectionAndLeavesTheStripAsItWas) {
    open();
    scan("DC/SPN/0142", QVariantList{dc("Spinning", "Weaving", "No")});
    played.clear();
    scanner->classify("DC/SPN/0143");
    net->replyRaw(int(net->sent.size()) - 1, GetParam().body);
    processEvents();
    EXPECT_EQ(played, QStringList({"system 1016"}));
    ASSERT_EQ(scanner->scannedQRCode.DATA.size(), 1);
    EXPECT_EQ(scanner->scannedQRCode.DATA.first()->titleText, "DC/SPN/0142");
}

INSTANTIATE_TEST_SUITE_P(
    Table, OddReplyTest,
    ::testing::Values(OddReply{"EmptyBody", ""}, OddReply{"Html", "<html>busy</html>"},
                      OddReply{"Truncated", "[{\"DC_id\":\"4"}, OddReply{"ListOfLists", "[[1,2]]"},
                      OddReply{"NullsForText", "[{\"DC_id\":null,\"FDiv\":null,\"IsOutDC\":null}]"},
                      OddReply{
                          "NestedValues",
                          "[{\"DC_id\":{\"v\":4},\"FDiv\":[\"Spinning\"],\"IsOutDC\":\"No\"}]"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
