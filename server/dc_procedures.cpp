#include "database.h"
#include "procedure_params.h"
#include "procedures.h"
#include "request_error.h"

#include <array>
#include <string_view>

namespace seclog::server {
namespace {

// One DC as the scanner, the log form, the DC lists and the DC detail header read it. A DC to an
// outside party names the party as its receiving division, with no department, and carries the
// party's id and town; a DC between divisions has neither. DCDate is "yyyy-MM-dd"; ItemCount
// the number of its lines; TakenEmp_id the carrier's Person_id ("" for a carrier the gate does
// not know, such as a courier).
constexpr const char *kDCRowColumns =
    "SELECT dc.DC_id, dc.DCCode, dc.DCDate, dc.DCType, fd.DivisionName AS FDiv, "
    "COALESCE(fdp.Department, '') AS FDept, COALESCE(td.DivisionName, pa.PartyName, '') AS TDiv, "
    "COALESCE(tdp.Department, '') AS ToDept, dc.IsOutDC, dc.IsRet, "
    "(SELECT COUNT(*) FROM DCDetail x WHERE x.DC_id = dc.DC_id) AS ItemCount, "
    "COALESCE(dc.Party_id, '') AS Party_id, COALESCE(c.CityName, '') AS CityName, "
    "COALESCE(ie.EmpName, '') AS IssueEmpName, COALESCE(te.EmpName, '') AS IssToEmp, "
    "dc.TakenByName, COALESCE(dc.TakenPerson_id, '') AS TakenEmp_id, "
    "dc.ImagePath1, dc.ImagePath2, dc.ImagePath3";
constexpr const char *kDCRowTables =
    " FROM DC dc JOIN Division fd ON fd.Division_id = dc.FromDivision_id "
    "LEFT JOIN Department fdp ON fdp.Department_id = dc.FromDepartment_id "
    "LEFT JOIN Division td ON td.Division_id = dc.ToDivision_id "
    "LEFT JOIN Department tdp ON tdp.Department_id = dc.ToDepartment_id "
    "LEFT JOIN Party pa ON pa.Party_id = dc.Party_id "
    "LEFT JOIN City c ON c.City_id = pa.City_id "
    "LEFT JOIN Employee ie ON ie.Employee_id = dc.IssueEmp_id "
    "LEFT JOIN Employee te ON te.Employee_id = dc.IssToEmp_id";

// The DC row, with more columns after it when a list needs them.
std::string dcRowSelect(std::string_view moreColumns = {}) {
    return std::string(kDCRowColumns).append(moreColumns).append(kDCRowTables);
}

// Who approved or rejected a DC and when ("yyyy-MM-dd HH:mm"); "" while it waits or when not
// known.
constexpr const char *kDecisionColumns =
    ", CASE WHEN dc.ApprovalStatus = 'Pending' THEN '' ELSE COALESCE((SELECT e.EmpName "
    "FROM Employee e WHERE e.Employee_id = dc.ApprovedBy), '') END AS ApprovedBy, "
    "CASE WHEN dc.ApprovalStatus = 'Pending' THEN '' "
    "ELSE COALESCE(substr(dc.ApprovedOn, 1, 16), '') END AS ApprovedOn";

// The lists of the DC approval screen, each the branch's DCs in one state. The gate's lists
// hold approved DCs that still pass a gate: leaving the issuing division ("No"), on the way
// in ("Yes"), or coming back from a party ("OutDCYes"); the client keeps those of its own
// division.
struct DCList {
    const char *spName, *kind, *condition;
};
constexpr std::array kDCLists = {
    DCList{"USP_CommonService_Sec_PDC", "Sec_PDC",
           "dc.ApprovalStatus = 'Approved' AND dc.IsOutDC IN ('No', 'Yes', 'OutDCYes')"},
    DCList{"Usp_CommonService", "Sec_Div_OutAndPed_DC",
           "dc.ApprovalStatus = 'Approved' AND dc.IsOutDC IN ('Yes', 'OutDCYes')"},
    DCList{"Usp_CommonService", "Sel_DCP", "dc.ApprovalStatus = 'Pending'"},
    DCList{"Usp_CommonService", "Sel_DCA", "dc.ApprovalStatus = 'Approved'"},
    DCList{"Usp_CommonService", "Sel_DCR", "dc.ApprovalStatus = 'Rejected'"},
};

// Newest first. The user id the client sends in ID is not read.
nlohmann::json dcList(ProcedureContext &context, const nlohmann::json &data,
                      std::string_view condition) {
    const std::string branch = requiredText(data, "BranchCode");
    return context.db.query(dcRowSelect(kDecisionColumns) + " WHERE dc.BranchCode = ?1 AND " +
                                std::string(condition) + " ORDER BY dc.DCDate DESC, dc.DC_id DESC",
                            {branch});
}

// The DC whose code was scanned or typed (LikeStr, case ignored) in the branch. Only an
// approved DC may pass the gate: one waiting for approval or rejected is not found. The
// user id the client sends in ID is not read.
nlohmann::json dcOfCode(ProcedureContext &context, const nlohmann::json &data) {
    const std::string branch = requiredText(data, "BranchCode");
    const std::string code = textParam(data, "LikeStr");
    if (code.empty())
        return nlohmann::json::array();
    return context.db.query(dcRowSelect() +
                                " WHERE dc.DCCode = ?1 COLLATE NOCASE AND dc.BranchCode = ?2 "
                                "AND dc.ApprovalStatus = 'Approved'",
                            {code, branch});
}

// A DC already attached to a log, by its id in LikeStr, whatever its state.
nlohmann::json dcOfId(ProcedureContext &context, const nlohmann::json &data) {
    const std::string branch = requiredText(data, "BranchCode");
    const auto id = positiveId(textParam(data, "LikeStr"));
    if (!id)
        throw RequestError("LikeStr must be a DC id");
    return context.db.query(dcRowSelect() + " WHERE dc.DC_id = ?1 AND dc.BranchCode = ?2",
                            {*id, branch});
}

// The lines of a DC in line order, quantities in the item's decimals. Asked as
// {SP_Type, ID, BranchCode}, without BranchCode when a scanned DC starts a new log, or as
// {spType, id, branchCode} when one joins a log's section.
nlohmann::json dcLines(ProcedureContext &context, const nlohmann::json &data) {
    const auto id = positiveId(textParam(data, {"ID", "id"}));
    if (!id)
        throw RequestError("ID must be a DC id");
    return context.db.query(
        "SELECT l.DC_id, l.DCDet_id, l.Item_id, i.ItemName, "
        "printf('%.*f', i.NoOfDecimal, l.PassedQty) AS PassedQty, "
        "printf('%.*f', i.NoOfDecimal, l.ReturnQty) AS ReturnQty, u.SingularSymbol, "
        "u.PluralSymbol, i.Unit_id, i.NoOfDecimal, i.ImagePath "
        "FROM DCDetail l JOIN DC dc ON dc.DC_id = l.DC_id JOIN Item i ON i.Item_id = l.Item_id "
        "JOIN Unit u ON u.Unit_id = i.Unit_id "
        "WHERE l.DC_id = ?1 AND (?2 = '' OR dc.BranchCode = ?2) ORDER BY l.LineNo",
        {*id, textParam(data, {"BranchCode", "branchCode"})});
}

} // namespace

void addDCProcedures(ProcedureRegistry &registry) {
    registry.add("Usp_CommonService", "SP_Type", "Sec_DCViewByQRScan", dcOfCode);
    registry.add("Usp_CommonService", "SP_Type", "Sec_DCViewByDC_id", dcOfId);
    registry.add("Usp_CommonService", "SP_Type", "Sel_DCD", dcLines);
    // A log's section asks for a DC's lines with "spType".
    registry.addSelectorSpelling("Usp_CommonService", "spType");
    for (const DCList &list : kDCLists)
        registry.add(
            list.spName, "SP_Type", list.kind,
            [condition = list.condition](ProcedureContext &context, const nlohmann::json &data) {
                return dcList(context, data, condition);
            });
}

} // namespace seclog::server
