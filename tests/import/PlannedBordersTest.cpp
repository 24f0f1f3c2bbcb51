#include "RegionTestSupport.h"
#include "import/ImportApplier.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace TravellerMapImporter;
using namespace Qt::StringLiterals;
using namespace region_test;

namespace {

const QString kPolity = QStringLiteral("Hierate");
const QString kNeighbour = QStringLiteral("Outworlds");

Region storedRegion(const QString &name, const CellSet &cells)
{
    return Region{QUuid::createUuid(), name, FactionColor::blue, outlineAnchors(fillCells(cells)), true,
                  std::nullopt};
}

ImportedRegion border(const QString &name, const CellSet &path, const QString &colour)
{
    ImportedRegion region;
    region.cells = fillCells(path);
    region.anchors = outlineAnchors(region.cells);
    region.name = name;
    region.colorHint = colour;
    region.labelCoordinates = hexOf(*path.begin());
    return region;
}

// A polity of many pieces as a sector-by-sector import leaves it: fifteen stored
// pieces, some side by side, some a sector or two apart and some millions of hexes
// away, one hand-drawn with too few anchors to enclose anything and one whose anchors
// span more than can be scanned; a neighbour of another name; and borders of the
// polity (several, some touching pieces and each other, some alone) and of the
// neighbour, as one import brings them.
struct Polity
{
    QList<Region> stored;
    QList<ImportedRegion> borders;
    Region unscannable; // one of the stored pieces
};

Polity randomPolity(std::mt19937 &random)
{
    const auto near = [&random](qint64 spread) { return qint64(random() % quint64(2 * spread)) - spread; };
    const auto somewhere = [&](int piece) {
        if (piece % 5 == 4) // millions of hexes away, in either direction
            return Cube{near(3) * 1'000'000'000 + near(50), near(3) * 1'000'000 + near(50)};
        return Cube{near(120), near(120)};
    };
    Polity polity;
    for (int piece = 0; piece < 15; ++piece)
        polity.stored.append(storedRegion(kPolity, blob(random, 5 + int(random() % 150), somewhere(piece))));
    polity.stored.insert(int(random() % 15), storedRegion(kNeighbour, blob(random, 40)));
    Region sketch = storedRegion(kPolity, blob(random, 3, {near(60), near(60)}));
    sketch.anchors.resize(2);
    polity.stored.insert(int(random() % 15), sketch);
    polity.unscannable = storedRegion(kPolity, blob(random, 10, {near(60), near(60)}));
    polity.unscannable.anchors.append(RegionAnchor{hexOf(Cube{1500, -750}), 0});
    polity.unscannable.anchors.append(RegionAnchor{hexOf(Cube{-100, 900}), 1});
    polity.stored.insert(int(random() % 15), polity.unscannable);

    const int borders = 2 + int(random() % 5);
    for (int i = 0; i < borders; ++i) {
        const bool neighbour = i % 3 == 2;
        polity.borders.append(border(neighbour ? kNeighbour : kPolity,
                                     blob(random, 3 + int(random() % 100), somewhere(int(random() % 15))),
                                     i % 2 ? QStringLiteral("#ff0000") : QStringLiteral("green")));
    }
    return polity;
}

// The borders step as the GUI thread worked it out before merges were planned ahead:
// each border in turn merged with the stored regions of its name as the borders before
// it left them. Gives the regions and the step's count; new regions have no id.
std::pair<QList<Region>, qsizetype> mergedDirectly(QList<Region> regions,
                                                   const QList<ImportedRegion> &borders)
{
    qsizetype count = 0;
    for (const ImportedRegion &imported : borders) {
        QList<CellSet> merging;
        QList<qsizetype> merged;
        for (qsizetype i = 0; i < regions.size(); ++i) {
            if (regions[i].name != imported.name)
                continue;
            if (const std::optional<CellSet> cells = cellsEnclosedBy(regions[i])) {
                merging.append(*cells);
                merged.append(i);
            }
        }
        const QList<AnchorList> shapes = buildRegionShapes(imported.cells, merging);
        if (shapes.isEmpty())
            continue;
        for (qsizetype i = merged.size() - 1; i >= 0; --i)
            regions.removeAt(merged[i]);
        for (const AnchorList &anchors : shapes)
            regions.append(Region{QUuid(), imported.name, factionColorFrom(imported.colorHint), anchors, true,
                                  imported.labelCoordinates});
        count += std::max<qsizetype>(0, shapes.size() - merged.size());
    }
    return {regions, count};
}

class PlannedBorderMerges : public ::testing::Test
{
protected:
    // The ids the planned merges gave their outlines.
    static QSet<QUuid> plannedIDs(const PlannedBorders &plan, qsizetype borders)
    {
        QSet<QUuid> ids;
        for (qsizetype i = 0; i < borders; ++i) {
            for (const Region &outline : plan.merge(i)->outlines)
                ids.insert(outline.id);
        }
        return ids;
    }

    QTemporaryDir m_folder;
    StarfarerUniverse m_universe{UniverseFolder(m_folder.path())};
};

} // namespace

// Merges planned on a worker against the stored regions give what merging each border
// on the GUI thread gives, piece for piece and in the same order, for polities of many
// pieces near and far, regions that enclose nothing or cannot be scanned, and several
// borders of one name in one import; and the applier takes them as planned.
TEST_F(PlannedBorderMerges, PlannedMergesEqualMergingOnTheSpot)
{
    std::mt19937 random(20261207);
    for (int round = 0; round < 30; ++round) {
        SCOPED_TRACE(round);
        const Polity polity = randomPolity(random);
        const PlannedBorders plan(polity.stored, polity.borders);
        const auto [expected, count] = mergedDirectly(polity.stored, polity.borders);

        m_universe.setRegions(polity.stored);
        ImportApplier applier(m_universe, {}, {});
        EXPECT_EQ(applier.importBorders(polity.borders, plan), ImportApplier::countPiece(count, "region"_L1));
        EXPECT_EQ(withoutNewIDs(m_universe.regions(), polity.stored), expected);
        // The unscannable piece stays as it was, the sketch goes.
        EXPECT_EQ(std::count_if(m_universe.regions().cbegin(), m_universe.regions().cend(),
                                [](const Region &region) { return region.anchors.size() == 2; }),
                  0);
        EXPECT_TRUE(m_universe.regions().contains(polity.unscannable));

        // Every new region is one the plan made: nothing was merged again here.
        QSet<QUuid> added;
        for (const Region &region : m_universe.regions()) {
            if (!polity.stored.contains(region))
                added.insert(region.id);
        }
        EXPECT_TRUE(plannedIDs(plan, polity.borders.size()).contains(added));
    }
}

// The regions of a name change while the merges are worked out: that name is merged
// again against the regions as they are when the result is applied, so the change is
// neither lost nor undone, while a name whose regions stayed as they were keeps its
// planned merges.
TEST_F(PlannedBorderMerges, ANameWhoseRegionsChangedMeanwhileIsMergedAgain)
{
    std::mt19937 random(39);
    const auto polityIndex = [](const QList<Region> &regions) {
        for (qsizetype i = 0; i < regions.size(); ++i) {
            if (regions[i].name == kPolity && regions[i].anchors.size() > 2)
                return i;
        }
        return qsizetype(-1);
    };
    const std::function<void(QList<Region> &)> edits[] = {
        [&](QList<Region> &regions) { // a piece reshaped
            Region &piece = regions[polityIndex(regions)];
            piece.anchors = outlineAnchors(fillCells(blob(random, 60, cellOf(piece.anchors.first().hex))));
        },
        [&](QList<Region> &regions) { regions.removeAt(polityIndex(regions)); }, // a piece deleted
        [&](QList<Region> &regions) {                                            // a piece drawn
            regions.append(storedRegion(kPolity, blob(random, 80)));
        },
        [&](QList<Region> &regions) { regions[polityIndex(regions)].name = QStringLiteral("Renamed"); },
        [&](QList<Region> &regions) { // recoloured: the same merge, made again
            regions[polityIndex(regions)].color = FactionColor::gold;
        },
        [&](QList<Region> &regions) { // a piece moved to the end of the list
            regions.move(polityIndex(regions), regions.size() - 1);
        },
    };
    for (int round = 0; round < 8; ++round) {
        for (std::size_t kind = 0; kind < std::size(edits); ++kind) {
            SCOPED_TRACE(testing::Message() << "round " << round << ", edit " << kind);
            const Polity polity = randomPolity(random);
            const PlannedBorders plan(polity.stored, polity.borders);
            QList<Region> edited = polity.stored;
            edits[kind](edited);
            const bool changed = edited != polity.stored;
            const auto [expected, count] = mergedDirectly(edited, polity.borders);

            m_universe.setRegions(edited);
            ImportApplier applier(m_universe, {}, {});
            EXPECT_EQ(applier.importBorders(polity.borders, plan),
                      ImportApplier::countPiece(count, "region"_L1));
            EXPECT_EQ(withoutNewIDs(m_universe.regions(), edited), expected);

            // The polity's outlines are the plan's only when its regions did not change;
            // the neighbour's always are.
            const QSet<QUuid> planned = plannedIDs(plan, polity.borders.size());
            for (const Region &region : m_universe.regions()) {
                if (edited.contains(region))
                    continue;
                EXPECT_EQ(planned.contains(region.id), region.name == kNeighbour || !changed)
                    << qPrintable(region.name);
            }
        }
    }
}

// Without a plan every border is merged on the spot, as when no worker planned them.
TEST_F(PlannedBorderMerges, WithoutAPlanEveryBorderIsMergedOnTheSpot)
{
    std::mt19937 random(5);
    for (int round = 0; round < 5; ++round) {
        const Polity polity = randomPolity(random);
        const auto [expected, count] = mergedDirectly(polity.stored, polity.borders);
        m_universe.setRegions(polity.stored);
        ImportApplier applier(m_universe, {}, {});
        EXPECT_EQ(applier.importBorders(polity.borders), ImportApplier::countPiece(count, "region"_L1));
        EXPECT_EQ(withoutNewIDs(m_universe.regions(), polity.stored), expected);
    }
}
