#include "log_save_details.h"

#include "procedure_params.h"
#include "request_error.h"

#include <chrono>
#include <nlohmann/json.hpp>

namespace seclog::server {
namespace {

bool isDecimal(const std::string &text) {
    const size_t point = text.find('.');
    const std::string whole = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "1" : text.substr(point + 1);
    const auto digitsOnly = [](const std::string &part) {
        return !part.empty() && part.find_first_not_of("0123456789") == std::string::npos;
    };
    return digitsOnly(whole) && digitsOnly(fraction);
}

bool isIsoDate(const std::string &text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return false;
    for (size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (text[i] < '0' || text[i] > '9')
            return false;
    const std::chrono::year_month_day date{std::chrono::year(std::stoi(text.substr(0, 4))),
                                           std::chrono::month(std::stoul(text.substr(5, 2))),
                                           std::chrono::day(std::stoul(text.substr(8, 2)))};
    return date.ok();
}

// "" and "0" mean none.
std::optional<std::int64_t> optionalId(const nlohmann::json &row, std::string_view key) {
    const std::string text = textParam(row, key);
    if (text.empty() || text == "0")
        return std::nullopt;
    const auto id = positiveId(text);
    if (!id)
        throw RequestError(std::string(key) + " '" + text + "' is not an id");
    return id;
}

LogSaveDetail parseDetail(const nlohmann::json &row) {
    if (!row.is_object())
        throw RequestError("not a JSON object");
    LogSaveDetail detail;
    const bool hasIn = row.contains("Quantity"), hasOut = row.contains("OutQty");
    if (hasIn == hasOut)
        throw RequestError("needs either Quantity or OutQty");
    detail.out = hasOut;
    const std::string key = hasOut ? "OutQty" : "Quantity";
    detail.quantity = textParam(row, key);
    if (!detail.quantity.empty() && !isDecimal(detail.quantity))
        throw RequestError(key + " '" + detail.quantity + "' is not a number");
    detail.docDate = textParam(row, "DocDate");
    if (!detail.docDate.empty() && !isIsoDate(detail.docDate))
        throw RequestError("DocDate '" + detail.docDate + "' is not a yyyy-MM-dd date");
    detail.savedId = optionalId(row, "SecIOLogDet_id");
    detail.partyId = optionalId(row, "Party_id");
    detail.dcId = optionalId(row, "DC_id").value_or(0);
    detail.partyName = textParam(row, "PartyName");
    detail.city = textParam(row, "City");
    detail.docNo = textParam(row, "DocNo");
    detail.particulars = textParam(row, "Particulars");
    detail.docPath = textParam(row, "DocPath");
    return detail;
}

} // namespace

std::vector<LogSaveDetail> parseLogSaveDetails(const std::string &securityIODetails) {
    std::vector<LogSaveDetail> details;
    if (securityIODetails.empty())
        return details;
    const auto rows = nlohmann::json::parse(securityIODetails, nullptr, false);
    if (rows.is_discarded() || !rows.is_array())
        throw RequestError("SecurityIODetails must be a JSON array of rows");
    for (size_t i = 0; i < rows.size(); ++i) {
        try {
            details.push_back(parseDetail(rows[i]));
        } catch (const RequestError &error) {
            throw RequestError("SecurityIODetails row " + std::to_string(i + 1) + ": " +
                               error.what());
        }
    }
    return details;
}

} // namespace seclog::server
