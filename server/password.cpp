#include "password.h"

#include "sodium_wrappers.h"

#include <sodium.h>
#include <stdexcept>

namespace seclog::server {
namespace {

constexpr unsigned long long kOpsLimit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr std::size_t kMemLimit = crypto_pwhash_MEMLIMIT_INTERACTIVE;
constexpr std::size_t kLegacyHashLength = 2 * crypto_hash_sha256_BYTES;

bool isArgon2String(std::string_view stored) {
    return stored.starts_with("$argon2id$") || stored.starts_with("$argon2i$");
}

} // namespace

std::string hashPassword(std::string_view password) {
    initSodium();
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.data(), password.size(), kOpsLimit, kMemLimit) != 0)
        throw std::runtime_error("out of memory while hashing a password");
    return hash;
}

PasswordMatch matchPassword(std::string_view storedHash, std::string_view legacySalt,
                            std::string_view password) {
    initSodium();
    if (isArgon2String(storedHash)) {
        const std::string stored(storedHash); // libsodium reads it up to its NUL
        if (crypto_pwhash_str_verify(stored.c_str(), password.data(), password.size()) != 0)
            return PasswordMatch::No;
        const bool current =
            stored.starts_with("$argon2id$") &&
            crypto_pwhash_str_needs_rehash(stored.c_str(), kOpsLimit, kMemLimit) == 0;
        return current ? PasswordMatch::Yes : PasswordMatch::YesRehash;
    }
    if (storedHash.size() != kLegacyHashLength || legacySalt.empty())
        return PasswordMatch::No;
    const std::string computed = legacyPasswordHash(legacySalt, password);
    // Constant time, so the timing does not hint at the hash.
    return sodium_memcmp(computed.data(), storedHash.data(), kLegacyHashLength) == 0
               ? PasswordMatch::YesRehash
               : PasswordMatch::No;
}

std::string legacyPasswordHash(std::string_view salt, std::string_view password) {
    std::string input(salt);
    input.append(":").append(password);
    return hexText(sha256Digest(input));
}

} // namespace seclog::server
