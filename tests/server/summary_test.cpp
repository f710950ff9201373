// The summaries' side of the server: a division's days of a month and the logs of one day
// through /GetCommonNestedData.

#include "demo_server.h"

namespace seclog::server::testing {
namespace {

constexpr const char *kReport = "USP_GetSecurityLogSummaryReport";

// The form the client posts: every parameter a text, the criteria as JSON text.
httplib::Params form(const std::string &getType, const std::string &from, const char *noDays = "",
                     const char *division = "7", const char *branch = "HLV01") {
    const json criteria = {{"GetType", getType},
                           {"FromDate", from},
                           {"Division_id", division},
                           {"BranchCode", branch},
                           {"NoDays", noDays}};
    return {{"SP_Name", kReport}, {"SecurityReport", criteria.dump()}, {"CommonKeyValue", "ID"}};
}

struct TestLog {
    std::int64_t id, division, person, type;
    const char *inTime, *outTime, *purpose;
};

// Division 7 (Knitting, HLV01) holds only these logs: around noon, midnight, the end of the
// year and a leap day. Division 8 belongs to another branch.
constexpr TestLog kTestLogs[] = {
    {90001, 7, 1, 1, "2026-11-30 23:59:59", "2026-12-01 01:00:00", "Meeting"},
    {90002, 7, 2, 2, "2026-12-01 00:00:00", "2026-12-01 02:00:00", "Yarn delivery"},
    {90003, 7, 1, 1, "2026-12-05 08:05:00", "2026-12-05 09:00:00", "Audit"},
    {90004, 7, 2, 2, "2026-12-05 11:59:59", "2026-12-05 13:00:00", "Dye delivery"},
    {90005, 7, 3, 1, "2026-12-05 12:00:00", "", "Meeting"},
    {90006, 7, 4, 5, "2026-12-05 23:59:59", "2026-12-06 00:30:00", "Interview"},
    {90007, 8, 5, 1, "2026-12-05 10:00:00", "2026-12-05 11:00:00", "Meeting"},
    {90008, 7, 6, 4, "2026-12-31 21:00:00", "2026-12-31 22:00:00", "Machine service"},
    {90012, 7, 1, 1, "2024-02-28 10:00:00", "2024-02-28 11:00:00", "Meeting"},
    {90013, 7, 2, 6, "2024-02-29 13:00:00", "2024-02-29 15:00:00", "Fabric pickup"},
    {90014, 7, 3, 1, "2024-03-01 07:00:00", "2024-03-01 08:00:00", "Meeting"},
};

class Summaries : public SharedDemo<> {
protected:
    static void SetUpTestSuite() {
        SharedDemo::SetUpTestSuite();
        Database db(demo->dbPath.string());
        db.executeScript("INSERT INTO Division VALUES (7, 'Knitting', 'HLV01');"
                         "INSERT INTO Branch VALUES ('KNT02', 'Knitting Unit');"
                         "INSERT INTO Division VALUES (8, 'Garments', 'KNT02')");
        for (const TestLog &log : kTestLogs)
            db.execute("INSERT INTO SecurityIOLog(SecIOLog_id, BranchCode, Division_id, "
                       "Person_id, IOType_id, Purpose, InTime, OutTime, CreatedOn) VALUES "
                       "(?1, (SELECT BranchCode FROM Division WHERE Division_id = ?2), ?2, ?3, "
                       "?4, ?5, ?6, ?7, ?6)",
                       {log.id, log.division, log.person, log.type, std::string(log.purpose),
                        std::string(log.inTime), std::string(log.outTime)});
        // Saved OUT line first: the reply still gives the IN lines first.
        db.executeScript(
            "INSERT INTO SecurityIODetails(SecIOLog_id, Section, DocNo, DocDate, PartyName, City, "
            "Particulars, OutQty) VALUES (90003, 'OUT', 'GP-7', '', 'Kovai Packaging', "
            "'Coimbatore', 'Empty Cones', '4');"
            "INSERT INTO SecurityIODetails(SecIOLog_id, Section, DocNo, DocDate, PartyName, City, "
            "Particulars, Quantity) VALUES (90003, 'IN', 'DC-9001', '2026-12-04', "
            "'Sri Murugan Yarns', 'Tiruppur', 'Cotton Yarn 40s', '12')");
    }
    static json nested(const httplib::Params &params) {
        return jsonOf(demo->client().Post("/GetCommonNestedData", params));
    }
};

// Each day as "Dt Daylight Night Total", then its entry types largest first as "Cnt IOType".
TEST_F(Summaries, CountTheDivisionsLogsOfEachDayAroundNoon) {
    const std::vector<std::pair<httplib::Params, std::string>> cases = {
        {form("Summary", "2026-12-01", "30"), "2026-12-01 1 0 1, 1 Driver|2026-12-05 2 2 4, "
                                              "2 Visitor, 1 Courier, 1 Driver|2026-12-31 0 1 1, "
                                              "1 Contractor"},
        {form("Summary", "2026-11-01", "29"), "2026-11-30 0 1 1, 1 Visitor"},
        {form("Summary", "2024-02-01", "28"),
         "2024-02-28 1 0 1, 1 Visitor|2024-02-29 0 1 1, 1 Job Worker"},
        {form("Summary", "2026-12-05", "0", "7", "KNT02"), ""},
        {form("Summary", "2026-12-05", "0", "8", "KNT02"), "2026-12-05 1 0 1, 1 Visitor"},
    };
    for (const auto &[params, expected] : cases) {
        Ids found;
        for (const auto &day : nested(params)) {
            EXPECT_EQ(keysOf(day), listOf("Daylight Dt Night Total detail", ' ')) << day;
            std::string text = day["Dt"].get<std::string>();
            for (const char *key : {"Daylight", "Night", "Total"})
                text += " " + day[key].get<std::string>();
            for (const auto &type : day["detail"]) {
                EXPECT_EQ(keysOf(type), listOf("Cnt IOType", ' ')) << day;
                text +=
                    ", " + type["Cnt"].get<std::string>() + " " + type["IOType"].get<std::string>();
            }
            found.push_back(text);
        }
        EXPECT_EQ(found, listOf(expected)) << params.find("SecurityReport")->second;
    }
}

TEST_F(Summaries, ADaysLogsComeInTimeOrderWithTheirDocuments) {
    const json logs = nested(form("SummaryDetails", "05-Dec-2026"));
    EXPECT_EQ(column(logs, "SecIOLog_id"), (Ids{"90003", "90004", "90005", "90006"}));
    EXPECT_EQ(column(logs, "Hrs"), (Ids{"8", "11", "12", "23"}));
    EXPECT_EQ(logs[0], json::parse(R"({"SecIOLog_id":"90003","Hrs":"8",
        "IOLogDate":"05 Dec 2026 08:05:00","IOImgPath":"~/Security/PersonsImages/person_1.png",
        "IOType":"Visitor","IOPerson":"Arun Prakash","Purpose":"Audit",
        "InTime":"05 Dec 2026 08:05:00","OutTime":"05 Dec 2026 09:00:00","detail":[
        {"PartyName":"Sri Murugan Yarns","Particulars":"Cotton Yarn 40s","City":"Tiruppur",
         "DocDate":"04 Dec 2026 00:00:00","DocNo":"DC-9001"},
        {"PartyName":"Kovai Packaging","Particulars":"Empty Cones","City":"Coimbatore",
         "DocDate":"","DocNo":"GP-7"}]})"));
    EXPECT_EQ(logs[2]["OutTime"], ""); // still inside
    EXPECT_EQ(column(nested(form("SummaryDetails", "29-Feb-2024")), "SecIOLog_id"), (Ids{"90013"}));
}

} // namespace
} // namespace seclog::server::testing
