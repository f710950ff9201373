#include "database.h"
#include "procedure_params.h"
#include "procedures.h"

namespace seclog::server {
namespace {

// The party details screen's two pickers. An optional SearchText narrows the list ("" lists
// everything), contained in the name or the city, case ignored.

nlohmann::json suppliers(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query(
        "SELECT p.Party_id, p.PartyName, COALESCE(c.CityName, '') AS City FROM Party p "
        "LEFT JOIN City c ON c.City_id = p.City_id "
        "WHERE p.PartyName LIKE ?1 ESCAPE '\\' OR COALESCE(c.CityName, '') LIKE ?1 ESCAPE '\\' "
        "ORDER BY p.PartyName, p.Party_id",
        {likeContains(textParam(data, "SearchText"))});
}

nlohmann::json cities(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query("SELECT City_id, CityName FROM City "
                            "WHERE CityName LIKE ?1 ESCAPE '\\' ORDER BY CityName",
                            {likeContains(textParam(data, "SearchText"))});
}

} // namespace

void addPartyProcedures(ProcedureRegistry &registry) {
    registry.add("USP_GetSecurityLogBySearchText", "SearchBy", "Sec_Supplier", suppliers);
    registry.add("USP_GetSecurityLogBySearchText", "SearchBy", "Sec_City", cities);
}

} // namespace seclog::server
