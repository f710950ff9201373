#include "access.h"

class access master;

namespace {
template <typename F> void eachField(class access &a, F &&f) {
    f("BranchCode", a.BranchCode);
    f("Users_id", a.Users_id);
    f("EmpName", a.EmpName);
    f("Employee_id", a.Employee_id);
    f("Department_id", a.Department_id);
    f("Department", a.Department);
    f("ImagePath", a.ImagePath);
    f("Division_id", a.Division_id);
    f("DivisionName", a.DivisionName);
    f("Device_id", a.Device_id);
    f("GateName", a.GateName);
}
} // namespace

QVariantMap access::toJSON() const {
    QVariantMap map;
    eachField(const_cast<class access &>(*this),
              [&map](const char *key, QString &value) { map.insert(QLatin1String(key), value); });
    return map;
}

void access::fromJSON(const QVariantMap &row) {
    eachField(*this, [&row](const char *key, QString &value) {
        const auto it = row.constFind(QLatin1String(key));
        if (it != row.cend() && it->typeId() == QMetaType::QString)
            value = it->toString();
    });
}
