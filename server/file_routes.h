#pragma once

#include "routes.h"

namespace seclog::server {

// /upload, /files/<path> and the printable log report.
void installFileRoutes(httplib::Server &server, RouteContext &context);

} // namespace seclog::server
