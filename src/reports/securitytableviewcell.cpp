#include "securitytableviewcell.h"

#include "common.h"
#include "commonclass.h"

#include <cmath>
#include <QtNumeric>

namespace {
// A count as the server writes it: decimal text; anything else counts as nothing.
double number(const QVariant &value) {
    bool ok = false;
    const double d = value.toString().trimmed().toDouble(&ok);
    return ok && std::isfinite(d) ? d : 0;
}

std::optional<qlonglong> wholeNumber(const QVariant &value) {
    bool ok = false;
    const qlonglong n = value.toString().trimmed().toLongLong(&ok);
    return ok ? std::optional<qlonglong>(n) : std::nullopt;
}

// A count as a whole number; one too large for that keeps its size ("1e+300").
QString countText(double count) {
    return std::abs(count) < 1e15 ? QString::number(qlonglong(count))
                                  : QString::number(count, 'g', 15);
}
} // namespace

securityTableViewCell::securityTableViewCell(const QVariantMap &day, QObject *parent)
    : QObject(parent) {
    // A day without a date shows none (not a placeholder, nor another day's).
    title = common::sharedInstance()
                .convertDateText(17, 20, day.value(QStringLiteral("Dt")).toString())
                .value_or(QString());
    // Missing or malformed counts leave their part of the cell empty.
    const QString daylight = day.value(QStringLiteral("Daylight")).toString();
    const QString night = day.value(QStringLiteral("Night")).toString();
    const auto forenoon = wholeNumber(daylight);
    const auto afternoon = wholeNumber(night);
    // A sum beyond the whole numbers is as unreadable as a malformed count.
    qlonglong unique = 0;
    const bool summed = forenoon && afternoon && !qAddOverflow(*forenoon, *afternoon, &unique);
    subtitle = QStringLiteral("Fore Noon  ") + daylight + QStringLiteral("\nAfter Noon  ") + night +
               QStringLiteral("\nUnique ") + (summed ? QString::number(unique) : QString());
    title2 = day.value(QStringLiteral("Total")).toString();
    THEDATA = day.value(QStringLiteral("detail")).toList();
    thedatatotal = number(day.value(QStringLiteral("Total")));

    chart.thedatasource.numberofrows = [this] { return int(THEDATA.size()); };
    chart.thedatasource.valueforRowAtIndex = [this](int i) { return value(i); };
    chart.thedelegate.colorForLineAtIndex = [this](int i) { return color(i); };
    chart.thedelegate.titleForRowAtIndex = [this](int i) { return titleForRow(i); };
    chart.reloadData();
}

double securityTableViewCell::value(int i) const {
    const double count = number(THEDATA.value(i).toMap().value(QStringLiteral("Cnt")));
    // A day without a usable total has no shares: 0 rather than NaN or infinity.
    return thedatatotal > 0 ? count / thedatatotal * 100 : 0;
}

QColor securityTableViewCell::color(int i) const {
    const auto &colors = CommonClass::shared().brightColorSet;
    // More entry types than colours start the colours again.
    return colors.isEmpty() ? QColor(Qt::red) : colors.at(i % colors.size());
}

QString securityTableViewCell::titleForRow(int i) const {
    const QVariantMap entry = THEDATA.value(i).toMap();
    const double count = number(entry.value(QStringLiteral("Cnt")));
    return entry.value(QStringLiteral("IOType")).toString() + QStringLiteral("  ") +
           countText(count) + QStringLiteral("  ") + QString::number(std::round(value(i)), 'f', 1) +
           QStringLiteral(" %");
}
