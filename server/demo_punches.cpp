#include "demo_punches.h"

#include "database.h"
#include "date_time.h"

#include <array>
#include <string>

namespace seclog::server {
namespace {

struct DemoPunch {
    double hoursAgo;
    char mode; // 'I' or 'O'
};

// Newest last; the first is older than two days and never listed.
constexpr std::array<DemoPunch, 6> kPunches = {{
    {70, 'I'},
    {45.5, 'I'},
    {36, 'O'},
    {21.5, 'I'},
    {12, 'O'},
    {1.5, 'I'},
}};

// Two readers per division (1 Spinning, 2 Weaving, 3 Processing): IN at the gate, OUT at the
// second reader.
constexpr std::array<std::array<const char *, 2>, 3> kReaders = {{
    {"SPN Gate Reader", "SPN Canteen Reader"},
    {"WVG Gate Reader", "WVG Shed Reader"},
    {"PRC Gate Reader", "PRC Lab Reader"},
}};

// Each employee punches a few minutes after the one before, so times differ.
constexpr double kStaggerHours = 0.1;

} // namespace

void insertDemoPunches(Database &db) {
    const auto employees =
        db.query("SELECT e.Employee_id, e.Division_id FROM Employee e "
                 "LEFT JOIN Users u ON u.Employee_id = e.Employee_id "
                 "WHERE e.Division_id BETWEEN 1 AND 3 AND COALESCE(u.IsActive, 1) = 1 "
                 "AND e.EmpName <> 'Anitha Joseph' ORDER BY e.Employee_id");
    double stagger = 0;
    for (const auto &employee : employees) {
        const std::int64_t division = employee["Division_id"].get<std::int64_t>();
        const auto &readers = kReaders[static_cast<size_t>(division - 1)];
        for (const DemoPunch &punch : kPunches)
            db.execute("INSERT INTO EmployeePunch(Employee_id, PunchTime, FPMode, FPDeviceName, "
                       "Division_id) VALUES (?1, ?2, ?3, ?4, ?5)",
                       {employee["Employee_id"].get<std::int64_t>(),
                        isoHoursAgo(punch.hoursAgo + stagger), std::string(1, punch.mode),
                        std::string(readers[punch.mode == 'I' ? 0 : 1]), division});
        stagger += kStaggerHours;
    }
}

} // namespace seclog::server
