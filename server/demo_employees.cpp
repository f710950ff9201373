#include "demo_employees.h"

#include "database.h"
#include "demo_photos.h"
#include "demo_punches.h"

#include <string>

namespace seclog::server {
namespace {

constexpr std::array kDepartments = {"Security",   "Administration", "Stores", "HR",
                                     "Production", "Accounts",       "Quality"};
constexpr int kEmployeePhotoSeed = 200;

std::string employeePhoto(size_t index) {
    return "emp_" + std::to_string(index + 1) + ".png";
}

} // namespace

void insertDemoDepartments(Database &db) {
    for (const char *department : kDepartments)
        db.execute("INSERT INTO Department(Department) VALUES (?1)", {std::string(department)});
}

void insertDemoEmployees(Database &db) {
    for (size_t i = 0; i < kDemoEmployees.size(); ++i) {
        const DemoEmployee &employee = kDemoEmployees[i];
        db.execute("INSERT INTO Employee(EmpName, Department_id, ImagePath, Division_id, Mobile, "
                   "Designation) SELECT ?1, Department_id, ?2, ?3, ?4, ?6 FROM Department "
                   "WHERE Department = ?5",
                   {std::string(employee.name), clientImagePath(employeePhoto(i)),
                    std::int64_t{employee.division}, "98421" + std::to_string(10001 + i),
                    std::string(employee.department), std::string(employee.designation)});
    }
    db.execute("UPDATE Employee SET EmpCode = 'HT' || (1000 + Employee_id) WHERE EmpCode = ''");
    // The demo users are the guards.
    db.execute("UPDATE Employee SET Designation = 'Security Guard' WHERE Designation = ''");
    insertDemoPunches(db);
}

void writeDemoEmployeePhotos(const std::filesystem::path &filesDir) {
    for (size_t i = 0; i < kDemoEmployees.size(); ++i)
        writeDemoPhoto(filesDir, employeePhoto(i), kEmployeePhotoSeed + static_cast<int>(i));
}

} // namespace seclog::server
