#include "model/NumberFormat.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

class NumberFormatTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

struct IntegerCase
{
    qint64 value;
    const char *expected;
};

struct DecimalCase
{
    double value;
    int digits;
    const char *expected;
};

} // namespace

TEST_F(NumberFormatTest, compactKeepsTwoSignificantDigitsAndMovesUpAScaleWhenRounding)
{
    const IntegerCase cases[] = {{0, "0"},
                                 {999, "999"},
                                 {-999, "-999"},
                                 {1'000, "1K"},
                                 {-1'000, "-1K"},
                                 {1'050, "1K"},   // halfway, rounds to the even 1.0
                                 {1'150, "1.2K"}, // halfway, rounds to the even 1.2
                                 {1'051, "1.1K"},
                                 {1'500, "1.5K"},
                                 {9'949, "9.9K"},
                                 {9'950, "10K"},
                                 {999'499, "999K"},
                                 {999'500, "1M"},
                                 {999'999, "1M"},
                                 {999'999'999, "1B"},
                                 {1'000'000'000, "1B"},
                                 {2'100'000'000, "2.1B"},
                                 {3'000'000'000'000, "3T"},
                                 {999'999'999'999'999, "1000T"},
                                 {10'000'000'000'000'000, "10,000T"},
                                 {std::numeric_limits<qint64>::max(), "9,223,372T"},
                                 {std::numeric_limits<qint64>::min(), "-9,223,372T"}};
    for (const auto &c : cases)
        EXPECT_EQ(NumberFormat::compact(c.value), QString::fromUtf8(c.expected)) << c.value;
}

TEST_F(NumberFormatTest, fixedWritesExactlyTheRequestedFractionDigits)
{
    const DecimalCase cases[] = {{1.0, 2, "1.00"},        {0.25, 2, "0.25"},   {0.0, 2, "0.00"},
                                 {-0.0, 2, "0.00"},       {-0.001, 2, "0.00"}, {-1.5, 2, "-1.50"},
                                 {1234.5, 2, "1,234.50"}, {2.06, 1, "2.1"},    {99.96, 1, "100.0"},
                                 {1.0, 1, "1.0"}};
    for (const auto &c : cases)
        EXPECT_EQ(NumberFormat::fixed(c.value, c.digits), QString::fromUtf8(c.expected)) << c.value;
}

TEST_F(NumberFormatTest, decimalDropsTrailingZeros)
{
    const DecimalCase cases[] = {{1.0, 0, "1"},          {0.5, 0, "0.5"},        {1.25, 0, "1.25"},
                                 {0.0, 0, "0"},          {-0.0, 0, "0"},         {-2.5, 0, "-2.5"},
                                 {10.0, 0, "10"},        {1234.5, 0, "1,234.5"}, {1.0 / 3.0, 0, "0.333333"},
                                 {100.0000001, 0, "100"}};
    for (const auto &c : cases)
        EXPECT_EQ(NumberFormat::decimal(c.value), QString::fromUtf8(c.expected)) << c.value;
}

TEST_F(NumberFormatTest, followsTheDefaultLocale)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(NumberFormat::fixed(1.0, 2), u"1,00"_s);
    EXPECT_EQ(NumberFormat::fixed(-0.001, 2), u"0,00"_s);
    EXPECT_EQ(NumberFormat::decimal(1234.5), u"1.234,5"_s);
    EXPECT_EQ(NumberFormat::grouped(1'000'000), u"1.000.000"_s);
    EXPECT_EQ(NumberFormat::compact(2'100'000'000), u"2,1B"_s);
    EXPECT_EQ(NumberFormat::compact(1'000), u"1K"_s);
}
