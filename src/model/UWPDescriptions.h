#pragma once

// The English texts shown beside each code of a world profile: in the world
// editor's pickers and read-outs, the world summaries and the reference window.
// Every function is total: a code that no table lists gives that table's fallback
// text, so a stored value out of the usual range still reads sensibly.

#include "model/UWP.h"

#include <QString>

// Texts that read one or two fields of a profile.

// The starport's quality ("Excellent" … "None (Sp)").
QString starportDescription(const UWP &uwp);
// Surface gravity in standard gravities with two fraction digits ("1.00"),
// "Negligible" for size 0 and "Varies" from size 17 up.
QString surfaceGravity(const UWP &uwp);
// Atmospheric pressure range in standard atmospheres ("0.71-1.49").
QString atmosphericPressure(const UWP &uwp);
// The protective gear the atmosphere calls for ("Vacc Suit", "–" for none).
QString requiredGear(const UWP &uwp);
// The number of inhabitants in compact form ("4K", "12M").
QString populationText(const UWP &uwp);
// The government type with a sentence on how it rules.
QString governmentLongDescription(const UWP &uwp);

// Texts of a bare code, so that a picker can label every code it offers.

QString sizeDescription(qint64 size);
QString atmosphereDescription(qint64 atmosphere);
QString hydrographicsDescription(qint64 hydrographics);
QString lawLevelDescription(qint64 lawLevel);
QString populationDescription(qint64 population);
// The government type alone: the long description up to its first full stop.
QString governmentDescription(qint64 government);
