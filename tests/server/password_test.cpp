// Stored passwords: Argon2id for every new hash, and the SHA-256 form of databases written by
// earlier versions accepted once, then replaced.

#include "database.h"
#include "demo_server.h"
#include "password.h"

#include <cstring>
#include <functional>
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
    {"suresh", "f824d7de953a12729568a08f30aa1f70",
     "68f845df469eeb886eb5dc802cdffa6f498994e64f6a16b879ad758d651796d2"},
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

struct MatchCase {
    std::string name;
    std::function<std::string()> stored;
    std::string salt, password;
    PasswordMatch expected;
};

std::vector<MatchCase> matchCases() {
    const auto text = [](std::string value) { return [value] { return value; }; };
    // Hashed only by the cases that use them.
    const auto currentHash = [] { return hashPassword(kPassword); };
    const auto weakerHash = [] {
        return sodiumHash(crypto_pwhash_str, crypto_pwhash_OPSLIMIT_MIN,
                          crypto_pwhash_MEMLIMIT_MIN);
    };
    const auto argon2iHash = [] {
        return sodiumHash(crypto_pwhash_argon2i_str, crypto_pwhash_argon2i_OPSLIMIT_INTERACTIVE,
                          crypto_pwhash_argon2i_MEMLIMIT_INTERACTIVE);
    };
    const LegacyRow &demo = kLegacyRows[0];
    using enum PasswordMatch;
    return {
        {"Current", currentHash, "", kPassword, Yes},
        {"CurrentWrong", currentHash, "", "s3cret Pass", No},
        {"CurrentEmpty", currentHash, "", "", No},
        {"CurrentSaltIgnored", currentHash, demo.salt, kPassword, Yes},
        {"WeakerLimits", weakerHash, "", kPassword, YesRehash},
        {"WeakerLimitsWrong", weakerHash, "", "s3cret", No},
        {"Argon2i", argon2iHash, "", kPassword, YesRehash},
        {"Argon2iWrong", argon2iHash, "", "s3cret", No},
        {"Legacy", text(demo.hash), demo.salt, "demo", YesRehash},
        {"LegacyWrong", text(demo.hash), demo.salt, "Demo", No},
        {"LegacyOtherSalt", text(demo.hash), kLegacyRows[1].salt, "demo", No},
        {"LegacyNoSalt", text(demo.hash), "", "demo", No},
        {"LegacyShortened", text(std::string(demo.hash).substr(0, 63)), demo.salt, "demo", No},
        {"Empty", text(""), "", "", No},
        {"BrokenArgon2", text("$argon2id$v=19$m=65536,t=2,p=1$garbage"), "", kPassword, No},
        {"PlainText", text("demo"), "", "demo", No},
    };
}

class PasswordMatching : public ::testing::TestWithParam<MatchCase> {};

TEST_P(PasswordMatching, AcceptsOnlyTheRightPasswordAndAsksForRehashOfOlderForms) {
    const MatchCase &c = GetParam();
    const std::string stored = c.stored();
    ASSERT_FALSE(stored.empty() && c.name != "Empty"); // libsodium could hash it
    EXPECT_EQ(matchPassword(stored, c.salt, c.password), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Forms, PasswordMatching, ::testing::ValuesIn(matchCases()),
                         [](const auto &info) { return info.param.name; });

TEST(PasswordHash, IsArgon2idWithItsOwnSaltEachTime) {
    const std::string first = hashPassword("demo"), second = hashPassword("demo");
    EXPECT_TRUE(first.starts_with("$argon2id$v=19$m=65536,t=2,p=1$")) << first;
    EXPECT_NE(first, second);
    EXPECT_EQ(matchPassword(second, "", "demo"), PasswordMatch::Yes);
}

// Reference values from sha256sum, so the old form is checked against more than itself.
TEST(PasswordHash, OldFormIsSha256OfSaltColonPassword) {
    const std::vector<std::tuple<std::string, std::string, std::string>> cases = {
        {kLegacyRows[0].salt, "demo", kLegacyRows[0].hash},
        {"0123456789abcdef0123456789abcdef", "priya123",
         "36acae507c0ee1fa72c528b0327db41094493bdfe5a84ae55eb2e7368047f2ed"},
        {"HLV01-salt", "p@ss w0rd \xC3\xA9",
         "f1d2741aca8b75f320bc7036399f693e3cc3de6b1a54afc8ebd9280f88560cc7"},
        {"", "", "e7ac0786668e0ff0f02b62bd04f45ff636fd82db63b1104601c975dc005f3a67"},
    };
    for (const auto &[salt, password, hash] : cases)
        EXPECT_EQ(legacyPasswordHash(salt, password), hash) << salt << ":" << password;
}

// --- Logins against the database -----------------------------------------------------------

json login(DemoServer &demo, const std::string &user, const std::string &password) {
    return jsonOf(demo.client().Post("/verifyUser", httplib::Params{{"spName", "Usp_CommonService"},
                                                                    {"spType", "Sel_Pwd"},
                                                                    {"branchCode", "Halvik"},
                                                                    {"uName", user},
                                                                    {"pwd", password}}));
}

// PwdHash and PwdSalt of one user.
std::pair<std::string, std::string> storedPassword(DemoServer &demo, const std::string &user) {
    Database db(demo.dbPath.string(), true);
    const json row = db.query("SELECT PwdHash, PwdSalt FROM Users WHERE UserName = ?1", {user})[0];
    return {row["PwdHash"], row["PwdSalt"]};
}

struct LoginCase {
    std::string user, password;
    Ids names; // EmpName of the reply: empty when refused
};

const std::vector<LoginCase> kDemoLogins = {
    {"demo", "demo", {"Ravi Kumar"}},
    {"priya", "priya123", {"Priya Nair"}},
    {"suresh", "suresh123", {"Suresh Babu"}},
    {"olduser", "olduser", {}}, // inactive
    {"demo", "wrong", {}},
    {"priya", "demo", {}},
};

TEST(DemoLogins, StoreArgon2idAndLogInWithTheDocumentedPasswords) {
    DemoServer demo;
    for (const LegacyRow &row : kLegacyRows) {
        const auto [hash, salt] = storedPassword(demo, row.userName);
        EXPECT_TRUE(hash.starts_with("$argon2id$")) << row.userName << ": " << hash;
        EXPECT_EQ(salt, "") << row.userName;
    }
    for (const auto &[user, password, names] : kDemoLogins)
        EXPECT_EQ(column(login(demo, user, password), "EmpName"), names) << user << "/" << password;
}

// A database of the SHA-256 version: each right login replaces its user's hash with Argon2id,
// a refused one leaves it as it was, and both forms keep working.
TEST(DemoLogins, OldDatabaseLogsInOnceAndIsRehashed) {
    DemoServer demo;
    {
        Database db(demo.dbPath.string());
        for (const LegacyRow &row : kLegacyRows)
            db.execute("UPDATE Users SET PwdHash = ?2, PwdSalt = ?3 WHERE UserName = ?1",
                       {std::string(row.userName), std::string(row.hash), std::string(row.salt)});
    }
    const auto legacyOf = [](const std::string &user) {
        for (const LegacyRow &row : kLegacyRows)
            if (row.userName == user)
                return std::pair<std::string, std::string>{row.hash, row.salt};
        throw std::logic_error("no such row");
    };
    for (int round = 0; round < 2; ++round)
        for (const auto &[user, password, names] : kDemoLogins) {
            SCOPED_TRACE(user + "/" + password + " round " + std::to_string(round));
            const auto before = storedPassword(demo, user);
            EXPECT_EQ(column(login(demo, user, password), "EmpName"), names);
            const auto after = storedPassword(demo, user);
            if (names.empty()) {
                EXPECT_EQ(after, before);
                continue;
            }
            EXPECT_TRUE(after.first.starts_with("$argon2id$")) << after.first;
            EXPECT_EQ(after.second, "");
            // Rehashed on the first right login only.
            EXPECT_EQ(before == legacyOf(user), round == 0);
            EXPECT_EQ(after == before, round == 1);
        }
    // Never logged in right: still the old form.
    EXPECT_EQ(storedPassword(demo, "olduser"), legacyOf("olduser"));
}

} // namespace
} // namespace seclog::server::testing
