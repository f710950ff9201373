#include "server_test_support.h"

#include <gtest/gtest.h>

namespace seclog::server::testing {
namespace {

const std::vector<std::string> kLogRowKeys = {
    "SecIOLog_id",  "IOPerson",   "IOMobile",      "Meet_To",     "InTime",      "OutTime",
    "Purpose",      "PersonType", "SecLogFrom",    "Employee_id", "Division_id", "DivisionName",
    "LogedBy",      "IOImgPath",  "IOVehicle",     "IOType",      "IOType_id",   "TokenNo",
    "FPDeviceName", "IOAdd1",     "IODesignation", "IsUpdateable"};

std::vector<std::string> column(const nlohmann::json &rows, const char *key) {
    std::vector<std::string> values;
    for (const auto &row : rows)
        values.push_back(row.at(key).get<std::string>());
    return values;
}

void expectLogRowShape(const nlohmann::json &row) {
    for (const auto &key : kLogRowKeys)
        EXPECT_TRUE(row.contains(key)) << key;
    EXPECT_EQ(row.size(), kLogRowKeys.size());
    for (const auto &[key, value] : row.items())
        EXPECT_TRUE(value.is_string()) << key << " = " << value;
    EXPECT_TRUE(isClientDateTime(row["SecLogFrom"].get<std::string>())) << row["SecLogFrom"];
}

class SecurityLogRoutes : public ::testing::Test {
protected:
    static void SetUpTestSuite() { demo = std::make_unique<DemoServer>(); }
    static void TearDownTestSuite() { demo.reset(); }

    static Reply openLogs(const std::string &division) {
        return demo->postSp(
            "USP_GetSecurityLogBySearchText",
            {{"SearchBy", "NotOut"}, {"SearchText", division}, {"BranchCode", "HLV01"}});
    }
    static Reply search(const std::string &by, const std::string &text) {
        return demo->postSp("USP_SecurityLogBySearchText_RptSearch",
                            {{"branchCode", "HLV01"}, {"SearchText", text}, {"SearchBy", by}});
    }

    static inline std::unique_ptr<DemoServer> demo;
};

TEST_F(SecurityLogRoutes, OpenLogsOfDivisionNewestFirst) {
    const Reply reply = openLogs("1");
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

TEST_F(SecurityLogRoutes, OpenLogCountsPerDivision) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"2", {"33", "31", "26"}}, {"3", {"35", "28"}}, {"4", {}}, {"1 OR 1=1", {}}, {"", {}}};
    for (const auto &[division, ids] : cases)
        EXPECT_EQ(column(openLogs(division).json, "SecIOLog_id"), ids) << division;
}

TEST_F(SecurityLogRoutes, OpenLogsFilterByBranch) {
    const Reply reply =
        demo->postSp("USP_GetSecurityLogBySearchText",
                     {{"SearchBy", "NotOut"}, {"SearchText", "1"}, {"BranchCode", "XX"}});
    EXPECT_EQ(reply.json, nlohmann::json::array());
}

TEST_F(SecurityLogRoutes, PersonWithOpenLogInOtherDivisionCarriesLogId) {
    const Reply reply = search("MobileIOS", "Anand");
    ASSERT_EQ(reply.json.size(), 1u);
    const auto &row = reply.json[0];
    expectLogRowShape(row);
    EXPECT_EQ(row["IOPerson"], "Anand Krishnan");
    EXPECT_EQ(row["SecIOLog_id"], "31");
    EXPECT_EQ(row["Employee_id"], "31");
    EXPECT_EQ(row["Division_id"], "2");
    EXPECT_EQ(row["DivisionName"], "Weaving");
    EXPECT_EQ(row["LogedBy"], "Priya Nair");
    EXPECT_EQ(row["OutTime"], "");
}

TEST_F(SecurityLogRoutes, PersonWhoseLatestLogIsClosedHasNoOpenId) {
    const Reply reply = search("MobileIOS", "Kavitha");
    ASSERT_EQ(reply.json.size(), 1u);
    const auto &row = reply.json[0];
    EXPECT_EQ(row["SecIOLog_id"], "21");
    EXPECT_EQ(row["Employee_id"], "");
    EXPECT_EQ(row["Division_id"], "1");
    EXPECT_TRUE(isClientDateTime(row["OutTime"].get<std::string>()));
}

TEST_F(SecurityLogRoutes, PersonWithoutLogsHasEmptyLogColumns) {
    const Reply reply = search("MobileIOS", "Meena");
    ASSERT_EQ(reply.json.size(), 1u);
    const auto &row = reply.json[0];
    expectLogRowShape(row);
    EXPECT_EQ(row["IOPerson"], "Meena Sundaram");
    EXPECT_EQ(row["IOMobile"], "+91 99940 90123");
    for (const char *key : {"SecIOLog_id", "Employee_id", "InTime", "OutTime", "Division_id",
                            "DivisionName", "LogedBy", "TokenNo", "IOVehicle"})
        EXPECT_EQ(row[key], "") << key;
}

TEST_F(SecurityLogRoutes, MobileSearchTreatsTextAsData) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"%", {}},
        {"_", {}},
        {"\\", {}},
        {"' OR '1'='1", {}},
        {"D'Souza", {"Deepa D'Souza"}},
        {"anand", {"Anand Krishnan"}},
        {"94432", {"Anand Krishnan"}},
        {"+91",
         {"Farida Begum", "Anand Krishnan", "Lakshmi Narayanan", "Kavitha Ramesh",
          "Meena Sundaram"}},
    };
    for (const auto &[text, people] : cases) {
        const Reply reply = search("MobileIOS", text);
        ASSERT_EQ(reply.status, 200) << text;
        EXPECT_EQ(column(reply.json, "IOPerson"), people) << text;
    }
}

TEST_F(SecurityLogRoutes, ReportFilterSearchCoversAllDivisions) {
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"Kavitha", {"21", "13", "1"}},
        {"TN 38 AB 1234", {"31", "25", "19", "13", "7", "1"}},
        {"T131", {"31"}},
        {"Rajesh", {"30", "15", "4"}},
        {"36", {"36"}},
        {"%", {}},
        {"x' OR 1=1 --", {}},
    };
    for (const auto &[text, ids] : cases) {
        const Reply reply = search("SecIOS_ReportFilterSearch", text);
        ASSERT_EQ(reply.status, 200) << text;
        EXPECT_EQ(column(reply.json, "SecIOLog_id"), ids) << text;
        for (const auto &row : reply.json)
            expectLogRowShape(row);
    }
}

TEST_F(SecurityLogRoutes, ReportFilterRowsNameTheirDivision) {
    const Reply reply = search("SecIOS_ReportFilterSearch", "Kavitha");
    EXPECT_EQ(column(reply.json, "DivisionName"),
              (std::vector<std::string>{"Spinning", "Weaving", "Spinning"}));
    EXPECT_EQ(column(reply.json, "IsUpdateable"), (std::vector<std::string>{"No", "No", "No"}));
}

TEST_F(SecurityLogRoutes, UnknownSearchByIsRejected) {
    for (const char *procedure :
         {"USP_SecurityLogBySearchText_RptSearch", "USP_GetSecurityLogBySearchText"}) {
        const Reply reply =
            demo->postSp(procedure, {{"SearchBy", "Everything"}, {"SearchText", "1"}});
        EXPECT_EQ(reply.status, 400) << procedure;
        EXPECT_TRUE(reply.json.contains("error")) << procedure;
    }
}

} // namespace
} // namespace seclog::server::testing
