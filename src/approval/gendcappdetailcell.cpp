#include "gendcappdetailcell.h"

#include "commonclass.h"
#include "imageloading.h"

#include <QVariantList>

namespace GenDcAppDetailCell {

QVariantMap contents(const Row &dc) {
    const auto &theme = CommonClass::shared();
    auto text = [&dc](const char *key) { return RowsReader::text(dc, QLatin1String(key)); };
    const QString state = text("IsOutDC");
    QColor badge = theme.tableViewBC;
    QColor badgeText = Qt::white;
    if (state == QLatin1String("Yes"))
        badge = theme.rowSelColor, badgeText = Qt::black;
    else if (state == QLatin1String("OutDCYes"))
        badge = theme.orange1, badgeText = Qt::black;
    QVariantList pictures;
    for (const char *key : {"ImagePath1", "ImagePath3", "ImagePath2"})
        pictures.append(KingfisherWrapper::convertToSource(text(key)));
    return {{QStringLiteral("cellClass"), QStringLiteral("GenDcAppDetailCell")},
            {QStringLiteral("titlelbl"), text("DCCode")},
            {QStringLiteral("DC_id"), text("DC_id")},
            {QStringLiteral("subtitlelbl1"), text("TDiv")},
            {QStringLiteral("subtitlelbl2"), text("FDept")},
            {QStringLiteral("subtitlelbl3"), text("ToDept")},
            {QStringLiteral("countlbl"), text("ItemCount")},
            {QStringLiteral("countColor"), badge},
            {QStringLiteral("countTextColor"), badgeText},
            {QStringLiteral("pictures"), pictures},
            // Under the pictures: who issued, carried and received the DC.
            {QStringLiteral("names"),
             QStringList{text("IssueEmpName"), text("TakenByName"), text("IssToEmp")}},
            {QStringLiteral("captions"),
             QStringList{QStringLiteral("Issue by"), QStringLiteral("Taken by"),
                         QStringLiteral("Issue To")}},
            {QStringLiteral("checkmark"), text("DCSelected") == QLatin1String("Yes")},
            {QStringLiteral("background"), theme.tableViewRowBC},
            {QStringLiteral("textColor"), theme.textTintColor},
            {QStringLiteral("captionColor"), theme.viewBC}};
}

} // namespace GenDcAppDetailCell
