#include "filecamera.h"
#include "imagepickercontroller.h"
#include "navigationcontroller.h"
#include "testapp.h"
#include "window.h"

#include <gtest/gtest.h>
#include <QQmlApplicationEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickWindow>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

QStringList &warnings() {
    static QStringList list;
    return list;
}

void collect(QtMsgType type, const QMessageLogContext &, const QString &message) {
    if (type != QtDebugMsg && type != QtInfoMsg)
        warnings().append(message);
}

// Both pickers drawn in the client's window: the camera's frames reach the preview through
// the sink the view hands over, and the file dialog opens by itself for the photo library.
TEST(ImagePickerView, DrawsTheCameraAndTheLibraryWithoutWarnings) {
    QTemporaryDir pictures;
    QImage picture(640, 480, QImage::Format_RGB32);
    picture.fill(Qt::darkYellow);
    ASSERT_TRUE(picture.save(pictures.filePath("gate.png")));
    Camera::setFactory([&] {
        auto camera = std::make_unique<FileCamera>(pictures.path());
        camera->setFrameInterval(10);
        return camera;
    });
    warnings().clear();
    const QtMessageHandler previous = qInstallMessageHandler(collect);

    QQuickStyle::setStyle(QStringLiteral("Basic"));
    Window window;
    auto *screen = new ViewController;
    window.setRootViewController(new NavigationController(screen));
    window.makeKeyAndVisible();
    QQmlApplicationEngine engine;
    engine.setInitialProperties({{"appWindow", QVariant::fromValue(&window)}});
    engine.load(QUrl(QStringLiteral("qrc:/SecLog/Main.qml")));
    ASSERT_FALSE(engine.rootObjects().isEmpty());
    auto *shown = qobject_cast<QQuickWindow *>(engine.rootObjects().first());
    ASSERT_NE(shown, nullptr);

    int completions = 0;
    auto *camera = ImagePickerController::present(screen, ImagePickerController::SourceType::Camera,
                                                  [&](const QImage &) { ++completions; });
    ASSERT_NE(camera, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return camera->videoSink() != nullptr; }, 5000))
        << "the view never handed over its sink";
    ASSERT_TRUE(QTest::qWaitFor([&] { return camera->videoSink()->videoFrame().isValid(); }, 5000));
    EXPECT_EQ(camera->videoSink()->videoFrame().size(), QSize(640, 480));
    EXPECT_FALSE(shown->grabWindow().isNull());
    camera->cancel();
    processEvents();

    auto *library =
        ImagePickerController::present(screen, ImagePickerController::SourceType::PhotoLibrary,
                                       [&](const QImage &) { ++completions; });
    ASSERT_NE(library, nullptr);
    processEvents();
    EXPECT_FALSE(shown->grabWindow().isNull());
    library->cancel();
    processEvents();
    EXPECT_FALSE(shown->grabWindow().isNull());
    EXPECT_EQ(completions, 2);

    qInstallMessageHandler(previous);
    Camera::setFactory({});
    EXPECT_TRUE(warnings().isEmpty()) << warnings().join('\n').toStdString();
}

} // namespace
