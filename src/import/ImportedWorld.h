#pragma once

#include "SectorPosition.h"
#include "SectorTable.h"
#include "model/HexData.h"
#include "model/Race.h"
#include "model/UWP.h"
#include "model/WorldTag.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <initializer_list>
#include <optional>

namespace TravellerMapImporter {

// Allegiance code to name, as the service lists them.
using AllegianceTable = QHash<QString, QString>;

// One world row of the sector data made into a hex to store: a system whose only
// world is the row's main world, and the row's allegiance code, which the apply step
// turns into a faction. Pure conversion on plain values, safe on any thread.
struct ImportedWorld
{
    GalacticCoordinates coordinates;
    HexData hexData;
    QString allegiance; // exactly as read; may be empty
};

// The world of one row in the given sector; none when the row's hex is not a hex of
// the sector (four digits, column 01–32, row 01–40) or its profile is too short.
std::optional<ImportedWorld> makeWorld(const SectorRow &row, SectorPosition sector,
                                       const AllegianceTable &allegiances);

// The name shown for an allegiance code: the service's, else a built-in one (of the
// code, then of its first two letters), else the code itself ("Unknown Allegiance"
// for no code).
QString allegianceName(const QString &code, const AllegianceTable &allegiances);

// The steps of makeWorld, each usable on its own.

// The first of the columns whose field is present and not empty; else empty text.
QString value(const SectorRow &row, std::initializer_list<QLatin1StringView> keys);
// The profile line with the bases and the population multiplier; none for fewer than
// seven characters. Unknown letters read as starport X or digit 0.
std::optional<UWP> parseUWP(const QString &profile, const QString &bases, const QString &pbg);
QList<TradeClass> tradeClassesFromRemarks(const QString &remarks);
// The people of the homeworld and sophont remarks with the largest population digit.
std::optional<Race> sophontRaceFromRemarks(const QString &remarks);
// The people an allegiance code implies, by its prefix.
std::optional<Race> raceForAllegiance(const QString &allegiance);
QList<WorldTag> zoneTags(const QString &zone);
QString worldNotes(const QString &remarks, const QString &bases, const SectorRow &row);

} // namespace TravellerMapImporter
