#include "itemdetailcell.h"
#include "localimageprovider.h"
#include "localimages.h"

#include <gtest/gtest.h>
#include <QSignalSpy>

namespace {

enum class Action { EndEditing, Plus, Minus };

struct QuantityCase {
    const char *name;
    int decimals;
    double maxQty;
    double minQty;
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
    switch (c.action) {
    case Action::EndEditing:
        row->endEditing();
        break;
    case Action::Plus:
        row->tapButton(1);
        break;
    case Action::Minus:
        row->tapButton(-1);
        break;
    }
    EXPECT_EQ(row->quantity(), c.shown);
    EXPECT_EQ(row->unit(), c.unit);
    EXPECT_EQ(changed.count(), c.unit == "?" ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, QuantityRuleTest,
    ::testing::Values(
        // Two decimals, no limits: the unit follows the printed value.
        QuantityCase{"OneIsSingular", 2, 0, 0, "1", Action::EndEditing, "1.00", "pc"},
        QuantityCase{"ZeroIsSingular", 2, 0, 0, "0", Action::EndEditing, "0.00", "pc"},
        QuantityCase{"RoundsUpToOneIsSingular", 2, 0, 0, "0.999", Action::EndEditing, "1.00", "pc"},
        QuantityCase{"JustOverOneIsPlural", 2, 0, 0, "1.01", Action::EndEditing, "1.01", "pcs"},
        // C's rounding of the binary value: 1.005 is just below, 2.5 is a tie to even.
        QuantityCase{"RoundsTheBinaryValue", 2, 0, 0, "1.005", Action::EndEditing, "1.00", "pc"},
        QuantityCase{"TieRoundsToEven", 0, 0, 0, "2.5", Action::EndEditing, "2", "pcs"},
        QuantityCase{"NegativeDecimalsPrintNone", -1, 0, 0, "3", Action::EndEditing, "3", "pcs"},
        // Upper limit 5.
        QuantityCase{"AboveMaxIsMax", 2, 5, 0, "7", Action::EndEditing, "5.00", "pcs"},
        QuantityCase{"PlusAtMaxDoesNothing", 2, 5, 0, "5", Action::Plus, "5", "?"},
        QuantityCase{"PlusBelowMaxStopsAtMax", 2, 5, 0, "4.5", Action::Plus, "5.00", "pcs"},
        // Lower limit 2.
        QuantityCase{"MinusAtMinOnlyReformats", 2, 0, 2, "2", Action::Minus, "2.00", "pcs"},
        QuantityCase{"BelowMinIsMin", 2, 0, 2, "1", Action::EndEditing, "2.00", "pcs"},
        QuantityCase{"MinusJustAboveMinStopsAtMin", 2, 0, 2, "2.5", Action::Minus, "2.00", "pcs"},
        // No limits: minus never goes below 0.
        QuantityCase{"MinusOnHalfIsZero", 2, 0, 0, "0.5", Action::Minus, "0.00", "pc"},
        QuantityCase{"PlusOnEmptyIsOne", 2, 0, 0, "", Action::Plus, "1.00", "pc"},
        // Texts that are not numbers read as 0; a leading number is read up to what follows.
        QuantityCase{"WordIsZero", 2, 0, 0, "abc", Action::EndEditing, "0.00", "pc"},
        QuantityCase{"LeadingPoint", 2, 0, 0, ".5", Action::EndEditing, "0.50", "pcs"},
        QuantityCase{"CommaIsNotAPoint", 2, 0, 0, "4,5", Action::EndEditing, "4.00", "pcs"},
        QuantityCase{"Exponent", 2, 0, 0, "1e3", Action::EndEditing, "1000.00", "pcs"},
        // Decided: a leading blank is skipped; a sign is no number (quantities are never
        // negative), so "-3" reads as 0.
        QuantityCase{"LeadingBlankSkipped", 2, 0, 0, " 4", Action::EndEditing, "4.00", "pcs"},
        QuantityCase{"MinusSignIsNoNumber", 2, 0, 0, "-3", Action::EndEditing, "0.00", "pc"},
        // Numbers a double cannot hold, and NaN/inf spelt out, read as 0: never "inf" or "nan".
        QuantityCase{"OverflowingExponent", 2, 0, 0, "1e999", Action::EndEditing, "0.00", "pc"},
        QuantityCase{"NanIsZero", 2, 0, 0, "nan", Action::EndEditing, "0.00", "pc"},
        QuantityCase{"InfIsZero", 2, 0, 0, "inf", Action::EndEditing, "0.00", "pc"},
        QuantityCase{"OverflowAgainstMax", 2, 5, 0, "1e999", Action::EndEditing, "0.00", "pc"}),
    [](const auto &info) { return std::string(info.param.name); });

// Typing changes the text only; the format waits for the end of editing.
TEST(QuantityRule, TypingKeepsTheTextAsTyped) {
    auto row = makeItemRow();
    QSignalSpy changed(row.get(), &itemDetailCell::changed);
    row->setQuantity("7.");
    row->setQuantity("7.");
    EXPECT_EQ(row->quantity(), "7.");
    EXPECT_EQ(changed.count(), 1) << "the same text again tells nobody";
}

TEST(ItemImage, ServerPictureFirstThenTheInMemoryOneThenNone) {
    auto row = makeItemRow();
    EXPECT_TRUE(row->imageSource().isEmpty());

    QImage photo(8, 6, QImage::Format_RGB32);
    photo.fill(Qt::red);
    row->image = photo;
    const QUrl local = row->imageSource();
    EXPECT_EQ(local.scheme(), "image");
    EXPECT_EQ(local.host(), "local");
    EXPECT_EQ(row->imageSource(), local) << "one picture keeps its address";

    LocalImageProvider provider;
    QSize size;
    const QImage served = provider.requestImage(local.path().mid(1), &size, QSize());
    EXPECT_EQ(served, photo);
    EXPECT_EQ(size, QSize(8, 6));
    EXPECT_EQ(provider.requestImage(local.path().mid(1), &size, QSize(4, 0)).size(), QSize(4, 3));

    row->image.setPixel(0, 0, qRgb(0, 0, 255)); // a changed picture is a new address
    EXPECT_NE(row->imageSource(), local);

    row->imageUrl = QUrl("http://127.0.0.1:8080/Security/Items/7.jpg");
    EXPECT_EQ(row->imageSource(), row->imageUrl);
}

TEST(ItemImage, LocalImagesForgetsTheLeastRecentlyUsedAndWhatIsReleased) {
    auto &images = LocalImages::shared();
    auto picture = [](int shade) {
        QImage image(2, 2, QImage::Format_RGB32);
        image.fill(QColor(shade, 0, 0));
        return image;
    };
    const QImage first = picture(1);
    const QImage kept = picture(2);
    const QUrl firstUrl = images.urlFor(first);
    const QUrl keptUrl = images.urlFor(kept);
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
