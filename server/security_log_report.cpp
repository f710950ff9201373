#include "security_log_report.h"

#include "database.h"
#include "date_time.h"

namespace seclog::server {
namespace {

std::string text(const nlohmann::json &value) {
    if (value.is_string())
        return value.get<std::string>();
    return value.is_null() ? std::string() : value.dump();
}

} // namespace

std::optional<SecurityLogReport> loadSecurityLogReport(Database &db, std::int64_t logId,
                                                       const std::string &branchCode) {
    const auto rows = db.query(
        "SELECT b.BranchName, l.BranchCode, l.SecIOLog_id, p.IOPerson, p.IOMobile, p.IOAdd1, "
        "p.IODesignation, p.PersonType, l.IOVehicle, l.Meet_To, COALESCE(t.IOType, '') AS IOType, "
        "l.TokenNo, l.Purpose, COALESCE(g.GateName, '') AS GateName, d.DivisionName, "
        "display_time(l.InTime) AS InTime, display_time(l.OutTime) AS OutTime, "
        "COALESCE(e.EmpName, '') AS LogedBy "
        "FROM SecurityIOLog l JOIN Branch b ON b.BranchCode = l.BranchCode "
        "JOIN Person p ON p.Person_id = l.Person_id "
        "JOIN Division d ON d.Division_id = l.Division_id "
        "LEFT JOIN Device v ON v.Device_id = l.Device_id "
        "LEFT JOIN Gate g ON g.Gate_id = v.Gate_id "
        "LEFT JOIN EntryType t ON t.IOType_id = l.IOType_id "
        "LEFT JOIN Users u ON u.Users_id = l.CreatedBy "
        "LEFT JOIN Employee e ON e.Employee_id = u.Employee_id "
        "WHERE l.SecIOLog_id = ?1 AND l.BranchCode = ?2",
        {logId, branchCode});
    if (rows.empty())
        return std::nullopt;
    const auto &row = rows[0];

    SecurityLogReport report;
    report.branchName = text(row["BranchName"]);
    const std::vector<std::pair<const char *, const char *>> labels = {
        {"Branch", "BranchCode"},      {"Log No", "SecIOLog_id"},
        {"Person", "IOPerson"},        {"Mobile", "IOMobile"},
        {"Address", "IOAdd1"},         {"Designation", "IODesignation"},
        {"Person Type", "PersonType"}, {"Vehicle", "IOVehicle"},
        {"Meet To", "Meet_To"},        {"Entry Type", "IOType"},
        {"Token No", "TokenNo"},       {"Purpose", "Purpose"},
        {"Gate", "GateName"},          {"Division", "DivisionName"},
        {"In Time", "InTime"},         {"Out Time", "OutTime"},
        {"Logged By", "LogedBy"}};
    for (const auto &[label, column] : labels)
        report.fields.emplace_back(label, text(row[column]));

    // An IN line keeps its quantity in Quantity, an OUT line in OutQty.
    const auto documents = db.query(
        "SELECT Section, DocType, DocNo, DocDate, PartyName, Particulars, "
        "CASE Section WHEN 'OUT' THEN OutQty ELSE Quantity END AS Qty FROM SecurityIODetails "
        "WHERE SecIOLog_id = ?1 ORDER BY Section, SecIODet_id",
        {logId});
    for (const auto &doc : documents)
        report.documents.push_back({text(doc["Section"]), text(doc["DocType"]), text(doc["DocNo"]),
                                    text(doc["DocDate"]), text(doc["PartyName"]),
                                    text(doc["Particulars"]), text(doc["Qty"])});
    return report;
}

} // namespace seclog::server
