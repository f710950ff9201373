#include "demo_hand_bits.h"

#include "database.h"
#include "date_time.h"
#include "demo_document_numbers.h"

#include <array>
#include <vector>

namespace seclog::server {
namespace {

struct HandBitWorker {
    const char *name, *village, *mobile;
};

constexpr std::array<HandBitWorker, 3> kWorkers = {{
    {"Selvi Devi", "Tiruppur", "9600234567"},
    {"Pushpa Lakshmi", "Palladam", "94431 12233"},
    {"Jothi Murugesan", "Avinashi", "9842256781"},
}};

struct Colour {
    const char *name, *code;
};

constexpr std::array<Colour, 9> kColours = {{
    {"Navy Blue", "#1F2A5A"},
    {"White", "#FFFFFF"},
    {"Maroon", "#800000"},
    {"Bottle Green", "#006A4E"},
    {"Mustard Yellow", "#E1AD01"},
    {"Grey Melange", "#9E9E9E"},
    {"Sky Blue", "#87CEEB"},
    {"Black", "#000000"},
    {"Rose Pink", "#E8A0B4"},
}};

struct DemoHandBit {
    int number; // within the financial year
    int division;
    const char *department, *issuedTo;
    int daysAgo;
    const char *isOutDC;
    int worker; // index into kWorkers
    int colours;
    int firstColour; // index into kColours
};

// Index + 1 is the HB_id. DC 2 is all white.
constexpr std::array<DemoHandBit, 10> kHandBits = {{
    {7, 3, "Production", "Anitha Joseph", 1, "No", 0, 2, 0},
    {6, 3, "Production", "Anitha Joseph", 3, "Yes", 0, 1, 1},
    {8, 3, "Production", "Anitha Joseph", 1, "No", 1, 3, 2},
    {5, 3, "Production", "Anitha Joseph", 5, "Yes", 1, 2, 3},
    {9, 2, "Production", "Venkatesh Rao", 0, "No", 2, 1, 4},
    {4, 2, "Production", "Venkatesh Rao", 7, "Yes", 2, 2, 5},
    {10, 3, "Production", "Anitha Joseph", 0, "No", 0, 2, 6},
    {3, 3, "Production", "Anitha Joseph", 9, "Yes", 0, 3, 7},
    {11, 2, "Production", "Venkatesh Rao", 0, "No", 1, 1, 8},
    {2, 2, "Production", "Venkatesh Rao", 12, "Yes", 0, 2, 0},
}};

} // namespace

void insertDemoHandBits(Database &db, const std::string &branchCode, const DemoItemsByKind &items) {
    const auto &yarns = items[static_cast<size_t>(ItemKind::Yarn)];
    std::vector<SqlParams> handBits, lines;
    for (size_t i = 0; i < kHandBits.size(); ++i) {
        const DemoHandBit &hb = kHandBits[i];
        const HandBitWorker &worker = kWorkers[static_cast<size_t>(hb.worker)];
        const auto id = static_cast<std::int64_t>(i + 1);
        const std::string date = isoHoursAgo(hb.daysAgo * 24.0).substr(0, 10);
        handBits.push_back({id, branchCode, std::int64_t{hb.division}, std::string(hb.department),
                            financialYearCode("HB", date, hb.number), date,
                            std::string(worker.name), std::string(worker.village),
                            std::string(worker.mobile), std::string(hb.issuedTo),
                            std::string(hb.isOutDC)});
        // One yarn dyed in every colour of the DC.
        if (yarns.empty())
            continue;
        const DemoItemRef &yarn = yarns[(i * 3) % yarns.size()];
        for (int c = 0; c < hb.colours; ++c) {
            const Colour &colour =
                kColours[static_cast<size_t>(hb.firstColour + c) % kColours.size()];
            lines.push_back({id, std::int64_t{c + 1}, std::string(colour.name),
                             std::string(colour.code), yarn.itemId,
                             demoQuantity(static_cast<int>(i) * 3 + c, yarn.decimals, 2, 24)});
        }
    }
    db.executeForEach(
        "INSERT INTO HandBitDC(HB_id, BranchCode, Division_id, Department_id, DCCode, DCDate, "
        "PartyName, Village, HBMobileNo, IssToEmp_id, IsOutDC) "
        "VALUES (?1, ?2, ?3, (SELECT Department_id FROM Department WHERE Department = ?4), ?5, "
        "?6, ?7, ?8, ?9, (SELECT Employee_id FROM Employee WHERE EmpName = ?10), ?11)",
        handBits);
    db.executeForEach("INSERT INTO HandBitDCDetail(HB_id, LineNo, ColorName, ColorCode, Item_id, "
                      "Qty) VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
                      lines);
}

} // namespace seclog::server
