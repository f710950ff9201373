#include "demo_open_logs.h"

#include "database.h"
#include "date_time.h"
#include "demo_employees.h"
#include "demo_photos.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace seclog::server {
namespace {

constexpr auto kSpread = std::chrono::hours(12);
constexpr std::array kPurposes = {"Yarn delivery", "Meeting", "Machine service", "Fabric pickup"};

std::string numbered(const char *format, int n) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), format, n);
    return text.data();
}

std::int64_t nextId(Database &db, const char *table, const char *column) {
    const std::string sql =
        std::string("SELECT COALESCE(MAX(") + column + "), 0) + 1 AS id FROM " + table;
    return db.query(sql)[0]["id"].get<std::int64_t>();
}

} // namespace

void insertDemoOpenLogs(Database &db, const std::filesystem::path &filesDir, int total) {
    const auto already =
        db.query("SELECT COUNT(*) AS n FROM SecurityIOLog WHERE Division_id = 1 AND OutTime = ''")
            [0]["n"]
                .get<std::int64_t>();
    const int count = total - static_cast<int>(already);
    if (count <= 0)
        return;
    const std::int64_t firstPerson = nextId(db, "Person", "Person_id");
    const std::int64_t firstLog = nextId(db, "SecurityIOLog", "SecIOLog_id");
    const auto now = localNow();
    const auto step = std::chrono::duration_cast<std::chrono::seconds>(kSpread) / count;
    std::vector<SqlParams> people, logs;
    people.reserve(static_cast<size_t>(count));
    logs.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        const std::int64_t personId = firstPerson + i;
        const std::string photo = numbered("guest_%05d.png", i + 1);
        writeDemoPhoto(filesDir, photo, 1000 + i);
        people.push_back({personId, numbered("Guest %05d", i + 1), numbered("98%08d", i + 1),
                          std::string("Gate Road, Tiruppur"), std::string("Visitor"),
                          clientImagePath(photo)});
        // The oldest first, so that ids follow the time of entry.
        const std::string inTime = isoLocalTime(now - kSpread + step * i);
        const auto index = static_cast<size_t>(i);
        logs.push_back({firstLog + i, personId,
                        std::string(kDemoEmployees[index % kDemoEmployees.size()].name),
                        std::string(kPurposes[index % kPurposes.size()]), numbered("T%d", 1001 + i),
                        inTime});
    }
    db.executeForEach("INSERT INTO Person(Person_id, IOPerson, IOMobile, IOAdd1, IODesignation, "
                      "PersonType, IOImgPath) VALUES (?1, ?2, ?3, ?4, 'Visitor', ?5, ?6)",
                      people);
    db.executeForEach(
        "INSERT INTO SecurityIOLog(SecIOLog_id, BranchCode, Division_id, Device_id, Person_id, "
        "IOVehicle, Meet_To, IOType_id, Purpose, TokenNo, FPDeviceName, InTime, OutTime, "
        "CreatedBy, CreatedOn, IsUpdateable) SELECT ?1, d.BranchCode, d.Division_id, "
        "d.Division_id, ?2, '', ?3, 1, ?4, ?5, g.GateName, ?6, '', d.Division_id, ?6, 'Yes' "
        "FROM Division d JOIN Gate g ON g.Division_id = d.Division_id WHERE d.Division_id = 1",
        logs);
}

} // namespace seclog::server
