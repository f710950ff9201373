#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

namespace seclog::server {

class Database;

// One document id list of a save's header, e.g. INDC_ids "12,15".
struct IdList {
    std::string listName; // stored name: the header key without the client's trailing blank
    std::vector<std::int64_t> ids;
};

// Reads the lists INDC_ids, OUTDC_ids, DC_Detids, INGodTrn_ids, OUTGodTrn_ids, "INHB_ids "
// (its key ends with a blank) and OUTHB_ids from the header row. A missing key or "" is an
// empty list; anything but positive ids joined by "," is a RequestError.
std::vector<IdList> readIdLists(const nlohmann::json &header);

// Adds the ids to the log's stored lists; an id already in a list stays there once.
void storeIdLists(Database &db, std::int64_t logId, const std::vector<IdList> &lists);

} // namespace seclog::server
