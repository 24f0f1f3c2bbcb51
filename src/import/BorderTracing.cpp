#include "BorderTracing.h"

#include <QHash>
#include <QPointF>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <vector>

namespace TravellerMapImporter {

namespace {

// Cell arithmetic wraps instead of overflowing: cells of far-away hexes stay
// well-defined values, and the box checks below keep every scan bounded.
qint64 wrapAdd(qint64 a, qint64 b)
{
    return static_cast<qint64>(static_cast<quint64>(a) + static_cast<quint64>(b));
}

quint64 offset(qint64 value, qint64 from)
{
    return static_cast<quint64>(value) - static_cast<quint64>(from);
}

struct CornerLess
{
    bool operator()(const HexCorner &a, const HexCorner &b) const
    {
        return std::lexicographical_compare(a.cells().begin(), a.cells().end(), b.cells().begin(),
                                            b.cells().end());
    }
};

// A rectangle of cells, its origin and extent measured with wrapping arithmetic.
struct Box
{
    qint64 minX = 0;
    qint64 minZ = 0;
    quint64 width = 0;
    quint64 height = 0;

    // The box around the cells, widened by `margin` on each side; none when it would
    // hold more than kMaximumScannedCells cells.
    template <typename Cells> static std::optional<Box> around(const Cells &cells, qint64 margin)
    {
        if (cells.empty())
            return std::nullopt;
        qint64 minX = cells.begin()->x, maxX = minX, minZ = cells.begin()->z, maxZ = minZ;
        for (const Cube &cell : cells) {
            minX = std::min(minX, cell.x);
            maxX = std::max(maxX, cell.x);
            minZ = std::min(minZ, cell.z);
            maxZ = std::max(maxZ, cell.z);
        }
        const quint64 spanX = offset(maxX, minX);
        const quint64 spanZ = offset(maxZ, minZ);
        const quint64 limit = kMaximumScannedCells;
        if (spanX >= limit || spanZ >= limit)
            return std::nullopt;
        Box box{wrapAdd(minX, -margin), wrapAdd(minZ, -margin), spanX + 1 + 2 * quint64(margin),
                spanZ + 1 + 2 * quint64(margin)};
        if (box.width * box.height > limit)
            return std::nullopt;
        return box;
    }

    std::optional<quint64> index(const Cube &cell) const
    {
        const quint64 dx = offset(cell.x, minX);
        const quint64 dz = offset(cell.z, minZ);
        if (dx >= width || dz >= height)
            return std::nullopt;
        return dx * height + dz;
    }

    Cube cell(quint64 dx, quint64 dz) const
    {
        return Cube{wrapAdd(minX, qint64(dx)), wrapAdd(minZ, qint64(dz))};
    }
};

QPointF centerOf(const Cube &cell)
{
    return QPointF(1.5 * double(cell.x), std::sqrt(3.0) * (double(cell.z) + double(cell.x) / 2.0));
}

} // namespace

Cube cellOf(const GalacticCoordinates &hex)
{
    return HexLayout::cube(hex);
}

GalacticCoordinates hexOf(const Cube &cell)
{
    // The galactic row: z plus x / 2 rounded down (x − (x AND 1) is even, halving is exact).
    const qint64 even = static_cast<qint64>(static_cast<quint64>(cell.x) & ~quint64(1));
    return HexLayout::coordinates(cell.x, wrapAdd(cell.z, even / 2));
}

Cube neighbor(const Cube &cell, int direction)
{
    const Cube &step = HexCorner::directions[std::size_t(direction % 6)];
    return Cube{wrapAdd(cell.x, step.x), wrapAdd(cell.z, step.z)};
}

CellSet fillCells(const CellSet &cells)
{
    const std::optional<Box> found = Box::around(cells, 2);
    if (!found)
        return cells;
    const Box &box = *found;
    std::vector<bool> outside(box.width * box.height, false);
    std::vector<Cube> queue;
    const auto seed = [&](const Cube &cell) {
        const std::optional<quint64> at = box.index(cell);
        if (at && !outside[*at] && !cells.contains(cell)) {
            outside[*at] = true;
            queue.push_back(cell);
        }
    };
    for (quint64 dx = 0; dx < box.width; ++dx) {
        seed(box.cell(dx, 0));
        seed(box.cell(dx, box.height - 1));
    }
    for (quint64 dz = 0; dz < box.height; ++dz) {
        seed(box.cell(0, dz));
        seed(box.cell(box.width - 1, dz));
    }
    for (std::size_t next = 0; next < queue.size(); ++next) {
        const Cube current = queue[next];
        for (int k = 0; k < 6; ++k)
            seed(neighbor(current, k));
    }
    CellSet filled;
    for (quint64 dx = 0; dx < box.width; ++dx) {
        for (quint64 dz = 0; dz < box.height; ++dz) {
            if (!outside[dx * box.height + dz])
                filled.insert(filled.end(), box.cell(dx, dz));
        }
    }
    return filled;
}

QList<CornerLoop> boundaryLoops(const CellSet &cells)
{
    // Hashing for the lookups, one sorted list of corners for the order of the walk.
    const QSet<Cube> members(cells.begin(), cells.end());
    QHash<HexCorner, QVarLengthArray<HexCorner, 2>> links;
    for (const Cube &cell : cells) {
        for (int k = 0; k < 6; ++k) {
            if (members.contains(neighbor(cell, k)))
                continue;
            const HexCorner a = HexCorner::ofHex(cell, k);
            const HexCorner b = HexCorner::ofHex(cell, k + 1);
            links[a].append(b);
            links[b].append(a);
        }
    }
    std::vector<HexCorner> order(links.keyBegin(), links.keyEnd());
    std::sort(order.begin(), order.end(), CornerLess());

    QList<CornerLoop> loops;
    QSet<HexCorner> visited;
    for (const HexCorner &start : order) {
        if (visited.contains(start))
            continue;
        CornerLoop loop;
        const HexCorner *previous = nullptr;
        const HexCorner *current = &start;
        while (true) {
            visited.insert(*current);
            loop.append(*current);
            const HexCorner *chosen = nullptr;
            for (const HexCorner &candidate : links[*current]) {
                if ((!previous || !(candidate == *previous)) && !visited.contains(candidate)) {
                    chosen = &candidate;
                    break;
                }
            }
            // Every way on leads back to a visited corner: the loop is closed.
            if (!chosen)
                break;
            previous = current;
            current = chosen;
        }
        if (loop.size() >= 3)
            loops.append(loop);
    }
    return loops;
}

CornerLoop removeCollinearCorners(const CornerLoop &loop)
{
    const qsizetype count = loop.size();
    if (count <= 3)
        return loop;
    QList<QPointF> points;
    points.reserve(count);
    for (const HexCorner &corner : loop)
        points.append(corner.unitPoint());
    CornerLoop kept;
    for (qsizetype i = 0; i < count; ++i) {
        const QPointF &before = points[(i + count - 1) % count];
        const QPointF a = points[i] - before;
        const QPointF b = points[(i + 1) % count] - before;
        if (std::abs(a.x() * b.y() - a.y() * b.x()) > 0.000001)
            kept.append(loop[i]);
    }
    return kept.size() > 2 ? kept : loop;
}

AnchorList anchorsFromLoop(const CornerLoop &loop)
{
    AnchorList anchors;
    for (const HexCorner &corner : loop) {
        if (corner.cells().isEmpty())
            continue;
        const Cube &cell = corner.cells().front();
        for (int k = 0; k < 6; ++k) {
            if (HexCorner::ofHex(cell, k) == corner) {
                anchors.append(RegionAnchor{hexOf(cell), k});
                break;
            }
        }
    }
    return anchors;
}

AnchorList outlineAnchors(const CellSet &cells)
{
    const QList<CornerLoop> loops = boundaryLoops(cells);
    if (loops.isEmpty())
        return {};
    const auto longest = std::max_element(loops.begin(), loops.end(),
                                          [](const auto &a, const auto &b) { return a.size() < b.size(); });
    return anchorsFromLoop(removeCollinearCorners(*longest));
}

QList<CellSet> connectedComponents(const CellSet &cells)
{
    QSet<Cube> remaining(cells.begin(), cells.end());
    QList<CellSet> pieces;
    for (const Cube &start : cells) {
        if (!remaining.remove(start))
            continue;
        std::vector<Cube> piece{start};
        std::vector<Cube> stack{start};
        while (!stack.empty()) {
            const Cube cell = stack.back();
            stack.pop_back();
            for (int k = 0; k < 6; ++k) {
                const Cube next = neighbor(cell, k);
                if (remaining.remove(next)) {
                    piece.push_back(next);
                    stack.push_back(next);
                }
            }
        }
        pieces.append(CellSet(piece.begin(), piece.end()));
    }
    return pieces;
}

QList<AnchorList> buildRegionShapes(const CellSet &cells, const QList<CellSet> &merging)
{
    CellSet all = cells;
    for (const CellSet &other : merging)
        all.insert(other.begin(), other.end());
    QList<AnchorList> shapes;
    for (const CellSet &piece : connectedComponents(all)) {
        AnchorList anchors = outlineAnchors(piece);
        if (anchors.size() > 2)
            shapes.append(std::move(anchors));
    }
    return shapes;
}

std::optional<CellSet> cellsEnclosedBy(const Region &region)
{
    if (region.anchors.size() < 3)
        return CellSet{};
    std::vector<Cube> anchorCells;
    for (const RegionAnchor &anchor : region.anchors)
        anchorCells.push_back(cellOf(anchor.hex));
    const std::optional<Box> found = Box::around(anchorCells, 1);
    if (!found)
        return std::nullopt;
    const QList<QPointF> points = region.outlinePoints(1.0);
    if (points.size() < 3)
        return CellSet{};
    // A cell is inside when a ray from its centre crosses the outline an odd number of
    // times. Centres never lie on the outline, so the parity does not depend on the
    // ray's direction: rays along each column let one sorted list of crossings serve
    // the whole column instead of testing every edge for every cell.
    const Box &box = *found;
    CellSet inside;
    std::vector<double> crossings;
    for (quint64 dx = 0; dx < box.width; ++dx) {
        const double columnX = centerOf(box.cell(dx, 0)).x();
        crossings.clear();
        for (qsizetype i = 0, j = points.size() - 1; i < points.size(); j = i++) {
            const QPointF &pi = points[i];
            const QPointF &pj = points[j];
            if ((pi.x() > columnX) != (pj.x() > columnX))
                crossings.push_back(pi.y() + (columnX - pi.x()) / (pj.x() - pi.x()) * (pj.y() - pi.y()));
        }
        if (crossings.empty())
            continue;
        std::sort(crossings.begin(), crossings.end());
        for (quint64 dz = 0; dz < box.height; ++dz) {
            const Cube cell = box.cell(dx, dz);
            const auto below = std::upper_bound(crossings.begin(), crossings.end(), centerOf(cell).y());
            if ((crossings.end() - below) % 2 == 1)
                inside.insert(inside.end(), cell);
        }
    }
    return inside;
}

} // namespace TravellerMapImporter
