#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Whether a message is a warning of the QML engine (a binding to a missing property, a type
// error, a component that does not load): the walkthrough and the view tests fail on these.
inline bool isQmlWarning(QtMsgType type, const QMessageLogContext &context,
                         const QString &message) {
    const QByteArray category(context.category ? context.category : "");
    const bool fromQml = category.startsWith("qml") || category == "js" ||
                         message.contains(QLatin1String("qrc:/")) ||
                         message.startsWith(QLatin1String("QQmlComponent"));
    return type != QtDebugMsg && type != QtInfoMsg && fromQml;
}
