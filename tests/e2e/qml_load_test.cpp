#include "appdelegate.h"
#include "qmlwarning.h"
#include "securitylogcell.h"
#include "securitylogtvc.h"
#include "sessionfixture.h"
#include "testapp.h"
#include "window.h"

#include <functional>
#include <gtest/gtest.h>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQmlEngine>
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
        if (isQmlWarning(type, context, message))
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

} // namespace

namespace {

class LaunchListTest : public SessionTest {};

// With a saved session the open logs may be answered before the window is first drawn. They are
// in the table in the turn their reply comes (so the first frame shows them), and the list
// makes rows only for what the window shows, not for a view that has no size yet.
TEST_F(LaunchListTest, OpenLogsAnsweredBeforeTheFirstFrameMakeOnlyTheRowsOnScreen) {
    logIn();
    QQuickStyle::setStyle(QStringLiteral("Basic"));
    AppDelegate delegate;
    delegate.applicationDidFinishLaunching();
    QQmlApplicationEngine engine;
    engine.setInitialProperties({{"appWindow", QVariant::fromValue(delegate.window)}});
    engine.load(QUrl(QStringLiteral("qrc:/SecLog/Main.qml")));
    ASSERT_FALSE(engine.rootObjects().isEmpty());
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().first());
    ASSERT_NE(window, nullptr);

    ASSERT_EQ(net->withSPName("USP_GetSecurityLogBySearchText").size(), 1);
    QVariantList logs;
    for (int i = 1; i <= 500; ++i)
        logs.append(QVariantMap{{"SecIOLog_id", QString::number(i)},
                                {"IOPerson", QStringLiteral("Guest %1").arg(i)},
                                {"InTime", "06 Dec 2026 14:05:09"},
                                {"OutTime", ""},
                                {"IOImgPath", "~/Security/PersonsImages/guest.png"}});
    int openLogs = 0;
    while (net->sent.at(openLogs).json().value("SPName") != "USP_GetSecurityLogBySearchText")
        ++openLogs;
    net->reply(openLogs, logs);
    auto *list = qobject_cast<securityLogTVC *>(common::sharedInstance().topViewController());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(qobject_cast<QAbstractItemModel *>(list->tableModel())->rowCount(), 500)
        << "in the turn of the reply";

    QList<QQuickItem *> tables;
    std::function<void(QQuickItem *)> find = [&](QQuickItem *item) {
        if (item->objectName() == "table")
            tables.append(item);
        for (QQuickItem *child : item->childItems())
            find(child);
    };
    find(window->contentItem());
    ASSERT_EQ(tables.size(), 1);
    auto *rows = tables.first()->property("contentItem").value<QQuickItem *>();
    ASSERT_NE(rows, nullptr);
    // The most rows there ever were, since rows made in excess are dropped again later.
    qsizetype most = 0;
    QObject::connect(rows, &QQuickItem::childrenChanged, rows,
                     [&] { most = std::max(most, rows->childItems().size()); });
    // The photos are asked for once the first frame is out, not while the rows are made.
    auto photoSources = [&] {
        QStringList sources;
        std::function<void(QQuickItem *)> collect = [&](QQuickItem *item) {
            if (item->inherits("QQuickImage"))
                sources.append(item->property("source").toString());
            for (QQuickItem *child : item->childItems())
                collect(child);
        };
        collect(rows);
        return sources;
    };
    bool drawn = false;
    QObject::connect(window, &QQuickWindow::frameSwapped, window, [&] { drawn = true; });
    ASSERT_FALSE(photoSources().isEmpty());
    EXPECT_EQ(photoSources().join(QString()), QString()) << "asked for before the first frame";
    ASSERT_TRUE(QTest::qWaitFor([&] { return drawn; }, 5000));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return photoSources().first().endsWith("/Security/PersonsImages/guest.png"); }, 5000))
        << photoSources().first().toStdString();

    processEvents();
    const int screenful = int(window->height() / 74) + 1;
    EXPECT_GE(rows->childItems().size(), screenful - 3);
    EXPECT_LE(most, 2 * screenful) << "rows made for the whole list";
}

} // namespace
