#include "scriptedtransport.h"

#include <QJsonObject>
#include <QUrlQuery>

QVariantMap ScriptedTransport::Sent::json() const {
    return QJsonDocument::fromJson(request.body).object().toVariantMap();
}

QMap<QString, QString> ScriptedTransport::Sent::form() const {
    QMap<QString, QString> params;
    for (const QByteArray &pair : request.body.split('&')) {
        if (pair.isEmpty())
            continue;
        const int eq = pair.indexOf('=');
        const QByteArray key = eq < 0 ? pair : pair.left(eq);
        const QByteArray value = eq < 0 ? QByteArray() : pair.mid(eq + 1);
        // Strict decoding: "+" is a literal plus here, as the client percent-encodes spaces.
        params.insert(QUrl::fromPercentEncoding(key), QUrl::fromPercentEncoding(value));
    }
    return params;
}

ScriptedTransport::~ScriptedTransport() {
    for (const QPointer<Job> &job : m_jobs)
        delete job.data();
}

TransportJob *ScriptedTransport::send(const HttpRequest &request) {
    auto *job = new Job;
    m_jobs.append(job);
    sent.append({request, job});
    return job;
}

void ScriptedTransport::reply(int index, const QVariant &json, int status) {
    replyRaw(index, QJsonDocument::fromVariant(json).toJson(QJsonDocument::Compact), status);
}

void ScriptedTransport::replyRaw(int index, const QByteArray &body, int status) {
    if (index < 0 || index >= sent.size() || !sent[index].job)
        return;
    HttpReply r;
    r.status = status;
    r.body = body;
    sent[index].job->answer(r);
}

void ScriptedTransport::fail(int index, const QString &error) {
    if (index < 0 || index >= sent.size() || !sent[index].job)
        return;
    HttpReply r;
    r.status = 0;
    r.error = error;
    sent[index].job->answer(r);
}

QList<ScriptedTransport::Sent> ScriptedTransport::withSPName(const QString &spName) const {
    QList<Sent> list;
    for (const Sent &s : sent)
        if (s.json().value(QStringLiteral("SPName")).toString() == spName)
            list.append(s);
    return list;
}
