#include "request_log.h"

#include <chrono>
#include <cstdio>
#include <mutex>

namespace seclog::server {
namespace {

// httplib runs routing, handler and logger for a request on one worker thread.
thread_local std::chrono::steady_clock::time_point requestStart;
thread_local std::string requestDetail;

} // namespace

void noteRequestDetail(const std::string &detail) {
    requestDetail = detail;
}

void installRequestLog(httplib::Server &server, std::ostream &out) {
    server.set_pre_routing_handler([](const httplib::Request &, httplib::Response &) {
        requestStart = std::chrono::steady_clock::now();
        requestDetail.clear();
        return httplib::Server::HandlerResponse::Unhandled;
    });
    server.set_logger([&out](const httplib::Request &req, const httplib::Response &res) {
        static std::mutex outputMutex;
        const std::chrono::duration<double, std::milli> elapsed =
            std::chrono::steady_clock::now() - requestStart;
        char ms[32];
        std::snprintf(ms, sizeof ms, "%.1fms", elapsed.count());
        std::string line = req.method + " " + req.path;
        if (!requestDetail.empty())
            line += " " + requestDetail;
        line += " " + std::to_string(res.status) + " " + ms + "\n";
        std::scoped_lock lock(outputMutex);
        out << line << std::flush;
    });
}

} // namespace seclog::server
