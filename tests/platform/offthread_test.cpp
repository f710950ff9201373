#include "offthread.h"
#include "testapp.h"

#include <algorithm>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <QSemaphore>
#include <QThread>
#include <QThreadPool>
#include <QtTest/QTest>

namespace {

// What the work saw and what it made, checked on the main thread.
struct Outcome {
    int calls = 0;
    bool onMainThread = false;
    QStringList lines;
};

// Bytes written on the main thread just before the hand-over, read back on the pool thread:
// under ThreadSanitizer a missing hand-over shows as a race here.
QByteArray filledBytes(char fill) {
    QByteArray bytes(64 * 1024, '\0');
    for (char &byte : bytes)
        byte = fill;
    return bytes;
}

void runCounting(QThreadPool *pool, QObject *context, const QByteArray &bytes, Outcome &outcome) {
    OffThread::run(
        context,
        [bytes] {
            QStringList lines;
            for (int i = 0; i < 3; ++i)
                lines.append(
                    QString::number(std::count(bytes.cbegin(), bytes.cend(), bytes.at(0))) +
                    QLatin1Char('/') + QString::number(i));
            return std::make_pair(QThread::currentThread(), lines);
        },
        [&outcome](const std::pair<QThread *, QStringList> &result) {
            ++outcome.calls;
            outcome.onMainThread =
                QThread::currentThread() == qApp->thread() && result.first != qApp->thread();
            outcome.lines = result.second;
        },
        pool);
}

// The only pool thread is busy when the work is handed over, so it takes the work straight
// from Qt's queue without waiting: the hand-over Qt makes under its own lock. The result comes
// back on the caller's thread, unless the caller is gone by then.
TEST(OffThread, ResultComesBackToTheCallerFromABusyPoolUnlessItIsGone) {
    QThreadPool pool;
    pool.setMaxThreadCount(1);
    QSemaphore held;
    pool.start([&held] { held.acquire(); });

    auto *gone = new QObject;
    QObject stays;
    Outcome first, toGone, toStays;
    runCounting(&pool, nullptr, filledBytes('a'), first);
    runCounting(&pool, gone, filledBytes('b'), toGone);
    runCounting(&pool, &stays, filledBytes('c'), toStays);
    processEvents();
    EXPECT_EQ(first.calls, 0) << "done before the held pool thread was free";
    delete gone;
    held.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return toStays.calls == 1; }, 20000));
    pool.waitForDone();
    processEvents();
    EXPECT_EQ(toGone.calls, 0);
    for (const Outcome *outcome : {&first, &toStays}) {
        EXPECT_EQ(outcome->calls, 1);
        EXPECT_TRUE(outcome->onMainThread);
        EXPECT_EQ(outcome->lines, (QStringList{"65536/0", "65536/1", "65536/2"}));
    }
}

// A long list dropped by a screen is freed on a pool thread, whatever it shared with the
// caller stays whole on the caller's side.
TEST(OffThread, ReleasedValueIsFreedOnAPoolThread) {
    struct Tracked {
        std::shared_ptr<std::atomic<QThread *>> freedOn;
        QByteArray bytes;
        ~Tracked() { freedOn->store(QThread::currentThread()); }
    };
    auto freedOn = std::make_shared<std::atomic<QThread *>>(nullptr);
    const QByteArray shared = filledBytes('e');
    {
        auto value = std::make_unique<Tracked>(Tracked{freedOn, shared});
        freedOn->store(nullptr); // the temporary above is gone
        OffThread::release(std::move(value));
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return freedOn->load() != nullptr; }, 20000));
    EXPECT_NE(freedOn->load(), QThread::currentThread());
    EXPECT_EQ(shared, filledBytes('e'));
}

} // namespace
