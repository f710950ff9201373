#include "logdetailcollectionviewcontroller.h"
#include "logdetailtableviewcontroller.h"
#include "navigationcontroller.h"
#include "sessionfixture.h"
#include "window.h"

#include <QJsonDocument>
#include <QPointer>

namespace {

QVariantMap log(const QString &hour, const QString &type, const QString &person,
                const QVariantList &detail = {}) {
    return {{"Hrs", hour},
            {"IOLogDate", "05 Dec 2026 " + hour.rightJustified(2, '0') + ":10:00"},
            {"IOImgPath", "~/Security/PersonsImages/p.jpg"},
            {"IOType", type},
            {"IOPerson", person},
            {"Purpose", "Delivery"},
            {"InTime", "05 Dec 2026 09:10:00"},
            {"detail", detail}};
}

class DaySummaryTest : public SessionTest {
protected:
    DaySummaryTest() {
        logIn();
        window.setRootViewController(root);
        window.makeKeyAndVisible();
        screen->bartitle = "Dec 05 2026";
        screen->fetchDate = "2026-12-05";
        screen->Division_id = 2;
        root->pushViewController(screen, false);
        processEvents();
    }
    void answer(const QVariantList &logs) {
        net->replyRaw(0, QJsonDocument::fromVariant(logs).toJson(QJsonDocument::Compact));
        processEvents();
    }

    Window window;
    QPointer<LogDetailCollectionViewController> screen = new LogDetailCollectionViewController();
    NavigationController *root = new NavigationController(new ViewController());
};

TEST_F(DaySummaryTest, AsksForTheDayByteForByte) {
    EXPECT_EQ(screen->title(), "Dec 05 2026");
    ASSERT_EQ(net->sent.size(), 1);
    EXPECT_EQ(net->sent[0].request.url.toString(),
              DistinctServerSets::base(1) + "/dc/GetCommonNestedData");
    const auto form = net->sent[0].form();
    EXPECT_EQ(form.value("SP_Name"), "USP_GetSecurityLogSummaryReport");
    EXPECT_EQ(form.value("CommonKeyValue"), "SecIOLog_id");
    EXPECT_EQ(form.value("SecurityReport"),
              "{\"BranchCode\":\"HLV01\",\"Division_id\":\"2\",\"FromDate\":\"05-Dec-2026\","
              "\"GetType\":\"SummaryDetails\"}");
}

TEST_F(DaySummaryTest, GroupsByHourInOrderOfFirstAppearance) {
    answer({log("9", "Visitor", "A"), log("09", "Driver", "B"), log("14", "Visitor", "C"),
            log("9", "Employee", "D"), log("x", "Visitor", "E"), log("", "Visitor", "F")});
    EXPECT_EQ(screen->FormattedDATAindex, QList<int>({9, 14}));
    ASSERT_EQ(screen->numberOfSections(), 2);
    EXPECT_EQ(screen->numberOfItems(0), 3);
    EXPECT_EQ(screen->numberOfItems(1), 1);
    EXPECT_EQ(screen->titleForHeader(0), "  05 Dec 2026, 09 AM");
    EXPECT_EQ(screen->titleForHeader(1), "  05 Dec 2026, 02 PM");
    // Entry types take the colours in the order the tiles first show them.
    const QVariantList sections = screen->sections();
    const auto tile = [&](int s, int i) {
        return sections[s].toMap().value("tiles").toList()[i].toMap();
    };
    EXPECT_EQ(tile(0, 0).value("titleColor").value<QColor>(), QColor(156, 134, 227));
    EXPECT_EQ(tile(0, 1).value("titleColor").value<QColor>(), QColor(164, 212, 16));
    EXPECT_EQ(tile(1, 0).value("titleColor").value<QColor>(), QColor(156, 134, 227));
    EXPECT_EQ(tile(0, 0).value("imageSource").toUrl().toString(),
              DistinctServerSets::base(1) + "/img/Security/PersonsImages/p.jpg");
    EXPECT_EQ(tile(0, 0).value("badgeColor").value<QColor>(), QColor(Qt::transparent));
}

TEST_F(DaySummaryTest, ATileWithDocumentsOpensThemATileWithoutDoesNothing) {
    const QVariantList documents{QVariantMap{{"PartyName", "Sri Murugan Yarns"},
                                             {"Particulars", "Cotton Yarn 40s"},
                                             {"City", "Tiruppur"},
                                             {"DocDate", "05 Dec 2026 00:00:00"},
                                             {"DocNo", "15"}},
                                 QVariantMap{{"Particulars", "Cones"}}};
    answer({log("9", "Visitor", "Anbu"), log("9", "Driver", "Bala", documents)});
    screen->didSelectItem(0, 0);
    processEvents();
    EXPECT_EQ(screen->presentedViewController(), nullptr);
    const QVariantMap tile = screen->sections()[0].toMap().value("tiles").toList()[1].toMap();
    EXPECT_NE(tile.value("badgeColor").value<QColor>(), QColor(Qt::transparent));
    screen->didSelectItem(0, 1);
    processEvents();
    auto *nav = qobject_cast<NavigationController *>(root->presentedViewController());
    auto *list = nav ? nav->viewControllerAt<LogDetailTableViewController>(0) : nullptr;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->title(), "Bala");
    ASSERT_EQ(list->numberOfRows(0), 2);
    const QVariantMap first = list->cellForRow(0, 0);
    EXPECT_EQ(first.value("titlelbl"), "Sri Murugan Yarns");
    EXPECT_EQ(first.value("subtitle2lbl"), "Tiruppur");
    EXPECT_EQ(first.value("subtitle3lbl"), "05-Dec-2026  (15)");
    const QVariantMap second = list->cellForRow(0, 1);
    EXPECT_EQ(second.value("titlelbl"), "");
    EXPECT_EQ(second.value("subtitle3lbl"), "()");
    list->leftBarButtonItem()->trigger();
    processEvents();
    EXPECT_EQ(root->presentedViewController(), nullptr);
}

} // namespace
