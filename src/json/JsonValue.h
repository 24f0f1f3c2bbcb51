#pragma once

// The in-memory form of a JSON document: what JsonParser builds and JsonWriter writes.
//
// A value is null, a boolean, an integer (exact 64-bit), a double, a string, an array
// or an object. Objects keep their members in insertion order in a plain vector: the
// records' objects are small, so a linear scan finds a key faster than any index, and
// building one costs no sorting (JsonWriter sorts the keys when it writes). Keys are
// held as UTF-8, values' strings as QString so that records take them without a copy.
//
// JsonValue, JsonObject and JsonMember are one recursive type (a value holds objects,
// whose members hold values), so they share this header.

#include <QLatin1StringView>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <concepts>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

class JsonValue;
struct JsonMember;

using JsonArray = std::vector<JsonValue>;

// Whether the UTF-8 key is the same text as `latin1`, without building either as a QString.
bool jsonKeyEquals(std::string_view utf8, QLatin1StringView latin1);
namespace json_detail {
bool keyEqualsBeyondAscii(std::string_view utf8, QLatin1StringView latin1);
} // namespace json_detail
// The UTF-8 form of a key.
std::string jsonKey(QLatin1StringView latin1);

class JsonObject
{
public:
    // One entry of a braced list: `JsonObject{{"name"_L1, jsonValue(name)}, ...}`. The
    // members are mutable so that the object can move them out of the (const) list
    // instead of copying whole sub-trees.
    struct Entry;

    JsonObject() = default;
    // The keys must differ (the code that lists them knows they do).
    JsonObject(std::initializer_list<Entry> entries);

    using const_iterator = std::vector<JsonMember>::const_iterator;
    const_iterator begin() const;
    const_iterator end() const;
    qsizetype size() const;
    bool isEmpty() const;
    void reserve(qsizetype count);

    // The member's value, or null when the key is missing (find tells the two apart).
    const JsonValue *find(QLatin1StringView key) const;
    const JsonValue *find(std::string_view key) const;
    bool contains(QLatin1StringView key) const { return find(key) != nullptr; }
    const JsonValue &value(QLatin1StringView key) const;
    const JsonValue &operator[](QLatin1StringView key) const { return value(key); }
    // The keys in the object's own order.
    QStringList keys() const;

    // Replaces the value of an existing key, or appends a new member.
    void insert(QLatin1StringView key, JsonValue value);
    void insert(std::string key, JsonValue value);
    // Appends a member whose key the caller knows is not present yet (the parser,
    // which removes duplicates itself).
    void append(std::string key, JsonValue value);
    void remove(QLatin1StringView key);
    void remove(std::string_view key);
    JsonValue take(QLatin1StringView key);

    // Keeps the last of members with the same key, in order: the parser's rule for
    // duplicate keys in a file.
    void removeDuplicateKeys();

    // Objects are equal when they have the same keys with equal values, in any order.
    friend bool operator==(const JsonObject &a, const JsonObject &b);

private:
    std::vector<JsonMember> m_members;
};

class JsonValue
{
public:
    enum class Type { null, boolean, integer, floating, string, array, object };

    // Defined below JsonMember: building the variant needs every alternative complete.
    JsonValue();
    JsonValue(std::nullptr_t);
    JsonValue(bool value);
    template <std::integral T>
    requires(!std::same_as<T, bool>) JsonValue(T value);
    JsonValue(double value);
    JsonValue(QString value);
    JsonValue(JsonArray value);
    JsonValue(JsonObject value);
    // Text must be a QString: a bare C string would silently become a bool.
    JsonValue(const char *) = delete;

    Type type() const { return Type(m_data.index()); }
    bool isNull() const { return type() == Type::null; }
    bool isBool() const { return type() == Type::boolean; }
    // An integer read from the text exactly, as opposed to a double.
    bool isInteger() const { return type() == Type::integer; }
    bool isDouble() const { return type() == Type::floating; }
    bool isNumber() const { return isInteger() || isDouble(); }
    bool isString() const { return type() == Type::string; }
    bool isArray() const { return type() == Type::array; }
    bool isObject() const { return type() == Type::object; }

    bool toBool(bool fallback = false) const;
    // Integers exactly; a double only when it is whole and within the 64-bit range.
    qint64 toInteger(qint64 fallback = 0) const;
    double toDouble(double fallback = 0.0) const;
    QString toString() const;
    // The value's own text, array or object, if it is one.
    const QString *string() const { return std::get_if<QString>(&m_data); }
    const JsonArray *array() const { return std::get_if<JsonArray>(&m_data); }
    const JsonObject *object() const { return std::get_if<JsonObject>(&m_data); }
    JsonArray toArray() const;
    JsonObject toObject() const;

    // The element count of an array or the member count of an object; 0 otherwise.
    qsizetype size() const;
    // The element of an array, or null.
    const JsonValue &at(qsizetype index) const;
    // The member of an object, or null.
    const JsonValue &operator[](QLatin1StringView key) const;

    // Numbers compare by value: the integer 1 equals the double 1.0.
    friend bool operator==(const JsonValue &a, const JsonValue &b);

    static const JsonValue &null();

private:
    std::variant<std::monostate, bool, qint64, double, QString, JsonArray, JsonObject> m_data;
};

struct JsonMember
{
    std::string key; // UTF-8
    JsonValue value;
};

inline JsonValue::JsonValue() = default;
inline JsonValue::JsonValue(std::nullptr_t) {}
inline JsonValue::JsonValue(bool value) : m_data(value) {}
template <std::integral T>
requires(!std::same_as<T, bool>) inline JsonValue::JsonValue(T value) : m_data(static_cast<qint64>(value)) {}
inline JsonValue::JsonValue(double value) : m_data(value) {}
inline JsonValue::JsonValue(QString value) : m_data(std::move(value)) {}
inline JsonValue::JsonValue(JsonArray value) : m_data(std::move(value)) {}
inline JsonValue::JsonValue(JsonObject value) : m_data(std::move(value)) {}

struct JsonObject::Entry
{
    Entry(QLatin1StringView k, JsonValue v) : key(jsonKey(k)), value(std::move(v)) {}
    mutable std::string key;
    mutable JsonValue value;
};

inline bool jsonKeyEquals(std::string_view utf8, QLatin1StringView latin1)
{
    const auto size = std::size_t(latin1.size());
    if (utf8.size() == size) {
        // Equal byte counts: a match is only possible when `latin1` is ASCII, since
        // each character beyond ASCII takes two bytes in UTF-8.
        if (std::memcmp(utf8.data(), latin1.data(), size) != 0)
            return false;
        return std::none_of(latin1.begin(), latin1.end(),
                            [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    }
    // Longer UTF-8 can only match a key with characters beyond ASCII; an ASCII first
    // character that differs settles it without the full comparison.
    if (utf8.size() < size || utf8.size() > 2 * size || size == 0)
        return false;
    const char first = latin1.data()[0];
    if (static_cast<unsigned char>(first) < 0x80 && utf8[0] != first)
        return false;
    return json_detail::keyEqualsBeyondAscii(utf8, latin1);
}

inline JsonObject::const_iterator JsonObject::begin() const
{
    return m_members.cbegin();
}

inline JsonObject::const_iterator JsonObject::end() const
{
    return m_members.cend();
}

inline qsizetype JsonObject::size() const
{
    return qsizetype(m_members.size());
}

inline bool JsonObject::isEmpty() const
{
    return m_members.empty();
}

inline const JsonValue *JsonObject::find(QLatin1StringView key) const
{
    for (const JsonMember &member : m_members) {
        if (jsonKeyEquals(member.key, key))
            return &member.value;
    }
    return nullptr;
}

inline const JsonValue *JsonObject::find(std::string_view key) const
{
    for (const JsonMember &member : m_members) {
        if (member.key == key)
            return &member.value;
    }
    return nullptr;
}

inline void JsonObject::append(std::string key, JsonValue value)
{
    m_members.push_back(JsonMember{std::move(key), std::move(value)});
}

size_t qHash(const JsonValue &value, size_t seed = 0);
size_t qHash(const JsonObject &object, size_t seed = 0);
