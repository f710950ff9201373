#include "database.h"
#include "password.h"
#include "procedures.h"

namespace seclog::server {

nlohmann::json verifyUser(ProcedureContext &context, const std::string &userName,
                          const std::string &password) {
    nlohmann::json users;
    {
        auto lock = context.db.lock();
        users = context.db.query(
            "SELECT u.BranchCode, u.Users_id, e.EmpName, e.Employee_id, e.Department_id, "
            "COALESCE(d.Department, '') AS Department, e.ImagePath, u.PwdSalt, u.PwdHash "
            "FROM Users u JOIN Employee e ON e.Employee_id = u.Employee_id "
            "LEFT JOIN Department d ON d.Department_id = e.Department_id "
            "WHERE u.UserName = ?1 AND u.IsActive = 1",
            {userName});
    }
    nlohmann::json reply = nlohmann::json::array();
    for (auto &user : users) {
        // Argon2id takes a tenth of a second on purpose: other requests go on meanwhile.
        const std::string storedHash = user["PwdHash"].get<std::string>();
        const PasswordMatch match =
            matchPassword(storedHash, user["PwdSalt"].get<std::string>(), password);
        if (match == PasswordMatch::No)
            continue;
        if (match == PasswordMatch::YesRehash) {
            const std::string newHash = hashPassword(password);
            auto lock = context.db.lock();
            // Only if no other login replaced the old hash meanwhile.
            context.db.execute("UPDATE Users SET PwdHash = ?2, PwdSalt = '' "
                               "WHERE Users_id = ?1 AND PwdHash = ?3",
                               {user["Users_id"].get<std::int64_t>(), newHash, storedHash});
        }
        user.erase("PwdSalt");
        user.erase("PwdHash");
        reply.push_back(std::move(user));
    }
    return reply;
}

} // namespace seclog::server
