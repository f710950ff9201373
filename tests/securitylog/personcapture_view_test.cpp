#include "alertcontroller.h"
#include "localimageprovider.h"
#include "navigationcontroller.h"
#include "persondetailsview.h"
#include "securityaddnewperson.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QQmlApplicationEngine>
#include <QQmlComponent>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSignalSpy>
#include <QStyleHints>
#include <QtTest/QTest>

namespace {

// Every warning printed while a view test runs.
class Warnings {
public:
    Warnings() {
        collected().clear();
        m_previous = qInstallMessageHandler(&Warnings::handle);
    }
    ~Warnings() { qInstallMessageHandler(m_previous); }
    QString text() const { return collected().join(QLatin1Char('\n')); }

private:
    static QStringList &collected() {
        static QStringList list;
        return list;
    }
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            collected().append(message);
    }
    QtMessageHandler m_previous;
};

// Searches the visual tree: items made by views and repeaters are not QObject children.
QQuickItem *findItem(QQuickItem *root, const QString &name) {
    if (!root)
        return nullptr;
    if (root->objectName() == name)
        return root;
    for (QQuickItem *child : root->childItems())
        if (QQuickItem *found = findItem(child, name))
            return found;
    return nullptr;
}

QRectF sceneRect(const QQuickItem *item) {
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

QPoint centreOf(const QQuickItem *item) {
    return sceneRect(item).center().toPoint();
}

// The panel alone in a window of the form's header size.
class PersonPanelView : public ::testing::Test {
protected:
    void show(int width) {
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick
            Window {
                id: host
                property var person
                property alias panel: loader.item
                Loader {
                    id: loader
                    anchors.fill: parent
                    source: "qrc:/SecLog/securitylog/PersonDetailsPanel.qml"
                    onLoaded: item.person = Qt.binding(() => host.person)
                }
            })",
                          QUrl("qrc:/test/panel.qml"));
        ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
        window.reset(qobject_cast<QQuickWindow *>(component.createWithInitialProperties(
            {{"person", QVariant::fromValue<QObject *>(&person)},
             {"width", width},
             {"height", 240}})));
        ASSERT_NE(window, nullptr) << component.errorString().toStdString();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        panel = window->property("panel").value<QQuickItem *>();
        ASSERT_NE(panel, nullptr);
        processEvents();
    }
    QQuickItem *child(const char *name) const { return findItem(panel, QLatin1String(name)); }

    QQmlEngine engine;
    PersonDetailsView person;
    std::unique_ptr<QQuickWindow> window;
    QQuickItem *panel = nullptr;
};

TEST_F(PersonPanelView, RoundPhotoOnTopTextsBelowAndADoubleTapReported) {
    Warnings warnings;
    LocalImageProvider::addTo(engine);
    person.setName(QString(60, QLatin1Char('W')));
    person.setMobileNo(QStringLiteral("+91 98400-12345"));
    person.setAddress(QString(200, QLatin1Char('A')));
    QImage photo(40, 40, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    person.setPhoto(photo);
    show(360);
    auto *frame = child("imgPerson");
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(sceneRect(frame).size(), QSizeF(180, 180));
    EXPECT_EQ(frame->property("radius").toReal(), 90);
    EXPECT_EQ(sceneRect(frame).center().x(), 180) << "centred";
    QList<QQuickItem *> labels;
    for (const char *name : {"lblPersonName", "lblMobileNo", "lblAddress"}) {
        auto *label = child(name);
        ASSERT_NE(label, nullptr) << name;
        labels.append(label);
        const QRectF r = sceneRect(label);
        EXPECT_GE(r.top(), sceneRect(frame).bottom()) << name;
        EXPECT_LE(r.bottom(), 240) << name;
        EXPECT_GE(r.left(), 0) << name;
        EXPECT_LE(r.right(), 360) << name;
    }
    EXPECT_FALSE(sceneRect(labels[0]).intersects(sceneRect(labels[1])));
    EXPECT_FALSE(sceneRect(labels[1]).intersects(sceneRect(labels[2])));

    QSignalSpy doubleTaps(panel, SIGNAL(doubleTapped()));
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, centreOf(frame));
    processEvents();
    EXPECT_EQ(doubleTaps.size(), 0) << "a single tap is not a double one";
    QTest::qWait(QGuiApplication::styleHints()->mouseDoubleClickInterval() + 50);
    QTest::mouseDClick(window.get(), Qt::LeftButton, {}, centreOf(frame));
    processEvents();
    EXPECT_EQ(doubleTaps.size(), 1);
    EXPECT_TRUE(warnings.text().isEmpty()) << warnings.text().toStdString();
}

// The person screen drawn by the client's window: the photo row takes its 200 and a tap on the
// photo asks where the new one comes from.
TEST(PersonScreenView, DrawsItsRowsAndThePhotoTapAsks) {
    Warnings warnings;
    Window appWindow;
    auto *root = new NavigationController(new ViewController());
    appWindow.setRootViewController(root);
    appWindow.makeKeyAndVisible();
    auto *screen = new securityAddNewPerson();
    screen->cPerson->setText(QStringLiteral("anand"));
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    screen->cPersonImage->setTheimage(photo);
    root->pushViewController(screen, false);

    QQmlApplicationEngine engine;
    LocalImageProvider::addTo(engine);
    engine.setInitialProperties({{"appWindow", QVariant::fromValue(&appWindow)}});
    engine.load(QUrl(QStringLiteral("qrc:/SecLog/Main.qml")));
    ASSERT_FALSE(engine.rootObjects().isEmpty());
    auto *window = qobject_cast<QQuickWindow *>(engine.rootObjects().first());
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    processEvents();

    auto *frame = findItem(window->contentItem(), QStringLiteral("theimage"));
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->height(), 200 - 2 * screen->cPersonImage->offSetX);
    EXPECT_EQ(frame->width(), frame->height());
    EXPECT_FALSE(window->grabWindow().isNull());
    QTest::mouseClick(window, Qt::LeftButton, {}, centreOf(frame));
    processEvents();
    auto *alert = qobject_cast<AlertController *>(root->presentedViewController());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Where do you want to pick your image from ?");
    EXPECT_FALSE(window->grabWindow().isNull());
    alert->tap("Cancel");
    processEvents();
    EXPECT_TRUE(warnings.text().isEmpty()) << warnings.text().toStdString();
}

} // namespace
