#pragma once

#include <functional>
#include <optional>
#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QVariantList>

// A small horizontal bar chart: one thin bar per row, each drawn to its share of the longest
// bar, with a right-aligned title to its left. The geometry is computed here; the view draws
// plain lines and labels where it says.
class horizontalBARChart {
public:
    struct DataSource {
        std::function<int()> numberofrows;
        std::function<double(int)> valueforRowAtIndex;
    };
    struct Delegate {
        std::function<std::optional<QString>(int)> titleForRowAtIndex; // may be empty
        std::function<QColor(int)> colorForLineAtIndex;
    };
    // One bar as drawn: its line from x0 to x1 at y (drawn up to strokeEnd of its length), and
    // its title's frame.
    struct Bar {
        qreal y = 0;
        qreal x0 = 0;
        qreal x1 = 0;
        qreal strokeEnd = 0;
        QColor color;
        std::optional<QString> title;
        QRectF titleFrame;
    };

    DataSource thedatasource;
    Delegate thedelegate;
    qreal barHeight = 2.0;
    qreal barMarginX = 10.0;
    qreal sideMargin = 5.0;
    qreal labelsWidth = 100.0;
    qreal maxX = 0.0;
    QColor barColor = Qt::red;

    // Rebuilds the bars from the data source, after the data changed.
    void reloadData();
    // The bars laid out in a chart of `width` x `height`.
    QList<Bar> layout(qreal width, qreal height) const;
    // The same, as the view reads it: {"y", "x", "width" (the drawn length), "height", "color",
    // "title", "titleX", "titleY", "titleWidth", "titleHeight"}.
    QVariantList layoutForView(qreal width, qreal height) const;

private:
    struct Row {
        double value = 0;
        QColor color;
        std::optional<QString> title;
    };
    QList<Row> m_rows;
};
