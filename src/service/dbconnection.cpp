#include "dbconnection.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QStandardPaths>

Q_LOGGING_CATEGORY(lcServers, "seclog.servers")

QString nodedb2;
QString DCdatabase;
QString imgdatabase;
QString servicesdatabase;
QString commonServicesdatabase;
QString reportServer;

namespace ServerSets {

QString configurationPath() {
    const QString configured = qEnvironmentVariable("SECLOG_SERVERS");
    if (!configured.isEmpty())
        return configured;
    const QString user =
        QStandardPaths::locate(QStandardPaths::AppConfigLocation, QStringLiteral("servers.json"));
    if (!user.isEmpty())
        return user;
    return QStringLiteral(":/config/servers.json");
}

QVariantMap load() {
    QFile file(configurationPath());
    if (!file.open(QIODevice::ReadOnly)) {
        qCWarning(lcServers) << "cannot read server sets from" << file.fileName();
        return {};
    }
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    if (!doc.isObject()) {
        qCWarning(lcServers) << "server sets file is not a JSON object:" << file.fileName();
        return {};
    }
    return doc.object().toVariantMap();
}

QString nameOf(int sender) {
    switch (sender) {
    case 0:
        return QStringLiteral("local");
    case 1:
        return QStringLiteral("localm");
    case 2:
        return QStringLiteral("global");
    default:
        return QString();
    }
}

} // namespace ServerSets

void changeDBConnection(int sender) {
    const QString name = ServerSets::nameOf(sender);
    if (name.isEmpty())
        return;
    const QVariantMap set = ServerSets::load().value(name).toMap();
    if (set.isEmpty()) {
        qCWarning(lcServers) << "no server set named" << name;
        return;
    }
    auto take = [&set](const char *key, QString &target) {
        const QString value = set.value(QLatin1String(key)).toString();
        if (!value.isEmpty())
            target = value;
    };
    take("nodedb2", nodedb2);
    take("DCdatabase", DCdatabase);
    take("imgdatabase", imgdatabase);
    take("servicesdatabase", servicesdatabase);
    take("commonServicesdatabase", commonServicesdatabase);
    take("reportServer", reportServer);
}
