#pragma once

#include <QString>
#include <QVariantMap>

// The session record: who is logged in and which division, device and gate this handheld
// belongs to. Every field is text. It never holds the password.
class access {
public:
    QString BranchCode;
    QString Users_id;
    QString EmpName;
    QString Employee_id;
    QString Department_id;
    QString Department;
    QString ImagePath;
    QString Division_id;
    QString DivisionName;
    QString Device_id;
    QString GateName;

    QVariantMap toJSON() const;
    // Sets each field whose key the row holds as text; every other field keeps its value, so
    // a device row does not wipe the user and a user row does not wipe the device.
    void fromJSON(const QVariantMap &row);
    bool operator==(const class access &) const = default;
};

// The session of this client. ("class" because POSIX also has a function named access.)
extern class access master;
