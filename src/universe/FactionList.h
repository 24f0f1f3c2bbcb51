#pragma once

#include "json/Json.h"

#include <QHashFunctions>
#include <QList>
#include <QString>
#include <QUuid>

// A named, ordered selection of factions, by id, with which the star map can be
// filtered to a group of factions at once. The ids are not checked against the
// universe's factions.
struct FactionList
{
    QUuid id;
    QString name;
    QList<QUuid> factionIDs;

    // Every key is required.
    static FactionList fromJson(const JsonReader &reader);
    JsonObject toJson() const;

    friend bool operator==(const FactionList &, const FactionList &) = default;
};

inline size_t qHash(const FactionList &value, size_t seed = 0) noexcept
{
    return qHashMulti(seed, value.id, value.name, value.factionIDs);
}
