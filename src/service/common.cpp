#include "common.h"

#include <QRegularExpression>

#include "access.h"
#include "dateformats.h"
#include "navigationcontroller.h"
#include "window.h"

#include <cmath>
#include <QJsonDocument>
#include <QJsonObject>

common &common::sharedInstance() {
    static common instance;
    return instance;
}

AlertController *common::showAlert(ViewController *vc, const QString &title,
                                   const QString &message) {
    auto *alert = new AlertController(title, message);
    alert->addAction(QStringLiteral("OK"), AlertAction::Style::Default);
    return presentAlert(vc, alert);
}

AlertController *common::presentAlert(ViewController *vc, AlertController *alert) const {
    ViewController *host = vc ? vc : topViewController();
    if (!host || !host->present(alert, true)) {
        // Nothing can show it (no window yet, or the host is busy presenting): the alert is
        // still returned so callers and tests can read what was said.
        alert->setParent(host);
    }
    return alert;
}

AlertController *common::showAlert(ViewController *vc, const QString &title, const QString &message,
                                   const QString &failure) {
    return showAlert(vc, title,
                     failure.isEmpty() ? message : message + QStringLiteral("\n") + failure);
}

AlertController *common::makeConfirmAlert(std::function<void()> onOk, const QString &title,
                                          const QString &message, const QString &okTitle,
                                          const QString &cancelTitle) {
    auto *alert = new AlertController(title, message);
    alert->addAction(okTitle, AlertAction::Style::Default, [onOk](AlertController *) {
        if (onOk)
            onOk();
    });
    alert->addAction(cancelTitle, AlertAction::Style::Cancel);
    return alert;
}

AlertController *common::showTextEntryAlert(ViewController *vc, const QString &title,
                                            const QString &placeholder,
                                            std::function<void(const QString &)> onOk) {
    auto *alert = new AlertController(title, QString());
    alert->addTextField({QString(), placeholder, false});
    alert->addAction(QStringLiteral("Ok"), AlertAction::Style::Default, [onOk](AlertController *a) {
        if (onOk)
            onOk(a->textFieldText(0));
    });
    alert->addAction(QStringLiteral("Cancel"), AlertAction::Style::Cancel);
    return presentAlert(vc, alert);
}

ViewController *common::topViewController() const {
    Window *window = Window::keyWindow();
    ViewController *top = window ? window->rootViewController() : nullptr;
    while (top) {
        if (ViewController *presented = top->presentedViewController()) {
            top = presented;
            continue;
        }
        if (auto *nav = qobject_cast<NavigationController *>(top)) {
            if (ViewController *inner = nav->topViewController()) {
                top = inner;
                continue;
            }
        }
        break;
    }
    return top;
}

bool common::hasSavedSession() const {
    const QVariant saved = defaultsStore().value(QStringLiteral("master"));
    if (!saved.isValid())
        return false;
    const QJsonDocument doc = QJsonDocument::fromJson(saved.toString().toUtf8());
    if (!doc.isObject())
        return false;
    const QVariantMap row = doc.object().toVariantMap();
    // A session without a user is no session.
    if (row.value(QStringLiteral("Users_id")).typeId() != QMetaType::QString ||
        row.value(QStringLiteral("Users_id")).toString().isEmpty())
        return false;
    master.fromJSON(row);
    return true;
}

void common::saveSession() const {
    const QJsonDocument doc(QJsonObject::fromVariantMap(master.toJSON()));
    defaultsStore().setValue(QStringLiteral("master"),
                             QString::fromUtf8(doc.toJson(QJsonDocument::Compact)));
    defaultsStore().synchronize();
}

std::optional<QString> common::convertDateText(int fromCase, int toCase,
                                               const QString &text) const {
    const QString to = dateFormats::pattern(toCase);
    if (to.isEmpty())
        return std::nullopt;
    const auto value = dateFormats::parse(text, dateFormats::pattern(fromCase));
    if (!value)
        return std::nullopt;
    return dateFormats::format(*value, to);
}

std::optional<QDateTime> common::dateFromText(const QString &text, const QString &pattern) const {
    return dateFormats::parse(text, pattern);
}

int common::compareDates(const QDateTime &a, const QDateTime &b) const {
    return a > b ? 1 : (a < b ? -1 : 0);
}

double common::roundValue(int places, double number) const {
    const double scale = std::pow(10.0, places);
    return std::round(number * scale) / scale;
}

QColor common::themeColor() const {
    return QColor(84, 159, 185);
}

std::optional<QColor> common::colorFromCode(const QString &code) {
    QString text = code.trimmed();
    static const QRegularExpression hex(QStringLiteral("^[0-9A-Fa-f]{6}([0-9A-Fa-f]{2})?$"));
    if (hex.match(text).hasMatch())
        text.prepend(QLatin1Char('#'));
    const QColor color = QColor::fromString(text);
    return color.isValid() ? std::optional<QColor>(color) : std::nullopt;
}
