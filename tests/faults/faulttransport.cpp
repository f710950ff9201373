#include "faulttransport.h"

#include <QTimer>

FaultTransport::~FaultTransport() {
    for (const QPointer<Job> &job : m_jobs)
        delete job.data();
}

TransportJob *FaultTransport::send(const HttpRequest &request) {
    auto *job = new Job;
    m_jobs.append(job);
    sent.append(request);
    const HttpReply reply = answer ? answer(request) : HttpReply{};
    QTimer::singleShot(0, job, [job, reply] {
        if (!job->cancelled)
            Q_EMIT job->finished(reply);
    });
    return job;
}
