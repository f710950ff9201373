#include "itemdetailcell.h"

#include "imageloading.h"
#include "localimages.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <QQmlEngine>
#include <string>

namespace {

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Fixed-point with exactly `decimals` digits, rounded as C's "%.*f" rounds, in the C locale
// whatever the device's (a quantity is always written with a point).
QString fixedText(double value, int decimals) {
    // A server's decimals outside this range is a data fault; more digits than 30 say nothing
    // about a double.
    const int digits = std::clamp(decimals, 0, 30);
    std::string buffer(320 + digits, '\0'); // room for the largest double's 309 integer digits
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                      std::chars_format::fixed, digits);
    if (result.ec != std::errc())
        return QString();
    return QString::fromLatin1(buffer.data(), result.ptr - buffer.data());
}

} // namespace

itemDetailCell::itemDetailCell(QObject *parent) : QObject(parent) {
    // The shared_ptr (or the parent) owns the row; QML must never collect it.
    QQmlEngine::setObjectOwnership(this, QQmlEngine::CppOwnership);
}

ItemRow makeItemRow() {
    return std::make_shared<itemDetailCell>();
}

double itemDetailCell::leadingNumber(const QString &text) {
    // Leading blanks are skipped (a pasted " 4" is 4). A quantity has no sign: the minus button
    // stops at 0 and the decimal pad has no minus key, so "-3" (or "+3") does not start with a
    // number and reads as 0. Digits, at most one point, then an exponent when digits follow it.
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && text.at(i).isSpace())
        ++i;
    const qsizetype start = i;
    qsizetype digits = 0;
    for (; i < n && isAsciiDigit(text.at(i)); ++i)
        ++digits;
    if (i < n && text.at(i) == QLatin1Char('.'))
        for (++i; i < n && isAsciiDigit(text.at(i)); ++i)
            ++digits;
    if (digits == 0)
        return 0;
    qsizetype end = i;
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-')))
            ++j;
        if (j < n && isAsciiDigit(text.at(j))) {
            while (j < n && isAsciiDigit(text.at(j)))
                ++j;
            end = j;
        }
    }
    const QByteArray number = text.mid(start, end - start).toLatin1();
    double value = 0;
    const auto result =
        std::from_chars(number.constData(), number.constData() + number.size(), value);
    // A number too large for a double ("1e999", four hundred nines) reads as 0, like no number:
    // an infinity or NaN must never reach the field, the unit rule or the save.
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return value;
}

QString itemDetailCell::decimalText(double value) {
    if (!std::isfinite(value))
        return QString();
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (result.ec != std::errc())
        return QString();
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('e')))
        text += QStringLiteral(".0");
    return text;
}

void itemDetailCell::fill(const QVariantMap &result) {
    auto text = [&result](const char *key) { return result.value(QLatin1String(key)).toString(); };
    titleText = text("ItemName");
    Item_id = text("Item_id");
    unitText = text("SingularSymbol");
    Singular = unitText;
    Unit_id = text("Unit_id");
    Plural = text("PluralSymbol");
    bool whole = false;
    const int places = text("NoOfDecimal").trimmed().toInt(&whole);
    if (whole && places >= 0 && places <= 6)
        decimals = places;
    ItemImagePath = text("ImagePath");
    imageUrl = KingfisherWrapper::convertToSource(ItemImagePath);
    notify();
}

void itemDetailCell::makeQuantityControls() {
    quantityControls = true;
    if (!textField)
        textField = QString();
    notify();
}

std::optional<double> itemDetailCell::decimalValue(const QString &text) {
    const QString trimmed = text.trimmed();
    qsizetype digits = 0;
    qsizetype points = 0;
    for (QChar c : trimmed) {
        if (isAsciiDigit(c))
            ++digits;
        else if (c == QLatin1Char('.'))
            ++points;
        else
            return std::nullopt;
    }
    if (digits == 0 || points > 1)
        return std::nullopt;
    const QByteArray number = trimmed.toLatin1();
    double value = 0;
    const auto result =
        std::from_chars(number.constData(), number.constData() + number.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return std::nullopt;
    return value;
}

bool itemDetailCell::hasValidQuantity() const {
    const auto value = textField ? decimalValue(*textField) : std::nullopt;
    return value && *value > 0;
}

void itemDetailCell::tapButton(int tag) {
    const double v = leadingNumber(quantity());
    if (tag == 1) {
        // At the upper limit the plus button leaves the text as typed, unformatted.
        if (MaxQty != 0 && !(v < MaxQty))
            return;
        finishEditing(v + 1);
        return;
    }
    double next = v;
    if (MinQty < v)
        next = v - 1 <= 0 ? 0 : v - 1;
    finishEditing(next);
}

void itemDetailCell::endEditing() {
    finishEditing(leadingNumber(quantity()));
}

void itemDetailCell::finishEditing(double v) {
    if (MaxQty != 0 && MaxQty <= v)
        v = MaxQty;
    if (v < MinQty && MinQty > 0)
        v = MinQty;
    const QString text = fixedText(v, decimals);
    const double shown = leadingNumber(text);
    textField = text;
    unitText = shown == 1 || shown == 0 ? Singular : Plural;
    notify();
}

void itemDetailCell::setQuantity(const QString &text) {
    if (textField && *textField == text)
        return;
    textField = text;
    notify();
}

QUrl itemDetailCell::imageSource() const {
    if (imageUrl.isValid())
        return imageUrl;
    if (!image.isNull())
        return LocalImages::shared().urlFor(image);
    return QUrl();
}
