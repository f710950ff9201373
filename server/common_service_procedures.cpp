#include "database.h"
#include "procedure_params.h"
#include "procedures.h"

namespace seclog::server {
namespace {

// The device introduces itself by its user-visible name, matched exactly. The reply holds the
// device's fields only: the client copies every known key into its session, and the branch
// there belongs to the login.
nlohmann::json deviceAndDivision(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query("SELECT d.Division_id, v.DivisionName, d.Device_id, g.GateName "
                            "FROM Device d JOIN Division v ON v.Division_id = d.Division_id "
                            "JOIN Gate g ON g.Gate_id = d.Gate_id "
                            "WHERE d.DeviceName = ?1",
                            {textParam(data, "LikeStr")});
}

// Every employee, for the generic list screen.
nlohmann::json employees(ProcedureContext &context, const nlohmann::json &) {
    return context.db.query(
        "SELECT Employee_id, EmpName FROM Employee ORDER BY EmpName, Employee_id");
}

// The branch's divisions, for the summaries' division picker.
nlohmann::json divisionsOfBranch(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query("SELECT Division_id, DivisionName FROM Division "
                            "WHERE BranchCode = ?1 ORDER BY Division_id",
                            {requiredText(data, "BranchCode")});
}

} // namespace

void addCommonServiceProcedures(ProcedureRegistry &registry) {
    registry.add("Usp_CommonService", "SP_Type", "Sel_DeviceAndDivision", deviceAndDivision);
    registry.add("Usp_CommonService", "SP_Type", "Sel_Emp", employees);
    registry.add("Usp_CommonService", "SP_Type", "Sel_Div", divisionsOfBranch);
}

} // namespace seclog::server
