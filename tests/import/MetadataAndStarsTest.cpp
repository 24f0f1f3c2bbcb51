#include "import/ImportedRegion.h"
#include "import/ImportedRoute.h"
#include "import/MetadataLabels.h"
#include "import/SectorMetadata.h"
#include "import/StarsColumn.h"
#include "model/HexLayout.h"
#include "model/Random.h"

#include <gtest/gtest.h>

#include <random>

using namespace TravellerMapImporter;
using namespace Qt::StringLiterals;

namespace {

// Always the lowest draw (1 is the smallest value that is never rejected): every
// companion die shows orbit 15.
class StuckSource final : public RandomSource
{
public:
    quint64 next64() override { return 1; }
};

QString describe(const QList<Star> &stars)
{
    QStringList parts;
    for (const Star &star : stars)
        parts.append(star.name + u':' + star.classification().section(u".o"_s, 0, 0));
    return parts.join(u' ');
}

QString summary(const QList<StarmapLabel> &labels)
{
    QStringList parts;
    for (const StarmapLabel &l : labels) {
        const GalacticCoordinates &p = l.position;
        parts.append(u"%1@%2,%3,%4,%5:%6:%7"_s.arg(l.text)
                         .arg(p.sectorX)
                         .arg(p.sectorY)
                         .arg(p.column)
                         .arg(p.row)
                         .arg(l.size)
                         .arg(rawValue(l.color)));
    }
    return parts.join(u' ');
}

MetaRoute route(const QString &start, const QString &end, qint64 endOffsetX = 0, qint64 endOffsetY = 0)
{
    MetaRoute r;
    r.start = start;
    r.end = end;
    r.endOffsetX = endOffsetX;
    r.endOffsetY = endOffsetY;
    return r;
}

} // namespace

TEST(StarsColumn, ReadsTheStellarNotation)
{
    EXPECT_EQ(describe(parseStars(u"G2 V"_s)), u"A:G2-V"_s);
    EXPECT_EQ(describe(parseStars(u"G2  Ib F7 D"_s)), u"A:G2-Ib B:F7-D"_s);
    EXPECT_EQ(describe(parseStars(u"G V M0 V D"_s)), u"A:G0-V B:M0-V C:K0-D"_s);
    EXPECT_EQ(describe(parseStars(u"D M3 V"_s)), u"A:K0-D B:M3-V"_s);
    EXPECT_EQ(describe(parseStars(u"BD BH NS PSR M3 V"_s)), u"A:M3-V"_s);
    EXPECT_EQ(describe(parseStars(u"A B O F G K"_s)), u"A:A0-V B:B0-V C:O0-V D:F0-V 4:G0-V 5:K0-V"_s);
    EXPECT_TRUE(parseStars(u"g2 v IV-V Ia"_s).isEmpty());
    EXPECT_TRUE(parseStars(QString()).isEmpty());

    for (const Star &star : parseStars(u"M0 V M4 V"_s)) {
        const MassRange range = Star::massRange(star.spectralType, star.luminosity);
        EXPECT_TRUE(star.mass >= range.low && star.mass <= range.high && star.worlds.isEmpty());
        EXPECT_EQ(star.orbit == Orbits::starOrbitP, star.name == u"A"_s);
    }
    const Star fallback = defaultStar();
    EXPECT_EQ(fallback.classification(), u"G2-V"_s);
    EXPECT_TRUE(fallback.mass >= 0.8 && fallback.mass <= 1.04);
}

// Companions share no orbit, and a column of more stars than orbits ends after the
// seventh star instead of waiting for a free orbit — even when every die shows the
// same orbit.
TEST(StarsColumn, CompanionsTakeDistinctOrbitsAndNeverWait)
{
    StuckSource stuck;
    const ScopedRandomSource scoped(stuck);
    const QList<Star> stars = parseStars(u"M0 V M1 V M2 V M3 V M4 V M5 V M6 V M7 V M8 V D K1"_s);
    ASSERT_EQ(stars.size(), 7);
    QSet<Orbits> orbits;
    for (qsizetype i = 1; i < stars.size(); ++i)
        orbits.insert(stars[i].orbit);
    EXPECT_TRUE(orbits.size() == 6 && !orbits.contains(Orbits::starOrbitP));
    EXPECT_EQ(stars.last().name, u"6"_s);
}

TEST(SectorMetadata, ReadsLenientlyListByList)
{
    const auto metadata = SectorMetadata::decode(R"({
        "Names": [{"Text": ""}, {"Text": "Test Reach", "Lang": "x"}],
        "Routes": [{"Start": "0101", "End": 5, "EndOffsetX": 1.0, "EndOffsetY": 2.5, "Width": 2},
                   {"Width": "3", "Allegiance": null, "StartOffsetX": "1"}],
        "Labels": [{"Text": "A"}, 3],
        "Subsectors": {"Name": "not a list"},
        "Borders": [{"Path": "0101 0102", "Allegiance": "Im", "Label": 1, "Color": "red"}],
        "Extra": []
    })");
    ASSERT_TRUE(metadata);
    EXPECT_EQ(firstNonEmpty(metadata->names), u"Test Reach"_s);
    ASSERT_EQ(metadata->routes.size(), 2);
    EXPECT_TRUE(metadata->routes[0].end.isEmpty() && metadata->routes[0].endOffsetY == 0);
    EXPECT_EQ(metadata->routes[0].width, 2.0);
    EXPECT_TRUE(!metadata->routes[1].width && metadata->routes[1].startOffsetX == 0);
    EXPECT_TRUE(metadata->labels.isEmpty() && metadata->subsectors.isEmpty());
    ASSERT_EQ(metadata->borders.size(), 1);
    EXPECT_EQ(metadata->borders[0].label, QString());

    EXPECT_TRUE(SectorMetadata::decode("{}"));
    EXPECT_FALSE(SectorMetadata::decode("[]"));
    EXPECT_FALSE(SectorMetadata::decode("{\"Names\": []} x"));
    EXPECT_EQ(firstNonEmpty({}), QString());
}

TEST(ImportedRoutes, EndsBeyondTheSectorEdgeLandInTheNeighbour)
{
    const QList<ImportedRoute> routes = importedRoutes(
        {route(u"0101"_s, u"0301"_s), route(u"101"_s, u"0102"_s), route(u"0101"_s, u"0140"_s, 0, 1),
         route(u"0101"_s, u"3305"_s), route(u"01A1"_s, u"0102"_s), route(u"0101"_s, u"0041"_s),
         route(u"0101"_s, u"0105"_s, -1, 0), route(u"0100"_s, u"3240"_s, 0, -1)},
        SectorPosition{0, 0});
    ASSERT_EQ(routes.size(), 6);
    EXPECT_EQ(routes[0].end, (GalacticCoordinates{0, 0, 3, 1}));
    EXPECT_EQ(routes[1].end, (GalacticCoordinates{0, -1, 1, 40}));
    EXPECT_EQ(routes[2].end, (GalacticCoordinates{1, 0, 1, 5}));
    EXPECT_EQ(routes[3].end, (GalacticCoordinates{-1, -1, 32, 1}));
    EXPECT_EQ(routes[4].end, (GalacticCoordinates{-1, 0, 1, 5}));
    EXPECT_EQ(routes[5].start, (GalacticCoordinates{0, 1, 1, 40}));
    EXPECT_EQ(routes[5].end, (GalacticCoordinates{0, 1, 32, 40}));

    MetaRoute wide = route(u"0101"_s, u"0301"_s);
    wide.allegiance = u"Im"_s;
    wide.width = 2.0;
    EXPECT_EQ(importedRoutes({wide}, SectorPosition{-4, 1}),
              QList<ImportedRoute>({{{-4, 1, 1, 1}, {-4, 1, 3, 1}, u"Im"_s, true}}));
    wide.width = 1.0;
    EXPECT_FALSE(importedRoutes({wide}, SectorPosition{-4, 1})[0].mainTradeRoute);

    // Numbers that do not fit drop the route instead of wrapping.
    MetaRoute far = route(u"0101"_s, u"0101"_s, std::numeric_limits<qint64>::max(), 0);
    EXPECT_TRUE(importedRoutes({far}, SectorPosition{0, 0}).isEmpty());
    EXPECT_TRUE(importedRoutes({route(u"0101"_s, u"0101"_s, 0, std::numeric_limits<qint64>::min())},
                               SectorPosition{0, 0})
                    .isEmpty());
}

// Whatever the offsets and the digits, an end lands inside a sector on the very hex
// the service meant.
TEST(ImportedRoutes, NormalisingNeverMovesTheHex)
{
    std::mt19937_64 random(7);
    std::uniform_int_distribution<qint64> digits(-9, 99), offsets(-1000, 1000);
    for (int i = 0; i < 5000; ++i) {
        const SectorPosition sector{offsets(random), offsets(random)};
        const qint64 ox = offsets(random) % 3, oy = offsets(random) % 3, column = digits(random),
                     row = digits(random);
        const auto end = routeEnd(sector, ox, oy, column, row);
        ASSERT_TRUE(end);
        EXPECT_TRUE(end->column >= 1 && end->column <= 32 && end->row >= 1 && end->row <= 40);
        EXPECT_EQ(HexLayout::cube(*end), HexLayout::cube({sector.x + ox, sector.y - oy, column, row}));
    }
}

TEST(MetadataLabels, LabelsAndSubsectorNames)
{
    const QList<StarmapLabel> labels = importedLabels({{u"Big"_s, u"0505"_s, u"#ff0000"_s, u"Large"_s},
                                                       {u"Mid"_s, u"0000"_s, u"nonsense"_s, u"medium"_s},
                                                       {QString(), u"0101"_s, {}, {}},
                                                       {u"Bad"_s, u"05x5"_s, {}, {}},
                                                       {u"Small"_s, u"3240"_s, u"grey"_s, u"SMALL"_s}},
                                                      SectorPosition{3, -2});
    EXPECT_EQ(summary(labels), u"Big@3,-2,5,5:28:red Mid@3,-2,0,0:18:white Small@3,-2,32,40:14:grey"_s);
    EXPECT_TRUE(labels[0].category.isEmpty() && labels[0].angle == 0.0);

    const QList<StarmapLabel> names = subsectorNameLabels({{u" \tRegina\u3000 "_s, u"a"_s},
                                                           {u"Last"_s, u"Pz"_s},
                                                           {u"Q"_s, u"Q"_s},
                                                           {u"None"_s, QString()},
                                                           {u"   "_s, u"B"_s},
                                                           {u"Two\nLines"_s, u"F"_s}},
                                                          SectorPosition{-1, 4});
    EXPECT_EQ(summary(names),
              u"Regina@-1,4,4,5:20:grey Last@-1,4,28,35:20:grey Two\nLines@-1,4,12,15:20:grey"_s);
    EXPECT_EQ(names[0].category, u"Subsector Name"_s);
}

// Every member of the metadata lands in its own field, each value differing from every
// other (the offsets of both ends on both axes too), and from there in the routes,
// labels, subsector names and borders made in a sector on both sides of the origin.
TEST(SectorMetadata, EveryMemberLandsInItsOwnField)
{
    const auto metadata = SectorMetadata::decode(R"({
        "Names": [{"Text": "Far Reach"}],
        "Routes": [{"Start": "0102", "End": "0304", "StartOffsetX": -1, "StartOffsetY": 2,
                    "EndOffsetX": 3, "EndOffsetY": -4, "Allegiance": "RtAl", "Width": 2.5}],
        "Labels": [{"Text": "Rift", "Hex": "0506", "Color": "#ff0000", "Size": "Small"}],
        "Subsectors": [{"Name": "Seventh", "Index": "G"}],
        "Borders": [{"Path": "0708 0808 0709 0809", "Allegiance": "BdAl", "Label": "Marches",
                     "LabelPosition": "0907", "Color": "#00ff00"}]
    })");
    ASSERT_TRUE(metadata);
    const SectorPosition sector{-5, 3};
    EXPECT_EQ(firstNonEmpty(metadata->names), u"Far Reach"_s);
    EXPECT_EQ(importedRoutes(metadata->routes, sector),
              QList<ImportedRoute>({{{-6, 1, 1, 2}, {-2, 7, 3, 4}, u"RtAl"_s, true}}));
    EXPECT_EQ(summary(importedLabels(metadata->labels, sector)), u"Rift@-5,3,5,6:14:red"_s);
    EXPECT_EQ(summary(subsectorNameLabels(metadata->subsectors, sector)), u"Seventh@-5,3,20,15:20:grey"_s);
    const QList<ImportedRegion> regions = importedRegions(metadata->borders, sector, {});
    ASSERT_EQ(regions.size(), 1);
    EXPECT_EQ(std::tuple(regions[0].name, regions[0].allegiance, regions[0].colorHint),
              std::tuple(u"Marches"_s, u"BdAl"_s, u"#00ff00"_s));
    EXPECT_EQ(regions[0].labelCoordinates, (GalacticCoordinates{-5, 3, 9, 7}));
    EXPECT_TRUE(regions[0].cells.contains(cellOf({-5, 3, 8, 9})));
}
