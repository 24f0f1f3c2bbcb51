#include "GeneratorOptions.h"

namespace {

TechnologyLevel defaultLevel(bool traveller)
{
    return traveller ? TechnologyLevel::ttl15 : TechnologyLevel::tl4;
}

} // namespace

void GeneratorOptions::switchScale(bool swn)
{
    swnTL = swn;
    maxTechLevel = defaultLevel(!swn);
}

void GeneratorOptions::followRules(bool travellerRules)
{
    swnTL = !travellerRules;
    const bool onTravellerScale = technologyLevelSystem(maxTechLevel) == TechnologyLevelSystem::traveller;
    if (onTravellerScale != travellerRules)
        maxTechLevel = defaultLevel(travellerRules);
}
