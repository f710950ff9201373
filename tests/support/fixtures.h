#pragma once

#include <QByteArray>
#include <QString>

// A server reply kept as a file under tests/data/, exactly as the server would send it.
// A missing file fails the test that asked for it and gives an empty body.
QByteArray fixture(const QString &path);
