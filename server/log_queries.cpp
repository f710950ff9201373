#include "log_queries.h"

#include "database.h"
#include "date_time.h"
#include "seclogserver/stand_in_server.h"

namespace seclog::server {

const char *const kLogRowSelect =
    "SELECT l.SecIOLog_id, p.IOPerson, p.IOMobile, l.Meet_To, display_time(l.InTime) AS InTime, "
    "display_time(l.OutTime) AS OutTime, l.Purpose, p.PersonType, ?1 AS SecLogFrom, "
    "COALESCE(e.Employee_id, '') AS Employee_id, l.Division_id, d.DivisionName, "
    "COALESCE(e.EmpName, '') AS LogedBy, p.IOImgPath, l.IOVehicle, "
    "COALESCE(t.IOType, '') AS IOType, COALESCE(l.IOType_id, '') AS IOType_id, l.TokenNo, "
    "l.FPDeviceName, p.IOAdd1, p.IODesignation, l.IsUpdateable "
    "FROM SecurityIOLog l "
    "JOIN Person p ON p.Person_id = l.Person_id "
    "JOIN Division d ON d.Division_id = l.Division_id "
    "LEFT JOIN EntryType t ON t.IOType_id = l.IOType_id "
    "LEFT JOIN Users u ON u.Users_id = l.CreatedBy "
    "LEFT JOIN Employee e ON e.Employee_id = u.Employee_id ";

const char *const kPersonLatestLogSelect =
    "SELECT COALESCE(l.SecIOLog_id, '') AS SecIOLog_id, p.IOPerson, p.IOMobile, "
    "COALESCE(l.Meet_To, '') AS Meet_To, display_time(l.InTime) AS InTime, "
    "display_time(l.OutTime) AS OutTime, COALESCE(l.Purpose, '') AS Purpose, p.PersonType, "
    "?1 AS SecLogFrom, "
    "CASE WHEN l.OutTime = '' THEN l.SecIOLog_id ELSE '' END AS Employee_id, "
    "COALESCE(l.Division_id, '') AS Division_id, COALESCE(d.DivisionName, '') AS DivisionName, "
    "COALESCE(e.EmpName, '') AS LogedBy, p.IOImgPath, COALESCE(l.IOVehicle, '') AS IOVehicle, "
    "COALESCE(t.IOType, '') AS IOType, COALESCE(l.IOType_id, '') AS IOType_id, "
    "COALESCE(l.TokenNo, '') AS TokenNo, COALESCE(l.FPDeviceName, '') AS FPDeviceName, "
    "p.IOAdd1, p.IODesignation, COALESCE(l.IsUpdateable, '') AS IsUpdateable "
    "FROM Person p "
    "LEFT JOIN SecurityIOLog l ON l.SecIOLog_id = (SELECT x.SecIOLog_id FROM SecurityIOLog x "
    "  WHERE x.Person_id = p.Person_id ORDER BY x.InTime DESC, x.SecIOLog_id DESC LIMIT 1) "
    "LEFT JOIN Division d ON d.Division_id = l.Division_id "
    "LEFT JOIN EntryType t ON t.IOType_id = l.IOType_id "
    "LEFT JOIN Users u ON u.Users_id = l.CreatedBy "
    "LEFT JOIN Employee e ON e.Employee_id = u.Employee_id ";

std::string logCutoffDisplay() {
    return displayFromIso(isoHoursAgo(48));
}

std::optional<std::string> logOutTime(const std::filesystem::path &dbPath, std::int64_t logId) {
    Database db(dbPath.string(), true);
    const auto rows = db.query(
        "SELECT display_time(OutTime) AS OutTime FROM SecurityIOLog WHERE SecIOLog_id = ?1",
        {logId});
    if (rows.empty())
        return std::nullopt;
    return rows[0]["OutTime"].get<std::string>();
}

} // namespace seclog::server
