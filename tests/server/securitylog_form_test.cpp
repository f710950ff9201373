// The log form's side of the server: its pickers, the load of a log's item lines, the
// whole-log save and the image upload.

#include "database.h"
#include "demo_server.h"
#include "file_store.h"
#include "log_form.h"

#include <map>
#include <regex>

namespace seclog::server::testing {
namespace {

// The stored id lists of a log, each joined with "," in the order stored.
std::map<std::string, std::string> storedIdLists(const std::filesystem::path &dbPath,
                                                 std::int64_t logId) {
    Database db(dbPath.string(), true);
    std::map<std::string, std::string> lists;
    for (const auto &row : db.query("SELECT ListName, Doc_id FROM SecurityIOLogDocIds "
                                    "WHERE SecIOLog_id = ?1 ORDER BY rowid",
                                    {logId})) {
        std::string &list = lists[row["ListName"].get<std::string>()];
        list += (list.empty() ? "" : ",") + std::to_string(row["Doc_id"].get<std::int64_t>());
    }
    return lists;
}

// A save's answer: [{"ID": id}] or [{"Error": text}].
json answer(const char *key, const std::string &value) {
    return json::array({{{key, value}}});
}

// --- Pickers and the load of a log's lines -------------------------------------------------

using FormLists = SharedDemo<>;

// Each selector's first demo row, exactly: its columns are what the client reads.
TEST_F(FormLists, EachSelectorAnswersItsColumnsAsText) {
    const std::vector<std::pair<const char *, const char *>> cases = {
        {R"({"SearchBy":"SecIOLogDetail","SearchText":"4","BranchCode":"HLV01"})",
         R"({"SecIOLogDet_id":"1","PartyName":"Sri Murugan Yarns","City":"Tiruppur",
            "Party_id":"","DocNo":"DC-2041","Particulars":"Cotton Yarn 40s","Quantity":"120.00",
            "OutQty":"","DocPath":"~/Security/SecLogDetails_Bill/bill_1.png","DC_id":"0"})"},
        {R"({"SearchBy":"Meet_To","SearchText":"Anitha"})",
         R"({"Department":"Quality","EmpCode":"HT1009","EmpName":"Anitha Joseph",
            "Employee_id":"9","ImagePath":"~/Security/PersonsImages/emp_5.png"})"},
        {R"({"SearchBy":"EntryType"})", R"({"IOType":"Visitor","IOType_id":"1"})"},
        {R"({"SearchBy":"Purpose","SearchText":"deliv"})",
         R"({"Purpose":"Dye delivery","Purpose_id":"6"})"},
        {R"({"SearchBy":"Sec_Designation","SearchText":"driver"})",
         R"({"Designation":"Lorry Driver","Designation_id":"3"})"},
    };
    // A document's date is the day of the log's InTime, at midnight.
    const std::string logDay = reportRow(*demo, "4").value("InTime", "").substr(0, 11);
    for (const auto &[data, row] : cases) {
        json first = json::parse(row);
        if (first.contains("SecIOLogDet_id"))
            first["DocDate"] = logDay + " 00:00:00";
        const json reply = demo->postSp(kLogProcedure, json::parse(data));
        ASSERT_TRUE(reply.is_array() && !reply.empty()) << data << " -> " << reply;
        EXPECT_EQ(reply[0], first) << data;
        for (const auto &item : reply)
            EXPECT_EQ(keysOf(item), keysOf(first)) << item;
        // The photo or bill a row names is there to load.
        const std::string image = first.value("ImagePath", first.value("DocPath", "~"));
        const auto served = demo->client().Get("/files" + image.substr(1));
        EXPECT_TRUE(image == "~" || (served && served->body.starts_with("\x89PNG"))) << image;
    }
}

// Which rows each search finds and in which order; "error": refused with 400.
TEST_F(FormLists, SearchesMatchTextAsDataAndRefuseUnknownSelectors) {
    const std::string unknown = "unknown SearchBy '", procedure = kLogProcedure;
    const auto text = [](const char *by, const json &search) {
        return json{{"SearchBy", by}, {"SearchText", search}};
    };
    const std::vector<std::tuple<json, const char *, Ids>> cases = {
        // IN lines first, each document's lines together.
        {detailQuery("34"),
         "Particulars",
         {"Cotton Bales", "Polyester Staple", "Empty Bale Wraps", "Pallets"}},
        {detailQuery("34 OR 1=1"), "DocNo", {}},
        // Vehicles by the person's mobile, the latest first.
        {text("VehicleIOS", "9003890123"), "IOVehicle", {"TN 38 AB 1234", "KA 01 MN 2468"}},
        // Employees by name, code or department, in name order.
        {text("Meet_To", "Priya"), "EmpName", {"Priya Menon", "Priya Nair"}},
        {text("Meet_To", "%"), "EmpName", {}},
        {{{"SearchBy", "Nope"}}, "error", {unknown + "Nope' for " + procedure}},
        {text("Meet_To", json{{"a", 1}}), "error", {"parameter SearchText must be text"}},
    };
    for (const auto &[data, key, values] : cases) {
        const auto reply = demo->client().Post("/sp", spBody(procedure, data), "application/json");
        if (key == std::string("error"))
            EXPECT_EQ(jsonOf(reply, 400), json({{key, values.at(0)}})) << data;
        else
            EXPECT_EQ(column(jsonOf(reply), key), values) << data;
    }
}

// --- The whole-log save --------------------------------------------------------------------

struct Refusal {
    std::string name;
    json headerPatch; // text: the whole SecurityIOLog instead
    std::string details;
    std::string error;
};

std::string oneLine(const json &patch) {
    return json::array({patched(itemLine("Quantity", "2.00", "Yarn Cones"), patch)}).dump();
}

std::vector<Refusal> refusals() {
    const std::string good = oneLine({}), row1 = "SecurityIODetails row 1: ";
    const std::string oneRow = "SecurityIOLog must be a JSON array holding one row";
    const std::string noList = "' is not a list of ids joined by ','";
    const std::string notNumber = "' is not a number", notDate = "' is not a yyyy-MM-dd date";
    const std::string notLine = " is not a line of this Security Log";
    const std::string badSecond =
        json::array({itemLine("Quantity", "2.00", "Yarn"), itemLine("Quantity", "3x", "Dye")})
            .dump();
    const std::string negative = oneLine({{"Quantity", nullptr}, {"OutQty", "-1"}});
    const std::string dateShown = oneLine({{"DocDate", "01/03/2024"}});
    // Log 31 is open and editable; line 8 belongs to log 34. Its header change rolls back.
    const json log31 = {{"SecIOLog_id", "31"}, {"Division_id", "2"}, {"Device_id", "2"}};
    const json log4 = {{"SecIOLog_id", "4"}, {"Division_id", "2"}, {"Device_id", "2"}};
    const json log25 = {{"SecIOLog_id", "25"}}, letters = {{"IOMobile", "98abc"}};
    const std::string both = oneLine({{"OutQty", "1"}}), saved = oneLine({{"SecIOLogDet_id", "1"}});
    const std::string other = oneLine({{"SecIOLogDet_id", "8"}});
    return {
        {"LogNotJson", "{bad", good, oneRow},
        {"DetailsNotJson", {}, "{bad", "SecurityIODetails must be a JSON array of rows"},
        {"DetailNotObject", {}, "[1]", row1 + "not a JSON object"},
        {"SecondLineBad", {}, badSecond, "SecurityIODetails row 2: Quantity '3x" + notNumber},
        {"NegativeQuantity", {}, negative, row1 + "OutQty '-1" + notNumber},
        {"BothQuantities", {}, both, row1 + "needs either Quantity or OutQty"},
        {"DateAsShown", {}, dateShown, row1 + "DocDate '01/03/2024" + notDate},
        // The person and the header are written by then: all roll back.
        {"SavedLineOnANewLog", {}, saved, row1 + "SecIOLogDet_id 1" + notLine},
        {"LineOfAnotherLog", log31, other, row1 + "SecIOLogDet_id 8" + notLine},
        {"LogIdNotANumber", {{"SecIOLog_id", "abc"}}, good, "SecIOLog_id 'abc' is not a log id"},
        {"UnknownLog", {{"SecIOLog_id", "9999"}}, good, "Security Log 9999 not found"},
        {"ClosedLog", log4, good, "Security Log 4 is already OUT"},
        {"PastUpdateTime", log25, good, "Security Log 25 is past its update time"},
        {"ModeUnknown", {{"IOMode", "X"}}, good, "IOMode must be I or O, not 'X'"},
        {"MobileWithLetters", letters, good, "IOMobile '98abc' is not a mobile number"},
        {"NoMeetTo", {{"Meet_To", ""}}, good, "Meet_To is missing"},
        {"UnknownEntryType", {{"IOType_id", "99"}}, good, "Entry Type 99 is unknown"},
        {"DeviceOfAnotherDivision", {{"Division_id", "2"}}, good, "Device 1 is not in division 2"},
        {"InactiveUser", {{"CreatedBy", "4"}}, good, "User 4 may not save in branch 'HLV01'"},
        {"DcListWithLeadingComma", {{"INDC_ids", ",12"}}, good, "INDC_ids ',12" + noList},
    };
}

using SaveRefusal = SharedDemo<::testing::TestWithParam<Refusal>>;

TEST_P(SaveRefusal, AnswersErrorAndStoresNothing) {
    const Refusal &c = GetParam();
    const json before = snapshot(demo->dbPath);
    const std::string log = c.headerPatch.is_string()
                                ? c.headerPatch.get<std::string>()
                                : json::array({patched(newLogHeader(), c.headerPatch)}).dump();
    EXPECT_EQ(demo->save(kSavePath, log, c.details), answer("Error", c.error));
    EXPECT_EQ(snapshot(demo->dbPath), before);
}

INSTANTIATE_TEST_SUITE_P(Saves, SaveRefusal, ::testing::ValuesIn(refusals()),
                         [](const auto &info) { return info.param.name; });

class SaveLog : public ::testing::Test {
protected:
    json save(const json &header, const json &details) {
        return demo.save(kSavePath, json::array({header}).dump(),
                         details.empty() ? "" : details.dump());
    }
    json lines(const std::string &logId) { return demo.postSp(kLogProcedure, detailQuery(logId)); }
    json logRow(const std::string &logId) { return reportRow(demo, logId); }
    // The demo's history follows its recent logs, so saves here get the ids after it.
    std::int64_t nextId(const char *table, const char *key) {
        Database db(demo.dbPath.string(), true);
        return db.query(std::string("SELECT MAX(") + key + ") + 1 AS id FROM " + table)[0]["id"];
    }
    std::string newLogId(int after = 0) { return std::to_string(firstNewLog + after); }
    std::string newLineId(int after = 0) { return std::to_string(firstNewLine + after); }
    DemoServer demo;
    const std::int64_t firstNewLog = nextId("SecurityIOLog", "SecIOLog_id");
    const std::int64_t firstNewLine = nextId("SecurityIODetails", "SecIODet_id");
};

TEST_F(SaveLog, ANewLogStoresItsHeaderAndLinesOfBothSections) {
    const json details = {itemLine("Quantity", "2.00", "Yarn Cones"),
                          itemLine("Quantity", "1.50", "Dye Drums"),
                          itemLine("OutQty", "3.00", "Empty Drums", "GP-9")};
    ASSERT_EQ(save(newLogHeader(), details), answer("ID", newLogId()));

    const json stored = lines(newLogId());
    EXPECT_EQ(column(stored, "SecIOLogDet_id"), (Ids{newLineId(), newLineId(1), newLineId(2)}));
    EXPECT_EQ(column(stored, "Particulars"), (Ids{"Yarn Cones", "Dye Drums", "Empty Drums"}));
    EXPECT_EQ(column(stored, "Quantity"), (Ids{"2.00", "1.50", ""}));
    EXPECT_EQ(column(stored, "OutQty"), (Ids{"", "", "3.00"}));
    EXPECT_EQ(column(stored, "DocDate"), Ids(3, "01 Mar 2024 00:00:00"));

    const json row = logRow(newLogId());
    const json expected = json::parse(R"({"IOPerson":"Vijay Anand","IOMobile":"+91 90000 11111",
        "IOAdd1":"7 Park Road, Tiruppur","IODesignation":"Sales Executive","PersonType":"Visitor",
        "IOImgPath":"~/Security/PersonsImages/1","Meet_To":"Priya Menon","Purpose":"Meeting",
        "TokenNo":"42","IOVehicle":"TN 38 ZZ 0001","IOType":"Visitor","IOType_id":"1",
        "FPDeviceName":"Main Gate","DivisionName":"Spinning","LogedBy":"Ravi Kumar",
        "OutTime":"","IsUpdateable":"Yes"})");
    for (const auto &[key, value] : expected.items())
        EXPECT_EQ(row.value(key, json()), value) << key;
    EXPECT_TRUE(isClientDateTime(row["InTime"])) << row["InTime"];
    EXPECT_EQ(column(demo.logs("NotOut", "1"), "SecIOLog_id").front(), newLogId());
}

TEST_F(SaveLog, APersonIsKnownByMobileAndNameAndMayLeaveAtOnce) {
    // Kavitha Ramesh comes again: her row is refreshed, her photo kept when none is sent.
    const json kavitha = headerWith(R"({"IOPerson":"kavitha ramesh ","IOMobile":"+91 98430 56789",
        "IOAdd1":"New Address","IOImgPath":""})");
    ASSERT_EQ(save(kavitha, json::array()), answer("ID", newLogId()));
    const json found = demo.logs("MobileIOS", "98430 56789");
    ASSERT_EQ(found.size(), 1u) << found;
    EXPECT_EQ(found[0]["SecIOLog_id"], newLogId());
    EXPECT_EQ(found[0]["IOAdd1"], "New Address");
    EXPECT_EQ(found[0]["IOImgPath"], "~/Security/PersonsImages/person_2.png");
    // Someone else with her phone is another person; a new log saved as OUT is closed at once.
    const json ramesh = patched(kavitha, {{"IOPerson", "Ramesh K"}, {"IOMode", "O"}});
    ASSERT_EQ(save(ramesh, json::array({itemLine("OutQty", "5.00", "Cones")})),
              answer("ID", newLogId(1)));
    EXPECT_EQ(column(demo.logs("MobileIOS", "98430 56789"), "IOPerson"),
              (Ids{"Ramesh K", "kavitha ramesh "}));
    EXPECT_TRUE(isClientDateTime(logRow(newLogId(1))["OutTime"])) << logRow(newLogId(1));
    EXPECT_EQ(logRow(newLogId(1))["IsUpdateable"], "No");
    EXPECT_EQ(column(demo.logs("NotOut", "1"), "SecIOLog_id")[0], newLogId());
}

TEST_F(SaveLog, AnUpdateKeepsSavedLinesAddsNewOnesAndMayLetThePersonOut) {
    // Log 31: Anand Krishnan, open in Weaving, one saved IN line (7).
    const std::string vehicle = logRow("31")["IOVehicle"];
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
    const json row = logRow("31");
    EXPECT_EQ(row["Meet_To"], "Venkatesh Rao");
    EXPECT_EQ(row["IOVehicle"], vehicle);
    EXPECT_EQ(row["OutTime"], "");
    EXPECT_EQ(demo.logs("MobileIOS", "Anand").size(), 1u) << "no second Anand Krishnan";

    ASSERT_EQ(save(patched(header, {{"IOMode", "O"}}), json::array()), answer("ID", "31"));
    EXPECT_TRUE(isClientDateTime(logRow("31")["OutTime"]));
    EXPECT_EQ(logRow("31")["IsUpdateable"], "No");
    EXPECT_EQ(column(demo.logs("NotOut", "2"), "SecIOLog_id"), (Ids{"33", "26"}));
    EXPECT_EQ(save(header, json::array()), answer("Error", "Security Log 31 is already OUT"));
}

TEST_F(SaveLog, IdListsAreKeptAsSent) {
    const json header = headerWith(R"({"INDC_ids":"12,15","OUTDC_ids":"7",
        "DC_Detids":"101,102,103","INGodTrn_ids":"5","INHB_ids ":"3,4","OUTHB_ids":"9"})");
    ASSERT_EQ(save(header, json::array()), answer("ID", newLogId()));
    EXPECT_EQ(json(storedIdLists(demo.dbPath, firstNewLog)),
              json::parse(R"({"INDC_ids":"12,15","OUTDC_ids":"7","DC_Detids":"101,102,103",
                  "INGodTrn_ids":"5","INHB_ids":"3,4","OUTHB_ids":"9"})"));
    // A later save adds its new documents; one already listed stays listed once. The key
    // without the client's blank is not the hand-bill list.
    const json update =
        patched(headerWith(R"({"INDC_ids":"15,20","INHB_ids ":null,"INHB_ids":"8"})"),
                {{"SecIOLog_id", newLogId()}});
    ASSERT_EQ(save(update, json::array()), answer("ID", newLogId()));
    EXPECT_EQ(storedIdLists(demo.dbPath, firstNewLog)["INDC_ids"], "12,15,20");
    EXPECT_EQ(storedIdLists(demo.dbPath, firstNewLog)["INHB_ids"], "3,4");
}

TEST_F(SaveLog, MarkOutRefusesAWholeLog) {
    EXPECT_EQ(
        demo.save("/SaveSecurityIOLog", json::array({newLogHeader()}).dump(), oneLine({})),
        json::array({{{"ErrorMsg",
                       "Whole Security Logs are saved through /SaveSecurityIOLog_NoImageData"}}}));
}

// --- Uploads -------------------------------------------------------------------------------

constexpr const char *kPersons = "Security/PersonsImages/";
constexpr const char *kBills = "Security/SecLogDetails_Bill/";

struct UploadCase {
    std::string name;
    std::string folder;
    Ids files; // client names, in upload order
    // Per file, the stored name's start before the random suffix; empty: refused with 400
    // and nothing written.
    Ids stored;
    bool oneUploadEach = false;
};

std::vector<UploadCase> uploadCases() {
    return {
        {"PersonPhoto", kPersons, {"1"}, {"1_"}},
        {"BillsInUploadOrder", kBills, {"2", "0", "1"}, {"2_", "0_", "1_"}},
        // Every new person's photo is "1" and every log's first bill "0": no upload may
        // replace one stored before.
        {"SameNameInLaterUploads", kPersons, {"1", "1", "1"}, {"1_", "1_", "1_"}, true},
        // What would break the path as a URL (escapes, '?', '#', non-ASCII) becomes '_'.
        {"AwkwardNameStaysAUrl", kBills, {"Zo\xc3\xab %22bill%22?#x"}, {"Zo_22bill_22_x_"}},
        {"NameClimbsUp", kPersons, {"../../escape.jpg"}, {}},
        {"NameTooLong", kPersons, {std::string(201, 'a')}, {}},
        {"OneBadNameStoresNone", kBills, {"kept.jpg", "../escape.jpg"}, {}},
    };
}

// A reply path "~/<folder><name>" loaded as the client does: /files in place of "~".
void expectServed(DemoServer &demo, const std::string &path, const std::string &bytes) {
    const auto image = demo.client().Get("/files" + path.substr(1));
    ASSERT_TRUE(image && image->status == 200) << path;
    EXPECT_EQ(image->body, bytes) << path;
    EXPECT_EQ(image->get_header_value("Content-Type"), "image/jpeg") << path;
}

using Upload = SharedDemo<::testing::TestWithParam<UploadCase>>;

TEST_P(Upload, StoresUnderNamesOfItsOwnOrRefuses) {
    const UploadCase &c = GetParam();
    const auto bytes = [](size_t i) { return std::string("\xff\xd8\0", 3) + std::to_string(i); };
    const auto before = filesUnder(demo->dir.path);
    json paths = json::array();
    httplib::MultipartFormDataItems items = {{"folder", c.folder, "", ""}};
    for (size_t i = 0; i < c.files.size(); ++i) {
        items.push_back({"file", bytes(i), c.files[i], "image/jpeg"});
        if (c.oneUploadEach || i + 1 == c.files.size()) {
            const auto reply = demo->client().Post("/upload", items);
            if (c.stored.empty()) {
                EXPECT_TRUE(jsonOf(reply, 400).contains("error"));
                EXPECT_EQ(filesUnder(demo->dir.path), before);
                EXPECT_FALSE(std::filesystem::exists("/tmp/escape.jpg"));
                return;
            }
            for (const json &path : jsonOf(reply))
                paths.push_back(path);
            items.resize(1);
        }
    }
    ASSERT_EQ(paths.size(), c.files.size()) << paths;
    const std::string folder = "~/" + c.folder + (c.folder.ends_with('/') ? "" : "/");
    // Checked after the last upload, so a later file of the same name may not replace one.
    for (size_t i = 0; i < c.files.size(); ++i) {
        const std::string path = paths[i].get<std::string>();
        const std::string start =
            std::regex_replace(folder + c.stored[i], std::regex("[.]"), "\\.");
        EXPECT_TRUE(std::regex_match(path, std::regex(start + "[0-9a-f]{16}\\.jpg"))) << path;
        expectServed(*demo, path, bytes(i));
    }
}

INSTANTIATE_TEST_SUITE_P(Files, Upload, ::testing::ValuesIn(uploadCases()),
                         [](const auto &info) { return info.param.name; });

TEST(StoredUploadName, KeepsTheClientsNameAsAPlainUrl) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"1", "image/jpeg", "1_s.jpg"},
        {"0", " IMAGE/PNG ;x=y", "0_s.png"},
        {"0", "image/jpg", "0_s"},
    };
    for (const auto &[client, type, stored] : cases)
        EXPECT_EQ(storedUploadName(client, "s", type), stored) << client << " " << type;
}

} // namespace
} // namespace seclog::server::testing
