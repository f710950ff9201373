#include "demo_history_people.h"

#include "database.h"
#include "demo_photos.h"

#include <array>

namespace seclog::server {
namespace {

constexpr std::array<const char *, 60> kNames = {
    "Bharathi Arumugam",    "Chitra Loganathan",  "Dinesh Velusamy",        "Elango Chelladurai",
    "Ganesan Muthusamy",    "Hemalatha Perumal",  "Ilango Duraisamy",       "Jayanthi Nallasamy",
    "Logesh Subramani",     "Nandhini Elumalai",  "Oviya Palanisamy",       "Pandian Rangasamy",
    "Revathi Ganapathy",    "Sakthivel Ramasamy", "Thilagavathi Shanmugam", "Uma Jayaraman",
    "Vasanth Sivaraman",    "Yamuna Mariappan",   "Abirami Kaliappan",      "Boopathi Thangavel",
    "Chandran Arumugam",    "Eswari Loganathan",  "Geetha Velusamy",        "Indira Chelladurai",
    "Jothi Muthusamy",      "Lavanya Perumal",    "Mohan Duraisamy",        "Naveen Nallasamy",
    "Padmini Subramani",    "Sangeetha Elumalai", "Tamilarasan Palanisamy", "Usha Rangasamy",
    "Vignesh Ganapathy",    "Yogesh Ramasamy",    "Ashok Shanmugam",        "Bhuvana Jayaraman",
    "Charles Sivaraman",    "Durai Mariappan",    "Ezhil Kaliappan",        "Gowri Thangavel",
    "Iniyan Arumugam",      "Jagan Loganathan",   "Kathir Velusamy",        "Malathi Chelladurai",
    "Nirmala Muthusamy",    "Pooja Perumal",      "Rukmani Duraisamy",      "Sathya Nallasamy",
    "Thenmozhi Subramani",  "Valli Elumalai",     "Sudha Palanisamy",       "Balu Rangasamy",
    "Chinnasamy Ganapathy", "Dharani Ramasamy",   "Elavarasi Shanmugam",    "Gunasekar Jayaraman",
    "Jeeva Sivaraman",      "Kamala Mariappan",   "Latha Kaliappan",        "Mahesh Thangavel",
};

// Positions in the entry type list (Visitor, Driver, Employee, Contractor, Courier, Job
// Worker in the demo), dealt out in turn: mostly visitors and drivers.
constexpr std::array<size_t, 10> kTypeTurns = {0, 1, 0, 3, 1, 4, 0, 5, 1, 2};

// Designations already in the picker's list, by the same positions.
constexpr std::array<std::array<const char *, 3>, 6> kDesignations = {{
    {"Sales Executive", "Buyer Agent", "Consultant"},
    {"Lorry Driver", "Truck Driver", "Van Driver"},
    {"Machine Operator", "Supervisor", "Store Keeper"},
    {"Electrician", "Welder", "Service Engineer"},
    {"Courier Boy", "Courier Boy", "Courier Boy"},
    {"Tailor", "Machine Operator", "Tailor"},
}};

constexpr std::array kStreets = {"Bazaar Street",  "Kamaraj Road",       "Nehru Nagar",
                                 "Kovil Street",   "Mettupalayam Road",  "Periyar Colony",
                                 "Bharathi Nagar", "Railway Feeder Road"};
constexpr std::array kTowns = {"Tiruppur", "Coimbatore", "Erode", "Palladam",  "Avinashi",
                               "Somanur",  "Karur",      "Salem", "Udumalpet", "Pollachi"};
constexpr std::array kPlateSeries = {"BK", "CM", "DL", "EF", "GH", "HJ", "KP", "MR", "PS", "RT"};
constexpr size_t kDemoPortraits = 14;

// Drivers and couriers always bring the same vehicle.
std::string vehicleOf(size_t index, size_t typeTurn) {
    if (typeTurn != 1 && typeTurn != 4)
        return {};
    return "TN " + std::to_string(33 + index % 10) + " " + kPlateSeries[index * 3 % 10] + " " +
           std::to_string(1000 + index * 137 % 9000);
}

} // namespace

std::vector<HistoryPerson> insertHistoryPeople(Database &db) {
    const nlohmann::json types =
        db.query("SELECT IOType_id, IOType FROM EntryType ORDER BY IOType_id");
    const std::int64_t firstId =
        db.query("SELECT COALESCE(MAX(Person_id), 0) + 1 AS id FROM Person")[0]["id"]
            .get<std::int64_t>();
    std::vector<HistoryPerson> people;
    std::vector<SqlParams> rows;
    for (size_t i = 0; i < kNames.size(); ++i) {
        const size_t turn = kTypeTurns[i % kTypeTurns.size()];
        const nlohmann::json type = types.empty() ? nlohmann::json{{"IOType_id", 0}, {"IOType", ""}}
                                                  : types[turn % types.size()];
        const auto typeId = type["IOType_id"].get<std::int64_t>();
        const std::int64_t id = firstId + static_cast<std::int64_t>(i);
        people.push_back({id, typeId, vehicleOf(i, turn)});
        rows.push_back(
            {id, std::string(kNames[i]),
             std::to_string(6381000000LL + static_cast<long long>(i) * 7919),
             std::to_string(2 + i * 7 % 90) + " " + kStreets[i % kStreets.size()] + ", " +
                 kTowns[i * 3 % kTowns.size()],
             std::string(kDesignations[turn][i % 3]), type["IOType"].get<std::string>(),
             clientImagePath("person_" + std::to_string(i % kDemoPortraits + 1) + ".png")});
    }
    db.executeForEach("INSERT INTO Person(Person_id, IOPerson, IOMobile, IOAdd1, IODesignation, "
                      "PersonType, IOImgPath) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)",
                      rows);
    return people;
}

} // namespace seclog::server
