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

Q_SIGNALS:
    void deviceRecordChanged();

private:
    SessionEvents() = default;
};
