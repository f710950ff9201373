#include "securitylogcell.h"

#include "access.h"
#include "common.h"
#include "commonclass.h"
#include "imageloading.h"

namespace SecurityLogCell {

namespace {
QString shortTime(const QString &inTime) {
    return common::sharedInstance().convertDateText(14, 22, inTime).value_or(QString());
}
} // namespace

bool isOpenLogOfThisDivision(const Row &row) {
    auto &c = common::sharedInstance();
    const QString pattern = QStringLiteral("dd MMM yyyy HH:mm:ss");
    const auto from = c.dateFromText(RowsReader::text(row, QStringLiteral("SecLogFrom")), pattern);
    const auto in = c.dateFromText(RowsReader::text(row, QStringLiteral("InTime")), pattern);
    if (!from || !in)
        return false;
    if (c.compareDates(*in, *from) != 1)
        return false;
    if (!c.isEmptyText(RowsReader::text(row, QStringLiteral("OutTime"))))
        return false;
    const QString division = RowsReader::text(row, QStringLiteral("Division_id"));
    return !division.isEmpty() && division == master.Division_id;
}

QVariantMap contents(const Row &row, Kind kind, bool reportMode) {
    const auto &theme = CommonClass::shared();
    auto text = [&row](const char *key) { return RowsReader::text(row, QLatin1String(key)); };
    QVariantMap cell{
        {QStringLiteral("cellClass"), QStringLiteral("SecurityLogCell")},
        {QStringLiteral("lblPersonName"), text("IOPerson")},
        {QStringLiteral("lblMobileNo"), text("IOMobile")},
        {QStringLiteral("lblMeetTo"), text("Meet_To")},
        {QStringLiteral("textColor"), theme.textTintColor},
        {QStringLiteral("subTextColor"), theme.textSubTintColor},
        {QStringLiteral("background"), theme.tableViewRowBC},
    };
    QString secLogId, inTime, logedBy, purpose;
    QColor purposeColor;
    if (kind == Kind::SearchRow && !reportMode) {
        purpose = text("PersonType");
        if (isOpenLogOfThisDivision(row)) {
            // The search returns the open log's number in "Employee_id".
            secLogId = text("Employee_id");
            inTime = shortTime(text("InTime"));
            purposeColor = theme.orange1;
            logedBy = text("LogedBy");
        } else {
            purposeColor = QColor(255, 255, 255, 153); // the system light-text colour
        }
    } else {
        inTime = shortTime(text("InTime"));
        purpose = text("Purpose");
        purposeColor = theme.orange1;
        secLogId = text("SecIOLog_id");
        const QString division = text("DivisionName");
        if (reportMode && !division.isEmpty())
            secLogId += QStringLiteral(" (") + division + QStringLiteral(")");
        logedBy = text("LogedBy");
    }
    cell.insert(QStringLiteral("lblSecLog_id"), secLogId);
    cell.insert(QStringLiteral("lblInTime"), inTime);
    cell.insert(QStringLiteral("lblLogedBy"), logedBy);
    cell.insert(QStringLiteral("lblPurpose"), purpose);
    cell.insert(QStringLiteral("purposeColor"), purposeColor);

    const QString photo = text("IOImgPath");
    const QUrl url = photo.isEmpty() ? QUrl() : KingfisherWrapper::convertToSource(photo);
    cell.insert(QStringLiteral("imageUrl"), url);
    cell.insert(QStringLiteral("photoBackground"),
                photo.isEmpty() ? QColor::fromRgbF(1, 1, 1, 0.95) : QColor(Qt::transparent));
    return cell;
}

} // namespace SecurityLogCell
