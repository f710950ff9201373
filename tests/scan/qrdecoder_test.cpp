#include "cameraframes.h"
#include "previewmapping.h"
#include "qrdecoder.h"
#include "qrscanworker.h"
#include "qrscenes.h"

#include <atomic>
#include <gtest/gtest.h>
#include <QTest>
#include <QThread>

namespace {

const QString kCode = "DC/SPN/26-27/0142";

struct SceneCase {
    const char *name;
    int module;
    qreal angle;
    int dark, light;
    QVideoFrameFormat::PixelFormat format;
};

class DecodeSceneTest : public ::testing::TestWithParam<SceneCase> {};

TEST_P(DecodeSceneTest, ReadsTheCodeFromTheFrameAsTheCameraGivesIt) {
    const SceneCase &c = GetParam();
    const QVideoFrame frame = CameraFrames::fromImage(
        QrScenes::scene(kCode, c.module, c.angle, c.dark, c.light), c.format);
    ASSERT_TRUE(frame.isValid());
    const auto code = QrDecoder::decodeFrame(frame);
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(code->text, kCode);
    EXPECT_EQ(code->frameSize, QSize(1280, 720));
    // The corners lie around the frame's centre, where the code was put.
    const QRectF bounds = PreviewMapping::codeBounds(*code, QSizeF(1280, 720));
    EXPECT_TRUE(bounds.contains(QPointF(640, 360)));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Table, DecodeSceneTest,
    ::testing::Values(
        SceneCase{"SmallNV12", 3, 0, 20, 235, QVideoFrameFormat::Format_NV12},
        SceneCase{"LargeNV12", 12, 0, 20, 235, QVideoFrameFormat::Format_NV12},
        SceneCase{"TurnedNV12", 6, 17, 20, 235, QVideoFrameFormat::Format_NV12},
        SceneCase{"UpsideDownYUYV", 6, 180, 20, 235, QVideoFrameFormat::Format_YUYV},
        SceneCase{"DimRoomUYVY", 6, 8, 5, 70, QVideoFrameFormat::Format_UYVY},
        SceneCase{"PlainXRGB", 6, 0, 20, 235, QVideoFrameFormat::Format_XRGB8888},
        SceneCase{"BrightNV12", 6, 0, 140, 250, QVideoFrameFormat::Format_NV12},
        SceneCase{"LowContrastBGRX", 6, 30, 100, 160, QVideoFrameFormat::Format_BGRX8888},
        SceneCase{"TurnedRGBX", 5, 45, 30, 220, QVideoFrameFormat::Format_RGBX8888}),
    [](const auto &info) { return std::string(info.param.name); });
// clang-format on

TEST(DecodeFrame, OddFramesGiveNothingAndNeverCrash) {
    EXPECT_FALSE(QrDecoder::decodeFrame(QVideoFrame()).has_value());
    QImage tiny(2, 2, QImage::Format_RGB32);
    tiny.fill(Qt::white);
    EXPECT_FALSE(QrDecoder::decodeFrame(CameraFrames::fromImage(tiny)).has_value());
    // A format the decoder cannot read in place is not read at all.
    QVideoFrame jpeg(QVideoFrameFormat(QSize(64, 64), QVideoFrameFormat::Format_Jpeg));
    EXPECT_FALSE(QrDecoder::decodeFrame(jpeg).has_value());
    LuminanceView shortPlane;
    EXPECT_FALSE(QrDecoder::decode(shortPlane).has_value());
}

TEST(DecodeFrame, TextOfAnyBytesComesBackWhole) {
    const QString text = QString::fromUtf8("بضاعة\x01 DC\t\"x\" 😀 ") + QString(300, QChar('A'));
    const auto code =
        QrDecoder::decodeFrame(CameraFrames::fromImage(QrScenes::scene(text, 3, 0, 20, 235)));
    ASSERT_TRUE(code.has_value());
    EXPECT_EQ(code->text, text);
}

TEST(PreviewMappingTest, FillsThePreviewKeepingTheCentre) {
    QrCode code;
    code.frameSize = QSize(1280, 720);
    code.corners = {QPointF(640, 360), QPointF(740, 360), QPointF(740, 460), QPointF(640, 460)};
    // A 400x800 portrait preview: the 16:9 frame is scaled by 800/720 and its sides cut off.
    const QRectF bounds = PreviewMapping::codeBounds(code, QSizeF(400, 800));
    const qreal scale = 800.0 / 720.0;
    EXPECT_NEAR(bounds.left(), 200, 1e-9);
    EXPECT_NEAR(bounds.top(), 400, 1e-9);
    EXPECT_NEAR(bounds.width(), 100 * scale, 1e-9);
    EXPECT_TRUE(PreviewMapping::codeBounds(code, QSizeF()).isEmpty());
}

// ---- the one-frame mailbox

TEST(QrScanWorkerTest, ASlowDecoderNeverHoldsTheCamera) {
    std::atomic<int> running{0};
    QrScanWorker worker(nullptr, [&](const QVideoFrame &) -> std::optional<QrCode> {
        ++running;
        QThread::msleep(40);
        return QrCode{kCode, {}, QSize(8, 8)};
    });
    int found = 0;
    QObject::connect(&worker, &QrScanWorker::codeFound, [&](const QrCode &code) {
        EXPECT_EQ(code.text, kCode);
        ++found;
    });
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QVideoFrame frame = CameraFrames::fromImage(image);
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < 30; ++i) // a second of frames at 30 per second, handed over at once
        worker.submit(frame);
    EXPECT_LT(clock.elapsed(), 30); // the camera never waited on a decode
    ASSERT_TRUE(QTest::qWaitFor([&] { return found >= 1; }, 2000));
    QTest::qWait(150); // long enough for a backlog, had there been one, to show
    // Only the frame being read and the newest one were ever decoded; the rest were replaced.
    EXPECT_LE(worker.decodedFrames(), 2u);
    EXPECT_EQ(worker.decodedFrames() + worker.replacedFrames(), 30u);
    EXPECT_EQ(quint64(found), worker.decodedFrames());
}

// Reads reach the main thread in the order they were made, codes and misses alike, however
// many wait; a receiver that deletes the worker hears no more.
TEST(QrScanWorkerTest, ResultsArriveInOrderAndEndWithTheWorker) {
    std::atomic<int> calls{0};
    // Every even read finds a code of its own, made on the worker's thread.
    const QrScanWorker::Decode decode = [&](const QVideoFrame &) -> std::optional<QrCode> {
        const int n = calls++;
        if (n % 2)
            return std::nullopt;
        return QrCode{QStringLiteral("code-%1").arg(n), {}, QSize(8, 8)};
    };
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QVideoFrame frame = CameraFrames::fromImage(image);

    QStringList heard;
    {
        QrScanWorker worker(nullptr, decode);
        QObject::connect(&worker, &QrScanWorker::codeFound,
                         [&](const QrCode &code) { heard.append(code.text); });
        QObject::connect(&worker, &QrScanWorker::nothingFound, [&] { heard.append("-"); });
        for (quint64 i = 1; i <= 4; ++i) { // each read before the next frame: none replaced
            worker.submit(frame);
            ASSERT_TRUE(QTest::qWaitFor([&] { return worker.decodedFrames() == i; }, 2000));
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return heard.size() == 4; }, 2000));
    }
    EXPECT_EQ(heard, (QStringList{"code-0", "-", "code-2", "-"}));

    calls = 0;
    auto *worker = new QrScanWorker(nullptr, decode);
    int told = 0;
    QObject::connect(worker, &QrScanWorker::codeFound, [&](const QrCode &) {
        ++told;
        delete worker;
    });
    QObject::connect(worker, &QrScanWorker::nothingFound, [&] { ++told; });
    worker->submit(frame);
    while (worker->decodedFrames() < 1)
        QThread::msleep(1); // no event processing: the first result waits in the queue
    worker->submit(frame);
    while (worker->decodedFrames() < 2)
        QThread::msleep(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return told == 1; }, 2000));
    QTest::qWait(50);
    EXPECT_EQ(told, 1) << "the miss read after the code went with the worker";
}

} // namespace
