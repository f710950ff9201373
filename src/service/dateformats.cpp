#include "dateformats.h"

#include <QHash>
#include <QLocale>

namespace dateFormats {

namespace {
const QLocale &english() {
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}
} // namespace

QString pattern(int dateCase) {
    static const QHash<int, QString> table{
        {0, QStringLiteral("dd/MM/yyyy")},
        {3, QStringLiteral("dd-MMM-yyyy")},
        {4, QStringLiteral("yyyy-MM-dd")},
        {8, QStringLiteral("dd MMM hh:mm AP")},
        {14, QStringLiteral("dd MMM yyyy HH:mm:ss")},
        {16, QStringLiteral("MMMM yyyy")},
        {17, QStringLiteral("yyyy-MM-dd")},
        {20, QStringLiteral("MMM dd")},
        {21, QStringLiteral("dd MMM yyyy, hh AP")},
        {22, QStringLiteral("dd MMM, hh:mm AP")},
    };
    return table.value(dateCase);
}

std::optional<QDateTime> parse(const QString &text, const QString &pattern) {
    if (pattern.isEmpty() || text.isEmpty())
        return std::nullopt;
    // Without a year Qt reads 1900, which has no 29 February; read such texts in a leap year.
    const bool hasYear = pattern.contains(QLatin1String("yy"));
    const QString readText = hasYear ? text : text + QStringLiteral(" 2000");
    const QString readPattern = hasYear ? pattern : pattern + QStringLiteral(" yyyy");
    QDateTime value = english().toDateTime(readText, readPattern);
    if (!value.isValid()) {
        // Patterns without a time of day parse as dates.
        const QDate date = english().toDate(readText, readPattern);
        if (!date.isValid())
            return std::nullopt;
        value = date.startOfDay();
    }
    // Qt accepts some texts loosely; a date is only taken when it reads back identically.
    if (english().toString(value, pattern).compare(text, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    return value;
}

QString format(const QDateTime &value, const QString &pattern) {
    return english().toString(value, pattern);
}

} // namespace dateFormats
