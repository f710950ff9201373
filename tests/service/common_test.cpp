#include "access.h"
#include "common.h"
#include "datatask.h"
#include "dateformats.h"
#include "dbconnection.h"
#include "rows.h"
#include "testapp.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QTemporaryDir>

namespace {

common &c() {
    return common::sharedInstance();
}

QVariantMap object(const char *json) {
    return QJsonDocument::fromJson(json).object().toVariantMap();
}

// "0" is how the server says "no rows"; anything but a list of objects has none. Every value
// comes out as a QString, nested values dropped; numbers too large to be identifiers keep their
// size as text (and are no undefined cast).
TEST(JSONText, ArgumentsBecomeCompactTextAndRepliesBecomeTextRows) {
    datatask &dt = datatask::sharedInstance();
    EXPECT_EQ(dt.toJSONText(QVariantMap{{"SPName", "spGate"}, {"id", 12}}),
              QStringLiteral(R"({"SPName":"spGate","id":12})"));
    for (const char *json : {"0", " 0 ", "[]", R"({"a":"1"})", "not json", "", "[1,2]"})
        EXPECT_TRUE(dt.rowsFromJSONText(QString::fromUtf8(json)).isEmpty()) << json;
    const Rows rows = dt.rowsFromJSONText(QString::fromUtf8(
        R"([{"a":1},3,{"n":-7,"f":1.5,"id":9007199254740991,"t":true,"null":null,)"
        R"("s":"Zoë \u6f22","obj":{"a":1},"arr":[1]}])"));
    EXPECT_EQ(rows, (Rows{object(R"({"a":"1"})"),
                          object(R"({"n":"-7","f":"1.5","id":"9007199254740991","t":"true",)"
                                 R"("null":"","s":"Zoë \u6f22"})")}));
    for (const Row &row : rows) // QVariant(1) == QVariant("1"), so look at the type
        for (const QVariant &v : row)
            EXPECT_EQ(v.typeId(), QMetaType::QString);
    for (const auto &[number, text] : {std::pair{"1e300", "1e+300"},
                                       {"9223372036854775808", "9.22337203685478e+18"},
                                       {"1e14", "100000000000000"}})
        EXPECT_EQ(dt.rowsFromJSONText(QStringLiteral(R"([{"n":%1}])").arg(number)),
                  (Rows{{{"n", QString::fromLatin1(text)}}}))
            << number;
}

// A damaged saved value counts as no session and leaves `master` as it was. A partial one sets
// only the text values of known keys, "" included: a device row must not wipe the user.
TEST(Session, SavedSessionComesBackUnlessDamaged) {
    IsolatedDefaults defaults;
    const class access saved = master;
    master.fromJSON(
        object(R"({"Users_id":"7","EmpName":"Ravi","GateName":"Gate","Device_id":"3"})"));
    const class access someone = master;
    EXPECT_FALSE(c().hasSavedSession()); // nothing saved yet
    c().saveSession();
    EXPECT_EQ(object(c().defaultsStore().value("master").toByteArray()), someone.toJSON());
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
        "master", R"({"Users_id":"5","EmpName":["x"],"GateName":null,"Device_id":"","Other":"x"})");
    ASSERT_TRUE(c().hasSavedSession());
    EXPECT_EQ(QStringList({master.Users_id, master.EmpName, master.GateName, master.Device_id}),
              QStringList({"5", "Ravi", "Gate", ""}));
    master = saved;
}

// Strict and English in any language: a text formats back identically or ("!") gives nothing.
// Cases 20 and 22 have no year, yet 29 February is a real date a log can show.
TEST(Dates, RoundTripRejectAndConvertWhateverTheLanguage) {
    const std::pair<int, QStringList> cases[] = {
        {0, {"29/02/2028", "!06/13/2026", "!6/12/2026"}},
        {3, {"06-Dec-2026", "!32-Dec-2026"}},
        {8, {"01 Jan 12:00 AM"}},
        {14, {"31 Dec 2026 23:59:59", "!31 Feb 2026 10:00:00", "!", "!06 Dec 2026 24:05:09"}},
        {16, {"December 2026"}},
        {20, {"Dec 06", "Feb 29"}},
        {22, {"29 Feb, 08:00 AM"}}};
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
                EXPECT_EQ(parsed ? dateFormats::format(*parsed, pattern) : text, text);
                EXPECT_EQ(c().convertDateText(dateCase, dateCase, text),
                          valid ? std::optional(text) : std::nullopt);
            }
        }
        for (const auto &[from, to, text, expected] : {
                 std::tuple{14, 22, "06 Dec 2026 14:05:09", "06 Dec, 02:05 PM"},
                 {14, 8, "06 Dec 2026 00:15:00", "06 Dec 12:15 AM"},
                 {14, 21, "06 Dec 2026 14:05:09", "06 Dec 2026, 02 PM"},
                 {0, 4, "06/12/2026", "2026-12-06"},
                 {14, 99, "06 Dec 2026 14:05:09", ""}, // no such case: nothing
             })
            EXPECT_EQ(c().convertDateText(from, to, QString::fromUtf8(text)).value_or("none"),
                      *expected ? QString::fromUtf8(expected) : "none")
                << text;
    }
    QLocale::setDefault(saved);
}

void write(const QString &path, const char *text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

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

// The file named by SECLOG_SERVERS wins over the built-in sets. "local" names every address,
// the others one each, so the rest keep theirs. A missing or damaged file, an unknown set or an
// empty value changes nothing.
TEST(Servers, ChangeDBConnectionRepointsOnlyForAKnownSetInAReadableFile) {
    const char *const sets = R"({"localm": {"nodedb2": "m1"},
      "local": {"nodedb2": "l1", "DCdatabase": "l2", "imgdatabase": "l3",
                "servicesdatabase": "l4", "commonServicesdatabase": "l5", "reportServer": "l6"}})";
    const char *const before = "b1 b2 b3 b4 b5 b6";
    QTemporaryDir dir;
    int n = 0;
    for (const auto &[file, sender, expected] : {std::tuple{sets, 0, "l1 l2 l3 l4 l5 l6"},
                                                 {sets, 1, "m1 b2 b3 b4 b5 b6"},
                                                 {sets, 3, before},
                                                 {nullptr, 0, before},
                                                 {R"({"local": {"nodedb2": )", 0, before},
                                                 {R"({"local": {"nodedb2": ""}})", 0, before}}) {
        const QString path = dir.filePath(QString::number(++n));
        if (file)
            write(path, file);
        qputenv("SECLOG_SERVERS", path.toUtf8());
        EXPECT_EQ(switchTo(sender, before), QLatin1String(expected)) << n;
    }
    qunsetenv("SECLOG_SERVERS");
}

} // namespace
