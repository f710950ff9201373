#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace seclog::server {

// Thin wrappers over libsodium for what the server hashes, encodes and draws at random.
// Those that need the library initialised see to it first (thread-safe, once).

void initSodium(); // throws std::runtime_error if libsodium cannot start

std::string sha256Digest(std::string_view data);   // 32 bytes
std::string hexText(std::string_view bytes);       // lower-case hex
std::string base64UrlText(std::string_view bytes); // URL alphabet, no padding (as in a JWT)
std::string randomBytes(std::size_t count);        // from the system's CSPRNG

} // namespace seclog::server
