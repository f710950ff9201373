#include "combobox.h"
#include "itemsfixture.h"
#include "securityaddparticulars.h"

#include <optional>

namespace {

using Section = securityLogDetailView::Section;

// ---- Done: the checks in order, then the warnings

struct DoneCase {
    const char *name;
    QString party;
    int partyMark; // -1 absent, 0 empty, 1 an id
    QList<std::optional<QString>> quantities;
    QString billNo;
    QString message; // the alert's; empty when the entry is saved at once
    bool confirms;   // the alert asks Yes/No
};

class PartyDoneTest : public ItemsTest, public ::testing::WithParamInterface<DoneCase> {};

TEST_P(PartyDoneTest, RefusesWarnsOrSaves) {
    const DoneCase &c = GetParam();
    securityAddPartyDetails *party = openParty(Section::INSection);
    ASSERT_NE(party, nullptr);
    party->cellParty->setText(c.party);
    party->partyIdMark = c.partyMark < 0    ? std::nullopt
                         : c.partyMark == 0 ? std::optional<QString>(QString())
                                            : std::optional<QString>("5");
    for (const auto &q : c.quantities)
        party->cellItems.append(item("Cone", q));
    party->cellBillNo->setText(c.billNo);
    party->rightBarButtonItem()->trigger();
    processEvents();
    if (c.message.isEmpty()) {
        EXPECT_EQ(alert(), nullptr);
        EXPECT_EQ(form->PartyINSectionCollView.size(), 1);
        return;
    }
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->title(), "Alert !");
    EXPECT_EQ(alert()->message(), c.message);
    EXPECT_EQ(alert()->actionTitles(),
              c.confirms ? QStringList({"Yes", "No"}) : QStringList({"OK"}));
    if (c.confirms) {
        EXPECT_TRUE(alert()->messageLeftAligned);
        ASSERT_TRUE(alert()->tap("Yes"));
        processEvents();
        ASSERT_EQ(form->PartyINSectionCollView.size(), 1);
        EXPECT_EQ(form->PartyINSectionCollView[0].PartyDetails.value("BillNo"), c.billNo);
        EXPECT_EQ(form->presentedViewController(), nullptr);
    } else {
        EXPECT_TRUE(form->PartyINSectionCollView.isEmpty());
    }
}

const QString kAsk = ", Are you sure want proceed further";
const QString kBadParty = "• Selected party is not valid from party master";
const QString kNoBill = "• Bill No not Entered";

INSTANTIATE_TEST_SUITE_P(
    Table, PartyDoneTest,
    ::testing::Values(
        DoneCase{"NoParty", "", 1, {"1"}, "B1", "Select Party", false},
        DoneCase{"NoItems", "Sakthi Mills", 1, {}, "B1", "Please Add Particulars(Items)", false},
        DoneCase{
            "ZeroQuantity", "Sakthi Mills", 1, {"2", "0"}, "B1", "Please Enter Quantity", false},
        DoneCase{
            "NegativeQuantity", "Sakthi Mills", 1, {"-1"}, "B1", "Please Enter Quantity", false},
        DoneCase{"WordQuantity", "Sakthi Mills", 1, {"two"}, "B1", "Please Enter Quantity", false},
        DoneCase{
            "NumberThenWord", "Sakthi Mills", 1, {"3kg"}, "B1", "Please Enter Quantity", false},
        DoneCase{"TwoPoints", "Sakthi Mills", 1, {"1.2.3"}, "B1", "Please Enter Quantity", false},
        DoneCase{"EmptyQuantity", "Sakthi Mills", 1, {""}, "B1", "Please Enter Quantity", false},
        DoneCase{"NoQuantityField",
                 "Sakthi Mills",
                 1,
                 {std::nullopt},
                 "B1",
                 "Please Enter Quantity",
                 false},
        DoneCase{"HalfSavesAtOnce", "Sakthi Mills", 1, {"0.5"}, "B1", "", false},
        DoneCase{"TypedPartyNoBill", "Sakthi Mills", -1, {"1"}, "", kNoBill + kAsk, true},
        DoneCase{"ListPartyWithoutId", "Sakthi Mills", 0, {"1"}, "B1", kBadParty + kAsk, true},
        DoneCase{
            "BothWarnings", "Sakthi Mills", 0, {"1"}, "", kBadParty + "\n" + kNoBill + kAsk, true}),
    [](const auto &info) { return std::string(info.param.name); });

// ---- where Save puts the entry

struct PlaceCase {
    const char *name;
    int section;    // 2 IN, 3 OUT
    int row;        // -1: the add row
    int otherCount; // entries already in the other section
    int startSegment;
    int segment; // the switch afterwards
    bool outsideDCReturn;
    int dcId; // DC_id the placed entry carries
};

class PartyPlacementTest : public ItemsTest, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(PartyPlacementTest, AppendsReplacesAndTurnsTheSwitch) {
    const PlaceCase &c = GetParam();
    QList<SectionEntry> &own = c.section == Section::INSection ? form->PartyINSectionCollView
                                                               : form->PartyOUTSectionCollView;
    QList<SectionEntry> &other = c.section == Section::INSection ? form->PartyOUTSectionCollView
                                                                 : form->PartyINSectionCollView;
    own = {entry("First", {item("Cone", "1")}), entry("Second", {item("Bolt", "2")})};
    own[1].savedDetailId = "77";
    own[1].DC_id = c.outsideDCReturn ? 9 : 0; // a plain DC row would open the DC instead
    own[1].IsOutSideDCReturn = c.outsideDCReturn;
    for (int i = 0; i < c.otherCount; ++i)
        other.append(entry("Other", {item("Dye", "1")}));
    form->celllabelSegmentCell->setSelectedSegmentIndex(c.startSegment);

    securityAddPartyDetails *party = openParty(c.section, c.row);
    ASSERT_NE(party, nullptr);
    const bool sectionIn = c.section == Section::INSection;
    EXPECT_EQ(party->title(), (sectionIn ? "IN" : "OUT") + QString(" - Add Party Details"));
    if (c.row >= 0) {
        // An outside DC coming back opens without its bill number.
        EXPECT_EQ(party->cellBillNo->text(), c.outsideDCReturn ? "" : "B-Second");
        EXPECT_EQ(party->cellParty->text(), "Second");
    }
    party->cellParty->setText("Lakshmi Traders");
    party->cellBillNo->setText("INV-9");
    party->cellItems = {item("Gear Oil", "4")};
    party->Validation();
    processEvents();

    const int expectedCount = c.row >= 0 ? 2 : 3;
    ASSERT_EQ(own.size(), expectedCount);
    const SectionEntry &placed = c.row >= 0 ? own[c.row] : own.last();
    EXPECT_EQ(placed.PartyDetails.value("BillNo"), "INV-9");
    EXPECT_EQ(placed.DATA.size(), 1);
    EXPECT_EQ(placed.DC_id, c.dcId);
    EXPECT_EQ(placed.savedDetailId, c.row >= 0 ? std::optional<QString>("77") : std::nullopt);
    EXPECT_EQ(own[0].PartyDetails.value("PartyName"), "First");
    EXPECT_EQ(other.size(), c.otherCount);
    EXPECT_EQ(form->celllabelSegmentCell->selectedSegmentIndex(), c.segment);
    EXPECT_EQ(form->presentedViewController(), nullptr);
    EXPECT_EQ(form->numberOfRows(c.section), expectedCount + 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, PartyPlacementTest,
    ::testing::Values(PlaceCase{"NewInOtherEmptyTurnsToIn", 2, -1, 0, 1, 0, false, 0},
                      PlaceCase{"NewInBesideOutLeavesSwitch", 2, -1, 1, 1, 1, false, 0},
                      PlaceCase{"NewOutOtherEmptyTurnsToOut", 3, -1, 0, 0, 1, false, 0},
                      PlaceCase{"EditInReplacesInPlace", 2, 1, 0, 1, 1, false, 0},
                      PlaceCase{"EditInOutsideReturnKeepsDC", 2, 1, 0, 0, 0, true, 9},
                      PlaceCase{"EditOutOutsideReturnDropsDC", 3, 1, 0, 0, 0, true, 0}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(ItemsTest, AnEditedOutsideReturnStillOpensAsAPartyEntry) {
    form->PartyINSectionCollView = {entry("Back", {item("Cone", "1")})};
    form->PartyINSectionCollView[0].DC_id = 9;
    form->PartyINSectionCollView[0].IsOutSideDCReturn = true;
    securityAddPartyDetails *party = openParty(Section::INSection, 0);
    ASSERT_NE(party, nullptr);
    party->cellBillNo->setText("R-1");
    party->Validation();
    processEvents();
    ASSERT_NE(openParty(Section::INSection, 0), nullptr);
}

// ---- read-only, Cancel, swipes, particulars

TEST_F(ItemsTest, AClosedLogShowsItsEntryWithoutDoneOrAddRow) {
    form->IsUpdateable = "No";
    form->PartyINSectionCollView = {entry("Closed", {item("Cone", "1")})};
    securityAddPartyDetails *party = openParty(Section::INSection, 0);
    ASSERT_NE(party, nullptr);
    EXPECT_EQ(party->rightBarButtonItem(), nullptr);
    EXPECT_EQ(party->numberOfRows(securityAddPartyDetails::ItemsSection), 1);
    party->selectRow(0, 0); // the pickers still open
    processEvents();
    EXPECT_NE(topAs<comboBox>(), nullptr);
}

TEST_F(ItemsTest, CancelLeavesTheEntryAsItWas) {
    form->PartyINSectionCollView = {entry("Kept", {item("Cone", "1")})};
    securityAddPartyDetails *party = openParty(Section::INSection, 0);
    ASSERT_NE(party, nullptr);
    party->cellBillNo->setText("changed");
    party->cellItems.clear();
    party->leftBarButtonItem()->trigger();
    processEvents();
    EXPECT_EQ(form->presentedViewController(), nullptr);
    EXPECT_EQ(form->PartyINSectionCollView[0].PartyDetails.value("BillNo"), "B-Kept");
    EXPECT_EQ(form->PartyINSectionCollView[0].DATA.size(), 1);
}

TEST_F(ItemsTest, OnlyUnsavedItemsOfferDelete) {
    securityAddPartyDetails *party = openParty(Section::INSection);
    ASSERT_NE(party, nullptr);
    ItemRow saved = item("Saved", "1");
    saved->savedDetailId = "12";
    party->cellItems = {item("New", "1"), saved};
    EXPECT_TRUE(party->trailingSwipeActions(1, 1).isEmpty());
    ASSERT_EQ(party->trailingSwipeActions(1, 0).size(), 1);
    party->performSwipeAction(1, 0, 0);
    ASSERT_EQ(party->cellItems.size(), 1);
    EXPECT_EQ(party->cellItems[0], saved);
}

TEST_F(ItemsTest, AddParticularsHandsOverTheItemsAndTakesBackTheChoice) {
    securityAddPartyDetails *party = openParty(Section::OUTSection);
    ASSERT_NE(party, nullptr);
    const ItemRow earlier = item("Cone", "7.5", "3");
    earlier->makeQuantityControls();
    party->cellItems = {earlier};
    party->selectRow(1, 1); // "Add Particulars"
    processEvents();
    auto *particulars = topAs<securityAddParticulars>();
    ASSERT_NE(particulars, nullptr);
    EXPECT_EQ(particulars->collView.DATA, party->cellItems);
    particulars->collView.DATA.append(item("Bolt", std::nullopt, "4"));
    particulars->rightBarButtonItem()->trigger();
    processEvents();
    EXPECT_EQ(top(), party);
    ASSERT_EQ(party->cellItems.size(), 2);
    EXPECT_EQ(party->cellItems[0]->quantity(), "7.5"); // typed earlier, kept
    EXPECT_EQ(party->cellItems[1]->quantity(), "1");   // newly chosen
    EXPECT_TRUE(party->cellItems[1]->hasQuantityControls());
}

// ---- the pickers' answers

TEST_F(ItemsTest, PartyAndCityPickersFillTheRows) {
    securityAddPartyDetails *party = openParty(Section::INSection);
    ASSERT_NE(party, nullptr);
    party->selectRow(0, 0);
    processEvents();
    auto *picker = topAs<comboBox>();
    ASSERT_NE(picker, nullptr);
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].json(), QVariantMap({{"SPName", "USP_GetSecurityLogBySearchText"},
                                                {"JSONData", "{\"SearchBy\":\"Sec_Supplier\"}"}}));
    net->replyLast(QVariantList{
        QVariantMap{{"Party_id", ""}, {"PartyName", "Sri Murugan Yarns"}, {"City", "Karur"}}});
    processEvents();
    picker->didSelectRow(0, 0);
    processEvents();
    EXPECT_EQ(party->cellParty->text(), "Sri Murugan Yarns");
    EXPECT_EQ(party->cellCity->text(), "Karur");
    EXPECT_EQ(party->partyIdMark, std::optional<QString>(""));

    party->selectRow(0, 3);
    processEvents();
    picker = topAs<comboBox>();
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(net->sent.last().json().value("JSONData"), "{\"SearchBy\":\"Sec_City\"}");
    net->replyLast(QVariantList{QVariantMap{{"CityName", "Erode"}}});
    processEvents();
    picker->setSearchText("Tiruppur"); // not in the list: taken as typed
    picker->rightBarButtonItem()->trigger();
    processEvents();
    EXPECT_EQ(party->cellCity->text(), "Tiruppur");
    EXPECT_EQ(party->sel_PartyDetails.value("CityName"), "Tiruppur");
}

} // namespace
