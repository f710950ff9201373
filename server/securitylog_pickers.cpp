#include "database.h"
#include "procedure_params.h"
#include "procedures.h"

namespace seclog::server {
namespace {

// The list pickers of the log form and the person screen. Each takes an optional SearchText
// that narrows the list ("" lists everything), except the vehicle picker, whose SearchText is
// the person's mobile number.

std::string searchPattern(const nlohmann::json &data) {
    return likeContains(textParam(data, "SearchText"));
}

// Vehicles the person with this mobile came with before, the latest first.
nlohmann::json vehiclesOfMobile(ProcedureContext &context, const nlohmann::json &data) {
    const std::string mobile = mobileDigits(textParam(data, "SearchText"));
    if (mobile.empty())
        return nlohmann::json::array();
    return context.db.query(
        std::string("SELECT l.IOVehicle FROM SecurityIOLog l JOIN Person p ON p.Person_id = "
                    "l.Person_id WHERE ") +
            kMobileDigitsSql +
            " = ?1 AND l.IOVehicle <> '' "
            "GROUP BY l.IOVehicle ORDER BY MAX(l.InTime) DESC, l.IOVehicle",
        {mobile});
}

// Employees to meet, with department and photo; the search matches name, code or department.
nlohmann::json employeesToMeet(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query(
        "SELECT e.Employee_id, e.EmpName, e.EmpCode, COALESCE(d.Department, '') AS Department, "
        "e.ImagePath FROM Employee e LEFT JOIN Department d ON d.Department_id = e.Department_id "
        "WHERE e.EmpName LIKE ?1 ESCAPE '\\' OR e.EmpCode LIKE ?1 ESCAPE '\\' "
        "OR COALESCE(d.Department, '') LIKE ?1 ESCAPE '\\' "
        "ORDER BY e.EmpName, e.Employee_id",
        {searchPattern(data)});
}

nlohmann::json entryTypes(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query("SELECT IOType_id, IOType FROM EntryType "
                            "WHERE IOType LIKE ?1 ESCAPE '\\' ORDER BY IOType_id",
                            {searchPattern(data)});
}

nlohmann::json purposes(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query("SELECT Purpose_id, Purpose FROM Purpose "
                            "WHERE Purpose LIKE ?1 ESCAPE '\\' ORDER BY Purpose",
                            {searchPattern(data)});
}

nlohmann::json designations(ProcedureContext &context, const nlohmann::json &data) {
    return context.db.query("SELECT Designation_id, Designation FROM Designation "
                            "WHERE Designation LIKE ?1 ESCAPE '\\' ORDER BY Designation",
                            {searchPattern(data)});
}

} // namespace

void addSecurityLogPickerProcedures(ProcedureRegistry &registry) {
    const std::string name = "USP_GetSecurityLogBySearchText";
    registry.add(name, "SearchBy", "VehicleIOS", vehiclesOfMobile);
    registry.add(name, "SearchBy", "Meet_To", employeesToMeet);
    registry.add(name, "SearchBy", "EntryType", entryTypes);
    registry.add(name, "SearchBy", "Purpose", purposes);
    registry.add(name, "SearchBy", "Sec_Designation", designations);
}

} // namespace seclog::server
