#pragma once

#include <array>
#include <filesystem>

namespace seclog::server {

class Database;

struct DemoEmployee {
    const char *name, *department, *designation;
    int division;
};

// The people visitors come to meet; demo logs name them in Meet_To.
inline constexpr std::array<DemoEmployee, 5> kDemoEmployees = {{
    {"Suresh Natarajan", "Stores", "Store Manager", 1},
    {"Priya Menon", "HR", "HR Executive", 1},
    {"Venkatesh Rao", "Production", "Production Manager", 2},
    {"Ramesh Iyer", "Accounts", "Accounts Officer", 1},
    {"Anitha Joseph", "Quality", "Quality Engineer", 3},
}};

// Security comes first: the demo users' employees belong to Department 1.
void insertDemoDepartments(Database &db);
// Adds kDemoEmployees with photos, then gives every employee (users' too) an EmpCode and a
// designation, and adds their fingerprint punches.
void insertDemoEmployees(Database &db);
void writeDemoEmployeePhotos(const std::filesystem::path &filesDir);

} // namespace seclog::server
