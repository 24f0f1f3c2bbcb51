#pragma once

#include "Base.h"
#include "json/Json.h"
#include "Starport.h"
#include "TechnologyLevel.h"
#include "WorldTag.h"

#include <QList>
#include <QSet>
#include <QString>

// The universal world profile of one world: starport, physical and social codes,
// tech level, bases and the population multiplier. A plain value: nothing is
// validated when it is built or read, and the editors keep the dependent codes in
// range with clampToAllowedRanges().
struct UWP
{
    // An inclusive range of codes, low to high.
    struct CodeRange
    {
        qint64 low = 0;
        qint64 high = 0;

        qint64 clamp(qint64 value) const { return qMin(high, qMax(low, value)); }
        friend bool operator==(const CodeRange &, const CodeRange &) = default;
    };

    Starport starport = Starport::typeA;
    qint64 size = 0;
    double density = 1.0;
    qint64 atmosphere = 0;
    qint64 hydrographics = 0;
    qint64 population = 0;
    qint64 government = 0;
    qint64 lawLevel = 0;
    TechnologyLevel techLevel = TechnologyLevel::tl0;
    QSet<Base> bases;
    qint64 populationMultiplier = 0; // the "P" of the population-belts-giants triple; 0 when none was stored
    QList<WorldTag> tags;

    // The one-line profile: "A8679AB-C NS".
    QString code() const;
    // The base letters in letter order, or an em dash when there are none.
    QString basesCode() const;

    // Brings atmosphere, hydrographics, government and law level (in that order) into
    // the ranges that size, the new atmosphere, population and the new government
    // allow. Size, population, starport, tech level and bases are never changed.
    void clampToAllowedRanges();

    static CodeRange atmosphereRange(qint64 size);
    static CodeRange hydrographicsRange(qint64 size, qint64 atmosphere);
    static CodeRange governmentRange(qint64 population);
    static CodeRange lawLevelRange(qint64 government);

    // The number of inhabitants: max(multiplier, 1) × 10^population, 0 for no
    // population, and the largest representable count when that would not fit.
    qint64 populationCount() const;

    static UWP fromJson(const JsonReader &r);
    JsonObject toJson() const;

    friend bool operator==(const UWP &, const UWP &) = default;
};

size_t qHash(const UWP &uwp, size_t seed = 0);
