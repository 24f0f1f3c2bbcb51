#include "RutterHexIndex.h"

#include <algorithm>
#include <tuple>

namespace {

auto placeOf(const GalacticCoordinates &hex)
{
    return std::tie(hex.sectorX, hex.sectorY, hex.column, hex.row);
}

} // namespace

bool RutterHexIndex::comesBefore(const End &a, const End &b)
{
    if (const auto compared = placeOf(a.hex) <=> placeOf(b.hex); compared != 0)
        return compared < 0;
    return a.position < b.position;
}

void RutterHexIndex::addEnds(std::vector<End> &ends, const Rutter &rutter, qsizetype position)
{
    ends.push_back({rutter.start, position});
    if (rutter.end != rutter.start)
        ends.push_back({rutter.end, position});
}

void RutterHexIndex::rebuild(const QList<Rutter> &rutters)
{
    m_ends.clear();
    m_ends.reserve(std::size_t(2 * rutters.size()));
    for (qsizetype position = 0; position < rutters.size(); ++position)
        addEnds(m_ends, rutters[position], position);
    std::sort(m_ends.begin(), m_ends.end(), comesBefore);
}

void RutterHexIndex::appended(const QList<Rutter> &rutters, qsizetype first)
{
    // A batch (an import's routes) is sorted on its own and merged in once, rather
    // than moving the later ends once per rutter.
    const auto kept = std::ptrdiff_t(m_ends.size());
    for (qsizetype position = first; position < rutters.size(); ++position)
        addEnds(m_ends, rutters[position], position);
    std::sort(m_ends.begin() + kept, m_ends.end(), comesBefore);
    std::inplace_merge(m_ends.begin(), m_ends.begin() + kept, m_ends.end(), comesBefore);
}

void RutterHexIndex::replaced(qsizetype position, const Rutter &before, const Rutter &after)
{
    unfile(before, position);
    file(after, position);
}

void RutterHexIndex::removed(qsizetype position, const Rutter &rutter)
{
    unfile(rutter, position);
    // The later rutters moved up one place; the ends keep their order.
    for (End &end : m_ends) {
        if (end.position > position)
            --end.position;
    }
}

QList<qsizetype> RutterHexIndex::positionsAt(const GalacticCoordinates &hex) const
{
    const auto [first, last] =
        std::equal_range(m_ends.cbegin(), m_ends.cend(), End{hex, 0},
                         [](const End &a, const End &b) { return placeOf(a.hex) < placeOf(b.hex); });
    QList<qsizetype> positions;
    positions.reserve(last - first);
    for (auto end = first; end != last; ++end)
        positions.append(end->position);
    return positions;
}

void RutterHexIndex::file(const Rutter &rutter, qsizetype position)
{
    for (const GalacticCoordinates &hex : {rutter.start, rutter.end}) {
        const End end{hex, position};
        const auto place = std::lower_bound(m_ends.begin(), m_ends.end(), end, comesBefore);
        if (place == m_ends.end() || comesBefore(end, *place))
            m_ends.insert(place, end);
    }
}

void RutterHexIndex::unfile(const Rutter &rutter, qsizetype position)
{
    for (const GalacticCoordinates &hex : {rutter.start, rutter.end}) {
        const End end{hex, position};
        const auto place = std::lower_bound(m_ends.begin(), m_ends.end(), end, comesBefore);
        if (place != m_ends.end() && !comesBefore(end, *place))
            m_ends.erase(place);
    }
}
