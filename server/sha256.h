#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace seclog::server {

// Self-contained SHA-256 (FIPS 180-4) so password hashing needs no crypto library.
std::array<std::uint8_t, 32> sha256(std::string_view data);
std::string sha256Hex(std::string_view data);

} // namespace seclog::server
