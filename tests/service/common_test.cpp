#include "access.h"
#include "common.h"
#include "datatask.h"
#include "dateformats.h"
#include "dbconnection.h"
#include "rows.h"
#include "testapp.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <utility>

namespace {

common &c() {
    return common::sharedInstance();
}

QVariantMap object(const char *json) {
    return QJsonDocument::fromJson(json).object().toVariantMap();
}

TEST(JSONText, ArgumentsBecomeCompactTextAndRepliesBecomeTextRows) {
    datatask &dt = datatask::sharedInstance();
    EXPECT_EQ(dt.toJSONText(QVariantMap{{"SPName", "spGate"}, {"id", 12}}),
              QStringLiteral(R"({"SPName":"spGate","id":12})"));
    EXPECT_EQ(dt.toJSONText(QVariantList{1, "a"}), QStringLiteral(R"([1,"a"])"));
    EXPECT_EQ(dt.toJSONText(QStringLiteral("plain")), QString());
    // "0" is how the server says "no rows"; anything but a list of objects has none.
    for (const char *json : {"0", " 0 ", "[]", R"({"a":"1"})", "not json", "", "[1,2]"})
        EXPECT_TRUE(dt.rowsFromJSONText(QString::fromUtf8(json)).isEmpty()) << json;
    EXPECT_TRUE(RowsReader::textRows(QVariant()).isEmpty());
    // Every value comes out as a QString; nested values are dropped.
    const Rows rows = dt.rowsFromJSONText(QString::fromUtf8(
        R"([{"a":1},3,{"n":-7,"f":1.5,"id":9007199254740991,"t":true,"null":null,)"
        R"("s":"Zoë \u6f22","obj":{"a":1},"arr":[1]}])"));
    EXPECT_EQ(rows, (Rows{object(R"({"a":"1"})"),
                          object(R"({"n":"-7","f":"1.5","id":"9007199254740991","t":"true",)"
                                 R"("null":"","s":"Zoë \u6f22"})")}));
    for (const Row &row : rows) // QVariant(1) == QVariant("1"), so look at the type
        for (const QVariant &v : row)
            EXPECT_EQ(v.typeId(), QMetaType::QString);
    // Numbers too large to be identifiers keep their size as text (and are no undefined cast).
    const std::pair<const char *, const char *> large[] = {
        {"1e300", "1e+300"},
        {"-9.3e18", "-9.3e+18"},
        {"9223372036854775808", "9.22337203685478e+18"},
        {"1000000000000000.5", "1e+15"},
        {"1e14", "100000000000000"}};
    for (const auto &[number, text] : large)
        EXPECT_EQ(dt.rowsFromJSONText(QStringLiteral(R"([{"n":%1}])").arg(number)),
                  (Rows{{{"n", QString::fromLatin1(text)}}}))
            << number;
}

QVariantMap fullRow() {
    QVariantMap row;
    for (const char *f :
         {"BranchCode", "Users_id", "EmpName", "Employee_id", "Department_id", "Department",
          "ImagePath", "Division_id", "DivisionName", "Device_id", "GateName"})
        row.insert(QString::fromLatin1(f), QStringLiteral("v-") + QString::fromLatin1(f));
    return row;
}

// A damaged saved value counts as no session and leaves `master` as it was. A partial one sets
// only the text values of known keys, "" included: a device row must not wipe the user.
TEST(Session, SavedSessionComesBackUnlessDamaged) {
    IsolatedDefaults defaults;
    const class access saved = master;
    class access someone;
    someone.fromJSON(fullRow());
    master = someone;
    EXPECT_EQ(master.toJSON(), fullRow());
    EXPECT_FALSE(c().hasSavedSession()); // nothing saved yet
    c().saveSession();
    EXPECT_EQ(c().defaultsStore().keys(), QStringList{"master"});
    EXPECT_EQ(object(c().defaultsStore().value("master").toByteArray()), fullRow());
    master = {};
    ASSERT_TRUE(c().hasSavedSession());
    EXPECT_EQ(master, someone);
    for (const char *stored :
         {"Users_id=5", "", R"([{"Users_id":"5"}])", R"({"EmpName":"Intruder","GateName":"X"})",
          R"({"Users_id":5,"EmpName":"Intruder"})", R"({"Users_id":"","EmpName":"Intruder"})",
          R"({"Users_id":"5","EmpName":"Int)"}) {
        c().defaultsStore().setValue(QStringLiteral("master"), QString::fromUtf8(stored));
        EXPECT_FALSE(c().hasSavedSession()) << stored;
        EXPECT_EQ(master, someone) << stored;
    }
    c().defaultsStore().setValue(
        "master", R"({"Users_id":"5","DivisionName":"Press","EmpName":["x"],"Other":"x",)"
                  R"("Department":{"a":"b"},"BranchCode":null,"GateName":true,"Device_id":""})");
    ASSERT_TRUE(c().hasSavedSession());
    QVariantMap expected = fullRow();
    expected["Users_id"] = "5";
    expected["DivisionName"] = "Press";
    expected["Device_id"] = "";
    EXPECT_EQ(master.toJSON(), expected);
    master = saved;
}

// Strict and English in any language: a text formats back identically or ("!") gives nothing.
// Cases 20 and 22 have no year, yet 29 February is a real date a log can show.
TEST(Dates, RoundTripRejectAndConvertWhateverTheLanguage) {
    const std::pair<int, QStringList> cases[] = {
        {0, {"06/12/2026", "29/02/2028", "!06/13/2026", "!6/12/2026"}},
        {3, {"06-Dec-2026", "!32-Dec-2026"}},
        {4, {"2026-12-06", "!06 Dec 2026 14:05:09"}},
        {5, {"!06 Dec 2026"}},
        {8, {"06 Dec 02:05 PM", "01 Jan 12:00 AM"}},
        {14,
         {"31 Dec 2026 23:59:59", "!31 Feb 2026 10:00:00", "!", "!garbage", "!2026-12-06",
          "! 06 Dec 2026 14:05:09", "!06 Dec 2026 14:05:09 ", "!06 Dec 2026 24:05:09"}},
        {16, {"December 2026"}},
        {20, {"Dec 06", "Feb 29"}},
        {21, {"06 Dec 2026, 02 PM"}},
        {22, {"06 Dec, 12:30 PM", "29 Feb, 08:00 AM"}}};
    const QLocale saved;
    for (QLocale::Language language : {QLocale::English, QLocale::German, QLocale::Arabic}) {
        QLocale::setDefault(QLocale(language));
        SCOPED_TRACE(QLocale::languageToString(language).toStdString());
        for (const auto &[dateCase, texts] : cases) {
            const QString pattern = dateFormats::pattern(dateCase);
            for (const QString &entry : texts) {
                const bool valid = !entry.startsWith(u'!');
                const QString text = valid ? entry : entry.mid(1);
                SCOPED_TRACE(testing::Message() << dateCase << " \"" << text.toStdString() << '"');
                const auto parsed = dateFormats::parse(text, pattern);
                ASSERT_EQ(parsed.has_value(), valid);
                EXPECT_EQ(c().dateFromText(text, pattern), parsed);
                EXPECT_EQ(parsed ? dateFormats::format(*parsed, pattern) : text, text);
                EXPECT_EQ(c().convertDateText(dateCase, dateCase, text),
                          valid ? std::optional(text) : std::nullopt);
            }
        }
        for (const auto &[from, to, text, expected] : {
                 std::tuple{14, 22, "06 Dec 2026 14:05:09", "06 Dec, 02:05 PM"},
                 {14, 8, "06 Dec 2026 00:15:00", "06 Dec 12:15 AM"},
                 {14, 21, "06 Dec 2026 14:05:09", "06 Dec 2026, 02 PM"},
                 {4, 3, "2026-03-01", "01-Mar-2026"},
                 {4, 16, "2026-03-01", "March 2026"},
                 {0, 4, "06/12/2026", "2026-12-06"},
                 {14, 99, "06 Dec 2026 14:05:09", ""}, // no such case: nothing
             })
            EXPECT_EQ(c().convertDateText(from, to, QString::fromUtf8(text)).value_or("none"),
                      *expected ? QString::fromUtf8(expected) : "none")
                << text;
    }
    QLocale::setDefault(saved);
}

TEST(Numbers, CompareDatesEmptyTextAndRounding) {
    const QDateTime early(QDate(2026, 12, 6), QTime(14, 5)), late = early.addSecs(1);
    EXPECT_EQ(c().compareDates(late, early), 1);
    EXPECT_EQ(c().compareDates(early, late), -1);
    EXPECT_EQ(c().compareDates(early, early), 0);
    EXPECT_TRUE(c().isEmptyText(QStringLiteral(" \t\n")));
    EXPECT_FALSE(c().isEmptyText(QStringLiteral(" 0 ")));
    // The version check compares a difference of versions against 0.02; 1.52 - 1.5 is
    // 0.0200000000000000177... in binary and must still count. Halves round away from zero.
    EXPECT_DOUBLE_EQ(c().roundValue(2, 1.52 - 1.5), 0.02);
    EXPECT_DOUBLE_EQ(c().roundValue(2, 1.5 - 1.6), -0.1);
    EXPECT_DOUBLE_EQ(c().roundValue(2, -0.005), -0.01);
    EXPECT_DOUBLE_EQ(c().roundValue(0, 2.5), 3.0);
    EXPECT_TRUE(c().roundValue(2, 1.02 - 1.0) >= 0.02);
    EXPECT_FALSE(c().roundValue(2, 1.51 - 1.5) >= 0.02);
}

// "local" names every address; the others name one each, so the rest keep theirs.
const char *const kSets = R"({"localm": {"nodedb2": "m1"}, "global": {"DCdatabase": "g2"},
  "local": {"nodedb2": "l1", "DCdatabase": "l2", "imgdatabase": "l3", "servicesdatabase": "l4",
            "commonServicesdatabase": "l5", "reportServer": "l6"}})";
// Sets the six addresses from `before`, switches to set `sender` and gives them back.
QString switchTo(int sender, const char *before) {
    QString *const addresses[] = {
        &nodedb2,     &DCdatabase, &imgdatabase, &servicesdatabase, &commonServicesdatabase,
        &reportServer};
    for (int i = 0; i < 6; ++i)
        *addresses[i] = QString::fromLatin1(before).split(u' ').value(i);
    changeDBConnection(sender);
    QStringList after;
    for (QString *address : addresses)
        after << *address;
    return after.join(u' ');
}

void write(const QString &path, const char *text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

// The file named by SECLOG_SERVERS wins, then the user's own servers.json, then the built-in
// sets. A missing or damaged file, an unknown set or an empty value changes nothing.
TEST(Servers, ChangeDBConnectionRepointsOnlyForAKnownSetInAReadableFile) {
    const char *const before = "b1 b2 b3 b4 b5 b6";
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    ASSERT_TRUE(QDir().mkpath(config));
    write(config + QStringLiteral("/servers.json"), R"({"local": {"nodedb2": "u1"}})");
    QTemporaryDir dir;
    int n = 0;
    for (const auto &[file, sender, expected] : {std::tuple{kSets, 0, "l1 l2 l3 l4 l5 l6"},
                                                 {kSets, 1, "m1 b2 b3 b4 b5 b6"},
                                                 {kSets, 2, "b1 g2 b3 b4 b5 b6"},
                                                 {kSets, 3, before},
                                                 {nullptr, 0, before},
                                                 {R"({"local": {"nodedb2": )", 0, before},
                                                 {R"({"local": "http://x"})", 0, before},
                                                 {R"({"local": {"nodedb2": ""}})", 0, before}}) {
        const QString path = dir.filePath(QString::number(++n));
        if (file)
            write(path, file);
        qputenv("SECLOG_SERVERS", path.toUtf8());
        EXPECT_EQ(switchTo(sender, before), QLatin1String(expected)) << n;
    }
    qunsetenv("SECLOG_SERVERS");
    EXPECT_EQ(switchTo(0, before), QStringLiteral("u1 b2 b3 b4 b5 b6"));
    ASSERT_TRUE(QFile::remove(config + QStringLiteral("/servers.json")));
    for (const QString &address : switchTo(0, "").split(u' '))
        EXPECT_TRUE(address.startsWith(QLatin1String("http"))) << address.toStdString();
}

} // namespace
