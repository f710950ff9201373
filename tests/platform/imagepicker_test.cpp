#include "alertcontroller.h"
#include "filecamera.h"
#include "imagepickercontroller.h"
#include "shownscreen.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

using Source = ImagePickerController::SourceType;

// A screen to present pickers over; the camera plays one picture of 2000 x 40 from a folder,
// the photo library holds a smaller one and a broken file.
class Picker : public ::testing::Test {
public:
    void SetUp() override {
        QImage picture(2000, 40, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        ASSERT_TRUE(picture.save(dir.filePath("camera.png")));
        ASSERT_TRUE(picture.scaled(300, 6).save(roll.filePath("roll.jpg")));
        QFile broken(roll.filePath("broken.jpg"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\xFF\xD8 not really");
        Camera::setFactory([this]() -> std::unique_ptr<Camera> {
            if (!hasCamera)
                return nullptr;
            auto camera = std::make_unique<FileCamera>(dir.path());
            camera->setFrameInterval(5);
            return camera;
        });
    }
    void TearDown() override { Camera::setFactory({}); }

    // A picker over a screen of its own; the completion notes whether the picker had closed.
    ImagePickerController *open(Source source) {
        auto *presenter = new ViewController;
        shown.screen->navigationController()->pushViewController(presenter, false);
        auto *picker = ImagePickerController::present(presenter, source, [&](const QImage &image) {
            closedFirst = closedFirst && shown.presented() == nullptr;
            images << image;
        });
        camera = picker ? picker->camera() : nullptr;
        EXPECT_EQ(camera && camera->isActive(), source == Source::Camera);
        return picker;
    }
    // Waits for the picker to close: the camera stops; the completion comes once, if at all.
    void closes() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown.presented() == nullptr; }, 5000));
        processEvents();
        EXPECT_TRUE(!camera || !camera->isActive());
        EXPECT_TRUE(closedFirst) << "the completion may present its own screen";
        shown.screen->navigationController()->popToRootViewController(false);
    }

    QTemporaryDir dir;  // the camera's
    QTemporaryDir roll; // the photo library's
    bool hasCamera = true;
    ShownScreen shown;
    QPointer<Camera> camera;
    bool closedFirst = true;
    QList<QImage> images; // what the completion got
};

TEST_F(Picker, WithoutACameraAnAlertSaysSoAndANullImageComesBackLater) {
    hasCamera = false;
    EXPECT_EQ(ImagePickerController::present(shown.screen, Source::Camera,
                                             [&](const QImage &image) { images << image; }),
              nullptr);
    auto *alert = qobject_cast<AlertController *>(shown.presented());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Error");
    EXPECT_EQ(alert->message(), "No camera on this device");
    EXPECT_TRUE(images.isEmpty()) << "completed inside the call";
    processEvents();
    ASSERT_EQ(images.size(), 1);
    EXPECT_TRUE(images.at(0).isNull());
}

// Every way a picker ends: the completion runs once, after the picker has closed, with the
// picture or a null image; never for a presenter that is gone itself.
TEST_F(Picker, CompletesOnceAfterClosing) {
    open(Source::Camera)->leftBarButtonItem()->trigger(); // Cancel
    closes();
    ASSERT_EQ(images.size(), 1);
    EXPECT_TRUE(images.takeLast().isNull());

    // The camera's frames reach the view's sink; a still comes back at the camera's full size.
    ImagePickerController *picker = open(Source::Camera);
    QVideoSink sink;
    picker->setVideoSink(&sink);
    QSignalSpy frames(&sink, &QVideoSink::videoFrameChanged);
    ASSERT_TRUE(frames.wait(3000));
    EXPECT_EQ(sink.videoFrame().size(), QSize(1920, 38));
    picker->takePicture();
    EXPECT_TRUE(picker->isBusy());
    picker->takePicture(); // a second tap while the first is taken changes nothing
    picker->setVideoSink(nullptr);
    closes();
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images.takeLast().size(), QSize(2000, 40));

    // An unreadable file leaves the picker open with a message; another choice then works.
    picker = open(Source::PhotoLibrary);
    picker->choosePhoto(QUrl::fromLocalFile(roll.filePath("broken.jpg")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !picker->isBusy(); }, 3000));
    EXPECT_FALSE(picker->errorText().isEmpty());
    EXPECT_NE(shown.presented(), nullptr);
    picker->choosePhoto(QUrl::fromLocalFile(roll.filePath("roll.jpg")));
    closes();
    ASSERT_EQ(images.size(), 1);
    EXPECT_EQ(images.takeLast().size(), QSize(300, 6));

    picker = open(Source::Camera);
    shown.screen->navigationController()->popViewController(false); // the presenter goes
    processEvents();
    picker->takePicture();
    closes();
    EXPECT_TRUE(images.isEmpty());
}

} // namespace
