#pragma once

#include "GridExtent.h"
#include "MapSystem.h"

#include <QHash>
#include <QList>
#include <QRectF>
#include <QUuid>

#include <optional>
#include <utility>

// The visible systems filed by subsector, so that a frame visits only the systems
// near the rectangle it draws and a hex is found without a scan of the whole map.
// Each subsector keeps its systems in universe order and the block of hexes they
// cover, so that single systems come and go without a rebuild. The subsectors are
// kept by sector, with the block of hexes the sector's systems cover: the map finds
// the sectors holding systems without walking the empty ones between them, joins the
// extent of every system from the sectors', and a change made while a copy of the
// index is alive (the map a frame is being drawn from) copies one sector's
// subsectors, never those of the whole map.
class SystemIndex
{
public:
    explicit SystemIndex(double hexRadius) : m_hexRadius(hexRadius) {}

    void clear();
    // Files a system; its `order` decides its place among the others.
    void insert(MapSystem system);
    // Files every system of `later`, whose orders all come after every order filed
    // here: the index of one list filed in parts, one part after another.
    void append(SystemIndex later);
    // Removes the system with this id filed at these coordinates; false when none is.
    bool remove(const QUuid &id, const GalacticCoordinates &coordinates);
    // Gives every system the order `renumber` makes of its own, which must keep the
    // systems' sequence.
    template <typename Renumber> void renumber(Renumber renumber)
    {
        for (Sector &sector : m_sectors) {
            for (Block &block : sector.blocks) {
                for (MapSystem &system : block.systems)
                    system.order = renumber(system.order);
            }
        }
    }

    qsizetype size() const { return m_size; }
    bool isEmpty() const { return m_size == 0; }
    // The smallest block of hexes holding every system; none when there is none.
    std::optional<GridExtent> extent() const;
    // The sectors holding systems, as (galactic column ÷ 32, galactic row ÷ 40) rounded
    // down, within the block of sector indices `sectors`, column by column.
    QList<std::pair<qint64, qint64>> occupiedSectors(const GridExtent &sectors) const;
    // The longest name drawn for a system ever filed since the last clear, in characters
    // laid out.
    qsizetype longestName() const { return m_longestName; }

    // The first system, in universe order, at exactly these coordinates.
    const MapSystem *at(const GalacticCoordinates &coordinates) const;
    // The systems whose centres lie in `mapRect`, in universe order.
    QList<const MapSystem *> inRect(const QRectF &mapRect) const;
    // Every system, in universe order.
    QList<const MapSystem *> all() const;

    // The text drawn under a system: its name, or "Unnamed".
    static QString nameText(const StarSystem &system);

private:
    using BlockKey = std::pair<qint64, qint64>;
    struct Block
    {
        QList<MapSystem> systems; // in universe order
        GridExtent cells;
    };

    struct Sector
    {
        QHash<BlockKey, Block> blocks;
        GridExtent cells; // joined from its blocks'
    };

    static BlockKey keyOf(const GalacticCoordinates &coordinates);
    static BlockKey sectorOf(const BlockKey &block);
    static void sortByOrder(QList<const MapSystem *> &systems);
    static void recomputeCells(Block &block);
    static void recomputeCells(Sector &sector);
    // The block of this key, or null.
    const Block *blockAt(const BlockKey &key) const;

    double m_hexRadius;
    QHash<BlockKey, Sector> m_sectors; // the blocks holding systems, by sector
    qsizetype m_blockCount = 0;
    qsizetype m_size = 0;
    qsizetype m_longestName = 0;
};
