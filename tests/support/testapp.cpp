#include "testapp.h"

#include "userdefaults.h"

#include <QEventLoop>

void processEvents() {
    for (int i = 0; i < 5; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
}

IsolatedDefaults::IsolatedDefaults() {
    UserDefaults::setStorageFile(m_dir.filePath(QStringLiteral("defaults.ini")));
}

IsolatedDefaults::~IsolatedDefaults() {
    UserDefaults::setStorageFile(QString());
}
