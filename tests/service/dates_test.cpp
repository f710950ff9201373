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

std::string caseName(const ::testing::TestParamInfo<DateText> &info) {
    return "Case" + std::to_string(info.param.dateCase) + "_" + std::to_string(info.index);
}

class DateRoundTrip : public ::testing::TestWithParam<DateText> {};

TEST_P(DateRoundTrip, ParsesAndFormatsBackIdentically) {
    const QString text = QString::fromUtf8(GetParam().text);
    const QString pattern = dateFormats::pattern(GetParam().dateCase);
    ASSERT_FALSE(pattern.isEmpty());
    const auto parsed = dateFormats::parse(text, pattern);
    ASSERT_TRUE(parsed.has_value()) << GetParam().text;
    EXPECT_EQ(dateFormats::format(*parsed, pattern), text);
    EXPECT_EQ(c().convertDateText(GetParam().dateCase, GetParam().dateCase, text), text);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateRoundTrip,
    ::testing::Values(DateText{0, "06/12/2026"}, DateText{0, "29/02/2028"},
                      DateText{3, "06-Dec-2026"}, DateText{4, "2026-12-06"},
                      DateText{8, "06 Dec 02:05 PM"}, DateText{8, "01 Jan 12:00 AM"},
                      DateText{14, "06 Dec 2026 14:05:09"}, DateText{14, "31 Dec 2026 23:59:59"},
                      DateText{16, "December 2026"}, DateText{17, "2026-12-06"},
                      DateText{20, "Dec 06"}, DateText{21, "06 Dec 2026, 02 PM"},
                      DateText{22, "06 Dec, 02:05 PM"}, DateText{22, "06 Dec, 12:30 PM"}),
    caseName);

// Patterns without a year: 29 February is a real date a log can show.
INSTANTIATE_TEST_SUITE_P(LeapDay, DateRoundTrip,
                         ::testing::Values(DateText{20, "Feb 29"},
                                           DateText{22, "29 Feb, 08:00 AM"}),
                         caseName);

struct Reject {
    const char *name;
    int dateCase;
    const char *text;
};

class DateRejects : public ::testing::TestWithParam<Reject> {};

TEST_P(DateRejects, GiveNothing) {
    const QString text = QString::fromUtf8(GetParam().text);
    EXPECT_FALSE(dateFormats::parse(text, dateFormats::pattern(GetParam().dateCase)).has_value());
    EXPECT_FALSE(c().convertDateText(GetParam().dateCase, 14, text).has_value());
}

INSTANTIATE_TEST_SUITE_P(Dates, DateRejects,
                         ::testing::Values(Reject{"NoSuchDay", 14, "31 Feb 2026 10:00:00"},
                                           Reject{"Empty", 14, ""},
                                           Reject{"Garbage", 14, "garbage"},
                                           Reject{"LongTextAsShortCase", 4, "06 Dec 2026 14:05:09"},
                                           Reject{"ShortTextAsLongCase", 14, "2026-12-06"},
                                           Reject{"TrailingSpace", 14, "06 Dec 2026 14:05:09 "},
                                           Reject{"LeadingSpace", 14, " 06 Dec 2026 14:05:09"},
                                           Reject{"Hour24", 14, "06 Dec 2026 24:05:09"},
                                           Reject{"Month13", 0, "06/13/2026"},
                                           Reject{"SingleDigitDay", 0, "6/12/2026"},
                                           Reject{"UnknownCase", 5, "06 Dec 2026 14:05:09"},
                                           Reject{"Day32", 3, "32-Dec-2026"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(DateConversion, UnknownTargetCaseGivesNothing) {
    EXPECT_FALSE(c().convertDateText(14, 99, QStringLiteral("06 Dec 2026 14:05:09")).has_value());
}

struct Conversion {
    int from;
    int to;
    const char *text;
    const char *expected;
};

class DateConversions : public ::testing::TestWithParam<Conversion> {};

TEST_P(DateConversions, ReformatTheSameMoment) {
    const Conversion &v = GetParam();
    EXPECT_EQ(c().convertDateText(v.from, v.to, QString::fromUtf8(v.text)),
              QString::fromUtf8(v.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DateConversions,
    ::testing::Values(Conversion{14, 22, "06 Dec 2026 14:05:09", "06 Dec, 02:05 PM"},
                      Conversion{14, 8, "06 Dec 2026 14:05:09", "06 Dec 02:05 PM"},
                      Conversion{14, 8, "06 Dec 2026 00:15:00", "06 Dec 12:15 AM"},
                      Conversion{14, 0, "06 Dec 2026 14:05:09", "06/12/2026"},
                      Conversion{14, 21, "06 Dec 2026 14:05:09", "06 Dec 2026, 02 PM"},
                      Conversion{14, 16, "06 Dec 2026 14:05:09", "December 2026"},
                      Conversion{14, 20, "06 Dec 2026 14:05:09", "Dec 06"},
                      Conversion{4, 3, "2026-03-01", "01-Mar-2026"},
                      Conversion{4, 14, "2026-12-06", "06 Dec 2026 00:00:00"},
                      Conversion{0, 4, "06/12/2026", "2026-12-06"}));

class DateLocales : public ::testing::TestWithParam<QLocale::Language> {
protected:
    void TearDown() override { QLocale::setDefault(saved); }
    QLocale saved;
};

TEST_P(DateLocales, EnglishMonthNamesWhateverTheDeviceLanguage) {
    QLocale::setDefault(QLocale(GetParam()));
    const auto parsed =
        dateFormats::parse(QStringLiteral("06 Dec 2026 14:05:09"), dateFormats::pattern(14));
    ASSERT_TRUE(parsed.has_value());
    EXPECT_EQ(parsed->date(), QDate(2026, 12, 6));
    EXPECT_EQ(parsed->time(), QTime(14, 5, 9));
    EXPECT_EQ(c().convertDateText(14, 22, QStringLiteral("06 Dec 2026 14:05:09")),
              QStringLiteral("06 Dec, 02:05 PM"));
    EXPECT_EQ(c().convertDateText(4, 16, QStringLiteral("2026-03-01")),
              QStringLiteral("March 2026"));
}

INSTANTIATE_TEST_SUITE_P(Dates, DateLocales,
                         ::testing::Values(QLocale::German, QLocale::French, QLocale::Arabic,
                                           QLocale::Japanese));

struct Rounding {
    double value;
    double expected;
};

class RoundToTwoPlaces : public ::testing::TestWithParam<Rounding> {};

TEST_P(RoundToTwoPlaces, HalfAwayFromZero) {
    EXPECT_DOUBLE_EQ(c().roundValue(2, GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Numbers, RoundToTwoPlaces,
                         ::testing::Values(Rounding{1.52 - 1.5, 0.02}, Rounding{1.51 - 1.5, 0.01},
                                           Rounding{1.5 - 1.6, -0.1}, Rounding{0.005, 0.01},
                                           Rounding{-0.005, -0.01}, Rounding{0.004, 0.0},
                                           Rounding{2.0, 2.0}, Rounding{0.0, 0.0}));

TEST(Numbers, VersionStepComparesAfterRounding) {
    // 1.52 - 1.5 is 0.0200000000000000177... in binary; the version check needs 0.02.
    EXPECT_TRUE(c().roundValue(2, 1.52 - 1.5) >= 0.02);
    EXPECT_FALSE(c().roundValue(2, 1.51 - 1.5) >= 0.02);
    EXPECT_DOUBLE_EQ(c().roundValue(0, 2.5), 3.0);
    EXPECT_DOUBLE_EQ(c().roundValue(1, -0.25), -0.3);
}

TEST(Helpers, CompareDates) {
    const QDateTime a(QDate(2026, 12, 6), QTime(14, 5, 9));
    struct Row {
        QDateTime left, right;
        int expected;
    };
    for (const Row &r : {Row{a, a, 0}, Row{a.addSecs(1), a, 1}, Row{a, a.addSecs(1), -1},
                         Row{a.addDays(-400), a, -1}})
        EXPECT_EQ(c().compareDates(r.left, r.right), r.expected) << r.left.toString().toStdString();
}

TEST(Helpers, IsEmptyText) {
    struct Row {
        const char *text;
        bool empty;
    };
    for (const Row &r :
         {Row{"", true}, Row{"  ", true}, Row{"\t\n ", true}, Row{" a ", false}, Row{"0", false}})
        EXPECT_EQ(c().isEmptyText(QString::fromUtf8(r.text)), r.empty) << '"' << r.text << '"';
    EXPECT_TRUE(c().isEmptyText(QString()));
}

} // namespace
