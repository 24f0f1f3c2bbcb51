#pragma once

// The one way records are read from and written to JSON.
//
// Reading: a record's `static T fromJson(const JsonReader &)` asks the reader for each
// key with one of three verbs — required, optional (a default when the key is missing
// or null) and legacy (an old key read when present, never written). Every value is
// type-checked strictly by its JsonCodec; any mismatch throws DecodeError naming the
// full key path. Writing: a record's `JsonObject toJson() const` puts every key with
// jsonValue(); optional values that are absent are left out with putOptional().
// JsonParser and JsonWriter turn the values into text and back.

#include "DecodeError.h"
#include "EnumTable.h"

#include "JsonValue.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QUuid>

#include <algorithm>
#include <concepts>
#include <limits>
#include <optional>
#include <type_traits>

// One step of the path from the document root to the value being read. Steps live
// on the stack of the reading code; the text is only built when reading fails.
class JsonPath
{
public:
    JsonPath() = default;
    JsonPath(const JsonPath *parent, QLatin1StringView key) : m_parent(parent), m_key(key) {}
    JsonPath(const JsonPath *parent, qsizetype index) : m_parent(parent), m_index(index) {}

    QString toString() const;
    [[noreturn]] void fail(const QString &message) const;

private:
    const JsonPath *m_parent = nullptr;
    QLatin1StringView m_key;
    qsizetype m_index = -1;
};

template <typename T>
struct JsonCodec; // static T read(const JsonValue &, const JsonPath &); static JsonValue write(const T &)

template <typename T>
concept JsonRecord = requires(const T &record, const class JsonReader &reader)
{
    {
        T::fromJson(reader)
        } -> std::same_as<T>;
    {
        record.toJson()
        } -> std::same_as<JsonObject>;
};

class JsonReader
{
public:
    JsonReader(const JsonObject &object, const JsonPath &path) : m_object(object), m_path(path) {}

    const JsonObject &object() const { return m_object; }
    const JsonPath &path() const { return m_path; }
    bool contains(QLatin1StringView key) const { return m_object.contains(key); }
    // The member's value, or nothing when the key is missing.
    const JsonValue *find(QLatin1StringView key) const { return m_object.find(key); }

    // The key must be present and of the right type (null is a wrong type).
    template <typename T> T required(QLatin1StringView key) const
    {
        const JsonPath at(&m_path, key);
        const JsonValue *found = m_object.find(key);
        if (!found)
            at.fail(QStringLiteral("required key is missing"));
        return JsonCodec<T>::read(*found, at);
    }

    // A missing key or null gives the fallback; anything else must have the right type.
    template <typename T> T optional(QLatin1StringView key, T fallback) const
    {
        const JsonValue *found = m_object.find(key);
        if (!found || found->isNull())
            return fallback;
        return JsonCodec<T>::read(*found, JsonPath(&m_path, key));
    }

    // A missing key or null gives no value.
    template <typename T> std::optional<T> optional(QLatin1StringView key) const
    {
        const JsonValue *found = m_object.find(key);
        if (!found || found->isNull())
            return std::nullopt;
        return JsonCodec<T>::read(*found, JsonPath(&m_path, key));
    }

    // A key older files carry: read like an optional one, and never written again.
    template <typename T> std::optional<T> legacy(QLatin1StringView key) const { return optional<T>(key); }

    [[noreturn]] void fail(QLatin1StringView key, const QString &message) const
    {
        JsonPath(&m_path, key).fail(message);
    }

private:
    const JsonObject &m_object;
    const JsonPath &m_path;
};

// Reads a whole record from a value at the top of a document.
template <typename T> T readJson(const JsonValue &value)
{
    return JsonCodec<T>::read(value, JsonPath());
}

template <typename T> JsonValue jsonValue(const T &value)
{
    return JsonCodec<T>::write(value);
}

template <typename T>
void putOptional(JsonObject &object, QLatin1StringView key, const std::optional<T> &value)
{
    if (value)
        object.insert(key, jsonValue(*value));
}

namespace json_detail {
[[noreturn]] void wrongType(const JsonValue &value, const JsonPath &path, const char *expected);
qint64 readInteger(const JsonValue &value, const JsonPath &path, qint64 min, qint64 max);
} // namespace json_detail

template <> struct JsonCodec<bool>
{
    static bool read(const JsonValue &value, const JsonPath &path);
    static JsonValue write(bool value) { return value; }
};

template <> struct JsonCodec<double>
{
    static double read(const JsonValue &value, const JsonPath &path);
    static JsonValue write(double value); // throws EncodeError for values that are not finite
};

template <> struct JsonCodec<QString>
{
    static QString read(const JsonValue &value, const JsonPath &path);
    static JsonValue write(const QString &value) { return value; }
};

// The stored text form of a UUID: 36 characters, upper case, no braces. Files, file
// names and settings all use it.
QString uuidText(const QUuid &value);

// Upper-case, 36 characters, no braces; malformed text is an error.
template <> struct JsonCodec<QUuid>
{
    static QUuid read(const JsonValue &value, const JsonPath &path);
    static JsonValue write(const QUuid &value);
};

// Whole numbers of any integer type: only integral JSON numbers within the type's range.
template <std::integral T>
requires(!std::same_as<T, bool>) struct JsonCodec<T>
{
    static T read(const JsonValue &value, const JsonPath &path)
    {
        return static_cast<T>(json_detail::readInteger(value, path, std::numeric_limits<T>::min(),
                                                       std::numeric_limits<T>::max()));
    }
    static JsonValue write(T value) { return static_cast<qint64>(value); }
};

// Table-backed enumerations, by raw value (a string, or an integer).
template <typename E>
requires(std::is_enum_v<E> &&requires { EnumTraits<E>::rows; }) struct JsonCodec<E>
{
    static E read(const JsonValue &value, const JsonPath &path)
    {
        if constexpr (enum_detail::hasIntegerRaw<E>) {
            const qint64 raw = JsonCodec<qint64>::read(value, path);
            if (const auto found = enumFromRaw<E>(raw))
                return *found;
            path.fail(QStringLiteral("unknown value %1").arg(raw));
        } else {
            const QString raw = JsonCodec<QString>::read(value, path);
            if (const auto found = enumFromRaw<E>(raw))
                return *found;
            path.fail(QStringLiteral("unknown value \"%1\"").arg(raw));
        }
    }
    static JsonValue write(E value)
    {
        if constexpr (enum_detail::hasIntegerRaw<E>) {
            return rawValue(value);
        } else {
            // Made once: a document writes the same few texts many thousands of times.
            static const auto texts = [] {
                std::array<QString, EnumTraits<E>::rows.size()> all;
                for (std::size_t i = 0; i < all.size(); ++i)
                    all[i] = rawValue(EnumTraits<E>::rows[i].value);
                return all;
            }();
            return texts[static_cast<std::size_t>(value)];
        }
    }
};

template <JsonRecord T> struct JsonCodec<T>
{
    static T read(const JsonValue &value, const JsonPath &path)
    {
        const JsonObject *object = value.object();
        if (!object)
            json_detail::wrongType(value, path, "an object");
        return T::fromJson(JsonReader(*object, path));
    }
    static JsonValue write(const T &value) { return value.toJson(); }
};

template <typename T> struct JsonCodec<QList<T>>
{
    static QList<T> read(const JsonValue &value, const JsonPath &path)
    {
        const JsonArray *array = value.array();
        if (!array)
            json_detail::wrongType(value, path, "an array");
        QList<T> result;
        result.reserve(qsizetype(array->size()));
        for (std::size_t i = 0; i < array->size(); ++i)
            result.append(JsonCodec<T>::read((*array)[i], JsonPath(&path, qsizetype(i))));
        return result;
    }
    static JsonValue write(const QList<T> &values)
    {
        JsonArray array;
        array.reserve(std::size_t(values.size()));
        for (const T &value : values)
            array.push_back(JsonCodec<T>::write(value));
        return array;
    }
};

// Sets are stored as arrays; written in sorted order so that saving the same set
// twice gives the same file.
template <typename T> struct JsonCodec<QSet<T>>
{
    static QSet<T> read(const JsonValue &value, const JsonPath &path)
    {
        const QList<T> list = JsonCodec<QList<T>>::read(value, path);
        return QSet<T>(list.cbegin(), list.cend());
    }
    static JsonValue write(const QSet<T> &values)
    {
        QList<T> list(values.cbegin(), values.cend());
        std::sort(list.begin(), list.end());
        return JsonCodec<QList<T>>::write(list);
    }
};
