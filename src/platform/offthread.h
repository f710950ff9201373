#pragma once

#include <memory>
#include <optional>
#include <QFutureWatcher>
#include <QObject>
#include <QtConcurrent/QtConcurrentRun>
#include <QThreadPool>
#include <type_traits>
#include <utility>

#if defined(__SANITIZE_THREAD__)
#define SECLOG_OFFTHREAD_TSAN 1
#elif defined(__has_feature)
#if __has_feature(thread_sanitizer)
#define SECLOG_OFFTHREAD_TSAN 1
#endif
#endif

#ifdef SECLOG_OFFTHREAD_TSAN
extern "C" {
void AnnotateHappensBefore(const char *file, int line, const volatile void *address);
void AnnotateHappensAfter(const char *file, int line, const volatile void *address);
void AnnotateIgnoreWritesBegin(const char *file, int line);
void AnnotateIgnoreWritesEnd(const char *file, int line);
}
#endif

// Work done on a pool thread, its result handed back to the thread that asked for it.
//
// Qt hands a task to its pool thread, and reports it finished, under its own locks. In a
// ThreadSanitizer build Qt itself is not instrumented, so those locks are invisible and every
// value crossing the two threads would look like a race. The job therefore says what Qt
// guarantees: the caller's data is published before the task starts, the result before the
// task ends, and Qt's own writes of the task object on the calling thread are not recorded.
// Elsewhere the annotations compile to nothing.
namespace OffThread {

namespace detail {

inline void publish([[maybe_unused]] const void *job) {
#ifdef SECLOG_OFFTHREAD_TSAN
    AnnotateHappensBefore(__FILE__, __LINE__, job);
#endif
}

inline void receive([[maybe_unused]] const void *job) {
#ifdef SECLOG_OFFTHREAD_TSAN
    AnnotateHappensAfter(__FILE__, __LINE__, job);
#endif
}

// Qt's task object is built on the calling thread and read on the pool thread.
class UnrecordedWrites {
public:
    UnrecordedWrites() {
#ifdef SECLOG_OFFTHREAD_TSAN
        AnnotateIgnoreWritesBegin(__FILE__, __LINE__);
#endif
    }
    ~UnrecordedWrites() {
#ifdef SECLOG_OFFTHREAD_TSAN
        AnnotateIgnoreWritesEnd(__FILE__, __LINE__);
#endif
    }
    UnrecordedWrites(const UnrecordedWrites &) = delete;
    UnrecordedWrites &operator=(const UnrecordedWrites &) = delete;
};

} // namespace detail

// Runs `work()` on a thread of `pool` (the global pool when null) and returns at once. `done`
// gets work's result on the calling thread, on a later turn of its event loop, and never once
// `context` (when given) is gone.
template <typename Work, typename Done>
void run(QObject *context, Work work, Done done, QThreadPool *pool = nullptr) {
    using Result = std::invoke_result_t<Work &>;
    struct Job {
        Work work;
        std::optional<Result> result;
    };
    auto job = std::make_shared<Job>(Job{std::move(work), std::nullopt});

    auto *watcher = new QFutureWatcher<void>();
    QObject::connect(watcher, &QFutureWatcher<void>::finished, watcher, &QObject::deleteLater);
    QObject::connect(watcher, &QFutureWatcher<void>::finished, context ? context : watcher,
                     [job, done = std::move(done)]() mutable {
                         detail::receive(job.get());
                         if (job->result)
                             done(std::move(*job->result));
                     });

    detail::publish(job.get());
    QFuture<void> future;
    {
        detail::UnrecordedWrites unrecorded;
        future = QtConcurrent::run(pool ? pool : QThreadPool::globalInstance(), [job] {
            detail::receive(job.get());
            job->result.emplace(job->work());
            detail::publish(job.get());
        });
    }
    watcher->setFuture(future);
}

// Runs `work` on the thread `receiver` lives in, on a later turn of its event loop; with `wait`,
// returns once it has run (never from `receiver`'s own thread). What the caller wrote before is
// seen by `work`, and with `wait` what `work` wrote is seen by the caller after.
template <typename Work> void post(QObject *receiver, Work work, bool wait = false) {
    auto held = std::make_shared<Work>(std::move(work));
    detail::publish(held.get());
    {
        detail::UnrecordedWrites unrecorded;
        QMetaObject::invokeMethod(
            receiver,
            [held] {
                detail::receive(held.get());
                (*held)();
                detail::publish(held.get());
            },
            wait ? Qt::BlockingQueuedConnection : Qt::QueuedConnection);
    }
    if (wait)
        detail::receive(held.get());
}

// Lets go of `value` on a thread of the global pool: freeing a large reply's rows (hundreds of
// thousands of strings) takes tens of milliseconds the GUI thread should spend drawing. What
// the value shares with others only loses a reference there.
template <typename T> void release(T value) {
    auto held = std::make_shared<T>(std::move(value));
    detail::publish(held.get());
    detail::UnrecordedWrites unrecorded;
    QThreadPool::globalInstance()->start([held = std::move(held)]() mutable {
        detail::receive(held.get());
        held.reset();
    });
}

} // namespace OffThread
