#pragma once

#include "rows.h"

#include <QVariantMap>

// What one DC of the approval list shows: code, divisions and departments, its item count on a
// badge coloured by where the DC is, the three pictures with the people under them, and a
// checkmark when ticked. The QML delegate GenDcAppDetailCell draws it.
namespace GenDcAppDetailCell {
constexpr int rowHeight = 95;

QVariantMap contents(const Row &dc);
} // namespace GenDcAppDetailCell
