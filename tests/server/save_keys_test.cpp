// A save sent again with the same idempotency key is applied once and answered alike.

#include "log_form.h"

namespace seclog::server::testing {
namespace {

struct KeyedSave {
    int status = 0;
    json body;
    bool replayed = false;
};

KeyedSave save(DemoServer &demo, const std::string &key, const json &header) {
    httplib::Headers headers;
    if (!key.empty())
        headers.emplace("Idempotency-Key", key);
    const auto res = demo.client().Post(
        kSavePath, headers,
        httplib::Params{{"SecurityIOLog", json::array({header}).dump()},
                        {"SecurityIODetails",
                         json::array({itemLine("Quantity", "3", "Cotton Yarn 40s")}).dump()}});
    if (!res)
        return {};
    return {res->status, json::parse(res->body, nullptr, false),
            res->get_header_value("Idempotent-Replayed") == "true"};
}

std::int64_t logsOf(DemoServer &demo, const std::string &person) {
    Database db(demo.dbPath.string(), true);
    return db
        .query("SELECT COUNT(*) AS n FROM SecurityIOLog l JOIN Person p USING (Person_id) "
               "WHERE p.IOPerson = ?1",
               {person})[0]["n"]
        .get<std::int64_t>();
}

TEST(SaveKeys, TheSameKeyIsAppliedOnceAndAnsweredWithTheFirstAnswer) {
    DemoServer demo;
    const json header = headerWith(R"({"IOPerson":"Keyed Once"})");
    const KeyedSave first = save(demo, "form-1.aa", header);
    ASSERT_EQ(first.status, 200);
    ASSERT_TRUE(first.body[0].contains("ID")) << first.body;
    EXPECT_FALSE(first.replayed);
    const KeyedSave again = save(demo, "form-1.aa", header);
    EXPECT_EQ(again.body, first.body);
    EXPECT_TRUE(again.replayed);
    EXPECT_EQ(logsOf(demo, "Keyed Once"), 1);
    // Another key, or none, is another save.
    EXPECT_NE(save(demo, "form-1.bb", header).body, first.body);
    save(demo, "", header);
    save(demo, "", header);
    EXPECT_EQ(logsOf(demo, "Keyed Once"), 4);
}

TEST(SaveKeys, ARefusalIsNotRememberedAndAnOverlongKeyIsRefused) {
    DemoServer demo;
    const KeyedSave refused = save(demo, "form-2.aa", headerWith(R"({"Division_id":""})"));
    ASSERT_TRUE(refused.body[0].contains("Error")) << refused.body;
    const KeyedSave mended = save(demo, "form-2.aa", headerWith(R"({"IOPerson":"Mended"})"));
    EXPECT_FALSE(mended.replayed);
    EXPECT_TRUE(mended.body[0].contains("ID")) << mended.body;
    EXPECT_EQ(save(demo, std::string(201, 'k'), newLogHeader()).status, 400);
}

TEST(SaveKeys, KeysOutliveARestart) {
    TempDir dir;
    const json header = headerWith(R"({"IOPerson":"Restarted"})");
    json firstBody;
    for (int run = 0; run < 2; ++run) {
        ServerOptions options = demoOptions(dir.path / "db.sqlite");
        options.demo = run == 0;
        StandInServer server{options};
        httplib::Client client("127.0.0.1", server.port());
        const auto res =
            client.Post(kSavePath, {{"Idempotency-Key", "form-3.aa"}},
                        httplib::Params{{"SecurityIOLog", json::array({header}).dump()},
                                        {"SecurityIODetails", ""}});
        ASSERT_TRUE(res);
        const json body = json::parse(res->body);
        if (run == 0)
            firstBody = body;
        else
            EXPECT_EQ(body, firstBody);
    }
}

} // namespace
} // namespace seclog::server::testing
