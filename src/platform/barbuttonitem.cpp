#include "barbuttonitem.h"

BarButtonItem::BarButtonItem(QString title, QString systemItem, bool doneStyle,
                             std::function<void()> action, QObject *parent)
    : QObject(parent), m_title(std::move(title)), m_systemItem(std::move(systemItem)),
      m_doneStyle(doneStyle), m_action(std::move(action)) {}

BarButtonItem *BarButtonItem::titled(const QString &title, bool doneStyle,
                                     std::function<void()> action, QObject *parent) {
    return new BarButtonItem(title, QString(), doneStyle, std::move(action), parent);
}

BarButtonItem *BarButtonItem::system(const QString &item, std::function<void()> action,
                                     QObject *parent) {
    return new BarButtonItem(QString(), item, false, std::move(action), parent);
}

void BarButtonItem::setEnabled(bool enabled) {
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    Q_EMIT enabledChanged();
}

void BarButtonItem::trigger() {
    if (m_enabled && m_action)
        m_action();
}
