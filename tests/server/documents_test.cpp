// The documents the gate scans: the lookups of DCs, godown transfers, hand-bit DCs and bills by
// code, their lines, the person named on them, the demo documents seen through the client's
// own acceptance rules, and the QR codes --write-codes prints for them.

#include "command_line.h"
#include "database.h"
#include "demo_server.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <png.h>
#include <ReadBarcode.h>
#include <regex>
#include <set>
#include <sys/wait.h>

namespace seclog::server::testing {
namespace {

constexpr const char *kCommon = "Usp_CommonService";
constexpr const char *kTransfers = "USP_tblTProdGodownTransfer";
constexpr const char *kHandBits = "USP_OBHandBitYarnCalculation";
constexpr const char *kBills = "USP_tblTProdBillSelect";
constexpr const char *kPeople = "USP_GetSecurityLogBySearchText";
constexpr const char *kOtherBranch = "KNT02";
constexpr size_t kSignedCodeLength = 800; // longer codes go out as SignedQRCode
constexpr const char *kIsoDate = R"(\d{4}-\d\d-\d\d)";
const std::string kOfTheYear = R"(/\d\d-\d\d/\d{4})"; // a document code after its prefix

// The requests exactly as the scanner, the log form and the DC detail screen send them.
json dcScan(const std::string &code, const std::string &branch = "HLV01") {
    return {
        {"SP_Type", "Sec_DCViewByQRScan"}, {"BranchCode", branch}, {"ID", "1"}, {"LikeStr", code}};
}
json dcById(const std::string &id) {
    return {
        {"SP_Type", "Sec_DCViewByDC_id"}, {"BranchCode", "HLV01"}, {"ID", "1"}, {"LikeStr", id}};
}
json dcLines(const std::string &id) {
    return {{"SP_Type", "Sel_DCD"}, {"BranchCode", "HLV01"}, {"ID", id}};
}
json transferScan(const std::string &code, const std::string &user = "1") {
    return {{"GodownTransferCode", code}, {"ReqType", "SECURITY_SELECT"}, {"CreatedBy", user}};
}
json transferLines(const std::string &id) {
    return {{"ReqType", "GTDETAILBYSECURITY_SELECT"}, {"GodownTransfer_id", id}};
}
json handBitScan(const std::string &code) {
    return {{"DCCode", code}, {"ReqType", "HBDC_SELECT"}};
}
json handBitLines(const std::string &id) {
    return {{"ReqType", "HBDC_DETSELECT"}, {"DCCode", id}};
}
json billScan(const std::string &code, const std::string &user = "1") {
    return {{"reqType", "BILL_SELECT"},
            {code.size() > kSignedCodeLength ? "SignedQRCode" : "BillCode", code},
            {"CreatedBy", user}};
}
json person(const char *by, const std::string &text) {
    return {{"SearchBy", by}, {"SearchText", text}, {"BranchCode", "HLV01"}};
}

json without(json data, const char *key) {
    data.erase(key);
    return data;
}

// A second branch with a guard of its own, to show lookups keep to the asker's branch.
class Documents : public SharedDemo<> {
protected:
    static void SetUpTestSuite() {
        SharedDemo::SetUpTestSuite();
        {
            Database db(demo->dbPath.string());
            db.execute("INSERT INTO Branch VALUES (?1, 'Knitting Unit')",
                       {std::string(kOtherBranch)});
        }
        otherUser = std::to_string(
            demo->server.addUser({"knit", "knit123", "Kumar Guard", kOtherBranch, 1, 1, true}));
    }
    static inline std::string otherUser;

    // One stored text, read past the server: the only column of the first row.
    static std::string stored(const std::string &sql, std::int64_t id) {
        Database db(demo->dbPath.string(), true);
        const json rows = db.query(sql, {id});
        return rows.empty() ? std::string() : rows[0].begin().value().get<std::string>();
    }
    static std::string dcCode(std::int64_t id) {
        return stored("SELECT DCCode FROM DC WHERE DC_id = ?1", id);
    }
    static std::string transferCode(std::int64_t id) {
        return stored("SELECT GodownTransferCode FROM GodownTransfer WHERE GodownTransfer_id = ?1",
                      id);
    }
    static json rows(const char *sql) {
        Database db(demo->dbPath.string(), true);
        return db.query(sql);
    }
};

// The only row of a reply without the keys that differ from run to run, each of which must
// match its pattern.
json onlyRowWithout(const json &reply, const std::map<std::string, std::string> &patterns) {
    EXPECT_EQ(reply.size(), 1u) << reply;
    json row = reply.empty() ? json::object() : reply[0];
    for (const auto &[key, pattern] : patterns) {
        EXPECT_TRUE(std::regex_match(row.value(key, ""), std::regex(pattern))) << key << row;
        row.erase(key);
    }
    return row;
}

struct KeysCase {
    const char *name, *spName;
    json data;
    const char *keys;
};

// The scans of DCs, transfers and hand-bit DCs are read whole below.
TEST_F(Documents, EachLookupAnswersTheKeysTheClientReadsAsText) {
    const std::string billCode = stored("SELECT BillCode FROM Bill WHERE Bill_id = ?1", 2);
    const std::vector<KeysCase> cases = {
        {"DC lines", kCommon, dcLines("5"),
         "DCDet_id DC_id ImagePath ItemName Item_id NoOfDecimal PassedQty PluralSymbol ReturnQty "
         "SingularSymbol Unit_id"},
        {"GT lots", kTransfers, transferLines("1"),
         "GTDet_id GodownTransfer_id ImagePath ItemName Item_id NoOfDecimal Pcs ProdPlanCode Qty "
         "Unit Unit_id"},
        {"HB colours", kHandBits, handBitLines("1"),
         "ColorCode ColorName HBDet_id HB_id ImagePath ItemName Item_id NoOfDecimal Qty Unit "
         "Unit_id"},
        {"bill", kBills, billScan("BILL" + billCode),
         "BillCode BillDate BillStatus Bill_id DeliveryBranch DriverName IsDespatched LRNo "
         "PartyName Status VehicleNo"},
        {"carrier", kPeople, person("MobileIOSByQRCode", "3"), kLogRowKeys},
    };
    for (const auto &[name, spName, data, keys] : cases) {
        SCOPED_TRACE(name);
        const json reply = demo->postSp(spName, data);
        ASSERT_TRUE(reply.is_array() && !reply.empty()) << reply;
        expectTextRows(reply, keys);
    }
}

TEST_F(Documents, OneDocumentOfEachKindReadsAsPrinted) {
    // An outside DC of Spinning partly back from the repairer; its date is the day it left.
    const json dc = demo->postSp(kCommon, dcScan(dcCode(5)));
    EXPECT_EQ(onlyRowWithout(dc, {{"DCDate", kIsoDate}, {"DCCode", R"(DC/SPN/\d\d-\d\d/0131)"}}),
              json::parse(R"({"CityName":"Coimbatore","DCType":"GDC","DC_id":"5",
        "FDept":"Maintenance","FDiv":"Spinning","ImagePath1":"~/Security/DCImages/dc_5_challan.png",
        "ImagePath2":"","ImagePath3":"~/Security/DCImages/dc_5_goods.png","IsOutDC":"OutDCYes",
        "IsRet":"R","IssToEmp":"Suresh Natarajan","IssueEmpName":"Suresh Natarajan",
        "ItemCount":"3","Party_id":"15","TDiv":"Kovai Textile Spares",
        "TakenByName":"Anand Krishnan","TakenEmp_id":"4","ToDept":""})"));
    // The first spare is back, two of the five pulleys too, no belt yet.
    const json lines = demo->postSp(kCommon, dcLines("5"));
    EXPECT_EQ(column(lines, "ItemName"),
              (Ids{"Carding Motor", "Carding Pulley", "Draw Frame V Belt"}));
    EXPECT_EQ(column(lines, "PassedQty"), (Ids{"4", "5", "6"}));
    EXPECT_EQ(column(lines, "ReturnQty"), (Ids{"4", "2", "0"}));

    // Yarn leaving Spinning's yarn godown for Weaving: 33 bags in three lots.
    const json gt = demo->postSp(kTransfers, transferScan(transferCode(1)));
    EXPECT_TRUE(isClientDateTime(gt.at(0).value("CreatedOn", json()))) << gt;
    EXPECT_EQ(onlyRowWithout(gt, {{"CreatedOn", ".+"}, {"GodownTransferCode", "GT" + kOfTheYear}}),
              json::parse(R"({"AcceptBy":"Venkatesh Rao","CityName":"",
        "FromDivision_id":"1","FromGoDown":"Yarn Godown","GodownTransfer_id":"1","IsOutDC":"No",
        "ItemCount":"33","Party_id":"","Qty":"1650.000","TackenBy":"Murugan S","TackenBy_id":"3",
        "TackenImagePath":"~/Security/GTImages/gt_1.png","ToDivision_id":"2",
        "ToGoDown":"Beam Store"})"));
    const json lots = demo->postSp(kTransfers, transferLines("1"));
    EXPECT_EQ(column(lots, "Pcs"), (Ids{"4", "11", "18"}));
    EXPECT_EQ(column(lots, "Qty"), (Ids{"200.000", "550.000", "900.000"}));

    // White yarn back from Selvi Devi, named for where it comes from; asked for in lower case.
    const json hb = demo->postSp(
        kHandBits,
        handBitScan("hb/" + stored("SELECT substr(DCCode, 4) FROM HandBitDC WHERE HB_id = ?1", 2)));
    EXPECT_EQ(onlyRowWithout(hb, {{"DCCode", "HB" + kOfTheYear}, {"DCDate", kIsoDate}}),
              json::parse(R"({"CityName":"Tiruppur","ColorCode":"#FFFFFF",
        "ColorName":"White","FDept":"","FDiv":"Selvi Devi","HBMobileNo":"9600234567","HB_id":"2",
        "IsOutDC":"Yes","IssToEmp":"Anitha Joseph","ItemCount":"1","PartyName":"Selvi Devi",
        "TDiv":"Processing","ToDept":"Production"})"));

    // A despatched and approved e-invoice, looked up by what its QR code holds.
    const json bill = demo->postSp(
        kBills, billScan(stored("SELECT SignedQRCode FROM Bill WHERE Bill_id = ?1", 1)));
    EXPECT_EQ(onlyRowWithout(
                  bill, {{"BillDate", R"(\d\d/\d\d/\d{4})"}, {"BillCode", "INV" + kOfTheYear}}),
              json::parse(R"({"BillStatus":"Approved","Bill_id":"1",
        "DeliveryBranch":"Tiruppur Knit Exports - Unit 2, Avinashi Road, Tiruppur",
        "DriverName":"Murugan S","IsDespatched":"Y","LRNo":"LR-55812",
        "PartyName":"Tiruppur Knit Exports","Status":"Approved","VehicleNo":"TN 39 CK 4521"})"));
}

TEST_F(Documents, CodesThatNameNoDocumentHereFindNothing) {
    const std::vector<std::tuple<const char *, const char *, json>> cases = {
        {"DC waiting for approval", kCommon, dcScan(dcCode(6))},
        {"DC of another branch", kCommon, dcScan(dcCode(1), kOtherBranch)},
        {"transfer asked by another branch", kTransfers, transferScan(transferCode(1), otherUser)},
        {"no mobile", kPeople, person("MobileIOS", "")},
    };
    for (const auto &[name, spName, data] : cases)
        EXPECT_EQ(demo->postSp(spName, data), json::array()) << name;
}

TEST_F(Documents, BadParametersAnswer400WithTheReason) {
    const std::vector<std::tuple<const char *, json, std::string>> cases = {
        {kCommon, without(dcScan(dcCode(1)), "BranchCode"), "missing parameter BranchCode"},
        {kCommon, dcById("5x"), "LikeStr must be a DC id"},
        {kTransfers, transferLines("abc"), "parameter GodownTransfer_id must be a positive id"},
        // The colours are asked by the hand-bit id, not by the code.
        {kHandBits, handBitLines("HB/26-27/0006"), "parameter DCCode must be a positive id"},
        {kBills,
         {{"reqType", "BILL_SELECT"}, {"CreatedBy", "1"}},
         "BillCode or SignedQRCode is required"},
        {kPeople, person("MobileIOSByQRCode", "Murugan S"), "SearchText must be a person id"},
    };
    for (const auto &[spName, data, error] : cases)
        EXPECT_EQ(demo->refusedSp(spName, data), json({{"error", error}})) << data;
}

// Whether the client takes a looked-up document at a division, by its own rules: a DC by the
// division's name, a godown transfer by its id; "out" or "in" at the gate, "" not at all.
std::string dcDirectionAt(const json &dc, const std::string &division) {
    const std::string out = dc.value("IsOutDC", "");
    if (dc.value("FDiv", "") == division && (out == "No" || out == "OutDCYes"))
        return out == "No" ? "out" : "back";
    return dc.value("TDiv", "") == division && out == "Yes" ? "in" : "";
}
std::string transferDirectionAt(const json &gt, const std::string &division) {
    const std::string out = gt.value("IsOutDC", "");
    if (gt.value("FromDivision_id", "") == division && out == "No")
        return "out";
    return gt.value("ToDivision_id", "") == division && out == "Yes" ? "in" : "";
}

TEST_F(Documents, EveryDivisionSendsReceivesAndGetsOutsideDCsBack) {
    const std::map<std::string, std::string> divisions = {
        {"1", "Spinning"}, {"2", "Weaving"}, {"3", "Processing"}};
    std::map<std::string, std::multiset<std::string>> seen; // division -> kinds and directions
    // At how many divisions the client takes the document, noting the kind and direction.
    const auto takenAt = [&](const json &doc, const std::string &kind) {
        int count = 0;
        for (const auto &[id, name] : divisions) {
            const std::string direction =
                kind == "DC" ? dcDirectionAt(doc, name) : transferDirectionAt(doc, id);
            if (!direction.empty() && ++count)
                seen[id].insert(kind + " " + direction);
        }
        return count;
    };
    for (const auto &row : rows("SELECT DCCode, ApprovalStatus, IsOutDC FROM DC")) {
        const json found = demo->postSp(kCommon, dcScan(row["DCCode"].get<std::string>()));
        ASSERT_EQ(found.size(), row["ApprovalStatus"] == "Approved" ? 1u : 0u) << row;
        if (found.empty())
            continue;
        // A DC whose goods are all back passes no gate; any other at exactly one.
        EXPECT_EQ(takenAt(found[0], "DC"), row["IsOutDC"] == "OutDCComplete" ? 0 : 1) << found[0];
    }
    for (const auto &row : rows("SELECT GodownTransferCode FROM GodownTransfer")) {
        const json found =
            demo->postSp(kTransfers, transferScan(row["GodownTransferCode"].get<std::string>()));
        ASSERT_EQ(found.size(), 1u) << row;
        EXPECT_EQ(takenAt(found[0], "GT"), 1) << found[0];
    }
    for (const auto &[id, name] : divisions)
        for (const char *kind : {"DC out", "DC in", "DC back", "GT out", "GT in"})
            EXPECT_GE(seen[id].count(kind), 1u) << name << ": " << kind;
}

// --- QR codes of the demo documents ---------------------------------------------------------

// The text of the one QR code in a PNG, read with libpng and zxing-cpp; "" when there is none.
std::string decodedQRCode(const std::filesystem::path &file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&image, file.c_str()))
        return "";
    image.format = PNG_FORMAT_GRAY;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr))
        return "";
    ZXing::DecodeHints hints;
    hints.setFormats(ZXing::BarcodeFormat::QRCode);
    const auto result =
        ZXing::ReadBarcode({pixels.data(), static_cast<int>(image.width),
                            static_cast<int>(image.height), ZXing::ImageFormat::Lum},
                           hints);
    return result.isValid() ? result.text() : "";
}

// The id of the document a code leads to through its kind's lookup; "" when none.
std::string idFoundBy(const StandInServer &server, const std::string &kind,
                      const std::string &code) {
    const auto first = [&](const char *spName, const json &data, const char *key) {
        const json rows = postSp(server, spName, data);
        return rows.empty() ? std::string() : rows[0][key].get<std::string>();
    };
    if (kind == "dc")
        return first(kCommon, dcScan(code), "DC_id");
    if (kind == "gt")
        return first(kTransfers, transferScan(code), "GodownTransfer_id");
    if (kind == "hb")
        return first(kHandBits, handBitScan(code), "HB_id");
    return first(kBills, billScan(code), "Bill_id");
}

TEST(DocumentCodes, TheBinaryWritesOneReadableCodePerDocumentAndExits) {
    TempDir dir;
    const std::filesystem::path db = dir.path / "codes.db", codes = dir.path / "codes";
    FILE *out = popen(("'" SECLOG_SERVER_BINARY "' --db '" + db.string() +
                       "' --demo --write-codes '" + codes.string() + "' 2>&1")
                          .c_str(),
                      "r");
    ASSERT_NE(out, nullptr);
    std::string output;
    char buffer[256];
    while (fgets(buffer, sizeof buffer, out))
        output += buffer;
    const int status = pclose(out);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
    EXPECT_EQ(output,
              "seclog-server wrote 56 document codes to " + (codes / "codes.json").string() + "\n");

    std::ifstream indexFile(codes / "codes.json");
    const json index = json::parse(indexFile, nullptr, false);
    ASSERT_TRUE(index.is_array());
    std::map<std::string, size_t> perKind;
    std::set<std::string> listed = {"codes.json"};
    for (const auto &entry : index) {
        const std::string kind = entry["kind"], file = entry["file"];
        ++perKind[kind];
        listed.insert(file);
        EXPECT_EQ(file, kind + "-" + std::to_string(entry["id"].get<std::int64_t>()) + ".png");
        const std::string code = entry["code"], documentNumber = entry["number"];
        EXPECT_EQ(decodedQRCode(codes / file), code) << file;
        // What the client's classification sends each code to: in bill mode anything goes to
        // the bill lookup; otherwise "GT" picks a transfer, then "HB" a hand-bit DC.
        if (kind == "bill") {
            EXPECT_TRUE(code == "BILL" + documentNumber || code.size() > kSignedCodeLength) << code;
            continue;
        }
        EXPECT_EQ(code, documentNumber);
        const bool transfer = code.find("GT") != std::string::npos;
        EXPECT_EQ(transfer, kind == "gt") << code;
        EXPECT_EQ(!transfer && code.find("HB") != std::string::npos, kind == "hb") << code;
    }
    EXPECT_EQ(perKind,
              (std::map<std::string, size_t>{{"dc", 22}, {"gt", 12}, {"hb", 10}, {"bill", 12}}));
    std::set<std::string> written;
    for (const auto &file : std::filesystem::directory_iterator(codes))
        written.insert(file.path().filename().string());
    EXPECT_EQ(written, listed);

    // Served from that database, each code leads back to its document, except the DCs that
    // may not pass the gate.
    std::set<std::string> blocked;
    {
        Database read(db.string(), true);
        for (const auto &row :
             read.query("SELECT DC_id FROM DC WHERE ApprovalStatus <> 'Approved'"))
            blocked.insert(std::to_string(row["DC_id"].get<std::int64_t>()));
    }
    EXPECT_EQ(blocked.size(), 6u);
    StandInServer server{demoOptions(db)};
    for (const auto &entry : index) {
        const std::string kind = entry["kind"];
        const std::string id = std::to_string(entry["id"].get<std::int64_t>());
        EXPECT_EQ(idFoundBy(server, kind, entry["code"]),
                  kind == "dc" && blocked.count(id) ? "" : id)
            << entry["file"];
    }
}

} // namespace
} // namespace seclog::server::testing
