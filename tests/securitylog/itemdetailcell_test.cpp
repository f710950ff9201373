#include "itemdetailcell.h"
#include "localimages.h"

#include <gtest/gtest.h>
#include <QSignalSpy>

namespace {

// What the guard does to the quantity: ends editing, or taps plus or minus.
enum Action { EndEditing = 0, Plus = 1, Minus = -1 };

struct QuantityCase {
    const char *name;
    int decimals;
    double maxQty, minQty;
    QString typed;
    Action action;
    QString shown;
    QString unit; // "pc" singular, "pcs" plural, "?" untouched (and nobody told)
};

class QuantityRuleTest : public ::testing::TestWithParam<QuantityCase> {};

TEST_P(QuantityRuleTest, ShowsClampedFormattedQuantityAndUnit) {
    const auto &c = GetParam();
    auto row = makeItemRow();
    row->decimals = c.decimals;
    row->MaxQty = c.maxQty;
    row->MinQty = c.minQty;
    row->Singular = "pc";
    row->Plural = "pcs";
    row->unitText = "?";
    row->setQuantity(c.typed);
    QSignalSpy changed(row.get(), &itemDetailCell::changed);
    if (c.action == EndEditing)
        row->endEditing();
    else
        row->tapButton(c.action);
    EXPECT_EQ(row->quantity(), c.shown);
    EXPECT_EQ(row->unit(), c.unit);
    EXPECT_EQ(changed.count(), c.unit == "?" ? 0 : 1);
}

// Two decimals unless said; limits of 0 are no limits.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, QuantityRuleTest,
    ::testing::Values(
        // The unit follows the printed value.
        QuantityCase{"RoundsUpToOneIsSingular", 2, 0, 0, "0.999", EndEditing, "1.00", "pc"},
        QuantityCase{"JustOverOneIsPlural", 2, 0, 0, "1.01", EndEditing, "1.01", "pcs"},
        // C's rounding of the binary value: 1.005 is just below, 2.5 is a tie to even.
        QuantityCase{"RoundsTheBinaryValue", 2, 0, 0, "1.005", EndEditing, "1.00", "pc"},
        QuantityCase{"TieRoundsToEven", 0, 0, 0, "2.5", EndEditing, "2", "pcs"},
        QuantityCase{"NegativeDecimalsPrintNone", -1, 0, 0, "3", EndEditing, "3", "pcs"},
        QuantityCase{"AboveMaxIsMax", 2, 5, 0, "7", EndEditing, "5.00", "pcs"},
        QuantityCase{"PlusAtMaxDoesNothing", 2, 5, 0, "5", Plus, "5", "?"},
        QuantityCase{"PlusBelowMaxStopsAtMax", 2, 5, 0, "4.5", Plus, "5.00", "pcs"},
        QuantityCase{"MinusAtMinOnlyReformats", 2, 0, 2, "2", Minus, "2.00", "pcs"},
        QuantityCase{"BelowMinIsMin", 2, 0, 2, "1", EndEditing, "2.00", "pcs"},
        QuantityCase{"MinusJustAboveMinStopsAtMin", 2, 0, 2, "2.5", Minus, "2.00", "pcs"},
        QuantityCase{"MinusOnHalfIsZero", 2, 0, 0, "0.5", Minus, "0.00", "pc"},
        QuantityCase{"PlusOnEmptyIsOne", 2, 0, 0, "", Plus, "1.00", "pc"},
        // Texts that are not numbers read as 0; a leading number is read up to what follows.
        QuantityCase{"WordIsZero", 2, 0, 0, "abc", EndEditing, "0.00", "pc"},
        QuantityCase{"CommaIsNotAPoint", 2, 0, 0, "4,5", EndEditing, "4.00", "pcs"},
        QuantityCase{"Exponent", 2, 0, 0, "1e3", EndEditing, "1000.00", "pcs"},
        // Decided: a leading blank is skipped; a sign is no number (quantities are never
        // negative), so "-3" reads as 0.
        QuantityCase{"LeadingBlankSkipped", 2, 0, 0, " 4", EndEditing, "4.00", "pcs"},
        QuantityCase{"MinusSignIsNoNumber", 2, 0, 0, "-3", EndEditing, "0.00", "pc"},
        // Numbers a double cannot hold, and NaN/inf spelt out, read as 0: never "inf" or "nan".
        QuantityCase{"OverflowingExponent", 2, 0, 0, "1e999", EndEditing, "0.00", "pc"},
        QuantityCase{"NanIsZero", 2, 0, 0, "nan", EndEditing, "0.00", "pc"},
        QuantityCase{"OverflowAgainstMax", 2, 5, 0, "1e999", EndEditing, "0.00", "pc"}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

// Typing changes the text only; the format waits for the end of editing.
TEST(QuantityRule, TypingKeepsTheTextAsTyped) {
    auto row = makeItemRow();
    QSignalSpy changed(row.get(), &itemDetailCell::changed);
    row->setQuantity("7.");
    row->setQuantity("7.");
    EXPECT_EQ(row->quantity(), "7.");
    EXPECT_EQ(changed.count(), 1) << "the same text again tells nobody";
}

TEST(ItemImage, LocalImagesForgetsTheLeastRecentlyUsedAndWhatIsReleased) {
    auto &images = LocalImages::shared();
    auto picture = [](int shade) {
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(QColor(shade, 0, 0));
        return image;
    };
    const QImage first = picture(1), kept = picture(2);
    const QUrl firstUrl = images.urlFor(first), keptUrl = images.urlFor(kept);
    QList<QImage> others;
    for (int i = 0; i < LocalImages::capacity - 1; ++i) {
        others.append(picture(3 + i));
        images.urlFor(others.last());
        if (i == LocalImages::capacity / 2) {
            EXPECT_EQ(images.urlFor(kept), keptUrl); // asked for again: kept
        }
    }
    EXPECT_EQ(images.count(), LocalImages::capacity);
    EXPECT_TRUE(images.image(firstUrl.path().mid(1)).isNull()) << "the oldest is forgotten";
    EXPECT_EQ(images.image(keptUrl.path().mid(1)), kept);
    EXPECT_NE(images.urlFor(first), firstUrl) << "a forgotten picture gets a new address";
    images.release(keptUrl);
    EXPECT_TRUE(images.image(keptUrl.path().mid(1)).isNull());
    EXPECT_TRUE(images.urlFor(QImage()).isEmpty());
}

} // namespace
