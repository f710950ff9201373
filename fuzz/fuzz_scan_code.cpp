// A code as the scanner meets it, and the document a lookup brings back for it.
//
// The input is text in lines:
//   1: mode; the low bits of its first byte: 1 bill mode, 2 a new log (godown transfers named
//      by their godowns)
//   2: the code read
//   3: the code whose lookup is under way
//   4: the codes already in the strip, separated by tabs
//   5 on: the lookup's reply as JSON, a list whose first object is the document and the others
//      its lines

#include "common.h"
#include "datatask.h"
#include "fuzzcheck.h"
#include "rows.h"
#include "scancodes.h"
#include "scanneddocuments.h"
#include "secitemtblviewcell.h"

#include <cstddef>
#include <cstdint>
#include <QList>

namespace {

void classify(const QList<QByteArray> &lines, bool billMode) {
    const QString code = QString::fromUtf8(lines.value(1));
    const QString lastCode = QString::fromUtf8(lines.value(2));
    QStringList inStrip;
    for (const QByteArray &strip : lines.value(3).split('\t'))
        inStrip.append(QString::fromUtf8(strip));
    const auto kind = ScanCodes::classify(code, billMode, lastCode, inStrip);
    if (billMode)
        fuzzCheck((kind == ScanCodes::Kind::Ignored) == code.isEmpty(),
                  "bill mode ignores only an empty code");
    else if (code == lastCode || inStrip.contains(code))
        fuzzCheck(kind == ScanCodes::Kind::Ignored, "a code already in hand is looked up once");
    else
        fuzzCheck(kind != ScanCodes::Kind::Ignored && kind != ScanCodes::Kind::Bill,
                  "a new code outside bill mode names a document");
}

void readDocument(const QByteArray &reply, bool newLog) {
    const Rows rows = RowsReader::textRows(datatask::decode(reply));
    if (rows.isEmpty())
        return;
    const Row record = rows.first();
    const Rows lines = rows.mid(1);
    const auto kind = ScannedDocuments::kindOf(record);
    SectionEntry entry = ScannedDocuments::entryFor(record, newLog);
    const int ids = (entry.DC_id != 0) + (entry.GT_id != 0) + (entry.HB_id != 0);
    fuzzCheck(ids == (kind == ScannedDocuments::Kind::None ? 0 : 1),
              "an entry carries the one id of its kind");
    ScannedDocuments::partyName(record, kind == ScannedDocuments::Kind::GodownTransfer);

    // The save sends a bill date as the form shows it, converted to the server's pattern.
    const QString billDate = entry.PartyDetails.value(QStringLiteral("BillDate"));
    if (!billDate.isEmpty())
        fuzzCheck(common::sharedInstance().convertDateText(0, 4, billDate).has_value(),
                  "a bill date taken from a document can be saved");

    switch (kind) {
    case ScannedDocuments::Kind::HandBit:
        entry.DATA = ScannedDocuments::handBitRows(lines);
        break;
    case ScannedDocuments::Kind::GodownTransfer:
        entry.DATA = ScannedDocuments::godownTransferRows(lines, record);
        break;
    default:
        entry.DATA = ScannedDocuments::positiveBalanceRows(lines);
        break;
    }
    for (const QString &access : {QString(), QStringLiteral("DCScan")}) {
        entry.AccessFrom = access;
        secItemTBLViewCell::contents(entry);
        for (int i = 0; i < entry.DATA.size(); ++i) {
            secItemTBLViewCell::opensDCDetail(entry, i);
            secItemTBLViewCell::deleteQuestion(entry, i);
        }
    }
    for (const ItemRow &item : std::as_const(entry.DATA)) {
        item->endEditing();
        item->tapButton(1);
        item->tapButton(0);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size == 0)
        return -1;
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    const QList<QByteArray> lines = input.split('\n');
    const bool billMode = data[0] & 1;
    const bool newLog = data[0] & 2;
    classify(lines, billMode);
    readDocument(lines.mid(4).join('\n'), newLog);
    return 0;
}
