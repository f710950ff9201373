#pragma once

#include <httplib.h>
#include <ostream>
#include <string>

namespace seclog::server {

// Handlers call this so the request line names the procedure, e.g. "Usp_CommonService/Sel_Pwd".
void noteRequestDetail(const std::string &detail);

// One line per request: method, path, detail, status, milliseconds.
void installRequestLog(httplib::Server &server, std::ostream &out);

} // namespace seclog::server
