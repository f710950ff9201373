#include "logdetailtableviewcontroller.h"

#include "common.h"
#include "commonclass.h"

LogDetailTableViewController::LogDetailTableViewController(QObject *parent)
    : TableViewController(false, parent) {}

void LogDetailTableViewController::viewDidLoad() {
    setTitle(thetitle);
    setBackgroundColor(CommonClass::shared().darkGray);
    setLeftBarButtonItem(BarButtonItem::system(
        QStringLiteral("cancel"), [this] { dismiss(true); }, this));
}

QVariantMap LogDetailTableViewController::cellForRow(int, int row) {
    if (row < 0 || row >= THEDATA.size())
        return {};
    const QVariantMap document = THEDATA.at(row).toMap();
    auto text = [&document](const char *key) {
        return document.value(QLatin1String(key)).toString();
    };
    // Missing keys read as empty text; a date that cannot be read leaves only the number.
    const auto date = common::sharedInstance().convertDateText(14, 3, text("DocDate"));
    const QString number = QStringLiteral("(") + text("DocNo") + QStringLiteral(")");
    const auto &theme = CommonClass::shared();
    return {{QStringLiteral("cellClass"), QStringLiteral("LogDetailTableViewCell")},
            {QStringLiteral("titlelbl"), text("PartyName")},
            {QStringLiteral("subtitlelbl"), text("Particulars")},
            {QStringLiteral("subtitle2lbl"), text("City")},
            {QStringLiteral("subtitle3lbl"), date ? *date + QStringLiteral("  ") + number : number},
            {QStringLiteral("background"), theme.darkGray},
            {QStringLiteral("textColor"), theme.textTintColor},
            {QStringLiteral("subTextColor"), theme.textSubTintColor}};
}
