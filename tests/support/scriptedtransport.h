#pragma once

#include "transport.h"

#include <QJsonDocument>
#include <QList>
#include <QPointer>
#include <QVariant>

// A transport for tests: records every request and answers only when the test says so.
class ScriptedTransport : public Transport {
public:
    class Job : public TransportJob {
    public:
        void cancel() override { cancelled = true; }
        void answer(const HttpReply &reply) {
            if (!cancelled && !answered) {
                answered = true;
                Q_EMIT finished(reply);
            }
        }
        bool cancelled = false;
        bool answered = false;
    };

    struct Sent {
        HttpRequest request;
        QPointer<Job> job;
        // The JSON body decoded (for /sp posts), or an invalid variant.
        QVariantMap json() const;
        // The form parameters decoded (for form posts).
        QMap<QString, QString> form() const;
        QString path() const { return request.url.path(); }
    };

    ~ScriptedTransport() override;
    TransportJob *send(const HttpRequest &request) override;

    QList<Sent> sent;

    // Answers the request at `index` (default: the latest) with JSON, raw bytes, or a failure.
    void reply(int index, const QVariant &json, int status = 200);
    void replyLast(const QVariant &json, int status = 200) {
        reply(int(sent.size()) - 1, json, status);
    }
    void replyRaw(int index, const QByteArray &body, int status = 200);
    void fail(int index, const QString &error = QStringLiteral("Connection refused"));

    // The requests whose "SPName" is `spName`.
    QList<Sent> withSPName(const QString &spName) const;

private:
    // Every job made, so a test may clear `sent` without leaking them.
    QList<QPointer<Job>> m_jobs;
};

// Installs a fresh ScriptedTransport for the life of a test.
class ScriptedTransportScope {
public:
    ScriptedTransportScope() : transport(new ScriptedTransport) { Transport::install(transport); }
    ~ScriptedTransportScope() { Transport::install(nullptr); }
    ScriptedTransport *operator->() const { return transport; }
    ScriptedTransport *transport;
};
