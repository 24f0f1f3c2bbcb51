#include "HexIndex.h"

#include <algorithm>

template <typename Key> void HexIndex::Slots<Key>::add(const Key &key, qint64 slot)
{
    const auto first = m_first.find(key);
    if (first == m_first.end()) {
        m_first.insert(key, slot);
        return;
    }
    std::vector<qint64> &later = m_later[key];
    if (slot < *first)
        std::swap(slot, *first);
    later.insert(std::upper_bound(later.begin(), later.end(), slot), slot);
}

template <typename Key> void HexIndex::Slots<Key>::remove(const Key &key, qint64 slot)
{
    const auto first = m_first.find(key);
    if (first == m_first.end())
        return;
    const auto later = m_later.find(key);
    if (*first == slot) {
        if (later == m_later.end()) {
            m_first.erase(first);
            return;
        }
        // The next hex with the key becomes the first.
        *first = later->front();
        later->erase(later->begin());
    } else if (later != m_later.end()) {
        const auto found = std::lower_bound(later->begin(), later->end(), slot);
        if (found != later->end() && *found == slot)
            later->erase(found);
    }
    if (later != m_later.end() && later->empty())
        m_later.erase(later);
}

template <typename Key> QList<qint64> HexIndex::Slots<Key>::all(const Key &key) const
{
    const auto first = m_first.constFind(key);
    if (first == m_first.cend())
        return {};
    QList<qint64> found{*first};
    if (const auto later = m_later.constFind(key); later != m_later.cend())
        found.append(QList<qint64>(later->cbegin(), later->cend()));
    return found;
}

template <typename Key> template <typename Renumber> void HexIndex::Slots<Key>::renumber(Renumber renumber)
{
    for (qint64 &slot : m_first)
        slot = renumber(slot);
    for (std::vector<qint64> &later : m_later) {
        for (qint64 &slot : later)
            slot = renumber(slot);
    }
}

void HexIndex::rebuild(const HexList &data)
{
    m_ids.clear();
    m_places.clear();
    m_removed.clear();
    m_nextSlot = 0;
    ++m_renumberings;
    m_ids.reserve(data.size());
    m_places.reserve(data.size());
    for (const HexData &hex : data)
        appended(hex);
}

void HexIndex::appended(const HexData &hex)
{
    const qint64 slot = m_nextSlot++;
    m_ids.add(hex.id, slot);
    m_places.add(hex.coordinates, slot);
}

void HexIndex::replaced(qsizetype position, const HexData &before, const HexData &after)
{
    const qint64 slot = slotAt(position);
    if (before.id != after.id) {
        m_ids.remove(before.id, slot);
        m_ids.add(after.id, slot);
    }
    if (before.coordinates != after.coordinates) {
        m_places.remove(before.coordinates, slot);
        m_places.add(after.coordinates, slot);
    }
}

void HexIndex::removed(qsizetype position, const HexData &hex)
{
    const qint64 slot = slotAt(position);
    m_ids.remove(hex.id, slot);
    m_places.remove(hex.coordinates, slot);
    m_removed.insert(std::upper_bound(m_removed.begin(), m_removed.end(), slot), slot);
    const qsizetype hexes = qsizetype(m_nextSlot) - qsizetype(m_removed.size());
    if (qsizetype(m_removed.size()) > std::max(hexes, kShortestFoldedLog))
        fold();
}

QList<qsizetype> HexIndex::positionsAt(const GalacticCoordinates &coordinates) const
{
    QList<qsizetype> positions;
    for (const qint64 slot : m_places.all(coordinates))
        positions.append(positionOfSlot(slot));
    return positions;
}

qsizetype HexIndex::positionOfSlot(qint64 slot) const
{
    if (slot < 0)
        return -1;
    return qsizetype(slot -
                     (std::lower_bound(m_removed.cbegin(), m_removed.cend(), slot) - m_removed.cbegin()));
}

qint64 HexIndex::slotAt(qsizetype position) const
{
    // The removed slot at index i has i removed slots and (slot - i) hexes before it.
    // The slot of `position` lies beyond exactly those removed slots with at most
    // `position` hexes before them, and that count is monotonic in i.
    qsizetype low = 0;
    qsizetype high = qsizetype(m_removed.size());
    while (low < high) {
        const qsizetype middle = low + (high - low) / 2;
        if (m_removed[std::size_t(middle)] - middle <= position)
            low = middle + 1;
        else
            high = middle;
    }
    return qint64(position) + low;
}

void HexIndex::fold()
{
    const auto toPosition = [this](qint64 slot) { return qint64(positionOfSlot(slot)); };
    m_ids.renumber(toPosition);
    m_places.renumber(toPosition);
    m_nextSlot -= qint64(m_removed.size());
    m_removed.clear();
    ++m_renumberings;
}
