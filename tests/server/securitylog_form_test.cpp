// The log form's save: a new log, an update, the refusals that store nothing, and a save sent
// again under its idempotency key.

#include "demo_server.h"

namespace seclog::server::testing {
namespace {

// A save's answer: [{"ID": id}] or [{"Error": text}].
json answer(const char *key, const std::string &value) {
    return json::array({{{key, value}}});
}

class SaveLog : public ::testing::Test {
protected:
    json save(const json &header, const json &details) {
        return demo.save(kSavePath, json::array({header}).dump(),
                         details.empty() ? "" : details.dump());
    }
    json lines(const std::string &logId) { return demo.postSp(kLogProcedure, detailQuery(logId)); }
    // The demo's history follows its recent logs, so saves here get the ids after it.
    std::int64_t nextId(const char *table, const char *key) {
        return dbRows(demo.dbPath,
                      std::string("SELECT MAX(") + key + ") + 1 AS id FROM " + table)[0]["id"];
    }
    std::string newLogId(int after = 0) { return std::to_string(firstNewLog + after); }
    std::string newLineId(int after = 0) { return std::to_string(firstNewLine + after); }
    DemoServer demo;
    const std::int64_t firstNewLog = nextId("SecurityIOLog", "SecIOLog_id");
    const std::int64_t firstNewLine = nextId("SecurityIODetails", "SecIODet_id");
};

// The header with its derived names, lines of both sections, and the lists of documents
// attached, kept as sent.
TEST_F(SaveLog, ANewLogStoresItsHeaderLinesAndDocumentLists) {
    const json header = headerWith(R"({"INDC_ids":"12,15","OUTDC_ids":"7",
        "DC_Detids":"101,102,103","INGodTrn_ids":"5","INHB_ids ":"3,4","OUTHB_ids":"9"})");
    const json details = {itemLine("Quantity", "2.00", "Yarn Cones"),
                          itemLine("OutQty", "3.00", "Empty Drums", "GP-9")};
    ASSERT_EQ(save(header, details), answer("ID", newLogId()));

    const json stored = lines(newLogId());
    EXPECT_EQ(column(stored, "SecIOLogDet_id"), (Ids{newLineId(), newLineId(1)}));
    EXPECT_EQ(column(stored, "Quantity"), (Ids{"2.00", ""}));
    EXPECT_EQ(column(stored, "OutQty"), (Ids{"", "3.00"}));
    EXPECT_EQ(column(stored, "DocDate"), Ids(2, "01 Mar 2024 00:00:00"));
    const json row = demo.reportRow(newLogId());
    const json expected = json::parse(R"({"IOPerson":"Vijay Anand","IOMobile":"+91 90000 11111",
        "IOAdd1":"7 Park Road, Tiruppur","IODesignation":"Sales Executive","PersonType":"Visitor",
        "IOImgPath":"~/Security/PersonsImages/1","Meet_To":"Priya Menon","Purpose":"Meeting",
        "TokenNo":"42","IOVehicle":"TN 38 ZZ 0001","IOType":"Visitor","IOType_id":"1",
        "FPDeviceName":"Main Gate","DivisionName":"Spinning","LogedBy":"Ravi Kumar",
        "OutTime":"","IsUpdateable":"Yes"})");
    for (const auto &[key, value] : expected.items())
        EXPECT_EQ(row.value(key, json()), value) << key;
    EXPECT_TRUE(isClientDateTime(row["InTime"])) << row["InTime"];

    const auto storedLists = [&] { // each list's ids in the order stored
        json lists;
        for (const auto &list : dbRows(demo.dbPath,
                                       "SELECT ListName, group_concat(Doc_id) AS ids FROM "
                                       "SecurityIOLogDocIds WHERE SecIOLog_id = ?1 GROUP BY 1",
                                       {firstNewLog}))
            lists[list["ListName"].get<std::string>()] = list["ids"];
        return lists;
    };
    EXPECT_EQ(storedLists(), json::parse(R"({"INDC_ids":"12,15","OUTDC_ids":"7",
        "DC_Detids":"101,102,103","INGodTrn_ids":"5","INHB_ids":"3,4","OUTHB_ids":"9"})"));
    // A later save adds its new documents; one already listed stays listed once. The key
    // without the client's blank is not the hand-bill list.
    const json update =
        patched(headerWith(R"({"INDC_ids":"15,20","INHB_ids ":null,"INHB_ids":"8"})"),
                {{"SecIOLog_id", newLogId()}});
    ASSERT_EQ(save(update, json::array()), answer("ID", newLogId()));
    EXPECT_EQ(storedLists()["INDC_ids"], "12,15,20");
    EXPECT_EQ(storedLists()["INHB_ids"], "3,4");
}

// A returning person is known by mobile and name: her row is refreshed, her photo kept when
// none is sent. Someone else with her phone is another person; a log saved as OUT is closed.
TEST_F(SaveLog, APersonIsKnownByMobileAndNameAndMayLeaveAtOnce) {
    const json kavitha = headerWith(R"({"IOPerson":"kavitha ramesh ","IOMobile":"+91 98430 56789",
        "IOAdd1":"New Address","IOImgPath":""})");
    ASSERT_EQ(save(kavitha, json::array()), answer("ID", newLogId()));
    const json found = demo.logs("MobileIOS", "98430 56789");
    ASSERT_EQ(found.size(), 1u) << found;
    EXPECT_EQ(found[0]["IOAdd1"], "New Address");
    EXPECT_EQ(found[0]["IOImgPath"], "~/Security/PersonsImages/person_2.png");
    const json ramesh = patched(kavitha, {{"IOPerson", "Ramesh K"}, {"IOMode", "O"}});
    ASSERT_EQ(save(ramesh, json::array({itemLine("OutQty", "5.00", "Cones")})),
              answer("ID", newLogId(1)));
    EXPECT_EQ(column(demo.logs("MobileIOS", "98430 56789"), "IOPerson"),
              (Ids{"Ramesh K", "kavitha ramesh "}));
    EXPECT_TRUE(isClientDateTime(demo.reportRow(newLogId(1))["OutTime"]));
    EXPECT_EQ(demo.reportRow(newLogId(1))["IsUpdateable"], "No");
}

TEST_F(SaveLog, AnUpdateKeepsSavedLinesAddsNewOnesAndMayLetThePersonOut) {
    // Log 31: Anand Krishnan, open in Weaving, one saved IN line (7).
    const std::string vehicle = demo.reportRow("31")["IOVehicle"];
    json resent = itemLine("Quantity", "48.00", "Spindle Bearings", "SR-7781");
    resent["SecIOLogDet_id"] = lines("31")[0]["SecIOLogDet_id"];
    // No vehicle chosen: the stored one stays.
    const json header = headerWith(R"({"SecIOLog_id":"31","Division_id":"2","Device_id":"2",
        "IOPerson":"Anand Krishnan","IOMobile":"+91 94432 11223","Meet_To":"Venkatesh Rao",
        "IOVehicle":null})");
    ASSERT_EQ(save(header, {resent, itemLine("OutQty", "48.00", "Old Bearings", "GP-77")}),
              answer("ID", "31"));

    const json stored = lines("31");
    EXPECT_EQ(column(stored, "SecIOLogDet_id"), (Ids{"7", newLineId()}));
    EXPECT_EQ(column(stored, "Particulars"), (Ids{"Spindle Bearings", "Old Bearings"}));
    EXPECT_EQ(demo.reportRow("31")["Meet_To"], "Venkatesh Rao");
    EXPECT_EQ(demo.reportRow("31")["IOVehicle"], vehicle);
    EXPECT_EQ(demo.logs("MobileIOS", "Anand").size(), 1u) << "no second Anand Krishnan";

    ASSERT_EQ(save(patched(header, {{"IOMode", "O"}}), json::array()), answer("ID", "31"));
    EXPECT_TRUE(isClientDateTime(demo.reportRow("31")["OutTime"]));
    EXPECT_EQ(column(demo.logs("NotOut", "2"), "SecIOLog_id"), (Ids{"33", "26"}));
    EXPECT_EQ(save(header, json::array()), answer("Error", "Security Log 31 is already OUT"));
}

// A refused save answers why and leaves every table as it was, though the person and the
// header are written by the time a line is refused.
TEST_F(SaveLog, ARefusedSaveAnswersWhyAndStoresNothing) {
    const auto log = [](const char *patch) { return json::array({headerWith(patch)}).dump(); };
    const auto line = [](const json &id) { // null: a new line
        return json::array({patched(itemLine("Quantity", "2", "Cones"), {{"SecIOLogDet_id", id}})})
            .dump();
    };
    const std::string notLine = " is not a line of this Security Log", good = line(nullptr);
    // Log 31 is open and editable; line 8 belongs to log 34.
    const char *log31 = R"({"SecIOLog_id":"31","Division_id":"2","Device_id":"2"})";
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"{bad", good, "SecurityIOLog must be a JSON array holding one row"},
        {log("{}"), line("1"), "SecurityIODetails row 1: SecIOLogDet_id 1" + notLine},
        {log(log31), line("8"), "SecurityIODetails row 1: SecIOLogDet_id 8" + notLine},
        {log(R"({"CreatedBy":"4"})"), good, "User 4 may not save in branch 'HLV01'"},
    };
    for (const auto &[header, details, error] : cases) {
        const json before = snapshot(demo.dbPath);
        EXPECT_EQ(demo.save(kSavePath, header, details), answer("Error", error));
        EXPECT_EQ(snapshot(demo.dbPath), before) << error;
    }
}

struct KeyedSave {
    int status = 0;
    json body;
    bool replayed = false;
};

KeyedSave keyedSave(const StandInServer &server, const std::string &key, const json &header) {
    httplib::Headers headers;
    if (!key.empty())
        headers.emplace("Idempotency-Key", key);
    const auto res = httplib::Client("127.0.0.1", server.port())
                         .Post(kSavePath, headers,
                               httplib::Params{{"SecurityIOLog", json::array({header}).dump()},
                                               {"SecurityIODetails", ""}});
    if (!res)
        return {};
    return {res->status, json::parse(res->body, nullptr, false),
            res->get_header_value("Idempotent-Replayed") == "true"};
}

std::int64_t logsOf(const DemoServer &demo, const std::string &person) {
    return dbRows(demo.dbPath,
                  "SELECT COUNT(*) AS n FROM SecurityIOLog l JOIN Person p USING (Person_id) "
                  "WHERE p.IOPerson = ?1",
                  {person})[0]["n"];
}

TEST_F(SaveLog, ASaveSentAgainUnderItsKeyIsAppliedOnceAndAnsweredAlike) {
    const json header = headerWith(R"({"IOPerson":"Keyed Once"})");
    const KeyedSave first = keyedSave(demo.server, "form-1.aa", header);
    ASSERT_EQ(first.status, 200);
    ASSERT_TRUE(first.body[0].contains("ID")) << first.body;
    EXPECT_FALSE(first.replayed);
    const KeyedSave again = keyedSave(demo.server, "form-1.aa", header);
    EXPECT_EQ(again.body, first.body);
    EXPECT_TRUE(again.replayed);
    EXPECT_EQ(logsOf(demo, "Keyed Once"), 1);
    // Another key, or none, is another save.
    EXPECT_NE(keyedSave(demo.server, "form-1.bb", header).body, first.body);
    keyedSave(demo.server, "", header);
    keyedSave(demo.server, "", header);
    EXPECT_EQ(logsOf(demo, "Keyed Once"), 4);
    // A refusal is not remembered; an overlong key is refused.
    const KeyedSave refused =
        keyedSave(demo.server, "form-2.aa", headerWith(R"({"Division_id":""})"));
    ASSERT_TRUE(refused.body[0].contains("Error")) << refused.body;
    const KeyedSave mended = keyedSave(demo.server, "form-2.aa", header);
    EXPECT_FALSE(mended.replayed);
    EXPECT_TRUE(mended.body[0].contains("ID")) << mended.body;
    EXPECT_EQ(keyedSave(demo.server, std::string(201, 'k'), header).status, 400);
}

TEST(SaveKeys, KeysOutliveARestart) {
    TempDir dir;
    const json header = headerWith(R"({"IOPerson":"Restarted"})");
    ServerOptions options = demoOptions(dir.path / "db.sqlite");
    const KeyedSave first = keyedSave(StandInServer{options}, "form-3.aa", header);
    ASSERT_TRUE(first.body[0].contains("ID")) << first.body;
    options.demo = false;
    EXPECT_EQ(keyedSave(StandInServer{options}, "form-3.aa", header).body, first.body);
}

} // namespace
} // namespace seclog::server::testing
