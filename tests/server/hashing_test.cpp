#include "password.h"
#include "png_writer.h"
#include "sha256.h"

#include <gtest/gtest.h>

namespace seclog::server {
namespace {

struct DigestCase {
    std::string input;
    std::string hex;
};

class Sha256Vectors : public ::testing::TestWithParam<DigestCase> {};

TEST_P(Sha256Vectors, MatchesKnownDigest) {
    EXPECT_EQ(sha256Hex(GetParam().input), GetParam().hex);
}

// NIST examples plus lengths around the 56- and 64-byte padding boundaries.
INSTANTIATE_TEST_SUITE_P(
    Known, Sha256Vectors,
    ::testing::Values(
        DigestCase{"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        DigestCase{"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        DigestCase{"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
                   "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        DigestCase{std::string(55, 'a'),
                   "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318"},
        DigestCase{std::string(56, 'a'),
                   "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a"},
        DigestCase{std::string(63, 'a'),
                   "7d3e74a05d7db15bce4ad9ec0658ea98e3f06eeecf16b4c6fff2da457ddc2f34"},
        DigestCase{std::string(64, 'a'),
                   "ffe054fe7ae0cb6dc65c3af9b61d5209f439851db43d0ba5997337df154668eb"},
        DigestCase{std::string(65, 'a'),
                   "635361c48bb9eab14198e76ea8ab7f1a41685d6ad62aa9146d301d4f17eb0ae0"},
        DigestCase{std::string(1000000, 'a'),
                   "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"}));

TEST(Password, HashIsSaltColonPasswordAndNeverThePlainText) {
    EXPECT_EQ(hashPassword("salt", "+&="),
              "aecf7e2839ef5a30a778e1b14f01a0da9b3e8c1bd909f7daf6fca7da66a94c72");
    EXPECT_TRUE(passwordMatches("salt", hashPassword("salt", "pw"), "pw"));
    EXPECT_FALSE(passwordMatches("salt", hashPassword("salt", "pw"), "pW"));
    EXPECT_FALSE(passwordMatches("other", hashPassword("salt", "pw"), "pw"));
    EXPECT_FALSE(passwordMatches("salt", "", ""));
}

TEST(Password, SeededSaltsRepeatAndDiffer) {
    std::mt19937_64 first(7), second(7);
    const std::string a = makeSalt(first);
    EXPECT_EQ(a, makeSalt(second));
    EXPECT_NE(a, makeSalt(first));
    EXPECT_EQ(a.size(), 32u);
}

TEST(Checksums, MatchKnownValues) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(crc32(""), 0u);
    EXPECT_EQ(adler32("Wikipedia"), 0x11E60398u);
    EXPECT_EQ(adler32(""), 1u);
}

std::uint32_t bigEndianAt(const std::string &bytes, size_t offset) {
    std::uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[offset + i]);
    return value;
}

TEST(Png, ChunksAreWellFormed) {
    const std::vector<std::uint8_t> rgb(3 * 2 * 3, 0x7f);
    const std::string png = encodePng(3, 2, rgb);
    ASSERT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
    std::vector<std::string> types;
    for (size_t at = 8; at < png.size();) {
        const std::uint32_t length = bigEndianAt(png, at);
        const std::string typed = png.substr(at + 4, 4 + length);
        EXPECT_EQ(bigEndianAt(png, at + 8 + length), crc32(typed)) << typed.substr(0, 4);
        types.push_back(typed.substr(0, 4));
        at += 12 + length;
    }
    EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(bigEndianAt(png, 16), 3u); // width
    EXPECT_EQ(bigEndianAt(png, 20), 2u); // height
}

TEST(Png, RejectsMismatchedBuffer) {
    EXPECT_THROW(encodePng(2, 2, std::vector<std::uint8_t>(5)), std::invalid_argument);
    EXPECT_THROW(encodePng(0, 2, {}), std::invalid_argument);
}

} // namespace
} // namespace seclog::server
