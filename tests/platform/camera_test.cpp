#include "camera.h"
#include "filecamera.h"
#include "testapp.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

// A folder of pictures as a tester or the walkthrough leaves it: in no particular creation
// order, with a file that is not a picture and one that only claims to be.
class PictureFolder {
public:
    PictureFolder() {
        save("b.png", QSize(40, 20), Qt::green);
        save("a.png", QSize(60, 20), Qt::red);
        save("C.jpg", QSize(2000, 40), Qt::blue); // larger than a preview frame
        write("d-broken.png", "not a picture");
        write("notes.txt", "the pictures are a, b, C");
    }
    QString path() const { return dir.path(); }
    QTemporaryDir dir;

private:
    void save(const char *name, QSize size, Qt::GlobalColor color) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(color);
        ASSERT_TRUE(image.save(dir.filePath(QString::fromLatin1(name))));
    }
    void write(const char *name, const QByteArray &bytes) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
};

// The widths of the frames shown, one entry per picture change.
QList<int> pictureWidths(const QList<QVideoFrame> &frames) {
    QList<int> widths;
    for (const QVideoFrame &frame : frames)
        if (widths.isEmpty() || widths.last() != frame.width())
            widths.append(frame.width());
    return widths;
}

TEST(FileCamera, PlaysTheFolderInNameOrderLoopingUntilStopped) {
    PictureFolder folder;
    FileCamera camera(folder.path());
    camera.setFrameInterval(1);
    camera.setFramesPerPicture(2);
    QList<QVideoFrame> frames;
    QObject::connect(&camera, &Camera::frameAvailable,
                     [&](const QVideoFrame &frame) { frames.append(frame); });
    QSignalSpy active(&camera, &Camera::activeChanged);
    QSignalSpy errors(&camera, &Camera::errorOccurred);

    camera.start();
    EXPECT_TRUE(camera.isActive());
    ASSERT_TRUE(QTest::qWaitFor([&] { return pictureWidths(frames).size() >= 7; }, 10000));
    // The broken file is skipped; C is scaled to a preview frame.
    EXPECT_EQ(pictureWidths(frames).mid(0, 7), (QList<int>{60, 40, 1920, 60, 40, 1920, 60}));

    camera.stop();
    EXPECT_FALSE(camera.isActive());
    const qsizetype shown = frames.size();
    QTest::qWait(30);
    EXPECT_EQ(frames.size(), shown) << "frames after stop()";
    EXPECT_EQ(active.size(), 2);
    EXPECT_TRUE(errors.isEmpty());
}

// A still is the picture on show at full size, delivered later, never inside the call; a
// camera that is not running, or a folder without pictures, says so instead.
TEST(FileCamera, StillIsThePictureOnShowAtFullSize) {
    QTemporaryDir dir;
    QImage big(2000, 40, QImage::Format_RGB32);
    big.fill(Qt::white);
    ASSERT_TRUE(big.save(dir.filePath("only.png")));
    FileCamera camera(dir.path());
    QSignalSpy stills(&camera, &Camera::stillCaptured);
    QSignalSpy errors(&camera, &Camera::errorOccurred);

    camera.captureStill();
    EXPECT_EQ(errors.size(), 1);
    camera.start();
    camera.captureStill(); // asked before the first picture is read
    EXPECT_TRUE(stills.isEmpty());
    ASSERT_TRUE(stills.wait(10000));
    EXPECT_EQ(stills.at(0).at(0).value<QImage>().size(), QSize(2000, 40));
    camera.captureStill();
    EXPECT_EQ(stills.size(), 1);
    ASSERT_TRUE(stills.wait(10000));
    EXPECT_EQ(errors.size(), 1);

    QTemporaryDir empty;
    FileCamera none(empty.path());
    QSignalSpy noneErrors(&none, &Camera::errorOccurred);
    none.start();
    EXPECT_FALSE(none.isActive());
    EXPECT_EQ(noneErrors.size(), 1);
    EXPECT_FALSE(none.isTorchSupported());
}

// SECLOG_CAMERA_FOLDER picks the file camera; an installed factory wins over both.
TEST(CameraFactory, FolderVariableChoosesTheFileCamera) {
    PictureFolder folder;
    qputenv("SECLOG_CAMERA_FOLDER", folder.path().toUtf8());
    std::unique_ptr<Camera> camera = Camera::create();
    auto *files = qobject_cast<FileCamera *>(camera.get());
    ASSERT_NE(files, nullptr);
    EXPECT_EQ(files->folder(), folder.path());

    bool asked = false;
    Camera::setFactory([&] {
        asked = true;
        return std::unique_ptr<Camera>();
    });
    EXPECT_EQ(Camera::create(), nullptr);
    EXPECT_TRUE(asked);
    Camera::setFactory({});
    qunsetenv("SECLOG_CAMERA_FOLDER");
}

} // namespace
