#include "database.h"
#include "procedure_params.h"
#include "procedures.h"

namespace seclog::server {
namespace {

// The hand-bit DC whose code was scanned (DCCode, case ignored); the client makes no division
// test and sends neither branch nor user. The sides are named for the movement at the gate:
// going out ("No") from the division to the worker, coming back ("Yes") from the worker, so a
// log entry reads "To Selvi Devi" or "From Selvi Devi". CityName is the worker's village,
// HBMobileNo their mobile (the client finds their last log by it), ColorCode ("#RRGGBB") and
// ColorName those of the first line, ItemCount the number of colours, DCDate "yyyy-MM-dd".
nlohmann::json handBitOfCode(ProcedureContext &context, const nlohmann::json &data) {
    const std::string code = textParam(data, "DCCode");
    if (code.empty())
        return nlohmann::json::array();
    return context.db.query(
        "SELECT h.HB_id, h.DCCode, h.DCDate, "
        "CASE h.IsOutDC WHEN 'Yes' THEN h.PartyName ELSE d.DivisionName END AS FDiv, "
        "CASE h.IsOutDC WHEN 'Yes' THEN '' ELSE COALESCE(dp.Department, '') END AS FDept, "
        "CASE h.IsOutDC WHEN 'Yes' THEN d.DivisionName ELSE h.PartyName END AS TDiv, "
        "CASE h.IsOutDC WHEN 'Yes' THEN COALESCE(dp.Department, '') ELSE '' END AS ToDept, "
        "h.IsOutDC, h.PartyName, h.Village AS CityName, h.HBMobileNo, "
        "COALESCE(f.ColorCode, '') AS ColorCode, COALESCE(f.ColorName, '') AS ColorName, "
        "(SELECT COUNT(*) FROM HandBitDCDetail x WHERE x.HB_id = h.HB_id) AS ItemCount, "
        "COALESCE(e.EmpName, '') AS IssToEmp "
        "FROM HandBitDC h JOIN Division d ON d.Division_id = h.Division_id "
        "LEFT JOIN Department dp ON dp.Department_id = h.Department_id "
        "LEFT JOIN HandBitDCDetail f ON f.HBDet_id = (SELECT y.HBDet_id FROM HandBitDCDetail y "
        "  WHERE y.HB_id = h.HB_id ORDER BY y.LineNo LIMIT 1) "
        "LEFT JOIN Employee e ON e.Employee_id = h.IssToEmp_id "
        "WHERE h.DCCode = ?1 COLLATE NOCASE",
        {code});
}

// The colours of a hand-bit DC in line order; DCCode holds the HB_id here. Unit is the symbol
// that fits the quantity.
nlohmann::json handBitLines(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query(
        "SELECT l.HB_id, l.HBDet_id, l.ColorName, l.ColorCode, l.Item_id, i.ItemName, "
        "printf('%.*f', i.NoOfDecimal, l.Qty) AS Qty, "
        "CASE WHEN l.Qty = 1 THEN u.SingularSymbol ELSE u.PluralSymbol END AS Unit, i.Unit_id, "
        "i.NoOfDecimal, i.ImagePath "
        "FROM HandBitDCDetail l JOIN Item i ON i.Item_id = l.Item_id "
        "JOIN Unit u ON u.Unit_id = i.Unit_id WHERE l.HB_id = ?1 ORDER BY l.LineNo",
        {positiveIdParam(data, "DCCode")});
}

} // namespace

void addHandBitProcedures(ProcedureRegistry &registry) {
    registry.add("USP_OBHandBitYarnCalculation", "ReqType", "HBDC_SELECT", handBitOfCode);
    registry.add("USP_OBHandBitYarnCalculation", "ReqType", "HBDC_DETSELECT", handBitLines);
}

} // namespace seclog::server
