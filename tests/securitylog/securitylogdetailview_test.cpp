#include "printurl.h"
#include "securitylogsave.h"
#include "securitylogtvc.h"
#include "sessionfixture.h"
#include "shownscreen.h"
#include "validlogform.h"

#include <QJsonArray>
#include <QJsonDocument>
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
    void open(const QString &id = {}, const QString &updateable = {}) {
        form->SecIOLog_id = id;
        form->IsUpdateable = form->IsOutSecUpdateable = updateable;
        root->pushViewController(form, false);
        processEvents();
    }
    template <typename T> T *shown() const { return qobject_cast<T *>(topmostScreen(root)); }
    // The alert on top as "title/message", or "" when none is up.
    QString said() const {
        auto *alert = shown<AlertController>();
        return alert ? alert->title() + "/" + alert->message() : QString();
    }
    void tap(const char *action) {
        ASSERT_NE(shown<AlertController>(), nullptr);
        EXPECT_TRUE(shown<AlertController>()->tap(action)) << action;
        processEvents();
    }
    void chooseSave(const char *action = "Save") {
        form->SaveSecurityLog();
        tap(action);
    }
    // A list the last save sent as JSON text in the form field `key`.
    QVariantList sentList(const char *key) const {
        const QString text = net->sent.last().form().value(key);
        return QJsonDocument::fromJson(text.toUtf8()).array().toVariantList();
    }

    Window window;
    securityLogTVC *list = new securityLogTVC();
    NavigationController *root = new NavigationController(list);
    QPointer<securityLogDetailView> form = new securityLogDetailView();
};

SectionEntry partyEntry(const QString &party, QList<ItemRow> items, int dc = 0, int gt = 0,
                        int hb = 0) {
    SectionEntry entry;
    entry.PartyDetails = {{"PartyName", party},
                          {"Party_id", "5"},
                          {"City", "Erode"},
                          {"BillNo", "B-" + party},
                          {"BillDate", "05/12/2026"}};
    entry.DATA = std::move(items);
    entry.DC_id = dc;
    entry.GT_id = gt;
    entry.HB_id = hb;
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

QVariantMap line(const char *id, const char *doc, const char *qty, const char *outQty) {
    return {{"SecIOLogDet_id", id},  {"PartyName", "A"},
            {"City", "Erode"},       {"DocNo", doc},
            {"Particulars", "Yarn"}, {"Quantity", qty},
            {"OutQty", outQty},      {"DocPath", ""},
            {"DC_id", "0"},          {"DocDate", "05 Dec 2026 00:00:00"}};
}

struct LoadCase {
    const char *name;
    QVariantList lines;
    const char *updateable;       // IsUpdateable and IsOutSecUpdateable
    QList<int> inItems, outItems; // item rows per entry of each section
};

class DetailLoadTest : public FormTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(DetailLoadTest, GroupsTheLinesIntoDocumentsOfEachSection) {
    const LoadCase &c = GetParam();
    open("41", c.updateable);
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].json().value("SPName"), "USP_GetSecurityLogBySearchText");
    const QVariantMap expected{
        {"SearchBy", "SecIOLogDetail"}, {"SearchText", "41"}, {"BranchCode", "HLV01"}};
    EXPECT_EQ(net->sent[0].json().value("JSONData").toMap(), expected);
    net->reply(0, c.lines);
    // Each section ends with its add row: more than two rows once the lines are in.
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->numberOfRows(2) + form->numberOfRows(3) > 2; }));
    QList<int> in, out;
    for (const auto &entry : form->PartyINSectionCollView)
        in.append(int(entry.DATA.size()));
    for (const auto &entry : form->PartyOUTSectionCollView)
        out.append(int(entry.DATA.size()));
    EXPECT_EQ(in, c.inItems);
    EXPECT_EQ(out, c.outItems);
    EXPECT_EQ(form->numberOfRows(3), c.outItems.size() + 1) << "entries, then the add row";
    const int section = c.inItems.isEmpty() ? 3 : 2;
    const SectionEntry &first = form->sectionList(section)->first();
    if (first.DATA.isEmpty())
        return; // an entry without lines has nothing saved to keep
    EXPECT_EQ(first.PartyDetails.value("BillDate"), "05/12/2026");
    EXPECT_TRUE(first.isSaved());
    EXPECT_TRUE(form->trailingSwipeActions(section, 0).isEmpty()) << "saved entries stay";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Replies, DetailLoadTest,
    ::testing::Values(
        LoadCase{"OneDocumentTwoLines", {line("1", "1", "5", ""), line("2", "1", "2", "")}, "",
                 {2}, {}},
        LoadCase{"SamePartyOtherBill", {line("1", "1", "5", ""), line("2", "2", "2", "")}, "",
                 {1, 1}, {}},
        LoadCase{"BothQuantities", {line("1", "1", "5", "3")}, "", {1}, {1}},
        LoadCase{"NeitherQuantityEditable", {line("1", "1", "", "")}, "", {}, {0}},
        LoadCase{"NeitherQuantityClosed", {line("1", "1", "", "")}, "No", {}, {1}},
        // The server continues an IN document with an OUT line: it starts an OUT entry.
        LoadCase{"ContinuesIntoAnEmptySection", {line("1", "1", "5", ""), line("2", "1", "", "4")},
                 "", {1}, {1}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// Pickers: the exact request, and which rows take the text typed without choosing.
struct PickerCase {
    int row;
    const char *sent; // JSONData, sent as JSON text
    bool takesFreeText;
};

class PickerTest : public FormTest, public ::testing::WithParamInterface<PickerCase> {};

TEST_P(PickerTest, AsksForItsListAndTakesTypedTextWhereAllowed) {
    const PickerCase &c = GetParam();
    open();
    form->header->setMobileNo("98400 12345");
    auto *cell =
        qobject_cast<labelCell *>(form->cellForRow(1, c.row).value("cell").value<QObject *>());
    ASSERT_NE(cell, nullptr);
    cell->setText("before");
    form->didSelectRow(1, c.row);
    processEvents();
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].request.url.toString(), DistinctServerSets::base(1) + "/sp");
    EXPECT_EQ(net->sent[0].json().value("SPName"), "USP_GetSecurityLogBySearchText");
    const auto fromJson = [](const QString &text) {
        return QJsonDocument::fromJson(text.toUtf8()).toVariant();
    };
    EXPECT_EQ(fromJson(net->sent[0].json().value("JSONData").toString()), fromJson(c.sent));
    auto *picker = shown<comboBox>();
    ASSERT_NE(picker, nullptr);
    net->replyLast(QVariantList{});
    processEvents();
    picker->setSearchText("Typed here");
    picker->done();
    processEvents();
    EXPECT_EQ(cell->text(), c.takesFreeText ? "Typed here" : "before");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PickerTest,
    ::testing::Values(PickerCase{0, R"({"SearchBy":"VehicleIOS","SearchText":"98400 12345"})",
                                 true},
                      PickerCase{1, R"({"SearchBy":"Meet_To","SearchText":""})", true},
                      PickerCase{2, R"({"SearchBy":"EntryType"})", false},
                      PickerCase{4, R"({"SearchBy":"Purpose"})", true}));

// ---- saving

// The request of a table of forms, field by field.
struct SaveCase {
    const char *name;
    const char *logId;
    int switchBefore, switchAfter;
    QList<SectionEntry> in, out;
    QVariantMap header; // the keys that differ from a plain new log
    QVariantList details;
};

class SaveRequestTest : public FormTest, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(SaveRequestTest, SendsTheHeaderAndDetailsOfTheForm) {
    const SaveCase &c = GetParam();
    open(c.logId);
    net->replyRaw(0, "[]"); // an existing log's lines
    processEvents();
    net->sent.clear();
    fillValidLogForm(form);
    form->cellTockenNo->setText("T-4");
    form->cellPurpose->setText("Delivery");
    form->cellVehile->setText("TN 38 AB 1234");
    form->header->setAddress("Erode");
    form->header->setDesignation("Driver");
    form->celllabelSegmentCell->setSelectedSegmentIndex(c.switchBefore);
    form->PartyINSectionCollView = c.in;
    form->PartyOUTSectionCollView = c.out;
    chooseSave();
    ASSERT_EQ(net->sent.size(), 1) << "the photo is on the server: no upload";
    EXPECT_EQ(net->sent[0].request.url.toString(),
              DistinctServerSets::base(1) + "/dc/SaveSecurityIOLog_NoImageData");
    QVariantMap header{{"SecIOLog_id", *c.logId ? c.logId : "0"},
                       {"BranchCode", "HLV01"},
                       {"Division_id", "1"},
                       {"Device_id", "11"},
                       {"IOType_id", "2"},
                       {"IOPerson", "Kumar"},
                       {"IODesignation", "Driver"},
                       {"IOMobile", "98400 12345"},
                       {"IOVehicle", "TN 38 AB 1234"},
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
                       {"OUTHB_ids", ""}};
    header.insert(c.header);
    EXPECT_EQ(sentList("SecurityIOLog").value(0).toMap(), header);
    EXPECT_EQ(sentList("SecurityIODetails"), c.details);
    EXPECT_EQ(form->celllabelSegmentCell->selectedSegmentIndex(), c.switchAfter);
}

// A detail line as sent; the bill date goes as yyyy-MM-dd.
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

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Forms, SaveRequestTest,
    ::testing::Values(
        SaveCase{"NewWithoutItemsKeepsTheSwitch", "", 1, 1, {}, {}, {}, {}},
        SaveCase{"NewInOnlyMovesTheSwitchToIn", "", 1, 0,
                 {partyEntry("A", {item("Yarn", "5.00", {}, 70)}, 12),
                  partyEntry("B", {item("Cone", "1")}, 15)}, {},
                 {{"INDC_ids", "12,15"}, {"DC_Detids", "70"}},
                 {detail("A", "Yarn", "Quantity", "5.00"), detail("B", "Cone", "Quantity", "1")}},
        SaveCase{"NewOutOnlyMovesTheSwitchToOut", "", 0, 1,
                 {}, {partyEntry("A", {item("Yarn", "2")}, 0, 0, 8)},
                 {{"OUTHB_ids", "8"}}, {detail("A", "Yarn", "OutQty", "2")}},
        SaveCase{"GodownTransferSendsItsFirstLineAsQuantity", "", 0, 0,
                 {}, {partyEntry("G", {item("Yarn", "1"), item("Cone", "2"), item("Bag", "3")},
                                 0, 4)},
                 {{"OUTGodTrn_ids", "4"}}, {detail("G", "Yarn", "Quantity", "1")}},
        SaveCase{"ExistingSavedRowsCarryTheirIdsAndNoLists", "41", 0, 0,
                 {partyEntry("A", {item("Yarn", "5", "901")}, 12)},
                 {partyEntry("B", {item("Cone", "1", "902")}, 15)}, {},
                 {detail("A", "Yarn", "Quantity", "5", "901"),
                  detail("B", "Cone", "OutQty", "1", "902")}}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// Save: a refusal names what is missing and sends nothing; otherwise one log goes at a time,
// only a positive ID saves, and "ok" returns to the list (and opens the report after Save &
// Print).
struct OutcomeCase {
    const char *name;
    std::function<void(securityLogDetailView *)> change;
    const char *action;
    QByteArray reply; // empty: nothing may be sent
    const char *said;
};

class SaveOutcomeTest : public FormTest, public ::testing::WithParamInterface<OutcomeCase> {};

TEST_P(SaveOutcomeTest, RefusesOrShowsTheAnswerAndReturnsOnlyAfterASave) {
    const OutcomeCase &c = GetParam();
    open();
    fillValidLogForm(form);
    c.change(form);
    chooseSave(c.action);
    if (c.reply.isEmpty()) {
        EXPECT_EQ(said(), c.said);
        EXPECT_TRUE(net->sent.isEmpty());
        EXPECT_FALSE(form->isSaving());
        EXPECT_EQ(form->cellEntryType->text(), "Visitor") << "what the guard typed stays";
        return;
    }
    EXPECT_FALSE(form->brbSave->enabled());
    EXPECT_FALSE(form->brbCancel->enabled());
    form->save(false);
    form->CancelSecurityLogView();
    processEvents();
    ASSERT_EQ(net->sent.size(), 1) << "one log at a time";
    net->replyRaw(0, c.reply);
    processEvents();
    EXPECT_EQ(said(), c.said);
    const bool saved = said().startsWith("Alert/");
    EXPECT_EQ(form->isSaving(), saved) << "a failed save leaves the form usable";
    if (!saved) {
        EXPECT_EQ(form->SecIOLog_id, "0") << "a new log is sent as 0 again";
        EXPECT_TRUE(form->brbSave->enabled());
        EXPECT_EQ(root->topViewController(), form.data());
        return;
    }
    form->SaveSecurityLog();
    EXPECT_EQ(said(), c.said) << "no second save while the answer is up";
    tap("ok");
    EXPECT_EQ(root->topViewController(), list);
    const auto loads = net->withSPName("USP_GetSecurityLogBySearchText");
    ASSERT_FALSE(loads.isEmpty());
    EXPECT_EQ(loads.last().json().value("JSONData").toMap().value("SearchBy"), "NotOut")
        << "the list loads the open logs again";
    auto *report = shown<ReportViewController>();
    ASSERT_EQ(report != nullptr, QString(c.action) == "Save & Print");
    if (report) {
        EXPECT_EQ(report->url().toString(),
                  DistinctServerSets::base(1) +
                      "/rpt/10_Reports/FrmSecLog.aspx?SecIOLog_id=12&BranchCode=HLV01");
    }
}

void valid(securityLogDetailView *) {}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Outcomes, SaveOutcomeTest,
    ::testing::Values(
        OutcomeCase{"Closed", [](auto *f) { f->IsUpdateable = "No"; }, "Save", {},
                    "Alert !/Log Update Time Limit Exceeded"},
        OutcomeCase{"NoPhoto", [](auto *f) { f->header->setImagePath(""); }, "Save", {},
                    "Alert !/Tack Person Photo"},
        OutcomeCase{"NoMobile", [](auto *f) { f->header->setMobileNo(""); }, "Save", {},
                    "Alert !/Enter Mobile No"},
        OutcomeCase{"NoName", [](auto *f) { f->header->setName(""); }, "Save", {},
                    "Alert !/Enter Person Name"},
        OutcomeCase{"NoEntryType", [](auto *f) { f->cellEntryType->identifier = "  "; }, "Save", {},
                    "Alert !/Select Entry Type"},
        OutcomeCase{"NoMeetTo", [](auto *f) { f->cellMeetTo->setText(""); }, "Save", {},
                    "Alert !/Select Meet To"},
        OutcomeCase{"NewItemsBothWays",
                    [](auto *f) {
                        f->PartyINSectionCollView.append(partyEntry("A", {item("Yarn", "1")}));
                        f->PartyOUTSectionCollView.append(partyEntry("B", {item("Cone", "1")}));
                    }, "Save", {},
                    "Alert !/Add Items in Any One Section at Very First Time (IN or OUT)"},
        OutcomeCase{"Saved", valid, "Save", R"([{"ID":"12"}])", "Alert/12"},
        OutcomeCase{"SavedAndPrinted", valid, "Save & Print", R"([{"ID":"12"}])", "Alert/12"},
        OutcomeCase{"Zero", valid, "Save", R"([{"ID":"0"}])", "Error/Error Contact IT Dep"},
        OutcomeCase{"ServerError", valid, "Save", R"([{"Error":"Log closed"}])",
                    "Error/Log closed"},
        OutcomeCase{"EmptyList", valid, "Save", "[]", "Error/Error Contact IT Dep"}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// Every retry of one save sends the same idempotency key, so a server that stored the log but
// could not answer does not store it again; a changed form, or another form, sends another.
TEST_F(FormTest, ARetryOfTheSameSaveSendsTheSameKey) {
    open();
    fillValidLogForm(form);
    QList<QByteArray> keys;
    for (const char *token : {"T-1", "T-1", "T-2"}) {
        form->cellTockenNo->setText(token);
        chooseSave();
        for (const auto &[name, value] : net->sent.last().request.headers)
            if (name == "Idempotency-Key")
                keys.append(value);
        net->fail(int(net->sent.size()) - 1);
        processEvents();
        shown<AlertController>()->tapAction(0);
        processEvents();
    }
    ASSERT_EQ(keys.size(), 3);
    EXPECT_FALSE(keys[0].isEmpty());
    EXPECT_LE(keys[0].size(), 200);
    EXPECT_EQ(keys[1], keys[0]);
    EXPECT_NE(keys[2], keys[0]);
    EXPECT_NE(SecurityLogSave::saveKey(QUuid::createUuid(), {}, {}, {}),
              SecurityLogSave::saveKey(QUuid::createUuid(), {}, {}, {}));
}

TEST_F(FormTest, ADoubleTapAsksAndDeletesAnItemOrTheWholeNewPartyButNoDCLine) {
    open();
    form->PartyOUTSectionCollView = {partyEntry("A", {item("Yarn", "1")}),
                                     partyEntry("B", {item("Cone", "1"), item("Bag", "2")}),
                                     partyEntry("C", {item("Dc", "1")}, 40)};
    form->reloadData();
    form->itemDoubleTapped(3, 2, 0);
    EXPECT_EQ(said(), "") << "a DC's lines are not deleted here";
    form->itemDoubleTapped(3, 1, 1);
    EXPECT_EQ(said(), "Alert !/Are You Sure Want To Delete This Item?");
    tap("Yes");
    EXPECT_EQ(form->PartyOUTSectionCollView.at(1).DATA.size(), 1);
    form->itemDoubleTapped(3, 0, 0);
    EXPECT_EQ(said(), "Alert !/Are You Sure Want To Delete This Party?");
    tap("Yes");
    ASSERT_EQ(form->PartyOUTSectionCollView.size(), 2);
    EXPECT_EQ(form->PartyOUTSectionCollView.first().PartyDetails.value("PartyName"), "B");
}

} // namespace
