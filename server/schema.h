#pragma once

namespace seclog::server {

class Database;

// Creates any missing tables; safe to run on every start.
void createSchema(Database &db);

} // namespace seclog::server
