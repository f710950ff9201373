#include "photopreparation.h"
#include "testapp.h"

#include <gtest/gtest.h>
#include <QBuffer>
#include <QPointer>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QtTest/QTest>

namespace {

// A picture JPEG cannot squeeze much: colour gradients under per-pixel noise, as a phone
// photo of a gate in daylight. ARGB32 makes its right half see-through.
QImage noisyPhoto(QSize size, QImage::Format format = QImage::Format_RGB32) {
    QImage image(size, format);
    quint32 state = 2463534242u;
    for (int y = 0; y < size.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size.width(); ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = int(state % 61) - 30;
            const bool clear = format == QImage::Format_ARGB32 && x >= size.width() / 2;
            line[x] = qRgba(qBound(0, x * 255 / size.width() + noise, 255),
                            qBound(0, y * 255 / size.height() + noise, 255),
                            qBound(0, 128 + noise, 255), clear ? 0 : 255);
        }
    }
    return image;
}

QByteArray encoded(const QImage &image, const char *format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format, 95);
    return bytes;
}

struct Input {
    const char *name;
    std::function<PreparedPhoto()> prepare;
    QSize expected; // invalid: any size within the limits, with the input's aspect ratio
    double aspect;  // width / height of the input
    qsizetype limit = PhotoPreparation::maxBytes;
};

void PrintTo(const Input &input, std::ostream *os) {
    *os << input.name;
}

class Preparation : public ::testing::TestWithParam<Input> {};

// The result is a JPEG within the limit, no larger than maxSide, never larger than the input,
// with the input's proportions; see-through parts come out white.
TEST_P(Preparation, GivesAJpegWithinTheLimitInTheSameProportions) {
    const Input &input = GetParam();
    const PreparedPhoto photo = input.prepare();
    ASSERT_TRUE(photo.isReady()) << photo.error.toStdString();
    EXPECT_LE(photo.jpeg.size(), input.limit);
    EXPECT_TRUE(photo.jpeg.startsWith("\xFF\xD8\xFF"));
    const QImage decoded = QImage::fromData(photo.jpeg, "JPEG");
    ASSERT_FALSE(decoded.isNull());
    EXPECT_EQ(decoded.size(), photo.size);
    if (input.expected.isValid()) {
        EXPECT_EQ(photo.size, input.expected);
    }
    EXPECT_LE(std::max(photo.size.width(), photo.size.height()), PhotoPreparation::maxSide);
    EXPECT_NEAR(double(photo.size.width()) / photo.size.height(), input.aspect,
                input.aspect * 0.01);
    const QRgb corner = decoded.pixel(decoded.width() - 1, 0);
    if (QByteArray(input.name).contains("Transparent")) {
        EXPECT_GT(qGray(corner), 200) << "a see-through corner is white";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Photos, Preparation,
    ::testing::Values(
        Input{"TwelveMegapixelJpegFile",
              [] {
                  return PhotoPreparation::prepare(encoded(noisyPhoto({4000, 3000}), "JPEG"));
              },
              QSize(), 4.0 / 3},
        Input{"TransparentPortrait",
              [] {
                  return PhotoPreparation::prepare(noisyPhoto({1500, 2600}, QImage::Format_ARGB32));
              },
              QSize(), 1500.0 / 2600},
        Input{"SmallIsNotUpscaled",
              [] {
                  return PhotoPreparation::prepare(noisyPhoto({320, 240}));
              },
              QSize(320, 240), 4.0 / 3},
        Input{"TightLimitShrinksFurther",
              [] {
                  return PhotoPreparation::prepare(noisyPhoto({1200, 500}), 20 * 1024);
              },
              QSize(), 1200.0 / 500, 20 * 1024}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Preparation, WhatCannotBePreparedSaysWhy) {
    for (const auto &[photo, reason] :
         {std::pair{PhotoPreparation::prepare(QByteArray("not a picture")),
                    "The photo cannot be read"},
          {PhotoPreparation::prepare(QByteArray()), "The photo cannot be read"},
          {PhotoPreparation::prepare(QImage()), "There is no photo to prepare."},
          {PhotoPreparation::prepare(noisyPhoto({400, 300}), 100),
           "The photo cannot be made smaller than 1 KB."}}) {
        EXPECT_FALSE(photo.isReady());
        EXPECT_TRUE(photo.jpeg.isEmpty());
        EXPECT_TRUE(photo.error.startsWith(QLatin1String(reason))) << photo.error.toStdString();
    }
}

// The work runs on a worker: run() returns while that worker is still held up, and the
// results come back on the main thread, in order. A caller gone by then gets nothing.
TEST(Preparation, RunsOnAWorkerAndAnswersOnTheMainThread) {
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    QSemaphore held;
    pool.start([&held] { held.acquire(); }); // the only worker is busy until released

    QList<PreparedPhoto> results;
    bool onMainThread = false;
    PhotoPreparation::run(
        {noisyPhoto({2000, 1000}), QImage(), noisyPhoto({100, 300})}, nullptr,
        [&](const QList<PreparedPhoto> &photos) {
            onMainThread = QThread::currentThread() == qApp->thread();
            results = photos;
        },
        &pool);
    auto *gone = new QObject;
    int goneCalls = 0;
    PhotoPreparation::run(
        {noisyPhoto({50, 50})}, gone, [&](const QList<PreparedPhoto> &) { ++goneCalls; }, &pool);
    processEvents();
    EXPECT_TRUE(results.isEmpty()) << "prepared while the only worker was held up";
    delete gone;
    held.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !results.isEmpty(); }, 20000));
    pool.waitForDone();
    processEvents();
    EXPECT_TRUE(onMainThread);
    ASSERT_EQ(results.size(), 3);
    EXPECT_EQ(results.at(0).size, QSize(1600, 800));
    EXPECT_FALSE(results.at(1).isReady());
    EXPECT_EQ(results.at(2).size, QSize(100, 300));
    EXPECT_EQ(goneCalls, 0);
}

} // namespace
