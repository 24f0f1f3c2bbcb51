#include "model/UWPDescriptions.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <functional>
#include <limits>
#include <vector>

namespace {

constexpr qint64 kMin = std::numeric_limits<qint64>::min();
constexpr qint64 kMax = std::numeric_limits<qint64>::max();

UWP with(qint64 UWP::*code, qint64 value, double density = 1.0)
{
    UWP uwp;
    uwp.*code = value;
    uwp.density = density;
    return uwp;
}

// Per description: below the first code, both ends, an odd entry and past the end.
struct DescriptionTable
{
    const char *name;
    std::function<QString(qint64)> describe;
    std::vector<std::pair<qint64, const char *>> rows;
};

const std::vector<DescriptionTable> &tables()
{
    static const std::vector<DescriptionTable> all{
        {"size",
         sizeDescription,
         {{-1, "Undefined"},
          {0, "800 km (Asteroid)"},
          {16, "25,600 km"},
          {17, "Undefined"},
          {35, "Megastructure"},
          {36, "Undefined"}}},
        {"atmosphere",
         atmosphereDescription,
         {{kMin, "Undefined"}, {0, "Vacuum (S3)"}, {15, "Unusual (varies)"}, {16, "Undefined"}}},
        {"pressure",
         [](qint64 code) { return atmosphericPressure(with(&UWP::atmosphere, code)); },
         {{-1, "Undefined"}, {0, "0.00"}, {1, "0.001-0.09"}, {15, "Varies"}, {16, "Undefined"}}},
        {"gear",
         [](qint64 code) { return requiredGear(with(&UWP::atmosphere, code)); },
         {{-1, "Undefined"},
          {8, "\u2013"},
          {14, "Air Supply/Vacc Suit"},
          {15, "Vacc Suit"},
          {16, "Undefined"}}},
        {"hydrographics",
         hydrographicsDescription,
         {{-1, "Undefined"}, {0, "Desert world (0%-5%)"}, {10, "Water world (96%-100%)"}, {11, "Undefined"}}},
        {"law level",
         lawLevelDescription,
         {{kMin, "Extreme"},
          {0, "No Law. No prohibitions."},
          {2, "Low Law. Prohibition of \u201CPortable\u201D Weapons."},
          {18, "Extreme Law. Routine oppression."},
          {kMax, "Extreme"}}},
        {"population", populationDescription, {{-1, "Undefined"}, {15, "Quadrillions"}, {16, "Undefined"}}},
        {"government",
         [](qint64 code) { return governmentLongDescription(with(&UWP::government, code)); },
         {{-1, "Undefined"}, {13, "Religious Dictatorship. Rule by prophets."}, {16, "Undefined"}}},
        {"government type", governmentDescription, {{15, "Totalitarian Oligarchy"}, {16, "Undefined"}}}};
    return all;
}

class UWPDescriptionsTest : public ::testing::Test
{
protected:
    void SetUp() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    void TearDown() override { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
};

} // namespace

TEST_F(UWPDescriptionsTest, EndsOddEntriesAndFallbacksOfEveryTable)
{
    for (const DescriptionTable &table : tables()) {
        for (const auto &[code, text] : table.rows)
            EXPECT_EQ(table.describe(code), QString::fromUtf8(text)) << table.name << " " << code;
    }
}

TEST_F(UWPDescriptionsTest, SurfaceGravityAndPopulationFollowTheLocale)
{
    const std::tuple<qint64, double, const char *> gravities[] = {
        {0, 5.0, "Negligible"}, {8, 1.0, "1.00"},      {1, 1.0, "0.13"}, {16, 1.5, "3.00"},
        {17, 1.0, "Varies"},    {kMax, 1.0, "Varies"}, {-1, 1.0, "0.00"}};
    for (const auto &[size, density, text] : gravities)
        EXPECT_EQ(surfaceGravity(with(&UWP::size, size, density)), QString::fromUtf8(text)) << size;

    const std::tuple<qint64, qint64, const char *> populations[] = {
        {-3, 5, "0"}, {1, 0, "10"}, {3, 4, "4K"}, {8, 21, "2.1B"}, {40, 9, "9,223,372T"}};
    for (const auto &[population, multiplier, text] : populations) {
        UWP uwp = with(&UWP::population, population);
        uwp.populationMultiplier = multiplier;
        EXPECT_EQ(populationText(uwp), QString::fromUtf8(text)) << population;
    }

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(surfaceGravity(with(&UWP::size, 8)), QStringLiteral("1,00"));
}
