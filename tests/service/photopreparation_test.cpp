#include "photopreparation.h"

#include <gtest/gtest.h>
#include <QBuffer>

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

// The result is a JPEG within the limit, no larger than maxSide (a small one keeps its size),
// with the input's proportions; see-through parts come out white.
TEST(Preparation, GivesAJpegWithinTheLimitInTheSameProportions) {
    const qsizetype max = PhotoPreparation::maxBytes, tight = 20 * 1024;
    const QImage::Format opaque = QImage::Format_RGB32, clear = QImage::Format_ARGB32;
    const struct {
        const char *name;
        QSize input;
        QImage::Format format;
        bool asFile; // handed over as JPEG bytes
        qsizetype limit;
        QSize exact; // empty: any size within the bounds
    } cases[] = {{"TwelveMegapixelJpegFile", {4000, 3000}, opaque, true, max, {}},
                 {"TransparentPortrait", {1500, 2600}, clear, false, max, {}},
                 {"LongSideDownToMaxSide", {2000, 1000}, opaque, false, max, {1600, 800}},
                 {"SmallIsNotUpscaled", {100, 300}, opaque, false, max, {100, 300}},
                 {"TightLimitShrinksFurther", {1200, 500}, opaque, false, tight, {}}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QImage image = noisyPhoto(c.input, c.format);
        const PreparedPhoto photo = c.asFile
                                        ? PhotoPreparation::prepare(encoded(image, "JPEG"), c.limit)
                                        : PhotoPreparation::prepare(image, c.limit);
        ASSERT_TRUE(photo.isReady()) << photo.error.toStdString();
        EXPECT_LE(photo.jpeg.size(), c.limit);
        EXPECT_TRUE(photo.jpeg.startsWith("\xFF\xD8\xFF"));
        const QImage decoded = QImage::fromData(photo.jpeg, "JPEG");
        EXPECT_EQ(decoded.size(), photo.size);
        EXPECT_TRUE(c.exact.isEmpty() || photo.size == c.exact)
            << photo.size.width() << 'x' << photo.size.height();
        EXPECT_LE(std::max(photo.size.width(), photo.size.height()), PhotoPreparation::maxSide);
        const double aspect = double(c.input.width()) / c.input.height();
        EXPECT_NEAR(double(photo.size.width()) / photo.size.height(), aspect, aspect * 0.01);
        if (c.format == clear) {
            EXPECT_GT(qGray(decoded.pixel(decoded.width() - 1, 0)), 200) << "a white corner";
        }
    }
}

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

} // namespace
