#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QUrl>
#include <QVariant>

class QHttpMultiPart;
class QThread;

struct HttpRequest {
    QByteArray method = "POST";
    QUrl url;
    QByteArray contentType;
    QByteArray body;
    // When set, the body is this multipart form instead, kept alive until the reply is done.
    std::shared_ptr<QHttpMultiPart> multipart;
    int timeoutMs = 30000;
    // Further headers, name and value, sent as given.
    QList<QPair<QByteArray, QByteArray>> headers;
    // Work on a successful (2xx) body that a transport with a thread of its own may do there,
    // before the reply reaches the main thread (decoding JSON, say). Pure: it touches nothing
    // but the body.
    std::function<QVariant(const QByteArray &body)> prepare;
};

struct HttpReply {
    int status = 0; // 0: no HTTP answer at all (refused, timed out, cancelled)
    QByteArray body;
    QByteArray contentType;
    QString error;
    // What `prepare` made of the body, when the transport ran it.
    std::optional<QVariant> prepared;
    bool ok() const { return status >= 200 && status < 300; }
};

// One request in flight. It finishes exactly once, on the main thread, unless cancelled:
// a cancelled job never reports.
class TransportJob : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    virtual void cancel() = 0;

Q_SIGNALS:
    void finished(const HttpReply &reply);
};

// How the framework reaches the server. The real one is HTTP; tests install a scripted one.
class Transport {
public:
    virtual ~Transport() = default;
    virtual TransportJob *send(const HttpRequest &request) = 0;

    static Transport &shared();
    // Takes ownership; null restores the HTTP transport.
    static void install(Transport *transport);
};

// HTTP on a thread of its own: requests go out and replies are read and prepared there, so a
// busy main thread (the views loading at launch) holds neither back. Finished replies are
// handed to the main thread in the order they finish.
class HttpTransport : public Transport {
public:
    HttpTransport();
    ~HttpTransport() override;
    TransportJob *send(const HttpRequest &request) override;
    // Drops idle keep-alive connections, so a server can stop without waiting for them.
    void closeIdleConnections();

private:
    class Worker;
    QThread *m_thread;
    Worker *m_worker; // lives on m_thread
    QObject m_jobs;   // parent of the jobs in flight, on the main thread
};
