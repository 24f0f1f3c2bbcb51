#pragma once

#include "HexList.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QUuid>

#include <vector>

// Where the hexes of a HexList stand, by id and by coordinates; where several hexes
// share an id or coordinates, the first of them in the list. It follows the list
// through appends, replacements and removals at a cost that does not grow with the
// list, so that removing one system of 50,000 does not renumber the other 49,999.
//
// Each hex gets a slot number when it is appended, one more than the last, so slots
// rise with the position and a hex keeps its slot while others go. The keys lead to
// slots; a removed slot goes into a sorted log, and a position is its slot less the
// removed slots before it (a binary search in the log). When the log holds more
// slots than the list has hexes, the keys are renumbered and the log emptied: a cost
// of the list's size after as many removals, so each removal's share stays small.
class HexIndex
{
public:
    // Removals the log takes before it may be folded, however small the list.
    static constexpr qsizetype kShortestFoldedLog = 64;

    // Indexes every hex of `data` afresh.
    void rebuild(const HexList &data);
    // `hex` was appended to the list.
    void appended(const HexData &hex);
    // The hex at `position` changed from `before` to `after`.
    void replaced(qsizetype position, const HexData &before, const HexData &after);
    // `hex`, at `position`, was removed; the later hexes moved one place up.
    void removed(qsizetype position, const HexData &hex);

    // The position of the first hex with this id, or -1.
    qsizetype positionOf(const QUuid &id) const { return positionOfSlot(m_ids.first(id)); }
    // The position of the first hex at these coordinates, or -1.
    qsizetype positionAt(const GalacticCoordinates &coordinates) const
    {
        return positionOfSlot(m_places.first(coordinates));
    }
    // The positions of every hex at these coordinates, ascending.
    QList<qsizetype> positionsAt(const GalacticCoordinates &coordinates) const;

    // The slots, for views that keep hexes in the list's order without renumbering
    // them on each removal: a hex's slot keeps its order among the others' and stays
    // the same until renumberings() grows (the log folded, or the list indexed afresh).
    // The slot of the first hex with this id, or -1.
    qint64 slotOf(const QUuid &id) const { return m_ids.first(id); }
    // The slot of the hex at `position`.
    qint64 slotAt(qsizetype position) const;
    qint64 renumberings() const { return m_renumberings; }
    // The ids that more than one hex carries.
    QSet<QUuid> sharedIDs() const { return m_ids.shared(); }

private:
    // The slots of the hexes with each key, the first (smallest) apart from the
    // others: most keys are held by one hex, and they need no list.
    template <typename Key> class Slots
    {
    public:
        void clear()
        {
            m_first.clear();
            m_later.clear();
        }
        void reserve(qsizetype size) { m_first.reserve(size); }
        qint64 first(const Key &key) const { return m_first.value(key, -1); }
        QSet<Key> shared() const { return QSet<Key>(m_later.keyBegin(), m_later.keyEnd()); }
        // Every slot with the key, ascending.
        QList<qint64> all(const Key &key) const;
        void add(const Key &key, qint64 slot);
        void remove(const Key &key, qint64 slot);
        // Gives every slot the number `renumber` makes of it; the order stays.
        template <typename Renumber> void renumber(Renumber renumber);

    private:
        QHash<Key, qint64> m_first;
        QHash<Key, std::vector<qint64>> m_later; // ascending, never empty
    };

    qsizetype positionOfSlot(qint64 slot) const;
    // Renumbers the slots to the positions and empties the log.
    void fold();

    Slots<QUuid> m_ids;
    Slots<GalacticCoordinates> m_places;
    qint64 m_nextSlot = 0;
    std::vector<qint64> m_removed; // the removed slots, ascending
    qint64 m_renumberings = 0;
};
