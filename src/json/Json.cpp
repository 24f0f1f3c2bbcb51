#include "Json.h"

#include <cmath>

QString JsonPath::toString() const
{
    if (!m_parent)
        return QString();
    QString prefix = m_parent->toString();
    if (m_index >= 0)
        return prefix + QLatin1Char('[') + QString::number(m_index) + QLatin1Char(']');
    if (!prefix.isEmpty())
        prefix += QLatin1Char('.');
    return prefix + m_key;
}

void JsonPath::fail(const QString &message) const
{
    throw DecodeError(toString(), message);
}

namespace json_detail {

static const char *typeName(const JsonValue &value)
{
    switch (value.type()) {
    case JsonValue::Type::null: return "null";
    case JsonValue::Type::boolean: return "a boolean";
    case JsonValue::Type::integer:
    case JsonValue::Type::floating: return "a number";
    case JsonValue::Type::string: return "a string";
    case JsonValue::Type::array: return "an array";
    case JsonValue::Type::object: return "an object";
    }
    return "nothing";
}

void wrongType(const JsonValue &value, const JsonPath &path, const char *expected)
{
    path.fail(QStringLiteral("expected %1, found %2")
                  .arg(QLatin1StringView(expected), QLatin1StringView(typeName(value))));
}

qint64 readInteger(const JsonValue &value, const JsonPath &path, qint64 min, qint64 max)
{
    if (!value.isNumber())
        wrongType(value, path, "a whole number");
    // Integers in the text are held exactly; a double counts when it is whole
    // ("3.0") and within the 64-bit range.
    qint64 integer;
    if (value.isInteger()) {
        integer = value.toInteger();
    } else {
        const double number = value.toDouble();
        if (std::trunc(number) != number)
            path.fail(QStringLiteral("expected a whole number, found %1").arg(number));
        // toInteger gives its fallback for a double it cannot represent, so two
        // different fallbacks tell an exact value from one out of range.
        integer = value.toInteger(0);
        if (integer != value.toInteger(1))
            path.fail(QStringLiteral("number %1 is out of range").arg(number));
    }
    if (integer < min || integer > max)
        path.fail(QStringLiteral("number %1 is out of range").arg(integer));
    return integer;
}

} // namespace json_detail

bool JsonCodec<bool>::read(const JsonValue &value, const JsonPath &path)
{
    if (!value.isBool())
        json_detail::wrongType(value, path, "true or false");
    return value.toBool();
}

double JsonCodec<double>::read(const JsonValue &value, const JsonPath &path)
{
    if (!value.isNumber())
        json_detail::wrongType(value, path, "a number");
    return value.toDouble();
}

JsonValue JsonCodec<double>::write(double value)
{
    if (!std::isfinite(value))
        throw EncodeError(QStringLiteral("a number that is not finite cannot be stored"));
    return value;
}

QString JsonCodec<QString>::read(const JsonValue &value, const JsonPath &path)
{
    const QString *text = value.string();
    if (!text)
        json_detail::wrongType(value, path, "a string");
    return *text;
}

QUuid JsonCodec<QUuid>::read(const JsonValue &value, const JsonPath &path)
{
    const QString text = JsonCodec<QString>::read(value, path);
    // Only the plain 36-character form is accepted; QUuid alone would also take braces.
    const QUuid uuid = text.size() == 36 ? QUuid::fromString(text) : QUuid();
    if (uuid.isNull() && text != QLatin1StringView("00000000-0000-0000-0000-000000000000"))
        path.fail(QStringLiteral("\"%1\" is not a UUID").arg(text));
    return uuid;
}

QString uuidText(const QUuid &value)
{
    // Written digit by digit: a document holds an id per record, and the general
    // toString().toUpper() costs two allocations each.
    static const char16_t digits[] = u"0123456789ABCDEF";
    QString text(36, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const auto put = [&](quint64 field, int hexDigits) {
        for (int shift = (hexDigits - 1) * 4; shift >= 0; shift -= 4)
            *out++ = digits[(field >> shift) & 0xF];
    };
    put(value.data1, 8);
    *out++ = u'-';
    put(value.data2, 4);
    *out++ = u'-';
    put(value.data3, 4);
    *out++ = u'-';
    put(value.data4[0], 2);
    put(value.data4[1], 2);
    *out++ = u'-';
    for (int i = 2; i < 8; ++i)
        put(value.data4[i], 2);
    return text;
}

JsonValue JsonCodec<QUuid>::write(const QUuid &value)
{
    return uuidText(value);
}
