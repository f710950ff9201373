#include "oneshottimer.h"

namespace {
OneShotTimer::Factory &factory() {
    static OneShotTimer::Factory f;
    return f;
}
} // namespace

std::unique_ptr<OneShotTimer> OneShotTimer::create() {
    if (factory())
        return factory()();
    return std::make_unique<QtOneShotTimer>();
}

void OneShotTimer::setFactory(Factory f) {
    factory() = std::move(f);
}

QtOneShotTimer::QtOneShotTimer() {
    m_timer.setSingleShot(true);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
        auto fire = m_fire;
        if (fire)
            fire();
    });
}

void QtOneShotTimer::start(int milliseconds, std::function<void()> fire) {
    m_fire = std::move(fire);
    m_timer.start(milliseconds);
}

void QtOneShotTimer::cancel() {
    m_timer.stop();
}
