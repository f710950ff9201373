#pragma once

#include "transport.h"

#include <functional>
#include <memory>
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// A framework request that can be cancelled; a cancelled request never calls its completion,
// even when the caller lets go of this handle.
class FetchTask {
public:
    explicit FetchTask(TransportJob *job) : m_job(job) {}
    void cancel();
    bool isCancelled() const { return *m_cancelled; }
    // Shared with the reply's handler, so the cancellation outlives this handle.
    std::shared_ptr<const bool> cancelledFlag() const { return m_cancelled; }

private:
    QPointer<TransportJob> m_job;
    std::shared_ptr<bool> m_cancelled = std::make_shared<bool>(false);
};

using FetchCompletion = std::function<void(const QVariant &response)>;

// The framework's two server calls. Completions run on the main thread. When a context object
// is given, the completion is dropped if that object is gone by the time the reply arrives.
// A failed call (no answer, non-2xx, a body that is not JSON) completes with an invalid
// variant, which every reader takes as "no rows".
class fetchDATA {
public:
    // POSTs {"SPName", "JSONData", "withStrings"} as JSON to nodedb2 + "/sp" (or `url`).
    static std::shared_ptr<FetchTask>
    nodefetchD(const QVariantMap &parameters, FetchCompletion completion,
               QObject *context = nullptr, const QString &url = QString(), int timeoutMs = 30000);

    // POSTs form-encoded string parameters to `url`. returnType "J" completes with decoded
    // JSON, "N" with the body as text (QString).
    // `headers` go with the request as they are (a save's idempotency key).
    static std::shared_ptr<FetchTask>
    DataTask(QObject *sender, const QString &url, const QMap<QString, QString> &parameters,
             const QString &returnType, FetchCompletion completion,
             const QList<QPair<QByteArray, QByteArray>> &headers = {});

    // Form encoding that keeps every character as typed: only unreserved characters stay
    // literal, so "+", "&", "=" and spaces arrive intact.
    static QByteArray formEncode(const QMap<QString, QString> &parameters);

    // `done` gets the reply on the main thread, unless the request was cancelled or its
    // context is gone by then.
    static std::shared_ptr<FetchTask> send(const HttpRequest &request, QObject *context,
                                           std::function<void(const HttpReply &)> done);

    // The JSON body of a successful reply: as the transport decoded it on its own thread, or
    // decoded here when it did not.
    static QVariant decoded(const HttpReply &reply);
};
