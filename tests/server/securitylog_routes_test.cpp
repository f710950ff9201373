#include "server_test_support.h"

namespace seclog::server::testing {
namespace {

const std::vector<std::string> kLogRowKeys = {
    "SecIOLog_id",  "IOPerson",   "IOMobile",      "Meet_To",     "InTime",      "OutTime",
    "Purpose",      "PersonType", "SecLogFrom",    "Employee_id", "Division_id", "DivisionName",
    "LogedBy",      "IOImgPath",  "IOVehicle",     "IOType",      "IOType_id",   "TokenNo",
    "FPDeviceName", "IOAdd1",     "IODesignation", "IsUpdateable"};

void expectLogRowShape(const nlohmann::json &row) {
    for (const auto &key : kLogRowKeys)
        EXPECT_TRUE(row.contains(key)) << key;
    EXPECT_EQ(row.size(), kLogRowKeys.size());
    for (const auto &[key, value] : row.items())
        EXPECT_TRUE(value.is_string()) << key << " = " << value;
    EXPECT_TRUE(isClientDateTime(row["SecLogFrom"].get<std::string>())) << row["SecLogFrom"];
}

class SecurityLogRoutes : public SharedDemoTest {};

TEST_F(SecurityLogRoutes, OpenLogsOfDivisionNewestFirst) {
    const Reply reply = demo->openLogs("1");
    ASSERT_EQ(reply.status, 200);
    EXPECT_EQ(column(reply.json, "SecIOLog_id"),
              (std::vector<std::string>{"36", "34", "32", "30", "29", "27", "25"}));
    EXPECT_EQ(column(reply.json, "IOPerson"),
              (std::vector<std::string>{"Arun Prakash", "Murugan S", "Selvi Devi", "Rajesh Kannan",
                                        "Deepa D'Souza", "Gopal Swamy", "Harish Babu"}));
    for (const auto &row : reply.json) {
        expectLogRowShape(row);
        EXPECT_EQ(row["OutTime"], "");
        EXPECT_EQ(row["IsUpdateable"], "Yes");
        EXPECT_EQ(row["Division_id"], "1");
        EXPECT_EQ(row["DivisionName"], "Spinning");
        EXPECT_EQ(row["LogedBy"], "Ravi Kumar");
        EXPECT_TRUE(isClientDateTime(row["InTime"].get<std::string>())) << row["InTime"];
    }
    const auto &newest = reply.json[0];
    EXPECT_EQ(newest["TokenNo"], "T136");
    EXPECT_EQ(newest["IOVehicle"], "KA 01 MN 2468");
    EXPECT_EQ(newest["IOType"], "Visitor");
    EXPECT_EQ(newest["IOImgPath"], "~/Security/PersonsImages/person_1.png");
    EXPECT_EQ(newest["FPDeviceName"], "Gate-1 Handheld");
}

TEST_F(SecurityLogRoutes, OpenLogsFilterByDivisionAndBranch) {
    const std::vector<std::tuple<std::string, std::string, std::vector<std::string>>> cases = {
        {"2", "HLV01", {"33", "31", "26"}},
        {"3", "HLV01", {"35", "28"}},
        {"4", "HLV01", {}},
        {"1 OR 1=1", "HLV01", {}},
        {"", "HLV01", {}},
        {"1", "XX", {}}};
    for (const auto &[division, branch, ids] : cases)
        EXPECT_EQ(column(demo->openLogs(division, branch).json, "SecIOLog_id"), ids)
            << division << " @ " << branch;
}

TEST_F(SecurityLogRoutes, MobileSearchGivesLatestLogPerPerson) {
    struct Case {
        const char *text, *person, *logId, *openLogId, *divisionName;
    };
    for (const Case &c : {
             Case{"Anand", "Anand Krishnan", "31", "31", "Weaving"},  // open in another division
             Case{"Kavitha", "Kavitha Ramesh", "21", "", "Spinning"}, // latest log closed
             Case{"Meena", "Meena Sundaram", "", "", ""},             // never logged
         }) {
        const Reply reply = demo->searchLogs("MobileIOS", c.text);
        ASSERT_EQ(reply.json.size(), 1u) << c.text;
        const auto &row = reply.json[0];
        expectLogRowShape(row);
        EXPECT_EQ(row["IOPerson"], c.person);
        EXPECT_EQ(row["SecIOLog_id"], c.logId) << c.text;
        EXPECT_EQ(row["Employee_id"], c.openLogId) << c.text;
        EXPECT_EQ(row["DivisionName"], c.divisionName) << c.text;
        const std::string in = row["InTime"], out = row["OutTime"];
        const bool logged = *c.logId, closed = std::string(c.logId) != c.openLogId;
        EXPECT_TRUE(logged ? isClientDateTime(in) : in.empty()) << c.text << ": " << in;
        EXPECT_TRUE(closed ? isClientDateTime(out) : out.empty()) << c.text << ": " << out;
    }
}

TEST_F(SecurityLogRoutes, MobileSearchTreatsTextAsData) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"%", {}},
        {"_", {}},
        {"\\", {}},
        {"D'Souza", {"Deepa D'Souza"}},
        {"anand", {"Anand Krishnan"}},
        {"94432", {"Anand Krishnan"}},
        {"+91",
         {"Farida Begum", "Anand Krishnan", "Lakshmi Narayanan", "Kavitha Ramesh",
          "Meena Sundaram"}},
    };
    for (const auto &[text, people] : cases) {
        const Reply reply = demo->searchLogs("MobileIOS", text);
        EXPECT_EQ(reply.status, 200) << text;
        EXPECT_EQ(column(reply.json, "IOPerson"), people) << text;
    }
}

TEST_F(SecurityLogRoutes, ReportFilterSearchCoversAllDivisions) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"Kavitha", {"21", "13", "1"}},
        {"TN 38 AB 1234", {"31", "25", "19", "13", "7", "1"}},
        {"T131", {"31"}},
        {"36", {"36"}},
        {"%", {}},
        {"x' OR 1=1 --", {}},
    };
    for (const auto &[text, ids] : cases) {
        const Reply reply = demo->searchLogs("SecIOS_ReportFilterSearch", text);
        EXPECT_EQ(reply.status, 200) << text;
        EXPECT_EQ(column(reply.json, "SecIOLog_id"), ids) << text;
        for (const auto &row : reply.json)
            expectLogRowShape(row);
    }
    EXPECT_EQ(column(demo->searchLogs("SecIOS_ReportFilterSearch", "Kavitha").json, "DivisionName"),
              (std::vector<std::string>{"Spinning", "Weaving", "Spinning"}));
}

} // namespace
} // namespace seclog::server::testing
