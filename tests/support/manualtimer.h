#pragma once

#include "oneshottimer.h"

#include <QList>

// Timers that only fire when a test says so. Install with ManualTimers::Scope.
class ManualTimer : public OneShotTimer {
public:
    void start(int milliseconds, std::function<void()> fire) override {
        m_interval = milliseconds;
        m_fire = std::move(fire);
        m_active = true;
    }
    void cancel() override { m_active = false; }
    bool isActive() const override { return m_active; }
    int interval() const override { return m_interval; }
    void fire() {
        if (!m_active)
            return;
        m_active = false;
        if (m_fire)
            m_fire();
    }

private:
    int m_interval = 0;
    bool m_active = false;
    std::function<void()> m_fire;
};

struct ManualTimers {
    QList<ManualTimer *> created; // owned by whoever holds them; valid while they live

    struct Scope {
        explicit Scope(ManualTimers &timers) {
            OneShotTimer::setFactory([&timers] {
                auto timer = std::make_unique<ManualTimer>();
                timers.created.append(timer.get());
                return timer;
            });
        }
        ~Scope() { OneShotTimer::setFactory({}); }
    };
};
