#pragma once

// JSON text for tests: parses it with the project's parser and fails the test when
// the text is not valid JSON (a typo in a test's JSON must not pass as "no data");
// and checks of written text against the layout every file keeps.

#include "json/DecodeError.h"
#include "json/Json.h"
#include "json/JsonParser.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

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

// The text's code points: a plain reference for the order of keys, independent of
// how the writer compares them. A leading U+FEFF is kept as a character of the key.
inline std::u32string codePoints(const std::string &utf8)
{
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    const QString text = decode(QByteArrayView(utf8.data(), qsizetype(utf8.size())));
    std::u32string points;
    for (const char32_t c : text.toUcs4())
        points.push_back(c);
    return points;
}

// Every object of a value read from written text (the parser keeps the text's order
// of members) lists its keys in code point order, at every depth.
inline void expectKeysInCodePointOrder(const JsonValue &value)
{
    if (const JsonArray *elements = value.array()) {
        for (const JsonValue &element : *elements)
            expectKeysInCodePointOrder(element);
    } else if (const JsonObject *members = value.object()) {
        std::vector<std::u32string> keys;
        for (const JsonMember &member : *members) {
            keys.push_back(codePoints(member.key));
            expectKeysInCodePointOrder(member.value);
        }
        std::vector<std::u32string> sorted = keys;
        std::sort(sorted.begin(), sorted.end());
        EXPECT_TRUE(keys == sorted) << "keys out of order in an object of " << keys.size();
    }
}

// Every line of written JSON is indented by two spaces per array or object it is
// inside (a closing bracket by those outside it), with nothing at the end of a line.
inline void expectTwoSpacesPerLevel(const QByteArray &text)
{
    ASSERT_TRUE(text.endsWith('\n'));
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    const QList<QByteArray> lines = text.chopped(1).split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QByteArray &line = lines[n];
        qsizetype indent = 0;
        while (indent < line.size() && line[indent] == ' ')
            ++indent;
        const bool closes = indent < line.size() && (line[indent] == ']' || line[indent] == '}');
        EXPECT_EQ(indent, 2 * (depth - (closes ? 1 : 0))) << "line " << n + 1;
        EXPECT_FALSE(line.endsWith(' ')) << "line " << n + 1;
        for (const char c : line) {
            if (inString) {
                inString = escaped || c != '"';
                escaped = !escaped && c == '\\';
            } else if (c == '"') {
                inString = true;
            } else if (c == '[' || c == '{') {
                ++depth;
            } else if (c == ']' || c == '}') {
                --depth;
            }
        }
    }
    EXPECT_EQ(depth, 0);
}
