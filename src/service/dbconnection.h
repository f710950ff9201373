#pragma once

#include <QString>
#include <QVariantMap>

// Base addresses of the server set in use. changeDBConnection repoints them.
extern QString nodedb2;
extern QString DCdatabase;
extern QString imgdatabase;
extern QString servicesdatabase;
extern QString commonServicesdatabase;
// Where the report pages (printed logs) are served.
extern QString reportServer;

// 0 "local", 1 "localm", 2 "global"; any other index leaves the addresses as they are.
void changeDBConnection(int sender);

namespace ServerSets {
// The server-sets file in use: SECLOG_SERVERS, else servers.json in the user's config folder,
// else the one built into the client.
QString configurationPath();
// The three sets by name, read from configurationPath(); re-read on every call so that an
// operator's change applies at the next login.
QVariantMap load();
QString nameOf(int sender);
} // namespace ServerSets
