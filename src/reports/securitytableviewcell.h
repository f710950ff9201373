#pragma once

#include "horizontalbarchart.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QVariantMap>

// One day of the monthly dashboard: the day, its forenoon and afternoon counts, its total, and
// its movements by entry type as a bar chart. The cell answers for its chart.
class securityTableViewCell : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString title MEMBER title CONSTANT)
    Q_PROPERTY(QString subtitle MEMBER subtitle CONSTANT)
    Q_PROPERTY(QString title2 MEMBER title2 CONSTANT)
public:
    // The cell for day record `day` ("Dt", "Daylight", "Night", "Total", "detail").
    explicit securityTableViewCell(const QVariantMap &day, QObject *parent = nullptr);

    // The chart's bars in a chart area of `width` x `height`.
    Q_INVOKABLE QVariantList bars(qreal width, qreal height) const {
        return chart.layoutForView(width, height);
    }

    // The bar of entry type i: its share of the day in percent, its colour and its title
    // ("Visitor  12  45.0 %").
    double value(int i) const;
    QColor color(int i) const;
    QString titleForRow(int i) const;

    QString title = QStringLiteral("Jan 24");
    QString subtitle = QStringLiteral("100 Visitors");
    QString title2 = QStringLiteral("12300");
    QVariantList THEDATA;
    double thedatatotal = 0;
    horizontalBARChart chart;
};
