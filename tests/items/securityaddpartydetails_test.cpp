#include "combobox.h"
#include "itemsfixture.h"

#include <optional>

namespace {

using Section = securityLogDetailView::Section;

// Done makes its checks in order, then warns; a warning asks and saves on Yes.
TEST_F(ItemsTest, DoneRefusesWarnsOrSaves) {
    const QString ask = ", Are you sure want proceed further";
    const QString badParty = "• Selected party is not valid from party master";
    const QString noBill = "• Bill No not Entered";
    const QString noQuantity = "Please Enter Quantity";
    const std::optional<QString> typed, listed(""), withId("5"); // how the party was chosen
    struct Case {
        QString party;
        std::optional<QString> partyId;
        QList<std::optional<QString>> quantities;
        QString billNo, message; // no message: saved at once
    };
    for (const Case &c : {Case{"", withId, {"1"}, "B1", "Select Party"},
                          {"Mills", withId, {}, "B1", "Please Add Particulars(Items)"},
                          {"Mills", withId, {"2", "0"}, "B1", noQuantity},
                          {"Mills", withId, {"3kg"}, "B1", noQuantity},
                          {"Mills", withId, {std::nullopt}, "B1", noQuantity},
                          {"Mills", withId, {"0.5"}, "B1", ""},
                          {"Mills", typed, {"1"}, "", noBill + ask},
                          {"Mills", listed, {"1"}, "B1", badParty + ask},
                          {"Mills", listed, {"1"}, "", badParty + "\n" + noBill + ask}}) {
        SCOPED_TRACE(c.message.toStdString());
        form->PartyINSectionCollView.clear();
        securityAddPartyDetails *party = openParty(Section::INSection);
        ASSERT_NE(party, nullptr);
        party->cellParty->setText(c.party);
        party->partyIdMark = c.partyId;
        for (const auto &quantity : c.quantities)
            party->cellItems.append(item("Cone", quantity));
        party->cellBillNo->setText(c.billNo);
        party->rightBarButtonItem()->trigger();
        processEvents();
        const bool asks = c.message.endsWith(ask);
        if (!c.message.isEmpty()) {
            ASSERT_NE(alert(), nullptr);
            EXPECT_EQ(alert()->title(), "Alert !");
            EXPECT_EQ(alert()->message(), c.message);
            EXPECT_EQ(alert()->actionTitles(),
                      asks ? QStringList({"Yes", "No"}) : QStringList({"OK"}));
            EXPECT_TRUE(!asks || alert()->messageLeftAligned);
            alert()->tap(asks ? "Yes" : "OK");
            processEvents();
        }
        EXPECT_EQ(alert(), nullptr);
        EXPECT_EQ(form->PartyINSectionCollView.size(), c.message.isEmpty() || asks ? 1 : 0);
        if (top() == party) { // refused: still open
            party->leftBarButtonItem()->trigger();
        } else {
            EXPECT_EQ(form->PartyINSectionCollView.value(0).PartyDetails.value("BillNo"), c.billNo);
        }
        processEvents();
    }
}

// A new entry is appended, an opened one replaced with its saved id kept; the switch turns to
// the entry's side when the other side has none. An outside DC coming back opens without its
// bill number, keeps its DC only in IN, and opens as a party entry again.
TEST_F(ItemsTest, SavePlacesTheEntryAndTurnsTheSwitch) {
    for (const auto &[section, row, others, startSegment, segment, outsideReturn, dcId] :
         {std::tuple{2, -1, 0, 1, 0, false, 0}, // new IN, nothing OUT: turns to IN
          {2, -1, 1, 1, 1, false, 0},           // new IN beside OUT: stays
          {3, -1, 0, 0, 1, false, 0},           // new OUT, nothing IN: turns to OUT
          {2, 1, 0, 1, 1, false, 0},            // edited in place
          {2, 1, 0, 0, 0, true, 9},
          {3, 1, 0, 0, 0, true, 0}}) {
        SCOPED_TRACE(testing::Message() << section << " row " << row << " others " << others);
        const bool in = section == Section::INSection;
        QList<SectionEntry> &own =
            in ? form->PartyINSectionCollView : form->PartyOUTSectionCollView;
        QList<SectionEntry> &other =
            in ? form->PartyOUTSectionCollView : form->PartyINSectionCollView;
        own = {entry("First", {item("Cone", "1")}), entry("Second", {item("Bolt", "2")})};
        own[1].savedDetailId = "77";
        own[1].DC_id = outsideReturn ? 9 : 0; // a plain DC row would open the DC instead
        own[1].IsOutSideDCReturn = outsideReturn;
        other = QList<SectionEntry>(others, entry("Other", {item("Dye", "1")}));
        form->celllabelSegmentCell->setSelectedSegmentIndex(startSegment);

        securityAddPartyDetails *party = openParty(section, row);
        ASSERT_NE(party, nullptr);
        EXPECT_EQ(party->title(), (in ? "IN" : "OUT") + QString(" - Add Party Details"));
        EXPECT_EQ(party->cellBillNo->text(), row < 0 || outsideReturn ? "" : "B-Second");
        party->cellParty->setText("Lakshmi Traders");
        party->cellBillNo->setText("INV-9");
        party->cellItems = {item("Gear Oil", "4")};
        party->Validation();
        processEvents();
        ASSERT_EQ(own.size(), row >= 0 ? 2 : 3);
        const SectionEntry &placed = row >= 0 ? own[row] : own.last();
        EXPECT_EQ(placed.PartyDetails.value("BillNo"), "INV-9");
        EXPECT_EQ(placed.DC_id, dcId);
        EXPECT_EQ(placed.savedDetailId, row >= 0 ? std::optional<QString>("77") : std::nullopt);
        EXPECT_EQ(other.size(), others);
        EXPECT_EQ(form->celllabelSegmentCell->selectedSegmentIndex(), segment);
        if (outsideReturn) {
            ASSERT_NE(party = openParty(section, row), nullptr);
            party->leftBarButtonItem()->trigger();
            processEvents();
        }
    }
}

TEST_F(ItemsTest, AClosedLogsEntryHasNoDoneAndCancelLeavesItAsItWas) {
    form->IsUpdateable = "No";
    form->PartyINSectionCollView = {entry("Kept", {item("Cone", "1")})};
    securityAddPartyDetails *party = openParty(Section::INSection, 0);
    ASSERT_NE(party, nullptr);
    EXPECT_EQ(party->rightBarButtonItem(), nullptr);
    EXPECT_EQ(party->numberOfRows(securityAddPartyDetails::ItemsSection), 1) << "no add row";
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

// The pickers ask for the suppliers and the cities; a city not in the list is taken as typed.
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
