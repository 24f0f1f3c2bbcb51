#pragma once

#include "json/Json.h"
#include "Orbits.h"
#include "Star.h"
#include "WorldData.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <optional>

// The place of a world in its system: the star's index in `stars` and the world's
// index in that star's `worlds`.
struct WorldIndex
{
    qsizetype star = 0;
    qsizetype world = 0;

    friend bool operator==(const WorldIndex &, const WorldIndex &) = default;
};

// The stars of one hex with their worlds, the counts of the system's giants, belts
// and worlds, and which awareness groups know it.
struct StarSystem
{
    QUuid id;
    QString name;
    QList<Star> stars; // primary first, then companions
    qint64 gasGiant = 0;
    qint64 planetoidBelts = 0;
    qint64 totalNumberOfWorlds = 0;
    bool starfarers = false;
    bool sathar = false;
    bool other = false;
    bool surveyed = false;

    // The worlds of every star in star order, each star's in stored order; nested
    // `satellites` lists are not entered.
    QList<WorldData> allWorlds() const;
    // The first world flagged as the main world, if any.
    std::optional<WorldData> mainWorld() const;
    // Where that same world lies.
    std::optional<WorldIndex> mainWorldIndex() const;
    // Where the first top-level world with this id lies.
    std::optional<WorldIndex> indexOfWorld(const QUuid &worldID) const;

    // The habitable-zone orbit of the primary; none for a system without stars
    // (only a system built in memory can have none: reading gives it a star).
    std::optional<Orbits> habitableZoneOrbit() const;

    // "surveyed" may be missing (false). A system read with no stars gets one random
    // primary, so that every stored system has a star.
    static StarSystem fromJson(const JsonReader &r);
    JsonObject toJson() const;

    friend bool operator==(const StarSystem &, const StarSystem &) = default;
};

size_t qHash(const StarSystem &system, size_t seed = 0);
