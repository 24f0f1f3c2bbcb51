#include "JsonTestSupport.h"
#include "QtJsonComparison.h"

#include "json/DecodeError.h"
#include "json/JsonWriter.h"

#include <QJsonDocument>

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace Qt::StringLiterals;

namespace {

// The text written for a single value, without the final line break.
QByteArray written(const JsonValue &value)
{
    QByteArray text = JsonWriter::write(value);
    EXPECT_TRUE(text.endsWith('\n'));
    text.chop(1);
    return text;
}

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

// Pieces of keys and texts: ASCII of both cases, characters that must be escaped
// (controls, NUL, quote, backslash), letters beyond ASCII that share their first UTF-8
// byte, CJK, U+FEFF (never first: QJsonDocument drops it there) and U+FFFF, and astral
// characters; U+FF21 sorts below U+1F680 by code point although its UTF-16 unit is
// above the surrogates.
QString someText(std::mt19937 &random)
{
    static const QString pieces[] = {u"a"_s,
                                     u"B"_s,
                                     u"z"_s,
                                     u"~ "_s,
                                     u"\"\\/"_s,
                                     u"\n\t"_s,
                                     QString(QChar(0)),
                                     u"\u0001\u001F\u007F"_s,
                                     u"\u00e9"_s,
                                     u"\u00ea"_s,
                                     u"\u0100"_s,
                                     u"\u9280\u6cb3"_s,
                                     u"\uff21"_s,
                                     u"-\ufeff"_s,
                                     u"\uffff"_s,
                                     u"\u2028"_s,
                                     u"\U0001F680"_s,
                                     u"\U0010FFFF"_s};
    QString text;
    for (int n = int(random() % 4); n > 0; --n)
        text += pieces[random() % std::size(pieces)];
    return text;
}

// A random value: objects with keys from someText(), every scalar kind, integers and
// doubles at their ends, nested up to `depth` levels.
JsonValue someValue(std::mt19937 &random, int depth)
{
    switch (random() % (depth > 0 ? 9 : 6)) {
    case 0: return JsonValue();
    case 1: return random() % 2 == 1;
    case 2: {
        const qint64 ends[] = {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::max(), 0, -1};
        return random() % 2 ? ends[random() % std::size(ends)]
                            : qint64((std::uint64_t(random()) << 32) | random());
    }
    case 3: {
        const double number = std::bit_cast<double>((std::uint64_t(random()) << 32) | random());
        return std::isfinite(number) ? number : 0.5;
    }
    case 4:
    case 5: return someText(random);
    case 6: {
        JsonArray elements;
        for (int n = int(random() % 4); n > 0; --n)
            elements.push_back(someValue(random, depth - 1));
        return elements;
    }
    default: {
        JsonObject members;
        for (int n = int(random() % 7); n > 0; --n)
            members.insert(someText(random).toStdString(), someValue(random, depth - 1));
        return members;
    }
    }
}

} // namespace

TEST(JsonWriter, IndentsAndSortsKeys)
{
    const JsonObject object{{"d"_L1, JsonArray()},
                            {"a"_L1, JsonArray{1, JsonObject{{"b"_L1, JsonValue()}}}},
                            {"c"_L1, JsonObject()},
                            {"B"_L1, true}};
    EXPECT_EQ(written(object), QByteArray("{\n"
                                          "  \"B\": true,\n"
                                          "  \"a\": [\n"
                                          "    1,\n"
                                          "    {\n"
                                          "      \"b\": null\n"
                                          "    }\n"
                                          "  ],\n"
                                          "  \"c\": {},\n"
                                          "  \"d\": []\n"
                                          "}"));
}

TEST(JsonWriter, EscapesWhatJsonRequiresAndWritesTheRestAsUtf8)
{
    const struct
    {
        QString text;
        const char *expected;
    } rows[] = {{u"plain"_s, R"("plain")"},
                {u"\"\\/"_s, R"("\"\\/")"},
                {u"\b\f\n\r\t"_s, R"("\b\f\n\r\t")"},
                {QString(QChar(0)) + QChar(0x1F) + QChar(0x7F), "\"\\u0000\\u001f\x7F\""},
                {u"caf\u00e9 \u20ac \U0001F680"_s, "\"caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x9A\x80\""},
                // An unpaired surrogate has no UTF-8 form: it becomes U+FFFD.
                {QString(QChar(0xD800)) + u"x"_s, "\"\xEF\xBF\xBDx\""},
                {u"x"_s + QChar(0xDC00), "\"x\xEF\xBF\xBD\""}};
    for (const auto &row : rows)
        EXPECT_EQ(written(row.text), QByteArray(row.expected)) << row.expected;
    EXPECT_EQ(written(JsonObject{{"tab\there"_L1, 1}}), QByteArray("{\n  \"tab\\there\": 1\n}"));
    EXPECT_EQ(written(JsonObject{{"caf\xE9"_L1, 1}}), QByteArray("{\n  \"caf\xC3\xA9\": 1\n}"));
}

TEST(JsonWriter, NumbersAreShortestAndReadBackExactly)
{
    const struct
    {
        JsonValue value;
        const char *expected;
    } rows[] = {{0.1, "0.1"},
                {1.5, "1.5"},
                {100.0, "100"},
                {-0.0, "-0"},
                {1e23, "1e+23"},
                {std::numeric_limits<double>::denorm_min(), "5e-324"},
                {std::numeric_limits<qint64>::max(), "9223372036854775807"},
                {std::numeric_limits<qint64>::min(), "-9223372036854775808"}};
    for (const auto &row : rows)
        EXPECT_EQ(written(row.value), QByteArray(row.expected)) << row.expected;

    for (const double number :
         {0.1, 1.0 / 3.0, std::numeric_limits<double>::max(), std::numeric_limits<double>::min(),
          std::numeric_limits<double>::denorm_min(), -0.0, 1e23, 9007199254740994.0, 3.141592653589793,
          -123456.789e-300, 0.30000000000000004}) {
        const std::optional<JsonValue> back = JsonParser::parse(JsonWriter::write(number));
        ASSERT_TRUE(back.has_value()) << number;
        EXPECT_TRUE(sameBits(back->toDouble(), number)) << number;
    }
}

TEST(JsonWriter, WhatIsWrittenReadsBackEqualAndWritesTheSameBytes)
{
    const JsonValue value = JsonObject{
        {"text"_L1, u"line\nbreak \"quoted\" \u00e9\U0001F680"_s},
        {"numbers"_L1, JsonArray{0, -1, 0.5, 1e-7, 6.02214076e23, std::numeric_limits<qint64>::min()}},
        {"flags"_L1, JsonArray{true, false, JsonValue()}},
        {"nested"_L1, JsonObject{{"z"_L1, JsonObject{{"y"_L1, JsonArray{JsonArray{JsonObject()}}}}}}},
        {"empty"_L1, QString()}};
    const QByteArray text = JsonWriter::write(value);
    const std::optional<JsonValue> back = JsonParser::parse(text);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, value);
    EXPECT_EQ(JsonWriter::write(*back), text);
}

TEST(JsonWriter, AStreamedArrayIsWrittenAsThoughItWereAMemberOfTheObject)
{
    const JsonObject others{
        {"b"_L1, 1}, {"m"_L1, JsonObject{{"x"_L1, JsonArray{}}}}, {"\xE9"_L1, u"\u00e9"_s}};
    const QString large(qsizetype(JsonWriter::kPieceSize) + 10, u'x');
    // Keys that sort first, between the others, last and beyond ASCII.
    for (const std::string key : {"", "a", "c", "z", "\xC3\xA9\xC3\xA9", "\xEF\xBF\xBF"}) {
        for (const qsizetype count : {0, 1, 3}) {
            JsonArray elements;
            for (qsizetype i = 0; i < count; ++i)
                elements.push_back(JsonObject{{"i"_L1, i}, {"s"_L1, i == 1 ? large : QString()}});
            JsonObject whole = others;
            whole.insert(key, elements);

            QByteArray text;
            int pieces = 0;
            const JsonWriter::StreamedArray array{key, count,
                                                  [&](qsizetype i) { return elements[std::size_t(i)]; }};
            EXPECT_TRUE(JsonWriter::streamed(others, array, [&](QByteArrayView piece) {
                text.append(piece);
                ++pieces;
                return true;
            }));
            EXPECT_EQ(text, JsonWriter::write(whole)) << key << " " << count;
            EXPECT_EQ(pieces, count == 3 ? 2 : 1); // the large element fills a piece
        }
    }

    // Elements are made only as they are written: a refused piece stops the making.
    int made = 0;
    const JsonWriter::StreamedArray array{"a", 5, [&](qsizetype) {
                                              ++made;
                                              return JsonValue(large);
                                          }};
    EXPECT_FALSE(JsonWriter::streamed(others, array, [](QByteArrayView) { return false; }));
    EXPECT_EQ(made, 1);
}

// Random values with keys and texts beyond ASCII against plain references: the text
// reads back as the same value with our parser and with QJsonDocument, writes the
// same bytes again, lists every object's keys in code point order and indents two
// spaces per level.
TEST(JsonWriter, RandomValuesReadBackEqualWithSortedKeysAndTwoSpacesPerLevel)
{
    std::mt19937 random(90210);
    for (int round = 0; round < 400 && !testing::Test::HasFailure(); ++round) {
        JsonObject object;
        for (int n = int(random() % 9); n > 0; --n)
            object.insert(someText(random).toStdString(), someValue(random, 3));
        const QByteArray text = JsonWriter::write(object);

        const std::optional<JsonValue> back = JsonParser::parse(text);
        ASSERT_TRUE(back.has_value()) << text.constData();
        EXPECT_EQ(*back, JsonValue(object)) << text.constData();
        EXPECT_EQ(JsonWriter::write(*back), text);
        expectKeysInCodePointOrder(*back);
        expectTwoSpacesPerLevel(text);

        QJsonParseError qtError;
        const QJsonDocument qt = QJsonDocument::fromJson(text, &qtError);
        ASSERT_EQ(qtError.error, QJsonParseError::NoError) << qtError.errorString().toStdString();
        EXPECT_TRUE(sameAsQt(JsonValue(object), qt.object())) << text.constData();
    }
}
