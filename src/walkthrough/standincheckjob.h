#pragma once

#include "fetchdata.h"

#include <memory>
#include <QList>
#include <QObject>
#include <QUrl>
#include <QVariantMap>

// Asks the servers the walkthrough may talk to whether they are the stand-in server, before
// the walkthrough sends anything else. Reports once: accepted when every address answered with
// the stand-in's identity, refused as soon as one did not.
class StandInCheckJob : public QObject {
    Q_OBJECT
public:
    static constexpr int timeoutMs = 5000;

    // One identity address per distinct server base of every set the login can choose. The
    // login may switch to any set and a later start keeps it, so a set pointing elsewhere is
    // refused even while another one is in use.
    static QList<QUrl> identityAddresses(const QVariantMap &serverSets);
    // Empty when the reply is the stand-in's identity; otherwise why it is not.
    static QString refusalReason(const HttpReply &reply);

    explicit StandInCheckJob(QList<QUrl> addresses, QObject *parent = nullptr);
    ~StandInCheckJob() override;
    void start();

Q_SIGNALS:
    void finished(bool standIn, const QString &message);

private:
    void answered(const QUrl &address, const HttpReply &reply);
    void finish(bool standIn, const QString &message);

    QList<QUrl> m_addresses;
    QList<std::shared_ptr<FetchTask>> m_tasks;
    qsizetype m_pending = 0;
    bool m_finished = false;
};
