// One server reply body, read both ways the framework hands a body over: decoded JSON
// (nodefetchD and DataTask "J") into rows and the save's answer, and text (DataTask "N"), which
// the summaries decode into day records and a day's logs themselves.

#include "common.h"
#include "datatask.h"
#include "dateformats.h"
#include "fetchdata.h"
#include "fuzzcheck.h"
#include "rows.h"
#include "securitylogsave.h"
#include "securitytableviewcell.h"

#include <cstddef>
#include <cstdint>

namespace {

bool onlyText(const Rows &rows) {
    for (const Row &row : rows)
        for (const QVariant &value : row)
            if (value.typeId() != QMetaType::QString)
                return false;
    return true;
}

// Lone surrogates do not survive UTF-8, so texts holding them cannot round-trip.
bool validUtf16(const Rows &rows) {
    for (const Row &row : rows)
        for (auto it = row.cbegin(); it != row.cend(); ++it)
            if (!it.key().isValidUtf16() || !it.value().toString().isValidUtf16())
                return false;
    return true;
}

void readAsJson(const QByteArray &body) {
    HttpReply whole; // as a transport that leaves the decoding to the main thread hands it
    whole.status = 200;
    whole.body = body;
    const QVariant reply = fetchDATA::decoded(whole);

    const Rows rows = RowsReader::textRows(reply);
    fuzzCheck(onlyText(rows), "text rows hold only text");
    if (const auto listed = RowsReader::listOfRows(reply))
        fuzzCheck(*listed == rows, "a list of rows reads as its text rows");

    // Rows go back to the server as JSON text (saves, criteria) and must read the same there.
    const bool container =
        reply.typeId() == QMetaType::QVariantList || reply.typeId() == QMetaType::QVariantMap;
    const QString json = datatask::sharedInstance().toJSONText(reply);
    fuzzCheck(container != json.isEmpty(), "lists and objects have JSON text");
    if (container && validUtf16(rows))
        fuzzCheck(RowsReader::textRows(datatask::decode(json.toUtf8())) == rows,
                  "rows read the same after a JSON text round trip");

    const auto answer = SecurityLogSave::readAnswer(reply);
    if (answer.saved)
        fuzzCheck(answer.message.trimmed().toLongLong() > 0, "a saved log has a positive ID");

    datatask::sharedInstance().rowsFromJSONText(QString::fromUtf8(body));
}

// What the summaries do with a DataTask "N" reply: the text decoded, then each record read as
// a day of the month (its cell and bar chart, its date) and as a log of a day (its hour, date).
void readAsText(const QByteArray &body) {
    const QVariant reply = QString::fromUtf8(body);
    const QVariant decoded = datatask::decode(reply.toString().toUtf8());
    if (decoded.typeId() != QMetaType::QVariantList)
        return;
    const auto &common = common::sharedInstance();
    for (const QVariant &value : decoded.toList()) {
        const QVariantMap record = value.toMap();
        securityTableViewCell day(record);
        day.bars(320, 180);
        for (int i = 0; i < day.THEDATA.size(); ++i)
            day.titleForRow(i);
        const QString dt = record.value(QStringLiteral("Dt")).toString();
        common.convertDateText(17, 16, dt);
        dateFormats::parse(dt, dateFormats::pattern(17));
        record.value(QStringLiteral("Hrs")).toString().trimmed().toInt();
        common.convertDateText(14, 21, record.value(QStringLiteral("IOLogDate")).toString());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray body(reinterpret_cast<const char *>(data), qsizetype(size));
    readAsJson(body);
    readAsText(body);
    return 0;
}
