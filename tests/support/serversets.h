#pragma once

#include <QFile>
#include <QTemporaryDir>

#include "dbconnection.h"

// A server-sets file whose three sets have addresses of their own, so a test can tell which
// set is in use. Restores the environment afterwards.
class DistinctServerSets {
public:
    DistinctServerSets() {
        QFile file(m_dir.filePath(QStringLiteral("servers.json")));
        file.open(QIODevice::WriteOnly);
        QByteArray json = "{";
        const char *names[] = {"local", "localm", "global"};
        for (int i = 0; i < 3; ++i) {
            const QByteArray base = "http://set" + QByteArray::number(i) + ".test";
            json += QByteArray(i ? "," : "") + "\"" + names[i] + "\":{\"nodedb2\":\"" + base +
                    "\",\"DCdatabase\":\"" + base + "/dc\",\"imgdatabase\":\"" + base +
                    "/img\",\"servicesdatabase\":\"" + base +
                    "/svc\",\"commonServicesdatabase\":\"" + base +
                    "/common\",\"reportServer\":\"" + base + "/rpt\"}";
        }
        json += "}";
        file.write(json);
        file.close();
        qputenv("SECLOG_SERVERS", file.fileName().toUtf8());
        changeDBConnection(1);
    }
    ~DistinctServerSets() { qunsetenv("SECLOG_SERVERS"); }
    static QString base(int set) { return QStringLiteral("http://set%1.test").arg(set); }

private:
    QTemporaryDir m_dir;
};
