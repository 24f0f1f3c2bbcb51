#include "MapSearch.h"

namespace MapSearch {

namespace {

bool matches(const HexData &hex, const QString &query)
{
    const auto contains = [&query](const QString &text) { return text.contains(query, Qt::CaseInsensitive); };
    const QString label =
        hex.coordinates.description() + QLatin1Char(' ') + hex.coordinates.subsectorLetter();
    if (contains(label) || contains(hex.starSystem.name))
        return true;
    for (const Star &star : hex.starSystem.stars) {
        for (const WorldData &world : star.worlds) {
            if (contains(world.name))
                return true;
        }
    }
    return false;
}

} // namespace

const MapSystem *match(const QList<const MapSystem *> &systems, const QString &query)
{
    const QString trimmed = query.trimmed();
    if (trimmed.isEmpty())
        return nullptr;
    for (const MapSystem *system : systems) {
        if (matches(system->hex, trimmed))
            return system;
    }
    return nullptr;
}

MapTransform centredOn(const QPointF &mapPoint, double scale, const QSizeF &size)
{
    return {scale,
            QPointF(size.width() / 2 - scale * mapPoint.x(), size.height() / 2 - scale * mapPoint.y())};
}

} // namespace MapSearch
