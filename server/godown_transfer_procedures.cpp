#include "database.h"
#include "procedure_params.h"
#include "procedures.h"
#include "request_error.h"

namespace seclog::server {
namespace {

// The transfer whose code was scanned (GodownTransferCode, case ignored) in the branch of the
// user in CreatedBy. Divisions go out as ids, the client matches them with its own; CreatedOn
// is "dd MMM yyyy HH:mm:ss". ItemCount is the number of pieces (bags, rolls, cartons) and Qty
// their total in the items' unit, so the gate counts what it sees. TackenBy_id is the carrier's
// Person_id, AcceptBy the employee who takes the goods in. Transfers stay inside the company,
// so Party_id and CityName are empty.
nlohmann::json transferOfCode(ProcedureContext &context, const nlohmann::json &data) {
    const std::string code = textParam(data, "GodownTransferCode");
    const std::int64_t user = positiveIdParam(data, "CreatedBy");
    if (code.empty())
        return nlohmann::json::array();
    return context.db.query(
        "SELECT g.GodownTransfer_id, g.GodownTransferCode, display_time(g.CreatedOn) AS CreatedOn, "
        "fg.Division_id AS FromDivision_id, tg.Division_id AS ToDivision_id, "
        "fg.GodownName AS FromGoDown, tg.GodownName AS ToGoDown, g.IsOutDC, "
        "(SELECT printf('%.*f', COALESCE(MAX(i.NoOfDecimal), 0), COALESCE(SUM(d.Qty), 0)) "
        " FROM GodownTransferDetail d JOIN Item i ON i.Item_id = d.Item_id "
        " WHERE d.GodownTransfer_id = g.GodownTransfer_id) AS Qty, "
        "(SELECT COALESCE(SUM(d.Pcs), 0) FROM GodownTransferDetail d "
        " WHERE d.GodownTransfer_id = g.GodownTransfer_id) AS ItemCount, "
        "'' AS Party_id, '' AS CityName, g.TackenBy, "
        "COALESCE(g.TackenPerson_id, '') AS TackenBy_id, COALESCE(e.EmpName, '') AS AcceptBy, "
        "g.TackenImagePath "
        "FROM GodownTransfer g JOIN Godown fg ON fg.Godown_id = g.FromGodown_id "
        "JOIN Godown tg ON tg.Godown_id = g.ToGodown_id "
        "JOIN Users u ON u.Users_id = ?2 AND u.BranchCode = g.BranchCode "
        "LEFT JOIN Employee e ON e.Employee_id = g.AcceptEmp_id "
        "WHERE g.GodownTransferCode = ?1 COLLATE NOCASE",
        {code, user});
}

// The transfer's lots in line order: the production plan, the item and its pieces and
// quantity, Unit the symbol that fits the quantity.
nlohmann::json transferLines(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query(
        "SELECT d.GodownTransfer_id, d.GTDet_id, d.ProdPlanCode, d.Item_id, i.ItemName, d.Pcs, "
        "printf('%.*f', i.NoOfDecimal, d.Qty) AS Qty, "
        "CASE WHEN d.Qty = 1 THEN u.SingularSymbol ELSE u.PluralSymbol END AS Unit, i.Unit_id, "
        "i.NoOfDecimal, i.ImagePath "
        "FROM GodownTransferDetail d JOIN Item i ON i.Item_id = d.Item_id "
        "JOIN Unit u ON u.Unit_id = i.Unit_id "
        "WHERE d.GodownTransfer_id = ?1 ORDER BY d.LineNo",
        {positiveIdParam(data, "GodownTransfer_id")});
}

} // namespace

void addGodownTransferProcedures(ProcedureRegistry &registry) {
    registry.add("USP_tblTProdGodownTransfer", "ReqType", "SECURITY_SELECT", transferOfCode);
    registry.add("USP_tblTProdGodownTransfer", "ReqType", "GTDETAILBYSECURITY_SELECT",
                 transferLines);
}

} // namespace seclog::server
