#include "alertcontroller.h"

#include <QVariantMap>

AlertController::AlertController(const QString &title, const QString &message, Style style,
                                 QObject *parent)
    : ViewController(parent), m_message(message), m_style(style) {
    setTitle(title);
}

void AlertController::addAction(AlertAction action) {
    m_actions.append(std::move(action));
}

void AlertController::addAction(const QString &title, AlertAction::Style style,
                                std::function<void(AlertController *)> handler) {
    addAction(AlertAction{title, style, std::move(handler)});
}

void AlertController::addTextField(AlertTextField field) {
    m_fields.append(std::move(field));
    Q_EMIT textFieldsChanged();
}

QStringList AlertController::actionTitles() const {
    QStringList titles;
    for (const auto &a : m_actions)
        titles.append(a.title);
    return titles;
}

void AlertController::setTextFieldText(int index, const QString &text) {
    if (index < 0 || index >= m_fields.size())
        return;
    m_fields[index].text = text;
}

QString AlertController::textFieldText(int index) const {
    return index >= 0 && index < m_fields.size() ? m_fields.at(index).text : QString();
}

void AlertController::tapAction(int index) {
    if (index < 0 || index >= m_actions.size() || m_tapped)
        return;
    // A second tap while the alert is closing must not run a handler twice.
    m_tapped = true;
    const AlertAction action = m_actions.at(index);
    if (presentingViewController())
        dismiss(true);
    if (action.handler)
        action.handler(this);
}

bool AlertController::tap(const QString &title) {
    const int index = actionTitles().indexOf(title);
    if (index < 0)
        return false;
    tapAction(index);
    return true;
}

QVariantList AlertController::actionList() const {
    QVariantList list;
    for (const auto &a : m_actions) {
        const char *style = a.style == AlertAction::Style::Cancel        ? "cancel"
                            : a.style == AlertAction::Style::Destructive ? "destructive"
                                                                         : "default";
        list.append(QVariantMap{{QStringLiteral("title"), a.title},
                                {QStringLiteral("style"), QString::fromLatin1(style)}});
    }
    return list;
}

QVariantList AlertController::textFieldList() const {
    QVariantList list;
    for (const auto &f : m_fields)
        list.append(QVariantMap{{QStringLiteral("text"), f.text},
                                {QStringLiteral("placeholder"), f.placeholder},
                                {QStringLiteral("secure"), f.secure}});
    return list;
}

// A reused alert answers taps again each time it is shown.
void AlertController::viewWillAppear(bool) {
    m_tapped = false;
}
