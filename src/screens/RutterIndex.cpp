#include "RutterIndex.h"

#include "universe/StarfarerUniverse.h"

RutterIndex::RutterIndex(StarfarerUniverse *universe) : m_universe(universe) {}

QList<RutterDestination> RutterIndex::destinations(const GalacticCoordinates &hex) const
{
    QList<RutterDestination> destinations;
    if (!m_universe)
        return destinations;
    const QList<Rutter> &rutters = m_universe->rutters();
    for (const qsizetype position : m_universe->positionsOfRuttersAt(hex)) {
        if (std::optional<RutterDestination> destination =
                RutterDestination::of(*m_universe, rutters[position], hex))
            destinations.append(*destination);
    }
    return destinations;
}

QList<GalacticCoordinates> RutterIndex::farEnds(const GalacticCoordinates &hex) const
{
    QList<GalacticCoordinates> ends;
    if (!m_universe)
        return ends;
    const QList<Rutter> &rutters = m_universe->rutters();
    for (const qsizetype position : m_universe->positionsOfRuttersAt(hex))
        ends.append(*rutters[position].farEnd(hex));
    return ends;
}
