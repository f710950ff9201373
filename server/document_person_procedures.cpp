#include "database.h"
#include "log_queries.h"
#include "procedure_params.h"
#include "procedures.h"
#include "request_error.h"

namespace seclog::server {
namespace {

// The person named on a scanned document, with their latest log, so that a new log starts
// from what they came with last time. Both answer log rows (kPersonLatestLogSelect); the
// branch code the client adds is not read, since people are not kept per branch.

// SearchText is the carrier's id on a DC or godown transfer: a Person_id of the gate's own
// register. A carrier who never came still answers, with the log columns empty.
nlohmann::json personOfDocument(ProcedureContext &context, const nlohmann::json &data) {
    const auto id = positiveId(textParam(data, "SearchText"));
    if (!id)
        throw RequestError("SearchText must be a person id");
    return context.db.query(std::string(kPersonLatestLogSelect) + "WHERE p.Person_id = ?2",
                            {logCutoffDisplay(), *id});
}

// SearchText is the mobile of a hand-bit worker, matched whole, blanks and hyphens ignored;
// the person seen last first.
nlohmann::json personOfMobile(ProcedureContext &context, const nlohmann::json &data) {
    const std::string mobile = mobileDigits(textParam(data, "SearchText"));
    if (mobile.empty())
        return nlohmann::json::array();
    return context.db.query(std::string(kPersonLatestLogSelect) + "WHERE " + kMobileDigitsSql +
                                " = ?2 ORDER BY l.InTime IS NULL, l.InTime DESC, p.Person_id "
                                "LIMIT 50",
                            {logCutoffDisplay(), mobile});
}

} // namespace

void addDocumentPersonProcedures(ProcedureRegistry &registry) {
    registry.add("USP_GetSecurityLogBySearchText", "SearchBy", "MobileIOSByQRCode",
                 personOfDocument);
    registry.add("USP_GetSecurityLogBySearchText", "SearchBy", "MobileIOS", personOfMobile);
}

} // namespace seclog::server
