#pragma once

#include <functional>
#include <memory>
#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QUrl>

class QHttpMultiPart;
class QNetworkAccessManager;

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
};

struct HttpReply {
    int status = 0; // 0: no HTTP answer at all (refused, timed out, cancelled)
    QByteArray body;
    QByteArray contentType;
    QString error;
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

class HttpTransport : public Transport {
public:
    HttpTransport();
    ~HttpTransport() override;
    TransportJob *send(const HttpRequest &request) override;
    static QNetworkAccessManager &networkAccessManager();
    // Runs the event loop until every request in flight has been sent whole (Qt's HTTP thread
    // asks the main thread for the body), or maxMs have passed; true if all were sent.
    static bool sendPending(int maxMs);
};
