#include "identity_route.h"

#include "http_reply.h"

namespace seclog::server {

void installIdentityRoute(httplib::Server &server) {
    server.Get("/standin/identity", [](const httplib::Request &, httplib::Response &res) {
        replyJson(res, {{"server", "seclog-server"}, {"standIn", true}});
    });
}

} // namespace seclog::server
