#include "secitemtblviewcell.h"

#include <gtest/gtest.h>

namespace {

SectionEntry entry(const QString &accessFrom, const QStringList &items) {
    SectionEntry e;
    e.AccessFrom = accessFrom;
    for (const auto &name : items) {
        e.DATA.append(makeItemRow());
        e.DATA.last()->titleText = name;
    }
    return e;
}

// The question a double tap asks before a delete, if any (the log form's own test covers a new
// party's only item, one of two items and a DC's line).
struct DeleteCase {
    const char *name;
    SectionEntry entry;
    int index;
    std::optional<QString> question;
};

SectionEntry withSavedItem(SectionEntry e, int index, const QString &id) {
    e.DATA[index]->savedDetailId = id;
    return e;
}

const QString party = "Are You Sure Want To Delete This Party?";
const QString anItem = "Are You Sure Want To Delete This Item?";

class DeleteQuestionTest : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteQuestionTest, AsksAboutThePartyOrTheItemOrNothing) {
    const auto &c = GetParam();
    EXPECT_EQ(secItemTBLViewCell::deleteQuestion(c.entry, c.index), c.question);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, DeleteQuestionTest,
    ::testing::Values(
        DeleteCase{"SavedLine", withSavedItem(entry("", {"Yarn", "Bobbins"}), 1, "41"), 1,
                   std::nullopt},
        DeleteCase{"UnsavedBesideSaved", withSavedItem(entry("", {"Yarn", "Bobbins"}), 1, "41"), 0,
                   anItem},
        DeleteCase{"EmptySavedIdIsNew", withSavedItem(entry("", {"Yarn"}), 0, ""), 0, party},
        DeleteCase{"ParticularsLastItem", entry("Particulars", {"Yarn"}), 0, anItem},
        DeleteCase{"NoTileThere", entry("", {"Yarn"}), 1, std::nullopt},
        DeleteCase{"EmptyEntry", entry("", {}), 0, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

struct SingleTapCase {
    const char *name;
    QString accessFrom;
    QString itemName;
    int index;
    bool opens;
};

class SingleTapTest : public ::testing::TestWithParam<SingleTapCase> {};

TEST_P(SingleTapTest, OpensTheDCDetailOnlyForScannedDCTiles) {
    const auto &c = GetParam();
    EXPECT_EQ(secItemTBLViewCell::opensDCDetail(entry(c.accessFrom, {c.itemName}), c.index),
              c.opens);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, SingleTapTest,
    ::testing::Values(
        SingleTapCase{"ScanStripDC", "DCScan", "Cotton Yarn", 0, true},
        SingleTapCase{"GodownTransferTile", "DCScan", "GT-0042 Bobbins", 0, false},
        SingleTapCase{"GTInsideTheName", "DCScan", "Yarn (GT 7)", 0, false},
        SingleTapCase{"LowerCaseGtIsNoTransfer", "DCScan", "Gtex Belts", 0, true},
        SingleTapCase{"ParticularsStrip", "Particulars", "Cotton Yarn", 0, false},
        SingleTapCase{"NoTileThere", "DCScan", "Cotton Yarn", 1, false}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

} // namespace
