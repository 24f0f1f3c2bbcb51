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

static const char *typeName(const QJsonValue &value)
{
    switch (value.type()) {
    case QJsonValue::Null: return "null";
    case QJsonValue::Bool: return "a boolean";
    case QJsonValue::Double: return "a number";
    case QJsonValue::String: return "a string";
    case QJsonValue::Array: return "an array";
    case QJsonValue::Object: return "an object";
    case QJsonValue::Undefined: break;
    }
    return "nothing";
}

void wrongType(const QJsonValue &value, const JsonPath &path, const char *expected)
{
    path.fail(QStringLiteral("expected %1, found %2")
                  .arg(QLatin1StringView(expected), QLatin1StringView(typeName(value))));
}

qint64 readInteger(const QJsonValue &value, const JsonPath &path, qint64 min, qint64 max)
{
    if (!value.isDouble())
        wrongType(value, path, "a whole number");
    const double number = value.toDouble();
    if (!std::isfinite(number) || std::trunc(number) != number)
        path.fail(QStringLiteral("expected a whole number, found %1").arg(number));
    // QJsonValue keeps integers parsed from the text exactly, up to the 64-bit limits;
    // toInteger gives its fallback for anything it cannot represent, so two
    // different fallbacks tell an exact value from one out of range.
    const qint64 integer = value.toInteger(0);
    if (integer != value.toInteger(1))
        path.fail(QStringLiteral("number %1 is out of range").arg(number));
    if (integer < min || integer > max)
        path.fail(QStringLiteral("number %1 is out of range").arg(integer));
    return integer;
}

} // namespace json_detail

bool JsonCodec<bool>::read(const QJsonValue &value, const JsonPath &path)
{
    if (!value.isBool())
        json_detail::wrongType(value, path, "true or false");
    return value.toBool();
}

double JsonCodec<double>::read(const QJsonValue &value, const JsonPath &path)
{
    if (!value.isDouble())
        json_detail::wrongType(value, path, "a number");
    return value.toDouble();
}

QJsonValue JsonCodec<double>::write(double value)
{
    if (!std::isfinite(value))
        throw EncodeError(QStringLiteral("a number that is not finite cannot be stored"));
    return value;
}

QString JsonCodec<QString>::read(const QJsonValue &value, const JsonPath &path)
{
    if (!value.isString())
        json_detail::wrongType(value, path, "a string");
    return value.toString();
}

QUuid JsonCodec<QUuid>::read(const QJsonValue &value, const JsonPath &path)
{
    const QString text = JsonCodec<QString>::read(value, path);
    // Only the plain 36-character form is accepted; QUuid alone would also take braces.
    const QUuid uuid = text.size() == 36 ? QUuid::fromString(text) : QUuid();
    if (uuid.isNull() && text != QLatin1StringView("00000000-0000-0000-0000-000000000000"))
        path.fail(QStringLiteral("\"%1\" is not a UUID").arg(text));
    return uuid;
}

QJsonValue JsonCodec<QUuid>::write(const QUuid &value)
{
    return value.toString(QUuid::WithoutBraces).toUpper();
}
