#include "commonclass.h"
#include "imagepickercontroller.h"
#include "itemsfixture.h"
#include "securityaddparticulars.h"
#include "uomdetails.h"

#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

QVariantMap itemResult(const QString &id, const QString &name) {
    return {{"Item_id", id},
            {"ItemName", name},
            {"NoOfDecimal", "3"},
            {"ImagePath", "~/Security/ItemImages/yarn.png"}};
}

// The particulars screen opened from a new IN entry's "Add Particulars" row.
class ParticularsTest : public ItemsTest {
protected:
    ParticularsTest() {
        party = openParty(securityLogDetailView::INSection);
        party->selectRow(1, 0);
        processEvents();
        screen = topAs<securityAddParticulars>();
    }
    ~ParticularsTest() override { CommonClass::shared().listDATA.clear(); }
    void type(const QString &text) {
        screen->searchController->setText(text);
        processEvents();
    }
    void found(const QVariantList &rows) {
        net->replyLast(rows);
        processEvents();
    }
    // An item the master does not have: "Add Item ?", Yes, then a picture from the library.
    UOMDetails *addItem(const QString &name) {
        type(name);
        screen->searchController->searchButtonClicked();
        EXPECT_EQ(alert() ? alert()->message() : QString(), "Add Item ?");
        for (const char *answer : {"Yes", "Camera Roll"}) {
            if (alert())
                alert()->tap(answer);
            processEvents();
        }
        auto *picker = topAs<ImagePickerController>();
        if (!picker)
            return nullptr;
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.save(folder.filePath("bill.png"));
        picker->choosePhoto(QUrl::fromLocalFile(folder.filePath("bill.png")));
        EXPECT_TRUE(QTest::qWaitFor([&] { return topAs<UOMDetails>() != nullptr; }, 5000));
        processEvents();
        return topAs<UOMDetails>();
    }
    QTemporaryDir folder;
    QPointer<securityAddPartyDetails> party;
    QPointer<securityAddParticulars> screen;
};

// The trimmed text goes from three characters on; clearing sends nothing.
TEST_F(ParticularsTest, SearchSendsTheTrimmedTextFromThreeCharacters) {
    ASSERT_NE(screen, nullptr);
    for (const char *text : {"b", "bo", "bol", "  cone yarn  ", "ab  ", ""})
        type(QString::fromLatin1(text));
    const QStringList sent{"bol", "cone yarn"};
    ASSERT_EQ(net->sent.size(), sent.size());
    for (int i = 0; i < sent.size(); ++i)
        EXPECT_EQ(net->sent[i].json(),
                  QVariantMap(
                      {{"SPName", "Usp_CommonService"},
                       {"JSONData", QVariantMap{{"SP_Type", "Sel_ItemLike"}, {"LikeStr", sent[i]}}},
                       {"withStrings", true}}));
}

// An outdated reply is dropped (the fault matrix has the replies that are not rows).
TEST_F(ParticularsTest, OnlyTheLatestTextsReplyIsShown) {
    ASSERT_NE(screen, nullptr);
    type("bol");
    type("bolt");
    net->reply(1, QVariantList{itemResult("1", "Bolt M8"), itemResult("2", "Bolt M10")});
    net->reply(0, QVariantList{itemResult("9", "Bollard")}); // late and outdated
    processEvents();
    EXPECT_TRUE(net->sent[0].job.isNull() || net->sent[0].job->cancelled);
    ASSERT_EQ(screen->numberOfRows(0), 2);
    EXPECT_EQ(screen->cellForRow(0, 1).value("cellClass"), "itemDetailCell");
    type(""); // the results stay
    EXPECT_EQ(screen->numberOfRows(0), 2);
}

TEST_F(ParticularsTest, TappingChoosesAndUnchoosesByItemIdWithDefaultsForMissingKeys) {
    ASSERT_NE(screen, nullptr);
    type("bolt");
    found({itemResult("1", "Bolt M8"), itemResult("2", "Bolt M10"),
           QVariantMap{{"ItemName", "Reactive Red"}, {"NoOfDecimal", "2.5"}}});
    screen->didSelectRow(0, 1);
    screen->didSelectRow(0, 0);
    ASSERT_EQ(screen->collView.DATA.size(), 2);
    EXPECT_EQ(screen->collView.DATA[0]->titleText, "Bolt M10");
    EXPECT_EQ(screen->collView.DATA[0]->decimals, 3);
    EXPECT_EQ(screen->collView.DATA[0]->ItemImagePath, "~/Security/ItemImages/yarn.png");
    screen->didSelectRow(0, 1); // a second tap takes it off
    ASSERT_EQ(screen->collView.DATA.size(), 1);
    EXPECT_EQ(screen->collView.DATA[0]->titleText, "Bolt M8");
    screen->didSelectRow(0, 2); // no id, no unit, decimals not whole
    const ItemRow chosen = screen->collView.DATA.last();
    EXPECT_EQ(chosen->decimals, 2);
    EXPECT_EQ(chosen->unit(), "");
    chosen->makeQuantityControls();
    chosen->tapButton(1);
    EXPECT_EQ(chosen->quantity(), "1.00");
}

TEST_F(ParticularsTest, DoneWithNothingChosenAsksForAnItemAndBlankSearchOffersNone) {
    ASSERT_NE(screen, nullptr);
    type("   ");
    screen->searchController->searchButtonClicked();
    EXPECT_EQ(alert(), nullptr);
    screen->rightBarButtonItem()->trigger();
    processEvents();
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(alert()->message(), "Select At Least One Item");
    alert()->tap("OK");
    screen->leftBarButtonItem()->trigger(); // Cancel changes nothing
    processEvents();
    EXPECT_EQ(top(), party);
    EXPECT_TRUE(party->cellItems.isEmpty());
}

// The units are fetched once a run; the new item has quantity one and reaches the party screen.
TEST_F(ParticularsTest, ANewItemGetsAPhotoThenAUnitAndQuantityOne) {
    ASSERT_NE(screen, nullptr);
    UOMDetails *uom = addItem("  Gear Oil  ");
    ASSERT_NE(uom, nullptr);
    ASSERT_EQ(net->sent.size(), 2); // the search, then the units
    EXPECT_EQ(net->sent[1].json(), QVariantMap({{"SPName", "Usp_CommonService"},
                                                {"JSONData", QVariantMap{{"SP_Type", "Sel_Uom"}}},
                                                {"withStrings", true}}));
    found({QVariantMap{{"Unit_id", "1"},
                       {"UnitName", "Kilogram"},
                       {"SingularSymbol", "Kg"},
                       {"PluralSymbol", "Kgs"}},
           QVariantMap{{"Unit_id", "2"}, {"UnitName", "Number"}}});
    uom->searchController->setText("KILO");
    processEvents();
    ASSERT_EQ(uom->numberOfRows(0), 1);
    uom->didSelectRow(0, 0);
    processEvents();
    EXPECT_EQ(top(), screen);
    ASSERT_EQ(screen->collView.DATA.size(), 1);
    const ItemRow made = screen->collView.DATA[0];
    EXPECT_EQ(made->titleText, "Gear Oil");
    EXPECT_EQ(made->Item_id, "0");
    EXPECT_EQ(made->unit(), "Kg");
    EXPECT_EQ(made->quantity(), "1");
    EXPECT_EQ(made->image.size(), QSize(40, 30));

    net->sent.clear();
    uom = addItem("Grease");
    ASSERT_NE(uom, nullptr);
    EXPECT_EQ(net->sent.size(), 1) << "the search only";
    EXPECT_EQ(uom->numberOfRows(0), 2);
    uom->didSelectRow(0, 1);
    processEvents();
    made->setQuantity("2.5");
    screen->rightBarButtonItem()->trigger();
    processEvents();
    ASSERT_EQ(party->cellItems.size(), 2);
    EXPECT_EQ(party->cellItems[0]->quantity(), "2.5");
}

} // namespace
