// A sector import runs while the referee goes on editing: its answers wait on the
// service and its conversion waits on the worker pool while systems come and go at
// the hexes it imports, the faction its allegiance names is deleted, another is added,
// a route and a label it brings are made by hand and the universe is renamed. Its
// result is applied to the universe as it is when the result arrives: it equals the
// same answers applied to that universe directly, the file holds what the universe
// holds, and the system list that stayed open equals a list built afresh.
#include "../screens/ui/ScreenTestSupport.h"
#include "ItemModelMirror.h"
#include "import/HeldPool.h"
#include "import/ImportServiceTest.h"
#include "screens/SystemListModel.h"
#include "screens/SystemListProxy.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>

using namespace TravellerMapImporter;
using namespace import_test;
using test_records::aFaction;

namespace {

// The universe as an import's result is judged: every record with what it names
// followed (a world's and a rutter's faction by its name and code, "missing" when it
// names none), leaving out ids and what the conversion draws at random (stellar
// masses and what follows from them), so that two applications of the same answers
// compare equal.
QStringList summary(const StarfarerUniverse &universe)
{
    const auto named = [&universe](const QUuid &id) {
        const std::optional<Faction> found = universe.object<Faction>(id);
        return found ? found->name + u'/' + found->shortName : QStringLiteral("missing");
    };
    QStringList lines{universe.name()};
    for (const HexData &hex : universe.data()) {
        QStringList line{hex.coordinates.description(), hex.starSystem.name};
        for (const WorldData &world : hex.starSystem.allWorlds()) {
            line << world.name << world.uwp.code();
            for (const QUuid &id : world.factionIDs)
                line << named(id);
        }
        lines << line.join(u'|');
    }
    for (const Faction &f : universe.factions())
        lines << QStringList{f.name,
                             f.shortName,
                             QString::number(int(f.color)),
                             QString::number(int(f.category)),
                             f.homeworld.description(),
                             f.description}
                     .join(u'|');
    for (const Rutter &r : universe.rutters())
        lines << QStringList{r.start.description(), r.end.description(), named(r.factionID),
                             QString::number(r.mainTradeRoute), displayText(r.age)}
                     .join(u'|');
    for (const Region &region : universe.regions()) {
        QStringList line{region.name, QString::number(int(region.color)), QString::number(region.closed)};
        for (const RegionAnchor &anchor : region.anchors)
            line << anchor.hex.description() + u'/' + QString::number(anchor.corner);
        lines << line.join(u'|');
    }
    for (const StarmapLabel &label : universe.starmapLabels())
        lines << QStringList{label.text, label.position.description(), QString::number(label.size),
                             QString::number(int(label.color)), label.category}
                     .join(u'|');
    return lines;
}

class ImportWhileEditing : public ImportServiceTest
{
protected:
    // The same answers as the service gives, converted and applied to `target` at once.
    static QString applyDirectly(StarfarerUniverse &target, const ImportRequest &request)
    {
        ImportAnswers answers;
        answers.sectorName = request.sectorName;
        answers.sector = {0, 0};
        answers.allegiances = kAllegiances;
        answers.sectorData = ServiceAnswer{fixture("import-sector.tab"), true};
        answers.metadata = fixture("import-metadata.json");
        return apply(target, request, convert(request, answers));
    }

    QTemporaryDir m_elsewhere;
};

} // namespace

TEST_F(ImportWhileEditing, TheResultIsAppliedToTheUniverseAsItIsWhenItArrives)
{
    for (const bool overwrite : {false, true}) {
        SCOPED_TRACE(overwrite ? "overwriting" : "keeping what is stored");
        StarfarerUniverse &open = *universe();
        const HexData oldAlpha = screen_test::hexWithMainWorld(TechnologyLevel::ttl12, {0, 0, 1, 1})
                                     .named(QStringLiteral("Old Alpha"));
        const HexData gone =
            screen_test::hexWithMainWorld(TechnologyLevel::ttl12, {0, 0, 2, 2}).named(QStringLiteral("Ærø"));
        const Faction domain = aFaction(QStringLiteral("Old Domain")).shortName(QStringLiteral("ImDd"));
        open.setData({oldAlpha,
                      screen_test::hexWithMainWorld(TechnologyLevel::ttl12, {0, 0, 5, 5})
                          .named(QStringLiteral("Keep 10")),
                      gone,
                      screen_test::hexWithMainWorld(TechnologyLevel::ttl12, {1, 0, 1, 1})
                          .named(QStringLiteral("東京"))});
        open.setFactions({domain, aFaction(QStringLiteral("Zhodani")).shortName(QStringLiteral("CsZh"))});
        open.setRutters({});
        open.setRegions({});
        open.setStarmapLabels({});

        SystemListModel source(&open);
        SystemListProxy rows(&source);
        rows.setSortOrder(SystemSort::name);
        QAbstractItemModelTester tester(&rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
        const QList<int> roles{SystemListModel::HexIDRole, Qt::DisplayRole};
        ItemModelMirror shownRows(rows, roles);
        QSignalSpy resets(&rows, &QAbstractItemModel::modelReset);

        ImportRequest request = import_test::request(QStringLiteral("Test Reach"));
        request.overwriteExisting = overwrite;
        m_server.answer("/api/metadata", {200, fixture("import-metadata.json")});
        m_server.hold("/api/metadata");
        const qsizetype asked = m_server.requests().size();
        // The held answer must not run into the time-out.
        RunningImports jobs(m_server.base(), TravellerMapClient::defaultTimeout);
        std::optional<ImportOutcome> outcome;
        QPointer<ImportJob> job = jobs.start(request, &m_manager, &open, &m_form);
        QObject::connect(job, &ImportJob::finished, [&](const ImportOutcome &ended) { outcome = ended; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_server.heldCount() == 1; }, 20000));

        // While the last answer is held: the imported hex 0101 is freed, 1520 is
        // taken, the faction of the code ImDd is deleted, and the universe renamed.
        open.removeHex(oldAlpha.id);
        open.insertHexes({screen_test::hexWithMainWorld(TechnologyLevel::ttl12, {0, 0, 15, 20})
                              .named(QStringLiteral("Squatter")),
                          screen_test::hexWithMainWorld(TechnologyLevel::ttl12, {0, 0, 9, 9})
                              .named(QStringLiteral("World 9"))});
        open.removeObject<Faction>(domain.id);
        m_manager.renameCurrent(QStringLiteral("Réach ✦ %1").arg(overwrite));

        // While the conversion waits for the pool: 2838 is taken, 0202 freed, the code
        // of Gamma's allegiance gets a faction, and a route and a label the import
        // brings are made by hand.
        {
            HeldPool pool;
            m_server.release("/api/metadata");
            ASSERT_TRUE(QTest::qWaitFor([&] { return conversionHandedOver(job, asked + 4); }, 20000));
            ASSERT_FALSE(outcome.has_value());
            open.insertHex(screen_test::hexWithMainWorld(TechnologyLevel::ttl12, {0, 0, 28, 38})
                               .named(QStringLiteral("Delta Squat")));
            open.removeHex(gone.id);
            open.insertObject<Faction>(
                aFaction(QStringLiteral("Aslan Border")).shortName(QStringLiteral("XxYy")));
            open.insertObject(Rutter{QUuid::createUuid(),
                                     QUuid(),
                                     {0, 0, 3, 1},
                                     {0, 0, 1, 1},
                                     false,
                                     RutterAge::recent,
                                     std::nullopt});
            open.insertObject(StarmapLabel{QUuid::createUuid(),
                                           QStringLiteral("Rift"),
                                           12,
                                           FactionColor::white,
                                           0,
                                           {0, 0, 10, 10},
                                           QString()});
            std::unique_ptr<StarfarerUniverse> direct =
                StarfarerUniverse::decode(open.encode(), UniverseFolder(m_elsewhere.path()));
            ASSERT_TRUE(direct);
            const QString expected = applyDirectly(*direct, request);
            pool.releaseAndWait();

            ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 20000));
            EXPECT_EQ(outcome->kind, ImportOutcome::Kind::applied);
            EXPECT_EQ(outcome->message, expected);
            EXPECT_EQ(summary(open), summary(*direct));
        }

        // The file holds what the universe holds.
        ASSERT_TRUE(open.waitForPendingSave());
        QFile file(open.filePath());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_EQ(file.readAll(), open.encode());

        // The list that stayed open is the list built afresh, told without a reset.
        SystemListModel freshSource(&open);
        SystemListProxy fresh(&freshSource);
        fresh.setSortOrder(SystemSort::name);
        EXPECT_EQ(shownRows.rows(), ItemModelMirror(fresh, roles).rows());
        EXPECT_EQ(shownRows.rows(), shownRows.read());
        EXPECT_EQ(resets.count(), 0);
    }
}
