#include "demo_godown_transfers.h"

#include "database.h"
#include "date_time.h"
#include "demo_document_numbers.h"
#include "demo_document_pictures.h"
#include "file_store.h"

#include <array>
#include <set>
#include <vector>

namespace seclog::server {
namespace {

constexpr const char *kPictureFolder = "Security/GTImages/";

struct DemoGodown {
    const char *name;
    int division;
};

// Index + 1 is the Godown_id.
constexpr std::array<DemoGodown, 7> kGodowns = {{
    {"Cotton Godown", 1},
    {"Yarn Godown", 1},
    {"Beam Store", 2},
    {"Grey Fabric Godown", 2},
    {"Process Godown", 3},
    {"Chemical Store", 3},
    {"Packing Material Store", 3},
}};

struct DemoTransfer {
    int number;   // within the financial year
    int from, to; // Godown_id
    double hoursAgo;
    const char *isOutDC;
    ItemKind kind;
    int lots;
    int carrier; // Person_id
    const char *acceptedBy;
};

// Index + 1 is the GodownTransfer_id.
constexpr std::array<DemoTransfer, 12> kTransfers = {{
    {31, 2, 3, 5, "No", ItemKind::Yarn, 3, 3, "Venkatesh Rao"},
    {29, 2, 3, 30, "Yes", ItemKind::Yarn, 2, 6, "Venkatesh Rao"},
    {32, 2, 5, 3, "No", ItemKind::Yarn, 2, 10, "Anitha Joseph"},
    {30, 4, 5, 20, "No", ItemKind::Fabric, 3, 13, "Anitha Joseph"},
    {27, 4, 5, 50, "Yes", ItemKind::Fabric, 2, 3, "Anitha Joseph"},
    {28, 3, 2, 40, "Yes", ItemKind::Packing, 1, 10, "Suresh Natarajan"},
    {33, 6, 3, 2, "No", ItemKind::Chemical, 2, 6, "Venkatesh Rao"},
    {26, 6, 3, 70, "Yes", ItemKind::Chemical, 1, 3, "Venkatesh Rao"},
    {25, 7, 2, 90, "Yes", ItemKind::Packing, 2, 13, "Suresh Natarajan"},
    {34, 7, 1, 1, "No", ItemKind::Packing, 1, 10, "Suresh Natarajan"},
    {24, 2, 5, 120, "Yes", ItemKind::Yarn, 3, 6, "Anitha Joseph"},
    {35, 4, 5, 0.5, "No", ItemKind::Fabric, 2, 3, "Anitha Joseph"},
}};

std::string picturePath(size_t index) {
    return std::string(kPictureFolder) + "gt_" + std::to_string(index + 1) + ".png";
}

// A lot is so many bags, rolls or cartons of a standard size.
double pieceSize(ItemKind kind, int decimals) {
    switch (kind) {
    case ItemKind::Yarn:
        return 50;
    case ItemKind::Fabric:
        return decimals > 0 ? 22.5 : 100;
    case ItemKind::Chemical:
        return 35;
    default:
        return decimals > 0 ? 12.5 : 25;
    }
}

} // namespace

void insertDemoGodownTransfers(Database &db, const std::string &branchCode,
                               const DemoItemsByKind &items) {
    std::vector<SqlParams> godowns, transfers, lots;
    for (size_t i = 0; i < kGodowns.size(); ++i)
        godowns.push_back({static_cast<std::int64_t>(i + 1), std::string(kGodowns[i].name),
                           std::int64_t{kGodowns[i].division}});
    int lotNumber = 406;
    for (size_t i = 0; i < kTransfers.size(); ++i) {
        const DemoTransfer &gt = kTransfers[i];
        const auto id = static_cast<std::int64_t>(i + 1);
        const std::string createdOn = isoHoursAgo(gt.hoursAgo);
        transfers.push_back({id, branchCode, financialYearCode("GT", createdOn, gt.number),
                             createdOn, std::int64_t{gt.from}, std::int64_t{gt.to},
                             std::string(gt.isOutDC), std::int64_t{gt.carrier},
                             std::string(gt.acceptedBy), "~/" + picturePath(i)});
        const auto &offered = items[static_cast<size_t>(gt.kind)];
        std::set<std::int64_t> taken;
        std::int64_t lineNo = 0;
        for (int lot = 0; lot < gt.lots && !offered.empty(); ++lot) {
            const DemoItemRef &item =
                offered[(i * 5 + static_cast<size_t>(lot) * 2) % offered.size()];
            if (!taken.insert(item.itemId).second)
                continue;
            const int pieces = 4 + static_cast<int>((i * 13 + static_cast<size_t>(lot) * 7) % 27);
            lots.push_back({id, ++lineNo, financialYearCode("PP", createdOn, lotNumber++),
                            item.itemId, std::int64_t{pieces},
                            pieces * pieceSize(gt.kind, item.decimals)});
        }
    }
    db.executeForEach("INSERT INTO Godown(Godown_id, GodownName, Division_id) VALUES (?1, ?2, ?3)",
                      godowns);
    db.executeForEach(
        "INSERT INTO GodownTransfer(GodownTransfer_id, BranchCode, GodownTransferCode, CreatedOn, "
        "FromGodown_id, ToGodown_id, IsOutDC, TackenBy, TackenPerson_id, AcceptEmp_id, "
        "TackenImagePath) "
        "SELECT ?1, ?2, ?3, ?4, ?5, ?6, ?7, p.IOPerson, p.Person_id, "
        "(SELECT Employee_id FROM Employee WHERE EmpName = ?9), ?10 "
        "FROM Person p WHERE p.Person_id = ?8",
        transfers);
    db.executeForEach("INSERT INTO GodownTransferDetail(GodownTransfer_id, LineNo, ProdPlanCode, "
                      "Item_id, Pcs, Qty) VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
                      lots);
}

void writeDemoGodownTransferPictures(const std::filesystem::path &filesDir) {
    for (size_t i = 0; i < kTransfers.size(); ++i)
        writeFile(filesDir / picturePath(i),
                  goodsPng(kTransfers[i].kind, 40 + static_cast<int>(i)));
}

} // namespace seclog::server
