#pragma once

#include "dbconnection.h"

#include <QByteArray>
#include <QString>

// Puts the server addresses (globals) back as they were when the test ends.
class SavedAddresses {
public:
    SavedAddresses()
        : m_node(nodedb2), m_dc(DCdatabase), m_img(imgdatabase), m_services(servicesdatabase),
          m_common(commonServicesdatabase), m_report(reportServer) {}
    ~SavedAddresses() {
        nodedb2 = m_node;
        DCdatabase = m_dc;
        imgdatabase = m_img;
        servicesdatabase = m_services;
        commonServicesdatabase = m_common;
        reportServer = m_report;
    }

private:
    QString m_node, m_dc, m_img, m_services, m_common, m_report;
};

// Sets (or unsets, for a null value) an environment variable for the life of a test.
class ScopedEnv {
public:
    ScopedEnv(const char *name, const QByteArray &value)
        : m_name(name), m_had(qEnvironmentVariableIsSet(name)), m_old(qgetenv(name)) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }
    ~ScopedEnv() {
        if (m_had)
            qputenv(m_name, m_old);
        else
            qunsetenv(m_name);
    }

private:
    const char *m_name;
    bool m_had;
    QByteArray m_old;
};
