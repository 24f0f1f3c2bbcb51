#pragma once

// Hand-made records with fresh ids, shared by the tests of every layer. A builder
// starts from the record's own defaults and sets only what a test names, so a test
// reads as the values it cares about.

#include "model/HexData.h"
#include "model/Star.h"
#include "model/WorldData.h"

#include <QUuid>

namespace test_records {

// A star with a fresh id: by default a G2 V in the primary's place.
inline Star star(Orbits orbit = Orbits::starOrbitP, SpectralType type = SpectralType::G, qint64 decimal = 2,
                 LuminosityClass luminosity = LuminosityClass::V, const QString &name = QString())
{
    Star made;
    made.id = QUuid::createUuid();
    made.name = name;
    made.spectralType = type;
    made.temperature = decimal;
    made.luminosity = luminosity;
    made.orbit = orbit;
    return made;
}

// A world with a fresh id: by default an unnamed size-0 planet in orbit 0 with the
// profile A000000-0, no main world.
class WorldBuilder
{
public:
    WorldBuilder() { m_made.id = QUuid::createUuid(); }

    WorldBuilder &named(const QString &name) { return set(&WorldData::name, name); }
    WorldBuilder &main(bool main = true) { return set(&WorldData::mainWorld, main); }
    WorldBuilder &notes(const QString &notes) { return set(&WorldData::notes, notes); }
    WorldBuilder &type(WorldType type) { return set(&WorldData::type, type); }
    WorldBuilder &orbit(Orbits orbit) { return set(&WorldData::sunOrbit, orbit); }
    WorldBuilder &satelliteOrbit(PlanetOrbits orbit) { return set(&WorldData::satelliteOrbit, orbit); }
    WorldBuilder &hzOffset(qint64 offset) { return set(&WorldData::hzOffset, offset); }
    // Day and year in standard hours.
    WorldBuilder &days(qint64 dayLength, qint64 yearLength)
    {
        m_made.dayLength = dayLength;
        return set(&WorldData::yearLength, yearLength);
    }
    WorldBuilder &tradeClasses(const QList<TradeClass> &classes)
    {
        return set(&WorldData::tradeClasses, classes);
    }

    WorldBuilder &starport(Starport starport) { return setCode(&UWP::starport, starport); }
    WorldBuilder &size(qint64 size) { return setCode(&UWP::size, size); }
    WorldBuilder &density(double density) { return setCode(&UWP::density, density); }
    // The six digits of the profile after the starport, in profile order.
    WorldBuilder &codes(qint64 size, qint64 atmosphere, qint64 hydrographics, qint64 population,
                        qint64 government, qint64 lawLevel)
    {
        m_made.uwp.size = size;
        m_made.uwp.atmosphere = atmosphere;
        m_made.uwp.hydrographics = hydrographics;
        m_made.uwp.population = population;
        m_made.uwp.government = government;
        return setCode(&UWP::lawLevel, lawLevel);
    }
    WorldBuilder &population(qint64 population) { return setCode(&UWP::population, population); }
    WorldBuilder &populationMultiplier(qint64 multiplier)
    {
        return setCode(&UWP::populationMultiplier, multiplier);
    }
    WorldBuilder &techLevel(TechnologyLevel level) { return setCode(&UWP::techLevel, level); }
    WorldBuilder &bases(const QSet<Base> &bases) { return setCode(&UWP::bases, bases); }

    operator WorldData() const { return m_made; }

private:
    template <typename Value> WorldBuilder &set(Value WorldData::*field, const Value &value)
    {
        m_made.*field = value;
        return *this;
    }
    template <typename Value> WorldBuilder &setCode(Value UWP::*field, const Value &value)
    {
        m_made.uwp.*field = value;
        return *this;
    }

    WorldData m_made;
};

inline WorldBuilder aWorld()
{
    return {};
}

// A hex at `coordinates` with fresh ids for itself and its system: by default an
// unnamed system without stars.
class HexBuilder
{
public:
    explicit HexBuilder(const GalacticCoordinates &coordinates)
    {
        m_made.id = QUuid::createUuid();
        m_made.coordinates = coordinates;
        m_made.starSystem.id = QUuid::createUuid();
    }

    HexBuilder &id(const QUuid &id)
    {
        m_made.id = id;
        return *this;
    }
    HexBuilder &notes(const QString &notes)
    {
        m_made.notes = notes;
        return *this;
    }
    HexBuilder &system(const StarSystem &system)
    {
        m_made.starSystem = system;
        return *this;
    }
    HexBuilder &named(const QString &name)
    {
        m_made.starSystem.name = name;
        return *this;
    }
    HexBuilder &stars(const QList<Star> &stars)
    {
        m_made.starSystem.stars = stars;
        return *this;
    }
    // Which of the groups know the system.
    HexBuilder &knownTo(bool starfarers, bool sathar, bool other)
    {
        m_made.starSystem.starfarers = starfarers;
        m_made.starSystem.sathar = sathar;
        m_made.starSystem.other = other;
        return *this;
    }
    // One primary, a G2 V, holding `worlds`.
    HexBuilder &worlds(const QList<WorldData> &worlds)
    {
        Star primary = star();
        primary.worlds = worlds;
        return stars({primary});
    }

    operator HexData() const { return m_made; }

private:
    HexData m_made;
};

inline HexBuilder aHex(const GalacticCoordinates &coordinates = {})
{
    return HexBuilder(coordinates);
}

} // namespace test_records
