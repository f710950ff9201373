#include "access.h"
#include "common.h"
#include "navigationcontroller.h"
#include "realserver.h"
#include "recordingsystem.h"
#include "securityaddpartydetails.h"
#include "securityaddpo.h"
#include "securitylogdetailview.h"
#include "securitylogtvc.h"
#include "testapp.h"
#include "vclogin.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QtTest/QTest>

namespace {

template <typename T> T *shown() {
    return qobject_cast<T *>(common::sharedInstance().topViewController());
}

// A store PO found on the server, attached to a new log's OUT section with its lines counted,
// saved, and read back from the server: the detail rows carry the PO's party, items and
// quantities.
TEST(StorePOFlow, APOAttachedToALogIsSavedWithItsPartyItemsAndQuantities) {
    master = decltype(master){};
    IsolatedDefaults defaults;
    RealServer real;
    RecordingSystemScope system;
    Window window;
    auto *list = new securityLogTVC();
    auto *root = new NavigationController(list);
    window.setRootViewController(root);
    window.makeKeyAndVisible();
    processEvents();
    VCLogin *login = shown<VCLogin>();
    ASSERT_NE(login, nullptr);
    login->usernamecell->setText("demo");
    login->pwdcell->setText("demo");
    login->login();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !list->DATA.isEmpty(); }, 10000));

    auto *form = new securityLogDetailView();
    root->pushViewController(form, false);
    processEvents();
    form->header->setName("Muthu Lorry Service");
    form->header->setMobileNo("98430 55110");
    form->header->setImagePath("~/Security/PersonsImages/none.jpg");
    form->cellEntryType->setText("Visitor");
    form->cellEntryType->identifier = "1";
    form->cellMeetTo->setText("Stores");

    const int addRow = form->numberOfRows(securityLogDetailView::OUTSection) - 1;
    form->performSwipeAction(securityLogDetailView::OUTSection, addRow, 2); // "Att PO"
    processEvents();
    auto *po = shown<securityAddPO>();
    ASSERT_NE(po, nullptr);
    po->searchController->setText("SPO/26-27/0001");
    ASSERT_TRUE(QTest::qWaitFor([&] { return po->DATA.size() == 1; }, 10000));
    po->didSelectRow(0, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<securityAddPartyDetails>(); }, 10000));
    auto *party = shown<securityAddPartyDetails>();
    ASSERT_EQ(party->cellItems.size(), 2);
    for (const ItemRow &item : party->cellItems) {
        item->setQuantity(item->labelImage); // all that was ordered came
        item->endEditing();
    }
    party->cellBillNo->setText("SMY/1187");
    party->Validation();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<securityLogDetailView>() == form; }, 5000));
    ASSERT_EQ(form->PartyOUTSectionCollView.size(), 1);

    form->save(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<AlertController>(); }, 20000));
    ASSERT_EQ(shown<AlertController>()->title(), "Alert")
        << shown<AlertController>()->message().toStdString();
    const QString id = shown<AlertController>()->message();
    shown<AlertController>()->tap("ok");
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown<securityLogTVC>() == list; }, 10000));

    // Read back as the form loads a saved log (an OUT movement is not among the open logs).
    auto *again = new securityLogDetailView();
    again->SecIOLog_id = id;
    root->pushViewController(again, false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !again->PartyOUTSectionCollView.isEmpty(); }, 10000));
    EXPECT_TRUE(again->PartyINSectionCollView.isEmpty());
    const SectionEntry &saved = again->PartyOUTSectionCollView.first();
    EXPECT_EQ(saved.PartyDetails.value("PartyName"), "Sri Murugan Yarns");
    EXPECT_EQ(saved.PartyDetails.value("City"), "Tiruppur");
    EXPECT_EQ(saved.PartyDetails.value("BillNo"), "SMY/1187");
    QStringList lines;
    for (const ItemRow &item : saved.DATA)
        lines.append(item->titleText + " " + item->quantity());
    EXPECT_EQ(lines,
              QStringList({"Cotton Combed Yarn 20s 5.000", "Cotton Combed Yarn 34s 42.250"}));
    master = decltype(master){};
}

} // namespace
