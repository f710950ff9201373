#include "employee_fp_procedures.h"

#include "database.h"
#include "date_time.h"
#include "procedure_params.h"
#include "procedure_registry.h"
#include "punch_time.h"

namespace seclog::server {
namespace {

constexpr double kPunchWindowHours = 48;

// Employees of the branch whose name or code holds LikeStr ("" lists them all).
nlohmann::json searchEmployees(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query(
        "SELECT e.Employee_id, e.EmpName, e.EmpCode, COALESCE(d.Department, '') AS Department, "
        "e.Designation, e.ImagePath FROM Employee e "
        "JOIN Division v ON v.Division_id = e.Division_id "
        "LEFT JOIN Department d ON d.Department_id = e.Department_id "
        "WHERE v.BranchCode = ?1 AND (e.EmpName LIKE ?2 ESCAPE '\\' OR e.EmpCode LIKE ?2 ESCAPE "
        "'\\') ORDER BY e.EmpName, e.Employee_id",
        {requiredText(data, "BranchCode"), likeContains(textParam(data, {"LikeStr", "likeStr"}))});
}

// Punches of the last two days up to now, the newest first. FPMode is stored as "I" or "O".
nlohmann::json lastTwoDaysPunches(ProcedureContext &context, const nlohmann::json &data) {
    nlohmann::json rows = context.db.query(
        "SELECT e.EmpName, e.EmpCode, COALESCE(d.Department, '') AS Department, e.Designation, "
        "e.ImagePath, p.PunchTime AS FPLogStr, "
        "CASE p.FPMode WHEN 'I' THEN 'IN' ELSE 'OUT' END AS FPModeStr, p.FPMode, "
        "p.FPDeviceName, v.DivisionName FROM EmployeePunch p "
        "JOIN Employee e ON e.Employee_id = p.Employee_id "
        "JOIN Division v ON v.Division_id = p.Division_id "
        "LEFT JOIN Department d ON d.Department_id = e.Department_id "
        "WHERE e.EmpCode = ?1 AND p.PunchTime >= ?2 AND p.PunchTime <= ?3 "
        "ORDER BY p.PunchTime DESC, p.Punch_id DESC",
        {textParam(data, "EmpCode"), isoHoursAgo(kPunchWindowHours), isoNow()});
    for (auto &row : rows)
        row["FPLogStr"] = punchDisplayTime(row["FPLogStr"].get<std::string>());
    return rows;
}

} // namespace

void addEmployeeFingerprintProcedures(ProcedureRegistry &registry) {
    registry.add("Usp_Production_Sel", "SP_Type", "EMPLOYEE_SEARCH", searchEmployees);
    registry.add("USP_Security", "ReqType", "SELECT_LASTTWODAYSLOG", lastTwoDaysPunches);
}

} // namespace seclog::server
