#pragma once

#include "qrdecoder.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <QObject>
#include <QVideoFrame>
#include <thread>

// Decodes camera frames on a thread of its own. One frame at most waits for it: a newer frame
// replaces the waiting one, so the camera never waits on a decode and what is read is never
// more than a frame old. Results arrive on the thread the worker lives in (the main thread).
class QrScanWorker : public QObject {
    Q_OBJECT
public:
    using Decode = std::function<std::optional<QrCode>(const QVideoFrame &)>;

    // `decode` is the frame-to-code path (tests slow it down to see frames replaced).
    explicit QrScanWorker(QObject *parent = nullptr, Decode decode = QrDecoder::decodeFrame);
    ~QrScanWorker() override;

    // Hands a frame over and returns at once.
    void submit(const QVideoFrame &frame);

    // Frames decoded, and frames dropped because a newer one came before the decoder was free.
    quint64 decodedFrames() const;
    quint64 replacedFrames() const;

Q_SIGNALS:
    void codeFound(const QrCode &code);
    // A frame was read and held no code: the highlight goes.
    void nothingFound();

private:
    void run();
    // On the thread this object lives in: tells the oldest result not told yet.
    Q_INVOKABLE void deliverResult();

    Decode m_decode;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::optional<QVideoFrame> m_waiting;
    std::deque<std::optional<QrCode>> m_results; // read, not told yet: one queued call each
    bool m_stopping = false;
    quint64 m_decoded = 0;
    quint64 m_replaced = 0;
    std::thread m_thread;
};
