#include "demo_history.h"

#include "database.h"
#include "date_time.h"
#include "demo_employees.h"
#include "demo_history_people.h"
#include "demo_parties.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace seclog::server {
namespace {

using WallTime = std::chrono::local_seconds;

constexpr size_t kBatchRows = 4096;
// Arrivals by the hour from 06:00 to 20:59: the morning's deliveries, a lull at lunch, the
// afternoon's pickups.
constexpr std::array<double, 15> kHourWeights = {2, 5, 8, 9, 8, 6, 4, 5, 6, 5, 4, 3, 2, 2, 1};
constexpr int kFirstHour = 6;
constexpr int kShortestStay = 20 * 60; // seconds
constexpr int kLongestStay = 4 * 3600;

struct Gate {
    std::int64_t divisionId, deviceId;
    std::string branch, gateName;
    SqlValue createdBy; // the division's first active user, if any
};

struct Supplier {
    std::int64_t partyId;
    std::string name, city;
    std::vector<std::string> particulars; // what it sells
};

int pick(std::mt19937 &random, int low, int high) {
    return std::uniform_int_distribution(low, high)(random);
}

using HourDistribution = std::discrete_distribution<int>;

int arrivalSecond(std::mt19937 &random, HourDistribution &hours) {
    return (kFirstHour + hours(random)) * 3600 + pick(random, 0, 3599);
}

template <typename T> const T &pickFrom(std::mt19937 &random, const std::vector<T> &list) {
    return list[static_cast<size_t>(pick(random, 0, static_cast<int>(list.size()) - 1))];
}

// Sundays are quiet and Saturdays half days; the first division takes the most.
int usualCount(std::mt19937 &random, std::chrono::weekday weekday, size_t division) {
    int low = 14, high = 30;
    if (weekday == std::chrono::Sunday)
        low = 5, high = 9;
    else if (weekday == std::chrono::Saturday)
        low = 9, high = 18;
    return pick(random, low, std::max(low, high - static_cast<int>(division % 3) * 3));
}

std::vector<Gate> loadGates(Database &db) {
    std::vector<Gate> gates;
    for (const auto &row : db.query(
             "SELECT d.Division_id, d.BranchCode, v.Device_id, g.GateName, "
             "(SELECT u.Users_id FROM Users u JOIN Employee e ON e.Employee_id = u.Employee_id "
             " WHERE e.Division_id = d.Division_id AND u.IsActive = 1 ORDER BY u.Users_id "
             " LIMIT 1) AS CreatedBy "
             "FROM Division d JOIN Device v ON v.Device_id = (SELECT MIN(x.Device_id) "
             " FROM Device x WHERE x.Division_id = d.Division_id) "
             "JOIN Gate g ON g.Gate_id = v.Gate_id ORDER BY d.Division_id")) {
        const auto &user = row["CreatedBy"];
        gates.push_back({row["Division_id"].get<std::int64_t>(),
                         row["Device_id"].get<std::int64_t>(), row["BranchCode"].get<std::string>(),
                         row["GateName"].get<std::string>(),
                         user.is_null() ? SqlValue(nullptr) : SqlValue(user.get<std::int64_t>())});
    }
    return gates;
}

std::vector<std::string> loadPurposes(Database &db) {
    std::vector<std::string> purposes;
    for (const auto &row : db.query("SELECT Purpose FROM Purpose ORDER BY Purpose_id"))
        purposes.push_back(row["Purpose"].get<std::string>());
    return purposes.empty() ? std::vector<std::string>{""} : purposes;
}

// Each demo supplier with the names of the demo items of its kind; any item, or a word, when
// a small item master has none of that kind.
std::vector<Supplier> loadSuppliers(Database &db, const DemoItemsByKind &items) {
    std::map<std::int64_t, std::string> names;
    for (const auto &row :
         db.query("SELECT Item_id, ItemName FROM Item ORDER BY Item_id LIMIT 1000"))
        names[row["Item_id"].get<std::int64_t>()] = row["ItemName"].get<std::string>();
    std::vector<std::string> anything;
    for (const auto &[id, name] : names)
        anything.push_back(name);
    if (anything.empty())
        anything.push_back("Sundry Goods");

    std::vector<Supplier> suppliers;
    for (const auto &row : db.query("SELECT p.Party_id, p.PartyName, "
                                    "COALESCE(c.CityName, '') AS CityName FROM Party p "
                                    "LEFT JOIN City c ON c.City_id = p.City_id "
                                    "ORDER BY p.Party_id")) {
        Supplier supplier{row["Party_id"].get<std::int64_t>(),
                          row["PartyName"].get<std::string>(),
                          row["CityName"].get<std::string>(),
                          {}};
        const auto index = static_cast<size_t>(supplier.partyId - 1); // Party_id = index + 1
        if (index < kDemoSuppliers.size())
            for (const DemoItemRef &item : items[static_cast<size_t>(kDemoSuppliers[index].sells)])
                if (const auto name = names.find(item.itemId); name != names.end())
                    supplier.particulars.push_back(name->second);
        if (supplier.particulars.empty())
            supplier.particulars = anything;
        suppliers.push_back(std::move(supplier));
    }
    return suppliers;
}

// Rows wait here for their statement; logs are written before the lines that point at them.
class HistoryRows {
public:
    explicit HistoryRows(Database &db) : db_(db) {}

    void addLog(SqlParams row) {
        logs_.push_back(std::move(row));
        if (logs_.size() >= kBatchRows)
            flush();
    }
    void addLine(SqlParams row) { lines_.push_back(std::move(row)); }

    void flush() {
        db_.executeForEach(
            "INSERT INTO SecurityIOLog(SecIOLog_id, BranchCode, Division_id, Device_id, "
            "Person_id, IOVehicle, Meet_To, IOType_id, Purpose, TokenNo, FPDeviceName, InTime, "
            "OutTime, CreatedBy, CreatedOn, IsUpdateable) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, "
            "?9, ?10, ?11, ?12, ?13, ?14, ?12, 'No')",
            logs_);
        db_.executeForEach("INSERT INTO SecurityIODetails(SecIOLog_id, Section, DocType, DocNo, "
                           "DocDate, Party_id, PartyName, City, Particulars, Quantity) "
                           "VALUES (?1, 'IN', 'Invoice', ?2, ?3, ?4, ?5, ?6, ?7, ?8)",
                           lines_);
        logs_.clear();
        lines_.clear();
    }

private:
    Database &db_;
    std::vector<SqlParams> logs_, lines_;
};

void addInvoice(HistoryRows &rows, std::mt19937 &random, std::int64_t logId, const std::string &day,
                const Supplier &supplier) {
    const std::string docNo = "INV-" + std::to_string(pick(random, 1000, 9999));
    for (int line = pick(random, 1, 3); line > 0; --line)
        rows.addLine({logId, docNo, day, supplier.partyId, supplier.name, supplier.city,
                      pickFrom(random, supplier.particulars),
                      std::to_string(pick(random, 1, 200)) + ".00"});
}

struct Arrival {
    int second; // of the day
    size_t gate;
};

} // namespace

void insertDemoHistory(Database &db, const DemoHistoryPlan &plan, const DemoItemsByKind &items) {
    const std::vector<HistoryPerson> people = insertHistoryPeople(db);
    const std::vector<Gate> gates = loadGates(db);
    const std::vector<std::string> purposes = loadPurposes(db);
    const std::vector<Supplier> suppliers = loadSuppliers(db, items);
    std::vector<std::string> hosts; // whom they come to meet
    for (const DemoEmployee &employee : kDemoEmployees)
        hosts.push_back(employee.name);
    if (people.empty() || gates.empty())
        return;

    const WallTime now = localNow();
    const auto today = std::chrono::floor<std::chrono::days>(now);
    const std::chrono::year_month_day todayDate(today);
    const std::chrono::year_month firstMonth =
        todayDate.year() / todayDate.month() - std::chrono::months(plan.months);
    std::int64_t logId =
        db.query("SELECT COALESCE(MAX(SecIOLog_id), 0) + 1 AS id FROM SecurityIOLog")[0]["id"]
            .get<std::int64_t>();
    std::mt19937 random(2026); // fixed: the same history relative to the load day
    HourDistribution hours(kHourWeights.begin(), kHourWeights.end());
    HistoryRows rows(db);
    std::vector<Arrival> arrivals;
    for (auto day = std::chrono::local_days(firstMonth / 1); day < today;
         day += std::chrono::days(1)) {
        arrivals.clear();
        for (size_t gate = 0; gate < gates.size(); ++gate) {
            const int count = gates[gate].divisionId == 1 && plan.division1PerDay
                                  ? *plan.division1PerDay
                                  : usualCount(random, std::chrono::weekday(day), gate);
            for (int i = 0; i < count; ++i)
                arrivals.push_back({arrivalSecond(random, hours), gate});
        }
        // Ids in time order across the divisions, as a live gate would have made them.
        std::stable_sort(arrivals.begin(), arrivals.end(),
                         [](const Arrival &a, const Arrival &b) { return a.second < b.second; });
        const std::string dayText = isoDate(std::chrono::year_month_day(day));
        for (const Arrival &arrival : arrivals) {
            const Gate &gate = gates[arrival.gate];
            const HistoryPerson &person = pickFrom(random, people);
            const WallTime in = day + std::chrono::seconds(arrival.second);
            const WallTime out =
                std::min(in + std::chrono::seconds(pick(random, kShortestStay, kLongestStay)), now);
            rows.addLog({logId, gate.branch, gate.divisionId, gate.deviceId, person.personId,
                         person.vehicle, pickFrom(random, hosts),
                         person.ioTypeId > 0 ? SqlValue(person.ioTypeId) : SqlValue(nullptr),
                         pickFrom(random, purposes), "T" + std::to_string(pick(random, 101, 300)),
                         gate.gateName, isoLocalTime(in), isoLocalTime(out), gate.createdBy});
            if (!suppliers.empty() && pick(random, 0, 3) == 0)
                addInvoice(rows, random, logId, dayText, pickFrom(random, suppliers));
            ++logId;
        }
    }
    rows.flush();
}

} // namespace seclog::server
