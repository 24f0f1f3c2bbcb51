#include "json/JsonParser.h"

#include <gtest/gtest.h>

#include <iterator>
#include <random>

namespace {

// The document cut short, or with up to three bytes replaced by bytes that matter to
// the grammar, or (now and then) left whole.
QByteArray damaged(QByteArray text, std::mt19937 &random, int round)
{
    static const char replacements[] = "{}[]\",:\\0-e.tfn \x80\xC3\x01";
    if (round % 5 == 0) {
        text.truncate(qsizetype(random() % unsigned(text.size())));
    } else if (round % 5 != 1) {
        for (int n = int(random() % 3); n >= 0; --n)
            text[qsizetype(random() % unsigned(text.size()))] =
                replacements[random() % (sizeof(replacements) - 1)];
    }
    return text;
}

} // namespace

// An outline accepts exactly what a full reading accepts, fails at the same byte for
// the same reason, and its document with the elements read one by one put back is
// the full reading's value (the last member of a repeated key wins either way).
TEST(JsonParserOutline, AgreesWithTheFullParserOnDamagedDocuments)
{
    const QByteArray documents[] = {
        "{\"data\": [{\"a\": [1, -2.5e3, true, null, \"\\u00e9\\ud83d\\ude00\"]}, {}, [[]], 7], "
        "\"name\": \"N\", \"deep\": {\"data\": [1]}}",
        "{\"data\": [1, 2], \"x\": {}, \"data\": {\"k\": [3]}}",
        "{\"data\": null, \"data\": [\"s\", {\"t\": []}]}", " [{\"data\": [1]}] "};
    std::mt19937 random(7);
    for (int round = 0; round < 6000; ++round) {
        const QByteArray text = damaged(documents[round % std::size(documents)], random, round);
        JsonParser::Error fullError, outlineError;
        const std::optional<JsonValue> full = JsonParser::parse(text, &fullError);
        const std::optional<JsonParser::Outline> outline =
            JsonParser::parseOutline(text, "data", &outlineError);
        ASSERT_EQ(outline.has_value(), full.has_value()) << text.toStdString();
        if (!full) {
            EXPECT_EQ(outlineError.offset, fullError.offset) << text.toStdString();
            EXPECT_EQ(outlineError.reason, fullError.reason) << text.toStdString();
            continue;
        }
        JsonValue rebuilt = outline->document;
        if (outline->elements) {
            ASSERT_TRUE(rebuilt.isObject());
            EXPECT_FALSE(rebuilt.object()->contains(QLatin1StringView("data")));
            JsonArray elements;
            for (const QByteArrayView element : *outline->elements)
                elements.push_back(JsonParser::parse(element).value());
            JsonObject object = rebuilt.toObject();
            object.insert(QLatin1StringView("data"), std::move(elements));
            rebuilt = std::move(object);
        }
        EXPECT_TRUE(rebuilt == *full) << text.toStdString();
        EXPECT_EQ(outline->elements.has_value(),
                  full->isObject() && full->object()->value(QLatin1StringView("data")).isArray());
    }
}

TEST(JsonParserOutline, RefusesNestingBeyondTheLimitInsideTheArray)
{
    const int depth = JsonParser::maximumDepth - 1; // with the object and the array, one too many
    const QByteArray text = "{\"data\": [" + QByteArray(depth, '[') + QByteArray(depth, ']') + "]}";
    EXPECT_FALSE(JsonParser::parse(text).has_value());
    EXPECT_FALSE(JsonParser::parseOutline(text, "data").has_value());
    const QByteArray fits = "{\"data\": [" + QByteArray(depth - 1, '[') + QByteArray(depth - 1, ']') + "]}";
    EXPECT_TRUE(JsonParser::parse(fits).has_value());
    EXPECT_TRUE(JsonParser::parseOutline(fits, "data").has_value());
}
