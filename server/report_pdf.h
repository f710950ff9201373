#pragma once

#include "report_layout.h"
#include "security_log_report.h"

#include <string>

namespace seclog::server {

// Widths as libharu measures the built-in Helvetica faces (WinAnsi encoding). The returned
// function owns its own libharu document; use it (and its copies) from one thread at a time.
// Throws std::runtime_error if libharu fails.
TextMeasure helveticaMeasure();

// Renders the gate log report as PDF bytes (A4, as many pages as the documents need).
// Throws std::runtime_error if libharu fails.
std::string renderSecurityLogPdf(const SecurityLogReport &report);

} // namespace seclog::server
