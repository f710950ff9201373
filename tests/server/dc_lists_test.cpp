// The DC lists of the approval screen and of the log form's "Att DC": which DCs each holds,
// the row each DC comes as, and that every demo division has DCs in each state to try them on.

#include "database.h"
#include "demo_server.h"

#include <algorithm>
#include <map>
#include <set>

namespace seclog::server::testing {
namespace {

constexpr const char *kCommon = "Usp_CommonService";
constexpr const char *kApprover = "Ramesh Iyer";

json listRequest(const std::string &kind, const std::string &branch = "HLV01") {
    return {{"SP_Type", kind}, {"BranchCode", branch}, {"ID", "1"}};
}
// The client asks for the gate's outgoing list under a procedure of its own.
const char *spNameOf(const std::string &kind) {
    return kind == "Sec_PDC" ? "USP_CommonService_Sec_PDC" : kCommon;
}

struct ListCase {
    const char *kind, *status;
    std::set<std::string> isOutDC; // empty: any
};
const std::vector<ListCase> kLists = {
    {"Sec_PDC", "Approved", {"No", "Yes", "OutDCYes"}},
    {"Sec_Div_OutAndPed_DC", "Approved", {"Yes", "OutDCYes"}},
    {"Sel_DCP", "Pending", {}},
    {"Sel_DCA", "Approved", {}},
    {"Sel_DCR", "Rejected", {}},
};

class DCLists : public SharedDemo<> {
protected:
    static json list(const std::string &kind) {
        return demo->postSp(spNameOf(kind), listRequest(kind));
    }
    // The DC_ids the case should answer, chosen from every stored DC.
    static std::set<std::string> expectedIds(const ListCase &c) {
        Database db(demo->dbPath.string(), true);
        std::set<std::string> ids;
        for (const auto &dc : db.query("SELECT DC_id, ApprovalStatus, IsOutDC FROM DC"))
            if (dc["ApprovalStatus"] == c.status &&
                (c.isOutDC.empty() || c.isOutDC.count(dc["IsOutDC"].get<std::string>())))
                ids.insert(std::to_string(dc["DC_id"].get<std::int64_t>()));
        return ids;
    }
};

TEST_F(DCLists, EachListHoldsTheBranchsDCsOfItsStatesNewestFirst) {
    for (const auto &c : kLists) {
        const json rows = list(c.kind);
        const Ids ids = column(rows, "DC_id");
        EXPECT_EQ(std::set<std::string>(ids.begin(), ids.end()), expectedIds(c)) << c.kind;
        EXPECT_EQ(ids.size(), expectedIds(c).size()) << c.kind << ": a DC twice";
        const auto newerFirst = [](const json &a, const json &b) {
            return std::make_pair(a["DCDate"].get<std::string>(),
                                  std::stoi(a["DC_id"].get<std::string>())) >
                   std::make_pair(b["DCDate"].get<std::string>(),
                                  std::stoi(b["DC_id"].get<std::string>()));
        };
        EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), newerFirst))
            << c.kind << ": " << ids.size();
    }
}

TEST_F(DCLists, EachRowIsTheDCRowWithWhoDecidedAndWhen) {
    const std::regex minute(R"(\d{4}-\d\d-\d\d \d\d:\d\d)");
    for (const auto &c : kLists) {
        const json rows = list(c.kind);
        ASSERT_FALSE(rows.empty()) << c.kind;
        expectTextRows(rows, "ApprovedBy ApprovedOn CityName DCCode DCDate DCType DC_id FDept FDiv "
                             "ImagePath1 ImagePath2 ImagePath3 IsOutDC IsRet IssToEmp IssueEmpName "
                             "ItemCount Party_id TDiv TakenByName TakenEmp_id ToDept");
        for (json row : rows) {
            const std::string by = row.value("ApprovedBy", "?"), on = row.value("ApprovedOn", "?");
            if (std::string(c.status) == "Pending") {
                EXPECT_EQ(by, "") << row;
                EXPECT_EQ(on, "") << row;
            } else {
                EXPECT_EQ(by, kApprover) << row;
                EXPECT_TRUE(std::regex_match(on, minute)) << on;
                EXPECT_EQ(on.substr(0, 10), row["DCDate"]) << "decided on its own day";
            }
            row.erase("ApprovedBy");
            row.erase("ApprovedOn");
            // The rest is exactly what the DC's own lookup answers.
            const json own = demo->postSp(kCommon, {{"SP_Type", "Sec_DCViewByDC_id"},
                                                    {"BranchCode", "HLV01"},
                                                    {"ID", "1"},
                                                    {"LikeStr", row["DC_id"]}});
            ASSERT_EQ(own.size(), 1u) << row;
            EXPECT_EQ(row, own[0]) << c.kind;
        }
    }
}

TEST_F(DCLists, WithoutBranchRefusedAndAnUnknownBranchHasNone) {
    for (const auto &c : kLists) {
        json data = listRequest(c.kind);
        data.erase("BranchCode");
        EXPECT_EQ(demo->refusedSp(spNameOf(c.kind), data),
                  json({{"error", "missing parameter BranchCode"}}))
            << c.kind;
        EXPECT_EQ(demo->postSp(spNameOf(c.kind), listRequest(c.kind, "KNT02")), json::array())
            << c.kind;
    }
}

// A database made before decisions had a time still answers, with ApprovedOn "".
TEST(DCListsOfAnOlderDatabase, AnswerWithoutDecisionTimes) {
    TempDir dir;
    const ServerOptions options = demoOptions(dir.path / "old.db");
    StandInServer{options}; // seeded and stopped
    {
        Database db(options.dbPath.string());
        db.executeScript("ALTER TABLE DC DROP COLUMN ApprovedOn");
    }
    const StandInServer server{options};
    const json rows = postSp(server, kCommon, listRequest("Sel_DCA"));
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(column(rows, "ApprovedOn"), Ids(rows.size(), ""));
    EXPECT_EQ(column(rows, "ApprovedBy"), Ids(rows.size(), kApprover));
}

} // namespace
} // namespace seclog::server::testing
