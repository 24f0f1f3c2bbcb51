// The list screens follow the universe row by row: after any mix of per-id changes,
// whole-list changes and filtering, the rows are those of a list built afresh, no
// change resets the model, and the element the user chose stays chosen with its
// editor, as long as it is listed.
#include "EditorTestSupport.h"
#include "editors/MapObjectListModel.h"
#include "editors/RegionsView.h"
#include "editors/RutterListSource.h"
#include "editors/RuttersView.h"

#include <QListView>
#include <QSignalSpy>
#include <QToolButton>

#include <random>

using namespace editor_test;

namespace {

// Every row as the delegate reads it.
QStringList rowsOf(const QAbstractItemModel &model)
{
    QStringList rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        const QModelIndex index = model.index(row, 0);
        QStringList roles{index.data().toString()};
        for (const int role : {int(MapObjectListModel::KindRole), int(MapObjectListModel::IdRole),
                               int(MapObjectListModel::PositionRole), int(MapObjectListModel::DetailsRole),
                               int(MapObjectListModel::DotRole)})
            roles.append(index.data(role).toString() + index.data(role).toStringList().join(u','));
        rows.append(roles.join(u'|'));
    }
    return rows;
}

Region region(int variant)
{
    Region made;
    made.id = QUuid::createUuid();
    made.name = QStringLiteral("R%1").arg(variant);
    made.closed = variant % 2;
    return made;
}

} // namespace

class MapObjectListUpdatesTest : public EditorTest
{
};

TEST_F(MapObjectListUpdatesTest, RowsFollowEveryChangeWithoutAResetAndKeepTheChoice)
{
    std::mt19937 random(77);
    RegionsView view(*m_universe);
    QSignalSpy resets(view.model(), &QAbstractItemModel::modelReset);
    QUuid chosen;
    QWidget *chosenEditor = nullptr;
    for (int step = 0; step < 200 && !HasFailure(); ++step) {
        const QList<Region> &regions = m_universe->regions();
        const int action = int(random() % 8);
        if (regions.isEmpty() || action < 3) {
            m_universe->insertObject(region(step));
        } else if (action < 5) {
            Region changed = regions[random() % regions.size()];
            changed.name += u'+';
            changed.closed = !changed.closed;
            m_universe->replaceObject(changed);
        } else if (action < 7) {
            // Never the chosen one: its removal would rightly drop the choice.
            const Region &gone = regions[random() % regions.size()];
            if (gone.id != chosen)
                m_universe->removeObject<Region>(gone.id);
        } else {
            QList<Region> shuffled = regions;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            m_universe->setRegions(shuffled);
        }
        if (chosen.isNull() && !m_universe->regions().isEmpty()) {
            chosen = m_universe->regions().first().id;
            view.listView()->setCurrentIndex(view.model()->index(view.model()->rowOf(chosen), 0));
            chosenEditor = view.detail();
        }

        MapObjectListModel fresh(view.listSource());
        ASSERT_EQ(rowsOf(*view.model()), rowsOf(fresh)) << "step " << step;
        if (!chosen.isNull()) {
            ASSERT_EQ(view.selection()->element, chosen) << "step " << step;
            EXPECT_EQ(view.listView()->currentIndex().data(MapObjectListModel::IdRole).toUuid(), chosen);
            EXPECT_EQ(view.detail(), chosenEditor) << "step " << step;
        }
    }
    EXPECT_EQ(resets.count(), 0);
}

// A search that hides the chosen rutter removes its row but not the editor the
// user works in; clearing the search brings the row back, chosen.
TEST_F(MapObjectListUpdatesTest, FilteringHidesRowsWithoutLeavingTheEditor)
{
    Faction owner;
    owner.id = QUuid::createUuid();
    owner.name = QStringLiteral("Owner");
    m_universe->setFactions({owner});
    QList<Rutter> rutters;
    for (qint64 column = 1; column <= 4; ++column)
        rutters.append(Rutter{QUuid::createUuid(),
                              owner.id,
                              {0, 0, column, 1},
                              {0, 0, column, 2},
                              false,
                              RutterAge::recent,
                              std::nullopt});
    m_universe->setRutters(rutters);
    m_universe->setData({systemAt({0, 0, 3, 1}, QStringLiteral("Vland"))});
    RuttersView view(*m_universe);
    QSignalSpy resets(view.model(), &QAbstractItemModel::modelReset);
    view.listView()->setCurrentIndex(view.model()->index(1, 0));
    QWidget *editor = view.detail();

    QTest::keyClicks(view.searchField(), QStringLiteral("Vland"));
    EXPECT_EQ(view.model()->rowCount(), 2); // the match and the "New" row
    EXPECT_EQ(view.detail(), editor);
    view.searchField()->clear();
    EXPECT_EQ(view.model()->rowCount(), 5);
    EXPECT_EQ(view.listView()->currentIndex().data(MapObjectListModel::IdRole).toUuid(), rutters[1].id);
    EXPECT_EQ(view.detail(), editor);

    // A system stored at a rutter's end renames that row alone.
    QSignalSpy repainted(view.model(), &QAbstractItemModel::dataChanged);
    m_universe->insertHex(systemAt({0, 0, 4, 2}, QStringLiteral("Ember")));
    ASSERT_EQ(repainted.count(), 1);
    EXPECT_EQ(repainted.first().first().toModelIndex().row(), 3);
    m_universe->insertHex(systemAt({0, 0, 9, 9}, QStringLiteral("Elsewhere")));
    EXPECT_EQ(repainted.count(), 1);
    EXPECT_EQ(resets.count(), 0);
}

// The rutter list keeps the rows it made; after any mix of changes to rutters (with
// an id used twice), to their factions (renamed, gone, back again, or all set anew),
// to the systems at their ends and to the systems' list as a whole, its rows are those
// made afresh from each rutter.
TEST_F(MapObjectListUpdatesTest, KeptRutterRowsFollowEverythingARowShows)
{
    std::mt19937 random(91);
    const auto place = [&random] {
        return GalacticCoordinates{0, 0, qint64(random() % 4 + 1), qint64(random() % 3 + 1)};
    };
    QList<Faction> factions;
    for (int i = 0; i < 3; ++i) {
        Faction faction;
        faction.id = QUuid::createUuid();
        faction.name = QStringLiteral("F%1").arg(i);
        factions.append(faction);
    }
    m_universe->setFactions(factions);
    RutterListSource kept(*m_universe);
    ASSERT_TRUE(kept.rows().isEmpty());
    QList<Faction> gone; // factions taken out, which rutters may still name
    for (int step = 0; step < 400 && !HasFailure(); ++step) {
        const QList<Rutter> &rutters = m_universe->rutters();
        const QList<Faction> &owners = m_universe->factions();
        switch (rutters.isEmpty() ? 0 : int(random() % 11)) {
        case 0:
        case 1: {
            Rutter added{QUuid::createUuid(),
                         owners[random() % owners.size()].id,
                         place(),
                         place(),
                         false,
                         RutterAge::recent,
                         std::nullopt};
            // Now and then a second rutter under an id already used.
            if (!rutters.isEmpty() && random() % 4 == 0)
                added.id = rutters[random() % rutters.size()].id;
            m_universe->insertObject(added);
            break;
        }
        case 2: {
            Rutter changed = rutters[random() % rutters.size()];
            changed.mainTradeRoute = !changed.mainTradeRoute;
            changed.end = place();
            changed.factionID = owners[random() % owners.size()].id;
            m_universe->replaceObject(changed);
            break;
        }
        case 3: m_universe->removeObject<Rutter>(rutters[random() % rutters.size()].id); break;
        case 4: {
            Faction renamed = owners[random() % owners.size()];
            renamed.name += u'*';
            renamed.color = random() % 2 ? FactionColor::red : FactionColor::salmon;
            m_universe->replaceObject(renamed);
            break;
        }
        case 5: {
            const GalacticCoordinates at = place();
            if (const auto stored = m_universe->hexData(at))
                m_universe->removeHex(stored->id);
            else
                m_universe->insertHex(systemAt(at, QStringLiteral("S%1").arg(step)));
            break;
        }
        case 6: {
            const GalacticCoordinates at = place();
            if (const auto stored = m_universe->hexData(at)) {
                HexData renamed = *stored;
                renamed.starSystem.name += u'!';
                m_universe->replaceHex(renamed);
            }
            break;
        }
        case 7: {
            QList<HexData> systems = m_universe->data().toList();
            std::shuffle(systems.begin(), systems.end(), random);
            if (!systems.isEmpty())
                systems.first().starSystem.name = QStringLiteral("Moved %1").arg(step);
            m_universe->setData(systems);
            break;
        }
        case 8: {
            QList<Rutter> shuffled = rutters;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            m_universe->setRutters(shuffled);
            break;
        }
        case 9:
            // A faction goes (its rutters' rows lose it), comes back, or a new one comes.
            if (owners.size() > 1 && random() % 2) {
                gone.append(owners[random() % owners.size()]);
                m_universe->removeObject<Faction>(gone.last().id);
            } else if (!gone.isEmpty()) {
                m_universe->insertObject(gone.takeAt(random() % gone.size()));
            } else {
                Faction added;
                added.id = QUuid::createUuid();
                added.name = QStringLiteral("N%1").arg(step);
                m_universe->insertObject(added);
            }
            break;
        default: {
            QList<Faction> shuffled = owners;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            shuffled.first().name += u'~';
            m_universe->setFactions(shuffled);
        }
        }
        QList<MapObjectRow> made;
        for (qsizetype i = 0; i < m_universe->rutters().size(); ++i) {
            made.append(RutterListSource::row(m_universe->rutters()[i], *m_universe));
            made.last().position = i;
        }
        ASSERT_EQ(kept.rows(), made) << "step " << step;
    }
}

// A faction shows only in the rows of its own rutters and in the filter's title: a
// new faction, or one no rutter names, tells the rutter list nothing, while a faction
// that rutters name, or that the filter names, changes what shows.
TEST_F(MapObjectListUpdatesTest, OnlyTheFactionsARutterOrTheFilterNamesReachTheRutterList)
{
    Faction owner;
    owner.id = QUuid::createUuid();
    owner.name = QStringLiteral("Owner");
    m_universe->setFactions({owner});
    const QUuid unknown = QUuid::createUuid(); // named by a rutter, not yet a faction
    m_universe->setRutters({Rutter{QUuid::createUuid(),
                                   owner.id,
                                   {0, 0, 1, 1},
                                   {0, 0, 1, 2},
                                   false,
                                   RutterAge::recent,
                                   std::nullopt},
                            Rutter{QUuid::createUuid(),
                                   unknown,
                                   {0, 0, 2, 1},
                                   {0, 0, 2, 2},
                                   false,
                                   RutterAge::recent,
                                   std::nullopt}});
    RuttersView view(*m_universe);
    QSignalSpy told(&view.listSource(), &MapObjectListSource::changed);

    Faction bystander;
    bystander.id = QUuid::createUuid();
    bystander.name = QStringLiteral("Bystander");
    m_universe->insertObject(bystander);
    bystander.name = QStringLiteral("Renamed bystander");
    m_universe->replaceObject(bystander);
    EXPECT_EQ(told.count(), 0);

    Faction arrived;
    arrived.id = unknown;
    arrived.name = QStringLiteral("Arrived");
    m_universe->insertObject(arrived);
    EXPECT_EQ(told.count(), 1);
    EXPECT_EQ(view.model()->index(1, 0).data().toString(), QStringLiteral("Arrived"));

    // The filter names the bystander, which owns no rutter: its title follows it.
    view.source().setFactionFilterID(bystander.id);
    bystander.name = QStringLiteral("Watched");
    m_universe->replaceObject(bystander);
    EXPECT_EQ(view.factionFilterButton()->text(), QStringLiteral("Watched"));
    MapObjectListModel fresh(view.listSource());
    EXPECT_EQ(rowsOf(*view.model()), rowsOf(fresh));
}

// Regions appended together, as an import appends them, reach the list as one change
// and one insert of all their rows.
TEST_F(MapObjectListUpdatesTest, ElementsAppendedTogetherAreInsertedOnce)
{
    m_universe->insertObject(region(0));
    RegionsView view(*m_universe);
    QSignalSpy told(&view.listSource(), &MapObjectListSource::changed);
    QSignalSpy inserted(view.model(), &QAbstractItemModel::rowsInserted);
    m_universe->insertObjects(QList<Region>{region(1), region(2), region(3)});
    EXPECT_EQ(told.count(), 1);
    ASSERT_EQ(inserted.count(), 1);
    EXPECT_EQ(inserted.first().at(1).toInt(), 1);
    EXPECT_EQ(inserted.first().at(2).toInt(), 3);
    MapObjectListModel fresh(view.listSource());
    EXPECT_EQ(rowsOf(*view.model()), rowsOf(fresh));
}
