#include "demo_store_pos.h"

#include "database.h"
#include "date_time.h"
#include "demo_parties.h"

#include <array>
#include <cstdio>
#include <map>
#include <set>
#include <vector>

namespace seclog::server {
namespace {

struct DemoPO {
    int party; // Party_id
    int daysAgo;
};

// Oldest first, which is the order their numbers run in. Two share a day.
constexpr std::array<DemoPO, 25> kPOs = {{
    {1, 150}, {8, 142}, {14, 131}, {19, 120}, {11, 113}, {2, 104}, {23, 97}, {25, 90}, {29, 84},
    {15, 76}, {34, 69}, {6, 61},   {20, 55},  {10, 48},  {32, 42}, {26, 37}, {3, 30},  {12, 30},
    {24, 21}, {16, 17}, {21, 13},  {36, 9},   {4, 6},    {13, 3},  {27, 1},
}};

// Numbers run within a financial year, April to March: "SPO/26-27/0001".
std::string poCode(const std::string &isoDate, std::map<int, int> &lastNumbers) {
    const int year = std::stoi(isoDate.substr(0, 4));
    const int startYear = std::stoi(isoDate.substr(5, 2)) >= 4 ? year : year - 1;
    char code[32];
    std::snprintf(code, sizeof code, "SPO/%02d-%02d/%04d", startYear % 100, (startYear + 1) % 100,
                  ++lastNumbers[startYear]);
    return code;
}

// A believable order size; whole for whole units, else sometimes with a fraction the item's
// decimals can show (binary fractions, so the number prints as written).
double quantity(int seed, int decimals) {
    const double whole = 5 + (seed * 37) % 240;
    if (decimals <= 0 || seed % 2 == 0)
        return whole;
    constexpr std::array kFractions = {0.5, 0.25, 0.75, 0.125};
    const size_t choices = decimals == 1 ? 1 : decimals == 2 ? 3 : kFractions.size();
    return whole + kFractions[static_cast<size_t>(seed) % choices];
}

} // namespace

void insertDemoStorePOs(Database &db, const std::string &branchCode, const DemoItemsByKind &items) {
    std::vector<SqlParams> orders, lines;
    std::map<int, int> lastNumbers;
    for (size_t i = 0; i < kPOs.size(); ++i) {
        const DemoPO &po = kPOs[i];
        const auto poId = static_cast<std::int64_t>(i + 1);
        const std::string date = isoHoursAgo(po.daysAgo * 24.0).substr(0, 10);
        orders.push_back(
            {poId, branchCode, poCode(date, lastNumbers), date, std::int64_t{po.party}});

        const auto &offered =
            items[static_cast<size_t>(kDemoSuppliers[static_cast<size_t>(po.party - 1)].sells)];
        const int lineCount = 2 + static_cast<int>(i * 7) % 5;
        std::set<std::int64_t> ordered;
        std::int64_t lineNo = 0;
        for (int line = 0; line < lineCount && !offered.empty(); ++line) {
            const DemoItemRef &item =
                offered[(i * 11 + static_cast<size_t>(line) * 3) % offered.size()];
            if (!ordered.insert(item.itemId).second)
                continue;
            const int seed = static_cast<int>(i) * 7 + line;
            lines.push_back({poId, ++lineNo, item.itemId, quantity(seed, item.decimals)});
        }
    }
    db.executeForEach("INSERT INTO StorePO(StorePO_id, BranchCode, StorePOCode, StorePODate, "
                      "Party_id) VALUES (?1, ?2, ?3, ?4, ?5)",
                      orders);
    db.executeForEach("INSERT INTO StorePOLine(StorePO_id, LineNo, Item_id, Quantity) "
                      "VALUES (?1, ?2, ?3, ?4)",
                      lines);
}

} // namespace seclog::server
