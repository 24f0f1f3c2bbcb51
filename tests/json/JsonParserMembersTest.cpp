#include "json/JsonParser.h"

#include <gtest/gtest.h>

#include <random>

namespace {

bool keepName(std::string_view key)
{
    return key == std::string_view("name");
}

} // namespace

// Reading only some members must accept exactly the texts a full reading accepts
// (when they hold an object) and give the same values for the members it keeps.
TEST(JsonParserMembers, AgreesWithTheFullParserOnDamagedDocuments)
{
    const QByteArray document =
        "{\"data\": [{\"a\": [1, -2.5e3, true, null, \"\\u00e9\\ud83d\\ude00\"]}, {}], \"name\": "
        "\"N\\u00e9\","
        " \"deep\": {\"x\": {\"y\": [[], {\"z\": false}]}}, \"name\": \"last\", \"n\": 0}";
    std::mt19937 random(99);
    const char replacements[] = "{}[]\",:\\0-e.tfn \x80\xC3\x01";
    for (int round = 0; round < 4000; ++round) {
        QByteArray text = document;
        if (round % 3 == 0) {
            text.truncate(qsizetype(random() % unsigned(text.size())));
        } else {
            for (int n = int(random() % 3); n >= 0; --n)
                text[qsizetype(random() % unsigned(text.size()))] =
                    replacements[random() % (sizeof(replacements) - 1)];
        }
        const std::optional<JsonValue> full = JsonParser::parse(text);
        const std::optional<JsonObject> members = JsonParser::parseMembers(text, keepName);
        ASSERT_EQ(members.has_value(), full && full->isObject()) << text.toStdString();
        if (members) {
            ASSERT_LE(members->size(), 1);
            const JsonValue *name = full->object()->find(QLatin1StringView("name"));
            const JsonValue *kept = members->find(QLatin1StringView("name"));
            ASSERT_EQ(kept != nullptr, name != nullptr);
            if (kept) {
                EXPECT_TRUE(*kept == *name) << text.toStdString();
            }
        }
    }
}

TEST(JsonParserMembers, RefusesNestingBeyondTheLimitInSkippedValues)
{
    const int depth = JsonParser::maximumDepth + 1;
    const QByteArray text = "{\"skipped\": " + QByteArray(depth, '[') + QByteArray(depth, ']') + "}";
    EXPECT_FALSE(JsonParser::parse(text).has_value());
    EXPECT_FALSE(JsonParser::parseMembers(text, keepName).has_value());
}
