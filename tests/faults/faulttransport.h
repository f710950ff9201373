#pragma once

#include "transport.h"

#include <functional>
#include <QList>
#include <QPointer>

// A transport whose every answer comes from `answer`, delivered on the next turn of the event
// loop as a real reply would be. Tests point `answer` at a fault or at a good reply.
class FaultTransport : public Transport {
public:
    class Job : public TransportJob {
    public:
        void cancel() override { cancelled = true; }
        bool cancelled = false;
    };

    ~FaultTransport() override;
    TransportJob *send(const HttpRequest &request) override;

    std::function<HttpReply(const HttpRequest &)> answer;
    QList<HttpRequest> sent;

private:
    QList<QPointer<Job>> m_jobs;
};
