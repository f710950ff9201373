#include "sodium_wrappers.h"

#include <sodium.h>
#include <stdexcept>

namespace seclog::server {
namespace {

const unsigned char *bytesOf(std::string_view text) {
    return reinterpret_cast<const unsigned char *>(text.data());
}

unsigned char *bytesOf(std::string &text) {
    return reinterpret_cast<unsigned char *>(text.data());
}

} // namespace

void initSodium() {
    static const bool started = sodium_init() >= 0;
    if (!started)
        throw std::runtime_error("libsodium could not be initialised");
}

std::string sha256Digest(std::string_view data) {
    initSodium();
    std::string digest(crypto_hash_sha256_BYTES, '\0');
    crypto_hash_sha256(bytesOf(digest), bytesOf(data), data.size());
    return digest;
}

std::string hexText(std::string_view bytes) {
    std::string hex(bytes.size() * 2 + 1, '\0');
    sodium_bin2hex(hex.data(), hex.size(), bytesOf(bytes), bytes.size());
    hex.pop_back(); // the terminating NUL
    return hex;
}

std::string base64UrlText(std::string_view bytes) {
    constexpr int kVariant = sodium_base64_VARIANT_URLSAFE_NO_PADDING;
    std::string text(sodium_base64_ENCODED_LEN(bytes.size(), kVariant), '\0');
    sodium_bin2base64(text.data(), text.size(), bytesOf(bytes), bytes.size(), kVariant);
    text.resize(text.find('\0'));
    return text;
}

std::string randomBytes(std::size_t count) {
    initSodium();
    std::string bytes(count, '\0');
    randombytes_buf(bytes.data(), count);
    return bytes;
}

} // namespace seclog::server
