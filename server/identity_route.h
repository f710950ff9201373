#pragma once

#include <httplib.h>

namespace seclog::server {

// GET /standin/identity: tells programs that must never reach a production server (the
// walkthrough logs guards out and marks logs OUT) that they are talking to this stand-in.
void installIdentityRoute(httplib::Server &server);

} // namespace seclog::server
