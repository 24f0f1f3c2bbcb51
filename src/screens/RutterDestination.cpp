#include "RutterDestination.h"

#include "model/HexLayout.h"
#include "model/ShortenedText.h"
#include "universe/StarfarerUniverse.h"

QString RutterDestination::chipText() const
{
    return quotedName(name) + QStringLiteral(" [") + QString::number(distance) + QLatin1Char(']');
}

std::optional<RutterDestination> RutterDestination::of(const StarfarerUniverse &universe,
                                                       const Rutter &rutter, const GalacticCoordinates &hex)
{
    const std::optional<GalacticCoordinates> farEnd = rutter.farEnd(hex);
    if (!farEnd)
        return std::nullopt;
    RutterDestination destination;
    destination.id = rutter.id;
    destination.distance = HexLayout::distance(rutter.start, rutter.end);
    const std::optional<HexData> there = universe.hexData(*farEnd);
    destination.name =
        there && !there->starSystem.name.isEmpty() ? there->starSystem.name : farEnd->description();
    if (const std::optional<Faction> faction = universe.faction(rutter))
        destination.color = faction->color;
    return destination;
}

QList<RutterDestination> RutterDestination::touching(const StarfarerUniverse &universe,
                                                     const GalacticCoordinates &hex)
{
    QList<RutterDestination> destinations;
    for (const Rutter &rutter : universe.rutters()) {
        if (std::optional<RutterDestination> destination = of(universe, rutter, hex))
            destinations.append(*destination);
    }
    return destinations;
}
