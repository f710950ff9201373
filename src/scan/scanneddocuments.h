#pragma once

#include "rows.h"
#include "sectionentry.h"

#include <optional>
#include <QList>

// How a scanned document becomes an entry of a log: its party line, bill number and date,
// city and ids, and the item rows of its server lines.
namespace ScannedDocuments {
enum class Kind { DC, GodownTransfer, HandBit, None };

// The document's kind by its first id that is a whole number of at least 1.
Kind kindOf(const Row &record);
// The entry of `record` with its ids, "PartyName", "Party_id", "BillNo", "BillDate" and "City";
// its items are not filled. `godownAlternatives` lets a godown transfer name its godowns.
SectionEntry entryFor(const Row &record, bool godownAlternatives);
// "From ..."/"To ..." by the document's direction; nothing for an unknown direction.
std::optional<QString> partyName(const Row &record, bool isGodownTransfer);
// The DC's item lines still to pass: passed minus returned above 0, as item rows.
QList<ItemRow> positiveBalanceRows(const Rows &lines);
// A hand-bit DC's lines as item rows, each named by its colour.
QList<ItemRow> handBitRows(const Rows &lines);
// A godown transfer's one line: its piece count and quantity from the transfer itself.
QList<ItemRow> godownTransferRows(const Rows &lines, const Row &transfer);
} // namespace ScannedDocuments
