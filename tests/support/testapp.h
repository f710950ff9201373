#pragma once

#include <QCoreApplication>
#include <QTemporaryDir>

#include "qtprinters.h"

// Lets the queued (main-queue) work of the code under test run.
void processEvents();

// A fresh user-defaults file per test, so no test sees another's session.
class IsolatedDefaults {
public:
    IsolatedDefaults();
    ~IsolatedDefaults();

private:
    QTemporaryDir m_dir;
};
