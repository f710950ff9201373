#include "password.h"

#include "sha256.h"

namespace seclog::server {

std::string hashPassword(std::string_view salt, std::string_view password) {
    std::string input;
    input.append(salt).append(":").append(password);
    return sha256Hex(input);
}

bool passwordMatches(std::string_view salt, std::string_view storedHash,
                     std::string_view password) {
    // Constant-time compare: cheap, and keeps timing from hinting at the hash.
    const std::string computed = hashPassword(salt, password);
    if (computed.size() != storedHash.size())
        return false;
    unsigned char difference = 0;
    for (size_t i = 0; i < computed.size(); ++i)
        difference |= static_cast<unsigned char>(computed[i] ^ storedHash[i]);
    return difference == 0;
}

std::string makeSalt(std::mt19937_64 &random) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string salt;
    for (int i = 0; i < 32; ++i)
        salt.push_back(kHex[random() & 0xf]);
    return salt;
}

std::string makeSalt() {
    std::random_device device;
    std::mt19937_64 random((static_cast<std::uint64_t>(device()) << 32) | device());
    return makeSalt(random);
}

} // namespace seclog::server
