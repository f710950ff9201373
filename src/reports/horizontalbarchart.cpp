#include "horizontalbarchart.h"

#include <cmath>
#include <QVariantMap>

void horizontalBARChart::reloadData() {
    maxX = 0;
    m_rows.clear();
    const int n = thedatasource.numberofrows ? thedatasource.numberofrows() : 0;
    for (int i = 0; i < n; ++i) {
        Row row;
        row.value = thedatasource.valueforRowAtIndex ? thedatasource.valueforRowAtIndex(i) : 0;
        row.color = thedelegate.colorForLineAtIndex ? thedelegate.colorForLineAtIndex(i) : barColor;
        if (thedelegate.titleForRowAtIndex)
            row.title = thedelegate.titleForRowAtIndex(i);
        maxX = std::max(maxX, row.value);
        m_rows.append(row);
    }
}

QList<horizontalBARChart::Bar> horizontalBARChart::layout(qreal width, qreal height) const {
    QList<Bar> bars;
    const qsizetype n = m_rows.size();
    const qreal pitch = (height - 2 * sideMargin) / qreal(n - 1); // infinite for one bar
    for (qsizetype k = 0; k < n; ++k) {
        const Row &row = m_rows.at(k);
        Bar bar;
        const qreal offset = qreal(k) * pitch;
        const bool single = std::isnan(offset) || std::isinf(offset);
        bar.y = single ? height * 0.5 : sideMargin + offset;
        bar.x0 = barMarginX + labelsWidth;
        bar.x1 = width - 2 * barMarginX;
        // A value that is no number, or no longest bar to measure against, draws nothing.
        const double share = maxX > 0 ? row.value / maxX : 0;
        bar.strokeEnd = std::isfinite(share) ? std::clamp(share, 0.0, 1.0) : 0;
        bar.color = row.color;
        bar.title = row.title;
        bar.titleFrame = single ? QRectF(sideMargin, height * 0.5 - 5, labelsWidth, height - 10)
                                : QRectF(sideMargin, offset, labelsWidth, pitch);
        bars.append(bar);
    }
    return bars;
}

QVariantList horizontalBARChart::layoutForView(qreal width, qreal height) const {
    QVariantList list;
    for (const Bar &bar : layout(width, height)) {
        list.append(QVariantMap{
            {QStringLiteral("y"), bar.y - barHeight / 2},
            {QStringLiteral("x"), bar.x0},
            {QStringLiteral("width"), std::max<qreal>(0, bar.x1 - bar.x0) * bar.strokeEnd},
            {QStringLiteral("height"), barHeight},
            {QStringLiteral("color"), bar.color},
            {QStringLiteral("title"), bar.title.value_or(QString())},
            {QStringLiteral("titleX"), bar.titleFrame.x()},
            {QStringLiteral("titleY"), bar.titleFrame.y()},
            {QStringLiteral("titleWidth"), bar.titleFrame.width()},
            {QStringLiteral("titleHeight"), bar.titleFrame.height()},
        });
    }
    return list;
}
