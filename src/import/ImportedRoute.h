#pragma once

#include "SectorMetadata.h"
#include "SectorPosition.h"
#include "model/GalacticCoordinates.h"

#include <QList>
#include <QString>

namespace TravellerMapImporter {

// A trade route of the metadata with both ends placed on the map: each end is a hex
// of some sector, its column 1–32 and row 1–40, whatever sector offset and column or
// row beyond the sector's edge the service gave.
struct ImportedRoute
{
    GalacticCoordinates start;
    GalacticCoordinates end;
    QString allegiance;          // as read; may be empty
    bool mainTradeRoute = false; // wider than 1

    friend bool operator==(const ImportedRoute &, const ImportedRoute &) = default;
};

// The end of a route: the hex at `column`, `row` of the sector at the service's offset
// from `sector` (the service's Y offset grows downwards, our sector Y upwards), moved
// into the sector that really holds it. None when the numbers do not fit in 64 bits.
std::optional<GalacticCoordinates> routeEnd(SectorPosition sector, qint64 offsetX, qint64 offsetY,
                                            qint64 column, qint64 row);

// The routes in order, without those whose hexes cannot be read or placed.
QList<ImportedRoute> importedRoutes(const QList<MetaRoute> &routes, SectorPosition sector);

} // namespace TravellerMapImporter
