#pragma once

#include "viewcontroller.h"

#include <QStringList>

// A screen that writes every life-cycle call it gets into a shared log as "<name>:<event>".
class RecordingScreen : public ViewController {
public:
    RecordingScreen(const QString &name, QStringList *log) : m_name(name), m_log(log) {
        setTitle(name);
    }

    int count(const QString &event) const { return int(m_log->count(m_name + u':' + event)); }

protected:
    void viewDidLoad() override { note(QStringLiteral("load")); }
    void viewWillAppear(bool) override { note(QStringLiteral("willAppear")); }
    void viewDidAppear(bool) override { note(QStringLiteral("didAppear")); }
    void viewWillDisappear(bool) override { note(QStringLiteral("willDisappear")); }
    void viewDidDisappear(bool) override { note(QStringLiteral("didDisappear")); }

private:
    void note(const QString &event) { m_log->append(m_name + u':' + event); }
    QString m_name;
    QStringList *m_log;
};

// True when `first` is logged and comes before `second` (which is logged too).
inline bool loggedBefore(const QStringList &log, const QString &first, const QString &second) {
    const qsizetype a = log.indexOf(first);
    const qsizetype b = log.indexOf(second);
    return a >= 0 && b >= 0 && a < b;
}
