#pragma once

#include "Stardate.h"
#include "json/Json.h"

#include <QHashFunctions>
#include <QString>

// A dated note in a faction's log. Its `id` is its identity within the faction.
struct FactionNote
{
    qint64 id = 0;
    QString title;
    Stardate date;
    QString content;

    // Every key is required.
    static FactionNote fromJson(const JsonReader &reader);
    JsonObject toJson() const;

    friend bool operator==(const FactionNote &, const FactionNote &) = default;
};

inline size_t qHash(const FactionNote &value, size_t seed = 0) noexcept
{
    return qHashMulti(seed, value.id, value.title, value.date, value.content);
}
