// The log form's side of the server: its pickers, the load of a log's item lines, the
// whole-log save and the image upload.

#include "database.h"
#include "demo_server.h"
#include "file_store.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <regex>
#include <set>

namespace seclog::server::testing {
namespace {

constexpr const char *kLogProcedure = "USP_GetSecurityLogBySearchText";
constexpr const char *kSavePath = "/SaveSecurityIOLog_NoImageData";
constexpr const char *kBill = "~/Security/SecLogDetails_Bill/";

Ids sorted(Ids keys) {
    std::sort(keys.begin(), keys.end());
    return keys;
}

const Ids kDetailKeys =
    sorted({"SecIOLogDet_id", "PartyName", "City", "Party_id", "DocNo", "DocDate", "Particulars",
            "Quantity", "OutQty", "DocPath", "DC_id"});
const Ids kEmployeeKeys = sorted({"Employee_id", "EmpName", "EmpCode", "Department", "ImagePath"});

// Every row of every table a save writes to, to prove a refused save left nothing behind.
json snapshot(const std::filesystem::path &dbPath) {
    Database db(dbPath.string(), true);
    json tables;
    for (const char *table :
         {"SecurityIOLog", "Person", "SecurityIODetails", "SecurityIOLogDocIds"})
        tables[table] = db.query(std::string("SELECT * FROM ") + table + " ORDER BY rowid");
    return tables;
}

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

// A valid header of a new log at Gate-1, as the form sends it.
json newLogHeader() {
    return {{"SecIOLog_id", "0"},
            {"BranchCode", "HLV01"},
            {"Division_id", "1"},
            {"Device_id", "1"},
            {"IOType_id", "1"},
            {"IOPerson", "Vijay Anand"},
            {"IODesignation", "Sales Executive"},
            {"IOMobile", "+91 90000 11111"},
            {"IOAdd1", "7 Park Road, Tiruppur"},
            {"Meet_To", "Priya Menon"},
            {"TokenNo", "42"},
            {"Purpose", "Meeting"},
            {"IOImgPath", "~/Security/PersonsImages/1"},
            {"CreatedBy", "1"},
            {"IOMode", "I"},
            {"ImageData", ""},
            {"IOLog_ids", ""},
            {"INDC_ids", ""},
            {"OUTDC_ids", ""},
            {"DC_Detids", ""},
            {"INGodTrn_ids", ""},
            {"OUTGodTrn_ids", ""},
            {"INHB_ids ", ""},
            {"OUTHB_ids", ""},
            {"IOVehicle", "TN 38 ZZ 0001"}};
}

// One item line; quantityKey is "Quantity" (IN) or "OutQty" (OUT).
json itemLine(const char *quantityKey, const char *quantity, const char *particulars,
              const char *docNo = "BL-1") {
    return {{"Party_id", ""},          {"PartyName", "Vijay Traders"},
            {"City", "Tiruppur"},      {"DocNo", docNo},
            {"DocDate", "2024-03-01"}, {"Particulars", particulars},
            {quantityKey, quantity},   {"DocPath", std::string(kBill) + "0"},
            {"DetailImageData", ""}};
}

// Sets the given keys; a null value removes the key.
json patched(json row, const json &patch) {
    for (const auto &[key, value] : patch.items()) {
        if (value.is_null())
            row.erase(key);
        else
            row[key] = value;
    }
    return row;
}

std::string asLog(const json &header) {
    return json::array({header}).dump();
}

json errorReply(const std::string &text) {
    return json::array({{{"Error", text}}});
}

// The log as the list shows it; the report search also matches the id inside other fields.
json reportRow(DemoServer &demo, const std::string &logId) {
    for (const auto &row : demo.logs("SecIOS_ReportFilterSearch", logId))
        if (row["SecIOLog_id"] == logId)
            return row;
    return json::object();
}

// --- Pickers and the load of a log's lines -------------------------------------------------

struct ListCase {
    std::string name;
    json data; // JSONData besides SearchBy
    std::string searchBy;
    Ids keys; // every row has exactly these
    const char *column;
    Ids values;
};

std::vector<ListCase> listCases() {
    const Ids vehicle = {"IOVehicle"}, type = {"IOType", "IOType_id"};
    const Ids purpose = {"Purpose", "Purpose_id"}, designation = {"Designation", "Designation_id"};
    const auto detail = [](const char *id, const char *branch = "HLV01") {
        return json{{"SearchText", id}, {"BranchCode", branch}};
    };
    const auto text = [](const char *search) { return json{{"SearchText", search}}; };
    return {
        // IN lines first, each document's lines together.
        {"LinesOfAnOpenLog",
         detail("34"),
         "SecIOLogDetail",
         kDetailKeys,
         "Particulars",
         {"Cotton Bales", "Polyester Staple", "Empty Bale Wraps", "Pallets"}},
        {"InLinesHoldQuantity",
         detail("34"),
         "SecIOLogDetail",
         kDetailKeys,
         "Quantity",
         {"25.00", "10.00", "", ""}},
        {"OutLinesHoldOutQty",
         detail("34"),
         "SecIOLogDetail",
         kDetailKeys,
         "OutQty",
         {"", "", "25.00", "4.00"}},
        {"LinesOfAClosedLog",
         detail("4"),
         "SecIOLogDetail",
         kDetailKeys,
         "DocNo",
         {"DC-2041", "DC-2041", "GP-0117"}},
        {"BillImages",
         detail("10"),
         "SecIOLogDetail",
         kDetailKeys,
         "DocPath",
         {std::string(kBill) + "bill_3.png", std::string(kBill) + "bill_4.png",
          std::string(kBill) + "bill_4.png"}},
        {"LogIdAsNumber",
         {{"SearchText", 31}, {"BranchCode", "HLV01"}},
         "SecIOLogDetail",
         kDetailKeys,
         "SecIOLogDet_id",
         {"7"}},
        {"LogOfAnotherBranch", detail("34", "XX"), "SecIOLogDetail", kDetailKeys, "DocNo", {}},
        {"LogWithoutDocuments", detail("36"), "SecIOLogDetail", kDetailKeys, "DocNo", {}},
        {"LogIdWithSql", detail("34 OR 1=1"), "SecIOLogDetail", kDetailKeys, "DocNo", {}},
        // Vehicles by the person's mobile, the latest first.
        {"VehiclesOfAMobile",
         text("9003890123"),
         "VehicleIOS",
         vehicle,
         "IOVehicle",
         {"TN 38 AB 1234", "KA 01 MN 2468"}},
        {"MobileAsStored",
         text("+91 98430 56789"),
         "VehicleIOS",
         vehicle,
         "IOVehicle",
         {"TN 38 AB 1234"}},
        {"MobileWithHyphens",
         text("+91-98430-56789"),
         "VehicleIOS",
         vehicle,
         "IOVehicle",
         {"TN 38 AB 1234"}},
        {"PartOfAMobile", text("9003"), "VehicleIOS", vehicle, "IOVehicle", {}},
        {"MobileNeverSeen", text("+91 99940 90123"), "VehicleIOS", vehicle, "IOVehicle", {}},
        {"NoMobile", text(""), "VehicleIOS", vehicle, "IOVehicle", {}},
        // Employees to meet, by name.
        {"EveryEmployee",
         text(""),
         "Meet_To",
         kEmployeeKeys,
         "EmpName",
         {"Anitha Joseph", "Mani Raj", "Priya Menon", "Priya Nair", "Ramesh Iyer", "Ravi Kumar",
          "Suresh Babu", "Suresh Natarajan", "Venkatesh Rao"}},
        {"EmployeesOfADepartment",
         text("Quality"),
         "Meet_To",
         kEmployeeKeys,
         "EmpName",
         {"Anitha Joseph"}},
        {"EmployeeByCode", text("HT1007"), "Meet_To", kEmployeeKeys, "EmpName", {"Venkatesh Rao"}},
        {"WildcardIsText", text("%"), "Meet_To", kEmployeeKeys, "EmpName", {}},
        {"EntryTypes",
         {},
         "EntryType",
         type,
         "IOType",
         {"Visitor", "Driver", "Employee", "Contractor", "Courier", "Job Worker"}},
        {"EntryTypeIds", {}, "EntryType", type, "IOType_id", {"1", "2", "3", "4", "5", "6"}},
        {"Purposes",
         text("deliv"),
         "Purpose",
         purpose,
         "Purpose",
         {"Dye delivery", "Yarn delivery"}},
        {"Designations",
         text("driver"),
         "Sec_Designation",
         designation,
         "Designation",
         {"Lorry Driver", "Truck Driver", "Van Driver"}},
    };
}

class FormLists : public ::testing::TestWithParam<ListCase> {
protected:
    static void SetUpTestSuite() { demo = std::make_unique<DemoServer>(); }
    static void TearDownTestSuite() { demo.reset(); }
    static inline std::unique_ptr<DemoServer> demo;
};

TEST_P(FormLists, AnswerTheirColumnsAsText) {
    const ListCase &c = GetParam();
    json data = c.data.is_null() ? json::object() : c.data;
    data["SearchBy"] = c.searchBy;
    const json reply = demo->postSp(kLogProcedure, data);
    ASSERT_TRUE(reply.is_array()) << reply;
    EXPECT_EQ(column(reply, c.column), c.values);
    for (const auto &row : reply) {
        EXPECT_EQ(keysOf(row), c.keys) << row;
        for (const auto &item : row.items())
            EXPECT_TRUE(item.value().is_string()) << item.key();
        if (row.contains("DocDate")) { // the document's day, at midnight
            EXPECT_TRUE(isClientDateTime(row["DocDate"]) &&
                        row["DocDate"].get<std::string>().ends_with(" 00:00:00"))
                << row["DocDate"];
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Pickers, FormLists, ::testing::ValuesIn(listCases()),
                         [](const auto &info) { return info.param.name; });

TEST(FormListRows, CarryWhatTheClientShowsAndServeTheirImages) {
    DemoServer demo;
    EXPECT_EQ(
        demo.postSp(kLogProcedure, {{"SearchBy", "Meet_To"}, {"SearchText", "Anitha"}}),
        json::parse(R"([{"Department":"Quality","EmpCode":"HT1009","EmpName":"Anitha Joseph",)"
                    R"("Employee_id":"9","ImagePath":"~/Security/PersonsImages/emp_5.png"}])"));
    const json line = demo.postSp(
        kLogProcedure,
        {{"SearchBy", "SecIOLogDetail"}, {"SearchText", "4"}, {"BranchCode", "HLV01"}})[0];
    const std::string inTime = reportRow(demo, "4").value("InTime", "");
    EXPECT_EQ(line, json({{"SecIOLogDet_id", "1"},
                          {"PartyName", "Sri Murugan Yarns"},
                          {"City", "Tiruppur"},
                          {"Party_id", ""},
                          {"DocNo", "DC-2041"},
                          {"DocDate", inTime.substr(0, 11) + " 00:00:00"},
                          {"Particulars", "Cotton Yarn 40s"},
                          {"Quantity", "120.00"},
                          {"OutQty", ""},
                          {"DocPath", std::string(kBill) + "bill_1.png"},
                          {"DC_id", "0"}}));
    // Every photo and bill the demo rows name is there to load.
    json employees = demo.postSp(kLogProcedure, {{"SearchBy", "Meet_To"}});
    for (const std::string &path : column(employees, "ImagePath")) {
        const auto image = demo.client().Get("/files/" + path.substr(2));
        ASSERT_TRUE(image && image->status == 200) << path;
        EXPECT_EQ(image->body.rfind("\x89PNG", 0), 0u) << path;
    }
    for (int bill = 1; bill <= 5; ++bill) {
        const auto image = demo.client().Get("/files/Security/SecLogDetails_Bill/bill_" +
                                             std::to_string(bill) + ".png");
        ASSERT_TRUE(image && image->status == 200) << bill;
    }
}

TEST(FormLists400, UnknownSelectorsAndBadParameters) {
    DemoServer demo;
    const std::vector<std::pair<json, std::string>> cases = {
        {{{"SearchBy", "Nope"}}, "unknown SearchBy 'Nope' for USP_GetSecurityLogBySearchText"},
        {{{"SearchBy", "secIOLogDetail"}},
         "unknown SearchBy 'secIOLogDetail' for USP_GetSecurityLogBySearchText"},
        {{{"SearchBy", "VehicleIOS "}},
         "unknown SearchBy 'VehicleIOS ' for USP_GetSecurityLogBySearchText"},
        {json::object(), "unknown SearchBy '' for USP_GetSecurityLogBySearchText"},
        {{{"SearchBy", 5}}, "unknown SearchBy '' for USP_GetSecurityLogBySearchText"},
        {{{"SearchBy", "Meet_To"}, {"SearchText", {{"a", 1}}}},
         "parameter SearchText must be text"},
        {{{"SearchBy", "SecIOLogDetail"}, {"SearchText", json::array({4})}},
         "parameter SearchText must be text"},
    };
    for (const auto &[data, error] : cases) {
        const auto reply =
            demo.client().Post("/sp", spBody(kLogProcedure, data), "application/json");
        EXPECT_EQ(jsonOf(reply, 400), json({{"error", error}})) << data;
        EXPECT_TRUE(reply->get_header_value("Content-Type").starts_with("application/json"));
    }
}

// --- The whole-log save --------------------------------------------------------------------

struct Refusal {
    std::string name;
    json headerPatch;
    std::string details;
    std::string error;
    std::optional<std::string> logText = {}; // replaces the whole SecurityIOLog text
};

std::string oneLine(const json &patch) {
    return json::array({patched(itemLine("Quantity", "2.00", "Yarn Cones"), patch)}).dump();
}

std::vector<Refusal> refusals() {
    const std::string good = oneLine({});
    const std::string badSecond =
        json::array({itemLine("Quantity", "2.00", "Yarn"), itemLine("Quantity", "3x", "Dye")})
            .dump();
    const json log31 = {{"SecIOLog_id", "31"},
                        {"Division_id", "2"},
                        {"Device_id", "2"},
                        {"Meet_To", "Someone Else"}};
    const std::string noList = "' is not a list of ids joined by ','";
    return {
        {"LogNotJson", {}, good, "SecurityIOLog must be a JSON array holding one row", "{bad"},
        {"LogEmpty", {}, good, "SecurityIOLog must be a JSON array holding one row", ""},
        {"LogTwoRows", {}, good, "SecurityIOLog must be a JSON array holding one row", "[{},{}]"},
        {"LogRowNotObject",
         {},
         good,
         "SecurityIOLog must be a JSON array holding one row",
         R"(["x"])"},
        {"DetailsNotJson", {}, "{bad", "SecurityIODetails must be a JSON array of rows"},
        {"DetailsObject", {}, "{}", "SecurityIODetails must be a JSON array of rows"},
        {"DetailNotObject", {}, "[1]", "SecurityIODetails row 1: not a JSON object"},
        {"SecondLineBad", {}, badSecond, "SecurityIODetails row 2: Quantity '3x' is not a number"},
        {"NegativeQuantity",
         {},
         oneLine({{"Quantity", nullptr}, {"OutQty", "-1"}}),
         "SecurityIODetails row 1: OutQty '-1' is not a number"},
        {"BothQuantities",
         {},
         oneLine({{"OutQty", "1"}}),
         "SecurityIODetails row 1: needs either Quantity or OutQty"},
        {"NoQuantity",
         {},
         oneLine({{"Quantity", nullptr}}),
         "SecurityIODetails row 1: needs either Quantity or OutQty"},
        {"DateAsShown",
         {},
         oneLine({{"DocDate", "01/03/2024"}}),
         "SecurityIODetails row 1: DocDate '01/03/2024' is not a yyyy-MM-dd date"},
        {"DateThatIsNot",
         {},
         oneLine({{"DocDate", "2024-02-30"}}),
         "SecurityIODetails row 1: DocDate '2024-02-30' is not a yyyy-MM-dd date"},
        {"LineValueNotText",
         {},
         oneLine({{"Particulars", {{"a", 1}}}}),
         "SecurityIODetails row 1: parameter Particulars must be text"},
        // The person, the header and the lines before are written by then: all roll back.
        {"SavedLineOnANewLog",
         {},
         oneLine({{"SecIOLogDet_id", "1"}}),
         "SecurityIODetails row 1: SecIOLogDet_id 1 is not a line of this Security Log"},
        // Log 31 is open and editable; line 8 belongs to log 34. Its header change rolls back.
        {"LineOfAnotherLog", log31, oneLine({{"SecIOLogDet_id", "8"}}),
         "SecurityIODetails row 1: SecIOLogDet_id 8 is not a line of this Security Log"},
        {"LogIdNotANumber", {{"SecIOLog_id", "abc"}}, good, "SecIOLog_id 'abc' is not a log id"},
        {"UnknownLog", {{"SecIOLog_id", "9999"}}, good, "Security Log 9999 not found"},
        {"ClosedLog",
         {{"SecIOLog_id", "4"}, {"Division_id", "2"}, {"Device_id", "2"}},
         good,
         "Security Log 4 is already OUT"},
        {"PastUpdateTime",
         {{"SecIOLog_id", "25"}},
         good,
         "Security Log 25 is past its update time"},
        {"ModeUnknown", {{"IOMode", "X"}}, good, "IOMode must be I or O, not 'X'"},
        {"ModeMissing", {{"IOMode", nullptr}}, good, "IOMode must be I or O, not ''"},
        {"NoPerson", {{"IOPerson", ""}}, good, "IOPerson is missing"},
        {"BlankPerson", {{"IOPerson", "   "}}, good, "IOPerson is missing"},
        {"NoMobile", {{"IOMobile", nullptr}}, good, "IOMobile is missing"},
        {"MobileWithLetters",
         {{"IOMobile", "98abc"}},
         good,
         "IOMobile '98abc' is not a mobile number"},
        {"NoMeetTo", {{"Meet_To", ""}}, good, "Meet_To is missing"},
        {"NoEntryType", {{"IOType_id", ""}}, good, "IOType_id '' is not an id"},
        {"UnknownEntryType", {{"IOType_id", "99"}}, good, "Entry Type 99 is unknown"},
        {"DeviceOfAnotherDivision", {{"Division_id", "2"}}, good, "Device 1 is not in division 2"},
        {"UnknownBranch", {{"BranchCode", "XX"}}, good, "Division 1 is not in branch 'XX'"},
        {"InactiveUser", {{"CreatedBy", "4"}}, good, "User 4 may not save in branch 'HLV01'"},
        {"NoUser", {{"CreatedBy", ""}}, good, "CreatedBy '' is not an id"},
        {"DcListWithLeadingComma", {{"INDC_ids", ",12"}}, good, "INDC_ids ',12" + noList},
        {"HandBitListWithText", {{"INHB_ids ", "1,x"}}, good, "INHB_ids  '1,x" + noList},
        {"ZeroId", {{"DC_Detids", "0"}}, good, "DC_Detids '0" + noList},
        {"HeaderValueNotText", {{"IOPerson", {{"a", 1}}}}, good, "parameter IOPerson must be text"},
    };
}

class SaveRefusal : public ::testing::TestWithParam<Refusal> {
protected:
    static void SetUpTestSuite() { demo = std::make_unique<DemoServer>(); }
    static void TearDownTestSuite() { demo.reset(); }
    static inline std::unique_ptr<DemoServer> demo;
};

TEST_P(SaveRefusal, AnswersErrorAndStoresNothing) {
    const Refusal &c = GetParam();
    const json before = snapshot(demo->dbPath);
    const std::string log = c.logText.value_or(asLog(patched(newLogHeader(), c.headerPatch)));
    EXPECT_EQ(demo->save(kSavePath, log, c.details), errorReply(c.error));
    EXPECT_EQ(snapshot(demo->dbPath), before);
}

INSTANTIATE_TEST_SUITE_P(Saves, SaveRefusal, ::testing::ValuesIn(refusals()),
                         [](const auto &info) { return info.param.name; });

class SaveLog : public ::testing::Test {
protected:
    json save(const json &header, const json &details) {
        return demo.save(kSavePath, asLog(header), details.empty() ? "" : details.dump());
    }
    json lines(const std::string &logId) {
        return demo.postSp(
            kLogProcedure,
            {{"SearchBy", "SecIOLogDetail"}, {"SearchText", logId}, {"BranchCode", "HLV01"}});
    }
    json logRow(const std::string &logId) { return reportRow(demo, logId); }
    DemoServer demo;
};

TEST_F(SaveLog, ANewLogStoresItsHeaderAndLinesOfBothSections) {
    const json details = {itemLine("Quantity", "2.00", "Yarn Cones"),
                          itemLine("Quantity", "1.50", "Dye Drums"),
                          itemLine("OutQty", "3.00", "Empty Drums", "GP-9")};
    ASSERT_EQ(save(newLogHeader(), details), json::array({{{"ID", "37"}}}));

    const json stored = lines("37");
    EXPECT_EQ(column(stored, "Particulars"), (Ids{"Yarn Cones", "Dye Drums", "Empty Drums"}));
    EXPECT_EQ(column(stored, "Quantity"), (Ids{"2.00", "1.50", ""}));
    EXPECT_EQ(column(stored, "OutQty"), (Ids{"", "", "3.00"}));
    EXPECT_EQ(column(stored, "DocNo"), (Ids{"BL-1", "BL-1", "GP-9"}));
    EXPECT_EQ(column(stored, "DocDate"), Ids(3, "01 Mar 2024 00:00:00"));
    EXPECT_EQ(column(stored, "DocPath"), Ids(3, std::string(kBill) + "0"));
    EXPECT_EQ(column(stored, "SecIOLogDet_id"), (Ids{"12", "13", "14"}));

    const json row = logRow("37");
    const json expected = {{"IOPerson", "Vijay Anand"},
                           {"IOMobile", "+91 90000 11111"},
                           {"IOAdd1", "7 Park Road, Tiruppur"},
                           {"IODesignation", "Sales Executive"},
                           {"PersonType", "Visitor"},
                           {"IOImgPath", "~/Security/PersonsImages/1"},
                           {"Meet_To", "Priya Menon"},
                           {"Purpose", "Meeting"},
                           {"TokenNo", "42"},
                           {"IOVehicle", "TN 38 ZZ 0001"},
                           {"IOType", "Visitor"},
                           {"IOType_id", "1"},
                           {"FPDeviceName", "Main Gate"},
                           {"DivisionName", "Spinning"},
                           {"LogedBy", "Ravi Kumar"},
                           {"OutTime", ""},
                           {"IsUpdateable", "Yes"}};
    for (const auto &[key, value] : expected.items())
        EXPECT_EQ(row.value(key, json()), value) << key;
    EXPECT_TRUE(isClientDateTime(row["InTime"])) << row["InTime"];
    EXPECT_EQ(column(demo.logs("NotOut", "1"), "SecIOLog_id").front(), "37");
}

TEST_F(SaveLog, APersonIsKnownByMobileAndNameTogether) {
    // Kavitha Ramesh comes again: her row is refreshed, her photo kept when none is sent.
    const json kavitha = patched(newLogHeader(), {{"IOPerson", "kavitha ramesh "},
                                                  {"IOMobile", "+91 98430 56789"},
                                                  {"IOAdd1", "New Address"},
                                                  {"IOImgPath", ""}});
    ASSERT_EQ(save(kavitha, json::array()), json::array({{{"ID", "37"}}}));
    const json found = demo.logs("MobileIOS", "98430 56789");
    ASSERT_EQ(found.size(), 1u) << found;
    EXPECT_EQ(found[0]["SecIOLog_id"], "37");
    EXPECT_EQ(found[0]["IOAdd1"], "New Address");
    EXPECT_EQ(found[0]["IOImgPath"], "~/Security/PersonsImages/person_2.png");
    // Someone else with her phone is another person.
    ASSERT_EQ(save(patched(kavitha, {{"IOPerson", "Ramesh K"}}), json::array()),
              json::array({{{"ID", "38"}}}));
    EXPECT_EQ(column(demo.logs("MobileIOS", "98430 56789"), "IOPerson"),
              (Ids{"Ramesh K", "kavitha ramesh "}));
}

TEST_F(SaveLog, ANewLogSavedAsOutIsClosedAtOnce) {
    const json out = patched(newLogHeader(), {{"IOMode", "O"}});
    ASSERT_EQ(save(out, json::array({itemLine("OutQty", "5.00", "Cones")})),
              json::array({{{"ID", "37"}}}));
    const json row = logRow("37");
    EXPECT_TRUE(isClientDateTime(row["OutTime"])) << row["OutTime"];
    EXPECT_EQ(row["IsUpdateable"], "No");
    EXPECT_EQ(column(demo.logs("NotOut", "1"), "SecIOLog_id").front(), "36");
    EXPECT_EQ(save(patched(out, {{"SecIOLog_id", "37"}}), json::array()),
              errorReply("Security Log 37 is already OUT"));
}

TEST_F(SaveLog, AnUpdateKeepsSavedLinesAddsNewOnesAndMayLetThePersonOut) {
    // Log 31: Anand Krishnan, open in Weaving, one saved IN line (7).
    const std::string vehicle = logRow("31")["IOVehicle"];
    const json savedLine = lines("31")[0];
    json resent = itemLine("Quantity", "48.00", "Spindle Bearings", "SR-7781");
    resent["SecIOLogDet_id"] = savedLine["SecIOLogDet_id"];
    const json header = patched(newLogHeader(), {{"SecIOLog_id", "31"},
                                                 {"Division_id", "2"},
                                                 {"Device_id", "2"},
                                                 {"IOPerson", "Anand Krishnan"},
                                                 {"IOMobile", "+91 94432 11223"},
                                                 {"Meet_To", "Venkatesh Rao"},
                                                 {"IOVehicle", nullptr}}); // none chosen
    ASSERT_EQ(save(header, {resent, itemLine("OutQty", "48.00", "Old Bearings", "GP-77")}),
              json::array({{{"ID", "31"}}}));

    const json stored = lines("31");
    EXPECT_EQ(column(stored, "SecIOLogDet_id"), (Ids{"7", "12"}));
    EXPECT_EQ(column(stored, "Particulars"), (Ids{"Spindle Bearings", "Old Bearings"}));
    const json row = logRow("31");
    EXPECT_EQ(row["Meet_To"], "Venkatesh Rao");
    EXPECT_EQ(row["IOVehicle"], vehicle);
    EXPECT_EQ(row["OutTime"], "");
    EXPECT_EQ(demo.logs("MobileIOS", "Anand").size(), 1u) << "no second Anand Krishnan";

    ASSERT_EQ(save(patched(header, {{"IOMode", "O"}}), json::array()),
              json::array({{{"ID", "31"}}}));
    EXPECT_TRUE(isClientDateTime(logRow("31")["OutTime"]));
    EXPECT_EQ(logRow("31")["IsUpdateable"], "No");
    EXPECT_EQ(column(demo.logs("NotOut", "2"), "SecIOLog_id"), (Ids{"33", "26"}));
    EXPECT_EQ(save(header, json::array()), errorReply("Security Log 31 is already OUT"));
}

TEST_F(SaveLog, IdListsAreKeptAsSent) {
    const json header = patched(newLogHeader(), {{"INDC_ids", "12,15"},
                                                 {"OUTDC_ids", "7"},
                                                 {"DC_Detids", "101,102,103"},
                                                 {"INGodTrn_ids", "5"},
                                                 {"OUTGodTrn_ids", ""},
                                                 {"INHB_ids ", "3,4"},
                                                 {"OUTHB_ids", "9"}});
    ASSERT_EQ(save(header, json::array()), json::array({{{"ID", "37"}}}));
    using Lists = std::map<std::string, std::string>;
    EXPECT_EQ(storedIdLists(demo.dbPath, 37), (Lists{{"INDC_ids", "12,15"},
                                                     {"OUTDC_ids", "7"},
                                                     {"DC_Detids", "101,102,103"},
                                                     {"INGodTrn_ids", "5"},
                                                     {"INHB_ids", "3,4"},
                                                     {"OUTHB_ids", "9"}}));
    // A later save adds its new documents; one already listed stays listed once. The key
    // without the client's blank is not the hand-bit list.
    const json update = patched(
        newLogHeader(),
        {{"SecIOLog_id", "37"}, {"INDC_ids", "15,20"}, {"INHB_ids ", nullptr}, {"INHB_ids", "8"}});
    ASSERT_EQ(save(update, json::array()), json::array({{{"ID", "37"}}}));
    EXPECT_EQ(storedIdLists(demo.dbPath, 37)["INDC_ids"], "12,15,20");
    EXPECT_EQ(storedIdLists(demo.dbPath, 37)["INHB_ids"], "3,4");
}

TEST_F(SaveLog, MarkOutStillClosesLogsTheFormMayNoLongerChange) {
    const auto markOut = [&](const json &row, const std::string &details = "") {
        return demo.save("/SaveSecurityIOLog", json::array({row}).dump(), details);
    };
    EXPECT_EQ(markOut({{"IOLog_ids", "25"}, {"ImageData", ""}}),
              json::array({{{"SMsg", "Security Log 25 marked OUT"}}}));
    EXPECT_EQ(
        markOut(newLogHeader(), oneLine({})),
        json::array({{{"ErrorMsg",
                       "Whole Security Logs are saved through /SaveSecurityIOLog_NoImageData"}}}));
}

// --- Uploads -------------------------------------------------------------------------------

constexpr const char *kPersons = "Security/PersonsImages/";
constexpr const char *kBills = "Security/SecLogDetails_Bill/";
constexpr const char *kJpeg = "image/jpeg";

struct UploadFile {
    std::string name;
    std::string contentType = kJpeg;
};

struct UploadCase {
    std::string name;
    std::string folder;
    std::vector<UploadFile> files; // in upload order
    // Per file, the stored name's start (before the suffix) and its extension; empty: refused
    // with 400 and nothing written.
    std::vector<std::pair<std::string, std::string>> stored;
};

std::vector<UploadCase> uploadCases() {
    return {
        {"PersonPhoto", kPersons, {{"1"}}, {{"1_", ".jpg"}}},
        {"BillsInUploadOrder",
         kBills,
         {{"2"}, {"0"}, {"1"}},
         {{"2_", ".jpg"}, {"0_", ".jpg"}, {"1_", ".jpg"}}},
        {"SameNameTwiceInOneUpload", kBills, {{"0"}, {"0"}}, {{"0_", ".jpg"}, {"0_", ".jpg"}}},
        {"PngAndOtherTypes",
         kBills,
         {{"0", "image/png"}, {"1", "image/gif"}, {"2", "application/octet-stream"}, {"3", ""}},
         {{"0_", ".png"}, {"1_", ""}, {"2_", ""}, {"3_", ""}}},
        {"TypeCaseAndParameters", kPersons, {{"1", "Image/JPEG; q=1"}}, {{"1_", ".jpg"}}},
        {"FolderWithoutSlash", "Security/PersonsImages", {{"a b.jpg"}}, {{"a_b.jpg_", ".jpg"}}},
        // What would break the path as a URL (escapes, '?', '#', non-ASCII) becomes '_'.
        {"AwkwardNameStaysAUrl",
         kBills,
         {{"Zo\xc3\xab %22bill%22?#x"}},
         {{"Zo_22bill_22_x_", ".jpg"}}},
        {"NameClimbsUp", kPersons, {{"../../escape.jpg"}}, {}},
        {"NameIsDotDot", kPersons, {{".."}}, {}},
        {"NameIsDot", kPersons, {{"."}}, {}},
        {"NameHasDotDot", kPersons, {{"a..b"}}, {}},
        {"NameWithBackslash", kPersons, {{"..\\escape.jpg"}}, {}},
        {"NameWithFolder", kPersons, {{"sub/escape.jpg"}}, {}},
        {"AbsoluteName", kPersons, {{"/tmp/escape.jpg"}}, {}},
        {"DriveName", kPersons, {{"C:escape.jpg"}}, {}},
        {"ControlCharacter", kPersons, {{"a\x01.jpg"}}, {}},
        {"NameTooLong", kPersons, {{std::string(201, 'a')}}, {}},
        {"OneBadNameStoresNone", kBills, {{"kept.jpg"}, {"../escape.jpg"}}, {}},
        {"FolderClimbsUp", "../Security/PersonsImages/", {{"escape.jpg"}}, {}},
        {"FolderClimbsOut", "Security/PersonsImages/../../", {{"escape.jpg"}}, {}},
        {"AbsoluteFolder", "/Security/PersonsImages/", {{"escape.jpg"}}, {}},
        {"OtherFolder", "Security/Other/", {{"escape.jpg"}}, {}},
        {"NoFolder", "", {{"escape.jpg"}}, {}},
    };
}

// Every file under dir with its bytes, to prove a refused upload wrote nothing anywhere.
std::map<std::string, std::string> filesUnder(const std::filesystem::path &dir) {
    std::map<std::string, std::string> files;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(dir))
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    return files;
}

std::string fileBytes(const std::filesystem::path &file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A reply path "~/<folder><name>" loaded as the client does: the image base address (the
// server's /files) in place of "~", the path unchanged.
httplib::Result servedImage(DemoServer &demo, const std::string &replyPath) {
    return demo.client().Get("/files" + replyPath.substr(1));
}

class Upload : public ::testing::TestWithParam<UploadCase> {
protected:
    static void SetUpTestSuite() { demo = std::make_unique<DemoServer>(); }
    static void TearDownTestSuite() { demo.reset(); }
    static inline std::unique_ptr<DemoServer> demo;
};

TEST_P(Upload, StoresUnderNamesOfItsOwnOrRefuses) {
    const UploadCase &c = GetParam();
    const auto bytes = [](size_t i) { return std::string("\xff\xd8\0", 3) + std::to_string(i); };
    httplib::MultipartFormDataItems items = {{"folder", c.folder, "", ""}};
    for (size_t i = 0; i < c.files.size(); ++i)
        items.push_back({"file", bytes(i), c.files[i].name, c.files[i].contentType});
    const auto before = filesUnder(demo->dir.path);
    const auto reply = demo->client().Post("/upload", items);
    if (c.stored.empty()) {
        EXPECT_TRUE(jsonOf(reply, 400).contains("error"));
        EXPECT_EQ(filesUnder(demo->dir.path), before);
        EXPECT_FALSE(std::filesystem::exists("/tmp/escape.jpg"));
        return;
    }
    const json paths = jsonOf(reply);
    ASSERT_TRUE(paths.is_array() && paths.size() == c.files.size()) << paths;
    const std::string folder = c.folder.back() == '/' ? c.folder : c.folder + "/";
    std::set<std::string> distinct;
    for (size_t i = 0; i < c.files.size(); ++i) {
        const std::string path = paths[i].get<std::string>();
        const auto &[start, extension] = c.stored[i];
        const std::string name = path.substr(std::min(path.size(), 2 + folder.size()));
        EXPECT_EQ(path.substr(0, 2 + folder.size()), "~/" + folder) << path;
        const bool shaped = name.size() == start.size() + 16 + extension.size() &&
                            name.starts_with(start) && name.ends_with(extension);
        EXPECT_TRUE(shaped &&
                    std::regex_match(name.substr(start.size(), 16), std::regex("[0-9a-f]{16}")))
            << path;
        distinct.insert(path);
        EXPECT_EQ(fileBytes(demo->server.filesDir() / folder / name), bytes(i)) << path;
        const auto image = servedImage(*demo, path);
        ASSERT_TRUE(image && image->status == 200) << path;
        EXPECT_EQ(image->body, bytes(i)) << path;
    }
    EXPECT_EQ(distinct.size(), c.files.size());
}

INSTANTIATE_TEST_SUITE_P(Files, Upload, ::testing::ValuesIn(uploadCases()),
                         [](const auto &info) { return info.param.name; });

// Every new person's photo is "1" and every log's first bill "0": no upload may replace one
// stored before.
TEST(UploadRepeated, SameClientNameKeepsEveryFile) {
    DemoServer demo;
    const auto upload = [&](const char *folder, const std::string &content) {
        const json paths = jsonOf(demo.client().Post(
            "/upload", {{"folder", folder, "", ""}, {"1", content, "1", kJpeg}}));
        return paths.at(0).get<std::string>();
    };
    const std::vector<std::pair<std::string, std::string>> uploads = {
        {upload(kPersons, "first person"), "first person"},
        {upload(kPersons, "second person"), "second person"},
        {upload(kBills, "a bill"), "a bill"},
        {upload(kPersons, "third person"), "third person"},
    };
    std::set<std::string> paths;
    for (const auto &[path, content] : uploads) {
        paths.insert(path);
        EXPECT_EQ(fileBytes(demo.server.filesDir() / path.substr(2)), content) << path;
        const auto image = servedImage(demo, path);
        ASSERT_TRUE(image && image->status == 200) << path;
        EXPECT_EQ(image->body, content) << path;
        EXPECT_EQ(image->get_header_value("Content-Type"), kJpeg) << path;
    }
    EXPECT_EQ(paths.size(), uploads.size());
}

TEST(StoredUploadName, KeepsTheClientsNameAsAPlainUrl) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {"1", "image/jpeg", "1_s.jpg"},
        {"0", "image/png", "0_s.png"},
        {"0", " IMAGE/PNG ;x=y", "0_s.png"},
        {"0", "image/jpg", "0_s"},
        {"0", "image/gif", "0_s"},
        {"0", "", "0_s"},
        {"photo.jpg", "image/jpeg", "photo.jpg_s.jpg"},
        {"a-b_c.D", "image/jpeg", "a-b_c.D_s.jpg"},
        {"a  b", "image/jpeg", "a_b_s.jpg"},
        {"%41?#&+=", "image/jpeg", "_41__s.jpg"},
        {"_x", "image/jpeg", "_x_s.jpg"},
        {"caf\xc3\xa9", "image/jpeg", "caf__s.jpg"},
    };
    for (const auto &[client, type, stored] : cases)
        EXPECT_EQ(storedUploadName(client, "s", type), stored) << client << " " << type;
}

} // namespace
} // namespace seclog::server::testing
