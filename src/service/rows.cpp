#include "rows.h"

#include <algorithm>

namespace RowsReader {

Rows textRows(const QVariant &reply) {
    Rows rows;
    if (reply.typeId() != QMetaType::QVariantList)
        return rows;
    const QVariantList list = reply.toList();
    for (const QVariant &item : list) {
        if (item.typeId() != QMetaType::QVariantMap)
            continue;
        const QVariantMap source = item.toMap();
        // A row of texts already (a reply asked for with strings) is shared, not copied: a
        // list of thousands of rows would otherwise be built anew on the GUI thread.
        if (std::all_of(source.cbegin(), source.cend(),
                        [](const QVariant &v) { return v.typeId() == QMetaType::QString; })) {
            rows.append(source);
            continue;
        }
        Row row;
        for (auto it = source.cbegin(); it != source.cend(); ++it) {
            const QVariant &v = it.value();
            switch (v.typeId()) {
            case QMetaType::QString:
                row.insert(it.key(), v);
                break;
            case QMetaType::Nullptr:
            case QMetaType::UnknownType:
                row.insert(it.key(), QString());
                break;
            case QMetaType::Bool:
                row.insert(it.key(), v.toBool() ? QStringLiteral("true") : QStringLiteral("false"));
                break;
            case QMetaType::Double: {
                const double d = v.toDouble();
                // Whole numbers read as identifiers ("12", not "12.0"). The range comes first:
                // casting a number beyond long long is undefined.
                if (qAbs(d) < 1e15 && d == static_cast<double>(static_cast<long long>(d)))
                    row.insert(it.key(), QString::number(static_cast<long long>(d)));
                else
                    row.insert(it.key(), QString::number(d, 'g', 15));
                break;
            }
            case QMetaType::Int:
            case QMetaType::LongLong:
            case QMetaType::UInt:
            case QMetaType::ULongLong:
                row.insert(it.key(), v.toString());
                break;
            default:
                break; // nested objects and arrays are not text
            }
        }
        rows.append(row);
    }
    return rows;
}

std::optional<Rows> listOfRows(const QVariant &reply) {
    if (reply.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    const QVariantList list = reply.toList();
    for (const QVariant &item : list)
        if (item.typeId() != QMetaType::QVariantMap)
            return std::nullopt;
    return textRows(reply);
}

} // namespace RowsReader
