#pragma once

#include <ostream>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVariant>

// Readable failure messages for Qt values in GoogleTest.
inline void PrintTo(const QString &s, std::ostream *os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList &l, std::ostream *os) {
    *os << '[' << l.join(QStringLiteral(", ")).toStdString() << ']';
}
inline void PrintTo(const QUrl &u, std::ostream *os) {
    *os << u.toString().toStdString();
}
inline void PrintTo(const QByteArray &b, std::ostream *os) {
    *os << '"' << b.toStdString() << '"';
}
