#pragma once

#include <functional>
#include <memory>
#include <QObject>
#include <QTimer>

// A single-shot timer behind an interface, so tests can fire it by hand instead of waiting.
class OneShotTimer {
public:
    virtual ~OneShotTimer() = default;
    virtual void start(int milliseconds, std::function<void()> fire) = 0;
    virtual void cancel() = 0;
    virtual bool isActive() const = 0;
    virtual int interval() const = 0;

    using Factory = std::function<std::unique_ptr<OneShotTimer>()>;
    static std::unique_ptr<OneShotTimer> create();
    // Tests install their own factory; an empty one restores the real timer.
    static void setFactory(Factory factory);
};

class QtOneShotTimer : public OneShotTimer {
public:
    QtOneShotTimer();
    void start(int milliseconds, std::function<void()> fire) override;
    void cancel() override;
    bool isActive() const override { return m_timer.isActive(); }
    int interval() const override { return m_timer.interval(); }

private:
    QTimer m_timer;
    std::function<void()> m_fire;
};
