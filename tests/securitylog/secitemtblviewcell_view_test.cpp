#include "localimageprovider.h"
#include "secitemtblviewcell.h"
#include "testapp.h"

#include <functional>
#include <gtest/gtest.h>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QStyleHints>
#include <QtTest/QTest>

namespace {

// Stands in for the log form: records the tile gestures the cell hands over.
class TapRecorder : public QObject {
    Q_OBJECT
public:
    QStringList calls;
    Q_INVOKABLE void itemDoubleTapped(int section, int row, int item) {
        calls.append(QStringLiteral("double %1 %2 %3").arg(section).arg(row).arg(item));
    }
    Q_INVOKABLE void itemTapped(int section, int row, int item) {
        calls.append(QStringLiteral("single %1 %2 %3").arg(section).arg(row).arg(item));
    }
};

SectionEntry twoItems(const QString &accessFrom) {
    SectionEntry e;
    e.AccessFrom = accessFrom;
    e.PartyDetails = {{"PartyName", "Sri Balaji Traders"}, {"BillNo", "B-17"}};
    for (const char *name : {"Cotton Yarn 40s Combed", "Bobbins"}) {
        auto row = makeItemRow();
        row->titleText = name;
        row->QRScanDCDetails.insert("ItemCount", 12);
        // No pictures: Qt 6.4's software renderer leaks a drawn picture's texture.
        e.DATA.append(row);
    }
    return e;
}

// The cell as the log form's table row draws it, for a log section ("") or a scan strip:
// over the row's own tap area, in a row that swipes sideways, counting the row's taps.
class SectionEntryCellView : public ::testing::TestWithParam<const char *> {
protected:
    void show(const SectionEntry &entry, int width, int height) {
        LocalImageProvider::addTo(engine);
        QVariantMap cell = secItemTBLViewCell::contents(entry);
        cell.insert("owner", QVariant::fromValue<QObject *>(&owner));
        cell.insert("section", 2);
        cell.insert("row", 1);
        QQmlComponent component(&engine);
        component.setData(R"(
            import QtQuick
            Window {
                id: window
                property var cell
                property int rowClicks: 0
                property alias content: loader.item
                Flickable {
                    anchors.fill: parent
                    contentWidth: width + 160
                    flickableDirection: Flickable.HorizontalFlick
                    MouseArea {
                        width: window.width
                        height: window.height
                        onClicked: window.rowClicks++
                    }
                    Loader {
                        id: loader
                        width: window.width
                        height: window.height
                        source: "qrc:/SecLog/cells/secItemTBLViewCell.qml"
                        onLoaded: item.cell = Qt.binding(() => window.cell)
                    }
                }
            })",
                          QUrl("qrc:/test/harness.qml"));
        ASSERT_TRUE(component.isReady()) << component.errorString().toStdString();
        window.reset(qobject_cast<QQuickWindow *>(component.createWithInitialProperties(
            {{"cell", cell}, {"width", width}, {"height", height}})));
        ASSERT_NE(window, nullptr) << component.errorString().toStdString();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        view = window->property("content").value<QQuickItem *>();
        ASSERT_NE(view, nullptr);
        processEvents();
    }
    // The tiles, in strip order. List delegates hang in the visual tree only, not among the
    // QObject children.
    QList<QQuickItem *> tiles() const {
        QList<QQuickItem *> found;
        const std::function<void(QQuickItem *)> walk = [&](QQuickItem *item) {
            if (item->objectName() == QLatin1String("theimage"))
                found.append(item->parentItem());
            for (auto *childItem : item->childItems())
                walk(childItem);
        };
        walk(view);
        std::sort(found.begin(), found.end(), [](auto *a, auto *b) {
            return a->property("index").toInt() < b->property("index").toInt();
        });
        return found;
    }
    QPoint centreOf(const QQuickItem *item) const {
        return item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint();
    }
    int rowClicks() const { return window->property("rowClicks").toInt(); }
    void TearDown() override {
        if (window) {
            window->hide(); // lets the render loop release the pictures' textures
            window->releaseResources();
        }
        processEvents();
        window.reset();
        processEvents();
    }

    QQmlEngine engine;
    TapRecorder owner;
    std::unique_ptr<QQuickWindow> window;
    QQuickItem *view = nullptr;
};

// A double tap on a tile goes to the owner and not to the row, nor as a single tap too; a
// single tap acts only in a scan strip; the header area of a log section still selects the row.
TEST_P(SectionEntryCellView, TilesTellTheOwnerAndTheHeaderSelectsTheRow) {
    const bool strip = *GetParam();
    show(twoItems(GetParam()), 400, strip ? 135 : secItemTBLViewCell::rowHeight);
    ASSERT_EQ(tiles().size(), 2);
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    QTest::mouseDClick(window.get(), Qt::LeftButton, {}, centreOf(tiles()[1]));
    QTest::qWait(interval * 2);
    EXPECT_EQ(owner.calls, QStringList{"double 2 1 1"});
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, centreOf(tiles()[0]));
    QTest::qWait(interval * 2);
    EXPECT_EQ(owner.calls.value(1), strip ? "single 2 1 0" : "");
    EXPECT_EQ(rowClicks(), 0);
    if (!strip) {
        QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(100, 10));
        processEvents();
        EXPECT_EQ(rowClicks(), 1);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, SectionEntryCellView, ::testing::Values("", "DCScan"),
                         [](const auto &info) { return *info.param ? "ScanStrip" : "LogSection"; });

// A photo held only in memory reaches QML through the engine's "local" image provider.
TEST(LocalImageInQml, LoadsThroughTheProvider) {
    QQmlEngine engine;
    LocalImageProvider::addTo(engine);
    auto row = makeItemRow();
    QImage photo(40, 30, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    row->image = photo;
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nImage { asynchronous: true }", QUrl("qrc:/test/image.qml"));
    std::unique_ptr<QObject> image(
        component.createWithInitialProperties({{"source", row->imageSource()}}));
    ASSERT_NE(image, nullptr) << component.errorString().toStdString();
    const int ready = 1; // Image.Ready
    EXPECT_TRUE(QTest::qWaitFor([&] { return image->property("status").toInt() == ready; }));
    EXPECT_EQ(image->property("sourceSize").toSize(), QSize(40, 30));
}

} // namespace

#include "secitemtblviewcell_view_test.moc"
