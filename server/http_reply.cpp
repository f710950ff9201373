#include "http_reply.h"

#include "payload_too_large.h"
#include "request_error.h"

namespace seclog::server {

void replyJson(httplib::Response &res, const nlohmann::json &body, int status) {
    res.status = status;
    // Stored text may hold invalid UTF-8 from a client; replace rather than throw.
    res.set_content(body.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                    "application/json; charset=utf-8");
}

void replyError(httplib::Response &res, int status, const std::string &message) {
    replyJson(res, {{"error", message}}, status);
}

void answerGuarded(httplib::Response &res, const std::function<void()> &body) {
    try {
        body();
    } catch (const RequestError &error) {
        replyError(res, 400, error.what());
    } catch (const PayloadTooLarge &error) {
        replyError(res, 413, error.what());
    } catch (const std::exception &error) {
        replyError(res, 500, std::string("internal error: ") + error.what());
    }
}

void stringifyValues(nlohmann::json &rows) {
    if (!rows.is_array())
        return;
    for (auto &row : rows) {
        if (!row.is_object())
            continue;
        for (auto &value : row) {
            if (value.is_null())
                value = "";
            else if (value.is_array())
                stringifyValues(value); // nested rows, such as a day's counts by entry type
            else if (!value.is_string())
                value = value.dump();
        }
    }
}

} // namespace seclog::server
