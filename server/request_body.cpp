#include "request_body.h"

#include "payload_too_large.h"
#include "request_error.h"
#include "request_limits.h"

#include <charconv>

namespace seclog::server {
namespace {

// Counts what a body brings and keeps it only while it is within the limit.
class BodyBudget {
public:
    explicit BodyBudget(std::size_t maxBytes) : maxBytes_(maxBytes) {}
    // Whether to keep these bytes; counting stops the read once past what is ever read.
    bool take(std::size_t length, bool &keep) {
        seen_ += length;
        keep = seen_ <= maxBytes_;
        return seen_ <= kMaxUploadBytes;
    }
    // After the read: 413 for a body over the limit, whether counted or declared (httplib
    // itself refuses to read a declared length over kMaxUploadBytes), else 400 if cut short.
    void check(const httplib::Request &req, bool complete) const {
        if (seen_ > maxBytes_ || declaredLength(req) > maxBytes_)
            throw PayloadTooLarge(tooLargeMessage(maxBytes_));
        if (!complete)
            throw RequestError("request body incomplete or malformed");
    }

private:
    static std::size_t declaredLength(const httplib::Request &req) {
        const std::string text = req.get_header_value("Content-Length");
        std::size_t length = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), length);
        return error == std::errc() && end == text.data() + text.size() ? length : 0;
    }

    std::size_t maxBytes_;
    std::size_t seen_ = 0;
};

// Reads a multipart body part by part; content beyond the limit is dropped.
bool readParts(const httplib::ContentReader &reader, BodyBudget &budget,
               std::vector<httplib::MultipartFormData> &parts) {
    return reader(
        [&](const httplib::MultipartFormData &header) {
            parts.push_back(header);
            return true;
        },
        [&](const char *data, std::size_t length) {
            if (parts.empty())
                return false;
            bool keep = false;
            const bool more = budget.take(length, keep);
            if (keep)
                parts.back().content.append(data, length);
            return more;
        });
}

bool readPlain(const httplib::ContentReader &reader, BodyBudget &budget, std::string &body) {
    return reader([&](const char *data, std::size_t length) {
        bool keep = false;
        const bool more = budget.take(length, keep);
        if (keep)
            body.append(data, length);
        return more;
    });
}

} // namespace

std::string readBody(const httplib::Request &req, const httplib::ContentReader &reader,
                     std::size_t maxBytes) {
    BodyBudget budget(maxBytes);
    if (req.is_multipart_form_data()) {
        std::vector<httplib::MultipartFormData> ignored;
        budget.check(req, readParts(reader, budget, ignored));
        throw RequestError("multipart body where a JSON or url-encoded one was expected");
    }
    std::string body;
    budget.check(req, readPlain(reader, budget, body));
    return body;
}

std::vector<httplib::MultipartFormData> readMultipartBody(const httplib::Request &req,
                                                          const httplib::ContentReader &reader,
                                                          std::size_t maxBytes) {
    BodyBudget budget(maxBytes);
    if (!req.is_multipart_form_data()) {
        std::string ignored;
        budget.check(req, readPlain(reader, budget, ignored));
        throw RequestError("upload must be multipart/form-data");
    }
    std::vector<httplib::MultipartFormData> parts;
    budget.check(req, readParts(reader, budget, parts));
    return parts;
}

std::string tooLargeMessage(std::size_t maxBytes) {
    return "request body too large: the limit is " + std::to_string(maxBytes / (1024 * 1024)) +
           " MiB";
}

} // namespace seclog::server
