#pragma once

// JSON text for tests: parses it with the project's parser and fails the test when
// the text is not valid JSON (a typo in a test's JSON must not pass as "no data").

#include "json/DecodeError.h"
#include "json/Json.h"
#include "json/JsonParser.h"

#include <gtest/gtest.h>

inline JsonValue parseJson(const char *text)
{
    JsonParser::Error error;
    const std::optional<JsonValue> value = JsonParser::parse(QByteArrayView(text), &error);
    EXPECT_TRUE(value.has_value()) << text << "\n" << error.reason.toStdString() << " at " << error.offset;
    return value.value_or(JsonValue());
}

inline JsonObject parseJsonObject(const char *text)
{
    const JsonValue value = parseJson(text);
    EXPECT_TRUE(value.isObject()) << text;
    return value.toObject();
}

// The key path at which reading the object as T fails, or no value when it reads.
template <typename T> std::optional<QString> failurePath(const JsonObject &object)
{
    try {
        readJson<T>(JsonValue(object));
    } catch (const DecodeError &error) {
        return error.path();
    }
    return std::nullopt;
}
