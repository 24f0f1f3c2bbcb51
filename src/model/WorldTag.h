#pragma once

#include "model/WorldTagCategory.h"
#include "json/EnumTable.h"

#include <QList>
#include <QString>

#include <array>

// Story hooks a referee attaches to a world: 127 hooks such as "civil-war" and the
// 17 government types. Files store the raw value; the case order is the order of
// allCases(), and each tag belongs to exactly one category.
enum class WorldTag {
    abandonedColony,
    alienRuins,
    alteredHumanity,
    anarchists,
    anthropomorphs,
    area51,
    badlandsWorld,
    battleground,
    beastmasters,
    bubbleCities,
    cheapLife,
    civilWar,
    colonizedPopulation,
    culturalPower,
    cybercommunists,
    cyborgs,
    cyclicalDoom,
    desertWorld,
    doomedWorld,
    dyingRace,
    eugenicCult,
    exchangeConsulate,
    fallenHegemon,
    feralWorld,
    flyingCities,
    forbiddenTech,
    formerWarriors,
    freakWeather,
    friendlyFoe,
    goldRush,
    greatWork,
    hatred,
    heavyIndustry,
    heavyMining,
    hivemind,
    holyWar,
    hostileBiosphere,
    hostileSpace,
    immortals,
    localSpecialty,
    localTech,
    majorSpaceyard,
    mandarinate,
    mandateBase,
    maneaters,
    megacorps,
    mercenaries,
    minimalContact,
    misandryMisogyny,
    nightWorld,
    nomads,
    oceanicWorld,
    outOfContact,
    outpostWorld,
    perimeterAgency,
    pilgrimageSite,
    pleasureWorld,
    policeState,
    postScarcity,
    preceptorArchive,
    pretechCultists,
    primitiveAliens,
    prisonPlanet,
    psionicsAcademy,
    psionicsFear,
    psionicsWorship,
    quarantinedWorld,
    radioactiveWorld,
    refugees,
    regionalHegemon,
    restrictiveLaws,
    revanchists,
    revolutionaries,
    rigidCulture,
    risingHegemon,
    ritualCombat,
    robots,
    seagoingCities,
    sealedMenace,
    secretMasters,
    sectarians,
    seismicInstability,
    shackledWorld,
    societalDespair,
    soleSuplier,
    tabooTreasure,
    terraformFailure,
    theocracy,
    tombWorld,
    tradeHub,
    tyranny,
    unbrakedAI,
    urbanizedSurface,
    utopia,
    warlords,
    xenophobes,
    zombies,
    plague,
    amberZone,
    redZone,
    slfSCC,
    satharSCC,
    satharBase,
    satharHW,
    lostWorld,
    ancientSite,
    sophontHomeworld,
    sophontMinority,
    sophontMajority,
    multispeciesWorld,
    clientState,
    puppetState,
    frontierWorld,
    contestedWorld,
    corporateEnclave,
    casteSociety,
    highport,
    tasFacility,
    refuelingStop,
    startown,
    freeport,
    ruinedWorld,
    derelictFleet,
    crashedStarship,
    hauntedWorld,
    ringSystem,
    twinWorld,
    gov0,
    gov1,
    gov2,
    gov3,
    gov4,
    gov5,
    gov6,
    gov7,
    gov8,
    gov9,
    gov10,
    gov11,
    gov12,
    gov13,
    gov14,
    gov15,
    reserved,
};

struct WorldTagRow
{
    WorldTag value;
    const char *raw;
    WorldTagCategory category;
};

// clang-format off
inline constexpr std::array<WorldTagRow, 144> kWorldTags{{
    {WorldTag::abandonedColony, "abandoned-colony", WorldTagCategory::economyTech},
    {WorldTag::alienRuins, "alien-ruins", WorldTagCategory::mystery},
    {WorldTag::alteredHumanity, "altered-humanity", WorldTagCategory::people},
    {WorldTag::anarchists, "anarchists", WorldTagCategory::society},
    {WorldTag::anthropomorphs, "anthropomorphs", WorldTagCategory::people},
    {WorldTag::area51, "area-51", WorldTagCategory::mystery},
    {WorldTag::badlandsWorld, "badlands-world", WorldTagCategory::environment},
    {WorldTag::battleground, "battleground", WorldTagCategory::powerConflict},
    {WorldTag::beastmasters, "beastmasters", WorldTagCategory::people},
    {WorldTag::bubbleCities, "bubble-cities", WorldTagCategory::environment},
    {WorldTag::cheapLife, "cheap-life", WorldTagCategory::society},
    {WorldTag::civilWar, "civil-war", WorldTagCategory::powerConflict},
    {WorldTag::colonizedPopulation, "colonized-population", WorldTagCategory::society},
    {WorldTag::culturalPower, "cultural-power", WorldTagCategory::society},
    {WorldTag::cybercommunists, "cybercommunists", WorldTagCategory::society},
    {WorldTag::cyborgs, "cyborgs", WorldTagCategory::people},
    {WorldTag::cyclicalDoom, "cyclical-doom", WorldTagCategory::environment},
    {WorldTag::desertWorld, "desert-world", WorldTagCategory::environment},
    {WorldTag::doomedWorld, "doomed-world", WorldTagCategory::environment},
    {WorldTag::dyingRace, "dying-race", WorldTagCategory::people},
    {WorldTag::eugenicCult, "eugenic-cult", WorldTagCategory::society},
    {WorldTag::exchangeConsulate, "exchange-consulate", WorldTagCategory::mystery},
    {WorldTag::fallenHegemon, "fallen-hegemon", WorldTagCategory::powerConflict},
    {WorldTag::feralWorld, "feral-world", WorldTagCategory::economyTech},
    {WorldTag::flyingCities, "flying-cities", WorldTagCategory::environment},
    {WorldTag::forbiddenTech, "forbidden-tech", WorldTagCategory::economyTech},
    {WorldTag::formerWarriors, "former-warriors", WorldTagCategory::powerConflict},
    {WorldTag::freakWeather, "freak-weather", WorldTagCategory::environment},
    {WorldTag::friendlyFoe, "friendly-foe", WorldTagCategory::powerConflict},
    {WorldTag::goldRush, "gold-rush", WorldTagCategory::economyTech},
    {WorldTag::greatWork, "great-work", WorldTagCategory::economyTech},
    {WorldTag::hatred, "hatred", WorldTagCategory::powerConflict},
    {WorldTag::heavyIndustry, "heavy-industry", WorldTagCategory::economyTech},
    {WorldTag::heavyMining, "heavy-mining", WorldTagCategory::economyTech},
    {WorldTag::hivemind, "hivemind", WorldTagCategory::people},
    {WorldTag::holyWar, "holy-war", WorldTagCategory::powerConflict},
    {WorldTag::hostileBiosphere, "hostile-biosphere", WorldTagCategory::environment},
    {WorldTag::hostileSpace, "hostile-space", WorldTagCategory::environment},
    {WorldTag::immortals, "immortals", WorldTagCategory::people},
    {WorldTag::localSpecialty, "local-specialty", WorldTagCategory::economyTech},
    {WorldTag::localTech, "local-tech", WorldTagCategory::economyTech},
    {WorldTag::majorSpaceyard, "major-spaceyard", WorldTagCategory::economyTech},
    {WorldTag::mandarinate, "mandarinate", WorldTagCategory::society},
    {WorldTag::mandateBase, "mandate-base", WorldTagCategory::mystery},
    {WorldTag::maneaters, "maneaters", WorldTagCategory::people},
    {WorldTag::megacorps, "megacorps", WorldTagCategory::economyTech},
    {WorldTag::mercenaries, "mercenaries", WorldTagCategory::powerConflict},
    {WorldTag::minimalContact, "minimal-contact", WorldTagCategory::powerConflict},
    {WorldTag::misandryMisogyny, "misandry-misogyny", WorldTagCategory::society},
    {WorldTag::nightWorld, "night-world", WorldTagCategory::environment},
    {WorldTag::nomads, "nomads", WorldTagCategory::people},
    {WorldTag::oceanicWorld, "oceanic-world", WorldTagCategory::environment},
    {WorldTag::outOfContact, "out-of-contact", WorldTagCategory::powerConflict},
    {WorldTag::outpostWorld, "outpost-world", WorldTagCategory::economyTech},
    {WorldTag::perimeterAgency, "perimeter-agency", WorldTagCategory::mystery},
    {WorldTag::pilgrimageSite, "pilgrimage-site", WorldTagCategory::mystery},
    {WorldTag::pleasureWorld, "pleasure-world", WorldTagCategory::society},
    {WorldTag::policeState, "police-state", WorldTagCategory::society},
    {WorldTag::postScarcity, "post-scarcity", WorldTagCategory::society},
    {WorldTag::preceptorArchive, "preceptor-archive", WorldTagCategory::mystery},
    {WorldTag::pretechCultists, "pretech-cultists", WorldTagCategory::society},
    {WorldTag::primitiveAliens, "primitive-aliens", WorldTagCategory::people},
    {WorldTag::prisonPlanet, "prison-planet", WorldTagCategory::powerConflict},
    {WorldTag::psionicsAcademy, "psionics-academy", WorldTagCategory::mystery},
    {WorldTag::psionicsFear, "psionics-fear", WorldTagCategory::society},
    {WorldTag::psionicsWorship, "psionics-worship", WorldTagCategory::society},
    {WorldTag::quarantinedWorld, "quarantined-world", WorldTagCategory::powerConflict},
    {WorldTag::radioactiveWorld, "radioactive-world", WorldTagCategory::environment},
    {WorldTag::refugees, "refugees", WorldTagCategory::people},
    {WorldTag::regionalHegemon, "regional-hegemon", WorldTagCategory::powerConflict},
    {WorldTag::restrictiveLaws, "restrictive-laws", WorldTagCategory::society},
    {WorldTag::revanchists, "revanchists", WorldTagCategory::powerConflict},
    {WorldTag::revolutionaries, "revolutionaries", WorldTagCategory::powerConflict},
    {WorldTag::rigidCulture, "rigid-culture", WorldTagCategory::society},
    {WorldTag::risingHegemon, "rising-hegemon", WorldTagCategory::powerConflict},
    {WorldTag::ritualCombat, "ritual-combat", WorldTagCategory::powerConflict},
    {WorldTag::robots, "robots", WorldTagCategory::people},
    {WorldTag::seagoingCities, "seagoing-cities", WorldTagCategory::environment},
    {WorldTag::sealedMenace, "sealed-menace", WorldTagCategory::mystery},
    {WorldTag::secretMasters, "secret-masters", WorldTagCategory::society},
    {WorldTag::sectarians, "sectarians", WorldTagCategory::society},
    {WorldTag::seismicInstability, "seismic-instability", WorldTagCategory::environment},
    {WorldTag::shackledWorld, "shackled-world", WorldTagCategory::society},
    {WorldTag::societalDespair, "societal-despair", WorldTagCategory::society},
    {WorldTag::soleSuplier, "sole-supplier", WorldTagCategory::economyTech},
    {WorldTag::tabooTreasure, "taboo-treasure", WorldTagCategory::mystery},
    {WorldTag::terraformFailure, "terraform-failure", WorldTagCategory::environment},
    {WorldTag::theocracy, "theocracy", WorldTagCategory::society},
    {WorldTag::tombWorld, "tomb-world", WorldTagCategory::environment},
    {WorldTag::tradeHub, "trade-hub", WorldTagCategory::economyTech},
    {WorldTag::tyranny, "tyranny", WorldTagCategory::society},
    {WorldTag::unbrakedAI, "unbraked-ai", WorldTagCategory::people},
    {WorldTag::urbanizedSurface, "urbanized-surface", WorldTagCategory::environment},
    {WorldTag::utopia, "utopia", WorldTagCategory::society},
    {WorldTag::warlords, "warlords", WorldTagCategory::powerConflict},
    {WorldTag::xenophobes, "xenophobes", WorldTagCategory::society},
    {WorldTag::zombies, "zombies", WorldTagCategory::people},
    {WorldTag::plague, "plague", WorldTagCategory::zone},
    {WorldTag::amberZone, "amber-zone", WorldTagCategory::zone},
    {WorldTag::redZone, "red-zone", WorldTagCategory::zone},
    {WorldTag::slfSCC, "slf-scc", WorldTagCategory::zone},
    {WorldTag::satharSCC, "sathar-scc", WorldTagCategory::zone},
    {WorldTag::satharBase, "sathar-base", WorldTagCategory::zone},
    {WorldTag::satharHW, "sathar-homeworld", WorldTagCategory::zone},
    {WorldTag::lostWorld, "lost-world", WorldTagCategory::economyTech},
    {WorldTag::ancientSite, "ancient-site", WorldTagCategory::mystery},
    {WorldTag::sophontHomeworld, "sophont-homeworld", WorldTagCategory::people},
    {WorldTag::sophontMinority, "sophont-minority", WorldTagCategory::people},
    {WorldTag::sophontMajority, "sophont-majority", WorldTagCategory::people},
    {WorldTag::multispeciesWorld, "multispecies-world", WorldTagCategory::people},
    {WorldTag::clientState, "client-state", WorldTagCategory::society},
    {WorldTag::puppetState, "puppet-state", WorldTagCategory::society},
    {WorldTag::frontierWorld, "frontier-world", WorldTagCategory::society},
    {WorldTag::contestedWorld, "contested-world", WorldTagCategory::society},
    {WorldTag::corporateEnclave, "corporate-enclave", WorldTagCategory::society},
    {WorldTag::casteSociety, "caste-society", WorldTagCategory::society},
    {WorldTag::highport, "highport", WorldTagCategory::economyTech},
    {WorldTag::tasFacility, "tas-facility", WorldTagCategory::economyTech},
    {WorldTag::refuelingStop, "refueling-stop", WorldTagCategory::economyTech},
    {WorldTag::startown, "startown", WorldTagCategory::economyTech},
    {WorldTag::freeport, "free-port", WorldTagCategory::economyTech},
    {WorldTag::ruinedWorld, "ruined-world", WorldTagCategory::mystery},
    {WorldTag::derelictFleet, "derelict-fleet", WorldTagCategory::mystery},
    {WorldTag::crashedStarship, "crashed-starship", WorldTagCategory::mystery},
    {WorldTag::hauntedWorld, "haunted-world", WorldTagCategory::mystery},
    {WorldTag::ringSystem, "ring-system", WorldTagCategory::environment},
    {WorldTag::twinWorld, "twin-world", WorldTagCategory::environment},
    {WorldTag::gov0, "No Government", WorldTagCategory::government},
    {WorldTag::gov1, "Governed by corporation", WorldTagCategory::government},
    {WorldTag::gov2, "Participating democracy", WorldTagCategory::government},
    {WorldTag::gov3, "Self-Perpetuating Oligarchy", WorldTagCategory::government},
    {WorldTag::gov4, "Representative Democracy", WorldTagCategory::government},
    {WorldTag::gov5, "Feudal Technocracy", WorldTagCategory::government},
    {WorldTag::gov6, "Captive Government/Colony", WorldTagCategory::government},
    {WorldTag::gov7, "Balkanization", WorldTagCategory::government},
    {WorldTag::gov8, "Civil Service Bureaucracy", WorldTagCategory::government},
    {WorldTag::gov9, "Impersonal Bureaucracy", WorldTagCategory::government},
    {WorldTag::gov10, "Charismatic Dictatorship", WorldTagCategory::government},
    {WorldTag::gov11, "Non-Charismatic Dictatorship", WorldTagCategory::government},
    {WorldTag::gov12, "Charismatic Oligarchy", WorldTagCategory::government},
    {WorldTag::gov13, "Religious Dictatorship", WorldTagCategory::government},
    {WorldTag::gov14, "Religious Autocracy", WorldTagCategory::government},
    {WorldTag::gov15, "Totalitarian Oligarchy", WorldTagCategory::government},
    {WorldTag::reserved, "Reserved", WorldTagCategory::government},
}};
// clang-format on

template <> struct EnumTraits<WorldTag>
{
    static constexpr const auto &rows = kWorldTags;
};

// The category a tag is listed under.
constexpr WorldTagCategory category(WorldTag tag)
{
    return enumRow(tag).category;
}

// Whether the tag is one of the government types, gov0 to gov15 and reserved: the
// last seventeen cases. Told by case position, since < and >= compare tags by text.
constexpr bool isGovernmentType(WorldTag tag)
{
    return static_cast<int>(tag) >= static_cast<int>(WorldTag::gov0);
}

// How a tag reads in the editor's menus and chips and in the Markdown summary: the
// government types as they are stored; every other tag with its hyphens as blanks,
// capitalised word by word ("civil-war" reads "Civil War", "area-51" "Area 51").
QString tagTitle(WorldTag tag);

// The order in which tags are listed: by raw value, lower-cased for the current
// locale, compared as plain text. No two tags have equal lower-cased raw values,
// so this is a strict total order.
bool sortsBefore(WorldTag a, WorldTag b);

// The tags of one category, sorted by sortsBefore().
QList<WorldTag> tags(WorldTagCategory category);

// Tags compare by sortsBefore(). All four are declared so that none of them falls
// back to the built-in comparison of the case positions.
inline bool operator<(WorldTag a, WorldTag b)
{
    return sortsBefore(a, b);
}
inline bool operator>(WorldTag a, WorldTag b)
{
    return sortsBefore(b, a);
}
inline bool operator<=(WorldTag a, WorldTag b)
{
    return !sortsBefore(b, a);
}
inline bool operator>=(WorldTag a, WorldTag b)
{
    return !sortsBefore(a, b);
}
