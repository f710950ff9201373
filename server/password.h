#pragma once

#include <string>
#include <string_view>

namespace seclog::server {

// Passwords are kept as libsodium's Argon2id strings (salt and limits inside), never as plain
// text. Databases of earlier versions hold sha256(salt ":" password) in hex with the salt in a
// column of its own; such a hash is still accepted once and then replaced.

// A new Argon2id string for the password, with the interactive limits.
std::string hashPassword(std::string_view password);

enum class PasswordMatch {
    No,
    Yes,
    // Right, but stored in the old SHA-256 form or with other limits: store hashPassword anew.
    YesRehash,
};

// storedHash as hashPassword made it, or an old SHA-256 hash with its legacySalt.
PasswordMatch matchPassword(std::string_view storedHash, std::string_view legacySalt,
                            std::string_view password);

// The old form: sha256(salt ":" password) in lower-case hex.
std::string legacyPasswordHash(std::string_view salt, std::string_view password);

} // namespace seclog::server
