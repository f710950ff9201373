#include "log_id_lists.h"

#include "database.h"
#include "procedure_params.h"
#include "request_error.h"

#include <array>
#include <string_view>

namespace seclog::server {
namespace {

struct IdListKey {
    std::string_view headerKey, listName;
};

constexpr std::array<IdListKey, 7> kIdListKeys = {{
    {"INDC_ids", "INDC_ids"},
    {"OUTDC_ids", "OUTDC_ids"},
    {"DC_Detids", "DC_Detids"},
    {"INGodTrn_ids", "INGodTrn_ids"},
    {"OUTGodTrn_ids", "OUTGodTrn_ids"},
    {"INHB_ids ", "INHB_ids"}, // the client's key has the blank
    {"OUTHB_ids", "OUTHB_ids"},
}};

std::vector<std::int64_t> parseIds(std::string_view key, std::string_view text) {
    std::vector<std::int64_t> ids;
    if (text.empty())
        return ids;
    for (size_t start = 0;;) {
        const size_t comma = text.find(',', start);
        const auto id = positiveId(text.substr(start, comma - start));
        if (!id)
            throw RequestError(std::string(key) + " '" + std::string(text) +
                               "' is not a list of ids joined by ','");
        ids.push_back(*id);
        if (comma == std::string_view::npos)
            return ids;
        start = comma + 1;
    }
}

} // namespace

std::vector<IdList> readIdLists(const nlohmann::json &header) {
    std::vector<IdList> lists;
    for (const auto &[headerKey, listName] : kIdListKeys)
        lists.push_back({std::string(listName), parseIds(headerKey, textParam(header, headerKey))});
    return lists;
}

void storeIdLists(Database &db, std::int64_t logId, const std::vector<IdList> &lists) {
    for (const IdList &list : lists)
        for (std::int64_t id : list.ids)
            db.execute("INSERT OR IGNORE INTO SecurityIOLogDocIds(SecIOLog_id, ListName, Doc_id) "
                       "VALUES (?1, ?2, ?3)",
                       {logId, list.listName, id});
}

} // namespace seclog::server
