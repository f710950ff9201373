#include "qrscanworker.h"

#include <QMetaObject>

QrScanWorker::QrScanWorker(QObject *parent, Decode decode)
    : QObject(parent), m_decode(std::move(decode)), m_thread([this] { run(); }) {}

QrScanWorker::~QrScanWorker() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
        m_waiting.reset();
    }
    m_wake.notify_one();
    m_thread.join();
}

void QrScanWorker::submit(const QVideoFrame &frame) {
    {
        std::lock_guard lock(m_mutex);
        if (m_waiting)
            ++m_replaced;
        m_waiting = frame;
    }
    m_wake.notify_one();
}

quint64 QrScanWorker::decodedFrames() const {
    std::lock_guard lock(m_mutex);
    return m_decoded;
}

quint64 QrScanWorker::replacedFrames() const {
    std::lock_guard lock(m_mutex);
    return m_replaced;
}

void QrScanWorker::run() {
    for (;;) {
        QVideoFrame frame;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_stopping || m_waiting.has_value(); });
            if (m_stopping)
                return;
            frame = *m_waiting;
            m_waiting.reset();
        }
        std::optional<QrCode> code = m_decode(frame);
        {
            std::lock_guard lock(m_mutex);
            ++m_decoded;
            m_results.push_back(std::move(code));
        }
        // Queued to this object's thread; dropped with the object if it is gone by then. The
        // result itself travels under m_mutex, not inside the queued call: Qt's event queue
        // locks inside Qt, where ThreadSanitizer cannot see it.
        QMetaObject::invokeMethod(this, "deliverResult", Qt::QueuedConnection);
    }
}

void QrScanWorker::deliverResult() {
    std::optional<QrCode> code;
    {
        std::lock_guard lock(m_mutex);
        if (m_results.empty())
            return;
        code = std::move(m_results.front());
        m_results.pop_front();
    }
    // One result per call: a receiver may delete this worker.
    if (code)
        Q_EMIT codeFound(*code);
    else
        Q_EMIT nothingFound();
}
