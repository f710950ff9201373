// One whole HTTP request (request line, headers, body) as the stand-in server receives it:
// httplib parses it from a memory stream, no socket involved, and hands it to the server's own
// routes: /sp JSON bodies, the url-encoded form routes, multipart uploads, the picker's
// search, file and report requests. The database is the demo one, in memory; every request's
// changes are rolled back and its uploads removed, so each input meets the same server.
//
// Any answer is fine except 500: the routes turn every fault of the caller into 400, so a 500
// means some input was not checked.

#include "database.h"
#include "demo_data.h"
#include "fuzzcheck.h"
#include "procedures.h"
#include "routes.h"
#include "schema.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace server = seclog::server;
namespace fs = std::filesystem;

// httplib's request handling, reachable without a listening socket.
class MemoryServer : public httplib::Server {
public:
    using httplib::Server::process_request;
};

// The folders an upload may write to, with their contents before any input ran.
struct UploadFolder {
    fs::path path;
    fs::file_time_type stamp;
    std::vector<fs::path> original;
};

struct Harness {
    fs::path root;
    std::unique_ptr<server::Database> db;
    server::ProcedureRegistry registry = server::makeProcedureRegistry();
    std::unique_ptr<server::RouteContext> context;
    MemoryServer http;
    std::vector<UploadFolder> uploads;
    int status = 0;
    std::string body;
};

Harness *harness = nullptr;

void removeTemporaryFiles() {
    std::error_code ignored;
    fs::remove_all(harness->root, ignored);
}

void forgetUploads(UploadFolder &folder) {
    std::error_code error;
    const auto stamp = fs::last_write_time(folder.path, error);
    if (error || stamp == folder.stamp)
        return;
    for (const auto &entry : fs::directory_iterator(folder.path)) {
        if (std::find(folder.original.begin(), folder.original.end(), entry.path()) ==
            folder.original.end())
            fs::remove_all(entry.path());
    }
    folder.stamp = fs::last_write_time(folder.path);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
    harness = new Harness;
    std::string pattern = (fs::temp_directory_path() / "seclog-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    harness->root = pattern;
    std::atexit(removeTemporaryFiles);
    const fs::path filesDir = harness->root / "files";
    harness->db = std::make_unique<server::Database>(":memory:");
    server::createSchema(*harness->db);
    fs::create_directories(filesDir);
    server::loadDemoData(*harness->db, filesDir);
    harness->context = std::make_unique<server::RouteContext>(
        server::RouteContext{*harness->db, harness->registry, filesDir, 8080});
    server::installRoutes(harness->http, *harness->context);
    harness->http.set_logger([](const httplib::Request &, const httplib::Response &res) {
        harness->status = res.status;
        harness->body = res.body;
    });
    for (const char *folder : {"Security/PersonsImages", "Security/SecLogDetails_Bill"}) {
        UploadFolder upload{filesDir / folder, {}, {}};
        fs::create_directories(upload.path);
        for (const auto &entry : fs::directory_iterator(upload.path))
            upload.original.push_back(entry.path());
        upload.stamp = fs::last_write_time(upload.path);
        harness->uploads.push_back(std::move(upload));
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    httplib::detail::BufferStream stream;
    stream.write(reinterpret_cast<const char *>(data), size);
    harness->status = 0;
    harness->db->executeScript("SAVEPOINT fuzz");
    bool closed = false;
    harness->http.process_request(stream, true, closed, [](httplib::Request &) {});
    harness->db->executeScript("ROLLBACK TO fuzz; RELEASE fuzz");
    for (UploadFolder &folder : harness->uploads)
        forgetUploads(folder);
    if (harness->status == 500)
        std::fprintf(stderr, "500: %s\n", harness->body.c_str());
    fuzzCheck(harness->status != 500, "no request makes the server fail");
    return 0;
}
