#pragma once

#include <functional>
#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>

// The main (GUI) thread's queue: work handed here runs on a later turn of the event loop,
// in the order it was queued, never inside the caller.
namespace MainQueue {

inline void async(std::function<void()> work) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

// Dropped when `context` is destroyed before the queue gets to it.
inline void async(QObject *context, std::function<void()> work) {
    if (!context)
        return;
    QMetaObject::invokeMethod(context, std::move(work), Qt::QueuedConnection);
}

} // namespace MainQueue
