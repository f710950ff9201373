#pragma once

#include "seclogserver/stand_in_server.h"

#include <cstdint>
#include <string>

namespace seclog::server {

class Database;

std::int64_t insertUser(Database &db, const NewUser &user, const std::string &salt,
                        const std::string &imagePath = "");

} // namespace seclog::server
