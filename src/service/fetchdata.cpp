#include "fetchdata.h"

#include "datatask.h"
#include "dbconnection.h"
#include "offthread.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

void FetchTask::cancel() {
    *m_cancelled = true;
    if (m_job)
        m_job->cancel();
}

std::shared_ptr<FetchTask>
fetchDATA::send(const HttpRequest &request, QObject *context,
                std::function<void(const HttpReply &, const StillWanted &)> done) {
    TransportJob *job = Transport::shared().send(request);
    auto task = std::make_shared<FetchTask>(job);
    const bool hasContext = context != nullptr;
    QPointer<QObject> guard(context);
    // Asked on arrival, and again after any work done in between (decoding a large reply).
    const std::function<bool()> stillWanted = [cancelled = task->cancelledFlag(), hasContext,
                                               guard] {
        return !*cancelled && (!hasContext || !guard.isNull());
    };
    QObject::connect(job, &TransportJob::finished, job,
                     [stillWanted, done](const HttpReply &reply) {
                         if (stillWanted())
                             done(reply, stillWanted);
                     });
    return task;
}

void fetchDATA::decodeThen(const HttpReply &reply, const std::function<bool()> &stillWanted,
                           std::function<void(const QVariant &)> deliver) {
    if (reply.prepared) { // decoded by the transport, off this thread
        deliver(*reply.prepared);
        return;
    }
    const QByteArray &body = reply.body;
    if (body.size() < largeReplyBytes) {
        deliver(datatask::decode(body));
        return;
    }
    // A large reply is decoded off the GUI thread so the screen keeps drawing; the result
    // comes back to the main thread.
    OffThread::run(
        nullptr, [body] { return datatask::decode(body); },
        [stillWanted, deliver](const QVariant &result) {
            if (stillWanted())
                deliver(result);
        });
}

std::shared_ptr<FetchTask> fetchDATA::nodefetchD(const QVariantMap &parameters,
                                                 FetchCompletion completion, QObject *context,
                                                 const QString &url, int timeoutMs) {
    HttpRequest request;
    request.url = QUrl(url.isEmpty() ? nodedb2 + QStringLiteral("/sp") : url);
    request.contentType = "application/json";
    request.body =
        QJsonDocument(QJsonObject::fromVariantMap(parameters)).toJson(QJsonDocument::Compact);
    request.timeoutMs = timeoutMs;
    request.prepare = datatask::decode;
    return send(request, context, [completion](const HttpReply &reply, const auto &stillWanted) {
        if (!reply.ok())
            completion(QVariant());
        else
            decodeThen(reply, stillWanted, completion);
    });
}

std::shared_ptr<FetchTask>
fetchDATA::DataTask(QObject *sender, const QString &url, const QMap<QString, QString> &parameters,
                    const QString &returnType, FetchCompletion completion,
                    const QList<QPair<QByteArray, QByteArray>> &headers) {
    HttpRequest request;
    request.url = QUrl(url);
    request.headers = headers;
    request.contentType = "application/x-www-form-urlencoded";
    request.body = formEncode(parameters);
    const bool asText = returnType == QLatin1String("N");
    if (!asText)
        request.prepare = datatask::decode;
    return send(request, sender,
                [completion, asText](const HttpReply &reply, const auto &stillWanted) {
                    if (!reply.ok())
                        completion(QVariant());
                    else if (asText)
                        completion(QString::fromUtf8(reply.body));
                    else
                        decodeThen(reply, stillWanted, completion);
                });
}

QByteArray fetchDATA::formEncode(const QMap<QString, QString> &parameters) {
    QByteArray body;
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it) {
        if (!body.isEmpty())
            body += '&';
        body += QUrl::toPercentEncoding(it.key());
        body += '=';
        body += QUrl::toPercentEncoding(it.value());
    }
    return body;
}
