#include "securitylogcell.h"
#include "tableviewcontroller.h"
#include "testapp.h"

#include <functional>
#include <gtest/gtest.h>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QtTest/QTest>

namespace {

// Two log rows, each with the log list's two swipe actions; records what the view asks for.
class TwoLogs : public TableViewController {
public:
    QStringList asked;
    int numberOfRows(int) const override { return 2; }
    qreal heightForRow(int, int) const override { return 74; }
    QVariantMap cellForRow(int, int row) override {
        return SecurityLogCell::contents({{"IOPerson", QStringLiteral("Guest %1").arg(row)}},
                                         SecurityLogCell::Kind::ListRow, true);
    }
    QList<SwipeAction> trailingSwipeActions(int, int row) override {
        QList<SwipeAction> actions;
        for (const QString name : {"Print", "Out"})
            actions.append({name, QColor(), [this, name, row](auto done) {
                                asked.append(QStringLiteral("%1 %2").arg(name).arg(row));
                                done(true);
                            }});
        return actions;
    }
    void didSelectRow(int, int row) override { asked.append(QStringLiteral("select %1").arg(row)); }
};

class TablePageView : public ::testing::Test {
protected:
    void SetUp() override {
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick
            import "qrc:/SecLog/platform"
            Window {
                id: window
                required property var controller
                width: 400; height: 300
                TablePage { anchors.fill: parent; controller: window.controller }
            })",
                          QUrl("qrc:/test/tablepage.qml"));
        ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
        window.reset(qobject_cast<QQuickWindow *>(component.createWithInitialProperties(
            {{"controller", QVariant::fromValue<QObject *>(&logs)}})));
        ASSERT_NE(window, nullptr) << component.errorString().toStdString();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        processEvents();
    }
    void TearDown() override { window.reset(); }

    // Drags row 0 from right to left, as a thumb opens its actions.
    void swipeFirstRow() {
        QTest::mousePress(window.get(), Qt::LeftButton, {}, QPoint(380, 37));
        for (int x = 360; x >= 120; x -= 20) {
            QTest::qWait(10);
            QTest::mouseMove(window.get(), QPoint(x, 37));
        }
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, QPoint(120, 37));
        // The row settles open.
        if (QTest::qWaitFor([this] { return shownText("Out").has_value(); }, 2000))
            QTest::qWait(300);
    }
    // The centre of the text item showing `text`, if any is shown.
    std::optional<QPoint> shownText(const QString &text) const {
        std::optional<QPoint> at;
        std::function<void(QQuickItem *)> walk = [&](QQuickItem *item) {
            if (item->isVisible() && item->property("text").toString() == text)
                at = item->mapToScene({item->width() / 2, item->height() / 2}).toPoint();
            for (QQuickItem *child : item->childItems())
                walk(child);
        };
        walk(window->contentItem());
        return at;
    }

    QQmlEngine engine;
    TwoLogs logs;
    std::unique_ptr<QQuickWindow> window;
};

// A tap selects its row; a swipe shows the row's actions (made only then) and a tap on one
// runs it for that row; a tap on an open row closes it without selecting it.
TEST_F(TablePageView, TapsSelectAndSwipesRunTheRowsActions) {
    EXPECT_FALSE(shownText("Out")) << "actions made before any swipe";
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(200, 74 + 37));
    EXPECT_EQ(logs.asked, QStringList{"select 1"});

    swipeFirstRow();
    const auto out = shownText("Out");
    ASSERT_TRUE(out.has_value()) << "no actions after a swipe";
    ASSERT_TRUE(shownText("Print").has_value());
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, *out);
    EXPECT_EQ(logs.asked, (QStringList{"select 1", "Out 0"}));

    EXPECT_TRUE(QTest::qWaitFor([this] { return !shownText("Out"); }, 2000))
        << "the row stayed open after its action";
    swipeFirstRow();
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(60, 37));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !shownText("Out"); }, 2000))
        << "the row stayed open";
    EXPECT_EQ(logs.asked, (QStringList{"select 1", "Out 0"})) << "an open row was selected";
}

} // namespace
