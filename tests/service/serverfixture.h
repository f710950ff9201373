#pragma once

#include "dbconnection.h"

#include <QByteArray>
#include <QString>

// Puts the server addresses (globals) back as they were when the test ends.
class SavedAddresses {
public:
    SavedAddresses() {
        for (int i = 0; i < 6; ++i)
            m_old[i] = *m_vars[i];
    }
    ~SavedAddresses() {
        for (int i = 0; i < 6; ++i)
            *m_vars[i] = m_old[i];
    }

private:
    QString *const m_vars[6] = {
        &nodedb2,     &DCdatabase, &imgdatabase, &servicesdatabase, &commonServicesdatabase,
        &reportServer};
    QString m_old[6];
};

// Sets (or unsets, for a null value) an environment variable for the life of a test.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        value.isNull() ? void(qunsetenv(name)) : void(qputenv(name, value));
    }
    ~ScopedEnv() { m_had ? void(qputenv(m_name, m_old)) : void(qunsetenv(m_name)); }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};
