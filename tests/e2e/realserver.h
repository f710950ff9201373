#pragma once

#include "dbconnection.h"
#include "transport.h"

#include <memory>
#include <QFile>
#include <QTemporaryDir>
#include <seclogserver/stand_in_server.h>

// The stand-in server with fresh demo data on a free loopback port, and a server-sets file
// that points every set at it.
class RealServer {
public:
    RealServer() {
        seclog::server::ServerOptions options;
        options.dbPath = dir.filePath("demo.sqlite").toStdString();
        options.demo = true;
        // Every demo document's QR code, for the file camera.
        options.codesDir = dir.filePath("codes").toStdString();
        options.logRequests = false;
        server = std::make_unique<seclog::server::StandInServer>(options);
        serversFile = useServer(dir, QString::fromStdString(server->baseUrl()));
    }
    // Points every server set of the client at `base`, through a file in `dir`.
    static QString useServer(const QTemporaryDir &dir, const QString &base) {
        QFile sets(dir.filePath("servers.json"));
        sets.open(QIODevice::WriteOnly);
        QByteArray one = "{\"nodedb2\":\"B\",\"DCdatabase\":\"B\",\"imgdatabase\":\"B/files\","
                         "\"servicesdatabase\":\"B\",\"commonServicesdatabase\":\"B\","
                         "\"reportServer\":\"B\"}";
        one.replace("B", base.toUtf8());
        sets.write("{\"local\":" + one + ",\"localm\":" + one + ",\"global\":" + one + "}");
        sets.close();
        qputenv("SECLOG_SERVERS", sets.fileName().toUtf8());
        changeDBConnection(1);
        return sets.fileName();
    }
    ~RealServer() {
        // Idle keep-alive connections would hold the server's workers until they time out.
        closeIdleConnections();
        server->stop();
        qunsetenv("SECLOG_SERVERS");
    }
    // Idle keep-alive connections of the client's HTTP transport, when it is the one in use.
    static void closeIdleConnections() {
        if (auto *http = dynamic_cast<HttpTransport *>(&Transport::shared()))
            http->closeIdleConnections();
    }
    std::string dbPath() const { return dir.filePath("demo.sqlite").toStdString(); }
    QString codesDir() const { return dir.filePath("codes"); }

    QTemporaryDir dir;
    std::unique_ptr<seclog::server::StandInServer> server;
    QString serversFile;
};
