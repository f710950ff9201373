#include "filecamera.h"
#include "testapp.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest/QTest>

namespace {

// The walkthrough's camera plays a folder as a tester leaves it: in no particular creation
// order, with a file that is not a picture and one that only claims to be. The broken file is
// skipped, the rest play in name order, looping, the large one scaled to a preview frame; an
// empty folder is an error, not a camera that runs without pictures.
TEST(FileCamera, PlaysTheFolderInNameOrderLoopingAndSkipsWhatIsNoPicture) {
    QTemporaryDir dir;
    const QList<std::pair<const char *, QSize>> pictures{
        {"b.png", {40, 20}}, {"a.png", {60, 20}}, {"C.jpg", {2000, 40}}};
    for (const auto &[name, size] : pictures) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::blue);
        ASSERT_TRUE(image.save(dir.filePath(name)));
    }
    for (const char *name : {"d-broken.png", "notes.txt"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("not a picture");
    }
    FileCamera camera(dir.path());
    camera.setFrameInterval(1);
    camera.setFramesPerPicture(2);
    QList<int> widths; // one entry per picture change
    QObject::connect(&camera, &Camera::frameAvailable, [&](const QVideoFrame &frame) {
        if (widths.isEmpty() || widths.last() != frame.width())
            widths.append(frame.width());
    });
    QSignalSpy errors(&camera, &Camera::errorOccurred);

    camera.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return widths.size() >= 7; }, 10000));
    EXPECT_EQ(widths.mid(0, 7), (QList<int>{60, 40, 1920, 60, 40, 1920, 60}));
    camera.stop();
    const qsizetype shown = widths.size();
    QTest::qWait(30);
    EXPECT_EQ(widths.size(), shown) << "pictures after stop()";
    EXPECT_TRUE(errors.isEmpty());

    QTemporaryDir empty;
    FileCamera none(empty.path());
    QSignalSpy noneErrors(&none, &Camera::errorOccurred);
    none.start();
    EXPECT_FALSE(none.isActive());
    EXPECT_EQ(noneErrors.size(), 1);
}

} // namespace
