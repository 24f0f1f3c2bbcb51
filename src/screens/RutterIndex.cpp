#include "RutterIndex.h"

#include "universe/StarfarerUniverse.h"

#include <algorithm>
#include <tuple>

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
            // The later rutters moved up one place; the ends keep their order.
            for (End &end : m_ends) {
                if (end.position > position)
                    --end.position;
            }
        });
    }
    rebuild();
}

namespace {

auto placeOf(const GalacticCoordinates &hex)
{
    return std::tie(hex.sectorX, hex.sectorY, hex.column, hex.row);
}

} // namespace

bool RutterIndex::comesBefore(const End &a, const End &b)
{
    if (const auto compared = placeOf(a.hex) <=> placeOf(b.hex); compared != 0)
        return compared < 0;
    return a.position < b.position;
}

std::pair<std::vector<RutterIndex::End>::const_iterator, std::vector<RutterIndex::End>::const_iterator>
RutterIndex::endsAt(const GalacticCoordinates &hex) const
{
    return std::equal_range(m_ends.cbegin(), m_ends.cend(), End{hex, 0},
                            [](const End &a, const End &b) { return placeOf(a.hex) < placeOf(b.hex); });
}

QList<RutterDestination> RutterIndex::destinations(const GalacticCoordinates &hex) const
{
    QList<RutterDestination> destinations;
    if (!m_universe)
        return destinations;
    const QList<Rutter> &rutters = m_universe->rutters();
    const auto [first, last] = endsAt(hex);
    for (auto end = first; end != last; ++end) {
        if (std::optional<RutterDestination> destination =
                RutterDestination::of(*m_universe, rutters[end->position], hex))
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
    const auto [first, last] = endsAt(hex);
    for (auto end = first; end != last; ++end)
        ends.append(*rutters[end->position].farEnd(hex));
    return ends;
}

void RutterIndex::rebuild()
{
    m_ends.clear();
    if (!m_universe)
        return;
    const QList<Rutter> &rutters = m_universe->rutters();
    m_ends.reserve(std::size_t(2 * rutters.size()));
    for (qsizetype position = 0; position < rutters.size(); ++position) {
        m_ends.push_back({rutters[position].start, position});
        if (rutters[position].end != rutters[position].start)
            m_ends.push_back({rutters[position].end, position});
    }
    std::sort(m_ends.begin(), m_ends.end(), comesBefore);
}

void RutterIndex::file(const Rutter &rutter, qsizetype position)
{
    for (const GalacticCoordinates &hex : {rutter.start, rutter.end}) {
        const End end{hex, position};
        const auto place = std::lower_bound(m_ends.begin(), m_ends.end(), end, comesBefore);
        if (place == m_ends.end() || comesBefore(end, *place))
            m_ends.insert(place, end);
    }
}

void RutterIndex::unfile(const Rutter &rutter, qsizetype position)
{
    for (const GalacticCoordinates &hex : {rutter.start, rutter.end}) {
        const End end{hex, position};
        const auto place = std::lower_bound(m_ends.begin(), m_ends.end(), end, comesBefore);
        if (place != m_ends.end() && !comesBefore(end, *place))
            m_ends.erase(place);
    }
}
