#include "datatask.h"

#include "jsonvariant.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

datatask &datatask::sharedInstance() {
    static datatask instance;
    return instance;
}

QString datatask::toJSONText(const QVariant &value) const {
    QJsonDocument doc;
    if (value.typeId() == QMetaType::QVariantMap)
        doc = QJsonDocument(QJsonObject::fromVariantMap(value.toMap()));
    else if (value.typeId() == QMetaType::QVariantList)
        doc = QJsonDocument(QJsonArray::fromVariantList(value.toList()));
    else if (value.typeId() == QMetaType::QStringList)
        doc = QJsonDocument(QJsonArray::fromStringList(value.toStringList()));
    else
        return QString();
    return QString::fromUtf8(doc.toJson(QJsonDocument::Compact));
}

Rows datatask::rowsFromJSONText(const QString &text) const {
    if (text.trimmed() == QLatin1String("0"))
        return {};
    return RowsReader::textRows(decode(text.toUtf8()));
}

QVariant datatask::decode(const QByteArray &json) {
    if (std::optional<QVariant> value = JsonVariant::read(json))
        return value->typeId() == QMetaType::QVariantList ||
                       value->typeId() == QMetaType::QVariantMap
                   ? *value
                   : QVariant();
    // What simdjson cannot read (a number beyond 64 bits, say) QJsonDocument may still read;
    // text that neither reads is no reply.
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return {};
    if (doc.isArray())
        return doc.array().toVariantList();
    if (doc.isObject())
        return doc.object().toVariantMap();
    return {};
}
