#include "OrbitPopulation.h"

#include "NumberFormat.h"
#include "Random.h"
#include "TradeClass.h"
#include "WorldDescriptions.h"
#include "WorldProfileGeneration.h"

#include <QHash>
#include <QUuid>
#include <QtNumeric>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace {

constexpr int kHighestPlacedOrbit = 12;
constexpr double kKilometresPerMile = 1.609344;

// The 2D tables, read for rolls 2 to 12.
constexpr std::array<std::array<int, 11>, 5> kOrbitTables{{
    {-3, -2, -1, 0, 1, 2, 3, 4, 5, 6, 7},      // large gas giant: offset
    {-2, -1, 0, 1, 2, 3, 4, 5, 6, 7, 8},       // small gas giant: offset
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11},       // ice giant: offset
    {10, 8, 6, 4, 2, 0, 1, 3, 5, 7, 9},        // other world: orbit
    {17, 16, 15, 14, 13, 12, 11, 10, 9, 8, 7}, // last other world: orbit
}};

// Kinds by r(6), for the inner and habitable zones and for the outer zone.
constexpr std::array<WorldType, 6> kInnerKinds{WorldType::inferno,  WorldType::innerWorld,
                                               WorldType::bigWorld, WorldType::stormWorld,
                                               WorldType::radWorld, WorldType::planet};
constexpr std::array<WorldType, 6> kOuterWorldKinds{WorldType::worldlet, WorldType::iceworld,
                                                    WorldType::bigWorld, WorldType::iceworld,
                                                    WorldType::radWorld, WorldType::iceworld};
constexpr std::array<WorldType, 6> kOuterSatelliteKinds{WorldType::worldlet, WorldType::iceworld,
                                                        WorldType::bigWorld, WorldType::stormWorld,
                                                        WorldType::radWorld, WorldType::iceworld};

int habitableZoneNumber(const Star &star)
{
    return orbitNumber(star.habitableZoneOrbit());
}

// A generated body's record with everything but its kind, place and profile at the
// defaults of a new world.
WorldData newWorld(WorldType type, Orbits orbit, PlanetOrbits letter, qint64 hzOffset, const UWP &uwp)
{
    WorldData world;
    world.id = QUuid::createUuid();
    world.type = type;
    world.sunOrbit = orbit;
    world.satelliteOrbit = letter;
    world.hzOffset = hzOffset;
    world.uwp = uwp;
    world.prevalentRace = Race::human;
    world.tradeClasses = tradeClasses(world.uwp, world.climateZone(), false);
    return world;
}

// A gas giant's size code, 2D + 19: 21 to 31.
qint64 rollGasGiantSizeCode()
{
    return roll2D() + 19;
}

// The occupied orbits of every star, and the rotation of the star that is tried
// first, which live for one population run.
class OrbitPlacer
{
public:
    explicit OrbitPlacer(qsizetype starCount) : m_occupied(starCount) {}

    void occupy(qsizetype star, int orbit) { m_occupied[star].insert(orbit); }

    // Whether every orbit a body may take is occupied on every star: nothing more
    // can be placed, however many bodies are still asked for.
    bool full() const
    {
        return std::none_of(m_occupied.cbegin(), m_occupied.cend(), [](const QSet<int> &orbits) {
            return nearestFreeOrbit(0, orbits, kHighestPlacedOrbit).has_value();
        });
    }

    // The first star from `startStar` on, in turn, that has a free orbit near
    // `preferred`, and that orbit, which becomes occupied.
    std::optional<std::pair<qsizetype, int>> place(qsizetype startStar, int preferred)
    {
        const qsizetype count = m_occupied.size();
        for (qsizetype k = 0; k < count; ++k) {
            const qsizetype star = (startStar + k) % count;
            if (const auto orbit = nearestFreeOrbit(preferred, m_occupied[star], kHighestPlacedOrbit)) {
                m_occupied[star].insert(*orbit);
                return std::make_pair(star, *orbit);
            }
        }
        return std::nullopt;
    }

private:
    QList<QSet<int>> m_occupied;
};

// Sets day, year and tide lock of every world of one star. A moon's parent is the
// last world of the star circling it directly in the same orbit.
void applyDaysAndYears(Star &star)
{
    QHash<Orbits, qsizetype> parents;
    for (qsizetype i = 0; i < star.worlds.size(); ++i) {
        if (star.worlds[i].satelliteOrbit == PlanetOrbits::planetOrbit0)
            parents.insert(star.worlds[i].sunOrbit, i);
    }
    for (WorldData &world : star.worlds) {
        DayAndYear result;
        const auto parent = parents.constFind(world.sunOrbit);
        if (world.satelliteOrbit != PlanetOrbits::planetOrbit0 && parent != parents.cend())
            result = satelliteDayAndYear(star, world.sunOrbit, star.worlds[*parent], world.satelliteOrbit);
        else
            result = planetDayAndYear(star, world.sunOrbit);
        world.dayLength = result.day;
        world.yearLength = result.year;
        world.tideLocked = result.tideLocked;
    }
}

// The parent a moon main world circles: a gas giant or a large world in its orbit.
std::optional<WorldData> parentOfSatelliteMainWorld(const WorldData &mainWorld, qint64 hzOffset,
                                                    qint64 maxPopulation, bool randomTL,
                                                    TechnologyLevel maxTechLevel)
{
    switch (mainWorld.type) {
    case WorldType::closeSatelliteGG:
    case WorldType::farSatelliteGG: {
        const qint64 sizeCode = rollGasGiantSizeCode();
        const WorldType type = sizeCode <= 27 ? WorldType::smallGasGiant : WorldType::largeGasGiant;
        return makeGasGiant(sizeCode, type, mainWorld.sunOrbit, hzOffset, maxTechLevel);
    }
    case WorldType::closeSatelliteP:
    case WorldType::farSatelliteP: {
        const UWP uwp =
            generateWorldProfile(WorldType::bigWorld, maxPopulation, randomTL, maxTechLevel, 0, true);
        return newWorld(generatedWorldType(WorldType::bigWorld, uwp.size), mainWorld.sunOrbit,
                        PlanetOrbits::planetOrbit0, hzOffset, uwp);
    }
    default: return std::nullopt;
    }
}

} // namespace

OrbitZone orbitZone(int orbit, int habitableZoneOrbit)
{
    if (orbit <= habitableZoneOrbit - 2)
        return OrbitZone::inner;
    if (orbit >= habitableZoneOrbit + 2)
        return OrbitZone::outer;
    return OrbitZone::habitable;
}

int orbitNumber(Orbits orbit)
{
    return rawValue(orbit);
}

Orbits orbitFromNumber(int number)
{
    return *enumFromRaw<Orbits>(std::clamp(number, -1, 20));
}

int orbitOffset(int roll, OrbitTable table)
{
    const auto &values = kOrbitTables[static_cast<std::size_t>(table)];
    return values[static_cast<std::size_t>(std::clamp(roll, 2, 12) - 2)];
}

std::optional<int> nearestFreeOrbit(int preferred, const QSet<int> &occupied, int maxOrbit)
{
    const int highest = std::min(std::max(maxOrbit, 0), 20);
    const int start = std::clamp(preferred, 0, highest);
    if (!occupied.contains(start))
        return start;
    for (int distance = 1; distance <= highest; ++distance) {
        for (const int candidate : {start - distance, start + distance}) {
            if (candidate >= 0 && candidate <= highest && !occupied.contains(candidate))
                return candidate;
        }
    }
    return std::nullopt;
}

int rollSatelliteCount(bool gasGiant, OrbitZone zone)
{
    int count = rollD6();
    if (gasGiant)
        count -= 1;
    else if (zone == OrbitZone::inner)
        count -= 5;
    else if (zone == OrbitZone::habitable)
        count -= 4;
    else
        count -= 3;
    return std::max(count, 0);
}

std::optional<PlanetOrbits> firstFreeSatelliteOrbit(bool preferClose, int flux,
                                                    const QSet<PlanetOrbits> &taken)
{
    const auto &preferred = preferClose ? kCloseSatelliteOrbits : kFarSatelliteOrbits;
    const auto &fallback = preferClose ? kFarSatelliteOrbits : kCloseSatelliteOrbits;
    const int position = flux + 5;
    if (position >= 0 && position < static_cast<int>(preferred.size()) &&
        !taken.contains(preferred[static_cast<std::size_t>(position)]))
        return preferred[static_cast<std::size_t>(position)];
    for (const auto *list : {&preferred, &fallback}) {
        for (const PlanetOrbits letter : *list) {
            if (!taken.contains(letter))
                return letter;
        }
    }
    return std::nullopt;
}

WorldType rollOuterWorldKind(OrbitZone zone)
{
    const auto &kinds = zone == OrbitZone::outer ? kOuterWorldKinds : kInnerKinds;
    return kinds[static_cast<std::size_t>(randomBelow(6))];
}

WorldType rollSatelliteKind(OrbitZone zone)
{
    const auto &kinds = zone == OrbitZone::outer ? kOuterSatelliteKinds : kInnerKinds;
    return kinds[static_cast<std::size_t>(randomBelow(6))];
}

WorldType generatedWorldType(WorldType kind, qint64 size)
{
    if (size == 0)
        return WorldType::planetoidBelt;
    if (kind != WorldType::bigWorld)
        return kind;
    if (size >= 11)
        return WorldType::bigWorld;
    if (size >= 4)
        return WorldType::planet;
    return WorldType::worldlet;
}

WorldData makeGasGiant(qint64 sizeCode, WorldType type, Orbits orbit, qint64 hzOffset,
                       TechnologyLevel maxTechLevel)
{
    UWP uwp;
    uwp.starport = Starport::typeX;
    uwp.size = sizeCode;
    uwp.density = randomDensity(type);
    uwp.techLevel = lowestTechLevel(maxTechLevel);
    WorldData world = newWorld(type, orbit, PlanetOrbits::planetOrbit0, hzOffset, uwp);

    const GasGiantSizeClass sizeClass = gasGiantSizeClass(sizeCode);
    QString notes = rawValue(type);
    if (!sizeClass.classText.isEmpty())
        notes += QStringLiteral(" (") + sizeClass.classText + QLatin1Char(')');
    notes += QStringLiteral(", ") + NumberFormat::grouped(sizeClass.miles) +
             QStringLiteral(" mi diameter, ") + NumberFormat::decimal(sizeClass.gravity) +
             QStringLiteral(" G.");
    world.notes = notes;
    return world;
}

QList<WorldData> makeSecondaryWorld(Orbits orbit, qint64 hzOffset, OrbitZone zone, bool parentIsGasGiant,
                                    qint64 parentSize, qint64 maxPopulation, bool randomTL,
                                    TechnologyLevel maxTechLevel)
{
    QList<WorldData> satellites;
    QSet<PlanetOrbits> taken;
    const int count = rollSatelliteCount(parentIsGasGiant, zone);
    for (int i = 0; i < count; ++i) {
        const bool preferClose = roll2D() <= 7;
        const auto letter = firstFreeSatelliteOrbit(preferClose, rollFlux(), taken);
        if (!letter)
            continue;
        taken.insert(*letter);
        const WorldType kind = rollSatelliteKind(zone);
        const UWP uwp = generateWorldProfile(kind, maxPopulation, randomTL, maxTechLevel,
                                             std::max<qint64>(parentSize, 1) - 1, false);
        satellites << newWorld(generatedWorldType(kind, uwp.size), orbit, *letter, hzOffset, uwp);
    }
    return satellites;
}

qint64 rollRotationPeriod()
{
    const qint64 dice = roll2D();
    return std::max<qint64>(dice + 16 + rollFlux(), 4);
}

qint64 solarDayLength(qint64 rotation, qint64 year)
{
    if (rotation < 1 || year < 1 || rotation == year)
        return rotation;
    const double a = static_cast<double>(rotation);
    const double b = static_cast<double>(year);
    return static_cast<qint64>(std::llround(std::abs(1.0 / (1.0 / a - 1.0 / b))));
}

qint64 satelliteOrbitalPeriod(PlanetOrbits letter, const WorldData &parent)
{
    const int k = static_cast<int>(letter); // A = 1 ... Z = 26
    const double parentDiameterKm =
        isGasGiant(parent.type)
            ? static_cast<double>(gasGiantSizeClass(parent.uwp.size).miles) * kKilometresPerMile
            : static_cast<double>(parent.uwp.size) * kKilometresPerMile * 1000.0;
    const double radiusKm = (2.0 * std::pow(1.3, k - 1) + 2.0) * parentDiameterKm;
    const double parentMass = mass(parent);
    if (!(radiusKm > 0.0) || !(parentMass > 0.0))
        return 0;
    const double lunarRadii = radiusKm / 384400.0;
    return static_cast<qint64>(
        std::llround(std::sqrt(lunarRadii * lunarRadii * lunarRadii / parentMass) * 655.7));
}

DayAndYear planetDayAndYear(const Star &star, Orbits orbit)
{
    const qint64 year = star.orbitalPeriodHours(orbit);
    if (orbit == Orbits::starOrbitP || orbit == Orbits::starOrbit0 || orbit == Orbits::starOrbit1)
        return {year, year, true};
    const qint64 rotation = rollRotationPeriod();
    if (year >= 1 && rotation >= year)
        return {year, year, true};
    return {rotation, year, false};
}

DayAndYear satelliteDayAndYear(const Star &star, Orbits orbit, const WorldData &parent, PlanetOrbits letter)
{
    const qint64 year = star.orbitalPeriodHours(orbit);
    const qint64 period = satelliteOrbitalPeriod(letter, parent);
    const qint64 rotation = rollRotationPeriod();
    const bool closeOrbit = letter >= PlanetOrbits::planetOrbitA && letter <= PlanetOrbits::planetOrbitL;
    const bool locked = period > 0 && (closeOrbit || period <= rotation);
    if (locked)
        return {solarDayLength(period, year), year, true};
    return {rotation, year, false};
}

QList<Star> populateOrbits(QList<Star> stars, const WorldData &mainWorld, qint64 gasGiants, qint64 belts,
                           qint64 otherWorlds, qint64 maxPopulation, bool randomTL,
                           TechnologyLevel maxTechLevel)
{
    if (stars.isEmpty())
        return stars;
    // Counts come from stored systems: negative ones ask for nothing, and the loops
    // below stop once every orbit is taken, so even absurd counts end at once.
    gasGiants = std::max<qint64>(gasGiants, 0);
    belts = std::max<qint64>(belts, 0);
    otherWorlds = std::max<qint64>(otherWorlds, 0);
    const qsizetype starCount = stars.size();
    // The star a body's search starts from: its place in the list of bodies, in turn
    // over the stars, summed without overflow.
    const auto firstStar = [starCount](qint64 before, qint64 index) {
        return static_cast<qsizetype>((before % starCount + index % starCount) % starCount);
    };
    OrbitPlacer placer(starCount);

    // The main world, its parent and its moons, all on the primary.
    const int mainOrbit = orbitNumber(mainWorld.sunOrbit);
    const int primaryZone = habitableZoneNumber(stars[0]);
    const OrbitZone mainZone = orbitZone(mainOrbit, primaryZone);
    // The parent and the moons take the main world's own offset, so that every moon
    // shares its parent's. It differs from the orbit's distance to the primary's zone
    // only where the main world's orbit was clamped at 0, or where a regenerated main
    // world was edited or came from another star.
    const qint64 mainOffset = mainWorld.hzOffset;
    placer.occupy(0, mainOrbit);
    if (const auto parent =
            parentOfSatelliteMainWorld(mainWorld, mainOffset, maxPopulation, randomTL, maxTechLevel))
        stars[0].worlds << *parent;
    stars[0].worlds << mainWorld;
    if (mainWorld.satelliteOrbit == PlanetOrbits::planetOrbit0)
        stars[0].worlds.append(makeSecondaryWorld(mainWorld.sunOrbit, mainOffset, mainZone, false,
                                                  mainWorld.uwp.size, maxPopulation, randomTL, maxTechLevel));

    // Gas giants: every second small one is an ice giant, and each starts its search
    // one star further on.
    qsizetype startStar = 0;
    int smallGiants = 0;
    for (qint64 i = 0; i < gasGiants && !placer.full(); ++i) {
        const qint64 sizeCode = rollGasGiantSizeCode();
        const qsizetype thisStart = startStar;
        startStar = (startStar + 1) % starCount;
        WorldType type = WorldType::largeGasGiant;
        OrbitTable table = OrbitTable::largeGasGiant;
        if (sizeCode <= 27) {
            ++smallGiants;
            const bool odd = smallGiants % 2 == 1;
            type = odd ? WorldType::smallGasGiant : WorldType::iceGiant;
            table = odd ? OrbitTable::smallGasGiant : OrbitTable::iceGiant;
        }
        const int preferred = habitableZoneNumber(stars[thisStart]) + orbitOffset(roll2D(), table);
        const auto place = placer.place(thisStart, preferred);
        if (!place)
            continue;
        const auto [star, orbit] = *place;
        const int zoneOrbit = habitableZoneNumber(stars[star]);
        stars[star].worlds << makeGasGiant(sizeCode, type, orbitFromNumber(orbit), orbit - zoneOrbit,
                                           maxTechLevel);
        stars[star].worlds.append(makeSecondaryWorld(orbitFromNumber(orbit), orbit - zoneOrbit,
                                                     orbitZone(orbit, zoneOrbit), true, sizeCode,
                                                     maxPopulation, randomTL, maxTechLevel));
    }

    // Planetoid belts: no moons.
    for (qint64 j = 0; j < belts && !placer.full(); ++j) {
        const qsizetype first = firstStar(gasGiants, j);
        const int preferred = habitableZoneNumber(stars[first]) + roll2D() - 3;
        const auto place = placer.place(first, preferred);
        if (!place)
            continue;
        const auto [star, orbit] = *place;
        const UWP uwp = generateSecondaryWorldProfile(0, 0, 0, 0, maxPopulation, maxTechLevel, randomTL,
                                                      WorldType::planetoidBelt);
        stars[star].worlds << newWorld(WorldType::planetoidBelt, orbitFromNumber(orbit),
                                       PlanetOrbits::planetOrbit0, orbit - habitableZoneNumber(stars[star]),
                                       uwp);
    }

    // Other worlds, the last one read from its own table.
    for (qint64 j = 0; j < otherWorlds && !placer.full(); ++j) {
        const qsizetype first = firstStar(gasGiants % starCount + belts % starCount, j);
        const OrbitTable table = j == otherWorlds - 1 ? OrbitTable::lastOtherWorld : OrbitTable::otherWorld;
        const auto place = placer.place(first, orbitOffset(roll2D(), table));
        if (!place)
            continue;
        const auto [star, orbit] = *place;
        const int zoneOrbit = habitableZoneNumber(stars[star]);
        const OrbitZone zone = orbitZone(orbit, zoneOrbit);
        const WorldType kind = rollOuterWorldKind(zone);
        const UWP uwp = generateWorldProfile(kind, maxPopulation, randomTL, maxTechLevel, 0, true);
        stars[star].worlds << newWorld(generatedWorldType(kind, uwp.size), orbitFromNumber(orbit),
                                       PlanetOrbits::planetOrbit0, orbit - zoneOrbit, uwp);
        stars[star].worlds.append(makeSecondaryWorld(orbitFromNumber(orbit), orbit - zoneOrbit, zone, false,
                                                     uwp.size, maxPopulation, randomTL, maxTechLevel));
    }

    for (Star &star : stars)
        applyDaysAndYears(star);
    return stars;
}

namespace {

// The world a regeneration keeps: the flagged main world, else the first world of the
// first star.
std::optional<WorldIndex> regeneratedMainWorldIndex(const StarSystem &system)
{
    if (const auto index = system.mainWorldIndex())
        return index;
    if (!system.stars.isEmpty() && !system.stars.first().worlds.isEmpty())
        return WorldIndex{0, 0};
    return std::nullopt;
}

} // namespace

qint64 otherWorldsToGenerate(const StarSystem &system)
{
    const std::optional<WorldIndex> mainIndex = regeneratedMainWorldIndex(system);
    qint64 satellites = 0;
    qint64 mainParent = 0;
    for (qsizetype s = 0; s < system.stars.size(); ++s) {
        const QList<WorldData> &worlds = system.stars[s].worlds;
        for (qsizetype w = 0; w < worlds.size(); ++w) {
            if (mainIndex && mainIndex->star == s && mainIndex->world == w)
                continue;
            if (worlds[w].satelliteOrbit != PlanetOrbits::planetOrbit0)
                ++satellites;
        }
    }
    // A moon main world's parent is made by every regeneration, so it is no other world.
    if (mainIndex) {
        const Star &star = system.stars[mainIndex->star];
        const WorldData &mainWorld = star.worlds[mainIndex->world];
        if (mainWorld.satelliteOrbit != PlanetOrbits::planetOrbit0) {
            const bool hasParent =
                std::any_of(star.worlds.cbegin(), star.worlds.cend(), [&](const WorldData &w) {
                    return w.satelliteOrbit == PlanetOrbits::planetOrbit0 && w.sunOrbit == mainWorld.sunOrbit;
                });
            mainParent = hasParent ? 1 : 0;
        }
    }
    // Stored counts may be anything: subtract in steps that saturate instead of overflowing.
    qint64 others = system.totalNumberOfWorlds;
    for (const qint64 taken : {qint64(1), system.gasGiant, system.planetoidBelts, satellites, mainParent}) {
        if (qSubOverflow(others, taken, &others))
            others = taken > 0 ? std::numeric_limits<qint64>::min() : std::numeric_limits<qint64>::max();
    }
    return std::max<qint64>(others, 0);
}

StarSystem withGeneratedWorlds(const StarSystem &system)
{
    const std::optional<WorldIndex> mainIndex = regeneratedMainWorldIndex(system);
    if (!mainIndex)
        return system;
    const WorldData mainWorld = system.stars[mainIndex->star].worlds[mainIndex->world];

    StarSystem result = system;
    const qint64 otherWorlds = otherWorldsToGenerate(system);
    for (Star &star : result.stars)
        star.worlds.clear();
    result.stars =
        populateOrbits(result.stars, mainWorld, system.gasGiant, system.planetoidBelts, otherWorlds,
                       std::max<qint64>(mainWorld.uwp.population, 1) - 1, true, mainWorld.uwp.techLevel);
    qint64 total = 0;
    for (const Star &star : result.stars)
        total += star.worlds.size();
    result.totalNumberOfWorlds = total;
    return result;
}
