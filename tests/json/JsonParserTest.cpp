#include "JsonTestSupport.h"

#include "json/JsonParser.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

// Parses text that must be rejected; gives the error.
JsonParser::Error rejection(QByteArrayView text)
{
    JsonParser::Error error;
    EXPECT_FALSE(JsonParser::parse(text, &error).has_value()) << text.toByteArray().toStdString();
    return error;
}

JsonValue accepted(QByteArrayView text)
{
    JsonParser::Error error;
    const auto value = JsonParser::parse(text, &error);
    EXPECT_TRUE(value.has_value()) << text.toByteArray().toStdString() << ": " << error.reason.toStdString();
    return value.value_or(JsonValue());
}

QByteArray nested(int depth, char open, char close)
{
    QByteArray text;
    for (int i = 0; i < depth; ++i)
        text += open == '{' ? QByteArray("{\"k\":") : QByteArray(1, open);
    text += "0";
    text += QByteArray(depth, close);
    return text;
}

} // namespace

TEST(JsonParser, StringsDecodeEveryEscapeAndUtf8)
{
    const struct
    {
        const char *text;
        QString expected;
    } rows[] = {{R"("plain")", u"plain"_s},
                {R"("\"\\\/\b\f\n\r\t")", u"\"\\/\b\f\n\r\t"_s},
                {R"("\u0041\u00e9\u00E9")", u"A\u00e9\u00e9"_s},
                {R"("\u0000")", QString(QChar(0))},
                {R"("\uD834\uDD1E")", u"\U0001D11E"_s},
                {"\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x9A\x80\"", u"caf\u00e9 \u20ac \U0001F680"_s},
                {"\"\xF4\x8F\xBF\xBF\"", u"\U0010FFFF"_s}};
    for (const auto &row : rows) {
        const JsonValue value = accepted(row.text);
        ASSERT_TRUE(value.isString()) << row.text;
        EXPECT_EQ(*value.string(), row.expected) << row.text;
    }
}

TEST(JsonParser, IntegersAreExactAndOtherNumbersAreDoubles)
{
    const struct
    {
        const char *text;
        qint64 integer;
    } integers[] = {{"0", 0},
                    {"9007199254740993", 9007199254740993LL},
                    {"9223372036854775807", std::numeric_limits<qint64>::max()},
                    {"-9223372036854775808", std::numeric_limits<qint64>::min()}};
    for (const auto &row : integers) {
        const JsonValue value = accepted(row.text);
        EXPECT_TRUE(value.isInteger()) << row.text;
        EXPECT_EQ(value.toInteger(), row.integer) << row.text;
    }
    const struct
    {
        const char *text;
        double number;
    } doubles[] = {{"1.5", 1.5},
                   {"1E2", 100.0},
                   {"-2.5e-3", -0.0025},
                   {"1.7976931348623157e308", std::numeric_limits<double>::max()},
                   {"4.9e-324", std::numeric_limits<double>::denorm_min()},
                   {"-9223372036854775809", -9223372036854775808.0},
                   {"123456789012345678901234567890", 1.2345678901234568e29}};
    for (const auto &row : doubles) {
        const JsonValue value = accepted(row.text);
        EXPECT_TRUE(value.isDouble()) << row.text;
        EXPECT_EQ(value.toDouble(), row.number) << row.text;
    }
    // Minus zero keeps its sign.
    const JsonValue minusZero = accepted("-0");
    EXPECT_TRUE(minusZero.isDouble());
    EXPECT_TRUE(std::signbit(minusZero.toDouble()));
}

TEST(JsonParser, DocumentsOfAnyValueWithWhiteSpaceAround)
{
    EXPECT_EQ(accepted(" \t\r\n[1, [], {}]\n "), JsonValue(JsonArray{1, JsonArray(), JsonObject()}));
    EXPECT_EQ(accepted("true"), JsonValue(true));
    EXPECT_EQ(accepted("false"), JsonValue(false));
    EXPECT_TRUE(accepted("null").isNull());
    EXPECT_EQ(accepted(R"( {"a" : {"b": [null, "x"]}} )"),
              JsonValue(JsonObject{{"a"_L1, JsonObject{{"b"_L1, JsonArray{JsonValue(), u"x"_s}}}}}));
}

TEST(JsonParser, TheLastOfDuplicateKeysWins)
{
    const JsonValue small = accepted(R"({"a": 1, "b": 2, "a": 3})");
    EXPECT_EQ(small.size(), 2);
    EXPECT_EQ(small["a"_L1], JsonValue(3));
    EXPECT_EQ(small["b"_L1], JsonValue(2));
    // Large objects take another path to find duplicates.
    QByteArray text = "{";
    for (int i = 0; i < 40; ++i)
        text += "\"k" + QByteArray::number(i) + "\": " + QByteArray::number(i) + ", ";
    text += "\"k5\": 99, \"k39\": 98, \"k5\": 97}";
    const JsonValue large = accepted(text);
    EXPECT_EQ(large.size(), 40);
    EXPECT_EQ(large["k5"_L1], JsonValue(97));
    EXPECT_EQ(large["k39"_L1], JsonValue(98));
    EXPECT_EQ(large["k38"_L1], JsonValue(38));
}

TEST(JsonParser, RejectsTextOutsideTheGrammarAtTheOffendingByte)
{
    const struct
    {
        const char *text;
        qsizetype offset;
    } rows[] = {{"", 0},      {"[1,]", 3},    {R"({"a": 1,})", 8}, {R"({"a" 1})", 5}, {"{a: 1}", 1},
                {"[1 2]", 3}, {"[1] x", 4},   {"01", 1},           {"1.", 2},         {".5", 0},
                {"+1", 0},    {"1e", 2},      {"NaN", 0},          {"1e309", 0},      {"1e-400", 0},
                {"[tru]", 1}, {R"("abc)", 4}, {"[1", 2},           {R"({"a":)", 5},   {"\xEF\xBB\xBF{}", 0},
                {"[\0]", 1}};
    for (const auto &row : rows) {
        const QByteArrayView text(
            row.text, row.text[0] == '[' && row.text[1] == '\0' ? 3 : qsizetype(strlen(row.text)));
        const JsonParser::Error error = rejection(text);
        EXPECT_EQ(error.offset, row.offset) << row.text;
        EXPECT_FALSE(error.reason.isEmpty()) << row.text;
    }
}

TEST(JsonParser, RejectsBadEscapesControlCharactersAndInvalidUtf8)
{
    const struct
    {
        const char *text;
        qsizetype offset;
    } rows[] = {{R"("\x")", 1},           {R"("\u12G4")", 5},
                {R"("\uD800")", 1},       {R"("\uD800\u0041")", 1},
                {R"("\uDBFF\uDBFF")", 1}, {"\"a\tb\"", 2},
                {"\"\xC3\x28\"", 1},      {"\"\xC0\xAF\"", 1},
                {"\"\xED\xA0\x80\"", 1},  {"\"\xF4\x90\x80\x80\"", 1},
                {"\"ab\xFF\"", 3},        {"\"\xE2\x82\"", 1},
                {"{\"k\xC3\": 1}", 3},    {"[\"\xC3\xA9\", \"\xC3\"]", 8}};
    for (const auto &row : rows) {
        const JsonParser::Error error = rejection(row.text);
        EXPECT_EQ(error.offset, row.offset) << row.text;
    }
    // Every character below the space must be escaped inside a string; the space and
    // DEL need not be.
    for (int c = 0; c <= 0x20; ++c) {
        const QByteArray text = "\"a" + QByteArray(1, char(c)) + "b\"";
        if (c == 0x20)
            EXPECT_EQ(accepted(text), JsonValue(u"a b"_s));
        else
            EXPECT_EQ(rejection(text).offset, 2) << "character " << c;
    }
    EXPECT_EQ(accepted("\"a\x7F\""), JsonValue(u"a\x7F"_s));
}

// Asked to, the parser keeps a text whose escapes hold a surrogate without its
// partner, with U+FFFD in its place; what follows is read as usual, and nothing else
// that is rejected above becomes acceptable.
TEST(JsonParser, LoneSurrogatesCanBeReplaced)
{
    const auto replaced = [](const char *text) {
        const auto value = JsonParser::parse(text, nullptr, JsonParser::LoneSurrogates::replace);
        return value && value->isString() ? value->toString() : u"(rejected)"_s;
    };
    EXPECT_EQ(replaced(R"("a\uD800b")"), u"a\uFFFDb"_s);
    EXPECT_EQ(replaced(R"("\uDC00\uD800")"), u"\uFFFD\uFFFD"_s);
    EXPECT_EQ(replaced(R"("\uD800\u0041\n")"), u"\uFFFDA\n"_s);
    EXPECT_EQ(replaced(R"("\uDBFF\uDBFF\uDC00")"), u"\uFFFD\U0010FC00"_s);
    EXPECT_EQ(replaced(R"("\uD834\uDD1E")"), u"\U0001D11E"_s);
    for (const char *invalid : {R"("\uD800\u12G4")", R"("\uD800\x")", "\"\xED\xA0\x80\"", R"("\uD800)"})
        EXPECT_EQ(replaced(invalid), u"(rejected)"_s) << invalid;
    // Keys too.
    const auto object = JsonParser::parse(R"({"k\uDC00": 1})", nullptr, JsonParser::LoneSurrogates::replace);
    ASSERT_TRUE(object && object->object());
    EXPECT_EQ(object->object()->keys(), QStringList{u"k\uFFFD"_s});
}

TEST(JsonParser, NestingIsLimited)
{
    for (const auto &[open, close] : {std::pair('[', ']'), std::pair('{', '}')}) {
        EXPECT_TRUE(JsonParser::parse(nested(JsonParser::maximumDepth, open, close)).has_value()) << open;
        const JsonParser::Error error = rejection(nested(JsonParser::maximumDepth + 1, open, close));
        EXPECT_EQ(error.reason, u"too deeply nested"_s);
    }
    // Far deeper than any stack could take by recursion.
    EXPECT_EQ(rejection(QByteArray(1'000'000, '[')).reason, u"too deeply nested"_s);
}
