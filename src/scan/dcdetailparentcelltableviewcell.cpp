#include "dcdetailparentcelltableviewcell.h"

#include "imageloading.h"
#include "rows.h"

void DCDetailParentCellTableViewCell::fill(const QVariantMap &dc, PictureOrder order) {
    auto text = [&dc](const char *key) { return RowsReader::text(dc, QLatin1String(key)); };
    label1 = text("DCCode");
    label2 = text("DCDate");
    label4 = text("FDiv");
    label5 = text("TDiv");
    label6 = text("FDept");
    label7 = text("ToDept");
    imgIssBy = text("IssueEmpName");
    imgIssTo = text("IssToEmp");
    imgTakBy = text("TakenByName");
    lblReturnable = text("IsRet") == QLatin1String("R") ? QStringLiteral("Returnable")
                                                        : QStringLiteral("Non Returnable");
    badgeColoured = text("DCType") != QLatin1String("IDC");
    const bool byNumber = order == PictureOrder::ByNumber;
    theimage1 = KingfisherWrapper::convertToSource(text("ImagePath1"));
    theimage2 = KingfisherWrapper::convertToSource(text(byNumber ? "ImagePath2" : "ImagePath3"));
    theimage3 = KingfisherWrapper::convertToSource(text(byNumber ? "ImagePath3" : "ImagePath2"));
    Q_EMIT changed();
}
