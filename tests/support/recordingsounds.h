#pragma once

#include "systemsounds.h"

#include <QStringList>

// Sounds asked for are written down in order ("system 1016", "alert 1315"), never played;
// without a list they are simply dropped.
class RecordingSounds : public SystemSounds {
public:
    explicit RecordingSounds(QStringList *played = nullptr) : m_played(played) {}
    void playSystemSound(int id) override { note("system ", id); }
    void playAlertSound(int id) override { note("alert ", id); }

private:
    void note(const char *kind, int id) {
        if (m_played)
            m_played->append(QLatin1String(kind) + QString::number(id));
    }
    QStringList *m_played;
};
