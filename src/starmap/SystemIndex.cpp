#include "SystemIndex.h"

#include "MapText.h"

#include "model/HexLayout.h"

#include <algorithm>
#include <cmath>

namespace {

qint64 galacticColumn(const GalacticCoordinates &c)
{
    return HexLayout::galacticColumn(c);
}

qint64 galacticRow(const GalacticCoordinates &c)
{
    return HexLayout::galacticRow(c);
}

constexpr qint64 kBlockColumns = 8;
constexpr qint64 kBlockRows = 10;
// A sector is four blocks across and four down.
constexpr qint64 kBlocksPerSectorColumn = 4;
constexpr qint64 kBlocksPerSectorRow = 4;

} // namespace

QString SystemIndex::nameText(const StarSystem &system)
{
    return system.name.isEmpty() ? QStringLiteral("Unnamed") : system.name;
}

SystemIndex::BlockKey SystemIndex::keyOf(const GalacticCoordinates &coordinates)
{
    return {GridExtent::floorDiv(galacticColumn(coordinates), kBlockColumns),
            GridExtent::floorDiv(galacticRow(coordinates), kBlockRows)};
}

SystemIndex::BlockKey SystemIndex::sectorOf(const BlockKey &block)
{
    return {GridExtent::floorDiv(block.first, kBlocksPerSectorColumn),
            GridExtent::floorDiv(block.second, kBlocksPerSectorRow)};
}

void SystemIndex::clear()
{
    m_sectors.clear();
    m_blockCount = 0;
    m_size = 0;
    m_longestName = 0;
}

void SystemIndex::insert(MapSystem system)
{
    const qint64 col = galacticColumn(system.hex.coordinates);
    const qint64 row = galacticRow(system.hex.coordinates);
    m_longestName =
        std::max(m_longestName, std::min(nameText(system.hex.starSystem).size(), MapText::kLongestText));
    const BlockKey key = keyOf(system.hex.coordinates);
    const GridExtent cell{col, col, row, row};
    Sector &sector = m_sectors[sectorOf(key)];
    sector.cells = sector.blocks.isEmpty() ? cell : sector.cells.joined(cell);
    Block &block = sector.blocks[key];
    if (block.systems.isEmpty()) {
        ++m_blockCount;
        block.cells = cell;
    } else {
        block.cells = block.cells.joined(cell);
    }
    const auto place =
        std::upper_bound(block.systems.begin(), block.systems.end(), system.order,
                         [](qint64 order, const MapSystem &filed) { return order < filed.order; });
    block.systems.insert(place, std::move(system));
    ++m_size;
}

void SystemIndex::append(SystemIndex later)
{
    for (auto sector = later.m_sectors.begin(); sector != later.m_sectors.end(); ++sector) {
        Sector &kept = m_sectors[sector.key()];
        if (kept.blocks.isEmpty()) {
            kept = std::move(sector.value());
            continue;
        }
        kept.cells = kept.cells.joined(sector->cells);
        for (auto block = sector->blocks.begin(); block != sector->blocks.end(); ++block) {
            Block &here = kept.blocks[block.key()];
            if (here.systems.isEmpty()) {
                here = std::move(block.value());
            } else {
                here.cells = here.cells.joined(block->cells);
                here.systems.append(std::move(block->systems));
                --later.m_blockCount; // joined to one here
            }
        }
    }
    m_blockCount += later.m_blockCount;
    m_size += later.m_size;
    m_longestName = std::max(m_longestName, later.m_longestName);
}

void SystemIndex::recomputeCells(Sector &sector)
{
    sector.cells = sector.blocks.cbegin()->cells;
    for (const Block &block : std::as_const(sector.blocks))
        sector.cells = sector.cells.joined(block.cells);
}

void SystemIndex::recomputeCells(Block &block)
{
    const MapSystem &first = block.systems.front();
    block.cells = {galacticColumn(first.hex.coordinates), galacticColumn(first.hex.coordinates),
                   galacticRow(first.hex.coordinates), galacticRow(first.hex.coordinates)};
    for (const MapSystem &system : block.systems) {
        const qint64 col = galacticColumn(system.hex.coordinates);
        const qint64 row = galacticRow(system.hex.coordinates);
        block.cells = block.cells.joined({col, col, row, row});
    }
}

bool SystemIndex::remove(const QUuid &id, const GalacticCoordinates &coordinates)
{
    const BlockKey key = keyOf(coordinates);
    const Block *filed = blockAt(key);
    // Another hex of the same block may hold a system of this id too.
    const auto matches = [&](const MapSystem &system) {
        return system.hex.id == id && system.hex.coordinates == coordinates;
    };
    if (!filed || std::none_of(filed->systems.cbegin(), filed->systems.cend(), matches))
        return false;
    // Found: only now is the sector's share of a copy of the index taken over.
    const auto sector = m_sectors.find(sectorOf(key));
    const auto found = sector->blocks.find(key);
    Block &block = found.value();
    block.systems.erase(std::find_if(block.systems.begin(), block.systems.end(), matches));
    --m_size;
    if (block.systems.isEmpty()) {
        --m_blockCount;
        sector->blocks.erase(found);
    } else {
        recomputeCells(block);
    }
    if (sector->blocks.isEmpty())
        m_sectors.erase(sector);
    else
        recomputeCells(*sector);
    return true;
}

const SystemIndex::Block *SystemIndex::blockAt(const BlockKey &key) const
{
    const auto sector = m_sectors.constFind(sectorOf(key));
    if (sector == m_sectors.cend())
        return nullptr;
    const auto block = sector->blocks.constFind(key);
    return block == sector->blocks.cend() ? nullptr : &block.value();
}

QList<std::pair<qint64, qint64>> SystemIndex::occupiedSectors(const GridExtent &sectors) const
{
    QList<std::pair<qint64, qint64>> found;
    for (auto sector = m_sectors.keyBegin(); sector != m_sectors.keyEnd(); ++sector) {
        const auto [i, j] = *sector;
        if (i >= sectors.minCol && i <= sectors.maxCol && j >= sectors.minRow && j <= sectors.maxRow)
            found.append(*sector);
    }
    std::sort(found.begin(), found.end());
    return found;
}

std::optional<GridExtent> SystemIndex::extent() const
{
    std::optional<GridExtent> extent;
    for (const Sector &sector : m_sectors)
        extent = extent ? extent->joined(sector.cells) : sector.cells;
    return extent;
}

const MapSystem *SystemIndex::at(const GalacticCoordinates &coordinates) const
{
    const Block *block = blockAt(keyOf(coordinates));
    if (!block)
        return nullptr;
    for (const MapSystem &system : block->systems) {
        if (system.hex.coordinates == coordinates)
            return &system;
    }
    return nullptr;
}

QList<const MapSystem *> SystemIndex::inRect(const QRectF &mapRect) const
{
    QList<const MapSystem *> found;
    const auto collect = [&](const Block &block) {
        for (const MapSystem &system : block.systems) {
            if (mapRect.contains(system.centre))
                found.append(&system);
        }
    };
    // The blocks that can hold a centre in the rectangle; a hex centre lies at most
    // half a hex height below its row's top.
    const double columnWidth = 1.5 * m_hexRadius;
    const double rowHeight = std::sqrt(3.0) * m_hexRadius;
    const double minCol = std::floor(mapRect.left() / columnWidth) - 1;
    const double maxCol = std::ceil(mapRect.right() / columnWidth) + 1;
    const double minRow = std::floor(mapRect.top() / rowHeight) - 1;
    const double maxRow = std::ceil(mapRect.bottom() / rowHeight) + 1;
    const double firstBlockCol = std::floor(minCol / kBlockColumns);
    const double lastBlockCol = std::floor(maxCol / kBlockColumns);
    const double firstBlockRow = std::floor(minRow / kBlockRows);
    const double lastBlockRow = std::floor(maxRow / kBlockRows);
    const double blockCount = (lastBlockCol - firstBlockCol + 1) * (lastBlockRow - firstBlockRow + 1);
    constexpr double kFar = 1e15; // beyond any map, and still exact as an integer
    const bool nearby = std::abs(firstBlockCol) < kFar && std::abs(lastBlockCol) < kFar &&
                        std::abs(firstBlockRow) < kFar && std::abs(lastBlockRow) < kFar;
    if (!nearby || !(blockCount <= static_cast<double>(m_blockCount))) {
        for (const Sector &sector : m_sectors) {
            for (const Block &block : sector.blocks)
                collect(block);
        }
    } else {
        for (auto i = static_cast<qint64>(firstBlockCol); i <= static_cast<qint64>(lastBlockCol); ++i) {
            for (auto j = static_cast<qint64>(firstBlockRow); j <= static_cast<qint64>(lastBlockRow); ++j) {
                if (const Block *block = blockAt({i, j}))
                    collect(*block);
            }
        }
    }
    sortByOrder(found);
    return found;
}

QList<const MapSystem *> SystemIndex::all() const
{
    QList<const MapSystem *> systems;
    systems.reserve(m_size);
    for (const Sector &sector : m_sectors) {
        for (const Block &block : sector.blocks) {
            for (const MapSystem &system : block.systems)
                systems.append(&system);
        }
    }
    sortByOrder(systems);
    return systems;
}

void SystemIndex::sortByOrder(QList<const MapSystem *> &systems)
{
    std::sort(systems.begin(), systems.end(),
              [](const MapSystem *a, const MapSystem *b) { return a->order < b->order; });
}
