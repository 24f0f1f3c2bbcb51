#include "RutterIndex.h"

#include "universe/StarfarerUniverse.h"

#include <algorithm>

RutterIndex::RutterIndex(StarfarerUniverse *universe, QObject *parent) : QObject(parent), m_universe(universe)
{
    if (universe) {
        using U = StarfarerUniverse;
        connect(universe, &U::ruttersChanged, this, &RutterIndex::rebuild);
        connect(universe, &U::rutterInserted, this,
                [this](qsizetype position, const Rutter &added) { file(added, position); });
        connect(universe, &U::ruttersInserted, this, [this](qsizetype first, qsizetype count) {
            const QList<Rutter> &rutters = m_universe->rutters();
            for (qsizetype position = first; position < first + count; ++position)
                file(rutters[position], position);
        });
        connect(universe, &U::rutterReplaced, this,
                [this](qsizetype position, const Rutter &before, const Rutter &after) {
                    unfile(before, position);
                    file(after, position);
                });
        connect(universe, &U::rutterRemoved, this, [this](qsizetype position, const Rutter &gone) {
            unfile(gone, position);
            // The later rutters moved up one place.
            for (QList<qsizetype> &positions : m_positions) {
                for (qsizetype &later : positions) {
                    if (later > position)
                        --later;
                }
            }
        });
    }
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
        ends.append(*rutters[position].farEnd(hex));
    return ends;
}

void RutterIndex::rebuild()
{
    m_positions.clear();
    if (!m_universe)
        return;
    const QList<Rutter> &rutters = m_universe->rutters();
    for (qsizetype position = 0; position < rutters.size(); ++position)
        file(rutters[position], position);
}

void RutterIndex::file(const Rutter &rutter, qsizetype position)
{
    // A rutter from a hex to itself is listed once.
    for (const GalacticCoordinates &end : {rutter.start, rutter.end}) {
        QList<qsizetype> &positions = m_positions[end];
        const auto place = std::lower_bound(positions.begin(), positions.end(), position);
        if (place == positions.end() || *place != position)
            positions.insert(place, position);
    }
}

void RutterIndex::unfile(const Rutter &rutter, qsizetype position)
{
    for (const GalacticCoordinates &end : {rutter.start, rutter.end}) {
        const auto found = m_positions.find(end);
        if (found == m_positions.end())
            continue;
        found->removeOne(position);
        if (found->isEmpty())
            m_positions.erase(found);
    }
}
