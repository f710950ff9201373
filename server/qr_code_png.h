#pragma once

#include <string>
#include <string_view>

namespace seclog::server {

// The QR code of text as a black and white PNG: moduleSize pixels a module, inside a white
// quiet zone quietModules modules wide. Throws std::invalid_argument for text a QR code cannot
// hold.
std::string qrCodePng(std::string_view text, int moduleSize = 8, int quietModules = 4);

} // namespace seclog::server
