#include "ImportTestSupport.h"
#include "import/ImportApplier.h"
#include "import/ImportConversion.h"
#include "import/StarsColumn.h"

#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <tuple>
#include <vector>

using namespace TravellerMapImporter;
using namespace Qt::StringLiterals;
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

// A rutter the referee drew between two hexes.
Rutter drawnRutter(const GalacticCoordinates &start, const GalacticCoordinates &end)
{
    return Rutter{QUuid::createUuid(), QUuid(), start, end, false, RutterAge::recent, std::nullopt};
}

// The rutters' ends and kinds, in order, without the ids each import chooses anew.
QList<std::tuple<GalacticCoordinates, GalacticCoordinates, bool>> routesOf(const QList<Rutter> &rutters)
{
    QList<std::tuple<GalacticCoordinates, GalacticCoordinates, bool>> routes;
    for (const Rutter &rutter : rutters)
        routes.append({rutter.start, rutter.end, rutter.mainTradeRoute});
    return routes;
}

// The labels, in order, without the ids each import chooses anew.
QList<StarmapLabel> withoutIDs(QList<StarmapLabel> labels)
{
    for (StarmapLabel &label : labels)
        label.id = QUuid();
    return labels;
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
    ImportApplier apply = applier();
    apply.importWorlds({world(1, QStringLiteral("Im"))});
    EXPECT_EQ(apply.resolver().createdCount(), 0);
    EXPECT_EQ(m_universe.data()[0].starSystem.stars[0].worlds[0].factionIDs,
              QList<QUuid>{m_universe.factions()[1].id});
}

// The other bodies of each system are generated with the conversion, off the GUI
// thread, only when asked for; the main world stays first on the first star, and it
// alone takes the faction of its allegiance when the worlds are stored.
TEST_F(ImportApply, AdditionalWorldsAreGeneratedWhenConvertingAndOnlyTheMainWorldTakesTheFaction)
{
    m_universe.setFactions({faction(QStringLiteral("Old"), QStringLiteral("ImDd")),
                            faction(QStringLiteral("New"), QStringLiteral("ImDd"))});
    ImportAnswers answers;
    answers.sectorData = ServiceAnswer{fixture("import-sector.tab"), true};
    ImportRequest request = import_test::request(QStringLiteral("Test Reach"));
    request.importRoutes = request.importBorders = request.importLabels = false;
    const ConvertedImport plain = convert(request, answers);
    request.generateAdditionalWorlds = true;
    const ConvertedImport generated = convert(request, answers);
    ASSERT_EQ(generated.worlds.size(), plain.worlds.size());
    // Alpha (0101) counts 3 gas giants.
    const auto worldsOf = [](const ImportedWorld &w) { return w.hexData.starSystem.allWorlds(); };
    EXPECT_EQ(worldsOf(plain.worlds[0]).size(), 1);
    EXPECT_GE(worldsOf(generated.worlds[0]).size(), 4);
    for (qsizetype i = 0; i < plain.worlds.size(); ++i) {
        const WorldData &main = generated.worlds[i].hexData.starSystem.stars[0].worlds[0];
        EXPECT_TRUE(main.mainWorld);
        EXPECT_EQ(main.uwp, plain.worlds[i].hexData.starSystem.stars[0].worlds[0].uwp);
    }

    EXPECT_EQ(apply(m_universe, request, generated),
              QStringLiteral("%1 worlds; created 3 factions.").arg(generated.worlds.size()));
    const HexData alpha = m_universe.hexData({0, 0, 1, 1}).value();
    int tagged = 0;
    for (const WorldData &w : alpha.starSystem.allWorlds())
        tagged += !w.factionIDs.isEmpty();
    EXPECT_EQ(tagged, 1);
    EXPECT_EQ(alpha.starSystem.stars[0].worlds[0].factionIDs, QList<QUuid>{m_universe.factions()[1].id});
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
    ConvertedImport oneWorld;
    oneWorld.worlds = {world(2, QString())};
    EXPECT_EQ(apply(m_universe, request, oneWorld), QStringLiteral("1 world."));
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
    ImportApplier overwriting = applier({true});
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

// The routes and labels the universe lacks, found on the worker against its lists as
// they stood, are those found against the lists at the apply step: for random routes
// in both directions and random labels, repeating each other and the stored ones.
TEST_F(ImportApply, RoutesAndLabelsFoundAheadAreThoseFoundWhenApplying)
{
    std::mt19937 random(11);
    const auto place = [&random] { return qint64(1 + random() % 6); };
    for (int round = 0; round < 40; ++round) {
        QList<Rutter> stored;
        QList<ImportedRoute> routes;
        for (int i = int(random() % 12); i > 0; --i)
            stored.append(drawnRutter({0, 0, place(), 1}, {0, 0, place(), 1}));
        for (int i = int(random() % 12); i > 0; --i)
            routes.append(route(place(), place()));
        QList<StarmapLabel> storedLabels;
        QList<StarmapLabel> labels;
        const auto someLabel = [&] {
            return label(random() % 2 ? QStringLiteral("A") : QStringLiteral("B"), place(),
                         random() % 2 ? QStringLiteral("Sector Name") : QString());
        };
        for (int i = int(random() % 8); i > 0; --i)
            storedLabels.append(someLabel());
        for (int i = int(random() % 8); i > 0; --i)
            labels.append(someLabel());

        m_universe.setRutters(stored);
        m_universe.setStarmapLabels(storedLabels);
        ImportApplier ahead = applier();
        ahead.importRoutes(routes, {m_universe.rutters(), ImportApplier::newRoutes(stored, routes)});
        ahead.importLabels(labels,
                           {m_universe.starmapLabels(), ImportApplier::newLabels(storedLabels, labels)});
        const QList<Rutter> aheadRutters = m_universe.rutters();
        const QList<StarmapLabel> aheadLabels = m_universe.starmapLabels();

        m_universe.setRutters(stored);
        m_universe.setStarmapLabels(storedLabels);
        ImportApplier here = applier();
        here.importRoutes(routes);
        here.importLabels(labels);
        EXPECT_EQ(routesOf(aheadRutters), routesOf(m_universe.rutters())) << "round " << round;
        EXPECT_EQ(aheadLabels, m_universe.starmapLabels()) << "round " << round;
    }
}

// What was found ahead is used only while the universe's list is the very list it was
// found against: a rutter or label added, removed or edited meanwhile has them found
// again when applying.
TEST_F(ImportApply, RoutesAndLabelsFoundAheadHoldOnlyWhileTheirListIsUnchanged)
{
    const QList<ImportedRoute> routes{route(1, 2), route(3, 4), route(5, 6)};
    const QList<StarmapLabel> labels{label(QStringLiteral("A"), 1, {}), label(QStringLiteral("B"), 2, {})};
    const Rutter stored = drawnRutter({0, 0, 2, 1}, {0, 0, 1, 1});
    const StarmapLabel storedLabel = label(QStringLiteral("A"), 1, QStringLiteral("Other"));
    // Plans that name only the last route and the first label, as if the others were
    // stored: applying them while they hold adds just those.
    const auto planned = [&] {
        m_universe.setRutters({stored});
        m_universe.setStarmapLabels({storedLabel});
        return std::pair{PlannedAdditions<Rutter>(m_universe.rutters(), {2}),
                         PlannedAdditions<StarmapLabel>(m_universe.starmapLabels(), {0})};
    };
    {
        const auto [forRoutes, forLabels] = planned();
        ImportApplier held = applier();
        EXPECT_EQ(held.importRoutes(routes, forRoutes), QStringLiteral("1 route"));
        EXPECT_EQ(held.importLabels(labels, forLabels), QStringLiteral("1 label"));
        EXPECT_EQ(m_universe.rutters().last().start, routes[2].start);
        EXPECT_EQ(m_universe.starmapLabels().last().text, QStringLiteral("A"));
    }

    const struct
    {
        const char *change;
        std::function<void()> make;
    } changes[] = {
        {"a rutter and a label added",
         [&] {
             m_universe.insertObject(drawnRutter({0, 0, 4, 1}, {0, 0, 3, 1}));
             m_universe.insertObject(label(QStringLiteral("B"), 2, {}));
         }},
        {"the rutter and the label removed",
         [&] {
             m_universe.removeObjectAt<Rutter>(0);
             m_universe.removeObjectAt<StarmapLabel>(0);
         }},
        {"the rutter and the label edited",
         [&] {
             Rutter edited = stored;
             edited.mainTradeRoute = true;
             m_universe.replaceObject(edited);
             StarmapLabel moved = storedLabel;
             moved.position.column = 7;
             m_universe.replaceObject(moved);
         }},
    };
    for (const auto &[change, make] : changes) {
        SCOPED_TRACE(change);
        const auto [staleRoutes, staleLabels] = planned();
        make();
        const qsizetype newRoutes = ImportApplier::newRoutes(m_universe.rutters(), routes).size();
        const qsizetype newLabels = ImportApplier::newLabels(m_universe.starmapLabels(), labels).size();
        ASSERT_TRUE(newRoutes != 1 || newLabels != 1); // the plans would add one of each
        ImportApplier again = applier();
        EXPECT_EQ(again.importRoutes(routes, staleRoutes), ImportApplier::countPiece(newRoutes, "route"_L1));
        EXPECT_EQ(again.importLabels(labels, staleLabels), ImportApplier::countPiece(newLabels, "label"_L1));
    }
}

// The service's routes and labels, converted on the worker against the universe's
// rutters and labels as they stood, are applied as the same answers converted without
// them are: the sector's own labels, its subsectors' names and its name alike. A route
// or label like one of the import's that the referee stores after the conversion is
// not added a second time.
TEST_F(ImportApply, RoutesAndLabelsConvertedAgainstTheStoredOnesAreAddedOnce)
{
    ImportAnswers answers;
    answers.sectorName = QStringLiteral("Test Reach");
    answers.metadata = fixture("import-metadata.json");
    ImportRequest request = import_test::request(QStringLiteral("Test Reach"));
    request.importWorlds = request.importBorders = false;
    const ConvertedImport onTheSpot = convert(request, answers);
    ASSERT_GE(onTheSpot.routes.size(), 3);
    ASSERT_GE(onTheSpot.labels.size(), 4); // the label, two subsector names, the sector name
    // Stored before the import: its second route, drawn the other way, and the sector's
    // name label at its place.
    const auto storeTheFirstOnes = [&] {
        m_universe.setFactions({});
        m_universe.setRutters({drawnRutter(onTheSpot.routes[1].end, onTheSpot.routes[1].start)});
        StarmapLabel sectorName = onTheSpot.labels.last();
        sectorName.id = QUuid::createUuid();
        m_universe.setStarmapLabels({sectorName});
    };

    storeTheFirstOnes();
    const QString expected = apply(m_universe, request, onTheSpot);
    const auto routes = routesOf(m_universe.rutters());
    const QList<StarmapLabel> labels = withoutIDs(m_universe.starmapLabels());
    EXPECT_EQ(routes.size(), onTheSpot.routes.size());
    EXPECT_EQ(labels.size(), onTheSpot.labels.size());

    storeTheFirstOnes();
    const ConvertedImport ahead = convert(request, answers, StoredMapObjects::of(m_universe));
    EXPECT_EQ(apply(m_universe, request, ahead), expected);
    EXPECT_EQ(routesOf(m_universe.rutters()), routes);
    EXPECT_EQ(withoutIDs(m_universe.starmapLabels()), labels);

    // The first route and label stored while the answers were being converted.
    storeTheFirstOnes();
    const ConvertedImport stale = convert(request, answers, StoredMapObjects::of(m_universe));
    m_universe.insertObject(drawnRutter(onTheSpot.routes[0].start, onTheSpot.routes[0].end));
    StarmapLabel drawn = onTheSpot.labels.first();
    drawn.id = QUuid::createUuid();
    m_universe.insertObject(drawn);
    apply(m_universe, request, stale);
    EXPECT_EQ(m_universe.rutters().size(), routes.size());
    EXPECT_EQ(m_universe.starmapLabels().size(), labels.size());
    QSet<std::pair<QString, GalacticCoordinates>> texts;
    for (const StarmapLabel &label : m_universe.starmapLabels())
        texts.insert({label.text, label.position});
    EXPECT_EQ(texts.size(), labels.size());
}
