#pragma once

#include "itemdetailcell.h"

#include <optional>
#include <QList>
#include <QMap>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

// One document (DC, godown transfer, hand-bit DC, store PO or party/bill entry) in the IN or
// OUT section of a log, with its item lines.
struct SectionEntry {
    QList<ItemRow> DATA;
    // Party and bill header: "PartyName", "Party_id", "City", "CityName", "BillNo", "BillDate".
    QMap<QString, QString> PartyDetails;
    QVariantList QRCodeDC_Deatils;
    QString valueField;
    QString dataField;
    QString imageField;
    int DC_id = 0;
    int GT_id = 0;
    int HB_id = 0;
    QVariantMap GodownTransferDeatils;
    // Display mode of the entry's cell: "" in a log section; "Particulars", "DCScan",
    // "SecDetailView_DCScan" or "GodownTransfer" in the strips.
    QString AccessFrom;
    bool IsOutSideDCReturn = false;
    // SecIOLogDet_id of the saved detail row the entry was loaded from.
    std::optional<QString> savedDetailId;

    // Saved entries came from the server; new ones are still only on the handheld.
    bool isSaved() const { return savedDetailId && !savedDetailId->isEmpty(); }
};
