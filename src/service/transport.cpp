#include "transport.h"

#include "offthread.h"

#include <atomic>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHttpMultiPart>
#include <QLoggingCategory>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>

Q_LOGGING_CATEGORY(lcHttp, "seclog.http")

namespace {

std::unique_ptr<Transport> &current() {
    static std::unique_ptr<Transport> transport;
    return transport;
}

// The HTTP thread is stopped with the application, while Qt is still whole; a transport
// installed by a test is left to its owner.
void stopSharedHttpTransport() {
    if (dynamic_cast<HttpTransport *>(current().get()))
        current().reset();
}

// One request, shared by its job on the main thread and the HTTP thread. The request is
// written before it is handed over and only read after; `reply` belongs to the HTTP thread.
struct Exchange {
    HttpRequest request;
    // The form to send, owned by the job (see there).
    QHttpMultiPart *form = nullptr;
    std::atomic<bool> cancelled{false};
    QPointer<QNetworkReply> reply;
};

class NetworkJob : public TransportJob {
public:
    NetworkJob(std::shared_ptr<Exchange> exchange, QObject *worker, QObject *parent)
        : TransportJob(parent), m_exchange(std::move(exchange)), m_worker(worker),
          m_multipart(std::move(m_exchange->request.multipart)) {
        m_exchange->form = m_multipart.get();
    }

    void cancel() override {
        m_exchange->cancelled = true;
        OffThread::post(m_worker, [exchange = m_exchange] {
            if (exchange->reply)
                exchange->reply->abort();
        });
    }

    // On the main thread, once.
    void deliver(const HttpReply &reply) {
        deleteLater();
        if (!m_exchange->cancelled)
            Q_EMIT finished(reply);
    }

private:
    std::shared_ptr<Exchange> m_exchange;
    QObject *m_worker;
    // The form is read on the HTTP thread but made, and so let go of, on the main thread. The
    // job lasts until its reply has finished.
    std::shared_ptr<QHttpMultiPart> m_multipart;
};

} // namespace

class HttpTransport::Worker : public QObject {
public:
    explicit Worker(QObject *jobs) : m_jobs(jobs) {}

    // On the HTTP thread.
    void start(const std::shared_ptr<Exchange> &exchange, QPointer<NetworkJob> job) {
        if (exchange->cancelled) {
            handBack(job, HttpReply());
            return;
        }
        const HttpRequest &request = exchange->request;
        QNetworkRequest req(request.url);
        req.setTransferTimeout(request.timeoutMs);
        if (!request.contentType.isEmpty())
            req.setHeader(QNetworkRequest::ContentTypeHeader, request.contentType);
        for (const auto &[name, value] : request.headers)
            req.setRawHeader(name, value);
        QNetworkReply *reply = nullptr;
        if (request.method == "GET")
            reply = manager().get(req);
        else if (exchange->form)
            reply = manager().sendCustomRequest(req, request.method, exchange->form);
        else
            reply = manager().sendCustomRequest(req, request.method, request.body);
        exchange->reply = reply;
        QElapsedTimer clock;
        clock.start();
        connect(reply, &QNetworkReply::finished, this, [this, reply, exchange, job, clock] {
            reply->deleteLater();
            HttpReply result;
            result.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            result.body = reply->readAll();
            result.contentType = reply->header(QNetworkRequest::ContentTypeHeader).toByteArray();
            if (reply->error() != QNetworkReply::NoError)
                result.error = reply->errorString();
            if (result.ok() && exchange->request.prepare && !exchange->cancelled)
                result.prepared = exchange->request.prepare(result.body);
            qCDebug(lcHttp).noquote() << reply->operation() << reply->url().toString() << "->"
                                      << result.status << result.error << clock.elapsed() << "ms";
            handBack(job, result);
        });
    }

    QNetworkAccessManager &manager() {
        if (!m_manager)
            m_manager = new QNetworkAccessManager(this);
        return *m_manager;
    }

private:
    void handBack(QPointer<NetworkJob> job, const HttpReply &reply) {
        OffThread::post(m_jobs, [job, reply] {
            if (job)
                job->deliver(reply);
        });
    }

    QObject *m_jobs;
    QNetworkAccessManager *m_manager = nullptr;
};

Transport &Transport::shared() {
    if (!current())
        current() = std::make_unique<HttpTransport>();
    return *current();
}

void Transport::install(Transport *transport) {
    current().reset(transport);
}

HttpTransport::HttpTransport() : m_thread(new QThread), m_worker(new Worker(&m_jobs)) {
    m_thread->setObjectName(QStringLiteral("seclog-http"));
    m_worker->moveToThread(m_thread);
    m_thread->start();
    qAddPostRoutine(stopSharedHttpTransport);
}

HttpTransport::~HttpTransport() {
    // The manager and its replies end on their own thread; replies still in flight never
    // report, and their jobs go with m_jobs.
    OffThread::post(
        m_worker, [worker = m_worker] { delete worker; }, true);
    m_thread->quit();
    m_thread->wait();
    delete m_thread;
}

TransportJob *HttpTransport::send(const HttpRequest &request) {
    auto exchange = std::make_shared<Exchange>();
    exchange->request = request;
    auto *job = new NetworkJob(exchange, m_worker, &m_jobs);
    OffThread::post(m_worker, [worker = m_worker, exchange, job = QPointer<NetworkJob>(job)] {
        worker->start(exchange, job);
    });
    return job;
}

void HttpTransport::closeIdleConnections() {
    OffThread::post(
        m_worker, [worker = m_worker] { worker->manager().clearConnectionCache(); }, true);
}
