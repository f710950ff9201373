#include "securitylogsave.h"

#include "common.h"
#include "rows.h"
#include "secitemtblviewcell.h"

#include <QCryptographicHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace SecurityLogSave {

namespace {

QString partyValue(const SectionEntry &entry, const char *key) {
    return entry.PartyDetails.value(QLatin1String(key));
}

QVariantMap detailRecord(const SectionEntry &entry, const itemDetailCell &item,
                         const QString &quantityKey) {
    QVariantMap record{
        {QStringLiteral("Party_id"), partyValue(entry, "Party_id")},
        {QStringLiteral("PartyName"), partyValue(entry, "PartyName")},
        {QStringLiteral("City"), partyValue(entry, "City")},
        {QStringLiteral("DocNo"),
         secItemTBLViewCell::shownBillLine(entry, QStringLiteral("BillNo"))},
        {QStringLiteral("DocDate"),
         common::sharedInstance()
             .convertDateText(0, 4,
                              secItemTBLViewCell::shownBillLine(entry, QStringLiteral("BillDate")))
             .value_or(QString())},
        {QStringLiteral("Particulars"), item.titleText},
        {quantityKey, item.quantity()},
        {QStringLiteral("DocPath"), item.ItemImagePath},
        {QStringLiteral("DetailImageData"), QString()},
    };
    return record;
}

struct SectionLists {
    IdList dc, godown, handBit;
};

// One section's records. `in` picks the quantity key of ordinary entries and whether DC
// detail ids are collected.
void addSection(const QList<SectionEntry> &entries, bool in, Details &details, SectionLists &lists,
                IdList &dcDetails, int &newRows) {
    for (const SectionEntry &entry : entries) {
        bool saved = false;
        auto queueImage = [&details](const itemDetailCell &item) {
            if (item.showsImage() && item.ItemImagePath.isEmpty() && !item.image.isNull())
                details.images.append(
                    {QStringLiteral("SecLogDetImg"), int(details.records.size()), item.image});
        };
        if (entry.GT_id >= 1) {
            // A godown transfer travels as one line, always under "Quantity".
            if (!entry.DATA.isEmpty() && entry.DATA.first()) {
                details.records.append(
                    detailRecord(entry, *entry.DATA.first(), QStringLiteral("Quantity")));
            }
        } else {
            const QString key = in ? QStringLiteral("Quantity") : QStringLiteral("OutQty");
            for (const ItemRow &item : entry.DATA) {
                if (!item)
                    continue;
                QVariantMap record = detailRecord(entry, *item, key);
                if (!item->hasSavedDetailId()) {
                    queueImage(*item);
                    details.records.append(record);
                    if (in && item->DCDId >= 1)
                        dcDetails.add(item->DCDId);
                    ++newRows;
                } else {
                    record.insert(QStringLiteral("SecIOLogDet_id"), *item->savedDetailId);
                    queueImage(*item);
                    details.records.append(record);
                    saved = true;
                }
            }
        }
        if (saved)
            continue;
        if (entry.DC_id > 0)
            lists.dc.add(entry.DC_id);
        if (entry.GT_id > 0)
            lists.godown.add(entry.GT_id);
        if (entry.HB_id > 0)
            lists.handBit.add(entry.HB_id);
    }
}

} // namespace

Details buildDetails(const QList<SectionEntry> &in, const QList<SectionEntry> &out) {
    Details details;
    IdList dcDetails;
    SectionLists inLists, outLists;
    addSection(in, true, details, inLists, dcDetails, details.newINRows);
    addSection(out, false, details, outLists, dcDetails, details.newOUTRows);
    details.INDC_ids = inLists.dc.text();
    details.INGodTrn_ids = inLists.godown.text();
    details.INHB_ids = inLists.handBit.text();
    details.OUTDC_ids = outLists.dc.text();
    details.OUTGodTrn_ids = outLists.godown.text();
    details.OUTHB_ids = outLists.handBit.text();
    details.DC_Detids = dcDetails.text();
    return details;
}

Answer readAnswer(const QVariant &reply) {
    const QString error = QStringLiteral("Error");
    // Only a list of objects is an answer at all.
    if (reply.typeId() != QMetaType::QVariantList)
        return {error, error};
    const QVariantList list = reply.toList();
    for (const QVariant &item : list)
        if (item.typeId() != QMetaType::QVariantMap)
            return {error, error};
    const Rows rows = RowsReader::textRows(reply);
    const Row first = rows.value(0);
    // A refusal always says something: an empty or non-text "Error" gets the usual words.
    if (first.contains(error)) {
        const QString text = RowsReader::text(first, error);
        return {error, text.trimmed().isEmpty() ? QStringLiteral("Error Contact IT Dep") : text};
    }
    const QString id = RowsReader::text(first, QStringLiteral("ID"));
    bool ok = false;
    const qlonglong number = id.trimmed().toLongLong(&ok);
    if (ok && number > 0)
        return {QStringLiteral("Alert"), id, true};
    return {error, QStringLiteral("Error Contact IT Dep")};
}

} // namespace SecurityLogSave

namespace SecurityLogSave {

QString saveKey(const QUuid &form, const QVariantMap &record, const Details &details,
                const QImage &personPhoto) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(QJsonDocument(QJsonObject::fromVariantMap(record)).toJson(QJsonDocument::Compact));
    hash.addData(
        QJsonDocument(QJsonArray::fromVariantList(details.records)).toJson(QJsonDocument::Compact));
    // Pictures by identity: the form keeps the same image objects from one retry to the next.
    auto addImage = [&hash](const QImage &image) {
        hash.addData(QByteArray::number(image.isNull() ? 0 : image.cacheKey()) + ';');
    };
    addImage(personPhoto);
    for (const QueuedImage &queued : details.images)
        addImage(queued.Image);
    return form.toString(QUuid::WithoutBraces) + QLatin1Char('.') +
           QString::fromLatin1(hash.result().toHex().left(32));
}

} // namespace SecurityLogSave
