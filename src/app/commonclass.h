#pragma once

#include <QColor>
#include <QDate>
#include <QFont>
#include <QList>
#include <QObject>
#include <QVariantMap>

class NavigationController;

// The client's look (colours, fonts, cell styles) and two calendar helpers, shared by every
// screen.
class CommonClass {
public:
    static CommonClass &shared();

    const QColor viewBC{54, 54, 54};
    const QColor tableViewRowBC{48, 48, 48};
    const QColor tableViewBC{79, 79, 79};
    const QColor textTintColor{194, 194, 194};
    const QColor textSubTintColor{158, 158, 158};
    const QColor swifeApproveBC{125, 218, 144};
    const QColor approveFontColor{118, 202, 48};
    const QColor rowSelColor{84, 159, 185};
    const QColor orange1{242, 159, 75};
    const QColor orange{0, 0, 0}; // the system black: table separators
    const QColor darkGray{38, 38, 38};
    const QColor Gray{50, 50, 50};
    const QList<QColor> brightColorSet;

    const QFont TitleFont;
    const QFont NormalFont;
    const QFont MediumFont;
    const QFont SmallFont;
    const QFont SmallFont2;
    const QFont SmallFont3;
    const QFont SmallFont4;

    // Cache of server lists by list kind.
    QVariantMap listDATA;

    // Applies a named style ("label", "textbox", "comboxtableviewcell", "comboboxcolor") to a
    // cell or screen; an unknown name or object leaves it unchanged.
    void style(const QString &name, QObject *object) const;
    // "comboxtableviewcell": a picker row's colours and fonts, as its delegate styles it.
    void style(const QString &name, QVariantMap &pickerRow) const;
    // Bar buttons white, bar background tableViewRowBC, title white.
    void styleNavigation(NavigationController *nav) const;

    int daysInMonth(int month, int year) const;
    QDate today() const;

    // "GillSans" where the system has it, else the free sans serif we ship.
    static QFont font(const QString &face, int pointSize);

private:
    CommonClass();
};
