#include "standincheckjob.h"

#include "dbconnection.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {
const QString identityPath = QStringLiteral("/standin/identity");

// Bases the client appends its paths to ("/sp", "/verifyUser", "/SaveSecurityIOLog",
// "/upload", "/10_Reports/..."): asked there, exactly where those requests go.
constexpr const char *callBases[] = {"nodedb2", "DCdatabase", "servicesdatabase",
                                     "commonServicesdatabase", "reportServer"};
} // namespace

QList<QUrl> StandInCheckJob::identityAddresses(const QVariantMap &serverSets) {
    QList<QUrl> addresses;
    auto add = [&addresses](const QUrl &address) {
        if (!addresses.contains(address))
            addresses.append(address);
    };
    for (int sender = 0; sender < 3; ++sender) {
        const QVariantMap set = serverSets.value(ServerSets::nameOf(sender)).toMap();
        for (const char *key : callBases) {
            const QString base = set.value(QLatin1String(key)).toString();
            if (!base.isEmpty())
                add(QUrl(base + identityPath));
        }
        // The image base is a folder of stored files on its server: that server is asked at
        // its root, since under the folder every path is a file name.
        const QUrl images(set.value(QStringLiteral("imgdatabase")).toString());
        if (!images.isEmpty())
            add(images.resolved(QUrl(identityPath)));
    }
    return addresses;
}

QString StandInCheckJob::refusalReason(const HttpReply &reply) {
    if (reply.status == 0)
        return QStringLiteral("no answer (%1)")
            .arg(reply.error.isEmpty() ? QStringLiteral("no reply") : reply.error);
    if (!reply.ok())
        return QStringLiteral("HTTP %1").arg(reply.status);
    const QJsonDocument doc = QJsonDocument::fromJson(reply.body);
    const QJsonObject identity = doc.object();
    if (!doc.isObject() ||
        identity.value(QLatin1String("server")) != QLatin1String("seclog-server") ||
        identity.value(QLatin1String("standIn")) != QJsonValue(true))
        return QStringLiteral("the reply is not the stand-in server's identity");
    return QString();
}

StandInCheckJob::StandInCheckJob(QList<QUrl> addresses, QObject *parent)
    : QObject(parent), m_addresses(std::move(addresses)) {}

StandInCheckJob::~StandInCheckJob() {
    for (const auto &task : m_tasks)
        task->cancel();
}

void StandInCheckJob::start() {
    if (m_addresses.isEmpty())
        return finish(false, QStringLiteral("no server set names an address to check (server "
                                            "sets from %1)")
                                 .arg(ServerSets::configurationPath()));
    m_pending = m_addresses.size();
    for (const QUrl &address : std::as_const(m_addresses)) {
        HttpRequest request;
        request.method = "GET";
        request.url = address;
        request.timeoutMs = timeoutMs;
        m_tasks.append(fetchDATA::send(
            request, this, [this, address](const HttpReply &reply) { answered(address, reply); }));
    }
}

void StandInCheckJob::answered(const QUrl &address, const HttpReply &reply) {
    const QString reason = refusalReason(reply);
    if (!reason.isEmpty())
        return finish(false, QStringLiteral("%1 does not answer as the stand-in server: %2")
                                 .arg(address.toString(), reason));
    if (--m_pending == 0)
        finish(true, QStringLiteral("every server address answers as the stand-in server"));
}

void StandInCheckJob::finish(bool standIn, const QString &message) {
    if (m_finished)
        return;
    m_finished = true;
    // The first refusal decides; the other answers are no longer wanted.
    for (const auto &task : m_tasks)
        task->cancel();
    Q_EMIT finished(standIn, message);
}
