#include "appdelegate.h"
#include "combobox.h"
#include "common.h"
#include "dcapprovalviewcontroller.h"
#include "dcdetailviewcontroller.h"
#include "menuviewcontroller.h"
#include "navigationcontroller.h"
#include "printurl.h"
#include "scriptedtransport.h"
#include "securitylogcell.h"
#include "securitylogtvc.h"
#include "testapp.h"
#include "vclogin.h"

#include <functional>
#include <gtest/gtest.h>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QtTest/QTest>

namespace {

// Collects every warning Qt's QML engine prints while a test runs.
class QmlWarnings {
public:
    QmlWarnings() {
        collected().clear();
        m_previous = qInstallMessageHandler(&QmlWarnings::handle);
    }
    ~QmlWarnings() { qInstallMessageHandler(m_previous); }
    QStringList all() const { return collected(); }

private:
    static QStringList &collected() {
        static QStringList list;
        return list;
    }
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message) {
        const bool fromQml =
            QByteArray(context.category ? context.category : "").startsWith("qml") ||
            QByteArray(context.category ? context.category : "") == "js" ||
            message.contains(QLatin1String("qrc:/")) ||
            message.startsWith(QLatin1String("QQmlComponent"));
        if (type != QtDebugMsg && type != QtInfoMsg && fromQml)
            collected().append(message);
    }
    QtMessageHandler m_previous;
};

QStringList qmlFiles() {
    return QString::fromUtf8(SECLOG_QML_FILES).split(QLatin1Char(','));
}

class QmlFileTest : public ::testing::TestWithParam<QString> {};

TEST_P(QmlFileTest, LoadsWithoutWarnings) {
    QmlWarnings warnings;
    QQmlEngine engine;
    QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/SecLog/") + GetParam()));
    ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
    Window window; // Main.qml needs the window object it draws
    std::unique_ptr<QObject> object(
        component.createWithInitialProperties({{"appWindow", QVariant::fromValue(&window)}}));
    ASSERT_NE(object, nullptr) << component.errorString().toStdString();
    processEvents();
    EXPECT_TRUE(warnings.all().isEmpty()) << warnings.all().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryView, QmlFileTest, ::testing::ValuesIn(qmlFiles()),
                         [](const auto &info) {
                             QString name = info.param;
                             name.replace(QRegularExpression("[^A-Za-z0-9]"), "_");
                             return name.toStdString();
                         });

// The log list's cell at a phone's and a tablet's width: every label keeps its share of the
// text area and no two labels (nor the open-log strip) meet, however long their texts.
class SecurityLogCellLayoutTest : public ::testing::TestWithParam<int> {};

TEST_P(SecurityLogCellLayoutTest, LabelsKeepTheirSharesAndNeverOverlap) {
    QmlWarnings warnings;
    QQmlEngine engine;
    QQmlComponent component(&engine, QUrl(QStringLiteral("qrc:/SecLog/cells/SecurityLogCell.qml")));
    ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
    const QString longText(80, QLatin1Char('W'));
    Row row;
    for (const char *key : {"IOPerson", "IOMobile", "Meet_To", "SecIOLog_id", "LogedBy", "Purpose"})
        row.insert(key, longText);
    row.insert("InTime", "06 Dec 2026 14:05:09");
    const QVariantMap cell = SecurityLogCell::contents(row, SecurityLogCell::Kind::ReportRow, true);
    std::unique_ptr<QObject> object(component.createWithInitialProperties(
        {{"cell", cell}, {"width", GetParam()}, {"height", 74}}));
    auto *view = qobject_cast<QQuickItem *>(object.get());
    ASSERT_NE(view, nullptr);
    processEvents();

    // Each label's share of the text area (from the photo to the strip).
    const QList<std::pair<const char *, double>> shares{
        {"lblPersonName", 0.40}, {"lblSecLog_id", 0.35}, {"lblMobileNo", 0.35},
        {"lblInTime", 0.40},     {"lblMeetTo", 0.45},    {"lblLogedBy", 0.40}};
    const double textArea = view->property("textWidth").toDouble();
    ASSERT_GT(textArea, 0);
    QList<std::pair<QString, QRectF>> rects;
    for (const auto &[name, share] : shares) {
        auto *label = view->findChild<QQuickItem *>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_NEAR(label->width(), textArea * share, 0.5) << name;
        rects.append({name, QRectF(label->x(), label->y(), label->width(), label->height())});
    }
    auto *strip = view->findChild<QQuickItem *>("lblPurpose");
    ASSERT_NE(strip, nullptr);
    EXPECT_NEAR(strip->width(), GetParam() * 0.03, 0.5);
    EXPECT_NEAR(strip->x() + strip->width(), GetParam(), 0.5) << "the strip is at the right edge";
    rects.append({"lblPurpose", QRectF(strip->x(), strip->y(), strip->width(), strip->height())});
    for (int i = 0; i < rects.size(); ++i) {
        EXPECT_LE(rects[i].second.bottom(), 74) << rects[i].first.toStdString();
        for (int j = i + 1; j < rects.size(); ++j)
            EXPECT_FALSE(rects[i].second.intersects(rects[j].second))
                << rects[i].first.toStdString() << " meets " << rects[j].first.toStdString();
    }
    EXPECT_TRUE(warnings.all().isEmpty()) << warnings.all().join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Widths, SecurityLogCellLayoutTest, ::testing::Values(360, 1024));

// The whole client drawn offscreen: every screen it can reach here is shown once, and the
// views must bind to the controllers without a single warning.
TEST(ClientViews, EveryReachableScreenDrawsWithoutWarnings) {
    QmlWarnings warnings;
    IsolatedDefaults defaults;
    ScriptedTransportScope net;
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    AppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    QQmlApplicationEngine engine;
    engine.setInitialProperties({{"appWindow", QVariant::fromValue(delegate.window)}});
    engine.load(QUrl(QStringLiteral("qrc:/SecLog/Main.qml")));
    ASSERT_FALSE(engine.rootObjects().isEmpty());
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().first());
    ASSERT_NE(window, nullptr);
    // Each screen is drawn, and must have drawn without a warning, before the next one.
    int step = 0;
    auto grab = [&] {
        ++step;
        EXPECT_FALSE(window->grabWindow().isNull());
        EXPECT_TRUE(warnings.all().isEmpty())
            << "screen " << step << ": " << warnings.all().join('\n').toStdString();
    };
    processEvents();

    auto *login = qobject_cast<VCLogin *>(common::sharedInstance().topViewController());
    ASSERT_NE(login, nullptr);
    grab();
    login->usernamecell->setText("demo");
    login->pwdcell->setText("demo");
    login->login();
    net->replyLast(QVariantList{QVariantMap{{"Users_id", "7"}, {"EmpName", "Ravi Kumar"}}});
    processEvents();
    net->replyLast(QVariantList{QVariantMap{{"Division_id", "1"}, {"DivisionName", "Spinning"}}});
    processEvents();
    auto *list = qobject_cast<securityLogTVC *>(common::sharedInstance().topViewController());
    ASSERT_NE(list, nullptr);
    net->reply(int(net->sent.size()) - 1,
               QVariantList{QVariantMap{{"SecIOLog_id", "12"},
                                        {"IOPerson", "Anand"},
                                        {"InTime", "06 Dec 2026 14:05:09"},
                                        {"OutTime", ""}}});
    processEvents();
    grab();

    list->searchBarSearchButtonClicked(); // alert
    processEvents();
    grab();
    qobject_cast<AlertController *>(common::sharedInstance().topViewController())->tap("Yes");
    processEvents();
    grab();
    list->navigationController()->popViewController(false);
    list->didSelectRow(0, 0);
    processEvents();
    grab();
    list->navigationController()->popViewController(false);
    processEvents();

    list->showMenu();
    processEvents();
    grab();
    auto *menu = qobject_cast<MenuViewController *>(common::sharedInstance().topViewController());
    ASSERT_NE(menu, nullptr);
    menu->leftBarButtonItem()->trigger();
    processEvents();

    comboBox::ListOptions pickerOptions;
    pickerOptions.title = "Vehicle";
    pickerOptions.valueField = "IOVehicle";
    pickerOptions.dataFields = {"VehicleType"};
    pickerOptions.returnCustomText = true;
    auto *picker = new comboBox(pickerOptions);
    ASSERT_TRUE(picker->show(list));
    net->replyLast(
        QVariantList{QVariantMap{{"IOVehicle", "TN 38 AB 1234"}, {"VehicleType", "Lorry"}}});
    processEvents();
    picker->setSearchText("AP 16");
    processEvents();
    grab();
    picker->leftBarButtonItem()->trigger();
    processEvents();

    comboBox::DateOptions dateOptions;
    dateOptions.title = "Bill Date";
    auto *datePicker = new comboBox(dateOptions);
    ASSERT_TRUE(datePicker->show(list));
    processEvents();
    grab();
    datePicker->chooseDate(QDate::currentDate());
    processEvents();

    list->printLog(0);
    processEvents();
    auto *report =
        qobject_cast<ReportViewController *>(common::sharedInstance().topViewController());
    ASSERT_NE(report, nullptr);
    net->replyLast(QVariant()); // not a PDF: the page says so
    processEvents();
    EXPECT_EQ(report->state(), "failed");
    grab();
    report->leftBarButtonItem()->trigger();
    processEvents();
    grab();

    // The DC list, and a DC of it with its lines: each line has its quantity field.
    auto *dcs = new DCApprovalViewController();
    dcs->viewType = "Sel_DCA";
    ASSERT_TRUE(list->present(new NavigationController(dcs), false));
    processEvents();
    net->replyLast(QVariantList{QVariantMap{{"DC_id", "1"}, {"DCCode", "DC/SPN/0142"}}});
    processEvents();
    grab();
    auto *detail = dcs->View(0);
    ASSERT_NE(detail, nullptr);
    processEvents();
    net->replyLast(QVariantList{QVariantMap{{"ItemName", "Cones"}, {"PassedQty", "4"}},
                                QVariantMap{{"ItemName", "Beams"}, {"PassedQty", "1"}}});
    processEvents();
    grab();
    int fields = 0;
    std::function<void(QQuickItem *)> count = [&](QQuickItem *item) {
        fields += item->objectName() == "textField" && item->isVisible();
        for (QQuickItem *child : item->childItems())
            count(child);
    };
    count(window->contentItem());
    EXPECT_EQ(fields, 2);
    dcs->Cancel();
    processEvents();

    EXPECT_TRUE(warnings.all().isEmpty()) << warnings.all().join('\n').toStdString();
}

} // namespace
