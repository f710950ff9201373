#include "commonclass.h"

#include "combobox.h"
#include "formcells.h"
#include "navigationcontroller.h"

#include <QFontDatabase>

QFont CommonClass::font(const QString &face, int pointSize) {
    const bool light = face.endsWith(QLatin1String("-Light"));
    QFont f;
    f.setFamilies({QStringLiteral("GillSans"), QStringLiteral("Gill Sans"),
                   QStringLiteral("Open Sans"), QStringLiteral("DejaVu Sans")});
    f.setPixelSize(pointSize);
    f.setWeight(light ? QFont::Light : QFont::Normal);
    return f;
}

CommonClass::CommonClass()
    : brightColorSet{QColor(156, 134, 227), QColor(164, 212, 16), QColor(255, 249, 102),
                     QColor(242, 190, 92),  QColor(238, 91, 182), QColor(255, 115, 115),
                     QColor(115, 115, 255), QColor(62, 191, 187), QColor(62, 191, 0),
                     QColor(12, 2, 100),    QColor(0, 200, 100),  QColor(255, 255, 255, 128),
                     QColor(255, 255, 255)},
      TitleFont(font(QStringLiteral("GillSans"), 15)),
      NormalFont(font(QStringLiteral("GillSans-Light"), 15)),
      MediumFont(font(QStringLiteral("GillSans"), 12)),
      SmallFont(font(QStringLiteral("GillSans-Light"), 10)),
      SmallFont2(font(QStringLiteral("GillSans-Light"), 12)),
      SmallFont3(font(QStringLiteral("GillSans-Light"), 13)),
      SmallFont4(font(QStringLiteral("GillSans-Light"), 8)) {}

CommonClass &CommonClass::shared() {
    static CommonClass *instance = new CommonClass(); // lives for the whole run
    return *instance;
}

void CommonClass::style(const QString &name, QVariantMap &pickerRow) const {
    if (name != QLatin1String("comboxtableviewcell"))
        return;
    pickerRow.insert(QStringLiteral("background"), QColor(48, 48, 48));
    pickerRow.insert(QStringLiteral("textColor"), QColor(Qt::white));
    pickerRow.insert(QStringLiteral("textFont"), NormalFont);
    pickerRow.insert(QStringLiteral("detailColor"), QColor(Qt::white));
    pickerRow.insert(QStringLiteral("detailFont"), MediumFont);
}

void CommonClass::style(const QString &name, QObject *object) const {
    if (auto *picker = qobject_cast<comboBox *>(object)) {
        if (name == QLatin1String("comboboxcolor"))
            picker->setBackgroundColor(tableViewRowBC);
        return;
    }
    auto *cell = qobject_cast<FormCell *>(object);
    if (!cell)
        return;
    const QColor grey48(48, 48, 48);
    const bool formStyle =
        (name == QLatin1String("label") && qobject_cast<labelCell *>(cell)) ||
        (name == QLatin1String("textbox") && qobject_cast<textFieldCell *>(cell));
    const bool pickerRow = name == QLatin1String("comboxtableviewcell");
    if (!formStyle && !pickerRow)
        return;
    cell->setBackgroundColor(grey48);
    cell->setTextColor(Qt::white);
    cell->setTextFont(NormalFont);
    cell->setTitleColor(Qt::white);
    cell->setTitleFont(MediumFont);
}

void CommonClass::styleNavigation(NavigationController *nav) const {
    if (nav)
        nav->setBarColors(tableViewRowBC, Qt::white, Qt::white);
}

int CommonClass::daysInMonth(int month, int year) const {
    const QDate first(year, month, 1);
    return first.isValid() ? first.daysInMonth() : 0;
}

QDate CommonClass::today() const {
    return QDate::currentDate();
}
