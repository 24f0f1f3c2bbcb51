#pragma once

#include "json/Json.h"

#include <QHashFunctions>

// A point of the setting's calendar, as a faction note is dated. No range is imposed
// on any field.
struct Stardate
{
    qint64 year = 0;
    qint64 day = 0;
    qint64 hour = 0;
    qint64 minute = 0;

    // Every key is required.
    static Stardate fromJson(const JsonReader &reader);
    JsonObject toJson() const;

    friend bool operator==(const Stardate &, const Stardate &) = default;
};

inline size_t qHash(const Stardate &value, size_t seed = 0) noexcept
{
    return qHashMulti(seed, value.year, value.day, value.hour, value.minute);
}
