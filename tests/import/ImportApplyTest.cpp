#include "ImportTestSupport.h"
#include "import/ImportApplier.h"
#include "import/ImportRun.h"
#include "import/StarsColumn.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace TravellerMapImporter;
using namespace import_test;

namespace {

ImportedWorld world(qint64 column, const QString &allegiance)
{
    HexData hex;
    hex.id = QUuid::createUuid();
    hex.coordinates = GalacticCoordinates{0, 0, column, 1};
    Star star = defaultStar();
    WorldData main;
    main.id = QUuid::createUuid();
    main.mainWorld = true;
    star.worlds = {main};
    hex.starSystem.stars = {star};
    return ImportedWorld{hex.coordinates, hex, allegiance};
}

ImportedRoute route(qint64 from, qint64 to, const QString &allegiance = QString())
{
    return ImportedRoute{{0, 0, from, 1}, {0, 0, to, 1}, allegiance, false};
}

StarmapLabel label(const QString &text, qint64 column, const QString &category)
{
    return StarmapLabel{QUuid::createUuid(), text, 12, FactionColor::white, 0, {0, 0, column, 1}, category};
}

class ImportApply : public ::testing::Test
{
protected:
    QTemporaryDir m_folder;
    StarfarerUniverse m_universe{UniverseFolder(m_folder.path())};

    ImportApplier applier(ImportApplier::Options options = {})
    {
        return ImportApplier(m_universe, {{QStringLiteral("ImDd"), QStringLiteral("Domain of Deneb")}},
                             options);
    }
    QList<FactionColor> colors() const
    {
        QList<FactionColor> result;
        for (const Faction &f : m_universe.factions())
            result.append(f.color);
        return result;
    }
};

} // namespace

TEST_F(ImportApply, NewFactionsContinueThePaletteAndTradeRoutesDoNotAdvanceIt)
{
    ImportApplier first = applier();
    EXPECT_EQ(first.importWorlds({world(1, QStringLiteral("A")), world(2, QStringLiteral("B")),
                                  world(3, QStringLiteral("ImDd")), world(4, QStringLiteral("A"))}),
              QStringLiteral("4 worlds"));
    EXPECT_EQ(colors(),
              (QList<FactionColor>{FactionColor::red, FactionColor::orangeRed, FactionColor::salmon}));
    const Faction &deneb = m_universe.factions()[2];
    EXPECT_EQ(deneb.name, QStringLiteral("Domain of Deneb"));
    EXPECT_EQ(deneb.description, QStringLiteral("Imported from Traveller Map (allegiance code ImDd)."));
    EXPECT_EQ(deneb.homeworld, (GalacticCoordinates{0, 0, 3, 1}));
    EXPECT_EQ(m_universe.data()[3].starSystem.stars[0].worlds[0].factionIDs,
              QList<QUuid>{m_universe.factions()[0].id});

    // 25 codes in an empty universe wrap round to red; 5 stored factions start at gold.
    m_universe.setFactions({});
    ImportApplier many = applier();
    for (int i = 0; i < 25; ++i)
        many.importRoutes({route(1, 10 + i, QString::number(i))});
    EXPECT_EQ(m_universe.factions()[24].color, FactionColor::red);
    m_universe.setFactions(m_universe.factions().mid(0, 5));
    applier().importRoutes({route(2, 3, QStringLiteral("New"))});
    EXPECT_EQ(m_universe.factions().last().color, FactionColor::gold);

    // A "TR" faction of another name is no Trade Routes faction, but it is the "TR" code's.
    m_universe.setFactions({faction(QStringLiteral("Tramp Reach"), QStringLiteral("TR")), faction({}, {})});
    m_universe.setRutters({});
    ImportApplier routes = applier();
    EXPECT_EQ(routes.importRoutes(
                  {route(1, 2), route(3, 4, QStringLiteral("TR")), route(5, 6, QStringLiteral("X"))}),
              QStringLiteral("3 routes"));
    ASSERT_EQ(m_universe.factions().size(), 4);
    const Faction &trade = m_universe.factions()[2];
    EXPECT_EQ(trade.name, QStringLiteral("Trade Routes"));
    EXPECT_EQ(trade.color, FactionColor::grey);
    EXPECT_EQ(m_universe.factions()[3].color, FactionColor::salmon);
    EXPECT_EQ(m_universe.rutters()[1].factionID, m_universe.factions()[0].id);
    EXPECT_EQ(routes.resolver().createdCount(), 2);
}

TEST_F(ImportApply, TheLastFactionOfACodeIsTheOneUsed)
{
    m_universe.setFactions({faction(QStringLiteral("Old"), QStringLiteral("Im")),
                            faction(QStringLiteral("New"), QStringLiteral("Im"))});
    ImportApplier apply = applier({false, true});
    apply.importWorlds({world(1, QStringLiteral("Im"))});
    EXPECT_EQ(apply.resolver().createdCount(), 0);
    // Generated bodies never take the faction: only the main world does.
    int tagged = 0;
    for (const Star &star : m_universe.data()[0].starSystem.stars) {
        for (const WorldData &w : star.worlds)
            tagged += w.factionIDs == QList<QUuid>{m_universe.factions()[1].id};
    }
    EXPECT_EQ(tagged, 1);
}

TEST_F(ImportApply, ReimportingSkipsWhatIsPresentAndMergesBorders)
{
    Region handMade{QUuid::createUuid(), QStringLiteral("Realm"), FactionColor::blue, {}, true, std::nullopt};
    const auto border =
        importedRegions({MetaBorder{QStringLiteral("0101 0201 0102 0202"), QStringLiteral("ImDd"),
                                    QStringLiteral("Realm"), QStringLiteral("0101"), QString()}},
                        {0, 0}, {});
    handMade.anchors = buildRegionShapes(CellSet{{1, 1}, {1, 2}, {2, 1}}, {}).first();
    m_universe.setRegions({handMade});
    m_universe.setStarmapLabels({label(QStringLiteral("Here"), 1, QStringLiteral("Other"))});

    ImportRequest request;
    ConvertedImport converted;
    converted.worlds = {world(1, QStringLiteral("ImDd")), world(2, QString())};
    converted.routes = {route(1, 2), route(2, 1), route(1, 3)};
    converted.regions = border;
    converted.labels = {label(QStringLiteral("Here"), 1, QStringLiteral("Sector Name")),
                        label(QStringLiteral("Here"), 2, {}), label(QStringLiteral("Here"), 2, {})};
    EXPECT_EQ(apply(m_universe, request, converted),
              QStringLiteral("2 worlds, 2 routes, 0 regions, 1 label; created 2 factions."));
    // The hand-made region is replaced by one merged outline in the faction's colour.
    ASSERT_EQ(m_universe.regions().size(), 1);
    const Region merged = m_universe.regions().first();
    EXPECT_NE(merged.id, handMade.id);
    EXPECT_EQ(merged.color, FactionColor::red);
    EXPECT_EQ(cellsEnclosedBy(merged)->size(), 6u);

    const auto before = m_universe.data();
    EXPECT_EQ(apply(m_universe, request, converted),
              QStringLiteral("0 worlds (2 existing skipped), 0 routes, 0 regions, 0 labels."));
    EXPECT_EQ(m_universe.data(), before);
    EXPECT_EQ(m_universe.factions().size(), 2);
    EXPECT_EQ(m_universe.regions().size(), 1);
    EXPECT_EQ(cellsEnclosedBy(m_universe.regions().first()), cellsEnclosedBy(merged));

    request.overwriteExisting = true;
    request.importRoutes = request.importBorders = request.importLabels = false;
    EXPECT_EQ(apply(m_universe, request, {{}, {world(2, QString())}, {}, {}, {}}),
              QStringLiteral("1 world."));
    EXPECT_EQ(m_universe.data().size(), 2);
    EXPECT_NE(m_universe.data()[1].id, before[1].id);
    request.importWorlds = false;
    EXPECT_EQ(apply(m_universe, request, converted), QStringLiteral("."));
}

// The worlds of a sector arrive in the universe as one batch, whatever their number;
// a world for an occupied hex replaces that hex in place when overwriting, and a
// second world for the same free hex replaces the first one of the batch.
TEST_F(ImportApply, WorldsArriveAsOneBatchAndReplaceInPlace)
{
    ImportApplier first = applier();
    const ImportedWorld kept = world(1, QString());
    first.importWorlds({kept});
    QSignalSpy batches(&m_universe, &StarfarerUniverse::hexesInserted);
    QSignalSpy singles(&m_universe, &StarfarerUniverse::hexInserted);
    QSignalSpy replaced(&m_universe, &StarfarerUniverse::hexReplaced);
    QSignalSpy whole(&m_universe, &StarfarerUniverse::dataChanged);

    QList<ImportedWorld> sector;
    for (qint64 column = 1; column <= 32; ++column)
        sector.append(world(column, QString()));
    const ImportedWorld twin = world(5, QString());
    sector.append(twin);
    ImportApplier overwriting = applier({true, false});
    EXPECT_EQ(overwriting.importWorlds(sector), QStringLiteral("33 worlds"));
    EXPECT_EQ(batches.count(), 1);
    EXPECT_EQ(batches.first(), (QList<QVariant>{1, 31}));
    EXPECT_EQ(singles.count(), 0);
    EXPECT_EQ(whole.count(), 0);
    ASSERT_EQ(replaced.count(), 1);
    EXPECT_EQ(replaced.first().first().toUuid(), kept.hexData.id);
    ASSERT_EQ(m_universe.data().size(), 32);
    EXPECT_EQ(m_universe.data()[0].id, sector[0].hexData.id);
    EXPECT_EQ(m_universe.data()[4].id, twin.hexData.id);
    EXPECT_EQ(m_universe.hexData({0, 0, 5, 1})->id, twin.hexData.id);
}

// Routes, borders, labels and new factions reach the universe by id, never as whole
// lists, so that what listens (the map, the system list) works in proportion to the
// import: each new faction by itself, the routes and the labels each in one batch, a
// border's merged regions one by one and its outlines in one batch at the end, the
// other regions keeping their order. Nothing new, nothing told.
TEST_F(ImportApply, RoutesBordersLabelsAndFactionsArriveByIdNotAsWholeLists)
{
    const auto region = [](const char *name, const CellSet &cells) {
        return Region{QUuid::createUuid(),
                      QString::fromUtf8(name),
                      FactionColor::blue,
                      buildRegionShapes(cells, {}).first(),
                      true,
                      std::nullopt};
    };
    const Region before = region("Before", {{5, 5}});
    const Region realm = region("Realm", {{1, 1}, {1, 2}, {2, 1}});
    const Region after = region("After", {{7, 7}});
    m_universe.setRegions({before, realm, after});
    m_universe.setRutters({Rutter{QUuid::createUuid(),
                                  QUuid::createUuid(),
                                  {0, 0, 4, 1},
                                  {0, 0, 5, 1},
                                  false,
                                  RutterAge::recent,
                                  std::nullopt}});
    m_universe.setStarmapLabels({label(QStringLiteral("Here"), 1, QString())});
    ConvertedImport converted;
    converted.routes = {route(1, 2), route(2, 1, QStringLiteral("ImDd")), route(1, 3)};
    converted.regions =
        importedRegions({MetaBorder{QStringLiteral("0101 0201 0102 0202"), QStringLiteral("ImDd"),
                                    QStringLiteral("Realm"), QStringLiteral("0101"), QString()}},
                        {0, 0}, {});
    converted.labels = {label(QStringLiteral("Here"), 1, QString()), label(QStringLiteral("There"), 2, {}),
                        label(QStringLiteral("Yonder"), 3, {})};
    ImportRequest request;
    request.importWorlds = false;

    using U = StarfarerUniverse;
    std::vector<std::unique_ptr<QSignalSpy>> wholeLists;
    for (const auto changed : {&U::factionsChanged, &U::ruttersChanged, &U::regionsChanged,
                               &U::starmapLabelsChanged, &U::dataChanged})
        wholeLists.push_back(std::make_unique<QSignalSpy>(&m_universe, changed));
    QSignalSpy factions(&m_universe, &U::factionInserted);
    QSignalSpy routes(&m_universe, &U::ruttersInserted);
    QSignalSpy labels(&m_universe, &U::starmapLabelsInserted);
    QSignalSpy regionsGone(&m_universe, &U::regionRemoved);
    QSignalSpy outlines(&m_universe, &U::regionsInserted);
    EXPECT_EQ(apply(m_universe, request, converted),
              QStringLiteral("2 routes, 0 regions, 2 labels; created 2 factions."));
    for (const auto &spy : wholeLists)
        EXPECT_EQ(spy->count(), 0);
    EXPECT_EQ(factions.count(), 2);
    EXPECT_EQ(routes, (QList<QList<QVariant>>{{1, 2}}));
    EXPECT_EQ(labels, (QList<QList<QVariant>>{{1, 2}}));
    ASSERT_EQ(regionsGone.count(), 1);
    EXPECT_EQ(regionsGone.first().first().toLongLong(), 1);
    EXPECT_EQ(outlines, (QList<QList<QVariant>>{{2, 1}}));
    const QList<Region> &regions = m_universe.regions();
    ASSERT_EQ(regions.size(), 3);
    EXPECT_EQ(regions[0], before);
    EXPECT_EQ(regions[1], after);
    EXPECT_EQ(regions[2].name, realm.name);
    EXPECT_EQ(cellsEnclosedBy(regions[2])->size(), 6u);

    factions.clear();
    routes.clear();
    labels.clear();
    outlines.clear();
    apply(m_universe, request, converted);
    EXPECT_EQ(factions.count() + routes.count() + labels.count(), 0);
    EXPECT_EQ(outlines.count(), 1); // the merged border's outline, replaced
}
