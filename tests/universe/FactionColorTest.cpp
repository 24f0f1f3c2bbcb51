#include "universe/FactionColor.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

double squaredDistance(const RgbComponents &a, const RgbComponents &b)
{
    return (a.red - b.red) * (a.red - b.red) + (a.green - b.green) * (a.green - b.green) +
           (a.blue - b.blue) * (a.blue - b.blue);
}

} // namespace

TEST(FactionColor, ParsesNamesAndHexadecimalCodes)
{
    const struct
    {
        const char *input;
        RgbComponents expected;
    } rows[] = {{"red", {1.0, 0.0, 0.0}},
                {"  Gray\t", {0.5, 0.5, 0.5}},
                {"INDIGO", {0.29, 0.0, 0.51}},
                {"ff8000", {1.0, 128 / 255.0, 0.0}},
                {"#FF8000", {1.0, 128 / 255.0, 0.0}},
                {"#0a0", {0.0, 170 / 255.0, 0.0}},
                {" #000000 ", {0.0, 0.0, 0.0}}};
    for (const auto &row : rows) {
        const auto parsed = parseColorString(text(row.input));
        ASSERT_TRUE(parsed.has_value()) << row.input;
        EXPECT_DOUBLE_EQ(parsed->red, row.expected.red) << row.input;
        EXPECT_DOUBLE_EQ(parsed->green, row.expected.green) << row.input;
        EXPECT_DOUBLE_EQ(parsed->blue, row.expected.blue) << row.input;
    }
}

TEST(FactionColor, RejectsTextsThatAreNeitherNameNorCode)
{
    const char *rows[] = {"", "crimson", "#12345", "#1234567", "#ff80zz", "red\n", "ff 800", "0xfff",
                          "ｆｆｆ",
                          // A sign is not a hexadecimal digit, in either length.
                          "+fffff", "#-ff800", "-0a"};
    for (const char *input : rows)
        EXPECT_FALSE(parseColorString(text(input)).has_value()) << input;
}

TEST(FactionColor, NearestPaletteEntry)
{
    const struct
    {
        const char *input;
        FactionColor expected;
    } rows[] = {{"", FactionColor::white},           {"chartreuse", FactionColor::white},
                {"#12345", FactionColor::white},     {"red\n", FactionColor::white},
                {"  RED  ", FactionColor::red},      {"fff", FactionColor::white},
                {"#fff", FactionColor::white},       {"000000", FactionColor::black},
                {"green", FactionColor::black},      {"blue", FactionColor::indigo},
                {"pink", FactionColor::yellowWhite}, {"gray", FactionColor::grey},
                {"orange", FactionColor::orangeRed}, {"violet", FactionColor::magenta},
                {"indigo", FactionColor::black},     {"tan", FactionColor::tan},
                {"ff8000", FactionColor::red}};
    for (const auto &row : rows)
        EXPECT_EQ(factionColorFrom(text(row.input)), row.expected) << row.input;
}

TEST(FactionColor, EqualDistancesKeepTheEarlierEntry)
{
    // Codes that lie exactly as far from `orangeRed` as from `green`.
    for (const char *code : {"979704", "#989B08"}) {
        const auto parsed = parseColorString(text(code));
        ASSERT_TRUE(parsed.has_value());
        const double toOrangeRed = squaredDistance(*parsed, color(FactionColor::orangeRed));
        ASSERT_EQ(toOrangeRed, squaredDistance(*parsed, color(FactionColor::green))) << code;
        for (const FactionColor entry : allCases<FactionColor>())
            ASSERT_GE(squaredDistance(*parsed, color(entry)), toOrangeRed) << code;
        EXPECT_EQ(factionColorFrom(text(code)), FactionColor::orangeRed) << code;
    }
}
