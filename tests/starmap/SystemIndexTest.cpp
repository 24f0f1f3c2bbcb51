#include "starmap/SystemIndex.h"
#include "StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "starmap/MapText.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <utility>

using namespace StarMapTest;

namespace {

constexpr double kRadius = 60;

// Galactic columns and rows on both sides of subsector and sector edges, left of and
// above the origin too, and one far away, where the index scans instead of visiting
// blocks.
const QList<qint64> kColumns{-65, -64, -33, -32, -31, -9, -8, -1, 0,        1,
                             7,   8,   9,   31,  32,  33, 63, 64, 5'000'000};
const QList<qint64> kRows{-81, -80, -41, -40, -39, -11, -10, -1, 0,         1,
                          9,   10,  11,  39,  40,  41,  79,  80, -7'000'000};

// The plain model of the index: a list of the filed systems, in filing order.
class PlainIndex
{
public:
    void insert(const MapSystem &system)
    {
        m_systems.append(system);
        m_longestName = std::max(m_longestName, std::min(SystemIndex::nameText(system.hex.starSystem).size(),
                                                         MapText::kLongestText));
    }
    bool remove(const QUuid &id, const GalacticCoordinates &coordinates)
    {
        const QList<const MapSystem *> systems = inOrder();
        const auto found = std::find_if(systems.cbegin(), systems.cend(), [&](const MapSystem *system) {
            return system->hex.id == id && system->hex.coordinates == coordinates;
        });
        if (found == systems.cend())
            return false;
        const qint64 order = (*found)->order;
        m_systems.removeIf([&](const MapSystem &system) { return system.order == order; });
        return true;
    }
    void clear()
    {
        m_systems.clear();
        m_longestName = 0;
    }

    qsizetype size() const { return m_systems.size(); }
    qsizetype longestName() const { return m_longestName; }
    // Orders are unique in these tests, so sorting by them gives one answer.
    QList<const MapSystem *> inOrder() const
    {
        QList<const MapSystem *> sorted;
        for (const MapSystem &system : m_systems)
            sorted.append(&system);
        std::sort(sorted.begin(), sorted.end(),
                  [](const MapSystem *a, const MapSystem *b) { return a->order < b->order; });
        return sorted;
    }
    std::optional<GridExtent> extent() const
    {
        std::optional<GridExtent> extent;
        for (const MapSystem &system : m_systems) {
            const qint64 col = HexLayout::galacticColumn(system.hex.coordinates);
            const qint64 row = HexLayout::galacticRow(system.hex.coordinates);
            extent = extent ? GridExtent{std::min(extent->minCol, col), std::max(extent->maxCol, col),
                                         std::min(extent->minRow, row), std::max(extent->maxRow, row)}
                            : GridExtent{col, col, row, row};
        }
        return extent;
    }
    QList<std::pair<qint64, qint64>> occupiedSectors(const GridExtent &sectors) const
    {
        QList<std::pair<qint64, qint64>> found;
        for (const MapSystem &system : m_systems) {
            const std::pair sector{
                GridExtent::floorDiv(HexLayout::galacticColumn(system.hex.coordinates), 32),
                GridExtent::floorDiv(HexLayout::galacticRow(system.hex.coordinates), 40)};
            if (sector.first >= sectors.minCol && sector.first <= sectors.maxCol &&
                sector.second >= sectors.minRow && sector.second <= sectors.maxRow && !found.contains(sector))
                found.append(sector);
        }
        std::sort(found.begin(), found.end());
        return found;
    }
    const MapSystem *at(const GalacticCoordinates &coordinates) const
    {
        for (const MapSystem *system : inOrder()) {
            if (system->hex.coordinates == coordinates)
                return system;
        }
        return nullptr;
    }
    QList<const MapSystem *> inRect(const QRectF &rect) const
    {
        QList<const MapSystem *> found = inOrder();
        found.removeIf([&](const MapSystem *system) { return !rect.contains(system->centre); });
        return found;
    }

private:
    QList<MapSystem> m_systems;
    qsizetype m_longestName = 0;
};

// An entry of a list picked at random.
template <typename List> auto pick(std::mt19937 &random, const List &list)
{
    return list[qsizetype(random() % list.size())];
}

// A hex as the index files it, with its centre and glyph.
MapSystem filed(const HexData &made, qint64 order)
{
    return MapSystem{order, made, HexLayout(kRadius).center(made.coordinates),
                     StarGlyph::of(made.starSystem.stars)};
}

QList<qint64> ordersOf(const QList<const MapSystem *> &systems)
{
    QList<qint64> orders;
    for (const MapSystem *system : systems)
        orders.append(system->order);
    return orders;
}

// Random filing, re-filing and removal of systems on both sides of block and sector
// edges: after every step the index answers every question as the plain list does,
// for rectangles whose sides lie on sector and subsector borders or just beside them;
// and a copy of the index taken now and then (as a frame being drawn holds one) goes
// on answering as the list did when it was taken.
TEST(SystemIndexTest, RandomFilingMatchesAPlainList)
{
    const QList<unsigned> seeds{11, 29, 347, 2024};
    for (const unsigned seed : seeds) {
        std::mt19937 random(seed);
        const auto somePlace = [&] {
            return HexLayout::coordinates(pick(random, kColumns), pick(random, kRows));
        };
        SystemIndex index(kRadius);
        PlainIndex plain;
        QList<MapSystem> gone; // systems removed, to be filed again under their old id, once
        qint64 nextOrder = 1000;
        std::optional<std::pair<SystemIndex, PlainIndex>> copy;
        for (int step = 0; step < 600; ++step) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", step " << step);
            if (step % 40 == 0)
                copy.emplace(index, plain);
            const QList<const MapSystem *> present = plain.inOrder();
            const unsigned kind = random() % 10;
            if (kind < 4 || present.isEmpty()) {
                HexData made = hex(somePlace());
                if (random() % 5 == 0)
                    made.starSystem.name = random() % 2 ? QString() : QStringLiteral("Ærø ✦ Śląsk 🜂");
                // New systems come last; a system edited in place keeps an earlier order.
                const qint64 order = random() % 3 ? nextOrder++ : -qint64(step) - 1;
                index.insert(filed(made, order));
                plain.insert(filed(made, order));
            } else if (kind < 6) {
                const MapSystem system = *pick(random, present);
                ASSERT_TRUE(index.remove(system.hex.id, system.hex.coordinates));
                ASSERT_TRUE(plain.remove(system.hex.id, system.hex.coordinates));
                gone.append(system);
            } else if (kind < 7) {
                // The outermost system of the extent goes, or moves one hex out or in.
                const GridExtent extent = *plain.extent();
                const MapSystem *outermost = nullptr;
                for (const MapSystem *system : present) {
                    const qint64 col = HexLayout::galacticColumn(system->hex.coordinates);
                    const qint64 row = HexLayout::galacticRow(system->hex.coordinates);
                    if (col == extent.minCol || col == extent.maxCol || row == extent.minRow ||
                        row == extent.maxRow)
                        outermost = system;
                }
                MapSystem moved = *outermost;
                ASSERT_TRUE(index.remove(moved.hex.id, moved.hex.coordinates));
                plain.remove(moved.hex.id, moved.hex.coordinates);
                if (random() % 3) {
                    const qint64 step = random() % 2 ? 1 : -1;
                    moved.hex.coordinates =
                        HexLayout::coordinates(HexLayout::galacticColumn(moved.hex.coordinates) + step,
                                               HexLayout::galacticRow(moved.hex.coordinates) - step);
                    moved = filed(moved.hex, moved.order);
                    index.insert(moved);
                    plain.insert(moved);
                }
            } else if (kind < 8 && !gone.isEmpty()) {
                // The same hex filed again, at its old place or a new one.
                HexData back = gone.takeAt(qsizetype(random() % gone.size())).hex;
                if (random() % 2)
                    back.coordinates = somePlace();
                const MapSystem system = filed(back, nextOrder++);
                index.insert(system);
                plain.insert(system);
            } else if (kind < 9) {
                // A removal that names the right id at the wrong hex, or an unknown id,
                // removes nothing.
                const MapSystem system = *pick(random, present);
                const GalacticCoordinates elsewhere = somePlace();
                const QUuid id = random() % 2 ? system.hex.id : QUuid::createUuid();
                const bool removed = plain.remove(id, elsewhere);
                ASSERT_EQ(index.remove(id, elsewhere), removed);
            } else if (random() % 20 == 0) {
                index.clear();
                plain.clear();
            }

            ASSERT_EQ(index.size(), plain.size());
            ASSERT_EQ(index.isEmpty(), plain.size() == 0);
            ASSERT_EQ(index.extent(), plain.extent());
            ASSERT_EQ(index.longestName(), plain.longestName());
            ASSERT_EQ(ordersOf(index.all()), ordersOf(plain.inOrder()));
            const auto &[copied, copiedPlain] = *copy;
            ASSERT_EQ(ordersOf(copied.all()), ordersOf(copiedPlain.inOrder())) << "the copy";
            ASSERT_EQ(copied.extent(), copiedPlain.extent()) << "the copy";
            for (int probe = 0; probe < 4; ++probe) {
                const GalacticCoordinates place = somePlace();
                const MapSystem *expected = plain.at(place);
                const MapSystem *found = index.at(place);
                ASSERT_EQ(found ? found->order : -1, expected ? expected->order : -1)
                    << place.description().toStdString();

                // Sectors around a sector edge, up to three across and down.
                const qint64 i = GridExtent::floorDiv(pick(random, kColumns), 32),
                             j = GridExtent::floorDiv(pick(random, kRows), 40);
                const GridExtent sectors{i - qint64(random() % 2), i + qint64(random() % 2),
                                         j - qint64(random() % 2), j + qint64(random() % 2)};
                ASSERT_EQ(index.occupiedSectors(sectors), plain.occupiedSectors(sectors));

                // A rectangle from one border line of the hex grid to another, each
                // side on a line of centres, half a hex off it, or a hair off it.
                const auto edge = [&](double hexes, double size) {
                    static const double nudges[] = {0, 0.5, -0.5, 1e-9, -1e-9};
                    return (hexes + nudges[random() % 5]) * size;
                };
                const double across = 1.5 * kRadius, down = std::sqrt(3.0) * kRadius;
                const double left = edge(double(pick(random, kColumns)), across);
                const double top = edge(double(pick(random, kRows)), down);
                const double right = left + edge(double(random() % 40), across);
                const double bottom = top + edge(double(random() % 50), down);
                const QRectF rect(QPointF(left, top), QPointF(right, bottom));
                ASSERT_EQ(ordersOf(index.inRect(rect)), ordersOf(plain.inRect(rect)))
                    << left / across << " " << top / down << " " << right / across << " " << bottom / down;
            }
        }
    }
}

// One list filed in runs, each run into an index of its own, the runs then appended
// in their order: the index answers every question as the list filed whole does, runs
// empty and of one system among them, and goes on filing and removing as it would.
TEST(SystemIndexTest, RunsFiledApartAndAppendedMatchTheListFiledWhole)
{
    for (const unsigned seed : {5u, 71u, 903u}) {
        std::mt19937 random(seed);
        const HexLayout layout(kRadius);
        QList<MapSystem> systems;
        for (qint64 order = 0; order < 400; ++order) {
            HexData made = hex(HexLayout::coordinates(pick(random, kColumns), pick(random, kRows)));
            if (random() % 7 == 0)
                made.starSystem.name = QStringLiteral("Ærø ✦ Śląsk 🜂 Lesser Rift Marches");
            systems.append(filed(made, order));
        }
        SystemIndex whole(kRadius);
        for (const MapSystem &system : systems)
            whole.insert(system);
        for (int cut = 0; cut < 20; ++cut) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << ", cut " << cut);
            QList<qsizetype> ends{0, systems.size()};
            for (unsigned k = random() % 6; k > 0; --k)
                ends.append(qsizetype(random() % (systems.size() + 1)));
            if (cut % 4 == 0)
                ends.append({1, 1, systems.size() - 1}); // a run of one system, an empty run
            std::sort(ends.begin(), ends.end());
            SystemIndex appended(kRadius);
            for (qsizetype run = 1; run < ends.size(); ++run) {
                SystemIndex part(kRadius);
                for (qsizetype i = ends[run - 1]; i < ends[run]; ++i)
                    part.insert(systems[i]);
                appended.append(std::move(part));
            }
            ASSERT_EQ(appended.size(), whole.size());
            ASSERT_EQ(appended.extent(), whole.extent());
            ASSERT_EQ(appended.longestName(), whole.longestName());
            ASSERT_EQ(ordersOf(appended.all()), ordersOf(whole.all()));
            const GridExtent everySector{-4, 4, -4, 4};
            ASSERT_EQ(appended.occupiedSectors(everySector), whole.occupiedSectors(everySector));
            for (const MapSystem &system : systems) {
                const MapSystem *found = appended.at(system.hex.coordinates);
                ASSERT_NE(found, nullptr);
                ASSERT_EQ(found->order, whole.at(system.hex.coordinates)->order);
            }
            const QRectF middle(layout.center(HexLayout::coordinates(-40, -50)),
                                layout.center(HexLayout::coordinates(40, 50)));
            ASSERT_EQ(ordersOf(appended.inRect(middle)), ordersOf(whole.inRect(middle)));

            // The blocks taken from the runs go on changing as blocks filed whole do.
            SystemIndex changed = whole;
            for (int step = 0; step < 30; ++step) {
                const MapSystem &system = pick(random, systems);
                ASSERT_EQ(appended.remove(system.hex.id, system.hex.coordinates),
                          changed.remove(system.hex.id, system.hex.coordinates));
                MapSystem later = system;
                later.order += 1000 + step;
                appended.insert(later);
                changed.insert(later);
            }
            ASSERT_EQ(appended.extent(), changed.extent());
            ASSERT_EQ(ordersOf(appended.all()), ordersOf(changed.all()));
            ASSERT_EQ(appended.occupiedSectors(everySector), changed.occupiedSectors(everySector));
        }
    }

    // A block whose systems came in two runs covers the cells of both, also once a
    // system of another block of its sector goes and the sector's extent is made
    // again from its blocks'.
    SystemIndex first(kRadius), second(kRadius);
    first.insert(filed(hex(HexLayout::coordinates(1, 1)), 0));
    second.insert(filed(hex(HexLayout::coordinates(6, 8)), 1));
    const HexData neighbour = hex(HexLayout::coordinates(12, 15));
    second.insert(filed(neighbour, 2));
    first.append(std::move(second));
    EXPECT_EQ(first.extent(), (GridExtent{1, 12, 1, 15}));
    ASSERT_TRUE(first.remove(neighbour.id, neighbour.coordinates));
    EXPECT_EQ(first.extent(), (GridExtent{1, 6, 1, 8}));
}

} // namespace
