#include "RutterIndex.h"

#include "universe/UniverseChanges.h"

RutterIndex::RutterIndex(StarfarerUniverse *universe, QObject *parent) : QObject(parent), m_universe(universe)
{
    if (universe)
        UniverseChanges::onObjects<Rutter>(universe, this,
                                           [this](const ObjectChange<Rutter> &) { rebuild(); });
    rebuild();
}

QList<RutterDestination> RutterIndex::destinations(const GalacticCoordinates &hex) const
{
    QList<RutterDestination> destinations;
    if (!m_universe)
        return destinations;
    const QList<Rutter> &rutters = m_universe->rutters();
    for (qsizetype position : m_positions.value(hex)) {
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
    for (qsizetype position : m_positions.value(hex))
        ends.append(rutters[position].start == hex ? rutters[position].end : rutters[position].start);
    return ends;
}

void RutterIndex::rebuild()
{
    m_positions.clear();
    if (!m_universe)
        return;
    const QList<Rutter> &rutters = m_universe->rutters();
    for (qsizetype position = 0; position < rutters.size(); ++position) {
        m_positions[rutters[position].start].append(position);
        // A rutter from a hex to itself is listed once.
        if (rutters[position].end != rutters[position].start)
            m_positions[rutters[position].end].append(position);
    }
}
