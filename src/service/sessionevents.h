#pragma once

#include <QObject>

// Tells screens that the session changed under them, e.g. when the device-and-division record
// arrives after the login has already closed.
class SessionEvents : public QObject {
    Q_OBJECT
public:
    static SessionEvents &instance() {
        static SessionEvents *events = new SessionEvents();
        return *events;
    }

    // Each login starts a session and each log out ends it; a reply that was asked for in
    // an earlier session (the device record of a guard who has since logged out) must change
    // nothing, so callers compare the session they asked in with the current one.
    quint64 currentSession() const { return m_session; }
    void beginSession() { ++m_session; }
    void endSession() { ++m_session; }

Q_SIGNALS:
    void deviceRecordChanged();

private:
    SessionEvents() = default;
    quint64 m_session = 0;
};
