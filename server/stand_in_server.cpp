#include "seclogserver/stand_in_server.h"

#include "database.h"
#include "demo_data.h"
#include "document_codes.h"
#include "http_reply.h"
#include "procedures.h"
#include "request_body.h"
#include "request_limits.h"
#include "request_log.h"
#include "routes.h"
#include "schema.h"
#include "settings.h"
#include "users.h"

#include <atomic>
#include <iostream>
#include <stdexcept>
#include <thread>

namespace seclog::server {
namespace {

constexpr size_t kWorkerThreads = 32;

std::filesystem::path filesDirFor(const ServerOptions &options) {
    if (!options.filesDir.empty())
        return options.filesDir;
    return options.dbPath.string() + ".files";
}

// Schema, files folder, demo data and settings: what serving and writing codes both need.
void prepareDatabase(Database &db, const ServerOptions &options,
                     const std::filesystem::path &filesDir) {
    createSchema(db);
    std::filesystem::create_directories(filesDir);
    if (options.demo)
        loadDemoData(db, filesDir,
                     {options.itemMasterSize, options.historyLogsPerDay, options.historyMonths,
                      options.openLogs});
    if (options.appVersion)
        writeSetting(db, setting::kAppVersion, *options.appVersion);
    if (options.appLink)
        writeSetting(db, setting::kAppLink, *options.appLink);
    if (!options.codesDir.empty())
        writeDocumentCodeFiles(db, options.codesDir);
}

// Refusals httplib makes by itself (a body over the payload limit, a request it cannot parse)
// come without a body: give them the JSON error every route answers with.
httplib::Server::HandlerResponse answerLibraryRefusal(const httplib::Request &,
                                                      httplib::Response &res) {
    if (!res.body.empty())
        return httplib::Server::HandlerResponse::Unhandled;
    replyError(res, res.status,
               res.status == 413 ? tooLargeMessage(kMaxUploadBytes)
                                 : "request refused with HTTP " + std::to_string(res.status));
    return httplib::Server::HandlerResponse::Handled;
}

// The fault "upload:N": the process ends the moment the Nth upload arrives, as a server that
// crashed or lost power would. It takes the place of the request log's timing hook.
void installUploadDeath(httplib::Server &http, int nth) {
    http.set_pre_routing_handler([nth](const httplib::Request &req, httplib::Response &) {
        static std::atomic<int> uploads = 0;
        if (req.path == "/upload" && ++uploads == nth)
            std::_Exit(70);
        return httplib::Server::HandlerResponse::Unhandled;
    });
}

} // namespace

struct StandInServer::Impl {
    explicit Impl(const ServerOptions &options)
        : db(options.dbPath.string()),
          registry(makeProcedureRegistry()), routeContext{db, registry, filesDirFor(options), 0} {}

    Database db;
    ProcedureRegistry registry;
    RouteContext routeContext;
    httplib::Server http;
    std::thread serveThread;
    std::atomic<bool> serveLoopEnded = false;
    std::mutex stopMutex;
    int port = 0;
};

StandInServer::StandInServer(ServerOptions options) : impl_(std::make_unique<Impl>(options)) {
    prepareDatabase(impl_->db, options, impl_->routeContext.filesDir);

    httplib::Server &http = impl_->http;
    // httplib refuses a declared body over the largest limit before any route reads it;
    // routes hold their own bodies to their own limits (request_body.h).
    http.set_payload_max_length(kMaxUploadBytes);
    // A handheld keeps a connection open between requests for its calls and up to six for
    // its pictures. With httplib's eight workers, one handheld scrolling a list of photos
    // (or two at once) left requests waiting for an idle connection to time out, seconds.
    http.new_task_queue = [] { return new httplib::ThreadPool(kWorkerThreads); };
    http.set_error_handler(httplib::Server::HandlerWithResponse(answerLibraryRefusal));
    if (options.logRequests)
        installRequestLog(http, std::cout);

    impl_->port = options.port == 0
                      ? http.bind_to_any_port(options.host)
                      : (http.bind_to_port(options.host, options.port) ? options.port : -1);
    if (impl_->port <= 0)
        throw std::runtime_error("cannot listen on " + options.host + ":" +
                                 std::to_string(options.port));
    impl_->routeContext.port = impl_->port;
    impl_->routeContext.dieAt = options.dieAt;
    installRoutes(http, impl_->routeContext);
    if (options.dieAt.rfind("upload:", 0) == 0)
        installUploadDeath(http, std::stoi(options.dieAt.substr(7)));

    // The socket is already listening, so clients may connect before this thread runs.
    impl_->serveThread = std::thread([impl = impl_.get()] {
        impl->http.listen_after_bind();
        impl->serveLoopEnded = true;
    });
}

StandInServer::~StandInServer() {
    stop();
}

int StandInServer::port() const {
    return impl_->port;
}

std::string StandInServer::baseUrl() const {
    return "http://127.0.0.1:" + std::to_string(impl_->port);
}

const std::filesystem::path &StandInServer::filesDir() const {
    return impl_->routeContext.filesDir;
}

void StandInServer::stop() {
    std::scoped_lock lock(impl_->stopMutex);
    if (!impl_->serveThread.joinable())
        return;
    // httplib ignores stop() until its accept loop has started.
    while (!impl_->http.is_running() && !impl_->serveLoopEnded)
        std::this_thread::yield();
    impl_->http.stop();
    impl_->serveThread.join();
}

std::size_t writeDocumentCodes(const ServerOptions &options) {
    Database db(options.dbPath.string());
    ServerOptions setUp = options;
    setUp.codesDir.clear();
    prepareDatabase(db, setUp, filesDirFor(options));
    return writeDocumentCodeFiles(db, options.codesDir);
}

std::int64_t StandInServer::addUser(const NewUser &user) {
    auto lock = impl_->db.lock();
    return insertUser(impl_->db, user);
}

} // namespace seclog::server
