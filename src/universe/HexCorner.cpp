#include "HexCorner.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr double kSqrt3 = 1.7320508075688772;

using Cube = HexCorner::Cube;
using Triple = std::array<Cube, 3>;

// Cell arithmetic wraps instead of overflowing: a hex read from a file may lie far
// outside any map, and its corners must still be computed without undefined results.
qint64 add(qint64 a, qint64 b)
{
    return static_cast<qint64>(static_cast<quint64>(a) + static_cast<quint64>(b));
}

qint64 sub(qint64 a, qint64 b)
{
    return static_cast<qint64>(static_cast<quint64>(a) - static_cast<quint64>(b));
}

Cube plus(const Cube &a, const Cube &b)
{
    return Cube{add(a.x, b.x), add(a.z, b.z)};
}

Triple sortedTriple(Cube a, Cube b, Cube c)
{
    if (b < a)
        std::swap(a, b);
    if (c < b)
        std::swap(b, c);
    if (b < a)
        std::swap(a, b);
    return Triple{a, b, c};
}

// The corner on the far side of the edge between cells p and q, whose near corner
// also holds c: the other cell adjacent to both p and q, with p and q, sorted.
Triple across(const Cube &p, const Cube &q, const Cube &c)
{
    const qint64 dx = sub(q.x, p.x);
    const qint64 dz = sub(q.z, p.z);
    Cube t{sub(p.x, dz), add(p.z, add(dx, dz))};
    if (t == c)
        t = Cube{add(p.x, add(dx, dz)), sub(p.z, dx)};
    return sortedTriple(p, q, t);
}

std::array<Triple, 3> neighborTriples(const Triple &c)
{
    return {across(c[0], c[1], c[2]), across(c[0], c[2], c[1]), across(c[1], c[2], c[0])};
}

// The one formula for a corner's point, shared by HexCorner::point and the search so
// that both give bit-identical values: the sum of the cell centres over 3.
template <typename Cells> QPointF pointOf(const Cells &cells, double hexRadius)
{
    double x = 0.0;
    double y = 0.0;
    for (const Cube &cell : cells) {
        x += 1.5 * hexRadius * static_cast<double>(cell.x);
        y += kSqrt3 * hexRadius * (static_cast<double>(cell.z) + static_cast<double>(cell.x) / 2.0);
    }
    return QPointF(x / 3.0, y / 3.0);
}

double length(double dx, double dy)
{
    return std::sqrt(dx * dx + dy * dy);
}

std::optional<Triple> tripleOf(const HexCorner &corner)
{
    const auto &cells = corner.cells();
    if (cells.size() != 3)
        return std::nullopt;
    return Triple{cells[0], cells[1], cells[2]};
}

// One corner reached by the search, with the best step count and accumulated
// deviation known for it and the node it was last reached from.
struct Node
{
    Triple cells;
    QPointF unit;
    qint64 steps = 0;
    double deviation = 0.0;
    qint32 predecessor = -1;
};

// Finds the node of a corner. Open addressing over node indices: the search makes a
// few thousand nodes per leg and looks one up for every neighbour it considers, so
// this is the innermost loop of drawing regions.
class NodeIndex
{
public:
    NodeIndex(const std::vector<Node> &nodes, std::vector<qint32> &table) : m_nodes(nodes), m_table(table) {}

    // The node of the corner, or -1; `slot` receives where to insert it.
    qint32 find(const Triple &cells, std::size_t &slot) const
    {
        const std::size_t mask = m_table.size() - 1;
        for (slot = hash(cells) & mask;; slot = (slot + 1) & mask) {
            const qint32 index = m_table[slot];
            if (index < 0 || m_nodes[std::size_t(index)].cells == cells)
                return index;
        }
    }

    void insert(std::size_t slot, qint32 index)
    {
        m_table[slot] = index;
        if (++m_count * 2 > m_table.size())
            grow();
    }

private:
    static std::size_t hash(const Triple &cells)
    {
        quint64 h = 0x9E3779B97F4A7C15ull;
        for (const Cube &cell : cells) {
            h = (h ^ static_cast<quint64>(cell.x)) * 0xBF58476D1CE4E5B9ull;
            h = (h ^ static_cast<quint64>(cell.z)) * 0x94D049BB133111EBull;
        }
        return std::size_t(h ^ (h >> 31));
    }

    void grow()
    {
        m_table.assign(m_table.size() * 2, -1);
        const std::size_t mask = m_table.size() - 1;
        for (std::size_t index = 0; index < m_nodes.size(); ++index) {
            std::size_t slot = hash(m_nodes[index].cells) & mask;
            while (m_table[slot] >= 0)
                slot = (slot + 1) & mask;
            m_table[slot] = qint32(index);
        }
    }

    const std::vector<Node> &m_nodes;
    std::vector<qint32> &m_table;
    std::size_t m_count = 0;
};

// An entry of the open list. Entries are only ever appended and the selection takes
// the smallest priority, then the smallest deviation, then the earliest appended, so
// a heap ordered by (priority, deviation, sequence) selects exactly what a scan of
// the list from its front would.
struct OpenEntry
{
    double priority;
    double deviation;
    quint64 sequence;
    qint32 node;
};

struct SelectedLater
{
    bool operator()(const OpenEntry &a, const OpenEntry &b) const
    {
        if (a.priority != b.priority)
            return a.priority > b.priority;
        if (a.deviation != b.deviation)
            return a.deviation > b.deviation;
        return a.sequence > b.sequence;
    }
};

// The search's working memory, kept per thread between calls: a long leg makes a
// few hundred kilobytes of nodes and entries, and getting them fresh from the
// allocator on every leg of every region on every redraw costs more than the search.
struct SearchBuffers
{
    std::vector<Node> nodes;
    std::vector<qint32> table;
    std::vector<OpenEntry> open;

    // Empties the buffers for a new search.
    void begin()
    {
        nodes.clear();
        open.clear();
        table.assign(std::max<std::size_t>(table.size(), 4096), -1);
    }

    // Hands back the memory of a search that ran far (up to its expansion limit, tens
    // of megabytes) instead of keeping it for the life of the thread.
    void trim()
    {
        constexpr std::size_t kKept = std::size_t(1) << 16;
        if (nodes.capacity() > kKept || open.capacity() > kKept || table.size() > 2 * kKept) {
            nodes = {};
            open = {};
            table = {};
        }
    }
};

class BufferLease
{
public:
    explicit BufferLease(SearchBuffers &buffers) : m_buffers(buffers) { m_buffers.begin(); }
    ~BufferLease() { m_buffers.trim(); }
    BufferLease(const BufferLease &) = delete;
    BufferLease &operator=(const BufferLease &) = delete;

private:
    SearchBuffers &m_buffers;
};

// Follows the predecessors back from the goal to the start (node 0) and returns the
// chain from start to goal. Every predecessor has fewer steps than the node pointing
// at it, so the walk ends at the start; the length limit only guards that.
QList<HexCorner> reconstructPath(const std::vector<Node> &nodes, const HexCorner &from, qint32 goal)
{
    const auto cornerOf = [&](qint32 index) {
        const Triple &c = nodes[std::size_t(index)].cells;
        return index == 0 ? from : HexCorner{c[0], c[1], c[2]};
    };
    QList<HexCorner> path{cornerOf(goal)};
    qint32 current = goal;
    while (current != 0 && path.size() <= qsizetype(nodes.size())) {
        current = nodes[std::size_t(current)].predecessor;
        if (current < 0)
            break;
        path.append(cornerOf(current));
    }
    std::reverse(path.begin(), path.end());
    return path;
}

} // namespace

HexCorner HexCorner::sorted(const Cube &a, const Cube &b, const Cube &c)
{
    const Triple cells = sortedTriple(a, b, c);
    return HexCorner{cells[0], cells[1], cells[2]};
}

HexCorner HexCorner::ofHex(const Cube &hex, qint64 k)
{
    const auto index = std::size_t(((k % 6) + 6) % 6);
    return sorted(hex, plus(hex, directions[index]), plus(hex, directions[(index + 5) % 6]));
}

QPointF HexCorner::point(double hexRadius) const
{
    return pointOf(m_cells, hexRadius);
}

QVarLengthArray<HexCorner, 3> HexCorner::neighbors() const
{
    QVarLengthArray<HexCorner, 3> result;
    if (const auto cells = tripleOf(*this)) {
        for (const Triple &n : neighborTriples(*cells))
            result.append(HexCorner{n[0], n[1], n[2]});
    }
    return result;
}

QList<HexCorner> HexCorner::edgePath(const HexCorner &from, const HexCorner &to)
{
    if (from == to)
        return {from};
    // Neighbouring corners are joined by their one edge; no search needed (outlines
    // traced along the grid have only such legs).
    if (from.neighbors().contains(to))
        return {from, to};

    const QPointF start = from.unitPoint();
    const QPointF goal = to.unitPoint();
    const double dx = goal.x() - start.x();
    const double dy = goal.y() - start.y();
    const double straight = length(dx, dy);

    // How far a point lies from the straight line through both ends (from the start
    // itself when both ends share one point).
    const auto offset = [&](const QPointF &p) {
        if (straight > 0)
            return std::fabs(dx * (start.y() - p.y()) - dy * (start.x() - p.x())) / straight;
        return length(p.x() - start.x(), p.y() - start.y());
    };

    // Only corners of three cells have edges and can be reached; a start of another
    // size is node 0 without neighbours, and a goal of another size is never met.
    const std::optional<Triple> startCells = tripleOf(from);
    const std::optional<Triple> goalCells = tripleOf(to);

    thread_local SearchBuffers buffers;
    const BufferLease lease(buffers);
    std::vector<Node> &nodes = buffers.nodes;
    std::vector<OpenEntry> &open = buffers.open;
    NodeIndex index(nodes, buffers.table);
    // A start without three cells gets placeholder cells; it has no neighbours, so
    // no other node is ever made and the placeholder is never looked up.
    nodes.push_back(Node{startCells.value_or(Triple{}), start, 0, 0.0, -1});
    std::size_t startSlot = 0;
    index.find(nodes.front().cells, startSlot);
    index.insert(startSlot, 0);

    const SelectedLater selectedLater;
    quint64 sequence = 0;
    open.push_back(OpenEntry{straight, 0.0, sequence++, 0});

    int expansions = 0;
    while (true) {
        std::pop_heap(open.begin(), open.end(), selectedLater);
        const qint32 current = open.back().node;
        open.pop_back();
        const bool isStart = current == 0;
        if (!isStart && goalCells && nodes[std::size_t(current)].cells == *goalCells)
            return reconstructPath(nodes, from, current);

        // The best values known now, not the ones the entry was appended with.
        const qint64 steps = nodes[std::size_t(current)].steps + 1;
        const double deviation = nodes[std::size_t(current)].deviation;
        ++expansions;

        if (!isStart || startCells) {
            for (const Triple &neighbor : neighborTriples(nodes[std::size_t(current)].cells)) {
                std::size_t slot = 0;
                qint32 found = index.find(neighbor, slot);
                QPointF p;
                if (found >= 0) {
                    const Node &node = nodes[std::size_t(found)];
                    p = node.unit;
                    const double reached = deviation + offset(p);
                    if (node.steps < steps || (node.steps == steps && node.deviation <= reached))
                        continue;
                } else {
                    p = pointOf(neighbor, 1.0);
                    found = qint32(nodes.size());
                    nodes.push_back(Node{neighbor, p, 0, 0.0, -1});
                    index.insert(slot, found);
                }
                Node &node = nodes[std::size_t(found)];
                node.steps = steps;
                node.deviation = deviation + offset(p);
                node.predecessor = current;
                const double remaining = length(goal.x() - p.x(), goal.y() - p.y());
                open.push_back(
                    OpenEntry{remaining + static_cast<double>(steps), node.deviation, sequence++, found});
                std::push_heap(open.begin(), open.end(), selectedLater);
            }
        }

        if (open.empty() || expansions >= maximumExpansions)
            return {from, to};
    }
}

size_t qHash(const HexCorner &corner, size_t seed) noexcept
{
    seed = qHash(corner.cells().size(), seed);
    for (const HexCorner::Cube &cell : corner.cells())
        seed = qHashMulti(seed, cell.x, cell.z);
    return seed;
}
