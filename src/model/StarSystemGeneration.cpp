#include "StarSystemGeneration.h"

#include "OrbitPopulation.h"
#include "Random.h"
#include "TradeClass.h"
#include "WorldProfileGeneration.h"

#include <QUuid>

#include <algorithm>
#include <array>
#include <utility>

namespace {

// The main world's offset from the habitable zone for f = 0 ... 12.
constexpr std::array<qint64, 13> kHabitableZoneOffsets{-2, -1, -1, -1, 0, 0, 0, 0, 0, 1, 1, 1, 2};

// The primary and, when asked for, a companion, the hotter of the two first.
QList<Star> makeStars(const std::optional<Star> &star, bool binary)
{
    Star primary = star ? *star : Star::random(Orbits::starOrbitP);
    // The generated worlds replace whatever a given star carried, so that the
    // system holds exactly one main world.
    primary.worlds.clear();
    QList<Star> stars{primary};
    if (binary) {
        const Orbits companionOrbit = Star::randomCompanionOrbit();
        Star companion = Star::random(companionOrbit);
        if (companion.spectralType < primary.spectralType) {
            std::swap(primary.spectralType, companion.spectralType);
            std::swap(primary.temperature, companion.temperature);
            std::swap(primary.luminosity, companion.luminosity);
            std::swap(primary.mass, companion.mass);
            primary.orbit = Orbits::starOrbitP;
            companion.orbit = companionOrbit;
            primary.id = QUuid::createUuid();
            companion.id = QUuid::createUuid();
            stars[0] = primary;
        }
        stars << companion;
    }
    for (qsizetype i = 0; i < stars.size(); ++i)
        stars[i].name = starName(i);
    return stars;
}

// The main world's profile: size, atmosphere, hydrographics, population, multiplier,
// government, law and tech level, in that order.
UWP rollMainWorldProfile(const StarportAndBases &port, TechnologyLevel maxTechLevel, bool randomTL)
{
    UWP uwp;
    uwp.starport = port.starport;
    uwp.bases = port.bases;
    uwp.size = rollWorldSize();
    uwp.atmosphere = uwp.size == 0 ? 0 : std::clamp<qint64>(rollFlux() + uwp.size, 0, 15);
    uwp.hydrographics = rollHydrographics(uwp.size, uwp.atmosphere);
    uwp.population = rollPopulation(uwp.atmosphere, uwp.hydrographics, true);
    uwp.populationMultiplier = randomBelow(9) + 1;
    uwp.government = std::clamp<qint64>(rollFlux() + uwp.population, 0, 15);
    uwp.lawLevel = std::clamp<qint64>(rollFlux() + uwp.government, 0, 18);
    uwp.techLevel = rollTechLevel(uwp.starport, uwp.size, uwp.atmosphere, uwp.hydrographics, uwp.population,
                                  uwp.government, maxTechLevel, randomTL);
    return uwp;
}

} // namespace

QString starName(qsizetype index)
{
    if (index >= 0 && index < 26)
        return QString(QChar(u'A' + static_cast<char16_t>(index)));
    return QString::number(index + 1);
}

qint64 rollHabitableZoneOffset(SpectralType primaryType)
{
    int f = rollFlux() + 7;
    if (primaryType == SpectralType::M)
        f = std::min(f + 2, 12);
    else if (primaryType == SpectralType::O || primaryType == SpectralType::B)
        f = std::max(f - 2, 0);
    return kHabitableZoneOffsets[static_cast<std::size_t>(f)];
}

MainWorldKind rollMainWorldKind()
{
    const int flux = rollFlux();
    if (flux >= -2)
        return {};
    const bool ofGasGiant = rollFlux() < 1;
    const auto letterAt = static_cast<std::size_t>(rollFlux() + 5);
    if (flux <= -4)
        return {ofGasGiant ? WorldType::farSatelliteGG : WorldType::farSatelliteP,
                kFarSatelliteOrbits[letterAt]};
    return {ofGasGiant ? WorldType::closeSatelliteGG : WorldType::closeSatelliteP,
            kCloseSatelliteOrbits[letterAt]};
}

StarSystem generateStarSystem(const std::optional<Star> &star, bool binary, TechnologyLevel maxTechLevel,
                              bool randomTL)
{
    QList<Star> stars = makeStars(star, binary);
    const Star &primary = stars.first();

    const StarportAndBases port = rollStarportAndBases();
    const qint64 hzOffset = rollHabitableZoneOffset(primary.spectralType);
    const Orbits mainOrbit = orbitFromNumber(
        static_cast<int>(std::clamp<qint64>(orbitNumber(primary.habitableZoneOrbit()) + hzOffset, 0, 20)));
    const MainWorldKind kind = rollMainWorldKind();
    const qint64 gasGiants = std::max(roll2D() / 2, 2) - 2;
    const qint64 belts = std::max(rollD6() - 3, 0);
    const UWP profile = rollMainWorldProfile(port, maxTechLevel, randomTL);
    const qint64 otherWorlds = roll2D();

    WorldData mainWorld;
    mainWorld.id = QUuid::createUuid();
    mainWorld.mainWorld = true;
    mainWorld.type =
        kind.type == WorldType::planet && profile.size == 0 ? WorldType::asteroidBelt : kind.type;
    mainWorld.sunOrbit = mainOrbit;
    mainWorld.satelliteOrbit = kind.satelliteOrbit;
    mainWorld.hzOffset = hzOffset;
    mainWorld.uwp = profile;
    mainWorld.uwp.density = randomDensity(kind.type);
    mainWorld.prevalentRace = Race::human;
    mainWorld.tradeClasses = tradeClasses(mainWorld.uwp, mainWorld.climateZone(), false);

    StarSystem system;
    system.id = QUuid::createUuid();
    system.stars = populateOrbits(stars, mainWorld, gasGiants, belts, otherWorlds, profile.population - 1,
                                  randomTL, maxTechLevel);
    system.gasGiant = gasGiants;
    system.planetoidBelts = belts;
    for (const Star &s : system.stars)
        system.totalNumberOfWorlds += s.worlds.size();
    system.starfarers = true;
    return system;
}
