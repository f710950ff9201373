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
            {"Unit_id", "4"},
            {"SingularSymbol", "Kg"},
            {"PluralSymbol", "Kgs"},
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
    QPointer<securityAddPartyDetails> party;
    QPointer<securityAddParticulars> screen;
};

// ---- the item search

struct SearchCase {
    const char *name;
    QStringList typed;
    QStringList sent; // LikeStr of each request, in order
};

class ItemSearchTest : public ParticularsTest, public ::testing::WithParamInterface<SearchCase> {};

TEST_P(ItemSearchTest, SendsTheTrimmedTextFromThreeCharacters) {
    ASSERT_NE(screen, nullptr);
    for (const QString &text : GetParam().typed)
        type(text);
    QStringList sent;
    for (const auto &request : net->sent) {
        const QVariantMap json = request.json();
        EXPECT_EQ(json.value("SPName"), "Usp_CommonService");
        EXPECT_EQ(json.value("withStrings"), true);
        const QVariantMap data = json.value("JSONData").toMap();
        EXPECT_EQ(data.keys(), QStringList({"LikeStr", "SP_Type"}));
        EXPECT_EQ(data.value("SP_Type"), "Sel_ItemLike");
        sent.append(data.value("LikeStr").toString());
    }
    EXPECT_EQ(sent, GetParam().sent);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ItemSearchTest,
    ::testing::Values(SearchCase{"TwoCharactersSendNothing", {"b", "bo"}, {}},
                      SearchCase{"ThirdCharacterSends", {"b", "bo", "bol"}, {"bol"}},
                      SearchCase{"BlanksTrimmed", {"  cone yarn  "}, {"cone yarn"}},
                      SearchCase{"BlanksDoNotCount", {"ab  "}, {}},
                      SearchCase{"ClearingSendsNothing", {"bolt", ""}, {"bolt"}}),
    [](const auto &info) { return std::string(info.param.name); });

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

struct BadReply {
    const char *name;
    QByteArray body;
    int status;
};

class ItemSearchBadReplyTest : public ParticularsTest,
                               public ::testing::WithParamInterface<BadReply> {};

TEST_P(ItemSearchBadReplyTest, LeavesTheRowsAsTheyWere) {
    ASSERT_NE(screen, nullptr);
    type("bolt");
    net->replyLast(QVariantList{itemResult("1", "Bolt M8")});
    type("bolts");
    net->replyRaw(1, GetParam().body, GetParam().status);
    processEvents();
    ASSERT_EQ(screen->numberOfRows(0), 1);
    EXPECT_EQ(screen->DATA[0].value("ItemName"), "Bolt M8");
}

INSTANTIATE_TEST_SUITE_P(Table, ItemSearchBadReplyTest,
                         ::testing::Values(BadReply{"Object", "{\"ItemName\":\"x\"}", 200},
                                           BadReply{"Zero", "0", 200},
                                           BadReply{"Html", "<html></html>", 200},
                                           BadReply{"Truncated", "[{\"ItemName\":", 200},
                                           BadReply{"ListOfNumbers", "[1,2]", 200},
                                           BadReply{"ServerError", "[{\"ItemName\":\"x\"}]", 500}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(ParticularsTest, AResultMissingKeysShowsWithDefaults) {
    ASSERT_NE(screen, nullptr);
    type("dye");
    net->replyLast(QVariantList{QVariantMap{{"ItemName", "Reactive Red"}, {"NoOfDecimal", "2.5"}},
                                QVariantMap{{"Item_id", "8"}, {"NoOfDecimal", "x"}}});
    processEvents();
    ASSERT_EQ(screen->numberOfRows(0), 2);
    screen->didSelectRow(0, 0);
    ASSERT_EQ(screen->collView.DATA.size(), 1);
    const ItemRow chosen = screen->collView.DATA[0];
    EXPECT_EQ(chosen->titleText, "Reactive Red");
    EXPECT_EQ(chosen->decimals, 2);
    EXPECT_EQ(chosen->unit(), "");
    chosen->makeQuantityControls();
    chosen->tapButton(1);
    EXPECT_EQ(chosen->quantity(), "1.00");
}

TEST_F(ParticularsTest, TappingChoosesAndUnchoosesByItemId) {
    ASSERT_NE(screen, nullptr);
    type("bolt");
    net->replyLast(QVariantList{itemResult("1", "Bolt M8"), itemResult("2", "Bolt M10")});
    processEvents();
    screen->didSelectRow(0, 1);
    screen->didSelectRow(0, 0);
    ASSERT_EQ(screen->collView.DATA.size(), 2);
    EXPECT_EQ(screen->collView.DATA[0]->titleText, "Bolt M10");
    EXPECT_EQ(screen->collView.DATA[0]->decimals, 3);
    EXPECT_TRUE(
        screen->collView.DATA[0]->imageUrl.path().endsWith("/Security/ItemImages/yarn.png"));
    screen->cellForRow(0, 1);
    EXPECT_TRUE(qvariant_cast<QObject *>(screen->cellForRow(0, 1).value("cell"))
                    ->property("checkmark")
                    .toBool());
    screen->didSelectRow(0, 1); // a second tap takes it off
    ASSERT_EQ(screen->collView.DATA.size(), 1);
    EXPECT_EQ(screen->collView.DATA[0]->titleText, "Bolt M8");
    EXPECT_EQ(screen->strip().value("tiles").toList().size(), 1);
}

TEST_F(ParticularsTest, TheSearchButtonWithNothingTypedOffersNoItem) {
    ASSERT_NE(screen, nullptr);
    type("   ");
    screen->searchController->searchButtonClicked();
    EXPECT_EQ(alert(), nullptr);
}

TEST_F(ParticularsTest, DoneWithNothingChosenAsksForAnItem) {
    ASSERT_NE(screen, nullptr);
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

// ---- an item the master does not have: photo, then unit

QVariantList units() {
    return {QVariantMap{{"Unit_id", "1"},
                        {"UnitName", "Kilogram"},
                        {"SingularSymbol", "Kg"},
                        {"PluralSymbol", "Kgs"}},
            QVariantMap{{"Unit_id", "2"},
                        {"UnitName", "Number"},
                        {"SingularSymbol", "No"},
                        {"PluralSymbol", "Nos"}}};
}

class NewItemTest : public ParticularsTest {
protected:
    // Answers "Add Item ?" with Yes and picks a picture from the library; returns the units.
    UOMDetails *addItem(const QString &name) {
        type(name);
        screen->searchController->searchButtonClicked();
        EXPECT_NE(alert(), nullptr);
        if (!alert())
            return nullptr;
        EXPECT_EQ(alert()->message(), "Add Item ?");
        alert()->tap("Yes");
        processEvents();
        EXPECT_NE(alert(), nullptr);
        if (!alert())
            return nullptr;
        alert()->tap("Camera Roll");
        processEvents();
        auto *picker = topAs<ImagePickerController>();
        EXPECT_NE(picker, nullptr);
        if (!picker)
            return nullptr;
        picker->choosePhoto(QUrl::fromLocalFile(photoFile()));
        EXPECT_TRUE(QTest::qWaitFor([&] { return topAs<UOMDetails>() != nullptr; }, 5000));
        processEvents();
        return topAs<UOMDetails>();
    }
    QString photoFile() {
        const QString path = folder.filePath("bill.png");
        QImage image(40, 30, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.save(path);
        return path;
    }
    QTemporaryDir folder;
};

TEST_F(NewItemTest, PhotoThenUnitMakesAnItemOfQuantityOne) {
    ASSERT_NE(screen, nullptr);
    UOMDetails *uom = addItem("  Gear Oil  ");
    ASSERT_NE(uom, nullptr);
    EXPECT_EQ(uom->title(), "UOM");
    EXPECT_EQ(uom->itemName, "Gear Oil");
    ASSERT_EQ(net->sent.size(), 2); // the search, then the units
    EXPECT_EQ(net->sent[1].json(), QVariantMap({{"SPName", "Usp_CommonService"},
                                                {"JSONData", QVariantMap{{"SP_Type", "Sel_Uom"}}},
                                                {"withStrings", true}}));
    net->replyLast(units());
    processEvents();
    uom->searchController->setText("KILO");
    processEvents();
    ASSERT_EQ(uom->numberOfRows(0), 1);
    EXPECT_EQ(uom->cellForRow(0, 0).value("text"), "Kilogram");
    uom->didSelectRow(0, 0);
    processEvents();
    EXPECT_EQ(top(), screen);
    ASSERT_EQ(screen->collView.DATA.size(), 1);
    const ItemRow made = screen->collView.DATA[0];
    EXPECT_EQ(made->titleText, "Gear Oil");
    EXPECT_EQ(made->Item_id, "0");
    EXPECT_EQ(made->unit(), "Kg");
    EXPECT_EQ(made->Plural, "Kgs");
    EXPECT_EQ(made->quantity(), "1");
    EXPECT_EQ(made->image.size(), QSize(40, 30));
    EXPECT_TRUE(screen->searchController->text().isEmpty());

    // Done keeps its quantity; the party screen gets it.
    made->setQuantity("2.5");
    screen->rightBarButtonItem()->trigger();
    processEvents();
    ASSERT_EQ(party->cellItems.size(), 1);
    EXPECT_EQ(party->cellItems[0]->quantity(), "2.5");
}

TEST_F(NewItemTest, UnitsAreFetchedOnceARun) {
    ASSERT_NE(screen, nullptr);
    UOMDetails *uom = addItem("Gear Oil");
    ASSERT_NE(uom, nullptr);
    net->replyLast(units());
    processEvents();
    uom->didSelectRow(0, 1);
    processEvents();
    net->sent.clear();
    uom = addItem("Grease");
    ASSERT_NE(uom, nullptr);
    EXPECT_EQ(net->sent.size(), 1); // the search only
    EXPECT_EQ(uom->numberOfRows(0), 2);
}

} // namespace
