#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace seclog::server {

class Database;

struct HistoryPerson {
    std::int64_t personId;
    std::int64_t ioTypeId; // the entry type they always come as
    std::string vehicle;   // "" when they come on foot
};

// The mill's callers of the past months: sixty people besides the recent demo visitors,
// named so that a search for one of those (its first four letters, any of its names) finds
// none of them, with plain ten-digit mobiles (never "+91"). Their photos reuse the demo
// portraits. Needs the entry types and the demo people stored first.
std::vector<HistoryPerson> insertHistoryPeople(Database &db);

} // namespace seclog::server
