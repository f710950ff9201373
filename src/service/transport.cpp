#include "transport.h"

#include <memory>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHttpMultiPart>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

Q_LOGGING_CATEGORY(lcHttp, "seclog.http")

namespace {

std::unique_ptr<Transport> &current() {
    static std::unique_ptr<Transport> transport;
    return transport;
}

// Replies whose request body has not gone out whole yet.
QList<QPointer<QNetworkReply>> &unsent() {
    static QList<QPointer<QNetworkReply>> replies;
    return replies;
}

void trackUntilSent(QNetworkReply *reply) {
    unsent().append(reply);
    QObject::connect(reply, &QNetworkReply::uploadProgress, reply,
                     [reply](qint64 sent, qint64 total) {
                         if (sent == total)
                             unsent().removeAll(reply);
                     });
    QObject::connect(reply, &QNetworkReply::finished, reply,
                     [reply] { unsent().removeAll(reply); });
}

class NetworkJob : public TransportJob {
public:
    NetworkJob(QNetworkReply *reply, std::shared_ptr<QHttpMultiPart> multipart)
        : m_reply(reply), m_multipart(std::move(multipart)) {
        m_clock.start();
        connect(reply, &QNetworkReply::finished, this, [this] { finish(); });
    }

    void cancel() override {
        m_cancelled = true;
        if (m_reply)
            m_reply->abort();
    }

private:
    void finish() {
        QNetworkReply *reply = m_reply;
        if (!reply)
            return;
        m_reply = nullptr;
        reply->deleteLater();
        deleteLater();
        if (m_cancelled)
            return;
        HttpReply result;
        result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.body = reply->readAll();
        result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
        if (reply->error() != QNetworkReply::NoError)
            result.error = reply->errorString();
        qCDebug(lcHttp).noquote() << reply->operation() << reply->url().toString() << "->"
                                  << result.status << result.error << m_clock.elapsed() << "ms";
        Q_EMIT finished(result);
    }

    QPointer<QNetworkReply> m_reply;
    std::shared_ptr<QHttpMultiPart> m_multipart; // the reply reads from it until it is done
    QElapsedTimer m_clock;
    bool m_cancelled = false;
};

} // namespace

Transport &Transport::shared() {
    if (!current())
        current() = std::make_unique<HttpTransport>();
    return *current();
}

void Transport::install(Transport *transport) {
    current().reset(transport);
}

HttpTransport::HttpTransport() = default;
HttpTransport::~HttpTransport() = default;

QNetworkAccessManager &HttpTransport::networkAccessManager() {
    static QNetworkAccessManager *manager = new QNetworkAccessManager();
    return *manager;
}

bool HttpTransport::sendPending(int maxMs) {
    QElapsedTimer clock;
    clock.start();
    auto done = [] {
        unsent().removeAll(nullptr); // replies deleted meanwhile
        return unsent().isEmpty();
    };
    while (!done() && clock.elapsed() < maxMs)
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 1);
    return done();
}

TransportJob *HttpTransport::send(const HttpRequest &request) {
    QNetworkRequest req(request.url);
    req.setTransferTimeout(request.timeoutMs);
    if (!request.contentType.isEmpty())
        req.setHeader(QNetworkRequest::ContentTypeHeader, request.contentType);
    for (const auto &[name, value] : request.headers)
        req.setRawHeader(name, value);
    QNetworkReply *reply = nullptr;
    auto &nam = networkAccessManager();
    if (request.method == "GET")
        reply = nam.get(req);
    else if (request.multipart)
        reply = nam.sendCustomRequest(req, request.method, request.multipart.get());
    else
        reply = nam.sendCustomRequest(req, request.method, request.body);
    if (request.method != "GET")
        trackUntilSent(reply);
    return new NetworkJob(reply, request.multipart);
}
