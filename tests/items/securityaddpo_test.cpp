#include "itemsfixture.h"
#include "securityaddpo.h"

namespace {

QVariantMap poRow(const QString &id, const QString &code) {
    return {{"StorePO_id", id},      {"PartyBranchName", "Lakshmi Traders"},
            {"StorePOCode", code},   {"StorePODate", "02/12/2026"},
            {"NoOfItems", "2"},      {"Party_id", "31"},
            {"CityName", "Tiruppur"}};
}

// The store PO screen opened by the IN add row's "Att PO".
class StorePOTest : public ItemsTest {
protected:
    StorePOTest() {
        form->IsUpdateable = "Yes";
        const int addRow = form->numberOfRows(securityLogDetailView::INSection) - 1;
        form->performSwipeAction(securityLogDetailView::INSection, addRow, 2);
        processEvents();
        screen = topAs<securityAddPO>();
    }
    void type(const QString &text) {
        screen->searchController->setText(text);
        processEvents();
    }
    // Finds "spo", answers with one PO and chooses it; returns the lines request's index.
    int choosePO() {
        type("SPO");
        net->replyLast(QVariantList{poRow("12", "SPO/26-27/0012")});
        processEvents();
        screen->didSelectRow(0, 0);
        processEvents();
        return int(net->sent.size()) - 1;
    }
    QPointer<securityAddPO> screen;
};

TEST_F(StorePOTest, SearchesTheBranchFromThreeCharactersCancellingTheLastSearch) {
    ASSERT_NE(screen, nullptr);
    type("sp");
    EXPECT_TRUE(net->sent.isEmpty());
    type(" SPO/");
    type(" SPO/2 ");
    ASSERT_EQ(net->sent.size(), 2);
    EXPECT_TRUE(net->sent[0].job->cancelled);
    EXPECT_EQ(net->sent[1].json(), QVariantMap({{"SPName", "USP_GetSecurityLogSummaryReport"},
                                                {"JSONData", QVariantMap{{"GetType", "StorePO"},
                                                                         {"BranchCode", "HLV01"},
                                                                         {"LikeStr", "spo/2"}}},
                                                {"withStrings", true}}));
    net->replyLast(QVariantList{poRow("12", "SPO/26-27/0012"), poRow("14", "SPO/26-27/0014")});
    processEvents();
    ASSERT_EQ(screen->numberOfRows(0), 2);
    EXPECT_EQ(screen->cellForRow(0, 1).value("lblStorePONo"), "SPO/26-27/0014");
    net->replyRaw(1, "{}"); // nothing but a list changes the rows
    type("");
    EXPECT_EQ(screen->numberOfRows(0), 0);
}

// The lines come with the ordered quantity as a badge and 0 to be counted; Done refuses until
// each is counted, then places the PO's party in IN.
TEST_F(StorePOTest, ThePOsLinesOpenThePartyScreenToBeCounted) {
    ASSERT_NE(screen, nullptr);
    const int lines = choosePO();
    EXPECT_EQ(
        net->sent[lines].json(),
        QVariantMap({{"SPName", "USP_GetSecurityLogSummaryReport"},
                     {"JSONData", QVariantMap{{"GetType", "StorePODetails"}, {"ID", "12"}}}}));
    net->replyRaw(lines, R"([{"ItemName":"Cotton Yarn 40s","Quantity":12,"Unit_id":3,
        "SingularSymbol":"Kg","PluralSymbol":"Kgs","NoOfDecimal":3,"ImagePath":"~/I/y.png"},
        {"ItemName":"Cone","Quantity":2.5,"NoOfDecimal":"x"}])");
    processEvents();
    auto *party = topAs<securityAddPartyDetails>();
    ASSERT_NE(party, nullptr);
    EXPECT_EQ(party->FindInOrOutSection, "IN");
    EXPECT_EQ(party->cellCity->text(), "Tiruppur");
    ASSERT_EQ(party->cellItems.size(), 2);
    const ItemRow first = party->cellItems[0];
    EXPECT_EQ(first->badge(), "12.0");
    EXPECT_EQ(first->quantity(), "0");
    EXPECT_EQ(first->decimals, 3);
    EXPECT_EQ(party->cellItems[1]->badge(), "2.5");
    EXPECT_EQ(party->cellItems[1]->decimals, 2);

    party->cellBillNo->setText("INV-40");
    party->Validation(); // every line still at 0
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->message(), "Please Enter Quantity");
    alert()->tap("OK");
    first->setQuantity("11.5");
    party->cellItems[1]->tapButton(1);
    party->Validation();
    processEvents();
    EXPECT_EQ(form->presentedViewController(), nullptr);
    ASSERT_EQ(form->PartyINSectionCollView.size(), 1);
    const SectionEntry &placed = form->PartyINSectionCollView[0];
    EXPECT_EQ(placed.PartyDetails.value("PartyName"), "Lakshmi Traders");
    EXPECT_EQ(placed.PartyDetails.value("Party_id"), "31");
    EXPECT_EQ(placed.DATA[1]->quantity(), "1.00");
}

} // namespace
