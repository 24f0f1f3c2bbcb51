#include "model/GalacticCoordinates.h"
#include "json/DecodeError.h"

#include "JsonTestSupport.h"

#include <gtest/gtest.h>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

GalacticCoordinates hex(qint64 sectorX, qint64 sectorY, qint64 column, qint64 row)
{
    return GalacticCoordinates{sectorX, sectorY, column, row};
}

GalacticCoordinates decode(const char *json)
{
    return readJson<GalacticCoordinates>(parseJsonObject(json));
}

// A record that holds a hex, to see the path of an error inside a nested value.
struct Holder
{
    GalacticCoordinates position;
    static Holder fromJson(const JsonReader &reader)
    {
        return Holder{reader.required<GalacticCoordinates>("position"_L1)};
    }
    JsonObject toJson() const { return {{"position"_L1, position.toJson()}}; }
};

} // namespace

TEST(GalacticCoordinates, HexLabels)
{
    struct Case
    {
        GalacticCoordinates hex;
        const char16_t *label;
    };
    const Case cases[] = {{hex(0, 0, 1, 1), u"00-0101"},       {hex(0, 0, 12, 3), u"00-1203"},
                          {hex(-1, 2, 5, 40), u"A2-0540"},     {hex(0, 0, 0, 0), u"00-0000"},
                          {hex(0, 0, 9, 10), u"00-0910"},      {hex(0, 0, 10, 9), u"00-1009"},
                          {hex(-26, -27, 32, 40), u"Z[-3240"}, {hex(26, 12, 1, 1), u"2612-0101"},
                          {hex(-2, -1, 3, 7), u"BA-0307"},     {hex(0, 0, -5, 100), u"00-0-5100"}};
    for (const Case &c : cases)
        EXPECT_EQ(c.hex.description(), QString::fromUtf16(c.label)) << c.hex.description().toStdString();
}

TEST(GalacticCoordinates, SectorTextsOfNegativeAndLargeIndices)
{
    struct Case
    {
        qint64 index;
        QString text;
    };
    const Case cases[] = {{0, u"0"_s},
                          {-1, u"A"_s},
                          {-27, u"["_s},
                          // Character codes among the surrogates or past the last plane are not characters.
                          {-(0xD800 - 64), u"-55232"_s},
                          {-(0x10FFFF - 64), QString::fromUcs4(U"\U0010FFFF", 1)},
                          {-(0x110000 - 64), u"-1114048"_s},
                          {std::numeric_limits<qint64>::min(), u"-9223372036854775808"_s}};
    for (const Case &c : cases) {
        EXPECT_EQ(GalacticCoordinates::sectorXText(c.index), c.text) << c.index;
        EXPECT_EQ(GalacticCoordinates::sectorYText(c.index), c.text) << c.index;
    }
}

TEST(GalacticCoordinates, SubsectorLettersAtTheEdges)
{
    struct Case
    {
        qint64 column;
        qint64 row;
        const char *letter;
    };
    const Case cases[] = {{1, 1, "A"},
                          {8, 10, "A"},
                          {32, 10, "D"},
                          {1, 11, "E"},
                          {32, 40, "P"},
                          {1, 41, "?"},
                          {0, 0, "A"},
                          {33, 1, "E"},
                          {40, 31, "?"},
                          {std::numeric_limits<qint64>::max(), 1, "?"},
                          {1, std::numeric_limits<qint64>::max(), "?"},
                          {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::min(), "A"}};
    for (const Case &c : cases)
        EXPECT_EQ(hex(0, 0, c.column, c.row).subsectorLetter(), QLatin1StringView(c.letter))
            << "column " << c.column << ", row " << c.row;
}

TEST(GalacticCoordinates, MissingOrNullKeysReadAsZero)
{
    const GalacticCoordinates empty = decode("{}");
    EXPECT_EQ(empty, hex(0, 0, 0, 0));
    EXPECT_EQ(empty.description(), u"00-0000"_s);
    EXPECT_EQ(empty.subsectorLetter(), u"A"_s);

    EXPECT_EQ(decode(R"({"column": 7})"), hex(0, 0, 7, 0));
    EXPECT_EQ(decode(R"({"sectorX": -2, "row": null, "sectorY": null, "column": 32})"), hex(-2, 0, 32, 0));
    EXPECT_EQ(decode(R"({"row": 40, "unknown": "ignored"})"), hex(0, 0, 0, 40));
    EXPECT_EQ(failurePath<Holder>(parseJsonObject(R"({"position": {"sectorX": 1, "column": "12"}})")),
              u"position.column"_s);
}
