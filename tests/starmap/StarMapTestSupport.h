#pragma once

#include "universe/StarfarerUniverse.h"

#include <QColor>
#include <QDir>

#include <algorithm>
#include <cstdlib>
#include <memory>

// Small hand-made universes for the star map's tests.
namespace StarMapTest {

// The largest difference of one colour channel between two colours.
inline int channelDistance(const QColor &a, const QColor &b)
{
    return std::max(
        {std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())});
}

inline GalacticCoordinates at(qint64 column, qint64 row, qint64 sectorX = 0, qint64 sectorY = 0)
{
    return {sectorX, sectorY, column, row};
}

// A system of one star of `spectral` type with one main world, known to the groups
// given.
inline HexData hex(const GalacticCoordinates &coordinates, bool starfarers = true, bool sathar = false,
                   bool other = false, SpectralType spectral = SpectralType::G)
{
    HexData hex;
    hex.id = QUuid::createUuid();
    hex.coordinates = coordinates;
    Star star;
    star.id = QUuid::createUuid();
    star.spectralType = spectral;
    WorldData world;
    world.id = QUuid::createUuid();
    world.mainWorld = true;
    world.uwp.size = 5;
    star.worlds = {world};
    hex.starSystem.stars = {star};
    hex.starSystem.name = QStringLiteral("Sys %1%2").arg(coordinates.column).arg(coordinates.row);
    hex.starSystem.starfarers = starfarers;
    hex.starSystem.sathar = sathar;
    hex.starSystem.other = other;
    return hex;
}

inline Faction faction(const QString &name, const QString &shortName)
{
    Faction made;
    made.id = QUuid::createUuid();
    made.name = name;
    made.shortName = shortName;
    return made;
}

inline std::unique_ptr<StarfarerUniverse> universe(const QList<HexData> &data = {})
{
    auto made = std::make_unique<StarfarerUniverse>(UniverseFolder(QDir::tempPath()));
    made->setData(data);
    return made;
}

} // namespace StarMapTest
