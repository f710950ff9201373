#include "demo_dcs.h"

#include "database.h"
#include "date_time.h"
#include "demo_document_numbers.h"
#include "demo_document_pictures.h"
#include "file_store.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <vector>

namespace seclog::server {
namespace {

constexpr const char *kPictureFolder = "Security/DCImages/";
constexpr const char *kApprover = "Ramesh Iyer";
constexpr std::array kNewDepartments = {"Maintenance", "Dispatch"};

enum class Returned { Nothing, Part, All };

struct DemoDC {
    int number;           // within the issuing division and financial year
    int from;             // Division_id
    const char *fromDept; // Department
    int to;               // Division_id; 0: the outside party
    const char *toDept;   // "" for a party
    int party;            // Party_id of an outside DC, else 0
    int daysAgo;
    const char *isOutDC, *isRet, *approval;
    ItemKind kind;
    int lines, pictures;
    int carrier;             // Person_id; 0: someone the gate does not know
    const char *carrierName; // when carrier is 0
    const char *issuedBy, *issuedTo;
    Returned returned = Returned::Nothing;
    int firstItem = -1; // position among the demo items of its kind; -1: spread by DC
};

// Index + 1 is the DC_id. Outside parties: 14 Lakshmi Machine Works, 15 Kovai Textile Spares,
// 22 Bhiwandi Paper Cones, 25 Somanur Weaving Company, 29 Sakthi Electricals, 26 Palladam Knit
// Fabrics, 10 Erode Dye Chem, 28 Erode Handloom Sales, 35 Namakkal Oil Traders. Carriers:
// 3 Murugan S, 6 Rajesh Kannan, 10 Senthil Kumar (drivers), 4 Anand Krishnan, 8 Prakash Raj,
// 13 Harish Babu, 14 Meena Sundaram (who never came through the gate).
constexpr std::array<DemoDC, 22> kDCs = {{
    // Spinning
    {142, 1, "Stores", 2, "Production", 0, 1, "No", "NR", "Approved", ItemKind::Yarn, 3, 3, 3, "",
     "Suresh Natarajan", "Venkatesh Rao"},
    {139, 1, "Stores", 3, "Production", 0, 3, "Yes", "NR", "Approved", ItemKind::Yarn, 2, 2, 6, "",
     "Suresh Natarajan", "Anitha Joseph"},
    {141, 1, "Stores", 2, "Production", 0, 1, "Yes", "NR", "Approved", ItemKind::Yarn, 2, 3, 3, "",
     "Suresh Natarajan", "Venkatesh Rao"},
    {143, 1, "Maintenance", 0, "", 14, 1, "No", "R", "Approved", ItemKind::Spare, 2, 3, 10, "",
     "Suresh Natarajan", "Ramesh Iyer"},
    {131, 1, "Maintenance", 0, "", 15, 9, "OutDCYes", "R", "Approved", ItemKind::Spare, 3, 2, 4, "",
     "Suresh Natarajan", "Suresh Natarajan", Returned::Part},
    {144, 1, "Stores", 0, "", 22, 0, "No", "NR", "Pending", ItemKind::Packing, 1, 1, 3, "",
     "Suresh Natarajan", "Ramesh Iyer", Returned::Nothing, 7}, // empty paper cones
    {140, 1, "Stores", 2, "Production", 0, 2, "No", "NR", "Rejected", ItemKind::Yarn, 1, 1, 6, "",
     "Suresh Natarajan", "Venkatesh Rao"},
    // Weaving
    {87, 2, "Production", 3, "Production", 0, 1, "No", "NR", "Approved", ItemKind::Fabric, 4, 3, 13,
     "", "Venkatesh Rao", "Anitha Joseph"},
    {85, 2, "Production", 3, "Quality", 0, 1, "Yes", "NR", "Approved", ItemKind::Fabric, 2, 2, 3,
     "", "Venkatesh Rao", "Anitha Joseph"},
    {83, 2, "Stores", 1, "Stores", 0, 2, "Yes", "NR", "Approved", ItemKind::Packing, 2, 1, 10, "",
     "Venkatesh Rao", "Suresh Natarajan"},
    {88, 2, "Production", 0, "", 25, 0, "No", "R", "Approved", ItemKind::Yarn, 5, 2, 6, "",
     "Venkatesh Rao", "Venkatesh Rao"},
    {71, 2, "Maintenance", 0, "", 29, 12, "OutDCComplete", "R", "Approved", ItemKind::Electrical, 1,
     2, 8, "", "Venkatesh Rao", "Venkatesh Rao", Returned::All, 14}, // a fan to rewind
    {79, 2, "Production", 0, "", 26, 6, "OutDCYes", "R", "Approved", ItemKind::Fabric, 3, 3, 10, "",
     "Venkatesh Rao", "Venkatesh Rao", Returned::Part},
    // Processing
    {64, 3, "Stores", 2, "Production", 0, 1, "Yes", "NR", "Approved", ItemKind::Chemical, 2, 2, 3,
     "", "Anitha Joseph", "Venkatesh Rao"},
    {65, 3, "Stores", 1, "Stores", 0, 1, "Yes", "NR", "Approved", ItemKind::Packing, 1, 1, 10, "",
     "Anitha Joseph", "Suresh Natarajan"},
    {66, 3, "Dispatch", 1, "Stores", 0, 0, "No", "NR", "Approved", ItemKind::Lubricant, 1, 1, 0,
     "Professional Couriers", "Anitha Joseph", "Suresh Natarajan"},
    {67, 3, "Stores", 0, "", 10, 0, "No", "NR", "Approved", ItemKind::Dye, 2, 2, 6, "",
     "Anitha Joseph", "Ramesh Iyer"},
    {58, 3, "Production", 0, "", 28, 4, "OutDCYes", "R", "Approved", ItemKind::Fabric, 2, 2, 14, "",
     "Anitha Joseph", "Anitha Joseph", Returned::Part},
    {68, 3, "Quality", 2, "Production", 0, 0, "No", "NR", "Pending", ItemKind::Chemical, 1, 1, 13,
     "", "Anitha Joseph", "Venkatesh Rao"},
    {69, 3, "Stores", 0, "", 35, 0, "No", "R", "Rejected", ItemKind::Lubricant, 1, 1, 6, "",
     "Anitha Joseph", "Ramesh Iyer"},
    // Weaving again, so that every division has a DC waiting and one rejected.
    {89, 2, "Production", 3, "Production", 0, 0, "No", "NR", "Pending", ItemKind::Fabric, 2, 2, 13,
     "", "Venkatesh Rao", "Anitha Joseph"},
    {86, 2, "Maintenance", 0, "", 14, 1, "No", "R", "Rejected", ItemKind::Spare, 1, 2, 4, "",
     "Venkatesh Rao", "Ramesh Iyer"},
}};

std::string picturePath(size_t index, const char *what) {
    return std::string(kPictureFolder) + "dc_" + std::to_string(index + 1) + "_" + what + ".png";
}

// ImagePath3 is the main picture (the goods), then the challan (1), then the vehicle (2).
std::array<std::string, 3> imagePaths(size_t index) {
    const int pictures = kDCs[index].pictures;
    const auto path = [&](const char *what) { return "~/" + picturePath(index, what); };
    return {pictures >= 2 ? path("challan") : "", pictures >= 3 ? path("vehicle") : "",
            path("goods")};
}

// How much of one item a DC of this kind carries: spares by the piece, yarn and fabric by
// the bag and the roll.
double lineQuantity(ItemKind kind, int seed, int decimals) {
    switch (kind) {
    case ItemKind::Spare:
    case ItemKind::Electrical:
        return demoQuantity(seed, decimals, 2, 6);
    case ItemKind::Yarn:
    case ItemKind::Fabric:
        return demoQuantity(seed, decimals, 40, 460);
    case ItemKind::Packing:
        return demoQuantity(seed, decimals, 50, 450);
    default:
        return demoQuantity(seed, decimals, 10, 90);
    }
}

// What has come back of line `line` of a DC that returned goods: the first line whole and the
// second about two fifths when some came back (the only line in part when it has one).
double returnedQuantity(const DemoDC &dc, int line, double passed) {
    const double part = std::max(1.0, std::floor(passed * 0.4));
    switch (dc.returned) {
    case Returned::All:
        return passed;
    case Returned::Part:
        if (dc.lines == 1)
            return line == 0 ? part : 0;
        return line == 0 ? passed : line == 1 ? part : 0;
    case Returned::Nothing:
        break;
    }
    return 0;
}

// When the approver decided on DC `index`: during the working day of its date, or within the
// last hour for a DC of today when the working day has not come that far yet. ISO.
std::string decidedOn(size_t index, const std::string &date) {
    const int minutes = 9 * 60 + 30 + static_cast<int>(index * 47 % 420);
    const auto twoDigits = [](int value) {
        return (value < 10 ? "0" : "") + std::to_string(value);
    };
    const std::string workingHours =
        date + " " + twoDigits(minutes / 60) + ":" + twoDigits(minutes % 60) + ":00";
    const std::string lately =
        std::max(isoHoursAgo(0.2 + static_cast<double>(index % 4) * 0.2), date + " 00:00:00");
    return std::min(workingHours, lately);
}

SqlValue idOrNull(int id) {
    return id > 0 ? SqlValue(std::int64_t{id}) : SqlValue(nullptr);
}

} // namespace

const char *demoDivisionShortName(int division) {
    constexpr std::array kShortNames = {"SPN", "WVG", "PRC"};
    return kShortNames.at(static_cast<size_t>(division - 1));
}

void insertDemoDCs(Database &db, const std::string &branchCode, const DemoItemsByKind &items) {
    for (const char *department : kNewDepartments)
        db.execute("INSERT INTO Department(Department) SELECT ?1 "
                   "WHERE NOT EXISTS (SELECT 1 FROM Department WHERE Department = ?1)",
                   {std::string(department)});
    std::vector<SqlParams> dcs, lines;
    for (size_t i = 0; i < kDCs.size(); ++i) {
        const DemoDC &dc = kDCs[i];
        const auto dcId = static_cast<std::int64_t>(i + 1);
        const std::string date = isoHoursAgo(dc.daysAgo * 24.0).substr(0, 10);
        const std::string prefix = std::string("DC/") + demoDivisionShortName(dc.from);
        const auto paths = imagePaths(i);
        dcs.push_back({dcId,
                       branchCode,
                       financialYearCode(prefix, date, dc.number),
                       date,
                       std::string(dc.to > 0 ? "IDC" : "GDC"),
                       std::int64_t{dc.from},
                       std::string(dc.fromDept),
                       idOrNull(dc.to),
                       std::string(dc.toDept),
                       idOrNull(dc.party),
                       std::string(dc.isOutDC),
                       std::string(dc.isRet),
                       std::string(dc.approval),
                       std::string(dc.issuedBy),
                       std::string(dc.issuedTo),
                       idOrNull(dc.carrier),
                       std::string(dc.carrierName),
                       paths[0],
                       paths[1],
                       paths[2],
                       std::string(kApprover),
                       decidedOn(i, date)});

        const auto &offered = items[static_cast<size_t>(dc.kind)];
        std::set<std::int64_t> taken;
        std::int64_t lineNo = 0;
        for (int line = 0; line < dc.lines && !offered.empty(); ++line) {
            const size_t first = dc.firstItem >= 0 ? static_cast<size_t>(dc.firstItem) : i * 7;
            const DemoItemRef &item =
                offered[(first + static_cast<size_t>(line) * 3) % offered.size()];
            if (!taken.insert(item.itemId).second)
                continue;
            const double passed =
                lineQuantity(dc.kind, static_cast<int>(i) * 5 + line, item.decimals);
            lines.push_back({dcId, ++lineNo, item.itemId, passed,
                             returnedQuantity(dc, static_cast<int>(lineNo - 1), passed)});
        }
    }
    // Names are looked up here so that the table above reads as the challans do.
    db.executeForEach(
        "INSERT INTO DC(DC_id, BranchCode, DCCode, DCDate, DCType, FromDivision_id, "
        "FromDepartment_id, ToDivision_id, ToDepartment_id, Party_id, IsOutDC, IsRet, "
        "ApprovalStatus, ApprovedBy, ApprovedOn, IssueEmp_id, IssToEmp_id, TakenByName, "
        "TakenPerson_id, ImagePath1, ImagePath2, ImagePath3) "
        "VALUES (?1, ?2, ?3, ?4, ?5, ?6, (SELECT Department_id FROM Department "
        "WHERE Department = ?7), ?8, (SELECT Department_id FROM Department WHERE Department = ?9), "
        "?10, ?11, ?12, ?13, "
        "CASE WHEN ?13 = 'Pending' THEN NULL "
        "ELSE (SELECT Employee_id FROM Employee WHERE EmpName = ?21) END, "
        "CASE WHEN ?13 = 'Pending' THEN NULL ELSE ?22 END, "
        "(SELECT Employee_id FROM Employee WHERE EmpName = ?14), "
        "(SELECT Employee_id FROM Employee WHERE EmpName = ?15), "
        "COALESCE((SELECT IOPerson FROM Person WHERE Person_id = ?16), ?17), ?16, ?18, ?19, ?20)",
        dcs);
    db.executeForEach("INSERT INTO DCDetail(DC_id, LineNo, Item_id, PassedQty, ReturnQty) "
                      "VALUES (?1, ?2, ?3, ?4, ?5)",
                      lines);
}

void writeDemoDCPictures(const std::filesystem::path &filesDir) {
    for (size_t i = 0; i < kDCs.size(); ++i) {
        const int seed = static_cast<int>(i) + 1;
        writeFile(filesDir / picturePath(i, "goods"), goodsPng(kDCs[i].kind, seed));
        if (kDCs[i].pictures >= 2)
            writeFile(filesDir / picturePath(i, "challan"), challanSheetPng(seed));
        if (kDCs[i].pictures >= 3)
            writeFile(filesDir / picturePath(i, "vehicle"), lorryPng(seed));
    }
}

} // namespace seclog::server
