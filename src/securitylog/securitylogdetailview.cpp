#include "securitylogdetailview.h"

#include "access.h"

#include <QVariantMap>

securityLogDetailView::securityLogDetailView(QObject *parent)
    : ViewController(parent), personDetails(new PersonDetailsView(this)) {
    // A new log starts at this handheld's gate.
    gate = master.GateName;
}

QVariantList securityLogDetailView::fields() const {
    auto pair = [](const char *label, const QString &value) {
        return QVariantMap{{QStringLiteral("label"), QString::fromUtf8(label)},
                           {QStringLiteral("value"), value}};
    };
    return {pair("Person", personDetails->name()),
            pair("Mobile No", personDetails->mobileNo()),
            pair("Address", personDetails->address()),
            pair("Designation", personDetails->designation()),
            pair("Vehicle", vehicle),
            pair("Meet To", meetTo),
            pair("Entry Type", entryType),
            pair("Purpose", purpose),
            pair("Token No", token),
            pair("Gate", gate)};
}
