#pragma once

#include "persondetailsview.h"
#include "viewcontroller.h"

#include <QStringList>
#include <QVariantList>

// The log form. For now it holds and shows what the list hands it: the log's identity, its
// IN/OUT segment titles and the values copied from the row.
class securityLogDetailView : public ViewController {
    Q_OBJECT
    Q_PROPERTY(QString SecIOLog_id MEMBER SecIOLog_id CONSTANT)
    Q_PROPERTY(QStringList segmentTitles MEMBER segmentTitles CONSTANT)
    Q_PROPERTY(QVariantList fields READ fields CONSTANT)
    Q_PROPERTY(PersonDetailsView *personView READ personView CONSTANT)
public:
    explicit securityLogDetailView(QObject *parent = nullptr);
    QString qmlView() const override {
        return QStringLiteral("qrc:/SecLog/securitylog/SecurityLogDetailPage.qml");
    }

    QString SecIOLog_id;
    QString IsUpdateable;
    QString IsOutSecUpdateable;
    QStringList segmentTitles{QStringLiteral("IN"), QStringLiteral("OUT")};
    QString vehicle;
    QString meetTo;
    QString entryType;
    QString entryTypeId;
    QString purpose;
    QString token;
    QString gate;
    PersonDetailsView *personDetails;

    PersonDetailsView *personView() const { return personDetails; }
    // Label and value pairs the page lists.
    QVariantList fields() const;
};
