#include "secitemtblviewcell.h"

#include <gtest/gtest.h>

namespace {

using Details = QMap<QString, QString>;

ItemRow item(const QString &name, const std::optional<QString> &savedId = std::nullopt) {
    auto row = makeItemRow();
    row->titleText = name;
    row->savedDetailId = savedId;
    return row;
}

SectionEntry entry(const QString &accessFrom, const QStringList &items,
                   const Details &details = {}) {
    SectionEntry e;
    e.AccessFrom = accessFrom;
    e.PartyDetails = details;
    for (const auto &name : items)
        e.DATA.append(item(name));
    return e;
}

const Details fullParty{{"PartyName", "Sri Balaji Traders"},
                        {"Party_id", "31"},
                        {"City", "Coimbatore"},
                        {"BillNo", "B-17"},
                        {"BillDate", "06/12/2026"}};

Details with(Details details, const QString &key, const std::optional<QString> &value) {
    if (value)
        details.insert(key, *value);
    else
        details.remove(key);
    return details;
}

struct HeaderCase {
    const char *name;
    QString accessFrom;
    Details details;
    QString party, billNo, billDate;
    bool filled, onTop;
    int tileSize;
};

class HeaderLinesTest : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderLinesTest, FillsThePartyAndBillLinesByMode) {
    const auto &c = GetParam();
    const QVariantMap cell =
        secItemTBLViewCell::contents(entry(c.accessFrom, {"Cotton Yarn"}, c.details));
    EXPECT_EQ(cell.value("titlelbl").toString(), c.party);
    EXPECT_EQ(cell.value("billNolbl").toString(), c.billNo);
    EXPECT_EQ(cell.value("billDatelbl").toString(), c.billDate);
    EXPECT_EQ(cell.value("headerFilled").toBool(), c.filled);
    EXPECT_EQ(cell.value("headerOnTop").toBool(), c.onTop);
    EXPECT_EQ(cell.value("tileSize").toInt(), c.tileSize);
    EXPECT_EQ(cell.value("Party_id").toString(), c.filled ? c.details.value("Party_id") : "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, HeaderLinesTest,
    ::testing::Values(
        HeaderCase{"Full", "", fullParty, "Sri Balaji Traders (Coimbatore)", "B-17", "06/12/2026",
                   true, true, 60},
        HeaderCase{"EmptyCity", "", with(fullParty, "City", ""), "Sri Balaji Traders", "B-17",
                   "06/12/2026", true, true, 60},
        HeaderCase{"EmptyBillNo", "", with(fullParty, "BillNo", ""),
                   "Sri Balaji Traders (Coimbatore)", "--", "06/12/2026", true, true, 60},
        HeaderCase{"NoBillLines", "",
                   with(with(fullParty, "BillNo", std::nullopt), "BillDate", std::nullopt),
                   "Sri Balaji Traders (Coimbatore)", "", "", true, true, 60},
        // Decided: without a party name the party line stays empty, the bill lines show.
        HeaderCase{"NoPartyName", "", with(fullParty, "PartyName", std::nullopt), "", "B-17",
                   "06/12/2026", true, true, 60},
        HeaderCase{"NoDetails", "", {}, "", "", "", false, true, 60},
        HeaderCase{"ParticularsStrip", "Particulars", fullParty, "", "", "", false, false, 115},
        HeaderCase{"GodownTransferUnderTheTiles", "GodownTransfer", fullParty,
                   "Sri Balaji Traders (Coimbatore)", "B-17", "06/12/2026", true, false, 115},
        HeaderCase{"GodownTransferNoDetails", "GodownTransfer", {}, "", "", "", false, false, 115}),
    [](const auto &info) { return std::string(info.param.name); });

struct TileCase {
    const char *name;
    QString accessFrom;
    QString badge; // the first tile's; the second has no "ItemCount"
    bool singleTap;
};

class TilesTest : public ::testing::TestWithParam<TileCase> {};

TEST_P(TilesTest, OneTilePerItemWithBadgeAndSingleTapInTheScanStrips) {
    const auto &c = GetParam();
    SectionEntry e = entry(c.accessFrom, {"Cotton Yarn", "GT Bobbins"});
    e.DATA[0]->QRScanDCDetails.insert("ItemCount", 3);
    e.DATA[1]->imageUrl = QUrl("http://127.0.0.1:8080/Security/Items/9.jpg");
    const QVariantList tiles = secItemTBLViewCell::contents(e).value("tiles").toList();
    ASSERT_EQ(tiles.size(), 2);
    const QVariantMap first = tiles[0].toMap(), second = tiles[1].toMap();
    EXPECT_EQ(first.value("titlelbl").toString(), "Cotton Yarn");
    EXPECT_EQ(second.value("titlelbl").toString(), "GT Bobbins");
    EXPECT_EQ(first.value("NoItemslbl").toString(), c.badge);
    EXPECT_EQ(first.value("badgeShown").toBool(), !c.badge.isEmpty());
    EXPECT_FALSE(second.value("badgeShown").toBool());
    EXPECT_TRUE(first.value("imageSource").toUrl().isEmpty());
    EXPECT_EQ(second.value("imageSource").toUrl(), e.DATA[1]->imageUrl);
    EXPECT_EQ(first.value("singleTapEnabled").toBool(), c.singleTap);
    EXPECT_EQ(second.value("singleTapEnabled").toBool(), c.singleTap);
}

INSTANTIATE_TEST_SUITE_P(Modes, TilesTest,
                         ::testing::Values(TileCase{"LogSection", "", "", false},
                                           TileCase{"DCScan", "DCScan", "3", true},
                                           TileCase{"FormScan", "SecDetailView_DCScan", "3", true}),
                         [](const auto &info) { return std::string(info.param.name); });

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

SectionEntry withDC(SectionEntry e, int dcId) {
    e.DC_id = dcId;
    return e;
}

const QString party = "Are You Sure Want To Delete This Party?";
const QString anItem = "Are You Sure Want To Delete This Item?";

class DeleteQuestionTest : public ::testing::TestWithParam<DeleteCase> {};

TEST_P(DeleteQuestionTest, AsksAboutThePartyOrTheItemOrNothing) {
    const auto &c = GetParam();
    EXPECT_EQ(secItemTBLViewCell::deleteQuestion(c.entry, c.index), c.question);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DeleteQuestionTest,
    ::testing::Values(
        DeleteCase{"OnlyItemOfNewParty", entry("", {"Cotton Yarn"}, fullParty), 0, party},
        DeleteCase{"OneOfTwoItems", entry("", {"Cotton Yarn", "Bobbins"}, fullParty), 1, anItem},
        DeleteCase{"DCEntry", withDC(entry("", {"Cotton Yarn"}), 12), 0, std::nullopt},
        DeleteCase{"SavedLine", withSavedItem(entry("", {"Cotton Yarn", "Bobbins"}), 1, "41"), 1,
                   std::nullopt},
        DeleteCase{"UnsavedBesideSaved",
                   withSavedItem(entry("", {"Cotton Yarn", "Bobbins"}), 1, "41"), 0, anItem},
        DeleteCase{"EmptySavedIdIsNew", withSavedItem(entry("", {"Cotton Yarn"}), 0, ""), 0, party},
        DeleteCase{"ParticularsLastItem", entry("Particulars", {"Cotton Yarn"}), 0, anItem},
        DeleteCase{"NoTileThere", entry("", {"Cotton Yarn"}), 1, std::nullopt},
        DeleteCase{"EmptyEntry", entry("", {}), 0, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

struct RemoveCase {
    const char *name;
    QString accessFrom;
    QStringList items;
    int index;
    bool entryGoes;
    QStringList left;
};

class RemoveItemTest : public ::testing::TestWithParam<RemoveCase> {};

TEST_P(RemoveItemTest, RemovesTheItemAndSaysWhenTheEntryGoesToo) {
    const auto &c = GetParam();
    SectionEntry e = entry(c.accessFrom, c.items, fullParty);
    const QList<ItemRow> before = e.DATA;
    EXPECT_EQ(secItemTBLViewCell::removeItem(e, c.index), c.entryGoes);
    QStringList left;
    for (const auto &row : e.DATA) {
        left.append(row->titleText);
        EXPECT_TRUE(before.contains(row)) << "the remaining rows are the same objects";
    }
    EXPECT_EQ(left, c.left);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RemoveItemTest,
    ::testing::Values(
        RemoveCase{"LastOfLogEntry", "", {"Cotton Yarn"}, 0, true, {}},
        RemoveCase{"FirstOfTwo", "", {"Cotton Yarn", "Bobbins"}, 0, false, {"Bobbins"}},
        RemoveCase{"LastOfParticularsStrip", "Particulars", {"Cotton Yarn"}, 0, false, {}},
        RemoveCase{"NoSuchItem", "", {"Cotton Yarn"}, 3, false, {"Cotton Yarn"}}),
    [](const auto &info) { return std::string(info.param.name); });

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

INSTANTIATE_TEST_SUITE_P(
    Table, SingleTapTest,
    ::testing::Values(SingleTapCase{"ScanStripDC", "DCScan", "Cotton Yarn", 0, true},
                      SingleTapCase{"GodownTransferTile", "DCScan", "GT-0042 Bobbins", 0, false},
                      SingleTapCase{"GTInsideTheName", "DCScan", "Yarn (GT 7)", 0, false},
                      SingleTapCase{"LowerCaseGtIsNoTransfer", "DCScan", "Gtex Belts", 0, true},
                      SingleTapCase{"ParticularsStrip", "Particulars", "Cotton Yarn", 0, false},
                      SingleTapCase{"NoTileThere", "DCScan", "Cotton Yarn", 1, false}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
