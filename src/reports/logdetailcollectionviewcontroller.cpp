#include "logdetailcollectionviewcontroller.h"

#include "access.h"
#include "common.h"
#include "commonclass.h"
#include "datatask.h"
#include "dbconnection.h"
#include "imageloading.h"
#include "logdetailtableviewcontroller.h"
#include "mainqueue.h"
#include "navigationcontroller.h"

#include <QSizeF>

LogDetailCollectionViewController::LogDetailCollectionViewController(QObject *parent)
    : ViewController(parent) {}

LogDetailCollectionViewController::~LogDetailCollectionViewController() {
    if (m_request)
        m_request->cancel();
}

void LogDetailCollectionViewController::viewDidLoad() {
    setTitle(bartitle);
    setBackgroundColor(CommonClass::shared().darkGray);
    requestDay();
}

QSizeF LogDetailCollectionViewController::itemSize(qreal width) {
    const qreal w = (width - 4) / 3;
    return {w, w * 1.25};
}

void LogDetailCollectionViewController::requestDay() {
    const QVariantMap criteria{
        {QStringLiteral("FromDate"),
         common::sharedInstance().convertDateText(17, 3, fetchDate).value_or(QString())},
        {QStringLiteral("Division_id"), Division_id ? QString::number(*Division_id) : QString()},
        {QStringLiteral("GetType"), QStringLiteral("SummaryDetails")},
        {QStringLiteral("BranchCode"), master.BranchCode}};
    const QMap<QString, QString> parameters{
        {QStringLiteral("SP_Name"), QStringLiteral("USP_GetSecurityLogSummaryReport")},
        {QStringLiteral("SecurityReport"), datatask::sharedInstance().toJSONText(criteria)},
        {QStringLiteral("CommonKeyValue"), QStringLiteral("SecIOLog_id")}};
    m_request = fetchDATA::DataTask(this, DCdatabase + QStringLiteral("/GetCommonNestedData"),
                                    parameters, QStringLiteral("N"), [this](const QVariant &reply) {
                                        if (reply.typeId() != QMetaType::QString)
                                            return;
                                        const QVariant decoded =
                                            datatask::decode(reply.toString().toUtf8());
                                        if (decoded.typeId() != QMetaType::QVariantList)
                                            return;
                                        const QVariantList logs = decoded.toList();
                                        MainQueue::async(this, [this, logs] {
                                            THEDATA = logs;
                                            group();
                                            Q_EMIT reloaded();
                                        });
                                    });
}

void LogDetailCollectionViewController::group() {
    FormattedDATA.clear();
    FormattedDATAindex.clear();
    for (const QVariant &value : std::as_const(THEDATA)) {
        const QVariantMap log = value.toMap();
        bool whole = false;
        const int hour = log.value(QStringLiteral("Hrs")).toString().trimmed().toInt(&whole);
        // A log without an hour, or with one that is no whole number, has no section.
        if (!whole)
            continue;
        const QString key = QString::number(hour);
        if (!FormattedDATA.contains(key))
            FormattedDATAindex.append(hour);
        FormattedDATA[key].append(log);
    }
}

int LogDetailCollectionViewController::numberOfItems(int section) const {
    return int(FormattedDATA.value(QString::number(FormattedDATAindex.value(section, -1))).size());
}

QVariantMap LogDetailCollectionViewController::recordAt(int section, int item) const {
    return FormattedDATA.value(QString::number(FormattedDATAindex.value(section, -1)))
        .value(item)
        .toMap();
}

QString LogDetailCollectionViewController::titleForHeader(int section) const {
    const auto when = common::sharedInstance().convertDateText(
        14, 21, recordAt(section, 0).value(QStringLiteral("IOLogDate")).toString());
    return when ? QStringLiteral("  ") + *when : QString();
}

QVariantMap LogDetailCollectionViewController::cellForItem(int section, int item) {
    const QVariantMap log = recordAt(section, item);
    auto text = [&log](const char *key) { return log.value(QLatin1String(key)).toString(); };
    const QString type = text("IOType");
    qsizetype index = iotypeIndex.indexOf(type);
    if (index < 0) {
        iotypeIndex.append(type);
        index = iotypeIndex.size() - 1;
    }
    const auto &colors = CommonClass::shared().brightColorSet;
    // More entry types than colours start the colours again.
    const QColor color = colors.value(index % std::max<qsizetype>(colors.size(), 1));
    const QVariantList documents = log.value(QStringLiteral("detail")).toList();
    return {{QStringLiteral("imageSource"), KingfisherWrapper::convertToSource(text("IOImgPath"))},
            {QStringLiteral("titlelbl"), type},
            {QStringLiteral("titleColor"), color},
            {QStringLiteral("subtitlelbl"), text("IOPerson")},
            {QStringLiteral("subtitle2lbl"), text("Purpose")},
            {QStringLiteral("footerlbl1"), text("InTime")},
            {QStringLiteral("footerlbl2"), text("OutTime")},
            {QStringLiteral("badgeColor"), documents.isEmpty() ? QColor(Qt::transparent) : color}};
}

QVariantList LogDetailCollectionViewController::sections() {
    QVariantList list;
    for (int s = 0; s < numberOfSections(); ++s) {
        QVariantList tiles;
        for (int i = 0; i < numberOfItems(s); ++i)
            tiles.append(cellForItem(s, i));
        list.append(QVariantMap{{QStringLiteral("title"), titleForHeader(s)},
                                {QStringLiteral("section"), s},
                                {QStringLiteral("tiles"), tiles}});
    }
    return list;
}

void LogDetailCollectionViewController::didSelectItem(int section, int item) {
    const QVariantMap log = recordAt(section, item);
    const QVariant detail = log.value(QStringLiteral("detail"));
    if (detail.typeId() != QMetaType::QVariantList || detail.toList().isEmpty())
        return;
    auto *documents = new LogDetailTableViewController();
    documents->THEDATA = detail.toList();
    documents->thetitle = log.value(QStringLiteral("IOPerson")).toString();
    auto *nav = new NavigationController(documents);
    CommonClass::shared().styleNavigation(nav);
    if (!present(nav, true))
        delete nav;
}
