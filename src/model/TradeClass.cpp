#include "TradeClass.h"

#include "UWP.h"

#include <initializer_list>

namespace {

bool within(qint64 value, qint64 low, qint64 high)
{
    return value >= low && value <= high;
}

bool oneOf(qint64 value, std::initializer_list<qint64> codes)
{
    for (const qint64 code : codes) {
        if (value == code)
            return true;
    }
    return false;
}

std::optional<TradeClass> populationClass(qint64 population, TechnologyLevel techLevel)
{
    if (population == 0)
        return techLevel == TechnologyLevel::tl0 ? TradeClass::barren : TradeClass::dieback;
    if (within(population, 1, 3))
        return TradeClass::lowPopulation;
    if (within(population, 4, 6))
        return TradeClass::nonIndustrial;
    if (population == 8)
        return TradeClass::preHighPopulation;
    if (population >= 9)
        return TradeClass::highPopulation;
    return std::nullopt;
}

bool isLowTechnology(TechnologyLevel level)
{
    if (technologyLevelSystem(level) == TechnologyLevelSystem::traveller)
        return numericValue(level) <= 5;
    return level == TechnologyLevel::tl0;
}

bool isHighTechnology(TechnologyLevel level)
{
    if (technologyLevelSystem(level) == TechnologyLevelSystem::traveller)
        return numericValue(level) >= 12;
    return level == TechnologyLevel::tl6;
}

std::optional<TradeClass> climateClass(const UWP &uwp, int climateZone)
{
    if (climateZone == 7)
        return std::nullopt;
    const auto zoneClass = climateTradeClass(climateZone);
    // A frozen world needs some size and some water to count as frozen.
    if (zoneClass == TradeClass::frozen && !(within(uwp.size, 2, 9) && uwp.hydrographics >= 1))
        return std::nullopt;
    return zoneClass;
}

} // namespace

std::optional<TradeClass> climateTradeClass(int climateZone)
{
    switch (climateZone) {
    case 0: return TradeClass::twilightZone;
    case 1: return TradeClass::hot;
    case 2: return TradeClass::tropic;
    case 4: return TradeClass::tundra;
    case 5: return TradeClass::cold;
    case 6: return TradeClass::frozen;
    default: return std::nullopt;
    }
}

QList<TradeClass> tradeClasses(const UWP &uwp, int climateZone, bool tideLocked)
{
    const qint64 s = uwp.size;
    const qint64 a = uwp.atmosphere;
    const qint64 h = uwp.hydrographics;
    const qint64 p = uwp.population;
    const qint64 g = uwp.government;
    const TechnologyLevel t = uwp.techLevel;

    auto when = [](bool holds, TradeClass tradeClass) -> std::optional<TradeClass> {
        return holds ? std::optional<TradeClass>(tradeClass) : std::nullopt;
    };
    // Every rule in the order its class is listed; each gives its class or nothing.
    const std::optional<TradeClass> rules[] = {
        when(s == 0, TradeClass::asteroid),
        when(within(a, 2, 9) && h == 0, TradeClass::desert),
        when(within(a, 10, 12) && h >= 1, TradeClass::fluidOceans),
        when(within(s, 6, 8) && oneOf(a, {5, 6, 8}) && within(h, 5, 7), TradeClass::garden),
        when(s >= 3 && oneOf(a, {2, 4, 7, 9, 10, 11, 12}) && within(h, 0, 2), TradeClass::hellworld),
        when(oneOf(a, {0, 1}) && h >= 1, TradeClass::iceCapped),
        when(s >= 10 && h == 10, TradeClass::ocean),
        when(a == 0, TradeClass::vacuum),
        when(within(s, 3, 9) && within(a, 3, 9) && h == 10, TradeClass::water),
        populationClass(p, t),
        when(within(a, 4, 9) && within(h, 4, 8) && oneOf(p, {4, 8}), TradeClass::preAgricultural),
        when(within(a, 4, 9) && within(h, 4, 8) && within(p, 5, 7), TradeClass::agricultural),
        when(a <= 3 && h <= 3 && p >= 6, TradeClass::nonAgricultural),
        when(oneOf(a, {0, 1, 2, 4, 7, 9}) && oneOf(p, {7, 8}), TradeClass::preIndustrial),
        when(oneOf(a, {0, 1, 2, 4, 7, 9, 10, 11, 12}) && p >= 9, TradeClass::industrial),
        when(within(a, 2, 5) && h <= 3, TradeClass::poor),
        when(oneOf(a, {6, 8}) && oneOf(p, {5, 9}), TradeClass::preRich),
        when(oneOf(a, {6, 8}) && within(p, 6, 8) && within(g, 4, 9), TradeClass::rich),
        when(isLowTechnology(t), TradeClass::lowTechnology),
        when(isHighTechnology(t), TradeClass::highTechnology),
        climateClass(uwp, climateZone),
        when(tideLocked, TradeClass::locked),
    };

    QList<TradeClass> classes;
    for (const auto &rule : rules) {
        if (rule)
            classes.append(*rule);
    }
    return classes;
}
