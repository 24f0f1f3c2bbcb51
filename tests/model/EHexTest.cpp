#include "model/EHex.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8);
}

// The 34-symbol alphabet, value by value: digits, then the capitals without I and O.
const char *const kAlphabet = "0123456789ABCDEFGHJKLMNPQRSTUVWXYZ";

TEST(EHexTest, EveryProfileValueHasItsCharacterAndReadsBack)
{
    ASSERT_EQ(qstrlen(kAlphabet), 34u);
    for (qint64 value = 0; value < 34; ++value) {
        const QString expected(QLatin1Char(kAlphabet[value]));
        EXPECT_EQ(EHex::digit(value), expected) << value;
        EXPECT_EQ(EHex::value(expected), std::optional<qint64>(value)) << value;
        EXPECT_EQ(EHex::value(QChar(QLatin1Char(kAlphabet[value]))), std::optional<qint64>(value)) << value;
    }
}

TEST(EHexTest, RangeBoundariesOfEachLetterBlock)
{
    const struct
    {
        qint64 value;
        const char *character;
    } cases[] = {{10, "A"}, {17, "H"}, {18, "J"}, {22, "N"}, {23, "P"}, {33, "Z"}};
    for (const auto &c : cases)
        EXPECT_EQ(EHex::digit(c.value), text(c.character)) << c.value;
}

TEST(EHexTest, ValuesWithoutACharacterGiveThePlaceholder)
{
    const qint64 outside[] = {-49,
                              -1000,
                              std::numeric_limits<qint64>::min(),
                              std::numeric_limits<qint64>::max(),
                              0x10FFFF,    // code past the last scalar value
                              0xD800 - 57, // a surrogate code
                              0xDFFF - 57,
                              0x10FFFF - 57 + 1};
    for (const qint64 value : outside)
        EXPECT_EQ(EHex::digit(value), text("?")) << value;
    // The last scalar value itself is still a character.
    EXPECT_EQ(EHex::digit(0x10FFFF - 57), QString::fromUcs4(U"\U0010FFFF", 1));
}

TEST(EHexTest, ReadingSkippedAndNonProfileCharacters)
{
    const struct
    {
        const char *character;
        qint64 value;
    } cases[] = {{"I", 17}, {"O", 22},   {"H", 17}, {"N", 22}, {"a", 40}, {" ", -16},  {":", 10},
                 {"-", -3}, {"\n", -38}, {"@", 16}, {"[", 34}, {"z", 65}, {"\x7f", 70}};
    for (const auto &c : cases)
        EXPECT_EQ(EHex::value(text(c.character)), std::optional<qint64>(c.value)) << c.character;
}

TEST(EHexTest, NonAsciiOrNonSingleCharacterGivesNoValue)
{
    const QString rejected[] = {
        QString(QChar(0xE9)), text("Ж"),   QString::fromUcs4(U"\U0001F600", 1), QString(),
        text("AB"),           text("\n\r")};
    for (const QString &character : rejected)
        EXPECT_EQ(EHex::value(character), std::nullopt) << character.toStdString();
    EXPECT_EQ(EHex::value(QChar(0x80)), std::nullopt);
}

} // namespace
