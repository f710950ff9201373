#include "formcells.h"
#include "qrcodereaderviewcontroller.h"
#include "qrscenes.h"
#include "scannerdevices.h"
#include "sessionfixture.h"
#include "shownscreen.h"

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
    QVariantMap sentData(int i) const { return net->sent[i].json().value("JSONData").toMap(); }
    AlertController *alert() const { return qobject_cast<AlertController *>(topmostScreen(root)); }
    QList<ItemRow> &strip() { return scanner->scannedQRCode.DATA; }

    ScannerDevices devices;
    QStringList &played = devices.played;
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
    for (int i = 0; i < net->sent.size(); ++i) {
        const QVariantMap data = sentData(i);
        const QString selector =
            data.value("SP_Type", data.value("ReqType", data.value("reqType"))).toString();
        sent.append(net->sent[i].json().value("SPName").toString() + "/" + selector);
    }
    EXPECT_EQ(sent, GetParam().sent);
}

const QString kDC = "Usp_CommonService/Sec_DCViewByQRScan";
const QString kGT = "USP_tblTProdGodownTransfer/SECURITY_SELECT";
const QString kHB = "USP_OBHandBitYarnCalculation/HBDC_SELECT";
const QString kBill = "USP_tblTProdBillSelect/BILL_SELECT";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, ClassifyTest,
    ::testing::Values(
        ClassCase{"PlainCodeIsADC", "", {"DC/SPN/0142"}, {kDC}},
        ClassCase{"GTBeforeHB", "", {"HB-GT-7"}, {kGT}},
        ClassCase{"HandBit", "", {"HB/26-27/0007"}, {kHB}},
        ClassCase{"CaseCounts", "", {"gt/26-27/0031"}, {kDC}},
        ClassCase{"HeldInFrontOfTheCamera", "", {"DC1", "DC1", "DC1"}, {kDC}},
        ClassCase{"AnotherCodeInBetween", "", {"DC1", "DC2", "DC1"}, {kDC, kDC, kDC}},
        ClassCase{"EmptyCodeIsNothing", "", {""}, {}},
        ClassCase{"BillModeTakesAnyCode", "BILL", {"INV/0456", "INV/0456"}, {kBill, kBill}},
        ClassCase{"BillModeEmptyCodeIsNoBill", "BILL", {""}, {}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// ---- the DC lookup's rules

struct DCCase {
    const char *name;
    QVariantMap row;
    bool accepted;
};

class DCLookupTest : public ScannerTest, public ::testing::WithParamInterface<DCCase> {};

TEST_P(DCLookupTest, AcceptsDocumentsOfThisGateOnceWithTheirSound) {
    open();
    scan("DC/SPN/0142", QVariantList{GetParam().row});
    const QVariantMap sent{{"SP_Type", "Sec_DCViewByQRScan"},
                           {"BranchCode", "HLV01"},
                           {"ID", "7"},
                           {"LikeStr", "DC/SPN/0142"}};
    EXPECT_EQ(sentData(0), sent);
    if (GetParam().accepted) {
        EXPECT_EQ(played, QStringList({"alert 1315"}));
        ASSERT_EQ(strip().size(), 1);
        EXPECT_EQ(strip().first()->titleText, "DC/SPN/0142");
        EXPECT_EQ(strip().first()->DCDId, 42);
        EXPECT_TRUE(strip().first()->imageUrl.path().endsWith("/DC/42.png"));
        scanner->classify("DC/SPN/0142");
        EXPECT_EQ(strip().size(), 1) << "an accepted document is not added twice";
        EXPECT_EQ(net->sent.size(), 1);
    } else {
        EXPECT_EQ(played, QStringList({"system 1016"}));
        EXPECT_TRUE(strip().isEmpty());
        EXPECT_EQ(scanner->LastScannedDCCode, "DC/SPN/0142"); // blocked until another code
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, DCLookupTest,
    ::testing::Values(
        DCCase{"IssuedHereGoingOut", dc("Spinning", "Weaving", "No"), true},
        DCCase{"OutsideDCComingBack", dc("Spinning", "", "OutDCYes"), true},
        DCCase{"ArrivingHere", dc("Weaving", "Spinning", "Yes"), true},
        DCCase{"ScannedAtTheReceiverBeforeItLeft", dc("Weaving", "Spinning", "No"), false},
        DCCase{"CaseOfTheDivisionCounts", dc("spinning", "Weaving", "No"), false},
        DCCase{"NoId", dc("Spinning", "Weaving", "No", ""), false},
        DCCase{"IdNotANumber", dc("Spinning", "Weaving", "No", "4x"), false},
        DCCase{"NoDivisions", {{"DC_id", "5"}, {"IsOutDC", "No"}}, false}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST_F(ScannerTest, GodownTransfersMatchDivisionIdsAndHandBitsAnyDivision) {
    open();
    scan("GT/26-27/0031", QVariantList{QVariantMap{{"GodownTransfer_id", "31"},
                                                   {"FromDivision_id", "2"},
                                                   {"ToDivision_id", "1"},
                                                   {"IsOutDC", "Yes"}}});
    scan("GT/26-27/0032", QVariantList{QVariantMap{{"GodownTransfer_id", "32"},
                                                   {"FromDivision_id", "2"},
                                                   {"ToDivision_id", "3"},
                                                   {"IsOutDC", "Yes"}}});
    scan("HB/26-27/0007", QVariantList{QVariantMap{
                              {"HB_id", "7"}, {"DCCode", "HB-0007"}, {"ColorCode", "#FFFFFF"}}});
    EXPECT_EQ(played, QStringList({"alert 1315", "system 1016", "alert 1315"}));
    ASSERT_EQ(strip().size(), 2);
    EXPECT_EQ(strip()[0]->GT_id, 31);
    EXPECT_EQ(strip()[1]->titleText, "HB-0007"); // the server's code, not the scanned one
    EXPECT_EQ(strip()[1]->HB_id, 7);
    EXPECT_EQ(strip()[1]->image.pixelColor(0, 0), QColor(Qt::white));
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
}

// A typed bill code is prefixed; a long one travels under its own key; the answer is shown.
TEST_F(ScannerTest, BillCodesTypedOrLongGoToTheBillLookupAndItsAnswerIsShown) {
    open({}, "BILL");
    scanner->barAddAction();
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Enter Bill Code");
    alert()->setTextFieldText(0, "");
    alert()->tap("Ok");
    processEvents();
    scanner->classify(QString(800, QChar(u'é')));
    scanner->classify(QString(801, QChar(u'é')));
    ASSERT_EQ(net->sent.size(), 3);
    EXPECT_EQ(sentData(0).value("BillCode"), "BILL");
    EXPECT_TRUE(sentData(1).contains("BillCode"));
    EXPECT_TRUE(sentData(2).contains("SignedQRCode"));
    net->reply(1, QVariantList{QVariantMap{{"BillCode", "B-17"}, {"VehicleNo", "TN01"}}});
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "B-17");
    EXPECT_TRUE(strip().isEmpty());
}

// ---- the camera

TEST_F(ScannerTest, NoCameraSaysSoAndSetsNothingUp) {
    Camera::setFactory([] { return std::unique_ptr<Camera>(); });
    open();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Device Error");
    EXPECT_EQ(alert()->message(), "Device not Supported for this Application");
    EXPECT_FALSE(scanner->cameraReady());
    EXPECT_EQ(scanner->rightBarButtonItem(), nullptr);
}

// A printed code before the camera is decoded by the real decoder and looked up once.
TEST_F(ScannerTest, ACodeHeldBeforeTheCameraIsLookedUpOnce) {
    QTemporaryDir folder;
    QrScenes::scene("DC/SPN/0142", 6, 0, 20, 235).save(folder.filePath("dc.png"));
    Camera::setFactory([&folder] { return std::make_unique<FileCamera>(folder.path()); });
    open();
    ASSERT_TRUE(scanner->cameraReady());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !net->sent.isEmpty(); }, 5000));
    QTest::qWait(500); // many more frames of the same code
    EXPECT_EQ(net->sent.size(), 1);
    EXPECT_EQ(sentData(0).value("LikeStr"), "DC/SPN/0142");
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
        strip().append(makeItemRow());
        strip().last()->QRScanDCDetails = {{"IsOutDC", direction}};
    }
    segmentCell segment({"IN", "OUT"}, {});
    segment.setSelectedSegmentIndex(-1);
    EXPECT_EQ(scanner->checkDirection(&segment), c.message.isEmpty());
    EXPECT_EQ(alert() ? alert()->title() + "/" + alert()->message() : "",
              c.message.isEmpty() ? "" : "Alert !/" + c.message);
    EXPECT_EQ(segment.selectedSegmentIndex(), c.segment);
    EXPECT_EQ(segment.isEnabled(), !c.message.isEmpty()) << "the switch is fixed on a pass";
}

const QString kOutIntoIn = "You Are Selected OUT Section DC, Please Select IN Section DC Only";
const QString kInIntoOut = "You Are Selected IN Section DC, Please Select OUT Section DC Only";

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, DirectionTest,
    ::testing::Values(
        DirectionCase{"Nothing", "", {}, "Please Scan QR Code", -1},
        DirectionCase{"UnknownDirectionCountsForNothing", "", {"maybe"}, "Please Scan QR Code", -1},
        DirectionCase{"Both", "", {"Yes", "No"}, "You Are Scanned Both IN And OUT Section DC", -1},
        DirectionCase{"OutIntoIn", "IN", {"No"}, kOutIntoIn, -1},
        DirectionCase{"InIntoOut", "OUT", {"OutDCYes"}, kInIntoOut, -1},
        DirectionCase{"InOnly", "", {"Yes", "OutDCYes"}, "", 0},
        DirectionCase{"OutOnlyIntoOut", "OUT", {"No"}, "", 1}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// ---- codes of any length and bytes

TEST_F(ScannerTest, OddCodesGoToTheServerAsReadAndNumbersReadAsText) {
    open();
    const QString codes[] = {QString(100000, QChar('7')), QString::fromUtf8("DC\x01\t\r\n\x7f/1"),
                             QString::fromUtf8("\u202eDC/\u0628\u0636\u0627\u0639\u0629"), "     "};
    for (int i = 0; i < 4; ++i) {
        scan(codes[i],
             QVariantList{QVariantMap{
                 {"DC_id", 40 + i}, {"FDiv", "Spinning"}, {"TDiv", "Weaving"}, {"IsOutDC", "No"}}});
        EXPECT_EQ(sentData(i).value("LikeStr"), codes[i]);
        ASSERT_EQ(strip().size(), i + 1);
        EXPECT_EQ(strip().last()->titleText, codes[i]);
        EXPECT_EQ(strip().last()->DCDId, 40 + i);
    }
    EXPECT_EQ(net->sent.size(), 4);
}

} // namespace
