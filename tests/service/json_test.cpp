#include "access.h"
#include "datatask.h"
#include "rows.h"

#include <gtest/gtest.h>
#include <QJsonDocument>

namespace {

datatask &dt() {
    return datatask::sharedInstance();
}

TEST(JSONText, CompactTextOfMapsAndLists) {
    struct Row {
        QVariant value;
        const char *expected;
    };
    const Row rows[] = {
        {QVariantMap{{"SPName", "spGate"}, {"id", 12}}, R"({"SPName":"spGate","id":12})"},
        {QVariantList{1, "a", QVariantMap{{"k", true}}}, R"([1,"a",{"k":true}])"},
        {QStringList{"a", "b"}, R"(["a","b"])"},
        {QVariantMap{}, "{}"},
        {QVariantList{}, "[]"},
        {QVariant(QStringLiteral("plain")), ""},
        {QVariant(42), ""},
        {QVariant(), ""},
    };
    for (const Row &r : rows)
        EXPECT_EQ(dt().toJSONText(r.value), QString::fromUtf8(r.expected)) << r.expected;
}

TEST(JSONText, RowsFromText) {
    struct Row {
        const char *text;
        qsizetype rows;
    };
    for (const Row &r : {Row{"0", 0}, Row{" 0 ", 0}, Row{"[]", 0}, Row{"{}", 0}, Row{"not json", 0},
                         Row{"", 0}, Row{"[1,2]", 0}, Row{"\"text\"", 0}, Row{R"([{"a":1}])", 1},
                         Row{R"([{"a":1},{"a":2}])", 2}, Row{R"([{"a":1},3,{"a":2}])", 2}})
        EXPECT_EQ(dt().rowsFromJSONText(QString::fromUtf8(r.text)).size(), r.rows) << r.text;

    const Rows one = dt().rowsFromJSONText(QStringLiteral(R"([{"a":1}])"));
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one.at(0).value("a"), QVariant(QStringLiteral("1")));
}

TEST(JSONText, DecodeGivesInvalidForBrokenText) {
    EXPECT_FALSE(datatask::decode("").isValid());
    EXPECT_FALSE(datatask::decode("[1,").isValid());
    EXPECT_FALSE(datatask::decode("<html>502</html>").isValid());
    EXPECT_EQ(datatask::decode("[]").typeId(), QMetaType::QVariantList);
    EXPECT_EQ(datatask::decode("{}").typeId(), QMetaType::QVariantMap);
}

struct CellCase {
    const char *name;
    const char *json; // one row's value for key "v"
    bool present;
    const char *text;
};

class TextRowsValues : public ::testing::TestWithParam<CellCase> {};

TEST_P(TextRowsValues, BecomeTextOrAreDropped) {
    const CellCase &c = GetParam();
    const QByteArray json = R"([{"id":"x","v":)" + QByteArray(c.json) + "}]";
    const Rows rows = RowsReader::textRows(datatask::decode(json));
    ASSERT_EQ(rows.size(), 1) << json.constData();
    EXPECT_EQ(rows.at(0).value("id"), QVariant(QStringLiteral("x")));
    EXPECT_EQ(rows.at(0).contains("v"), c.present);
    if (c.present) {
        // Every screen reads values as text: the type must be text, not just convertible.
        EXPECT_EQ(rows.at(0).value("v").typeId(), QMetaType::QString);
        EXPECT_EQ(RowsReader::text(rows.at(0), "v"), QString::fromUtf8(c.text));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TextRowsValues,
    ::testing::Values(
        CellCase{"Integer", "12", true, "12"}, CellCase{"Zero", "0", true, "0"},
        CellCase{"Negative", "-7", true, "-7"}, CellCase{"Fraction", "1.5", true, "1.5"},
        CellCase{"LongId", "9007199254740991", true, "9007199254740991"},
        CellCase{"Null", "null", true, ""}, CellCase{"True", "true", true, "true"},
        CellCase{"False", "false", true, "false"}, CellCase{"Text", R"("Gate 3")", true, "Gate 3"},
        CellCase{"Unicode", R"("Zoë \u6f22")", true, "Zoë 漢"},
        CellCase{"Object", R"({"a":1})", false, ""}, CellCase{"Array", "[1,2]", false, ""}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TextRows, NotAListOfObjectsGivesNoRows) {
    for (const QVariant &v : {QVariant(), QVariant(QVariantMap{{"a", 1}}), QVariant("0"),
                              QVariant(QVariantList{1, "x", QVariantList{}})})
        EXPECT_TRUE(RowsReader::textRows(v).isEmpty()) << v.typeName();
}

TEST(TextRows, HugeTextSurvives) {
    const QString big(1 << 20, QLatin1Char('x'));
    const QVariantList list{QVariantMap{{"ImagePath", big}}};
    const Rows rows = RowsReader::textRows(
        datatask::decode(QJsonDocument::fromVariant(list).toJson(QJsonDocument::Compact)));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(RowsReader::text(rows.at(0), "ImagePath"), big);
    EXPECT_EQ(RowsReader::text(rows.at(0), "missing"), QString());
}

const char *const kFields[] = {"BranchCode",    "Users_id",   "EmpName",   "Employee_id",
                               "Department_id", "Department", "ImagePath", "Division_id",
                               "DivisionName",  "Device_id",  "GateName"};

QVariantMap fullRow(const QString &prefix) {
    QVariantMap row;
    for (const char *f : kFields)
        row.insert(QString::fromLatin1(f), prefix + QString::fromLatin1(f));
    return row;
}

TEST(Access, RoundTripsAllElevenFields) {
    class access a;
    a.fromJSON(fullRow(QStringLiteral("v-")));
    const QVariantMap back = a.toJSON();
    EXPECT_EQ(back, fullRow(QStringLiteral("v-")));
    EXPECT_EQ(back.size(), 11);
    EXPECT_EQ(a.Users_id, QStringLiteral("v-Users_id"));
    EXPECT_EQ(a.GateName, QStringLiteral("v-GateName"));
    class access b;
    b.fromJSON(back);
    EXPECT_EQ(a, b);
}

TEST(Access, DeviceRowKeepsTheUser) {
    class access a;
    a.fromJSON(fullRow(QStringLiteral("user-")));
    a.fromJSON({{"Division_id", "7"},
                {"DivisionName", "Press"},
                {"Device_id", "D9"},
                {"GateName", "North"},
                {"Unrelated", "x"}});
    QVariantMap expected = fullRow(QStringLiteral("user-"));
    expected["Division_id"] = "7";
    expected["DivisionName"] = "Press";
    expected["Device_id"] = "D9";
    expected["GateName"] = "North";
    EXPECT_EQ(a.toJSON(), expected);
}

TEST(Access, NonTextValuesLeaveTheField) {
    class access a;
    a.fromJSON(fullRow(QStringLiteral("old-")));
    a.fromJSON({{"Users_id", 12},
                {"EmpName", QVariantList{"x"}},
                {"Department", QVariantMap{{"a", "b"}}},
                {"BranchCode", QVariant()},
                {"GateName", true},
                {"Device_id", ""}});
    EXPECT_EQ(a.Users_id, QStringLiteral("old-Users_id"));
    EXPECT_EQ(a.EmpName, QStringLiteral("old-EmpName"));
    EXPECT_EQ(a.Department, QStringLiteral("old-Department"));
    EXPECT_EQ(a.BranchCode, QStringLiteral("old-BranchCode"));
    EXPECT_EQ(a.GateName, QStringLiteral("old-GateName"));
    // An empty text is still text: it does replace.
    EXPECT_EQ(a.Device_id, QString());
}

} // namespace
