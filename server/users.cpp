#include "users.h"

#include "database.h"
#include "password.h"

namespace seclog::server {

std::int64_t insertUser(Database &db, const NewUser &user, const std::string &imagePath) {
    return insertHashedUser(db, user, hashPassword(user.password), imagePath);
}

std::int64_t insertHashedUser(Database &db, const NewUser &user, const std::string &passwordHash,
                              const std::string &imagePath) {
    std::int64_t userId = 0;
    db.transaction([&] {
        db.execute("INSERT INTO Employee(EmpName, Department_id, ImagePath, Division_id) "
                   "VALUES (?1, ?2, ?3, ?4)",
                   {user.empName, user.departmentId, imagePath, user.divisionId});
        const std::int64_t employeeId = db.lastInsertId();
        // PwdSalt only ever held the salt of the old SHA-256 form; Argon2id keeps its own.
        db.execute("INSERT INTO Users(UserName, PwdHash, PwdSalt, Employee_id, BranchCode, "
                   "IsActive) VALUES (?1, ?2, '', ?3, ?4, ?5)",
                   {user.userName, passwordHash, employeeId, user.branchCode,
                    std::int64_t{user.active ? 1 : 0}});
        userId = db.lastInsertId();
    });
    return userId;
}

} // namespace seclog::server
