#include "VocabularyTestSupport.h"

#include "model/Base.h"
#include "model/Random.h"
#include "model/Starport.h"
#include "model/WorldType.h"

#include <gtest/gtest.h>

#include <QList>

#include <cmath>

using namespace vocabulary_test;

namespace {

struct StarportCase
{
    Starport value;
    const char *raw;
    const char *code;
};
const StarportCase kStarports[] = {
    {Starport::typeA, "Excellent", "A"},  {Starport::typeB, "Good", "B"},
    {Starport::typeC, "Routine", "C"},    {Starport::typeD, "Poor", "D"},
    {Starport::typeE, "Frontier", "E"},   {Starport::typeX, "None", "X"},
    {Starport::typeF, "Good (Sp)", "F"},  {Starport::typeG, "Poor (Sp)", "G"},
    {Starport::typeH, "Basic (Sp)", "H"}, {Starport::typeY, "None (Sp)", "Y"},
};

struct BaseCase
{
    Base value;
    const char *raw;
    const char *name;
    const char *symbol;
};
const BaseCase kBases[] = {
    {Base::corsairBase, "C", "Corsair Base", "▽"},
    {Base::navalDepot, "D", "Naval Depot", "■"},
    {Base::embassy, "E", "Embassy", "□"},
    {Base::navalBase, "K", "Naval Base", "☆"},
    {Base::militaryBase, "M", "Military Base", "◆"},
    {Base::imperialNavalBase, "N", "Imperial Naval Base", "★"},
    {Base::clanBase, "R", "Clan Base", "⬡"},
    {Base::scoutBase, "S", "Scout Base", "▲"},
    {Base::tlaukhuBase, "T", "Tlaukhu Base", "⬠"},
    {Base::explorationBase, "V", "Exploration Base", "△"},
    {Base::wayStation, "W", "Way Station", "▲ red"},
};

struct WorldTypeCase
{
    WorldType value;
    const char *raw;
    const char *description;
};
const WorldTypeCase kWorldTypes[] = {
    {WorldType::planet, "planet", "Planet"},
    {WorldType::closeSatelliteGG, "Close satellite orbiting a GG", "Satellite (C. GG)"},
    {WorldType::closeSatelliteP, "Close satellite orbiting a planet", "Satellite (C. planet)"},
    {WorldType::farSatelliteGG, "Far satellite orbiting a GG", "Satellite (F. GG)"},
    {WorldType::farSatelliteP, "Far satellite orbiting a planet", "Satellite (F. planet)"},
    {WorldType::asteroidBelt, "Asteroid belt", "Asteroid belt"},
    {WorldType::planetoidBelt, "Planetoid belt", "Planetoid belt"},
    {WorldType::iceworld, "iceworld", "Ice world"},
    {WorldType::radWorld, "radWorld", "Radiation world"},
    {WorldType::inferno, "inferno", "Inferno"},
    {WorldType::bigWorld, "bigWorld", "Big world"},
    {WorldType::worldlet, "worldlet", "Worldlet"},
    {WorldType::innerWorld, "innerWorld", "Inner world"},
    {WorldType::stormWorld, "stormWorld", "Storm world"},
    {WorldType::smallGasGiant, "Small Gas Giant", "Small gas giant"},
    {WorldType::largeGasGiant, "Large Gas Giant", "Large gas giant"},
    {WorldType::iceGiant, "Ice Giant", "Ice giant"},
};

TEST(WorldVocabularyTest, StarportsStoreTheQualityAndShowTheLetter)
{
    expectCasesAndRawValues<Starport>(kStarports);
    for (const auto &row : kStarports) {
        EXPECT_EQ(code(row.value), text(row.code));
        EXPECT_EQ(starportFromCode(text(row.code)), row.value);
    }
    expectRejected<Starport>({"A", "excellent", "None(Sp)", ""});
    EXPECT_EQ(starportFromCode(u"a"), std::nullopt);
    EXPECT_EQ(starportFromCode(u"Excellent"), std::nullopt);
    EXPECT_EQ(starportFromCode(u""), std::nullopt);
    EXPECT_EQ(starportFromCode(u"Z"), std::nullopt);
}

TEST(WorldVocabularyTest, BasesWithNamesAndReferenceSymbols)
{
    expectCasesAndRawValues<Base>(kBases);
    for (const auto &row : kBases) {
        EXPECT_EQ(name(row.value), text(row.name));
        EXPECT_EQ(referenceSymbol(row.value), text(row.symbol));
    }
    // The symbols are single characters, except the way station's.
    EXPECT_EQ(referenceSymbol(Base::clanBase), QString(QChar(0x2B21)));
    EXPECT_EQ(referenceSymbol(Base::wayStation), QString(QChar(0x25B2)) + text(" red"));
    expectRejected<Base>({"Naval Base", "n", "Q", "NS"});
}

TEST(WorldVocabularyTest, WorldTypesStoreTheirRawValuesAsTheyStand)
{
    expectCasesAndRawValues<WorldType>(kWorldTypes);
    for (const auto &row : kWorldTypes)
        EXPECT_EQ(description(row.value), text(row.description));
    expectRejected<WorldType>({"Planet", "ice giant", "Ice world", "closeSatelliteGG"});
}

struct DensityCase
{
    WorldType type;
    double lowest;
    double highest;
};
const DensityCase kDensities[] = {
    {WorldType::planet, 0.85, 1.05},        {WorldType::closeSatelliteGG, 0.8, 1.0},
    {WorldType::closeSatelliteP, 0.8, 1.0}, {WorldType::farSatelliteGG, 0.8, 1.0},
    {WorldType::farSatelliteP, 0.8, 1.0},   {WorldType::asteroidBelt, 0.5, 0.5},
    {WorldType::planetoidBelt, 0.5, 0.5},   {WorldType::iceworld, 0.4, 0.6},
    {WorldType::radWorld, 0.95, 1.15},      {WorldType::inferno, 0.9, 1.1},
    {WorldType::innerWorld, 0.9, 1.1},      {WorldType::stormWorld, 0.9, 1.1},
    {WorldType::bigWorld, 0.95, 1.25},      {WorldType::worldlet, 0.5, 0.7},
    {WorldType::smallGasGiant, 0.15, 0.25}, {WorldType::largeGasGiant, 0.2, 0.3},
    {WorldType::iceGiant, 0.25, 0.35},
};

// Options every 0.05 from the lowest to the highest, by counting rather than adding.
QList<double> everyFiveHundredths(double lowest, double highest)
{
    QList<double> options;
    const int steps = static_cast<int>(std::lround((highest - lowest) / 0.05));
    for (int i = 0; i <= steps; ++i)
        options.append(std::lround((lowest + i * 0.05) * 100.0) / 100.0);
    return options;
}

TEST(WorldVocabularyTest, DensityOptionsRunFromLowestToHighest)
{
    ASSERT_EQ(std::size(kDensities), allCases<WorldType>().size());
    for (const auto &row : kDensities) {
        SCOPED_TRACE(rawValue(row.type).toStdString());
        EXPECT_EQ(densityOptions(row.type, 0.05), everyFiveHundredths(row.lowest, row.highest));
    }
    EXPECT_EQ(densityOptions(WorldType::asteroidBelt, 0.05), QList<double>{0.5});
    EXPECT_EQ(densityOptions(WorldType::iceworld, 0.05), (QList<double>{0.4, 0.45, 0.5, 0.55, 0.6}));
    EXPECT_EQ(densityOptions(WorldType::planet, 0.1), (QList<double>{0.85, 0.95, 1.05}));
}

TEST(WorldVocabularyTest, DensityOptionsWithAStepThatDoesNotAdvanceEnd)
{
    EXPECT_EQ(densityOptions(WorldType::planet, 0.0), QList<double>{0.85});
    EXPECT_EQ(densityOptions(WorldType::planet, -0.05), QList<double>{0.85});
    EXPECT_EQ(densityOptions(WorldType::planet, std::nan("")), QList<double>{0.85});
}

// Scripts the dice: each draw below 6 returns the next die face minus one.
class ScriptedDice : public RandomSource
{
public:
    explicit ScriptedDice(QList<int> faces) : m_faces(std::move(faces)) {}
    quint64 next64() override { return 0; }
    qint64 below(qint64 bound) override
    {
        EXPECT_EQ(bound, 6);
        EXPECT_FALSE(m_faces.isEmpty());
        return m_faces.isEmpty() ? 0 : m_faces.takeFirst() - 1;
    }
    bool exhausted() const { return m_faces.isEmpty(); }

private:
    QList<int> m_faces;
};

TEST(WorldVocabularyTest, RandomDensityMovesByAFifthOfTheSpreadPerFluxPoint)
{
    const struct
    {
        WorldType type;
        int first;
        int second;
        double density;
    } cases[] = {
        {WorldType::planet, 6, 1, 1.05},        {WorldType::planet, 1, 6, 0.85},
        {WorldType::planet, 3, 3, 0.95},        {WorldType::smallGasGiant, 4, 2, 0.22},
        {WorldType::smallGasGiant, 1, 6, 0.15}, {WorldType::bigWorld, 5, 2, 1.19},
        {WorldType::planetoidBelt, 6, 1, 0.5},  {WorldType::asteroidBelt, 1, 6, 0.5},
        {WorldType::iceworld, 2, 6, 0.42},
    };
    for (const auto &c : cases) {
        ScriptedDice dice({c.first, c.second});
        ScopedRandomSource scope(dice);
        EXPECT_NEAR(randomDensity(c.type), c.density, 1e-12) << rawValue(c.type).toStdString();
        EXPECT_TRUE(dice.exhausted());
    }
}

} // namespace
