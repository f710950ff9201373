#include "jsonvariant.h"

#include <cmath>
#include <simdjson.h>
#include <string_view>
#include <unordered_map>

namespace {

// Each distinct key as one QString for the whole document. The views point into the parser's
// string buffer, which outlives the reading.
class Keys {
public:
    QString get(std::string_view key) {
        const auto found = m_keys.find(key);
        if (found != m_keys.end())
            return found->second;
        const QString text = QString::fromUtf8(key.data(), qsizetype(key.size()));
        m_keys.emplace(key, text);
        return text;
    }

private:
    std::unordered_map<std::string_view, QString> m_keys;
};

// As QJsonDocument reads a number written with a fraction or an exponent: a whole one that fits
// is an integer (2.0, 1E2 and -0.0 read as qlonglong 2, 100 and 0), any other a double.
QVariant wholeOrDouble(double number) {
    constexpr double limit = 9223372036854775808.0; // 2^63
    if (std::trunc(number) == number && number >= -limit && number < limit)
        return qlonglong(number);
    return number;
}

QVariant toVariant(simdjson::dom::element element, Keys &keys) {
    using Type = simdjson::dom::element_type;
    switch (element.type()) {
    case Type::ARRAY: {
        QVariantList list;
        const simdjson::dom::array array = element.get_array().value_unsafe();
        list.reserve(qsizetype(array.size()));
        for (simdjson::dom::element item : array)
            list.append(toVariant(item, keys));
        return list;
    }
    case Type::OBJECT: {
        QVariantMap map;
        const simdjson::dom::object object = element.get_object().value_unsafe();
        // The last of a key wins. Servers write keys in order, so each one is tried at the end
        // first; a key out of order costs one comparison more.
        for (simdjson::dom::key_value_pair field : object)
            map.insert(map.cend(), keys.get(field.key), toVariant(field.value, keys));
        return map;
    }
    case Type::STRING: {
        const std::string_view text = element.get_string().value_unsafe();
        return QString::fromUtf8(text.data(), qsizetype(text.size()));
    }
    case Type::INT64:
        return qlonglong(element.get_int64().value_unsafe());
    case Type::UINT64: // above the largest qlonglong
        return double(element.get_uint64().value_unsafe());
    case Type::DOUBLE:
        return wholeOrDouble(element.get_double().value_unsafe());
    case Type::BOOL:
        return element.get_bool().value_unsafe();
    case Type::NULL_VALUE:
        return QVariant::fromValue(nullptr);
    }
    return {};
}

} // namespace

std::optional<QVariant> JsonVariant::read(const QByteArray &json) {
    simdjson::dom::parser parser;
    simdjson::dom::element root;
    if (parser.parse(json.constData(), size_t(json.size())).get(root) != simdjson::SUCCESS)
        return std::nullopt;
    Keys keys;
    return toVariant(root, keys);
}
