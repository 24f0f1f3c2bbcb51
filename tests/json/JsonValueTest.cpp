#include "json/JsonValue.h"

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

TEST(JsonValue, NumbersCompareAndHashByValue)
{
    EXPECT_EQ(JsonValue(1), JsonValue(1.0));
    EXPECT_EQ(JsonValue(-0.0), JsonValue(0));
    EXPECT_EQ(qHash(JsonValue(1)), qHash(JsonValue(1.0)));
    EXPECT_NE(JsonValue(1), JsonValue(1.5));
    // Compared as doubles these two would be equal.
    EXPECT_NE(JsonValue(9007199254740993LL), JsonValue(9007199254740992.0));
    EXPECT_NE(JsonValue(std::numeric_limits<qint64>::max()), JsonValue(9223372036854775808.0));
    EXPECT_NE(JsonValue(1), JsonValue(true));
    EXPECT_NE(JsonValue(0), JsonValue());
    EXPECT_NE(JsonValue(u"1"_s), JsonValue(1));
}

TEST(JsonValue, WholeDoublesConvertToIntegersOnlyWithinRange)
{
    EXPECT_EQ(JsonValue(3.0).toInteger(-1), 3);
    EXPECT_EQ(JsonValue(-9223372036854775808.0).toInteger(-1), std::numeric_limits<qint64>::min());
    EXPECT_EQ(JsonValue(9223372036854775808.0).toInteger(-1), -1);
    EXPECT_EQ(JsonValue(2.5).toInteger(-1), -1);
    EXPECT_EQ(JsonValue(u"3"_s).toInteger(-1), -1);
}

TEST(JsonValue, ObjectsCompareAndHashWithoutRegardToMemberOrder)
{
    const JsonObject ab{{"a"_L1, 1}, {"b"_L1, JsonArray{1, 2}}};
    const JsonObject ba{{"b"_L1, JsonArray{1, 2}}, {"a"_L1, 1}};
    EXPECT_EQ(ab, ba);
    EXPECT_EQ(qHash(ab), qHash(ba));
    EXPECT_NE(ab, (JsonObject{{"a"_L1, 1}, {"b"_L1, JsonArray{2, 1}}}));
    EXPECT_NE(ab, (JsonObject{{"a"_L1, 1}}));
    EXPECT_NE(ab, (JsonObject{{"a"_L1, 1}, {"c"_L1, JsonArray{1, 2}}}));
}

TEST(JsonValue, LookupsTellMissingFromNull)
{
    JsonObject object{{"present"_L1, JsonValue()}, {"n"_L1, 5}};
    EXPECT_NE(object.find("present"_L1), nullptr);
    EXPECT_EQ(object.find("absent"_L1), nullptr);
    EXPECT_TRUE(object.value("absent"_L1).isNull());
    EXPECT_FALSE(object.contains("pres"_L1));
    object.insert("n"_L1, 6);
    EXPECT_EQ(object.size(), 2);
    EXPECT_EQ(object["n"_L1], JsonValue(6));
    EXPECT_EQ(object.take("n"_L1), JsonValue(6));
    EXPECT_FALSE(object.contains("n"_L1));
    object.remove("present"_L1);
    EXPECT_TRUE(object.isEmpty());

    const JsonValue array = JsonArray{u"a"_s, 2};
    EXPECT_EQ(array.size(), 2);
    EXPECT_EQ(array.at(1), JsonValue(2));
    EXPECT_TRUE(array.at(2).isNull());
    EXPECT_TRUE(array.at(-1).isNull());
    EXPECT_TRUE(array["a"_L1].isNull());
}

TEST(JsonValue, KeysBeyondAsciiMatchTheirLatin1Spelling)
{
    const JsonObject object{{"caf\xE9"_L1, 1}, {"cafe"_L1, 2}};
    EXPECT_EQ(object.keys(), (QStringList{u"caf\u00e9"_s, u"cafe"_s}));
    EXPECT_EQ(object["caf\xE9"_L1], JsonValue(1));
    EXPECT_EQ(object["cafe"_L1], JsonValue(2));
    EXPECT_FALSE(object.contains("caf"_L1));
    EXPECT_FALSE(object.contains("caf\xE8"_L1));
    EXPECT_TRUE(jsonKeyEquals("caf\xC3\xA9", "caf\xE9"_L1));
    EXPECT_FALSE(jsonKeyEquals("caf\xE9", "caf\xE9"_L1));
    EXPECT_FALSE(jsonKeyEquals("caf\xC3\xA9x", "caf\xE9"_L1));
    EXPECT_FALSE(jsonKeyEquals("", "a"_L1));
    EXPECT_TRUE(jsonKeyEquals("", ""_L1));
}
