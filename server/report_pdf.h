#pragma once

#include "security_log_report.h"

#include <string>

namespace seclog::server {

// Renders the gate log report as PDF bytes (A4, as many pages as the documents need).
// Throws std::runtime_error if libharu fails.
std::string renderSecurityLogPdf(const SecurityLogReport &report);

} // namespace seclog::server
