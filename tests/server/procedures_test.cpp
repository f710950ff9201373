// What each list and lookup procedure answers to the request the client sends, and the reason
// it gives for one it cannot read.

#include "date_time.h"
#include "demo_server.h"
#include "punch_time.h"

namespace seclog::server::testing {
namespace {

constexpr const char *kCommon = "Usp_CommonService";
constexpr const char *kReport = "USP_GetSecurityLogSummaryReport";
constexpr const char *kTransfers = "USP_tblTProdGodownTransfer";
constexpr const char *kHandBits = "USP_OBHandBitYarnCalculation";
constexpr const char *kBills = "USP_tblTProdBillSelect";

struct Call {
    std::string path, body;
};

Call sp(const char *spName, const json &data) {
    return {"/sp", spBody(spName, data)};
}
// The employee picker's hand-quoted Parameters, and its search text.
Call employees(const std::string &parameters, const json &likeStr = "",
               const char *spName = "Usp_Production_Sel") {
    return {"/CommonGetSearchData",
            json{{"SP_Name", spName}, {"Parameters", parameters}, {"LikeStr", likeStr}}.dump()};
}
const std::string kHlv = "[{'BranchCode':'HLV01','SP_Type':'EMPLOYEE_SEARCH'}]";

// The lookups by code, exactly as the scanner sends them.
json dcScan(const std::string &code, const std::string &branch = "HLV01") {
    return {
        {"SP_Type", "Sec_DCViewByQRScan"}, {"BranchCode", branch}, {"ID", "1"}, {"LikeStr", code}};
}
json transferScan(const std::string &code, const std::string &user = "1") {
    return {{"GodownTransferCode", code}, {"ReqType", "SECURITY_SELECT"}, {"CreatedBy", user}};
}
json billScan(const std::string &code) {
    return {{"reqType", "BILL_SELECT"},
            {code.size() > 800 ? "SignedQRCode" : "BillCode", code}, // a signed e-invoice's
            {"CreatedBy", "1"}};
}
json dcList(const char *kind, const char *branch = "HLV01") {
    return {{"SP_Type", kind}, {"BranchCode", branch}, {"ID", "1"}};
}
Call punches(const json &empCode) {
    return sp("USP_Security", {{"ReqType", "SELECT_LASTTWODAYSLOG"}, {"EmpCode", empCode}});
}

class Procedures : public SharedDemo<> {
protected:
    // A branch whose code a blind quote replacement would break, with an employee, and a
    // branch with a guard of its own.
    static void SetUpTestSuite() {
        SharedDemo::SetUpTestSuite();
        Database(demo->dbPath.string()).executeScript(R"(
            INSERT INTO Branch VALUES ('O''Neil\B', 'Odd Branch');
            INSERT INTO Division VALUES (9, 'Knitting', 'O''Neil\B');
            INSERT INTO Employee(EmpName, Department_id, Division_id, EmpCode, Designation)
                VALUES ('Karthik Velu', 5, 9, 'KN2001', 'Knitter');
            INSERT INTO Branch VALUES ('KNT02', 'Knitting Unit'))");
        otherGuard = std::to_string(
            demo->server.addUser({"knit", "knit123", "Kumar Guard", "KNT02", 1, 1, true}));
    }
    static inline std::string otherGuard;
    // The first column of the first row, read past the server.
    static std::string stored(const std::string &sql) {
        return dbRows(demo->dbPath, sql)[0].begin().value().get<std::string>();
    }
    static httplib::Result call(const Call &c) {
        return demo->client().Post(c.path, c.body, "application/json");
    }
};

struct Answer {
    const char *name;
    Call call;
    std::string keys; // of every row, each value text; "": not checked here
    const char *column;
    size_t count;
    std::string first; // the column's first values, '|' between
};

TEST_F(Procedures, EachAnswersItsRowsAsText) {
    const std::string items = "ImagePath ItemName Item_id NoOfDecimal PluralSymbol "
                              "SingularSymbol Unit_id";
    const std::string dcRow = "CityName DCCode DCDate DCType DC_id FDept FDiv ImagePath1 "
                              "ImagePath2 ImagePath3 IsOutDC IsRet IssToEmp IssueEmpName "
                              "ItemCount Party_id TDiv TakenByName TakenEmp_id ToDept";
    const std::string dcs = "ApprovedBy ApprovedOn " + dcRow;
    const std::string pos = "CityName NoOfItems PartyBranchName Party_id StorePOCode "
                            "StorePODate StorePO_id";
    const std::string poLines = "ImagePath ItemName NoOfDecimal PluralSymbol Quantity "
                                "SingularSymbol Unit_id";
    const std::string dcLines = "DCDet_id DC_id ImagePath ItemName Item_id NoOfDecimal "
                                "PassedQty PluralSymbol ReturnQty SingularSymbol Unit_id";
    const std::string lots = "GTDet_id GodownTransfer_id ImagePath ItemName Item_id NoOfDecimal "
                             "Pcs ProdPlanCode Qty Unit Unit_id";
    const std::string colours = "ColorCode ColorName HBDet_id HB_id ImagePath ItemName Item_id "
                                "NoOfDecimal Qty Unit Unit_id";
    const std::string transfer = "AcceptBy CityName CreatedOn FromDivision_id FromGoDown "
                                 "GodownTransferCode GodownTransfer_id IsOutDC ItemCount Party_id "
                                 "Qty TackenBy TackenBy_id TackenImagePath ToDivision_id ToGoDown";
    const std::string handBit = "CityName ColorCode ColorName DCCode DCDate FDept FDiv "
                                "HBMobileNo HB_id IsOutDC IssToEmp ItemCount PartyName TDiv ToDept";
    const std::string bill = "BillCode BillDate BillStatus Bill_id DeliveryBranch DriverName "
                             "IsDespatched LRNo PartyName Status VehicleNo";
    const std::string dc1 = stored("SELECT DCCode FROM DC WHERE DC_id = 1");
    const std::string dc5 = stored("SELECT DCCode FROM DC WHERE DC_id = 5");
    const std::string dc6 = stored("SELECT DCCode FROM DC WHERE DC_id = 6");
    const std::string gt1 =
        stored("SELECT GodownTransferCode FROM GodownTransfer WHERE GodownTransfer_id = 1");
    const std::string hb2 = stored("SELECT lower(DCCode) FROM HandBitDC WHERE HB_id = 2");
    const std::string bill1 = stored("SELECT SignedQRCode FROM Bill WHERE Bill_id = 1");
    const std::string bill2 = stored("SELECT 'BILL' || BillCode FROM Bill WHERE Bill_id = 2");
    const std::string people = "Department Designation EmpCode EmpName Employee_id ImagePath";
    const std::string punched = "Department Designation DivisionName EmpCode EmpName "
                                "FPDeviceName FPLogStr FPMode FPModeStr ImagePath";
    const std::vector<Answer> cases = {
        {"employees", sp(kCommon, R"({"SP_Type":"Sel_Emp"})"_json), "EmpName Employee_id",
         "EmpName", 11, "Anitha Joseph|Karthik Velu"},
        {"divisions", sp(kCommon, R"({"SP_Type":"Sel_Div","BranchCode":"HLV01"})"_json),
         "DivisionName Division_id", "Division_id", 3, "1|2|3"},
        {"units", sp(kCommon, R"({"SP_Type":"Sel_Uom"})"_json),
         "PluralSymbol SingularSymbol UnitName Unit_id", "UnitName", 13, "Bag|Box|Cone"},
        // Names that start with the text first, at most 100.
        {"items", sp(kCommon, R"({"SP_Type":"Sel_ItemLike","LikeStr":"PEROXIDE"})"_json), items,
         "ItemName", 2, "Peroxide Killer Enzyme|Hydrogen Peroxide 50%"},
        {"many items", sp(kCommon, R"({"SP_Type":"Sel_ItemLike","LikeStr":"a"})"_json), items,
         "ItemName", 100, ""},
        // The picker sends JSONData as JSON text.
        {"suppliers", sp(kLogProcedure, R"({"SearchBy":"Sec_Supplier"})"),
         "City PartyName Party_id", "PartyName", 40, "Amritsar Woollen Agencies"},
        {"cities", sp(kLogProcedure, R"({"SearchBy":"Sec_City","SearchText":"PUR"})"_json),
         "CityName City_id", "CityName", 4, "Jaipur|Kanpur|Solapur|Tiruppur"},
        // Latest first.
        {"store POs",
         sp(kReport, R"({"GetType":"StorePO","BranchCode":"HLV01","LikeStr":"spo/"})"_json), pos,
         "StorePO_id", 25, "25|24|23"},
        {"PO lines", sp(kReport, R"({"GetType":"StorePODetails","ID":"1"})"_json), poLines,
         "Quantity", 2, "5|42.25"},
        // The DC lists newest first, of the states each holds.
        {"outgoing DCs", sp("USP_CommonService_Sec_PDC", dcList("Sec_PDC")), dcs, "DC_id", 15,
         "17|16|11|15|14|9|8|4|3|1|10|2|18|13|5"},
        {"DCs out and pending", sp(kCommon, dcList("Sec_Div_OutAndPed_DC")), dcs, "DC_id", 9,
         "15|14|9|3|10|2|18|13|5"},
        {"pending DCs", sp(kCommon, dcList("Sel_DCP")), dcs, "DC_id", 3, "21|19|6"},
        {"approved DCs", sp(kCommon, dcList("Sel_DCA")), dcs, "DC_id", 16,
         "17|16|11|15|14|9|8|4|3|1|10|2|18|13|5|12"},
        {"rejected DCs", sp(kCommon, dcList("Sel_DCR")), dcs, "DC_id", 3, "20|22|7"},
        // The documents the gate scans, by the code printed on them, of the asker's branch.
        {"DC by code", sp(kCommon, dcScan(dc5)), dcRow, "TDiv", 1, "Kovai Textile Spares"},
        {"DC waiting for approval", sp(kCommon, dcScan(dc6)), "", "DC_id", 0, ""},
        {"DC of another branch", sp(kCommon, dcScan(dc1, "KNT02")), "", "DC_id", 0, ""},
        {"transfer", sp(kTransfers, transferScan(gt1)), transfer, "Qty", 1, "1650.000"},
        {"transfer asked by another branch", sp(kTransfers, transferScan(gt1, otherGuard)), "",
         "Qty", 0, ""},
        {"hand-bit DC in lower case", sp(kHandBits, {{"ReqType", "HBDC_SELECT"}, {"DCCode", hb2}}),
         handBit, "PartyName", 1, "Selvi Devi"},
        {"bill by signed code", sp(kBills, billScan(bill1)), bill, "Status", 1, "Approved"},
        {"bill by code", sp(kBills, billScan(bill2)), bill, "Bill_id", 1, "2"},
        {"DC by id", sp(kCommon, R"({"SP_Type":"Sec_DCViewByDC_id","LikeStr":"5",
            "BranchCode":"HLV01"})"_json),
         dcRow, "IsOutDC", 1, "OutDCYes"},
        // The first spare is back, two of the five pulleys too, no belt yet.
        {"DC lines", sp(kCommon, R"({"SP_Type":"Sel_DCD","BranchCode":"HLV01","ID":"5"})"_json),
         dcLines, "ReturnQty", 3, "4|2|0"},
        {"transfer lots",
         sp(kTransfers, R"({"ReqType":"GTDETAILBYSECURITY_SELECT","GodownTransfer_id":"1"})"_json),
         lots, "Pcs", 3, "4|11|18"},
        {"hand-bit colours", sp(kHandBits, R"({"ReqType":"HBDC_DETSELECT","DCCode":"2"})"_json),
         colours, "ColorName", 1, "White"},
        // The log form's lists: a log's IN lines first, each document's together; vehicles by
        // the person's mobile, the latest first; employees to meet by name.
        {"log lines", sp(kLogProcedure, detailQuery("34")),
         "City DC_id DocDate DocNo DocPath OutQty Particulars PartyName Party_id Quantity "
         "SecIOLogDet_id",
         "Particulars", 4, "Cotton Bales|Polyester Staple|Empty Bale Wraps|Pallets"},
        {"vehicles",
         sp(kLogProcedure, R"({"SearchBy":"VehicleIOS","SearchText":"9003890123"})"_json), "",
         "IOVehicle", 2, "TN 38 AB 1234|KA 01 MN 2468"},
        {"entry types", sp(kLogProcedure, R"({"SearchBy":"EntryType"})"_json), "IOType IOType_id",
         "IOType", 6, "Visitor"},
        {"purposes", sp(kLogProcedure, R"({"SearchBy":"Purpose","SearchText":"deliv"})"_json),
         "Purpose Purpose_id", "Purpose", 2, "Dye delivery"},
        {"designations",
         sp(kLogProcedure, R"({"SearchBy":"Sec_Designation","SearchText":"driver"})"_json),
         "Designation Designation_id", "Designation", 3, "Lorry Driver"},
        {"to meet", sp(kLogProcedure, R"({"SearchBy":"Meet_To","SearchText":"Priya"})"_json),
         "Department EmpCode EmpName Employee_id ImagePath", "EmpName", 2,
         "Priya Menon|Priya Nair"},
        // The people named on documents: a carrier by id, a hand-bit worker by mobile.
        {"carrier", sp(kLogProcedure, R"({"SearchBy":"MobileIOSByQRCode","SearchText":"3"})"_json),
         kLogRowKeys, "IOPerson", 1, "Murugan S"},
        {"worker", sp(kLogProcedure, R"({"SearchBy":"MobileIOS","SearchText":"96002-34567"})"_json),
         kLogRowKeys, "IOPerson", 1, "Selvi Devi"},
        // Employees by name within the branch, whose code the picker quotes by hand.
        {"employee search", employees(kHlv, "priya"), people, "EmpName", 2,
         "Priya Menon|Priya Nair"},
        {"other branch", employees(kHlv, "Karthik"), "", "EmpName", 0, ""},
        {"quoted branch", employees(R"([{'BranchCode':'O\'Neil\\B','SP_Type':'EMPLOYEE_SEARCH'}])"),
         "", "EmpName", 1, "Karthik Velu"},
        // An employee's punches on the readers of their division.
        {"punches", punches("HT1007"), punched, "FPDeviceName", 5, "WVG Gate Reader"},
    };
    for (const Answer &c : cases) {
        SCOPED_TRACE(c.name);
        const json rows = jsonOf(call(c.call));
        EXPECT_EQ(rows.size(), c.count) << rows.dump().substr(0, 400);
        if (!c.keys.empty())
            expectTextRows(rows, c.keys);
        const Ids values = column(rows, c.column), first = listOf(c.first);
        EXPECT_EQ(Ids(values.begin(), values.begin() + std::min(first.size(), values.size())),
                  first);
    }
}

TEST_F(Procedures, EachRefusesWhatItCannotReadWithTheReason) {
    const std::vector<std::pair<Call, std::string>> cases = {
        {sp(kReport, R"({"GetType":"StorePODetails","ID":"abc"})"_json),
         "parameter ID must be a positive id"},
        {sp(kCommon, R"({"SP_Type":"Sec_DCViewByQRScan","LikeStr":"DC"})"_json),
         "missing parameter BranchCode"},
        {sp(kCommon, R"({"SP_Type":"Sec_DCViewByDC_id","BranchCode":"HLV01","LikeStr":"5x"})"_json),
         "LikeStr must be a DC id"},
        // The colours are asked by the hand-bit id, not by the code.
        {sp(kHandBits, R"({"ReqType":"HBDC_DETSELECT","DCCode":"HB/26-27/0006"})"_json),
         "parameter DCCode must be a positive id"},
        {sp(kBills, R"({"reqType":"BILL_SELECT","CreatedBy":"1"})"_json),
         "BillCode or SignedQRCode is required"},
        {sp(kLogProcedure, R"({"SearchBy":"MobileIOSByQRCode","SearchText":"Murugan S"})"_json),
         "SearchText must be a person id"},
        {sp("USP_Security", R"({"ReqType":"SELECT_LASTWEEKLOG"})"_json),
         "unknown ReqType 'SELECT_LASTWEEKLOG' for USP_Security"},
        {employees("[{'BranchCode':'HLV01','SP_Type':'EMPLOYEE_LIST'}]"),
         "unknown SP_Type 'EMPLOYEE_LIST' for Usp_Production_Sel"},
        {employees("[{'SP_Type':'EMPLOYEE_SEARCH'}]"), "missing parameter BranchCode"},
        {employees(R"([{"BranchCode":"HLV01","SP_Type":"EMPLOYEE_SEARCH"}])"),
         "Parameters: expected a quoted key at offset 2"},
        {Call{"/CommonGetSearchData", "SP_Name=Usp_Production_Sel"}, "body must be a JSON object"},
    };
    for (const auto &[request, error] : cases)
        EXPECT_EQ(jsonOf(call(request), 400), errorOf(error)) << request.body;
}

TEST_F(Procedures, PunchesOfTheLastTwoDaysComeNewestFirst) {
    // Just inside and just outside the window, plus a punch still to come: the oldest comes
    // last, the others are left out. Times are shown on the twelve-hour clock.
    for (double hoursAgo : {47.5, 48.5, -1.0})
        Database(demo->dbPath.string())
            .execute("INSERT INTO EmployeePunch(Employee_id, PunchTime, FPMode, FPDeviceName, "
                     "Division_id) VALUES (8, ?1, 'O', 'Test Reader', 1)",
                     {isoHoursAgo(hoursAgo)});
    const json rows = jsonOf(call(punches("HT1008"))); // Ramesh Iyer of Spinning
    EXPECT_EQ(column(rows, "FPModeStr"), listOf("IN OUT IN OUT IN OUT", ' '));
    EXPECT_EQ(column(rows, "FPDeviceName"),
              (Ids{"SPN Gate Reader", "SPN Canteen Reader", "SPN Gate Reader", "SPN Canteen Reader",
                   "SPN Gate Reader", "Test Reader"}));
    for (const auto &[iso, shown] : std::vector<std::pair<const char *, const char *>>{
             {"2026-01-31 00:05:00", "31 Jan 2026 12:05 AM"},
             {"2026-06-01 13:00:00", "01 Jun 2026 01:00 PM"}})
        EXPECT_EQ(punchDisplayTime(iso), shown) << iso;
}

// A database made before decisions had a time still answers, with ApprovedOn "".
TEST(DCListsOfAnOlderDatabase, AnswerWithoutDecisionTimes) {
    TempDir dir;
    const ServerOptions options = demoOptions(dir.path / "old.db");
    StandInServer{options}; // seeded and stopped
    Database(options.dbPath.string()).executeScript("ALTER TABLE DC DROP COLUMN ApprovedOn");
    const json rows = postSp(StandInServer{options}, kCommon, dcList("Sel_DCA"));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(column(rows, "ApprovedOn"), Ids(rows.size(), ""));
    EXPECT_EQ(column(rows, "ApprovedBy"), Ids(rows.size(), "Ramesh Iyer"));
}

} // namespace
} // namespace seclog::server::testing
