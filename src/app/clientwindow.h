#pragma once

#include "appdelegate.h"
#include "imageloading.h"

#include <memory>
#include <QQmlApplicationEngine>
#include <QQuickWindow>

// The client's window as every program that shows it opens it: the application delegate with
// the log list, the views, the image cache, and the version check when the client is active.
class ClientWindow {
public:
    ClientWindow() = default;
    ClientWindow(const ClientWindow &) = delete;
    ClientWindow &operator=(const ClientWindow &) = delete;

    // Loads the views; false when they could not be loaded.
    bool open();
    // The loaded window; null before open() succeeded.
    QQuickWindow *quickWindow() const { return m_window; }

private:
    AppDelegate m_delegate;
    // The factory outlives the engine that uses it.
    CachingNetworkAccessManagerFactory m_networkFactory;
    std::unique_ptr<QQmlApplicationEngine> m_engine;
    QQuickWindow *m_window = nullptr;
};
