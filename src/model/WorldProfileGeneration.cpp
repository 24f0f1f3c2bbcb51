#include "WorldProfileGeneration.h"

#include "Random.h"

#include <QtGlobal>

#include <algorithm>
#include <array>

namespace {

struct GasGiantSizeRow
{
    qint64 size;
    qint64 miles;
    const char *classText;
    double gravity;
};

// The classes of size codes 21 to 31, in order; smaller and larger codes share one
// class each (see gasGiantSizeClass()).
constexpr std::array<GasGiantSizeRow, 11> kGasGiantSizes{{
    {21, 30000, "Neptune", 1.2},
    {22, 40000, "", 1.2},
    {23, 50000, "", 1.3},
    {24, 60000, "", 1.4},
    {25, 70000, "Saturn", 1.2},
    {26, 80000, "", 1.5},
    {27, 90000, "Jupiter", 2.5},
    {28, 125000, "2 Mj", 2.6},
    {29, 180000, "4 Mj", 2.5},
    {30, 220000, "6 Mj", 2.5},
    {31, 250000, "8 Mj", 2.6},
}};

// The modifiers a world's profile gives its tech-level die.
int techLevelModifier(Starport starport, qint64 size, qint64 atmosphere, qint64 hydrographics,
                      qint64 population, qint64 government)
{
    int modifier = 0;
    switch (starport) {
    case Starport::typeA: modifier += 6; break;
    case Starport::typeB: modifier += 4; break;
    case Starport::typeC: modifier += 2; break;
    case Starport::typeX: modifier -= 4; break;
    default: break;
    }
    if (size == 0 || size == 1)
        modifier += 2;
    else if (size >= 2 && size <= 4)
        modifier += 1;
    if ((atmosphere >= 0 && atmosphere <= 3) || atmosphere >= 10)
        modifier += 1;
    if (hydrographics == 9)
        modifier += 1;
    else if (hydrographics == 10)
        modifier += 2;
    if (population <= 5)
        modifier += 1;
    else if (population == 9)
        modifier += 2;
    else if (population >= 10)
        modifier += 4;
    if (government == 0 || government == 5)
        modifier += 1;
    else if (government == 13)
        modifier -= 2;
    return modifier;
}

// The coarse scale's level for a die total.
TechnologyLevel swnTechLevel(int total)
{
    if (total <= 0)
        return TechnologyLevel::tl0;
    if (total <= 2)
        return TechnologyLevel::tl1;
    if (total <= 9)
        return TechnologyLevel::tl2;
    if (total == 10)
        return TechnologyLevel::tl3;
    if (total <= 15)
        return TechnologyLevel::tl4;
    if (total <= 18)
        return TechnologyLevel::tl5;
    return TechnologyLevel::tl6;
}

bool usesTravellerLevels(TechnologyLevel level)
{
    return technologyLevelSystem(level) == TechnologyLevelSystem::traveller;
}

// Population 0 and everything that follows from it.
void makeUnpopulated(UWP &uwp, TechnologyLevel maxTechLevel)
{
    uwp.population = 0;
    uwp.government = 0;
    uwp.lawLevel = 0;
    uwp.starport = Starport::typeY;
    uwp.techLevel = lowestTechLevel(maxTechLevel);
    uwp.populationMultiplier = 0;
}

// Government, law, spaceport, tech level and multiplier of a world whose population
// is set; an unpopulated world gets none of them.
void applyPopulatedRule(UWP &uwp, TechnologyLevel maxTechLevel, bool randomTL)
{
    if (uwp.population < 1) {
        makeUnpopulated(uwp, maxTechLevel);
        return;
    }
    uwp.government = std::clamp<qint64>(rollFlux() + uwp.population, 0, 15);
    uwp.lawLevel = std::clamp<qint64>(rollFlux() + uwp.government, 0, 18);
    uwp.starport = rollSpaceport(uwp.population);
    uwp.techLevel = rollTechLevel(uwp.starport, uwp.size, uwp.atmosphere, uwp.hydrographics, uwp.population,
                                  uwp.government, maxTechLevel, randomTL);
    uwp.populationMultiplier = randomBelow(9) + 1;
}

qint64 standardAtmosphere(qint64 size)
{
    if (size == 0)
        return 0;
    return std::clamp<qint64>(rollFlux() + size, 0, 15);
}

// How a kind's population is decided.
enum class PopulationForm { populated, secondary, none };

} // namespace

GasGiantSizeClass gasGiantSizeClass(qint64 size)
{
    if (size < 21)
        return {20000, QString(), 1.1};
    if (size > 31)
        return {350000, QStringLiteral(">10 Mj"), 2.4};
    const GasGiantSizeRow &row = kGasGiantSizes[static_cast<std::size_t>(size - 21)];
    return {row.miles, QString::fromUtf8(row.classText), row.gravity};
}

StarportAndBases rollStarportAndBases()
{
    // Per starport: the highest naval-base and scout-base rolls that succeed (0: none).
    struct Row
    {
        int highestRoll;
        Starport starport;
        int naval;
        int scout;
    };
    static constexpr std::array<Row, 6> kRows{{
        {4, Starport::typeA, 6, 4},
        {6, Starport::typeB, 5, 5},
        {8, Starport::typeC, 0, 6},
        {9, Starport::typeD, 0, 7},
        {11, Starport::typeE, 0, 0},
        {12, Starport::typeX, 0, 0},
    }};
    const int roll = roll2D();
    const Row &row =
        *std::find_if(kRows.begin(), kRows.end(), [roll](const Row &r) { return roll <= r.highestRoll; });
    StarportAndBases result;
    result.starport = row.starport;
    if (row.naval > 0 && roll2D() <= row.naval)
        result.bases.insert(Base::imperialNavalBase);
    if (row.scout > 0 && roll2D() <= row.scout)
        result.bases.insert(Base::scoutBase);
    return result;
}

qint64 rollWorldSize()
{
    const qint64 size = roll2D() - 2;
    return size == 10 ? rollD6() + 9 : size;
}

qint64 rollHydrographics(qint64 size, qint64 atmosphere)
{
    const int flux = rollFlux();
    if (size == 0 || size == 1)
        return 0;
    const qint64 value = atmosphere >= 2 && atmosphere <= 9 ? flux + atmosphere : flux + atmosphere - 4;
    return std::clamp<qint64>(value, 0, 10);
}

TechnologyLevel lowestTechLevel(TechnologyLevel maxTechLevel)
{
    return usesTravellerLevels(maxTechLevel) ? TechnologyLevel::ttl0 : TechnologyLevel::tl0;
}

TechnologyLevel cappedTechLevel(TechnologyLevel rolled, TechnologyLevel maxTechLevel)
{
    return static_cast<int>(maxTechLevel) < static_cast<int>(rolled) ? maxTechLevel : rolled;
}

TechnologyLevel rollTechLevel(Starport starport, qint64 size, qint64 atmosphere, qint64 hydrographics,
                              qint64 population, qint64 government, TechnologyLevel maxTechLevel,
                              bool randomTL)
{
    if (!randomTL)
        return maxTechLevel;
    const int total =
        rollD6() + techLevelModifier(starport, size, atmosphere, hydrographics, population, government);
    TechnologyLevel rolled;
    if (usesTravellerLevels(maxTechLevel))
        rolled = static_cast<TechnologyLevel>(static_cast<int>(TechnologyLevel::ttl0) + qBound(0, total, 22));
    else
        rolled = swnTechLevel(total);
    return cappedTechLevel(rolled, maxTechLevel);
}

qint64 rollPopulation(qint64 atmosphere, qint64 hydrographics, bool mainWorld)
{
    if (mainWorld) {
        const qint64 roll = roll2D();
        return roll == 12 ? 12 + randomBelow(4) : roll;
    }
    static constexpr std::array<qint64, 6> kThinOrExotic{2, 4, 7, 9, 11, 12};
    const bool thin =
        std::find(kThinOrExotic.begin(), kThinOrExotic.end(), atmosphere) != kThinOrExotic.end();
    qint64 population = roll2D() - (thin ? 4 : 2);
    if (hydrographics <= 0)
        population -= 1;
    return std::max<qint64>(population, 0);
}

Starport rollSpaceport(qint64 population)
{
    const qint64 d = population - rollD6();
    if (d < 1)
        return Starport::typeY;
    if (d <= 2)
        return Starport::typeH;
    if (d == 3)
        return Starport::typeG;
    return Starport::typeF;
}

UWP generateSecondaryWorldProfile(qint64 size, qint64 atmosphere, qint64 hydrographics,
                                  qint64 populationModifier, qint64 maxPopulation,
                                  TechnologyLevel maxTechLevel, bool randomTL, WorldType kind)
{
    UWP uwp;
    uwp.size = size;
    uwp.atmosphere = atmosphere;
    uwp.hydrographics = hydrographics;
    uwp.population =
        std::min(maxPopulation, rollPopulation(atmosphere, hydrographics, false) + populationModifier);
    applyPopulatedRule(uwp, maxTechLevel, randomTL);
    uwp.density = randomDensity(kind);
    return uwp;
}

UWP generateWorldProfile(WorldType kind, qint64 maxPopulation, bool randomTL, TechnologyLevel maxTechLevel,
                         qint64 maxSize, bool noSizeCap)
{
    // A size never falls below 0, whatever limit the caller passes.
    const auto capped = [&](qint64 size) {
        return noSizeCap ? size : std::max<qint64>(0, std::min(size, maxSize));
    };

    qint64 size = 0;
    qint64 atmosphere = 0;
    qint64 hydrographics = 0;
    PopulationForm form = PopulationForm::secondary;
    qint64 modifier = 0;

    switch (kind) {
    case WorldType::asteroidBelt:
    case WorldType::planetoidBelt: break;
    case WorldType::stormWorld:
        size = capped(roll2D());
        atmosphere = size == 0 ? 4 : std::min<qint64>(4 + standardAtmosphere(size), 15);
        hydrographics = std::max<qint64>(rollHydrographics(size, atmosphere) - 4, 0);
        modifier = -4;
        break;
    case WorldType::inferno:
        size = capped(rollD6() + 6);
        atmosphere = 11;
        form = PopulationForm::none;
        break;
    default: {
        switch (kind) {
        case WorldType::bigWorld: size = capped(roll2D() + 7); break;
        case WorldType::worldlet: size = capped(randomBelow(3) + 1); break;
        case WorldType::radWorld: size = capped(roll2D()); break;
        default: size = capped(rollWorldSize()); break;
        }
        atmosphere = standardAtmosphere(size);
        hydrographics = rollHydrographics(size, atmosphere);
        switch (kind) {
        case WorldType::planet:
        case WorldType::bigWorld: form = PopulationForm::populated; break;
        case WorldType::innerWorld:
            hydrographics = std::max<qint64>(hydrographics - 4, 0);
            form = PopulationForm::populated;
            modifier = -4;
            break;
        case WorldType::iceworld: modifier = -6; break;
        case WorldType::radWorld: form = PopulationForm::none; break;
        default: break;
        }
        break;
    }
    }

    if (form == PopulationForm::secondary)
        return generateSecondaryWorldProfile(size, atmosphere, hydrographics, modifier, maxPopulation,
                                             maxTechLevel, randomTL, kind);

    UWP uwp;
    uwp.size = size;
    uwp.atmosphere = atmosphere;
    uwp.hydrographics = hydrographics;
    if (form == PopulationForm::populated) {
        uwp.population = std::min(maxPopulation, rollPopulation(atmosphere, hydrographics, false) + modifier);
        applyPopulatedRule(uwp, maxTechLevel, randomTL);
    } else {
        makeUnpopulated(uwp, maxTechLevel);
    }
    uwp.density = randomDensity(kind);
    return uwp;
}
