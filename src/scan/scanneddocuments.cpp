#include "scanneddocuments.h"

#include "common.h"
#include "imageloading.h"

#include <QStringList>

namespace ScannedDocuments {

namespace {
std::optional<int> positiveId(const Row &row, const char *key) {
    bool ok = false;
    const int id = RowsReader::text(row, QLatin1String(key)).trimmed().toInt(&ok);
    return ok && id >= 1 ? std::optional<int>(id) : std::nullopt;
}

QString joined(const Row &row, const char *first, const char *second) {
    QStringList parts;
    for (const char *key : {first, second}) {
        const QString value = RowsReader::text(row, QLatin1String(key));
        if (!value.isEmpty())
            parts.append(value);
    }
    return parts.join(QStringLiteral(", "));
}

std::optional<double> number(const Row &row, const char *key) {
    bool ok = false;
    const double value = RowsReader::text(row, QLatin1String(key)).trimmed().toDouble(&ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// An item row as the DC and hand-bit lines give it.
ItemRow lineRow(const Row &line, const QString &name, const QString &quantity) {
    ItemRow item = makeItemRow();
    item->titleText = name;
    item->makeQuantityControls();
    item->textField = quantity;
    item->buttonsHidden = true;
    item->Unit_id = RowsReader::text(line, QStringLiteral("Unit_id"));
    item->Singular = RowsReader::text(line, QStringLiteral("SingularSymbol"));
    item->Plural = RowsReader::text(line, QStringLiteral("PluralSymbol"));
    bool whole = false;
    const int places = RowsReader::text(line, QStringLiteral("NoOfDecimal")).toInt(&whole);
    if (whole && places >= 0 && places <= 6)
        item->decimals = places;
    item->ItemImagePath = RowsReader::text(line, QStringLiteral("ImagePath"));
    item->imageUrl = KingfisherWrapper::convertToSource(item->ItemImagePath);
    return item;
}
} // namespace

Kind kindOf(const Row &record) {
    if (positiveId(record, "DC_id"))
        return Kind::DC;
    if (positiveId(record, "GodownTransfer_id"))
        return Kind::GodownTransfer;
    if (positiveId(record, "HB_id"))
        return Kind::HandBit;
    return Kind::None;
}

std::optional<QString> partyName(const Row &record, bool isGodownTransfer) {
    const QString direction = RowsReader::text(record, QStringLiteral("IsOutDC"));
    if (direction == QLatin1String("Yes")) {
        const QString godown = RowsReader::text(record, QStringLiteral("FromGoDown"));
        return QStringLiteral("From ") +
               (isGodownTransfer && !godown.isEmpty() ? godown : joined(record, "FDiv", "FDept"));
    }
    if (direction == QLatin1String("OutDCYes"))
        return QStringLiteral("From ") + joined(record, "TDiv", "ToDept");
    if (direction == QLatin1String("No")) {
        const QString godown = RowsReader::text(record, QStringLiteral("ToGoDown"));
        return QStringLiteral("To ") +
               (isGodownTransfer && !godown.isEmpty() ? godown : joined(record, "TDiv", "ToDept"));
    }
    return std::nullopt;
}

SectionEntry entryFor(const Row &record, bool godownAlternatives) {
    SectionEntry entry;
    switch (kindOf(record)) {
    case Kind::DC:
        entry.DC_id = *positiveId(record, "DC_id");
        break;
    case Kind::GodownTransfer:
        entry.GT_id = *positiveId(record, "GodownTransfer_id");
        break;
    case Kind::HandBit:
        entry.HB_id = *positiveId(record, "HB_id");
        break;
    case Kind::None:
        break;
    }
    auto &details = entry.PartyDetails;
    if (const auto party = partyName(record, godownAlternatives && entry.GT_id >= 1))
        details.insert(QStringLiteral("PartyName"), *party);
    if (record.contains(QStringLiteral("Party_id")))
        details.insert(QStringLiteral("Party_id"),
                       RowsReader::text(record, QStringLiteral("Party_id")));
    const auto &common = common::sharedInstance();
    const QString transfer = RowsReader::text(record, QStringLiteral("GodownTransferCode"));
    // Bill dates are kept as the form shows them.
    if (godownAlternatives && !transfer.isEmpty()) {
        details.insert(QStringLiteral("BillNo"), transfer);
        if (const auto date = common.convertDateText(
                14, 0, RowsReader::text(record, QStringLiteral("CreatedOn"))))
            details.insert(QStringLiteral("BillDate"), *date);
    } else {
        if (record.contains(QStringLiteral("DCCode")))
            details.insert(QStringLiteral("BillNo"),
                           RowsReader::text(record, QStringLiteral("DCCode")));
        if (const auto date =
                common.convertDateText(4, 0, RowsReader::text(record, QStringLiteral("DCDate"))))
            details.insert(QStringLiteral("BillDate"), *date);
    }
    const QString city = RowsReader::text(record, QStringLiteral("CityName"));
    details.insert(QStringLiteral("City"), city.isEmpty() ? QStringLiteral("Halvik") : city);
    return entry;
}

QList<ItemRow> positiveBalanceRows(const Rows &lines) {
    QList<ItemRow> rows;
    for (const Row &line : lines) {
        const auto passed = number(line, "PassedQty");
        const auto returned = number(line, "ReturnQty");
        if (!passed || !returned || *passed - *returned <= 0)
            continue;
        ItemRow item = lineRow(line, RowsReader::text(line, QStringLiteral("ItemName")),
                               RowsReader::text(line, QStringLiteral("PassedQty")));
        item->MaxQty = *passed;
        item->unitText = *passed <= 1 ? item->Singular : item->Plural;
        item->DCDId = RowsReader::text(line, QStringLiteral("DCDet_id")).toInt();
        rows.append(item);
    }
    return rows;
}

QList<ItemRow> handBitRows(const Rows &lines) {
    QList<ItemRow> rows;
    for (const Row &line : lines) {
        ItemRow item = lineRow(line, RowsReader::text(line, QStringLiteral("ColorName")),
                               RowsReader::text(line, QStringLiteral("Qty")));
        item->unitText = RowsReader::text(line, QStringLiteral("Unit"));
        rows.append(item);
    }
    return rows;
}

QList<ItemRow> godownTransferRows(const Rows &lines, const Row &transfer) {
    if (lines.isEmpty() || !transfer.contains(QStringLiteral("ItemCount")))
        return {};
    Row line = lines.first();
    line.insert(QStringLiteral("ProdPlanCode"),
                RowsReader::text(transfer, QStringLiteral("ItemCount")) + QStringLiteral(" Pcs"));
    if (transfer.contains(QStringLiteral("Qty")))
        line.insert(QStringLiteral("Qty"), transfer.value(QStringLiteral("Qty")));
    else
        line.remove(QStringLiteral("Qty"));
    ItemRow item = lineRow(line, RowsReader::text(line, QStringLiteral("ProdPlanCode")),
                           RowsReader::text(line, QStringLiteral("Qty")));
    item->unitText = RowsReader::text(line, QStringLiteral("Unit"));
    return {item};
}

} // namespace ScannedDocuments
