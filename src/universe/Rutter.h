#pragma once

#include "Faction.h"
#include "RutterAge.h"
#include "model/GalacticCoordinates.h"
#include "json/Json.h"

#include <QHashFunctions>
#include <QUuid>

#include <optional>

// A known route of one faction between two hexes, with its age class and whether it
// is a main trade route. Its `id` is its identity.
struct Rutter
{
    QUuid id;
    QUuid factionID;
    GalacticCoordinates start;
    GalacticCoordinates end;
    bool mainTradeRoute = false;
    RutterAge age = RutterAge::uncharted;
    // The whole faction that older files stored in place of `factionID` (key
    // "faction"); kept only until the document relinks it by name, never written.
    std::optional<Faction> legacyFaction;

    // "factionID" when present; otherwise the older "faction" object, whose id it takes.
    static Rutter fromJson(const JsonReader &reader);
    // Writes "factionID", never "faction".
    JsonObject toJson() const;

    // The other end from `hex`, when `hex` is one of the rutter's ends.
    std::optional<GalacticCoordinates> farEnd(const GalacticCoordinates &hex) const
    {
        if (start == hex)
            return end;
        if (end == hex)
            return start;
        return std::nullopt;
    }

    // Compares every field but the legacy faction.
    friend bool operator==(const Rutter &a, const Rutter &b)
    {
        return a.id == b.id && a.factionID == b.factionID && a.start == b.start && a.end == b.end &&
               a.mainTradeRoute == b.mainTradeRoute && a.age == b.age;
    }
};

// By identity alone, so an edited route keeps its place in hashed containers' buckets.
inline size_t qHash(const Rutter &value, size_t seed = 0) noexcept
{
    return qHash(value.id, seed);
}
