#pragma once

#include "seclogserver/stand_in_server.h"

#include <cstdint>
#include <string>

namespace seclog::server {

class Database;

// Adds the user's employee and login, the password stored as hashPassword makes it; returns
// Users_id.
std::int64_t insertUser(Database &db, const NewUser &user, const std::string &imagePath = "");

// The same with the password already hashed by hashPassword (user.password is not read).
std::int64_t insertHashedUser(Database &db, const NewUser &user, const std::string &passwordHash,
                              const std::string &imagePath = "");

} // namespace seclog::server
