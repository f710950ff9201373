#pragma once

#include <functional>
#include <QObject>
#include <QString>

// A button of a screen's navigation bar: a title or a system item, and what a tap does.
class BarButtonItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QString systemItem READ systemItem CONSTANT)
    Q_PROPERTY(bool doneStyle READ doneStyle CONSTANT)
    Q_PROPERTY(bool enabled READ enabled WRITE setEnabled NOTIFY enabledChanged)
public:
    BarButtonItem(QString title, QString systemItem, bool doneStyle, std::function<void()> action,
                  QObject *parent = nullptr);
    static BarButtonItem *titled(const QString &title, bool doneStyle, std::function<void()> action,
                                 QObject *parent);
    // System items: "action", "cancel", "add", "save", "done".
    static BarButtonItem *system(const QString &item, std::function<void()> action,
                                 QObject *parent);

    QString title() const { return m_title; }
    QString systemItem() const { return m_systemItem; }
    bool doneStyle() const { return m_doneStyle; }
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    Q_INVOKABLE void trigger();

Q_SIGNALS:
    void enabledChanged();

private:
    QString m_title;
    QString m_systemItem;
    bool m_doneStyle = false;
    bool m_enabled = true;
    std::function<void()> m_action;
};
