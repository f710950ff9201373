#pragma once

#include <optional>
#include <QDateTime>
#include <QString>

// The framework's numbered date patterns. The server writes dates in the same patterns.
namespace dateFormats {
// The pattern of a case; "" for a case the framework does not have.
QString pattern(int dateCase);
// Strict, locale-independent (English month names) parse and format.
std::optional<QDateTime> parse(const QString &text, const QString &pattern);
QString format(const QDateTime &value, const QString &pattern);
} // namespace dateFormats
