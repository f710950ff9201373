#pragma once

#include "rows.h"

#include <QString>
#include <QVariant>

// JSON text helpers of the framework.
class datatask {
public:
    static datatask &sharedInstance();

    // A dictionary or array as compact JSON text; anything else gives "".
    QString toJSONText(const QVariant &value) const;
    // Rows from JSON text. The text "0" (and anything that is not an array of objects) means
    // no rows.
    Rows rowsFromJSONText(const QString &text) const;
    // Decodes JSON text to plain variants; invalid text gives an invalid variant.
    static QVariant decode(const QByteArray &json);
};
