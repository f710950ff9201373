#include "datatask.h"
#include "jsonvariant.h"

#include <gtest/gtest.h>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Equal values of equal types all the way down (QVariant's == takes 12 and 12.0 as equal).
void expectSame(const QVariant &actual, const QVariant &expected, const QString &at = "$") {
    EXPECT_EQ(actual.typeId(), expected.typeId()) << at.toStdString();
    if (expected.typeId() == QMetaType::QVariantList) {
        const QVariantList a = actual.toList(), e = expected.toList();
        ASSERT_EQ(a.size(), e.size()) << at.toStdString();
        for (qsizetype i = 0; i < e.size(); ++i)
            expectSame(a[i], e[i], at + QStringLiteral("[%1]").arg(i));
    } else if (expected.typeId() == QMetaType::QVariantMap) {
        const QVariantMap a = actual.toMap(), e = expected.toMap();
        ASSERT_EQ(a.keys(), e.keys()) << at.toStdString();
        for (auto it = e.begin(); it != e.end(); ++it)
            expectSame(a.value(it.key()), it.value(), at + "." + it.key());
    } else {
        EXPECT_EQ(actual, expected) << at.toStdString();
    }
}

// Replies are read with simdjson, falling back to QJsonDocument for what simdjson refuses: for
// every text, decode() gives exactly what QJsonDocument gives, types included (an id that is a
// number stays a qlonglong, a null stays null, the last of a repeated key wins).
TEST(JsonVariant, DecodesEveryReplyAsQJsonDocumentDoes) {
    const QByteArray texts[] = {
        R"([{"SecIOLog_id":"12","IOPerson":"Anand","OutTime":""}])",
        R"([{"n":12,"big":9223372036854775807,"bigger":18446744073709551615,"f":2.5,"e":1E2}])",
        R"([{"minus":-7,"zero":-0,"t":true,"f":false,"null":null}])",
        R"([2.0,-0.0,1e18,-2.5e-3,9007199254740993.0,1.7976931348623157e308])",
        R"({"rows":[[1,"a"],{"nested":{"k":"v"}}],"k":"first","k":"last"})",
        R"(["\u00e9\u20ac\ud83d\ude00 caf\u00e9","tab\there","nul\u0000inside"])",
        "[]",
        "{}",
        " [ 1 , 2 ] ",
        "[123456789012345678901234567890]", // beyond 64 bits: simdjson refuses, Qt reads a double
        "[1e400]",                          // out of range: neither reads it
        "[\"bad \xff utf-8\"]",
        "[{\"cut\":\"short",
        "[1] trailing",
        "\"just text\"",
        "42",
        "",
        "<html><body>Internal Server Error</body></html>",
    };
    for (const QByteArray &text : texts) {
        SCOPED_TRACE(text.toStdString());
        QJsonParseError error{};
        const QJsonDocument doc = QJsonDocument::fromJson(text, &error);
        const QVariant expected = error.error != QJsonParseError::NoError ? QVariant()
                                  : doc.isArray()  ? doc.array().toVariantList()
                                  : doc.isObject() ? doc.object().toVariantMap()
                                                   : QVariant();
        expectSame(datatask::decode(text), expected);
    }
}

// Rows share the QString of each key instead of one copy per row.
TEST(JsonVariant, RowsShareTheirKeys) {
    const auto value = JsonVariant::read(R"([{"IOPerson":"a"},{"IOPerson":"b"}])");
    ASSERT_TRUE(value.has_value());
    const QVariantList rows = value->toList();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_TRUE(rows[0].toMap().firstKey().isSharedWith(rows[1].toMap().firstKey()));
}

} // namespace
