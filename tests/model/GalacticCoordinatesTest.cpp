#include "model/GalacticCoordinates.h"
#include "json/DecodeError.h"

#include "JsonTestSupport.h"
#include <QSet>

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

// The key path of the error raised while reading, or "(no error)".
template <typename T> QString failurePath(const char *json)
{
    try {
        readJson<T>(parseJsonObject(json));
    } catch (const DecodeError &error) {
        return error.path();
    }
    return u"(no error)"_s;
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
    const Case cases[] = {
        {hex(0, 0, 1, 1), u"00-0101"},       {hex(0, 0, 12, 3), u"00-1203"},
        {hex(-1, 2, 5, 40), u"A2-0540"},     {hex(0, 0, 0, 0), u"00-0000"},
        {hex(0, 0, 9, 10), u"00-0910"},      {hex(0, 0, 10, 9), u"00-1009"},
        {hex(-26, -27, 32, 40), u"Z[-3240"}, {hex(26, 12, 1, 1), u"2612-0101"},
        {hex(-2, -1, 3, 7), u"BA-0307"},     {hex(0, 0, -5, 100), u"00-0-5100"},
    };
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
    const Case cases[] = {
        {0, u"0"_s},
        {3, u"3"_s},
        {12, u"12"_s},
        {26, u"26"_s},
        {-1, u"A"_s},
        {-2, u"B"_s},
        {-26, u"Z"_s},
        {-27, u"["_s},
        {-(0xD7FF - 64), QString(QChar(0xD7FF))},
        // Character codes among the surrogates or past the last plane are not characters.
        {-(0xD800 - 64), u"-55232"_s},
        {-(0xDFFF - 64), u"-57279"_s},
        {-(0xE000 - 64), QString(QChar(0xE000))},
        {-(0x10FFFF - 64), QString::fromUcs4(U"\U0010FFFF", 1)},
        {-(0x110000 - 64), u"-1114048"_s},
        {std::numeric_limits<qint64>::min(), u"-9223372036854775808"_s},
        {std::numeric_limits<qint64>::max(), u"9223372036854775807"_s},
    };
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
    const Case cases[] = {
        {1, 1, "A"},
        {8, 10, "A"},
        {9, 1, "B"},
        {16, 10, "B"},
        {17, 1, "C"},
        {25, 1, "D"},
        {32, 10, "D"},
        {1, 11, "E"},
        {9, 11, "F"},
        {32, 20, "H"},
        {1, 21, "I"},
        {8, 30, "I"},
        {1, 31, "M"},
        {24, 40, "O"},
        {32, 40, "P"},
        {1, 41, "?"},
        {32, 41, "?"},
        {0, 0, "A"},
        {-7, -30, "A"},
        {33, 1, "E"},
        {40, 10, "E"},
        {41, 1, "F"},
        {40, 31, "?"},
        {33, 40, "?"},
        {std::numeric_limits<qint64>::max(), 1, "?"},
        {1, std::numeric_limits<qint64>::max(), "?"},
        {std::numeric_limits<qint64>::min(), std::numeric_limits<qint64>::min(), "A"},
    };
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
}

TEST(GalacticCoordinates, WrongTypesFailWithTheKeyPath)
{
    EXPECT_EQ(failurePath<GalacticCoordinates>(R"({"row": "3"})"), u"row"_s);
    EXPECT_EQ(failurePath<GalacticCoordinates>(R"({"sectorX": 1.5})"), u"sectorX"_s);
    EXPECT_EQ(failurePath<GalacticCoordinates>(R"({"sectorY": true})"), u"sectorY"_s);
    EXPECT_EQ(failurePath<GalacticCoordinates>(R"({"column": [1]})"), u"column"_s);
    EXPECT_EQ(failurePath<Holder>(R"({"position": {"sectorX": 1, "column": "12"}})"), u"position.column"_s);
    EXPECT_EQ(failurePath<Holder>(R"({"position": [1, 2, 3, 4]})"), u"position"_s);
    EXPECT_EQ(failurePath<Holder>(R"({"position": {"row": 1e30}})"), u"position.row"_s);
    EXPECT_EQ(failurePath<Holder>(R"({"position": {"row": -4, "sectorY": -1}})"), u"(no error)"_s);
}

TEST(GalacticCoordinates, WritesAllFourKeysAndReadsThemBack)
{
    const GalacticCoordinates values[] = {hex(0, 0, 0, 0), hex(-1, 2, 5, 40), hex(123, -456, 32, 1),
                                          hex(std::numeric_limits<qint64>::min(), 0, -3, 99)};
    for (const GalacticCoordinates &value : values) {
        const JsonObject object = value.toJson();
        EXPECT_EQ(object.size(), 4);
        EXPECT_EQ(object.value("sectorX"_L1).toInteger(), value.sectorX);
        EXPECT_EQ(object.value("sectorY"_L1).toInteger(), value.sectorY);
        EXPECT_EQ(object.value("column"_L1).toInteger(), value.column);
        EXPECT_EQ(object.value("row"_L1).toInteger(), value.row);
        EXPECT_EQ(readJson<GalacticCoordinates>(object), value);
    }
}

TEST(GalacticCoordinates, EqualityAndHashingCoverEveryField)
{
    const GalacticCoordinates a = decode(R"({"sectorX": 1, "sectorY": -2, "column": 3, "row": 4})");
    const GalacticCoordinates b = decode(R"({"row": 4, "column": 3, "sectorY": -2, "sectorX": 1})");
    EXPECT_EQ(a, b);
    EXPECT_EQ(qHash(a), qHash(b));
    EXPECT_EQ(qHash(a, 17), qHash(b, 17));

    const GalacticCoordinates differing[] = {hex(0, -2, 3, 4), hex(1, 2, 3, 4), hex(1, -2, 4, 3),
                                             hex(1, -2, 3, 5), hex(-2, 1, 3, 4)};
    QSet<GalacticCoordinates> set{a};
    for (const GalacticCoordinates &other : differing) {
        EXPECT_NE(a, other) << other.description().toStdString();
        EXPECT_FALSE(set.contains(other)) << other.description().toStdString();
        set.insert(other);
    }
    EXPECT_TRUE(set.contains(b));
    EXPECT_EQ(set.size(), 1 + qsizetype(std::size(differing)));
}
