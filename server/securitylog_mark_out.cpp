#include "database.h"
#include "date_time.h"
#include "procedure_params.h"
#include "procedures.h"
#include "request_error.h"

namespace seclog::server {
namespace {

nlohmann::json errorReply(const std::string &message) {
    return nlohmann::json::array({{{"ErrorMsg", message}}});
}

nlohmann::json markOut(ProcedureContext &context, const std::string &idText) {
    const auto id = positiveId(idText);
    if (!id)
        return errorReply("Invalid Security Log id '" + idText + "'");
    const auto rows =
        context.db.query("SELECT OutTime FROM SecurityIOLog WHERE SecIOLog_id = ?1", {*id});
    if (rows.empty())
        return errorReply("Security Log " + idText + " not found");
    if (!rows[0]["OutTime"].get<std::string>().empty())
        return errorReply("Security Log " + idText + " is already OUT");
    // A log past its update time may still be marked OUT; only the form is refused.
    context.db.execute("UPDATE SecurityIOLog SET OutTime = ?1, IsUpdateable = 'No' "
                       "WHERE SecIOLog_id = ?2 AND OutTime = ''",
                       {isoNow(), *id});
    return nlohmann::json::array({{{"SMsg", "Security Log " + idText + " marked OUT"}}});
}

} // namespace

// The client reports problems here as ErrorMsg rows (HTTP 200), since it shows them to the
// guard. This path only marks a log OUT; whole logs arrive at /SaveSecurityIOLog_NoImageData.
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
            return errorReply(
                "Whole Security Logs are saved through /SaveSecurityIOLog_NoImageData");
        return errorReply("IOLog_ids is missing");
    }
    return markOut(context, idText);
}

} // namespace seclog::server
