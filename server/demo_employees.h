#pragma once

#include <array>
#include <filesystem>

namespace seclog::server {

class Database;

struct DemoEmployee {
    const char *name, *department;
    int division;
};

// The people visitors come to meet; demo logs name them in Meet_To.
inline constexpr std::array<DemoEmployee, 5> kDemoEmployees = {{
    {"Suresh Natarajan", "Stores", 1},
    {"Priya Menon", "HR", 1},
    {"Venkatesh Rao", "Production", 2},
    {"Ramesh Iyer", "Accounts", 1},
    {"Anitha Joseph", "Quality", 3},
}};

// Security comes first: the demo users' employees belong to Department 1.
void insertDemoDepartments(Database &db);
// Adds kDemoEmployees with photos, then gives every employee (users' too) an EmpCode.
void insertDemoEmployees(Database &db);
void writeDemoEmployeePhotos(const std::filesystem::path &filesDir);

} // namespace seclog::server
