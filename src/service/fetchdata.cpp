#include "fetchdata.h"

#include "datatask.h"
#include "dbconnection.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QUrl>

void FetchTask::cancel() {
    *m_cancelled = true;
    if (m_job)
        m_job->cancel();
}

std::shared_ptr<FetchTask> fetchDATA::send(const HttpRequest &request, QObject *context,
                                           std::function<void(const HttpReply &)> done) {
    TransportJob *job = Transport::shared().send(request);
    auto task = std::make_shared<FetchTask>(job);
    const bool hasContext = context != nullptr;
    QPointer<QObject> guard(context);
    QObject::connect(
        job, &TransportJob::finished, job,
        [cancelled = task->cancelledFlag(), hasContext, guard, done](const HttpReply &reply) {
            if (!*cancelled && (!hasContext || !guard.isNull()))
                done(reply);
        });
    return task;
}

QVariant fetchDATA::decoded(const HttpReply &reply) {
    // The HTTP transport decodes on its own thread; a scripted one leaves it to this one.
    return reply.prepared ? *reply.prepared : datatask::decode(reply.body);
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
    return send(request, context, [completion](const HttpReply &reply) {
        completion(reply.ok() ? decoded(reply) : QVariant());
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
    return send(request, sender, [completion, asText](const HttpReply &reply) {
        if (!reply.ok())
            completion(QVariant());
        else if (asText)
            completion(QString::fromUtf8(reply.body));
        else
            completion(decoded(reply));
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
