#pragma once

// Shared checks for the rules vocabularies: every case in order with its raw value,
// the raw value read back, and a stored value that names no case failing with the
// path of the key that held it.

#include "json/EnumTable.h"
#include "json/Json.h"

#include <QString>

#include <gtest/gtest.h>

#include <optional>

namespace vocabulary_test {

inline QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// Reads `value` as an E stored under "systems[2].field"; gives the error's path, or
// no value when it was read.
template <typename E> std::optional<QString> nestedDecodeFailure(const JsonValue &value)
{
    const JsonObject object{{QLatin1StringView("field"), value}};
    const JsonPath root;
    const JsonPath systems(&root, QLatin1StringView("systems"));
    const JsonPath third(&systems, qsizetype(2));
    try {
        JsonReader(object, third).required<E>(QLatin1StringView("field"));
    } catch (const DecodeError &error) {
        return error.path();
    }
    return std::nullopt;
}

// `rows` are transcribed expectations with at least `value` and `raw` (UTF-8): the
// enumeration has exactly these cases in this order, each raw value is written, read
// back from its text and from JSON.
template <typename E, typename Row, std::size_t N> void expectCasesAndRawValues(const Row (&rows)[N])
{
    const auto cases = allCases<E>();
    ASSERT_EQ(cases.size(), N);
    for (std::size_t i = 0; i < N; ++i) {
        SCOPED_TRACE(rows[i].raw);
        EXPECT_EQ(cases[i], rows[i].value);
        EXPECT_EQ(rawValue(rows[i].value), text(rows[i].raw));
        EXPECT_EQ(enumFromRaw<E>(text(rows[i].raw)), rows[i].value);
        EXPECT_EQ(jsonValue(rows[i].value), JsonValue(text(rows[i].raw)));
        EXPECT_EQ(readJson<E>(JsonValue(text(rows[i].raw))), rows[i].value);
    }
}

// Each text names no case: the lookup gives no value and reading it from a file fails
// at its key.
template <typename E> void expectRejected(std::initializer_list<const char *> texts)
{
    for (const char *raw : texts) {
        SCOPED_TRACE(raw);
        EXPECT_EQ(enumFromRaw<E>(text(raw)), std::nullopt);
        EXPECT_EQ(nestedDecodeFailure<E>(JsonValue(text(raw))), QStringLiteral("systems[2].field"));
    }
    // A stored value of the wrong JSON type fails at its key too.
    EXPECT_EQ(nestedDecodeFailure<E>(JsonValue(1)), QStringLiteral("systems[2].field"));
}

} // namespace vocabulary_test
