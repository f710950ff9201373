#include "database.h"
#include "procedure_params.h"
#include "procedures.h"

namespace seclog::server {
namespace {

// Store POs of the branch whose code or party name holds LikeStr, case ignored, the latest
// first. No text, no rows.
nlohmann::json storePOs(ProcedureContext &context, const nlohmann::json &data) {
    const std::string branch = requiredText(data, "BranchCode");
    const std::string text = textParam(data, "LikeStr");
    if (text.empty())
        return nlohmann::json::array();
    return context.db.query(
        "SELECT s.StorePO_id, p.PartyName AS PartyBranchName, s.StorePOCode, "
        "strftime('%d/%m/%Y', s.StorePODate) AS StorePODate, "
        "(SELECT COUNT(*) FROM StorePOLine l WHERE l.StorePO_id = s.StorePO_id) AS NoOfItems, "
        "s.Party_id, COALESCE(c.CityName, '') AS CityName "
        "FROM StorePO s JOIN Party p ON p.Party_id = s.Party_id "
        "LEFT JOIN City c ON c.City_id = p.City_id "
        "WHERE s.BranchCode = ?1 "
        "AND (s.StorePOCode LIKE ?2 ESCAPE '\\' OR p.PartyName LIKE ?2 ESCAPE '\\') "
        "ORDER BY s.StorePODate DESC, s.StorePOCode",
        {branch, likeContains(text)});
}

// The lines of one PO in line order. This reply goes out without withStrings, so the
// quantity and the decimals stay JSON numbers; a whole quantity comes out as an integer.
nlohmann::json storePOLines(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query(
        "SELECT i.ItemName, "
        "CASE WHEN l.Quantity = CAST(l.Quantity AS INTEGER) THEN CAST(l.Quantity AS INTEGER) "
        "ELSE l.Quantity END AS Quantity, "
        "i.Unit_id, u.SingularSymbol, u.PluralSymbol, i.NoOfDecimal, i.ImagePath "
        "FROM StorePOLine l JOIN Item i ON i.Item_id = l.Item_id "
        "JOIN Unit u ON u.Unit_id = i.Unit_id "
        "WHERE l.StorePO_id = ?1 ORDER BY l.LineNo",
        {positiveIdParam(data, "ID")});
}

} // namespace

void addStorePOProcedures(ProcedureRegistry &registry) {
    registry.add("USP_GetSecurityLogSummaryReport", "GetType", "StorePO", storePOs);
    registry.add("USP_GetSecurityLogSummaryReport", "GetType", "StorePODetails", storePOLines);
}

} // namespace seclog::server
