#include "ImportedRoute.h"

#include "ImportText.h"
#include "model/HexLayout.h"

namespace TravellerMapImporter {

std::optional<GalacticCoordinates> routeEnd(SectorPosition sector, qint64 offsetX, qint64 offsetY,
                                            qint64 column, qint64 row)
{
    qint64 sectorX = 0, sectorY = 0, gx = 0, gy = 0, scaledY = 0;
    if (__builtin_add_overflow(sector.x, offsetX, &sectorX) ||
        __builtin_sub_overflow(sector.y, offsetY, &sectorY) || __builtin_mul_overflow(sectorX, 32, &gx) ||
        __builtin_add_overflow(gx, column - 1, &gx) || __builtin_mul_overflow(sectorY, 40, &scaledY) ||
        __builtin_sub_overflow(row - 1, scaledY, &gy))
        return std::nullopt;
    return HexLayout::coordinates(gx, gy);
}

QList<ImportedRoute> importedRoutes(const QList<MetaRoute> &routes, SectorPosition sector)
{
    QList<ImportedRoute> imported;
    imported.reserve(routes.size());
    for (const MetaRoute &route : routes) {
        const auto startHex = parseHex(route.start);
        const auto endHex = parseHex(route.end);
        if (!startHex || !endHex)
            continue;
        const auto start =
            routeEnd(sector, route.startOffsetX, route.startOffsetY, startHex->column, startHex->row);
        const auto end = routeEnd(sector, route.endOffsetX, route.endOffsetY, endHex->column, endHex->row);
        if (!start || !end)
            continue;
        imported.append(ImportedRoute{*start, *end, route.allegiance, route.width && *route.width > 1.0});
    }
    return imported;
}

} // namespace TravellerMapImporter
