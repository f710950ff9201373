#include "fixtures.h"

#include <gtest/gtest.h>
#include <QFile>

QByteArray fixture(const QString &path) {
    QFile file(QStringLiteral(SECLOG_TEST_DATA "/") + path);
    if (!file.open(QIODevice::ReadOnly)) {
        ADD_FAILURE() << "no fixture " << file.fileName().toStdString();
        return {};
    }
    return file.readAll();
}
