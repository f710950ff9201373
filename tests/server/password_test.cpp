// Stored passwords: Argon2id for every new hash, and the SHA-256 form of databases written by
// earlier versions accepted once, then replaced.

#include "demo_server.h"
#include "password.h"

#include <cstring>
#include <sodium.h>

namespace seclog::server::testing {
namespace {

// Users rows as the earlier SHA-256 version of the server wrote them for the demo:
// PwdHash = sha256(PwdSalt ":" password) in hex.
struct LegacyRow {
    const char *userName, *salt, *hash;
};
constexpr LegacyRow kLegacyRows[] = {
    {"demo", "d81a29cd0491fbc1b6bc3cf9dca10fbf",
     "d5221781f9c33cc118ce7756710e27c352afc853615bf8c59caf38c844002620"},
    {"priya", "8e6351123d5531b0c5ef4771d936691f",
     "6ccf42176398ce582e7bc50155a4ef80185b99acdd95a1c63da17fe69d44b95d"},
    {"olduser", "f1be9b99623a82b2beb90bbd07d8206b",
     "a1f5b7f8ad2096aa02e29d1f2fd9386c6bd6574bf557120a497b6555e5a716fb"},
};

constexpr const char *kPassword = "s3cret pass";

// A hash of kPassword in another form libsodium reads; "" if it could not make one.
std::string sodiumHash(decltype(&crypto_pwhash_str) hashFn, unsigned long long opsLimit,
                       size_t memLimit) {
    char text[crypto_pwhash_STRBYTES] = {};
    return hashFn(text, kPassword, strlen(kPassword), opsLimit, memLimit) == 0 ? text : "";
}

TEST(PasswordMatching, AcceptsOnlyTheRightPasswordAndAsksForRehashOfOlderForms) {
    const std::string current = hashPassword(kPassword);
    const std::string weaker =
        sodiumHash(crypto_pwhash_str, crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN);
    const std::string argon2i =
        sodiumHash(crypto_pwhash_argon2i_str, crypto_pwhash_argon2i_OPSLIMIT_INTERACTIVE,
                   crypto_pwhash_argon2i_MEMLIMIT_INTERACTIVE);
    ASSERT_FALSE(weaker.empty() || argon2i.empty());
    EXPECT_TRUE(current.starts_with("$argon2id$v=19$m=65536,t=2,p=1$")) << current;
    EXPECT_NE(hashPassword(kPassword), current); // a salt of its own each time
    const LegacyRow &demo = kLegacyRows[0];
    using enum PasswordMatch;
    using Case = std::tuple<const char *, std::string, std::string, std::string, PasswordMatch>;
    const std::vector<Case> cases = {
        {"Current", current, "", kPassword, Yes},
        {"CurrentWrong", current, "", "s3cret Pass", No},
        {"WeakerLimits", weaker, "", kPassword, YesRehash},
        {"Argon2i", argon2i, "", kPassword, YesRehash},
        {"Legacy", demo.hash, demo.salt, "demo", YesRehash},
        {"LegacyWrong", demo.hash, demo.salt, "Demo", No},
        {"LegacyOtherSalt", demo.hash, kLegacyRows[1].salt, "demo", No},
        {"LegacyShortened", std::string(demo.hash).substr(0, 63), demo.salt, "demo", No},
        {"Empty", "", "", "", No},
        {"BrokenArgon2", "$argon2id$v=19$m=65536,t=2,p=1$garbage", "", kPassword, No},
        {"PlainText", "demo", "", "demo", No},
    };
    for (const auto &[name, stored, salt, password, expected] : cases)
        EXPECT_EQ(matchPassword(stored, salt, password), expected) << name;
}

// The demo stores Argon2id. A database of the SHA-256 version: each right login replaces its
// user's hash with Argon2id, a refused one leaves it as it was, and both forms keep working.
TEST(DemoLogins, NewAndOldDatabasesLogInAndOldHashesAreReplacedOnce) {
    DemoServer demo;
    const auto login = [&](const std::string &user, const std::string &password) {
        const std::string form = "spName=Usp_CommonService&spType=Sel_Pwd&branchCode=Halvik";
        return column(
            jsonOf(demo.client().Post("/verifyUser", form + "&uName=" + user + "&pwd=" + password,
                                      "application/x-www-form-urlencoded")),
            "EmpName");
    };
    const auto storedOf = [&](const std::string &user) { // PwdHash and PwdSalt
        const json row = dbRows(
            demo.dbPath, "SELECT PwdHash, PwdSalt FROM Users WHERE UserName = ?1", {user})[0];
        return std::pair<std::string, std::string>{row["PwdHash"], row["PwdSalt"]};
    };
    const std::vector<std::tuple<std::string, std::string, std::string>> logins = {
        {"demo", "demo", "Ravi Kumar"}, {"priya", "priya123", "Priya Nair"},
        {"olduser", "olduser", ""}, // inactive
        {"demo", "wrong", ""},          {"priya", "demo", ""},
    };
    for (const LegacyRow &row : kLegacyRows)
        EXPECT_EQ(storedOf(row.userName).first.substr(0, 10) + storedOf(row.userName).second,
                  "$argon2id$")
            << row.userName;
    std::map<std::string, std::pair<std::string, std::string>> legacy;
    {
        Database db(demo.dbPath.string());
        for (const LegacyRow &row : kLegacyRows) {
            db.execute("UPDATE Users SET PwdHash = ?2, PwdSalt = ?3 WHERE UserName = ?1",
                       {std::string(row.userName), std::string(row.hash), std::string(row.salt)});
            legacy[row.userName] = {row.hash, row.salt};
        }
    }
    for (int round = 0; round < 2; ++round)
        for (const auto &[user, password, name] : logins) {
            SCOPED_TRACE(user + "/" + password + " round " + std::to_string(round));
            const auto before = storedOf(user);
            EXPECT_EQ(login(user, password), listOf(name));
            const auto after = storedOf(user);
            if (name.empty()) {
                EXPECT_EQ(after, before);
                continue;
            }
            EXPECT_TRUE(after.first.starts_with("$argon2id$")) << after.first;
            EXPECT_EQ(after.second, "");
            // Rehashed on the first right login only.
            EXPECT_EQ(before == legacy[user], round == 0);
            EXPECT_EQ(after == before, round == 1);
        }
    // Never logged in right: still the old form.
    EXPECT_EQ(storedOf("olduser"), legacy["olduser"]);
}

} // namespace
} // namespace seclog::server::testing
