#pragma once

#include <optional>
#include <QByteArray>
#include <QVariant>

// JSON text to plain variants, read with simdjson: a reply of a few hundred rows is decoded in
// a fraction of the time QJsonDocument takes, and each key repeated on every row is made once
// and shared by the rows. The variants are those QJsonValue::toVariant() gives (integers as
// qlonglong, other numbers as double, null as std::nullptr_t).
namespace JsonVariant {

// The document's value, or nullopt when simdjson cannot read it (not JSON, bad UTF-8, nesting
// or numbers beyond its limits): the caller then decides with QJsonDocument.
std::optional<QVariant> read(const QByteArray &json);

} // namespace JsonVariant
