#pragma once

#include <optional>
#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantMap>

// A server row: column name to value. Replies are lists of rows.
using Row = QVariantMap;
using Rows = QList<QVariantMap>;

namespace RowsReader {

// Reads a decoded reply as rows of text. Anything that is not an array of objects gives no
// rows; inside a row, numbers and booleans become their text, null becomes "" and nested
// values are dropped, so every screen can treat every value as text.
Rows textRows(const QVariant &reply);

// The reply as rows of text when it is a list of objects (an empty list included); nothing when
// it is anything else, so a screen can keep what it shows.
std::optional<Rows> listOfRows(const QVariant &reply);

// The text of `key` in `row`; "" when absent.
inline QString text(const Row &row, const QString &key) {
    return row.value(key).toString();
}

} // namespace RowsReader
