#pragma once

#include "viewcontroller.h"

#include <QStringList>

// A screen that writes every life-cycle call it gets into a shared log as "<name>:<event>".
class RecordingScreen : public ViewController {
public:
    RecordingScreen(const QString &name, QStringList *log) : m_name(name), m_log(log) {
        setTitle(name);
    }

protected:
    void viewDidLoad() override { note("load"); }
    void viewWillAppear(bool) override { note("willAppear"); }
    void viewDidAppear(bool) override { note("didAppear"); }
    void viewWillDisappear(bool) override { note("willDisappear"); }
    void viewDidDisappear(bool) override { note("didDisappear"); }

private:
    void note(const char *event) { m_log->append(m_name + u':' + QLatin1String(event)); }
    QString m_name;
    QStringList *m_log;
};

// The same events in any order, so a failure shows both lists.
inline bool sameEvents(QStringList a, QStringList b) {
    a.sort();
    b.sort();
    return a == b;
}
