#pragma once

#include "rows.h"

#include <QVariantMap>

// What one row of the log list shows. The QML delegate SecurityLogCell draws it.
namespace SecurityLogCell {
constexpr int rowHeight = 74;
constexpr int offSetX = 15;
constexpr int offSetY = 6;
constexpr int gapY = 3;

enum class Kind { ListRow, ReportRow, SearchRow };

// The label texts and colours of a row, keyed by the cell's label names.
QVariantMap contents(const Row &row, Kind kind, bool reportMode);

// Whether a search row is an open log of this handheld's division: both "SecLogFrom" and
// "InTime" read as dates, "InTime" is the later, "OutTime" is empty and the row's division is
// ours.
bool isOpenLogOfThisDivision(const Row &row);
} // namespace SecurityLogCell
