#include "JsonValue.h"

#include <QHashFunctions>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

bool json_detail::keyEqualsBeyondAscii(std::string_view utf8, QLatin1StringView latin1)
{
    std::size_t i = 0;
    for (const char c : latin1) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            if (i >= utf8.size() || utf8[i] != c)
                return false;
            ++i;
        } else {
            if (i + 1 >= utf8.size() || static_cast<unsigned char>(utf8[i]) != (0xC0 | (u >> 6)) ||
                static_cast<unsigned char>(utf8[i + 1]) != (0x80 | (u & 0x3F)))
                return false;
            i += 2;
        }
    }
    return i == utf8.size();
}

std::string jsonKey(QLatin1StringView latin1)
{
    if (std::none_of(latin1.begin(), latin1.end(),
                     [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
        return std::string(latin1.data(), std::size_t(latin1.size()));
    std::string utf8;
    utf8.reserve(std::size_t(latin1.size()));
    for (const char c : latin1) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            utf8 += c;
        } else {
            utf8 += char(0xC0 | (u >> 6));
            utf8 += char(0x80 | (u & 0x3F));
        }
    }
    return utf8;
}

JsonObject::JsonObject(std::initializer_list<Entry> entries)
{
    m_members.reserve(entries.size());
    for (const Entry &entry : entries)
        m_members.push_back(JsonMember{std::move(entry.key), std::move(entry.value)});
#ifndef QT_NO_DEBUG
    for (std::size_t i = 1; i < m_members.size(); ++i) {
        for (std::size_t j = 0; j < i; ++j)
            Q_ASSERT_X(m_members[i].key != m_members[j].key, "JsonObject", "a key listed twice");
    }
#endif
}

void JsonObject::reserve(qsizetype count)
{
    m_members.reserve(std::size_t(count));
}

const JsonValue &JsonObject::value(QLatin1StringView key) const
{
    const JsonValue *found = find(key);
    return found ? *found : JsonValue::null();
}

QStringList JsonObject::keys() const
{
    QStringList keys;
    keys.reserve(size());
    for (const JsonMember &member : m_members)
        keys.append(QString::fromUtf8(member.key.data(), qsizetype(member.key.size())));
    return keys;
}

void JsonObject::insert(QLatin1StringView key, JsonValue value)
{
    insert(jsonKey(key), std::move(value));
}

void JsonObject::insert(std::string key, JsonValue value)
{
    for (JsonMember &member : m_members) {
        if (member.key == key) {
            member.value = std::move(value);
            return;
        }
    }
    append(std::move(key), std::move(value));
}

void JsonObject::remove(QLatin1StringView key)
{
    remove(std::string_view(jsonKey(key)));
}

void JsonObject::remove(std::string_view key)
{
    std::erase_if(m_members, [&](const JsonMember &member) { return member.key == key; });
}

JsonValue JsonObject::take(QLatin1StringView key)
{
    const std::string utf8 = jsonKey(key);
    for (auto it = m_members.begin(); it != m_members.end(); ++it) {
        if (it->key == utf8) {
            JsonValue value = std::move(it->value);
            m_members.erase(it);
            return value;
        }
    }
    return JsonValue();
}

void JsonObject::removeDuplicateKeys()
{
    const std::size_t count = m_members.size();
    if (count < 2)
        return;
    std::vector<bool> dropped(count, false);
    bool any = false;
    if (count <= 32) {
        // A cheap signature of each key rules out most pairs before comparing text.
        std::array<std::uint32_t, 32> signatures;
        for (std::size_t i = 0; i < count; ++i) {
            const std::string &key = m_members[i].key;
            signatures[i] = key.empty() ? 0
                                        : std::uint32_t(key.size()) << 16 ^
                                              std::uint32_t(static_cast<unsigned char>(key.front())) << 8 ^
                                              std::uint32_t(static_cast<unsigned char>(key.back()));
        }
        for (std::size_t i = 1; i < count; ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                if (signatures[j] == signatures[i] && !dropped[j] && m_members[j].key == m_members[i].key) {
                    dropped[j] = true;
                    any = true;
                }
            }
        }
    } else {
        // Large objects (hostile files) would make the pairwise check quadratic.
        std::vector<std::size_t> order(count);
        for (std::size_t i = 0; i < count; ++i)
            order[i] = i;
        std::stable_sort(order.begin(), order.end(),
                         [&](std::size_t a, std::size_t b) { return m_members[a].key < m_members[b].key; });
        for (std::size_t i = 0; i + 1 < count; ++i) {
            if (m_members[order[i]].key == m_members[order[i + 1]].key) {
                dropped[order[i]] = true; // stable order: the later member of the two comes next
                any = true;
            }
        }
    }
    if (!any)
        return;
    std::size_t kept = 0;
    for (std::size_t i = 0; i < count; ++i) {
        if (!dropped[i]) {
            if (kept != i)
                m_members[kept] = std::move(m_members[i]);
            ++kept;
        }
    }
    m_members.resize(kept);
}

bool operator==(const JsonObject &a, const JsonObject &b)
{
    if (a.m_members.size() != b.m_members.size())
        return false;
    for (const JsonMember &member : a.m_members) {
        const JsonValue *other = b.find(std::string_view(member.key));
        if (!other || !(*other == member.value))
            return false;
    }
    return true;
}

bool JsonValue::toBool(bool fallback) const
{
    const bool *value = std::get_if<bool>(&m_data);
    return value ? *value : fallback;
}

qint64 JsonValue::toInteger(qint64 fallback) const
{
    if (const qint64 *integer = std::get_if<qint64>(&m_data))
        return *integer;
    if (const double *number = std::get_if<double>(&m_data)) {
        // 2^63 is exactly representable; everything below it and at or above -2^63 fits.
        constexpr double limit = 9223372036854775808.0;
        if (std::trunc(*number) == *number && *number >= -limit && *number < limit)
            return static_cast<qint64>(*number);
    }
    return fallback;
}

double JsonValue::toDouble(double fallback) const
{
    if (const double *number = std::get_if<double>(&m_data))
        return *number;
    if (const qint64 *integer = std::get_if<qint64>(&m_data))
        return static_cast<double>(*integer);
    return fallback;
}

QString JsonValue::toString() const
{
    const QString *text = string();
    return text ? *text : QString();
}

JsonArray JsonValue::toArray() const
{
    const JsonArray *elements = array();
    return elements ? *elements : JsonArray();
}

JsonObject JsonValue::toObject() const
{
    const JsonObject *members = object();
    return members ? *members : JsonObject();
}

qsizetype JsonValue::size() const
{
    if (const JsonArray *elements = array())
        return qsizetype(elements->size());
    if (const JsonObject *members = object())
        return members->size();
    return 0;
}

const JsonValue &JsonValue::at(qsizetype index) const
{
    const JsonArray *elements = array();
    if (!elements || index < 0 || std::size_t(index) >= elements->size())
        return null();
    return (*elements)[std::size_t(index)];
}

const JsonValue &JsonValue::operator[](QLatin1StringView key) const
{
    const JsonObject *members = object();
    return members ? members->value(key) : null();
}

const JsonValue &JsonValue::null()
{
    static const JsonValue value;
    return value;
}

namespace {

// An integer and a double are the same number only when the double is whole and
// converts to exactly that integer; comparing both as doubles would call 2^53 + 1
// equal to 2^53.
bool sameNumber(qint64 integer, double number)
{
    constexpr double limit = 9223372036854775808.0;
    return std::trunc(number) == number && number >= -limit && number < limit &&
           static_cast<qint64>(number) == integer;
}

} // namespace

bool operator==(const JsonValue &a, const JsonValue &b)
{
    const qint64 *aInteger = std::get_if<qint64>(&a.m_data);
    const qint64 *bInteger = std::get_if<qint64>(&b.m_data);
    const double *aDouble = std::get_if<double>(&a.m_data);
    const double *bDouble = std::get_if<double>(&b.m_data);
    if (aInteger && bDouble)
        return sameNumber(*aInteger, *bDouble);
    if (aDouble && bInteger)
        return sameNumber(*bInteger, *aDouble);
    return a.m_data == b.m_data;
}

size_t qHash(const JsonValue &value, size_t seed)
{
    switch (value.type()) {
    case JsonValue::Type::null: return qHash(0, seed);
    case JsonValue::Type::boolean: return qHash(value.toBool(), seed);
    case JsonValue::Type::integer:
    case JsonValue::Type::floating:
        // Equal numbers must hash alike whichever way they are held.
        if (const qint64 integer = value.toInteger(0); integer == value.toInteger(1))
            return qHash(integer, seed);
        return qHash(value.toDouble(), seed);
    case JsonValue::Type::string: return qHash(*value.string(), seed);
    case JsonValue::Type::array: return qHashRange(value.array()->cbegin(), value.array()->cend(), seed);
    case JsonValue::Type::object: return qHash(*value.object(), seed);
    }
    return seed;
}

size_t qHash(const JsonObject &object, size_t seed)
{
    // Member order does not take part in equality, so it must not take part here.
    size_t sum = 0;
    for (const JsonMember &member : object)
        sum += qHashMulti(0, QByteArrayView(member.key.data(), qsizetype(member.key.size())), member.value);
    return qHash(sum, seed);
}
