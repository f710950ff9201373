#pragma once

#include <filesystem>
#include <httplib.h>

namespace seclog::server {

class Database;
class ProcedureRegistry;

struct RouteContext {
    Database &db;
    const ProcedureRegistry &registry;
    std::filesystem::path filesDir;
    int port = 0;
    std::string dieAt = {}; // see ServerOptions::dieAt
};

// Installs every route the client uses, plus a catch-all that answers 400.
void installRoutes(httplib::Server &server, RouteContext &context);

} // namespace seclog::server
