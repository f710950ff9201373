#pragma once

#include "sectionentry.h"

#include <optional>
#include <QString>
#include <QVariantMap>

// What one SectionEntry shows as a cell (header lines over a strip of item tiles) and what its
// tiles' gestures do. The QML delegates secItemTBLViewCell and secItemCollectionCell draw it.
namespace secItemTBLViewCell {
constexpr int rowHeight = 110; // in the log form's document sections
constexpr int offSetX = 15;
constexpr int offSetY = 6;
constexpr int gapY = 3;
constexpr int smallTile = 60;  // log form sections
constexpr int largeTile = 115; // the strips

// The chosen-items strip and the two scan strips: no header lines at all.
bool isStrip(const QString &accessFrom);
// The two scan strips: tiles carry a count badge and open the DC detail on a single tap.
bool isScanStrip(const QString &accessFrom);

// The cell's texts, layout switches, tiles and theme, keyed as the QML delegate reads them:
// "cellClass", "titlelbl", "Party_id", "billNolbl", "billDatelbl", "headerFilled" (the texts are
// set), "headerOnTop" (laid out above the strip; otherwise the strip covers the whole cell and the
// header lies under it), "tileSize", "tiles" (a list of {"titlelbl", "imageSource", "NoItemslbl",
// "badgeShown", "singleTapEnabled"}), colours and fonts.
QVariantMap contents(const SectionEntry &entry);

// A bill line ("BillNo", "BillDate") as the cell shows it: the value, "--" when the key is
// there without one, nothing when the key is missing or the header lines are not filled. The
// save sends the bill number and date as shown.
QString shownBillLine(const SectionEntry &entry, const QString &key);

// Double tap on tile `itemIndex`: the question to ask before deleting, or nothing when there is
// no such item, the item is a saved line or the entry is a DC.
std::optional<QString> deleteQuestion(const SectionEntry &entry, int itemIndex);
QString deleteAlertTitle();
QString yesTitle();
QString noTitle();

// "Yes" to the delete question: removes the item row. True when the entry is now empty and sits
// in a log section, so the form must remove the entry itself.
bool removeItem(SectionEntry &entry, int itemIndex);

// Single tap on tile `itemIndex` of a scan strip: true when it opens the DC detail of that
// tile's scanned document (godown transfer tiles, named with "GT", open nothing).
bool opensDCDetail(const SectionEntry &entry, int itemIndex);
} // namespace secItemTBLViewCell
