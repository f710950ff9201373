#include "database.h"
#include "password.h"
#include "procedures.h"

namespace seclog::server {

nlohmann::json verifyUser(ProcedureContext &context, const std::string &userName,
                          const std::string &password) {
    auto users = context.db.query(
        "SELECT u.BranchCode, u.Users_id, e.EmpName, e.Employee_id, e.Department_id, "
        "COALESCE(d.Department, '') AS Department, e.ImagePath, u.PwdSalt, u.PwdHash "
        "FROM Users u JOIN Employee e ON e.Employee_id = u.Employee_id "
        "LEFT JOIN Department d ON d.Department_id = e.Department_id "
        "WHERE u.UserName = ?1 AND u.IsActive = 1",
        {userName});
    nlohmann::json reply = nlohmann::json::array();
    for (auto &user : users) {
        if (!passwordMatches(user["PwdSalt"].get<std::string>(), user["PwdHash"].get<std::string>(),
                             password))
            continue;
        user.erase("PwdSalt");
        user.erase("PwdHash");
        reply.push_back(std::move(user));
    }
    return reply;
}

} // namespace seclog::server
