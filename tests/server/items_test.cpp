// The party, item, unit and store PO lists: what each reply holds, how its search text narrows
// it, and the big item master a benchmark asks for.

#include "database.h"
#include "demo_server.h"

#include <algorithm>

namespace seclog::server::testing {
namespace {

constexpr const char *kPickers = "USP_GetSecurityLogBySearchText";
constexpr const char *kCommon = "Usp_CommonService";
constexpr const char *kReport = "USP_GetSecurityLogSummaryReport";
constexpr const char *kOtherBranch = "KNT02";

// "dd/MM/yyyy" as "yyyyMMdd", so that dates compare as text.
std::string sortableDate(const std::string &shown) {
    return shown.substr(6, 4) + shown.substr(3, 2) + shown.substr(0, 2);
}

class MasterLists : public SharedDemo<> {
protected:
    // A second branch with a PO of its own from a demo supplier, and an item whose name holds
    // an underscore.
    static void SetUpTestSuite() {
        SharedDemo::SetUpTestSuite();
        Database db(demo->dbPath.string());
        db.execute("INSERT INTO Branch VALUES (?1, 'Knitting Unit')", {std::string(kOtherBranch)});
        db.execute("INSERT INTO StorePO(StorePO_id, BranchCode, StorePOCode, StorePODate, "
                   "Party_id) VALUES (900, ?1, 'KPO/0001', '2026-01-15', 1)",
                   {std::string(kOtherBranch)});
        db.execute("INSERT INTO Item(ItemName, Unit_id, NoOfDecimal) VALUES ('Hose Clip 12_16', "
                   "2, 0)");
    }

    static json storePOs(const std::string &branch, const std::string &text) {
        return demo->postSp(kReport,
                            {{"GetType", "StorePO"}, {"BranchCode", branch}, {"LikeStr", text}});
    }
    // Without withStrings, as the client asks for a PO's lines.
    static httplib::Result poLines(const json &id, bool withStrings = false) {
        json body = {{"SPName", kReport},
                     {"JSONData", {{"GetType", "StorePODetails"}, {"ID", id}}}};
        if (withStrings)
            body["withStrings"] = true;
        return demo->client().Post("/sp", body.dump(), "application/json");
    }
};

struct ListCase {
    const char *spName;
    json data;
    const char *keys;
    size_t rows;
};

TEST_F(MasterLists, EachListAnswersItsColumnsAsText) {
    const std::vector<ListCase> cases = {
        // The picker sends JSONData as JSON text.
        {kPickers, json{{"SearchBy", "Sec_Supplier"}}.dump(), "City PartyName Party_id", 40},
        {kPickers, {{"SearchBy", "Sec_City"}, {"SearchText", ""}}, "CityName City_id", 32},
        {kCommon,
         {{"SP_Type", "Sel_ItemLike"}, {"LikeStr", "yarn 40s"}},
         "ImagePath ItemName Item_id NoOfDecimal PluralSymbol SingularSymbol Unit_id",
         9},
        {kCommon, {{"SP_Type", "Sel_Uom"}}, "PluralSymbol SingularSymbol UnitName Unit_id", 13},
        {kCommon, {{"SP_Type", "Sel_Emp"}}, "EmpName Employee_id", 9},
        {kReport,
         {{"GetType", "StorePO"}, {"BranchCode", "HLV01"}, {"LikeStr", "spo/"}},
         "CityName NoOfItems PartyBranchName Party_id StorePOCode StorePODate StorePO_id",
         25},
    };
    for (const auto &[spName, data, keys, rows] : cases) {
        const json reply = demo->postSp(spName, data);
        EXPECT_EQ(reply.size(), rows) << data;
        expectTextRows(reply, keys);
    }
}

struct FilterCase {
    const char *spName;
    json data;
    const char *column;
    Ids values;
};

TEST_F(MasterLists, SearchTextMatchesCaseInsensitivelyAndWildcardsLiterally) {
    const auto supplier = [](const char *text) {
        return json{{"SearchBy", "Sec_Supplier"}, {"SearchText", text}};
    };
    const auto city = [](const char *text) {
        return json{{"SearchBy", "Sec_City"}, {"SearchText", text}};
    };
    const auto item = [](const json &text) {
        return json{{"SP_Type", "Sel_ItemLike"}, {"LikeStr", text}};
    };
    const std::vector<FilterCase> cases = {
        // Name or city.
        {kPickers,
         supplier("salem"),
         "PartyName",
         {"Green Clean Housekeeping", "Salem Textile Mills"}},
        {kPickers, supplier("%"), "PartyName", {}},
        {kPickers, city("PUR"), "CityName", {"Jaipur", "Kanpur", "Solapur", "Tiruppur"}},
        // Names that start with the text first.
        {kCommon,
         item("PEROXIDE"),
         "ItemName",
         {"Peroxide Killer Enzyme", "Hydrogen Peroxide 50%"}},
        {kCommon,
         item("%"),
         "ItemName",
         {"Acetic Acid 99%", "Formic Acid 85%", "Hydrogen Peroxide 50%"}},
        {kCommon, item("_"), "ItemName", {"Hose Clip 12_16"}},
        {kCommon, item(""), "ItemName", {}},
    };
    for (const auto &[spName, data, key, values] : cases)
        EXPECT_EQ(column(demo->postSp(spName, data), key), values) << data;
}

TEST_F(MasterLists, ItemSearchPutsNamesStartingWithTheTextFirstAndStopsAtAHundred) {
    // Yarns and sewing threads; any name with an "a".
    for (const auto &[text, count] : {std::pair<std::string, size_t>{"cOTTON", 48}, {"a", 100}}) {
        const Ids names = column(
            demo->postSp(kCommon, {{"SP_Type", "Sel_ItemLike"}, {"LikeStr", text}}), "ItemName");
        EXPECT_EQ(names.size(), count) << text;
        const auto starts = [&](const std::string &name) {
            return lower(name).starts_with(lower(text));
        };
        const auto firstOther = std::find_if_not(names.begin(), names.end(), starts);
        EXPECT_TRUE(std::none_of(firstOther, names.end(), starts)) << text;
        EXPECT_TRUE(std::is_sorted(names.begin(), firstOther)) << text;
        EXPECT_TRUE(std::is_sorted(firstOther, names.end())) << text;
        for (const auto &name : names)
            EXPECT_NE(lower(name).find(lower(text)), std::string::npos) << name;
    }
}

TEST_F(MasterLists, StorePOsOfTheBranchMatchCodeOrPartyLatestFirst) {
    const json all = storePOs("HLV01", "spo/");
    ASSERT_EQ(all.size(), 25u);
    for (size_t i = 1; i < all.size(); ++i) {
        const std::string before = sortableDate(all[i - 1]["StorePODate"]);
        const std::string date = sortableDate(all[i]["StorePODate"]);
        EXPECT_TRUE(before > date ||
                    (before == date && all[i - 1]["StorePOCode"] < all[i]["StorePOCode"]))
            << all[i - 1] << all[i];
    }
    const std::string code = all[7]["StorePOCode"];
    const std::vector<std::tuple<std::string, std::string, Ids>> cases = {
        {"HLV01", lower(code), {code}},
        {"HLV01", "sri murugan", {"SPO/"}},
        {kOtherBranch, "sri murugan", {"KPO/0001"}},
        {"HLV01", "", {}},
        {"HLV99", "spo/", {}},
    };
    for (const auto &[branch, text, codes] : cases) {
        const Ids found = column(storePOs(branch, text), "StorePOCode");
        ASSERT_EQ(found.size(), codes.size()) << branch << " " << text;
        for (size_t i = 0; i < found.size(); ++i)
            EXPECT_TRUE(found[i].starts_with(codes[i])) << found[i];
    }

    EXPECT_EQ(demo->refusedSp(kReport, {{"GetType", "StorePO"}, {"LikeStr", "spo"}}),
              json({{"error", "missing parameter BranchCode"}}));
}

TEST_F(MasterLists, POLinesKeepNumbersUnlessTextIsAskedAndNeedAPositiveId) {
    const json asNumbers = json::parse(R"([
        {"ImagePath":"~/Security/ItemImages/yarn.png","ItemName":"Cotton Combed Yarn 20s",
         "NoOfDecimal":3,"PluralSymbol":"Kgs","Quantity":5,"SingularSymbol":"Kg","Unit_id":1},
        {"ImagePath":"~/Security/ItemImages/yarn.png","ItemName":"Cotton Combed Yarn 34s",
         "NoOfDecimal":3,"PluralSymbol":"Kgs","Quantity":42.25,"SingularSymbol":"Kg","Unit_id":1}])");
    const json asText = json::parse(R"([
        {"ImagePath":"~/Security/ItemImages/yarn.png","ItemName":"Cotton Combed Yarn 20s",
         "NoOfDecimal":"3","PluralSymbol":"Kgs","Quantity":"5","SingularSymbol":"Kg","Unit_id":"1"},
        {"ImagePath":"~/Security/ItemImages/yarn.png","ItemName":"Cotton Combed Yarn 34s",
         "NoOfDecimal":"3","PluralSymbol":"Kgs","Quantity":"42.25","SingularSymbol":"Kg",
         "Unit_id":"1"}])");
    EXPECT_EQ(jsonOf(poLines(1)), asNumbers);
    EXPECT_EQ(jsonOf(poLines("1")), asNumbers);
    EXPECT_EQ(jsonOf(poLines("1", true)), asText);
    EXPECT_EQ(jsonOf(poLines(99999)), json::array());
    for (const json &id : {json("abc"), json(""), json(-1), json(1.5), json(nullptr)}) {
        EXPECT_EQ(jsonOf(poLines(id), 400), json({{"error", "parameter ID must be a positive id"}}))
            << id;
    }
}

// --- The item master of a benchmark -------------------------------------------------------

TEST(ItemMaster, HoldsExactlyTheAskedNumberOfDistinctItems) {
    for (const int size : {0, 10, 1234}) {
        TempDir dir;
        ServerOptions options = demoOptions(dir.path / "items.db");
        options.itemMasterSize = size;
        StandInServer server{options};
        Database db(options.dbPath.string());
        const json counts =
            db.query("SELECT COUNT(*) AS items, COUNT(DISTINCT i.ItemName) AS names, "
                     "COUNT(u.Unit_id) AS withUnit FROM Item i LEFT JOIN Unit u USING (Unit_id)");
        EXPECT_EQ(counts, json::array({{{"items", size}, {"names", size}, {"withUnit", size}}}));
        // The POs stay, with what lines a small master allows.
        EXPECT_EQ(db.query("SELECT StorePO_id FROM StorePO").size(), 25u) << size;
    }
}

} // namespace
} // namespace seclog::server::testing
