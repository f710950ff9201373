#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace seclog::server {

// One element of SecurityIODetails: an item line of a document in the log's IN or OUT section.
struct LogSaveDetail {
    std::optional<std::int64_t> savedId; // SecIOLogDet_id of a line saved before
    bool out = false;                    // sent with OutQty rather than Quantity
    std::string quantity;                // "" or a decimal number
    std::optional<std::int64_t> partyId;
    std::string partyName, city, docNo;
    std::string docDate; // "" or "yyyy-MM-dd"
    std::string particulars, docPath;
    std::int64_t dcId = 0; // an optional DC_id key; 0: not a DC line
};

// "" gives no lines. Throws RequestError naming the first bad row (counted from 1).
std::vector<LogSaveDetail> parseLogSaveDetails(const std::string &securityIODetails);

} // namespace seclog::server
