#pragma once

#include "model/HexData.h"
#include "universe/HexList.h"

#include <QList>
#include <QString>

class StarfarerUniverse;

// The name the map-object editors show for a hex, and the order of their system
// menus.
namespace SystemNames {

// "Unknown" when no system is stored at the hex, "Unnamed System" for a system
// without a name, else the system's name.
QString systemName(const StarfarerUniverse &universe, qint64 sectorX, qint64 sectorY, qint64 column,
                   qint64 row);
QString systemName(const StarfarerUniverse &universe, const GalacticCoordinates &hex);

// The title of a system's menu entry: its name, or "Unnamed System".
QString entryTitle(const StarSystem &system);

// The positions of `hexes` sorted stably by the systems' names lower-cased for the
// current locale, compared code point by code point (no collation, so "ä…" follows
// "z…"); canonically equivalent names compare equal. A system without a name comes
// first. Only positions move, so no system is copied.
QList<qsizetype> orderBySystemName(const HexList &hexes);

} // namespace SystemNames
