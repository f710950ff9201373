#include "alertcontroller.h"
#include "filecamera.h"
#include "imagepickercontroller.h"
#include "shownscreen.h"

#include <gtest/gtest.h>
#include <optional>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

using Source = ImagePickerController::SourceType;

// What the completion got: nothing yet, or each image it was called with.
struct Results {
    QList<QImage> images;
    ImagePickerController::Completion completion() {
        return [this](const QImage &image) { images.append(image); };
    }
};

// A screen to present pickers over; the camera plays one picture of 2000 x 40 from a folder.
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

    QUrl file(const char *name) const {
        return QUrl::fromLocalFile(roll.filePath(QString::fromLatin1(name)));
    }

    QTemporaryDir dir;  // the camera's
    QTemporaryDir roll; // the photo library's
    bool hasCamera = true;
    ShownScreen shown;
    Results results;
};

TEST_F(Picker, WithoutACameraAnAlertSaysSoAndNothingComesBack) {
    hasCamera = false;
    EXPECT_EQ(ImagePickerController::present(shown.screen, Source::Camera, results.completion()),
              nullptr);
    auto *alert = qobject_cast<AlertController *>(shown.presented());
    ASSERT_NE(alert, nullptr);
    EXPECT_EQ(alert->title(), "Error");
    EXPECT_EQ(alert->message(), "No camera on this device");
    EXPECT_EQ(alert->actionTitles(), QStringList{"OK"});
    EXPECT_TRUE(results.images.isEmpty()) << "completed inside the call";
    processEvents();
    ASSERT_EQ(results.images.size(), 1);
    EXPECT_TRUE(results.images.at(0).isNull());
    alert->tap("OK");
    EXPECT_EQ(shown.presented(), nullptr);
}

// Every way a picker ends: the completion runs once, with the picture or a null image, after
// the picker has closed; never for a presenter that is gone itself.
struct Ending {
    const char *name;
    Source source;
    std::function<void(ImagePickerController *, const Picker &)> act;
    std::optional<QSize> picked; // 0 x 0: a null image; none: no completion at all
};

void PrintTo(const Ending &ending, std::ostream *os) {
    *os << ending.name;
}

class PickerEnding : public Picker, public ::testing::WithParamInterface<Ending> {};

TEST_P(PickerEnding, CompletesOnceAfterClosing) {
    auto *presenter = new ViewController;
    shown.screen->navigationController()->pushViewController(presenter, false);
    bool closedFirst = true; // the completion may present its own screen over the presenter
    auto *picker = ImagePickerController::present(
        presenter, GetParam().source, [&, record = results.completion()](const QImage &image) {
            closedFirst = closedFirst && shown.presented() == nullptr;
            record(image);
        });
    ASSERT_NE(picker, nullptr);
    EXPECT_EQ(shown.presented()->kind(), "navigation");
    const QPointer<Camera> camera = picker->camera();
    EXPECT_EQ(camera && camera->isActive(), GetParam().source == Source::Camera);

    GetParam().act(picker, *this);
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.presented() == nullptr; }, 5000));
    processEvents();
    EXPECT_TRUE(!camera || !camera->isActive());
    if (!GetParam().picked) {
        EXPECT_TRUE(results.images.isEmpty());
        return;
    }
    ASSERT_EQ(results.images.size(), 1);
    EXPECT_EQ(results.images.at(0).size(), *GetParam().picked);
    EXPECT_TRUE(closedFirst);
}

// The camera's frames reach the view's sink; a still comes back at the camera's full size.
void capture(ImagePickerController *picker, const Picker &) {
    QVideoSink sink;
    picker->setVideoSink(&sink);
    QSignalSpy frames(&sink, &QVideoSink::videoFrameChanged);
    ASSERT_TRUE(frames.wait(3000));
    EXPECT_EQ(sink.videoFrame().size(), QSize(1920, 38));
    picker->takePicture();
    EXPECT_TRUE(picker->isBusy());
    picker->takePicture(); // a second tap while the first is taken changes nothing
    picker->setVideoSink(nullptr);
}

// An unreadable file leaves the picker open with a message; another choice then works.
void chooseBrokenThenGood(ImagePickerController *picker, const Picker &fixture) {
    picker->choosePhoto(fixture.file("broken.jpg"));
    EXPECT_TRUE(picker->isBusy());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !picker->isBusy(); }, 3000));
    EXPECT_FALSE(picker->errorText().isEmpty());
    EXPECT_NE(picker->presentingViewController(), nullptr);
    picker->choosePhoto(fixture.file("roll.jpg"));
}

void popPresenterThenCapture(ImagePickerController *picker, const Picker &fixture) {
    fixture.shown.screen->navigationController()->popViewController(false);
    processEvents();
    picker->takePicture();
}

INSTANTIATE_TEST_SUITE_P(
    Endings, PickerEnding,
    ::testing::Values(Ending{"CancelOnTheCamera", Source::Camera,
                             [](auto *picker, auto &) { picker->leftBarButtonItem()->trigger(); },
                             QSize(0, 0)},
                      Ending{"Capture", Source::Camera, capture, QSize(2000, 40)},
                      Ending{"ChooseABrokenFileThenAGoodOne", Source::PhotoLibrary,
                             chooseBrokenThenGood, QSize(300, 6)},
                      Ending{"PresenterGoneBeforeThePicture", Source::Camera,
                             popPresenterThenCapture, std::nullopt}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
