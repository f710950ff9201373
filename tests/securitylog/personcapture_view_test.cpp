#include "alertcontroller.h"
#include "localimageprovider.h"
#include "navigationcontroller.h"
#include "securityaddnewperson.h"
#include "securitylogdetailview.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStyleHints>
#include <QtTest/QTest>

namespace {

QStringList warnings;

// Searches the visual tree: items made by views and repeaters are not QObject children.
QQuickItem *findItem(QQuickItem *root, const QString &name) {
    if (!root || root->objectName() == name)
        return root;
    for (QQuickItem *child : root->childItems())
        if (QQuickItem *found = findItem(child, name))
            return found;
    return nullptr;
}

QRectF sceneRect(const QQuickItem *item) {
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

// The person panel of the log form in the client's window: over-long texts stay under the photo;
// a double tap (not a single one) opens the person screen, whose photo row is drawn and asks
// where a new photo comes from.
TEST(PanelDoubleTap, OpensThePersonScreen) {
    warnings.clear();
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            warnings.append(text);
    });
    Window appWindow;
    auto *form = new securityLogDetailView();
    form->header->setName(QString(60, QLatin1Char('W')));
    form->header->setMobileNo(QStringLiteral("+91 98400-12345"));
    form->header->setAddress(QString(200, QLatin1Char('A')));
    // No photo is drawn: Qt 6.4's software renderer keeps a drawn picture's texture after its
    // window closes, which LeakSanitizer reports; the in-memory photo path has its own test.
    auto *root = new NavigationController(new ViewController());
    appWindow.setRootViewController(root);
    appWindow.makeKeyAndVisible();
    root->pushViewController(form, false);
    QQmlApplicationEngine engine;
    LocalImageProvider::addTo(engine);
    engine.setInitialProperties({{"appWindow", QVariant::fromValue(&appWindow)}});
    engine.load(QUrl(QStringLiteral("qrc:/SecLog/Main.qml")));
    ASSERT_FALSE(engine.rootObjects().isEmpty());
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().first());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    processEvents();

    auto *panelPhoto = findItem(window->contentItem(), QStringLiteral("imgPerson"));
    ASSERT_NE(panelPhoto, nullptr);
    QRectF above = sceneRect(panelPhoto);
    for (const char *name : {"lblPersonName", "lblAddress"}) {
        auto *label = findItem(window->contentItem(), QLatin1String(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_GE(sceneRect(label).top(), above.bottom()) << name;
        EXPECT_TRUE(sceneRect(panelPhoto->parentItem()).contains(sceneRect(label))) << name;
        above = sceneRect(label);
    }
    const QPoint tapAt = sceneRect(panelPhoto).center().toPoint();
    QTest::mouseClick(window, Qt::LeftButton, {}, tapAt);
    processEvents();
    EXPECT_EQ(root->topViewController(), form) << "a single tap is not a double one";
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    QTest::mouseDClick(window, Qt::LeftButton, {}, tapAt);
    processEvents();
    auto *screen = qobject_cast<securityAddNewPerson *>(root->topViewController());
    ASSERT_NE(screen, nullptr) << "the double tap did not open the person screen";
    QTest::qWait(400); // the push animation
    auto *frame = findItem(window->contentItem(), QStringLiteral("theimage"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->height(), 200 - 2 * screen->cPersonImage->offSetX);
    EXPECT_EQ(frame->width(), frame->height());
    QTest::mouseClick(window, Qt::LeftButton, {}, sceneRect(frame).center().toPoint());
    processEvents();
    auto *alert = qobject_cast<AlertController *>(root->presentedViewController());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Where do you want to pick your image from ?");
    alert->tap("Cancel");
    processEvents();
    qInstallMessageHandler(nullptr);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

} // namespace
