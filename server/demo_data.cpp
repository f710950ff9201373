#include "demo_data.h"

#include "database.h"
#include "date_time.h"
#include "demo_bills.h"
#include "demo_dcs.h"
#include "demo_documents.h"
#include "demo_employees.h"
#include "demo_godown_transfers.h"
#include "demo_hand_bits.h"
#include "demo_history.h"
#include "demo_items.h"
#include "demo_open_logs.h"
#include "demo_parties.h"
#include "demo_photos.h"
#include "demo_store_pos.h"
#include "users.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace seclog::server {
namespace {

constexpr const char *kBranch = "HLV01";

struct DemoPerson {
    const char *name, *mobile, *address, *designation, *type;
};

// Index + 1 is the Person_id. Meena Sundaram (last) never visited.
constexpr std::array<DemoPerson, 14> kPersons = {{
    {"Arun Prakash", "9842012345", "12 Gandhi Road, Tiruppur", "Sales Executive", "Visitor"},
    {"Kavitha Ramesh", "+91 98430 56789", "45 Avinashi Road, Coimbatore", "Accountant", "Visitor"},
    {"Murugan S", "9787123456", "7 Mill Street, Palladam", "Lorry Driver", "Driver"},
    {"Anand Krishnan", "+91 94432 11223", "3 Lake View, Erode", "Service Engineer", "Contractor"},
    {"Selvi Devi", "9600234567", "21 Temple Street, Tiruppur", "Tailor", "Employee"},
    {"Rajesh Kannan", "9894345678", "88 Market Road, Karur", "Truck Driver", "Driver"},
    {"Lakshmi Narayanan", "+91 90030 45678", "5 North Car Street, Salem", "Auditor", "Visitor"},
    {"Prakash Raj", "9443456789", "14 Bus Stand Road, Udumalpet", "Electrician", "Contractor"},
    {"Deepa D'Souza", "9865567890", "9 Church Street, Coimbatore", "Quality Inspector", "Visitor"},
    {"Senthil Kumar", "9791678901", "33 Cross Cut Road, Coimbatore", "Van Driver", "Driver"},
    {"Farida Begum", "+91 73730 78901", "2 Mosque Street, Tiruppur", "Buyer Agent", "Visitor"},
    {"Gopal Swamy", "9486789012", "61 Weavers Colony, Somanur", "Welder", "Contractor"},
    {"Harish Babu", "9003890123", "18 Station Road, Tiruppur", "Machine Operator", "Employee"},
    {"Meena Sundaram", "+91 99940 90123", "4 Garden Street, Avinashi", "Consultant", "Visitor"},
}};

constexpr std::array kGates = {"Main Gate", "North Gate", "East Gate"};
constexpr std::array kEntryTypes = {"Visitor",    "Driver",  "Employee",
                                    "Contractor", "Courier", "Job Worker"};
constexpr std::array kExtraDesignations = {"Supervisor", "Store Keeper", "Courier Boy"};

struct DemoLog {
    int person;                  // Person_id
    int division;                // Division_id; device, gate and logging user follow from it
    double hoursAgo;             // InTime
    double hoursInside;          // 0: still inside (open log)
    bool pastUpdateTime = false; // open, but the form may no longer change it
};

// Every open log is newer than every closed one, so an open log is its person's latest.
// Anand Krishnan (4) was last seen in Weaving and has not left yet.
constexpr std::array<DemoLog, 36> kLogs = {{
    {2, 1, 68, 2},       {3, 1, 66, 1},    {4, 1, 64, 3},  {6, 2, 60, 1.5},
    {1, 3, 58, 2},       {7, 1, 54, 1},    {8, 3, 50, 4},  {9, 2, 48, 2},
    {10, 1, 46, 1},      {11, 2, 44, 2.5}, {12, 3, 40, 3}, {13, 1, 36, 8},
    {2, 2, 34, 1},       {5, 1, 30, 8},    {6, 3, 28, 1},  {1, 2, 26, 2},
    {3, 3, 24, 1},       {9, 1, 22, 3},    {10, 2, 20, 1}, {12, 1, 18, 2},
    {2, 1, 14, 1.5},     {7, 3, 12, 2},    {8, 2, 11, 1},  {13, 3, 10, 1},
    {13, 1, 6, 0, true}, // log 25
    {7, 2, 5, 0},        {12, 1, 4, 0},    {8, 3, 3.5, 0}, {9, 1, 3, 0},
    {6, 1, 2.5, 0},      {4, 2, 2, 0},     {5, 1, 1.5, 0}, {10, 2, 1.2, 0},
    {3, 1, 1, 0},        {11, 3, 0.8, 0},  {1, 1, 0.5, 0},
}};

constexpr std::array kVehicles = {"TN 38 AB 1234", "TN 39 CK 4521", "",
                                  "KL 07 BX 9087", "TN 37 DE 3344", "KA 01 MN 2468"};
constexpr std::array kPurposes = {
    "Yarn delivery", "Meeting",      "Machine service", "Audit",
    "Fabric pickup", "Dye delivery", "Interview",       "Cotton bales unloading"};

int entryTypeId(const char *type) {
    const auto it = std::find_if(kEntryTypes.begin(), kEntryTypes.end(),
                                 [&](const char *name) { return std::string(name) == type; });
    return static_cast<int>(it - kEntryTypes.begin()) + 1;
}

void insertSite(Database &db) {
    db.execute("INSERT INTO Branch VALUES (?1, 'Halvik Textiles')", {std::string(kBranch)});
    const std::array<const char *, 3> divisions = {"Spinning", "Weaving", "Processing"};
    for (std::int64_t id = 1; id <= 3; ++id) {
        const auto i = static_cast<size_t>(id - 1);
        db.execute("INSERT INTO Division VALUES (?1, ?2, ?3)",
                   {id, std::string(divisions[i]), std::string(kBranch)});
        db.execute("INSERT INTO Gate VALUES (?1, ?2, ?1)", {id, std::string(kGates[i])});
        db.execute("INSERT INTO Device VALUES (?1, ?2, ?1, ?1)",
                   {id, "Gate-" + std::to_string(id) + " Handheld"});
    }
    for (const char *type : kEntryTypes)
        db.execute("INSERT INTO EntryType(IOType) VALUES (?1)", {std::string(type)});
}

// The lists the log form and the person screen pick from.
void insertPickLists(Database &db) {
    for (const char *purpose : kPurposes)
        db.execute("INSERT INTO Purpose(Purpose) VALUES (?1)", {std::string(purpose)});
    for (const DemoPerson &person : kPersons)
        db.execute("INSERT OR IGNORE INTO Designation(Designation) VALUES (?1)",
                   {std::string(person.designation)});
    for (const char *designation : kExtraDesignations)
        db.execute("INSERT OR IGNORE INTO Designation(Designation) VALUES (?1)",
                   {std::string(designation)});
}

constexpr int kUserPhotoSeed = 100;
constexpr size_t kDemoUserCount = 4;

std::string userPhoto(size_t index) {
    return "user_" + std::to_string(index + 1) + ".png";
}
std::string personPhoto(size_t index) {
    return "person_" + std::to_string(index + 1) + ".png";
}

// The demo's logins with their passwords hashed beforehand by hashPassword: the passwords are
// public anyway, and a fresh Argon2id hash would cost every demo load a noticeable pause.
struct DemoUser {
    NewUser user;
    const char *passwordHash;
};

void insertUsers(Database &db) {
    const std::array<DemoUser, kDemoUserCount> users = {{
        {{"demo", "demo", "Ravi Kumar", kBranch, 1, 1, true},
         "$argon2id$v=19$m=65536,t=2,p=1$lbEevlqZ6xPedVDBs6/ExA$"
         "Ws/qQnqBtBYLI4c229fHe74VFpywIEr0puKqXlNUQ3A"},
        {{"priya", "priya123", "Priya Nair", kBranch, 1, 2, true},
         "$argon2id$v=19$m=65536,t=2,p=1$NosBXF0/QR+vlfe/gFrmkQ$"
         "GI1/YajaAnCLYTg2Z5KMjQIlVzmpUf90d0GsNr8SADU"},
        {{"suresh", "suresh123", "Suresh Babu", kBranch, 1, 3, true},
         "$argon2id$v=19$m=65536,t=2,p=1$rYn4xCNKblXLlksOupRYZQ$"
         "cwK609WDITapjnAHqASGVVib3BRU72YcZ7Znf6pEPMM"},
        {{"olduser", "olduser", "Mani Raj", kBranch, 1, 1, false},
         "$argon2id$v=19$m=65536,t=2,p=1$kI6BAIQ/hBmoQuNIfI/otA$"
         "AHTg7rnA9H6WPNJOzGIFYzJkGTqCg572sBrcfrhJNVQ"},
    }};
    for (size_t i = 0; i < users.size(); ++i)
        insertHashedUser(db, users[i].user, users[i].passwordHash, clientImagePath(userPhoto(i)));
}

void insertPersons(Database &db) {
    for (size_t i = 0; i < kPersons.size(); ++i) {
        const DemoPerson &person = kPersons[i];
        db.execute("INSERT INTO Person(IOPerson, IOMobile, IOAdd1, IODesignation, PersonType, "
                   "IOImgPath) VALUES (?1, ?2, ?3, ?4, ?5, ?6)",
                   {std::string(person.name), std::string(person.mobile),
                    std::string(person.address), std::string(person.designation),
                    std::string(person.type), clientImagePath(personPhoto(i))});
    }
}

// The gate's name stands in FPDeviceName, as the form shows it for a new log.
void insertLogs(Database &db) {
    size_t index = 0;
    for (const DemoLog &log : kLogs) {
        const DemoPerson &person = kPersons[static_cast<size_t>(log.person - 1)];
        const std::string inTime = isoHoursAgo(log.hoursAgo);
        const std::string outTime =
            log.hoursInside > 0 ? isoHoursAgo(log.hoursAgo - log.hoursInside) : "";
        const std::int64_t division = log.division;
        const char *meetTo = kDemoEmployees[index % kDemoEmployees.size()].name;
        const bool updateable = outTime.empty() && !log.pastUpdateTime;
        db.execute(
            "INSERT INTO SecurityIOLog(BranchCode, Division_id, Device_id, Person_id, IOVehicle, "
            "Meet_To, IOType_id, Purpose, TokenNo, FPDeviceName, InTime, OutTime, CreatedBy, "
            "CreatedOn, IsUpdateable) VALUES (?1, ?2, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, "
            "?2, ?10, ?12)",
            {std::string(kBranch), division, std::int64_t{log.person},
             std::string(kVehicles[index % kVehicles.size()]), std::string(meetTo),
             std::int64_t{entryTypeId(person.type)},
             std::string(kPurposes[index % kPurposes.size()]), "T" + std::to_string(101 + index),
             std::string(kGates[static_cast<size_t>(division - 1)]), inTime, outTime,
             std::string(updateable ? "Yes" : "No")});
        ++index;
    }
}

// Photos are rewritten on every demo start so a new --files folder is never left empty.
void writeDemoPhotos(const std::filesystem::path &filesDir) {
    for (size_t i = 0; i < kDemoUserCount; ++i)
        writeDemoPhoto(filesDir, userPhoto(i), kUserPhotoSeed + static_cast<int>(i));
    for (size_t i = 0; i < kPersons.size(); ++i)
        writeDemoPhoto(filesDir, personPhoto(i), static_cast<int>(i) + 1);
    writeDemoEmployeePhotos(filesDir);
    writeDemoBills(filesDir);
    writeDemoItemPictures(filesDir);
    writeDemoDCPictures(filesDir);
    writeDemoGodownTransferPictures(filesDir);
}

} // namespace

void loadDemoData(Database &db, const std::filesystem::path &filesDir, const DemoSize &size) {
    writeDemoPhotos(filesDir);
    if (db.query("SELECT 1 FROM Branch LIMIT 1").size() > 0)
        return;
    db.transaction([&] {
        insertSite(db);
        insertDemoDepartments(db);
        insertUsers(db);
        insertDemoEmployees(db);
        insertPickLists(db);
        insertPersons(db);
        insertLogs(db);
        insertDemoDocuments(db);
        insertDemoParties(db);
        const DemoItemsByKind items = insertDemoItems(db, size.itemMasterSize);
        insertDemoStorePOs(db, kBranch, items);
        // Last, so that the recent logs above keep their ids.
        insertDemoHistory(
            db, {size.historyMonths.value_or(kDemoHistoryMonths), size.historyLogsPerDay}, items);
        insertDemoOpenLogs(db, filesDir, size.openLogs.value_or(0));
        // The documents the gate scans, in tables of their own.
        insertDemoDCs(db, kBranch, items);
        insertDemoGodownTransfers(db, kBranch, items);
        insertDemoHandBits(db, kBranch, items);
        insertDemoBills(db, kBranch);
    });
}

} // namespace seclog::server
