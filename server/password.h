#pragma once

#include <random>
#include <string>
#include <string_view>

namespace seclog::server {

// Passwords are kept as sha256(salt ":" password); never as plain text.
std::string hashPassword(std::string_view salt, std::string_view password);
bool passwordMatches(std::string_view salt, std::string_view storedHash, std::string_view password);
std::string makeSalt(std::mt19937_64 &random);
std::string makeSalt(); // from std::random_device

} // namespace seclog::server
