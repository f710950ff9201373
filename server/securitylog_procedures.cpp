#include "database.h"
#include "log_queries.h"
#include "procedure_params.h"
#include "procedures.h"

namespace seclog::server {
namespace {

std::string branchParam(const nlohmann::json &data) {
    return textParam(data, {"BranchCode", "branchCode"});
}

// Open logs of one division (SearchText holds the Division_id), newest first.
nlohmann::json openLogsOfDivision(ProcedureContext &context, const nlohmann::json &data) {
    const std::string sql = std::string(kLogRowSelect) +
                            "WHERE l.OutTime = '' AND CAST(l.Division_id AS TEXT) = ?2 "
                            "AND (?3 = '' OR l.BranchCode = ?3) "
                            "ORDER BY l.InTime DESC, l.SecIOLog_id DESC";
    return context.db.query(sql,
                            {logCutoffDisplay(), textParam(data, "SearchText"), branchParam(data)});
}

// People by name or mobile, each with their latest log from any division.
nlohmann::json peopleWithLatestLog(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query(
        std::string(kPersonLatestLogSelect) +
            "WHERE p.IOPerson LIKE ?2 ESCAPE '\\' OR p.IOMobile LIKE ?2 ESCAPE '\\' "
            "ORDER BY l.InTime IS NULL, l.InTime DESC, p.IOPerson LIMIT 50",
        {logCutoffDisplay(), likeContains(textParam(data, "SearchText"))});
}

// Report screen search over all divisions: exact log id, or text in name, mobile,
// vehicle or token.
nlohmann::json reportFilterSearch(ProcedureContext &context, const nlohmann::json &data) {
    const std::string text = textParam(data, "SearchText");
    const std::string sql =
        std::string(kLogRowSelect) +
        "WHERE (?4 = '' OR l.BranchCode = ?4) AND (CAST(l.SecIOLog_id AS TEXT) = ?2 "
        "OR p.IOPerson LIKE ?3 ESCAPE '\\' OR p.IOMobile LIKE ?3 ESCAPE '\\' "
        "OR l.IOVehicle LIKE ?3 ESCAPE '\\' OR l.TokenNo LIKE ?3 ESCAPE '\\') "
        "ORDER BY l.InTime DESC, l.SecIOLog_id DESC LIMIT 100";
    return context.db.query(sql, {logCutoffDisplay(), text, likeContains(text), branchParam(data)});
}

// The item lines of one log (SearchText holds the SecIOLog_id), IN lines before OUT lines,
// each in the order saved, so that the lines of one document stay together.
nlohmann::json logDetails(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query(
        "SELECT d.SecIODet_id AS SecIOLogDet_id, d.PartyName, d.City, "
        "COALESCE(d.Party_id, '') AS Party_id, d.DocNo, "
        "CASE WHEN d.DocDate = '' THEN '' ELSE display_time(d.DocDate || ' 00:00:00') END "
        "AS DocDate, d.Particulars, d.Quantity, d.OutQty, d.DocPath, d.DC_id "
        "FROM SecurityIODetails d JOIN SecurityIOLog l ON l.SecIOLog_id = d.SecIOLog_id "
        "WHERE CAST(l.SecIOLog_id AS TEXT) = ?1 AND (?2 = '' OR l.BranchCode = ?2) "
        "ORDER BY d.Section, d.SecIODet_id",
        {textParam(data, "SearchText"), branchParam(data)});
}

} // namespace

void addSecurityLogProcedures(ProcedureRegistry &registry) {
    registry.add("USP_GetSecurityLogBySearchText", "SearchBy", "NotOut", openLogsOfDivision);
    registry.add("USP_GetSecurityLogBySearchText", "SearchBy", "SecIOLogDetail", logDetails);
    registry.add("USP_SecurityLogBySearchText_RptSearch", "SearchBy", "MobileIOS",
                 peopleWithLatestLog);
    registry.add("USP_SecurityLogBySearchText_RptSearch", "SearchBy", "SecIOS_ReportFilterSearch",
                 reportFilterSearch);
}

} // namespace seclog::server
