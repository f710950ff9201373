#include "database.h"
#include "date_time.h"
#include "procedure_params.h"
#include "procedures.h"
#include "request_error.h"

#include <charconv>
#include <map>

namespace seclog::server {
namespace {

constexpr int kMaxNoDays = 31;

// One division's logs whose InTime falls on the days in ?2 <= InTime < ?3 (dates as
// "yyyy-MM-dd", which sort below every time of that day); ?4 "" means any branch. Served by
// the index SecurityIOLog_day.
constexpr const char *kLogsOfDays = "WHERE l.Division_id = ?1 AND l.InTime >= ?2 AND l.InTime < ?3 "
                                    "AND (?4 = '' OR l.BranchCode = ?4) ";

SqlParams logsOfDays(const nlohmann::json &data, std::chrono::year_month_day first, int dayCount) {
    const std::chrono::sys_days from(first);
    return {positiveIdParam(data, "Division_id"), isoDate(from),
            isoDate(from + std::chrono::days(dayCount)), textParam(data, "BranchCode")};
}

int noDaysParam(const nlohmann::json &data) {
    const std::string text = requiredText(data, "NoDays");
    int days = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), days);
    if (error != std::errc() || end != text.data() + text.size() || days < 0 || days > kMaxNoDays)
        throw RequestError("NoDays '" + text + "' must be a whole number from 0 to " +
                           std::to_string(kMaxNoDays));
    return days;
}

// Per day of [FromDate, FromDate + NoDays] with logs: the logs before noon, from noon on, all,
// and "detail", the count of each entry type, the largest first.
nlohmann::json daySummaries(ProcedureContext &context, const nlohmann::json &data) {
    const std::string fromText = requiredText(data, "FromDate");
    const auto from = parseIsoDate(fromText);
    if (!from)
        throw RequestError("FromDate '" + fromText + "' is not a yyyy-MM-dd date");
    const SqlParams range = logsOfDays(data, *from, noDaysParam(data) + 1);
    nlohmann::json days = context.db.query(
        std::string("SELECT substr(l.InTime, 1, 10) AS Dt, "
                    "SUM(substr(l.InTime, 12, 2) < '12') AS Daylight, "
                    "SUM(substr(l.InTime, 12, 2) >= '12') AS Night, COUNT(*) AS Total "
                    "FROM SecurityIOLog l ") +
            kLogsOfDays + "GROUP BY Dt ORDER BY Dt",
        range);
    const nlohmann::json types = context.db.query(
        std::string("SELECT substr(l.InTime, 1, 10) AS Dt, COALESCE(t.IOType, '') AS IOType, "
                    "COUNT(*) AS Cnt FROM SecurityIOLog l "
                    "LEFT JOIN EntryType t ON t.IOType_id = l.IOType_id ") +
            kLogsOfDays + "GROUP BY Dt, IOType ORDER BY Dt, Cnt DESC, IOType",
        range);
    // Both lists run by day: deal the type counts out to their days.
    size_t next = 0;
    for (auto &day : days) {
        nlohmann::json detail = nlohmann::json::array();
        for (; next < types.size() && types[next]["Dt"] == day["Dt"]; ++next)
            detail.push_back({{"IOType", types[next]["IOType"]}, {"Cnt", types[next]["Cnt"]}});
        day["detail"] = std::move(detail);
    }
    return days;
}

// The division's logs of one day in time order, each with its document lines in "detail".
nlohmann::json dayLogs(ProcedureContext &context, const nlohmann::json &data) {
    const std::string dayText = requiredText(data, "FromDate");
    const auto day = parseDayMonthYear(dayText);
    if (!day)
        throw RequestError("FromDate '" + dayText + "' is not a dd-MMM-yyyy date");
    const SqlParams range = logsOfDays(data, *day, 1);
    nlohmann::json logs = context.db.query(
        std::string("SELECT l.SecIOLog_id, CAST(substr(l.InTime, 12, 2) AS INTEGER) AS Hrs, "
                    "display_time(l.InTime) AS IOLogDate, p.IOImgPath, "
                    "COALESCE(t.IOType, '') AS IOType, p.IOPerson, l.Purpose, "
                    "display_time(l.InTime) AS InTime, display_time(l.OutTime) AS OutTime "
                    "FROM SecurityIOLog l JOIN Person p ON p.Person_id = l.Person_id "
                    "LEFT JOIN EntryType t ON t.IOType_id = l.IOType_id ") +
            kLogsOfDays + "ORDER BY l.InTime, l.SecIOLog_id",
        range);
    // Lines in the order the log's own detail list gives them: IN before OUT, as saved.
    const nlohmann::json lines = context.db.query(
        std::string("SELECT d.SecIOLog_id, d.PartyName, d.Particulars, d.City, "
                    "CASE WHEN d.DocDate = '' THEN '' "
                    "ELSE display_time(d.DocDate || ' 00:00:00') END AS DocDate, d.DocNo "
                    "FROM SecurityIODetails d "
                    "JOIN SecurityIOLog l ON l.SecIOLog_id = d.SecIOLog_id ") +
            kLogsOfDays + "ORDER BY d.SecIOLog_id, d.Section, d.SecIODet_id",
        range);
    std::map<std::int64_t, nlohmann::json> linesOfLog;
    for (nlohmann::json line : lines) {
        nlohmann::json &list = linesOfLog[line["SecIOLog_id"].get<std::int64_t>()];
        line.erase("SecIOLog_id");
        list.push_back(std::move(line));
    }
    for (auto &log : logs) {
        const auto found = linesOfLog.find(log["SecIOLog_id"].get<std::int64_t>());
        log["detail"] =
            found == linesOfLog.end() ? nlohmann::json::array() : std::move(found->second);
    }
    return logs;
}

} // namespace

void addSummaryProcedures(ProcedureRegistry &registry) {
    registry.add("USP_GetSecurityLogSummaryReport", "GetType", "Summary", daySummaries);
    registry.add("USP_GetSecurityLogSummaryReport", "GetType", "SummaryDetails", dayLogs);
}

} // namespace seclog::server
