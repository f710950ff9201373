#include "fixtures.h"
#include "multipartform.h"
#include "navigationcontroller.h"
#include "printurl.h"
#include "securitylogdetailview.h"
#include "securitylogsave.h"
#include "securitylogtvc.h"
#include "sessionfixture.h"
#include "validlogform.h"
#include "window.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QtTest/QTest>

namespace {

// A form pushed over the log list, as the list opens it.
class FormTest : public SessionTest {
protected:
    FormTest() {
        master.Device_id = "11";
        master.GateName = "Main Gate";
        logIn(); // saved with the device: every appearance of the list reads the session back
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        processEvents();
        net->replyRaw(0, "[]"); // the list's open logs
        processEvents();
        net->sent.clear();
    }
    void open(const QString &id = {}, const QString &updateable = {},
              const QString &outUpdateable = {}) {
        form->SecIOLog_id = id;
        form->IsUpdateable = updateable;
        form->IsOutSecUpdateable = outUpdateable;
        root->pushViewController(form, false);
        processEvents();
    }
    void fillValid() { fillValidLogForm(form); }
    AlertController *alert() const {
        ViewController *top = root;
        while (ViewController *next = top->presentedViewController())
            top = next;
        return qobject_cast<AlertController *>(top);
    }
    QVariantMap sentHeader() const {
        const auto list =
            QJsonDocument::fromJson(net->sent.last().form().value("SecurityIOLog").toUtf8());
        return list[0].toObject().toVariantMap();
    }
    QVariantList sentDetails() const {
        const QString text = net->sent.last().form().value("SecurityIODetails");
        return text.isEmpty() ? QVariantList()
                              : QJsonDocument::fromJson(text.toUtf8()).array().toVariantList();
    }
    void chooseSave(const char *action = "Save") {
        form->SaveSecurityLog();
        ASSERT_NE(alert(), nullptr);
        ASSERT_TRUE(alert()->tap(action));
        processEvents();
    }

    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
    QPointer<securityLogDetailView> form = new securityLogDetailView();
};

SectionEntry partyEntry(const QString &party, QList<ItemRow> items, int dc = 0) {
    SectionEntry entry;
    entry.PartyDetails = {{"PartyName", party},
                          {"Party_id", "5"},
                          {"City", "Erode"},
                          {"BillNo", "B-" + party},
                          {"BillDate", "05/12/2026"}};
    entry.DATA = std::move(items);
    entry.DC_id = dc;
    return entry;
}

ItemRow item(const QString &title, const QString &quantity, const QString &savedId = {},
             int dcdId = 0) {
    ItemRow row = makeItemRow();
    row->titleText = title;
    row->textField = quantity;
    if (!savedId.isEmpty())
        row->savedDetailId = savedId;
    row->DCDId = dcdId;
    return row;
}

// ---- loading an existing log

struct LoadCase {
    const char *name;
    QByteArray reply;
    const char *updateable; // IsUpdateable and IsOutSecUpdateable
    QList<int> inItems;     // item rows per IN entry
    QList<int> outItems;
};

class DetailLoadTest : public FormTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(DetailLoadTest, GroupsTheLinesIntoDocumentsOfEachSection) {
    const LoadCase &c = GetParam();
    open("41", c.updateable, c.updateable);
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].json().value("SPName"), "USP_GetSecurityLogBySearchText");
    const QVariantMap expected{
        {"SearchBy", "SecIOLogDetail"}, {"SearchText", "41"}, {"BranchCode", "HLV01"}};
    EXPECT_EQ(net->sent[0].json().value("JSONData").toMap(), expected);
    net->replyRaw(0, c.reply);
    processEvents();
    QList<int> in, out;
    for (const auto &entry : form->PartyINSectionCollView)
        in.append(int(entry.DATA.size()));
    for (const auto &entry : form->PartyOUTSectionCollView)
        out.append(int(entry.DATA.size()));
    EXPECT_EQ(in, c.inItems);
    EXPECT_EQ(out, c.outItems);
    EXPECT_EQ(form->numberOfRows(2), c.inItems.size() + 1) << "entries, then the add row";
    EXPECT_EQ(form->numberOfRows(3), c.outItems.size() + 1);
}

QByteArray line(const char *party, const char *doc, const char *qty, const char *outQty,
                const char *id = "1") {
    return QByteArray(R"({"SecIOLogDet_id":")") + id + R"(","PartyName":")" + party +
           R"(","City":"Erode","DocNo":")" + doc + R"(","DocDate":"05 Dec 2026 00:00:00",)" +
           R"("Particulars":"Yarn","Quantity":")" + qty + R"(","OutQty":")" + outQty +
           R"(","DocPath":"","DC_id":"0"})";
}

INSTANTIATE_TEST_SUITE_P(
    Replies, DetailLoadTest,
    ::testing::Values(
        LoadCase{"Nothing", "[]", "", {}, {}}, LoadCase{"NotAList", "<html>", "", {}, {}},
        LoadCase{"OneDocumentTwoLines",
                 "[" + line("A", "1", "5", "") + "," + line("A", "1", "2", "", "2") + "]",
                 "",
                 {2},
                 {}},
        LoadCase{"SamePartyOtherBill",
                 "[" + line("A", "1", "5", "") + "," + line("A", "2", "2", "", "2") + "]",
                 "",
                 {1, 1},
                 {}},
        LoadCase{"BothQuantities", "[" + line("A", "1", "5", "3") + "]", "", {1}, {1}},
        LoadCase{"NeitherQuantityEditable", "[" + line("A", "1", "", "") + "]", "", {}, {0}},
        LoadCase{"NeitherQuantityClosed", "[" + line("A", "1", "", "") + "]", "No", {}, {1}},
        // The server continues an IN document with an OUT line: it starts an OUT entry.
        LoadCase{"ContinuesIntoAnEmptySection",
                 "[" + line("A", "1", "5", "") + "," + line("A", "1", "", "4", "2") + "]",
                 "",
                 {1},
                 {1}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FormTest, ALoadedLineKeepsItsSavedIdPathAndBillAndCannotBeDeleted) {
    open("41");
    net->replyRaw(0, R"([{"SecIOLogDet_id":"9","PartyName":"Sri Mills","City":"","DocNo":"B7",
        "DocDate":"05 Dec 2026 00:00:00","Particulars":"Cones","Quantity":"12.5","OutQty":"",
        "DocPath":"~/Security/SecLogDetails_Bill/9.jpg","DC_id":"31"}])");
    processEvents();
    ASSERT_EQ(form->PartyINSectionCollView.size(), 1);
    const SectionEntry &entry = form->PartyINSectionCollView.first();
    EXPECT_EQ(entry.DC_id, 31);
    EXPECT_TRUE(entry.isSaved());
    EXPECT_EQ(entry.PartyDetails.value("BillDate"), "05/12/2026");
    EXPECT_FALSE(entry.PartyDetails.contains("City")) << "an empty city is no city";
    const ItemRow &row = entry.DATA.first();
    EXPECT_EQ(row->quantity(), "12.5");
    EXPECT_EQ(row->ItemImagePath, "~/Security/SecLogDetails_Bill/9.jpg");
    EXPECT_EQ(row->imageUrl.toString(),
              DistinctServerSets::base(1) + "/img/Security/SecLogDetails_Bill/9.jpg");
    EXPECT_TRUE(row->buttonsHidden);
    EXPECT_FALSE(row->makeReadOnly);
    EXPECT_TRUE(form->trailingSwipeActions(2, 0).isEmpty()) << "saved entries stay";
}

TEST_F(FormTest, ANewLogShowsTheGateAndAViewOnlyLogHasNoSave) {
    open();
    EXPECT_EQ(form->cellInGateName->text(), "Main Gate");
    EXPECT_EQ(form->rightBarButtonItem(), form->brbSave);

    auto *closed = new securityLogDetailView();
    closed->IsUpdateable = "No";
    closed->IsOutSecUpdateable = "No";
    closed->SecIOLog_id = "7";
    root->pushViewController(closed, false);
    EXPECT_EQ(closed->rightBarButtonItem(), nullptr);
    ASSERT_NE(closed->leftBarButtonItem(), nullptr);
    closed->leftBarButtonItem()->trigger(); // Cancel
    processEvents();
    EXPECT_EQ(root->topViewController(), list) << "Cancel returns to the list";
}

// Pickers: the exact request, and which rows take the text typed without choosing.
struct PickerCase {
    int row;
    const char *searchBy;
    const char *searchText; // "-" when the key is not sent
    bool takesFreeText;
};

class PickerTest : public FormTest, public ::testing::WithParamInterface<PickerCase> {};

TEST_P(PickerTest, AsksForItsListAndTakesTypedTextWhereAllowed) {
    const PickerCase &c = GetParam();
    open();
    form->header->setMobileNo("98400 12345");
    labelCell *cell =
        qobject_cast<labelCell *>(form->cellForRow(1, c.row).value("cell").value<QObject *>());
    ASSERT_NE(cell, nullptr);
    cell->setText("before");
    form->didSelectRow(1, c.row);
    processEvents();
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].request.url.toString(), DistinctServerSets::base(1) + "/sp");
    EXPECT_EQ(net->sent[0].json().value("SPName"), "USP_GetSecurityLogBySearchText");
    const QVariantMap json =
        QJsonDocument::fromJson(net->sent[0].json().value("JSONData").toString().toUtf8())
            .object()
            .toVariantMap();
    EXPECT_EQ(json.value("SearchBy"), c.searchBy);
    EXPECT_EQ(json.contains("SearchText"), QString(c.searchText) != "-");
    if (QString(c.searchText) != "-") {
        EXPECT_EQ(json.value("SearchText"), c.searchText);
    }
    auto *nav = qobject_cast<NavigationController *>(form->presentedViewController()
                                                         ? form->presentedViewController()
                                                         : root->presentedViewController());
    auto *picker = nav ? nav->viewControllerAt<comboBox>(0) : nullptr;
    ASSERT_NE(picker, nullptr);
    net->replyLast(QVariantList{});
    processEvents();
    picker->setSearchText("Typed here");
    picker->done();
    processEvents();
    EXPECT_EQ(cell->text(), c.takesFreeText ? "Typed here" : "before");
}

INSTANTIATE_TEST_SUITE_P(Rows, PickerTest,
                         ::testing::Values(PickerCase{0, "VehicleIOS", "98400 12345", true},
                                           PickerCase{1, "Meet_To", "", true},
                                           PickerCase{2, "EntryType", "-", false},
                                           PickerCase{4, "Purpose", "-", true}));

TEST_F(FormTest, ChoosingAnEntryTypeShowsItsNameAndSavesItsId) {
    open();
    form->didSelectRow(1, 2);
    processEvents();
    auto *nav = qobject_cast<NavigationController *>(root->presentedViewController());
    auto *picker = nav ? nav->viewControllerAt<comboBox>(0) : nullptr;
    ASSERT_NE(picker, nullptr);
    net->replyLast(QVariantList{QVariantMap{{"IOType_id", "3"}, {"IOType", "Driver"}}});
    processEvents();
    EXPECT_EQ(picker->cellForRow(0, 0).value("text"), "Driver");
    picker->didSelectRow(0, 0);
    processEvents();
    EXPECT_EQ(form->cellEntryType->text(), "Driver");
    EXPECT_EQ(form->entryTypeId(), "3");
}

// ---- saving

struct RefusalCase {
    const char *name;
    std::function<void(securityLogDetailView *)> breakIt;
    const char *message;
};

class RefusalTest : public FormTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(RefusalTest, SaysWhatIsMissingAndSendsNothing) {
    open();
    fillValid();
    GetParam().breakIt(form);
    chooseSave();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Alert !");
    EXPECT_EQ(alert()->message(), GetParam().message);
    EXPECT_TRUE(net->sent.isEmpty());
    EXPECT_FALSE(form->isSaving());
    EXPECT_EQ(form->header->name().isEmpty(), QString(GetParam().name) == "NoName")
        << "what the guard typed stays";
}

INSTANTIATE_TEST_SUITE_P(
    Checks, RefusalTest,
    ::testing::Values(
        RefusalCase{"Closed", [](auto *f) { f->IsUpdateable = "No"; },
                    "Log Update Time Limit Exceeded"},
        RefusalCase{"NoPhoto", [](auto *f) { f->header->setImagePath(""); }, "Tack Person Photo"},
        RefusalCase{"NoMobile", [](auto *f) { f->header->setMobileNo(""); }, "Enter Mobile No"},
        RefusalCase{"NoName", [](auto *f) { f->header->setName(""); }, "Enter Person Name"},
        RefusalCase{"NoEntryType", [](auto *f) { f->cellEntryType->identifier = "  "; },
                    "Select Entry Type"},
        RefusalCase{"NoMeetTo", [](auto *f) { f->cellMeetTo->setText(""); }, "Select Meet To"},
        RefusalCase{"NewItemsBothWays",
                    [](auto *f) {
                        f->PartyINSectionCollView.append(partyEntry("A", {item("Yarn", "1")}));
                        f->PartyOUTSectionCollView.append(partyEntry("B", {item("Cone", "1")}));
                    },
                    "Add Items in Any One Section at Very First Time (IN or OUT)"}),
    [](const auto &info) { return std::string(info.param.name); });

// The request of a table of forms, field by field.
struct SaveCase {
    const char *name;
    const char *logId;
    int switchBefore;
    std::function<void(securityLogDetailView *)> fill;
    QVariantMap header; // the keys that differ from a plain new log
    QVariantList details;
    int switchAfter;
};

class SaveRequestTest : public FormTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveRequestTest, SendsTheHeaderAndDetailsOfTheForm) {
    const SaveCase &c = GetParam();
    open(c.logId);
    if (*c.logId)
        net->replyRaw(0, "[]");
    processEvents();
    net->sent.clear();
    fillValid();
    form->cellTockenNo->setText("T-4");
    form->cellPurpose->setText("Delivery");
    form->header->setAddress("Erode");
    form->header->setDesignation("Driver");
    form->celllabelSegmentCell->setSelectedSegmentIndex(c.switchBefore);
    c.fill(form);
    chooseSave();
    ASSERT_EQ(net->sent.size(), 1) << "the photo is on the server: no upload";
    EXPECT_EQ(net->sent[0].request.url.toString(),
              DistinctServerSets::base(1) + "/dc/SaveSecurityIOLog_NoImageData");
    QVariantMap header{
        {"SecIOLog_id", *c.logId ? c.logId : "0"},
        {"BranchCode", "HLV01"},
        {"Division_id", "1"},
        {"Device_id", "11"},
        {"IOType_id", "2"},
        {"IOPerson", "Kumar"},
        {"IODesignation", "Driver"},
        {"IOMobile", "98400 12345"},
        {"IOAdd1", "Erode"},
        {"Meet_To", "Priya"},
        {"TokenNo", "T-4"},
        {"Purpose", "Delivery"},
        {"IOImgPath", "~/Security/PersonsImages/7.jpg"},
        {"CreatedBy", "7"},
        {"IOMode", c.switchAfter == 0 ? "I" : "O"},
        {"ImageData", ""},
        {"IOLog_ids", ""},
        {"INDC_ids", ""},
        {"OUTDC_ids", ""},
        {"DC_Detids", ""},
        {"INGodTrn_ids", ""},
        {"OUTGodTrn_ids", ""},
        {"INHB_ids ", ""},
        {"OUTHB_ids", ""},
    };
    header.insert(c.header);
    EXPECT_EQ(sentHeader(), header);
    EXPECT_EQ(sentDetails(), c.details);
    EXPECT_EQ(form->celllabelSegmentCell->selectedSegmentIndex(), c.switchAfter);
    EXPECT_TRUE(form->isSaving());
}

QVariantMap detail(const char *party, const char *particulars, const char *key,
                   const char *quantity, const char *savedId = nullptr) {
    QVariantMap d{{"Party_id", "5"},         {"PartyName", party},
                  {"City", "Erode"},         {"DocNo", QString("B-") + party},
                  {"DocDate", "2026-12-05"}, {"Particulars", particulars},
                  {key, quantity},           {"DocPath", ""},
                  {"DetailImageData", ""}};
    if (savedId)
        d.insert("SecIOLogDet_id", savedId);
    return d;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, SaveRequestTest,
    ::testing::Values(
        SaveCase{"NewWithoutItemsKeepsTheSwitch", "", 1, [](auto *) {}, {}, {}, 1},
        SaveCase{"NewInOnlyMovesTheSwitchToIn",
                 "",
                 1,
                 [](auto *f) {
                     f->PartyINSectionCollView.append(
                         partyEntry("A", {item("Yarn", "5.00", {}, 70)}, 12));
                     f->PartyINSectionCollView.append(partyEntry("B", {item("Cone", "1")}, 15));
                     f->cellVehile->setText("TN 38 AB 1234");
                 },
                 {{"INDC_ids", "12,15"}, {"DC_Detids", "70"}, {"IOVehicle", "TN 38 AB 1234"}},
                 {detail("A", "Yarn", "Quantity", "5.00"), detail("B", "Cone", "Quantity", "1")},
                 0},
        SaveCase{"NewOutOnlyMovesTheSwitchToOut",
                 "",
                 0,
                 [](auto *f) {
                     SectionEntry e = partyEntry("A", {item("Yarn", "2")});
                     e.HB_id = 8;
                     f->PartyOUTSectionCollView.append(e);
                 },
                 {{"OUTHB_ids", "8"}},
                 {detail("A", "Yarn", "OutQty", "2")},
                 1},
        SaveCase{"GodownTransferSendsItsFirstLineAsQuantity",
                 "",
                 0,
                 [](auto *f) {
                     SectionEntry e =
                         partyEntry("G", {item("Yarn", "1"), item("Cone", "2"), item("Bag", "3")});
                     e.GT_id = 4;
                     f->PartyOUTSectionCollView.append(e);
                 },
                 {{"OUTGodTrn_ids", "4"}},
                 {detail("G", "Yarn", "Quantity", "1")},
                 0},
        SaveCase{
            "ExistingSavedRowsCarryTheirIdsAndNoLists",
            "41",
            0,
            [](auto *f) {
                f->PartyINSectionCollView.append(partyEntry("A", {item("Yarn", "5", "901")}, 12));
                f->PartyOUTSectionCollView.append(partyEntry("B", {item("Cone", "1", "902")}, 15));
            },
            {},
            {detail("A", "Yarn", "Quantity", "5", "901"),
             detail("B", "Cone", "OutQty", "1", "902")},
            0}),
    [](const auto &info) { return std::string(info.param.name); });

// The server's answer: only a positive ID saves; "ok" returns to the list.
struct AnswerCase {
    const char *name;
    QByteArray body;
    int status;
    const char *title;
    const char *message;
};

class AnswerTest : public FormTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(AnswerTest, ShowsTheAnswerAndReturnsOnlyAfterASave) {
    const AnswerCase &c = GetParam();
    open();
    fillValid();
    chooseSave();
    ASSERT_EQ(net->sent.size(), 1);
    net->replyRaw(0, c.body, c.status);
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), c.title);
    EXPECT_EQ(alert()->message(), c.message);
    const bool saved = QString(c.title) == "Alert";
    EXPECT_EQ(form->isSaving(), saved) << "a failed save leaves the form usable";
    if (!saved) {
        EXPECT_EQ(form->SecIOLog_id, "0") << "a new log is sent as 0 again";
        EXPECT_EQ(root->topViewController(), form.data());
        return;
    }
    form->SaveSecurityLog();
    EXPECT_EQ(alert()->title(), "Alert") << "no second save while the answer is up";
    alert()->tap("ok");
    processEvents();
    EXPECT_EQ(root->topViewController(), list);
    EXPECT_EQ(net->sent.last().json().value("JSONData").toMap().value("SearchBy"), "NotOut")
        << "the list loads the open logs again";
}

INSTANTIATE_TEST_SUITE_P(
    Answers, AnswerTest,
    ::testing::Values(AnswerCase{"Saved", R"([{"ID":"12"}])", 200, "Alert", "12"},
                      AnswerCase{"Zero", R"([{"ID":"0"}])", 200, "Error", "Error Contact IT Dep"},
                      AnswerCase{"ServerError", R"([{"Error":"Log closed"}])", 200, "Error",
                                 "Log closed"},
                      AnswerCase{"EmptyList", "[]", 200, "Error", "Error Contact IT Dep"},
                      AnswerCase{"NotAList", R"({"ID":"12"})", 200, "Error", "Error"},
                      AnswerCase{"Http500", R"([{"ID":"12"}])", 500, "Error", "Error"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(FormTest, SaveAndPrintReturnsToTheListAndOpensTheReport) {
    open();
    fillValid();
    master.BranchCode = "HLV 01";
    common::sharedInstance().saveSession();
    chooseSave("Save & Print");
    net->replyRaw(0, R"([{"ID":"77"}])");
    processEvents();
    alert()->tap("ok");
    processEvents();
    auto *nav = qobject_cast<NavigationController *>(root->presentedViewController());
    auto *report = nav ? nav->viewControllerAt<ReportViewController>(0) : nullptr;
    ASSERT_NE(report, nullptr);
    EXPECT_EQ(report->url().toString(QUrl::FullyEncoded),
              DistinctServerSets::base(1) +
                  "/rpt/10_Reports/FrmSecLog.aspx?SecIOLog_id=77&BranchCode=HLV%2001");
}

TEST_F(FormTest, OneSaveAtATimeWithSaveAndCancelDisabled) {
    open();
    fillValid();
    chooseSave();
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_FALSE(form->brbSave->enabled());
    EXPECT_FALSE(form->brbCancel->enabled());
    form->save(false);
    form->CancelSecurityLogView();
    processEvents();
    EXPECT_EQ(net->sent.size(), 1) << "no second log";
    EXPECT_EQ(root->topViewController(), form.data());
    net->fail(0);
    processEvents();
    EXPECT_TRUE(form->brbSave->enabled());
}

// Every retry of one save sends the same idempotency key, so a server that stored the log but
// could not answer does not store it again; a changed form, or another form, sends another.
TEST_F(FormTest, ARetryOfTheSameSaveSendsTheSameKey) {
    auto keyOf = [](const ScriptedTransport::Sent &sent) {
        for (const auto &[name, value] : sent.request.headers)
            if (name == "Idempotency-Key")
                return value;
        return QByteArray();
    };
    open();
    fillValid();
    QList<QByteArray> keys;
    for (const char *token : {"T-1", "T-1", "T-2"}) {
        form->cellTockenNo->setText(token);
        chooseSave();
        keys.append(keyOf(net->sent.last()));
        net->fail(int(net->sent.size()) - 1);
        processEvents();
        alert()->tapAction(0);
        processEvents();
    }
    EXPECT_FALSE(keys[0].isEmpty());
    EXPECT_LE(keys[0].size(), 200);
    EXPECT_EQ(keys[1], keys[0]);
    EXPECT_NE(keys[2], keys[0]);
    EXPECT_NE(SecurityLogSave::saveKey(QUuid::createUuid(), {}, {}, {}),
              SecurityLogSave::saveKey(QUuid::createUuid(), {}, {}, {}));
}

// A new photo and a bill picture are shrunk, uploaded to their folders, and their stored
// paths sent with the log; a failed upload sends nothing.
TEST_F(FormTest, UploadsTheNewPhotoAndBillPicturesBeforeTheLog) {
    open();
    fillValid();
    form->header->setImagePath("");
    QImage photo(3000, 2000, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    form->header->setPhoto(photo);
    ItemRow withBill = item("Bill", "1");
    withBill->image = QImage(800, 600, QImage::Format_RGB32);
    withBill->image.fill(Qt::white);
    form->PartyINSectionCollView.append(partyEntry("A", {item("Yarn", "1"), withBill}));
    chooseSave();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !net->sent.isEmpty(); }, 10000));
    EXPECT_EQ(net->sent[0].request.url.toString(), DistinctServerSets::base(1) + "/dc/upload");
    const auto parts = multipartParts(net->sent[0].request);
    ASSERT_EQ(parts.size(), 2);
    EXPECT_EQ(parts[0].body, "Security/PersonsImages/");
    EXPECT_TRUE(parts[1].disposition.contains(R"(filename="1")")) << parts[1].disposition.data();
    EXPECT_LE(parts[1].body.size(), 300 * 1024);
    net->reply(0, QVariantList{"~/Security/PersonsImages/1_x.jpg"});
    processEvents();
    ASSERT_EQ(net->sent.size(), 2);
    const auto bills = multipartParts(net->sent[1].request);
    ASSERT_EQ(bills.size(), 2);
    EXPECT_EQ(bills[0].body, "Security/SecLogDetails_Bill/");
    EXPECT_TRUE(bills[1].disposition.contains(R"(filename="1")")) << "named by its record";
    net->reply(1, QVariantList{"~/Security/SecLogDetails_Bill/1_y.jpg"});
    processEvents();
    ASSERT_EQ(net->sent.size(), 3);
    EXPECT_EQ(sentHeader().value("IOImgPath"), "~/Security/PersonsImages/1_x.jpg");
    EXPECT_EQ(sentDetails().value(0).toMap().value("DocPath"), "");
    EXPECT_EQ(sentDetails().value(1).toMap().value("DocPath"),
              "~/Security/SecLogDetails_Bill/1_y.jpg");
}

TEST_F(FormTest, AFailedUploadSaysImageNotSavedAndSendsNothing) {
    open();
    fillValid();
    form->header->setImagePath("");
    QImage photo(400, 300, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    form->header->setPhoto(photo);
    for (const QByteArray &reply : {QByteArray("[]"), QByteArray("oops")}) {
        net->sent.clear();
        chooseSave();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !net->sent.isEmpty(); }, 10000));
        net->replyRaw(0, reply);
        processEvents();
        ASSERT_NE(alert(), nullptr);
        EXPECT_EQ(alert()->title(), "Error");
        EXPECT_EQ(alert()->message(), "Image Not Saved");
        EXPECT_EQ(net->sent.size(), 1) << "the log is not sent";
        EXPECT_FALSE(form->isSaving());
        EXPECT_FALSE(form->header->photo().isNull()) << "the photo stays for another try";
        alert()->tap("OK");
        processEvents();
    }
}

TEST_F(FormTest, DeletingTheOnlyItemOfANewPartyAsksAndRemovesTheEntry) {
    open();
    form->PartyOUTSectionCollView.append(partyEntry("A", {item("Yarn", "1")}));
    form->PartyOUTSectionCollView.append(partyEntry("B", {item("Cone", "1"), item("Bag", "2")}));
    form->PartyOUTSectionCollView.append(partyEntry("C", {item("Dc", "1")}, 40));
    form->reloadData();
    form->itemDoubleTapped(3, 2, 0);
    EXPECT_EQ(alert(), nullptr) << "a DC's lines are not deleted here";
    form->itemDoubleTapped(3, 1, 1);
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->message(), "Are You Sure Want To Delete This Item?");
    alert()->tap("Yes");
    processEvents();
    EXPECT_EQ(form->PartyOUTSectionCollView.at(1).DATA.size(), 1);
    form->itemDoubleTapped(3, 0, 0);
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->message(), "Are You Sure Want To Delete This Party?");
    alert()->tap("Yes");
    processEvents();
    ASSERT_EQ(form->PartyOUTSectionCollView.size(), 2);
    EXPECT_EQ(form->PartyOUTSectionCollView.first().PartyDetails.value("PartyName"), "B");
}

} // namespace
