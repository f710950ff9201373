#include "database.h"
#include "date_time.h"
#include "procedure_params.h"
#include "procedures.h"
#include "request_error.h"

#include <charconv>
#include <optional>

namespace seclog::server {
namespace {

nlohmann::json errorReply(const std::string &message) {
    return nlohmann::json::array({{{"ErrorMsg", message}}});
}

std::optional<std::int64_t> parseLogId(const std::string &text) {
    std::int64_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    if (error != std::errc() || end != text.data() + text.size() || id <= 0)
        return std::nullopt;
    return id;
}

nlohmann::json markOut(ProcedureContext &context, const std::string &idText) {
    const auto id = parseLogId(idText);
    if (!id)
        return errorReply("Invalid Security Log id '" + idText + "'");
    const auto rows =
        context.db.query("SELECT OutTime FROM SecurityIOLog WHERE SecIOLog_id = ?1", {*id});
    if (rows.empty())
        return errorReply("Security Log " + idText + " not found");
    if (!rows[0]["OutTime"].get<std::string>().empty())
        return errorReply("Security Log " + idText + " is already OUT");
    context.db.execute("UPDATE SecurityIOLog SET OutTime = ?1, IsUpdateable = 'No' "
                       "WHERE SecIOLog_id = ?2 AND OutTime = ''",
                       {isoNow(), *id});
    return nlohmann::json::array({{{"SMsg", "Security Log " + idText + " marked OUT"}}});
}

} // namespace

// The client reports problems here as ErrorMsg rows (HTTP 200), since it shows them to the
// guard. Only marking a log OUT is handled so far; full saves arrive with SecurityIODetails.
nlohmann::json saveSecurityIOLog(ProcedureContext &context, const std::string &securityIOLog,
                                 const std::string &securityIODetails) {
    const auto rows = nlohmann::json::parse(securityIOLog, nullptr, false);
    if (rows.is_discarded() || !rows.is_array() || rows.size() != 1 || !rows[0].is_object())
        return errorReply("SecurityIOLog must be a JSON array holding one row");
    std::string idText;
    try {
        idText = textParam(rows[0], "IOLog_ids");
    } catch (const RequestError &error) {
        return errorReply(error.what());
    }
    if (idText.empty()) {
        if (!securityIODetails.empty())
            return errorReply("Saving a new Security Log is not supported yet");
        return errorReply("IOLog_ids is missing");
    }
    return markOut(context, idText);
}

} // namespace seclog::server
