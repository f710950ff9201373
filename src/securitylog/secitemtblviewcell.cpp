#include "secitemtblviewcell.h"

#include "commonclass.h"

#include <QColor>
#include <QVariantList>

namespace secItemTBLViewCell {

namespace {

const itemDetailCell *itemAt(const SectionEntry &entry, int itemIndex) {
    if (itemIndex < 0 || itemIndex >= entry.DATA.size())
        return nullptr;
    return entry.DATA.at(itemIndex).get();
}

// A bill line: the value, "--" for a key that is there but empty, nothing for a missing key.
QString billLine(const QMap<QString, QString> &details, const QString &key) {
    const auto it = details.constFind(key);
    if (it == details.constEnd())
        return QString();
    return it->isEmpty() ? QStringLiteral("--") : *it;
}

QString partyLine(const QMap<QString, QString> &details) {
    // Without a party name the line stays empty, city or not: a bracketed city alone would
    // read as a name. The bill lines are still shown (a store PO carries a bill without a
    // party).
    const QString name = details.value(QStringLiteral("PartyName"));
    if (name.isEmpty())
        return QString();
    const QString city = details.value(QStringLiteral("City"));
    return city.isEmpty() ? name : name + QStringLiteral(" (") + city + QStringLiteral(")");
}

QVariantMap tile(const itemDetailCell *item, bool scanStrip) {
    QVariantMap t;
    const QString badge = scanStrip && item
                              ? item->QRScanDCDetails.value(QStringLiteral("ItemCount")).toString()
                              : QString();
    t.insert(QStringLiteral("titlelbl"), item ? item->titleText : QString());
    t.insert(QStringLiteral("imageSource"), item ? item->imageSource() : QUrl());
    t.insert(QStringLiteral("NoItemslbl"), badge);
    t.insert(QStringLiteral("badgeShown"), !badge.isEmpty());
    t.insert(QStringLiteral("singleTapEnabled"), scanStrip);
    return t;
}

} // namespace

bool isStrip(const QString &accessFrom) {
    return accessFrom == QLatin1String("Particulars") || isScanStrip(accessFrom);
}

bool isScanStrip(const QString &accessFrom) {
    return accessFrom == QLatin1String("DCScan") ||
           accessFrom == QLatin1String("SecDetailView_DCScan");
}

QString shownBillLine(const SectionEntry &entry, const QString &key) {
    if (entry.PartyDetails.isEmpty() || isStrip(entry.AccessFrom))
        return QString();
    return billLine(entry.PartyDetails, key);
}

QVariantMap contents(const SectionEntry &entry) {
    const auto &theme = CommonClass::shared();
    const bool headerFilled = !entry.PartyDetails.isEmpty() && !isStrip(entry.AccessFrom);
    const bool scanStrip = isScanStrip(entry.AccessFrom);
    QVariantList tiles;
    for (const auto &item : entry.DATA)
        tiles.append(tile(item.get(), scanStrip));

    const auto &details = entry.PartyDetails;
    const QColor nearWhite = QColor::fromRgbF(1, 1, 1, 0.95);
    return {
        {QStringLiteral("cellClass"), QStringLiteral("secItemTBLViewCell")},
        {QStringLiteral("AccessFrom"), entry.AccessFrom},
        {QStringLiteral("headerFilled"), headerFilled},
        {QStringLiteral("headerOnTop"), entry.AccessFrom.isEmpty()},
        {QStringLiteral("titlelbl"), headerFilled ? partyLine(details) : QString()},
        {QStringLiteral("Party_id"),
         headerFilled ? details.value(QStringLiteral("Party_id")) : QString()},
        {QStringLiteral("billNolbl"), shownBillLine(entry, QStringLiteral("BillNo"))},
        {QStringLiteral("billDatelbl"), shownBillLine(entry, QStringLiteral("BillDate"))},
        {QStringLiteral("tileSize"), entry.AccessFrom.isEmpty() ? smallTile : largeTile},
        {QStringLiteral("tiles"), tiles},
        {QStringLiteral("background"), theme.tableViewRowBC},
        {QStringLiteral("collectionBackground"), theme.tableViewRowBC},
        {QStringLiteral("textColor"), theme.textTintColor},
        {QStringLiteral("titleFont"), theme.TitleFont},
        {QStringLiteral("billFont"), theme.SmallFont},
        {QStringLiteral("tileFont"), theme.SmallFont2},
        {QStringLiteral("badgeFont"), theme.TitleFont},
        {QStringLiteral("imageBackground"), nearWhite},
        {QStringLiteral("imageBorder"), nearWhite},
        // The system orange, not the theme's `orange` (which is the system black).
        {QStringLiteral("badgeColor"), QColor::fromRgbF(1, 0.5, 0)},
    };
}

std::optional<QString> deleteQuestion(const SectionEntry &entry, int itemIndex) {
    const itemDetailCell *item = itemAt(entry, itemIndex);
    // Saved lines and DC lines are removed elsewhere, if at all.
    if (!item || item->hasSavedDetailId() || entry.DC_id != 0)
        return std::nullopt;
    if (entry.AccessFrom.isEmpty() && entry.DATA.size() == 1)
        return QStringLiteral("Are You Sure Want To Delete This Party?");
    return QStringLiteral("Are You Sure Want To Delete This Item?");
}

QString deleteAlertTitle() {
    return QStringLiteral("Alert !");
}
QString yesTitle() {
    return QStringLiteral("Yes");
}
QString noTitle() {
    return QStringLiteral("No");
}

bool removeItem(SectionEntry &entry, int itemIndex) {
    if (itemIndex < 0 || itemIndex >= entry.DATA.size())
        return false;
    entry.DATA.removeAt(itemIndex);
    return entry.DATA.isEmpty() && entry.AccessFrom.isEmpty();
}

bool opensDCDetail(const SectionEntry &entry, int itemIndex) {
    const itemDetailCell *item = itemAt(entry, itemIndex);
    return item && isScanStrip(entry.AccessFrom) && !item->titleText.contains(QLatin1String("GT"));
}

} // namespace secItemTBLViewCell
