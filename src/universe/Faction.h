#pragma once

#include "FactionAsset.h"
#include "FactionCategory.h"
#include "FactionColor.h"
#include "FactionNote.h"
#include "FactionTag.h"
#include "model/GalacticCoordinates.h"
#include "json/Json.h"

#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QUuid>

// A power of the referee's setting — a megacorporation, a people, a polity — with its
// map colour, homeworld, ratings, tags, assets and dated notes. Worlds, rutters and
// faction lists refer to a faction by `id` only. No rating is limited to a range.
struct Faction
{
    QUuid id;
    QString name;
    QString shortName; // the short code ("short" in files); allegiance codes match it
    GalacticCoordinates homeworld;
    FactionCategory category = FactionCategory::other;
    FactionColor color = FactionColor::black;
    QString description;
    qint64 hp = 0;
    qint64 force = 1;
    qint64 cunning = 1;
    qint64 wealth = 1;
    qint64 credits = 0;
    qint64 xp = 0;
    QList<FactionTag> tags;
    QList<FactionAsset> assets;
    QList<FactionNote> notes;

    // Lenient: only "id" is required; every other missing (or null) key takes the
    // default above. Copies of factions stored inside older worlds and rutters often
    // lack fields. A key of the wrong type is still an error.
    static Faction fromJson(const JsonReader &reader);
    // Writes all sixteen keys.
    JsonObject toJson() const;

    friend bool operator==(const Faction &, const Faction &) = default;
    // Menu order: by lower-cased name, compared character by character; factions whose
    // lower-cased names are equal are in no order, whatever their other fields.
    friend bool operator<(const Faction &a, const Faction &b);
};

size_t qHash(const Faction &value, size_t seed = 0) noexcept;

// The factions in menu order (operator<), factions with equal keys in the order given.
// Each name is lower-cased once rather than at every comparison, which matters for the
// hundreds of factions of a large universe.
QList<Faction> inMenuOrder(QList<Faction> factions);
