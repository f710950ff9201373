#include "common.h"
#include "dateformats.h"

#include <gtest/gtest.h>
#include <QLocale>

namespace {

common &c() {
    return common::sharedInstance();
}

struct DateText {
    int dateCase;
    const char *text;
};

void PrintTo(const DateText &d, std::ostream *os) {
    *os << "case " << d.dateCase << " \"" << d.text << '"';
}

class DateRoundTrip : public ::testing::TestWithParam<DateText> {};

TEST_P(DateRoundTrip, ParsesAndFormatsBackIdentically) {
    const QString text = QString::fromUtf8(GetParam().text);
    const QString pattern = dateFormats::pattern(GetParam().dateCase);
    ASSERT_FALSE(pattern.isEmpty());
    const auto parsed = dateFormats::parse(text, pattern);
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(dateFormats::format(*parsed, pattern), text);
    EXPECT_EQ(c().convertDateText(GetParam().dateCase, GetParam().dateCase, text), text);
}

// Cases 20 and 22 have no year, yet 29 February is a real date a log can show.
INSTANTIATE_TEST_SUITE_P(
    Dates, DateRoundTrip,
    ::testing::Values(DateText{0, "06/12/2026"}, DateText{0, "29/02/2028"},
                      DateText{3, "06-Dec-2026"}, DateText{4, "2026-12-06"},
                      DateText{8, "06 Dec 02:05 PM"}, DateText{8, "01 Jan 12:00 AM"},
                      DateText{14, "06 Dec 2026 14:05:09"}, DateText{14, "31 Dec 2026 23:59:59"},
                      DateText{16, "December 2026"}, DateText{17, "2026-12-06"},
                      DateText{20, "Dec 06"}, DateText{20, "Feb 29"},
                      DateText{21, "06 Dec 2026, 02 PM"}, DateText{22, "06 Dec, 12:30 PM"},
                      DateText{22, "29 Feb, 08:00 AM"}),
    [](const auto &info) {
        return "Case" + std::to_string(info.param.dateCase) + "_" + std::to_string(info.index);
    });

TEST(Dates, RejectedTextsGiveNothing) {
    for (const DateText &r :
         {DateText{14, "31 Feb 2026 10:00:00"}, DateText{14, ""}, DateText{14, "garbage"},
          DateText{4, "06 Dec 2026 14:05:09"}, DateText{14, "2026-12-06"},
          DateText{14, " 06 Dec 2026 14:05:09"}, DateText{14, "06 Dec 2026 14:05:09 "},
          DateText{14, "06 Dec 2026 24:05:09"}, DateText{0, "06/13/2026"}, DateText{0, "6/12/2026"},
          DateText{3, "32-Dec-2026"}, DateText{5, "06 Dec 2026"}}) {
        SCOPED_TRACE(::testing::PrintToString(r));
        const QString text = QString::fromUtf8(r.text);
        EXPECT_FALSE(dateFormats::parse(text, dateFormats::pattern(r.dateCase)).has_value());
        EXPECT_FALSE(c().convertDateText(r.dateCase, 14, text).has_value());
    }
}

TEST(Dates, ConversionsReformatTheSameMoment) {
    struct Row {
        int from, to;
        const char *text, *expected; // null: nothing
    };
    for (const Row &r :
         {Row{14, 22, "06 Dec 2026 14:05:09", "06 Dec, 02:05 PM"},
          Row{14, 8, "06 Dec 2026 14:05:09", "06 Dec 02:05 PM"},
          Row{14, 8, "06 Dec 2026 00:15:00", "06 Dec 12:15 AM"},
          Row{14, 21, "06 Dec 2026 14:05:09", "06 Dec 2026, 02 PM"},
          Row{4, 3, "2026-03-01", "01-Mar-2026"}, Row{4, 14, "2026-12-06", "06 Dec 2026 00:00:00"},
          Row{0, 4, "06/12/2026", "2026-12-06"}, Row{14, 99, "06 Dec 2026 14:05:09", nullptr}}) {
        const auto got = c().convertDateText(r.from, r.to, QString::fromUtf8(r.text));
        EXPECT_EQ(got, r.expected ? std::optional(QString::fromUtf8(r.expected)) : std::nullopt)
            << r.from << "->" << r.to << ' ' << r.text;
    }
}

TEST(Dates, EnglishMonthNamesWhateverTheDeviceLanguage) {
    const QLocale saved;
    for (QLocale::Language language : {QLocale::German, QLocale::Arabic, QLocale::Japanese}) {
        QLocale::setDefault(QLocale(language));
        SCOPED_TRACE(QLocale::languageToString(language).toStdString());
        const auto parsed =
            dateFormats::parse(QStringLiteral("06 Dec 2026 14:05:09"), dateFormats::pattern(14));
        ASSERT_TRUE(parsed.has_value());
        EXPECT_EQ(*parsed, QDateTime(QDate(2026, 12, 6), QTime(14, 5, 9)));
        EXPECT_EQ(c().convertDateText(14, 22, QStringLiteral("06 Dec 2026 14:05:09")),
                  QStringLiteral("06 Dec, 02:05 PM"));
        EXPECT_EQ(c().convertDateText(4, 16, QStringLiteral("2026-03-01")),
                  QStringLiteral("March 2026"));
    }
    QLocale::setDefault(saved);
}

// The version check compares a difference of versions against 0.02: 1.52 - 1.5 is
// 0.0200000000000000177... in binary and must still count.
TEST(Numbers, RoundValueHalfAwayFromZero) {
    struct Row {
        int places;
        double value, expected;
    };
    for (const Row &r : {Row{2, 1.52 - 1.5, 0.02}, Row{2, 1.51 - 1.5, 0.01},
                         Row{2, 1.5 - 1.6, -0.1}, Row{2, 0.005, 0.01}, Row{2, -0.005, -0.01},
                         Row{2, 0.004, 0.0}, Row{0, 2.5, 3.0}, Row{1, -0.25, -0.3}})
        EXPECT_DOUBLE_EQ(c().roundValue(r.places, r.value), r.expected) << r.value;
    EXPECT_TRUE(c().roundValue(2, 1.52 - 1.5) >= 0.02);
    EXPECT_FALSE(c().roundValue(2, 1.51 - 1.5) >= 0.02);
}

} // namespace
