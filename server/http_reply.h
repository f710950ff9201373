#pragma once

#include <httplib.h>
#include <nlohmann/json.hpp>
#include <string>

namespace seclog::server {

void replyJson(httplib::Response &res, const nlohmann::json &body, int status = 200);
void replyError(httplib::Response &res, int status, const std::string &message);

// Runs a handler body, turning RequestError into 400, PayloadTooLarge into 413 and anything
// else into 500, so no input can take the server down.
void answerGuarded(httplib::Response &res, const std::function<void()> &body);

// Every column value as text: numbers converted, null as ""; a value that is itself a list
// of rows stays a list, its rows made text the same way.
void stringifyValues(nlohmann::json &rows);

} // namespace seclog::server
