#include "securitylogpicker.h"

#include "commonclass.h"
#include "datatask.h"
#include "dbconnection.h"

void openSecurityLogPicker(ViewController *vc, comboBoxDelegate *delegate, QObject *owner,
                           comboBox::ListOptions options, const QVariantMap &search) {
    options.url = nodedb2 + QStringLiteral("/sp");
    options.parameters = {
        {QStringLiteral("SPName"), QStringLiteral("USP_GetSecurityLogBySearchText")},
        {QStringLiteral("JSONData"), datatask::sharedInstance().toJSONText(search)}};
    options.loadtype = QStringLiteral("1");
    options.reuseIdentifier = QStringLiteral("comboCell");
    options.style = QStringLiteral("comboboxcolor");
    auto *picker = new comboBox(options);
    picker->setDelegate(delegate, owner);
    CommonClass::shared().style(QStringLiteral("comboboxcolor"), picker);
    if (!picker->show(vc))
        delete picker;
}
