#include "file_routes.h"

#include "database.h"
#include "file_store.h"
#include "http_reply.h"
#include "report_pdf.h"
#include "request_body.h"
#include "request_error.h"
#include "request_limits.h"
#include "request_log.h"
#include "security_log_report.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace seclog::server {
namespace {

void handleUpload(RouteContext &context, const httplib::Request &req, httplib::Response &res,
                  const httplib::ContentReader &reader) {
    // httplib's multipart parser hands the parts over in upload order.
    const auto parts = readMultipartBody(req, reader, kMaxUploadBytes);
    const httplib::MultipartFormData *folderPart = nullptr;
    for (const auto &part : parts)
        if (part.name == "folder" && part.filename.empty())
            folderPart = &part;
    if (!folderPart)
        throw RequestError("folder is missing");
    const UploadFolder folder = confinedUploadFolder(context.filesDir, folderPart->content);
    noteRequestDetail(folder.name);

    // The client reuses its names ("1" for every person's photo, "0", "1"... for bills), so
    // each file gets a name of its own. Every name is checked before anything is written, and
    // a failed write removes what this upload already wrote: a refused upload stores nothing.
    std::vector<const httplib::MultipartFormData *> files;
    for (const auto &part : parts) {
        if (part.filename.empty())
            continue;
        if (!isStorableFileName(part.filename))
            throw RequestError("file name refused: " + part.filename);
        files.push_back(&part);
    }
    if (files.empty())
        throw RequestError("no files in upload");
    const std::filesystem::path &folderDir = folder.path;
    std::vector<std::string> names;
    names.reserve(files.size());
    try {
        for (const auto *file : files)
            names.push_back(
                writeNewUpload(folderDir, file->filename, file->content_type, file->content));
    } catch (...) {
        for (const auto &name : names) {
            std::error_code ignored;
            std::filesystem::remove(folderDir / name, ignored);
        }
        throw;
    }
    nlohmann::json stored = nlohmann::json::array();
    for (const auto &name : names)
        stored.push_back("~/" + folder.name + name);
    replyJson(res, stored);
}

void handleStoredFile(RouteContext &context, const httplib::Request &req, httplib::Response &res) {
    const auto file = resolveStoredFile(context.filesDir, req.matches[1].str());
    if (!file)
        throw RequestError("invalid file path");
    std::ifstream in(*file, std::ios::binary);
    if (!in || std::filesystem::is_directory(*file)) {
        replyError(res, 404, "file not found");
        return;
    }
    std::ostringstream content;
    content << in.rdbuf();
    res.set_content(content.str(), contentTypeFor(*file));
}

void handleLogReport(RouteContext &context, const httplib::Request &req, httplib::Response &res) {
    const std::string idText = req.get_param_value("SecIOLog_id");
    std::int64_t id = 0;
    const auto [end, error] = std::from_chars(idText.data(), idText.data() + idText.size(), id);
    if (idText.empty() || error != std::errc() || end != idText.data() + idText.size())
        throw RequestError("SecIOLog_id must be a number");
    noteRequestDetail("SecIOLog_id=" + idText);
    std::optional<SecurityLogReport> report;
    {
        auto lock = context.db.lock();
        report = loadSecurityLogReport(context.db, id, req.get_param_value("BranchCode"));
    }
    if (!report) {
        replyError(res, 404, "no security log " + idText + " in that branch");
        return;
    }
    res.set_content(renderSecurityLogPdf(*report), "application/pdf");
}

} // namespace

void installFileRoutes(httplib::Server &server, RouteContext &context) {
    server.Post("/upload", [&context](const httplib::Request &req, httplib::Response &res,
                                      const httplib::ContentReader &reader) {
        answerGuarded(res, [&] { handleUpload(context, req, res, reader); });
    });
    server.Get("/files/(.+)", [&context](const httplib::Request &req, httplib::Response &res) {
        answerGuarded(res, [&] { handleStoredFile(context, req, res); });
    });
    server.Get(R"(/10_Reports/FrmSecLog\.aspx)",
               [&context](const httplib::Request &req, httplib::Response &res) {
                   answerGuarded(res, [&] { handleLogReport(context, req, res); });
               });
}

} // namespace seclog::server
