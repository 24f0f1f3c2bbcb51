// The list screens follow the universe row by row: after any mix of per-id changes,
// whole-list changes and filtering, the rows are those of a list built afresh, no
// change resets the model, and the element the user chose stays chosen with its
// editor, as long as it is listed.
#include "EditorTestSupport.h"
#include "ItemModelMirror.h"
#include "editors/SystemNames.h"
#include "editors/ui/FactionListsView.h"
#include "editors/ui/MapObjectListModel.h"
#include "editors/ui/NebulaeView.h"
#include "editors/ui/RegionsView.h"
#include "editors/ui/RutterListSource.h"
#include "editors/ui/RuttersView.h"
#include "editors/ui/StarmapLabelsView.h"
#include "starmap/RandomMapEdits.h"

#include <QListView>
#include <QSignalSpy>
#include <QToolButton>

#include <algorithm>
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
    m_universe->setData({aHex({0, 0, 3, 1}).named(QStringLiteral("Vland"))});
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
    m_universe->insertHex(aHex({0, 0, 4, 2}).named(QStringLiteral("Ember")));
    ASSERT_EQ(repainted.count(), 1);
    EXPECT_EQ(repainted.first().first().toModelIndex().row(), 3);
    m_universe->insertHex(aHex({0, 0, 9, 9}).named(QStringLiteral("Elsewhere")));
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
                m_universe->insertHex(aHex(at).named(QStringLiteral("S%1").arg(step)));
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

// A list screen off screen holds its rows and catches up once when it shows again:
// while hidden, no change reaches its rows; shown again, it shows what a screen that
// stayed on screen through the same changes shows — the same rows, the same chosen
// row, the same editor kept or dropped — also when the chosen element went meanwhile.
TEST_F(MapObjectListUpdatesTest, AHiddenListCatchesUpOnceWhenShownAgain)
{
    for (const unsigned seed : {5u, 6u, 7u, 8u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        m_universe->setRegions({});
        for (int i = 0; i < 6; ++i)
            m_universe->insertObject(region(i));
        RegionsView live(*m_universe);
        RegionsView held(*m_universe);
        live.show();
        held.show();
        const QUuid chosen = m_universe->regions()[random() % 6].id;
        for (RegionsView *view : {&live, &held})
            view->listView()->setCurrentIndex(view->model()->index(view->model()->rowOf(chosen), 0));
        QWidget *const liveEditor = live.detail();
        QWidget *const heldEditor = held.detail();

        for (int round = 0; round < 6 && !HasFailure(); ++round) {
            held.hide();
            ASSERT_TRUE(live.isVisible());
            QSignalSpy rowsMoved(held.model(), &QAbstractItemModel::layoutChanged);
            QSignalSpy rowsInserted(held.model(), &QAbstractItemModel::rowsInserted);
            QSignalSpy rowsRemoved(held.model(), &QAbstractItemModel::rowsRemoved);
            QSignalSpy rowsRepainted(held.model(), &QAbstractItemModel::dataChanged);
            for (int step = 0; step < 12; ++step) {
                const QList<Region> &regions = m_universe->regions();
                const int action = int(random() % 9);
                if (regions.isEmpty() || action < 3) {
                    m_universe->insertObject(region(100 * round + step));
                } else if (action < 5) {
                    Region changed = regions[random() % regions.size()];
                    changed.name += u'+';
                    m_universe->replaceObject(changed);
                } else if (action < 8) {
                    // Now and then the chosen one goes too.
                    m_universe->removeObject<Region>(regions[random() % regions.size()].id);
                } else {
                    QList<Region> shuffled = regions;
                    std::shuffle(shuffled.begin(), shuffled.end(), random);
                    m_universe->setRegions(shuffled);
                }
            }
            EXPECT_EQ(rowsInserted.count() + rowsRemoved.count() + rowsRepainted.count() + rowsMoved.count(),
                      0)
                << "round " << round;
            held.show();
            MapObjectListModel fresh(held.listSource());
            ASSERT_EQ(rowsOf(*held.model()), rowsOf(fresh)) << "round " << round;
            ASSERT_EQ(rowsOf(*held.model()), rowsOf(*live.model())) << "round " << round;
            EXPECT_EQ(held.selection(), live.selection()) << "round " << round;
            EXPECT_EQ(held.listView()->selectionModel()->selectedIndexes().value(0).row(),
                      live.listView()->selectionModel()->selectedIndexes().value(0).row())
                << "round " << round;
            EXPECT_EQ(held.detail() == heldEditor, live.detail() == liveEditor) << "round " << round;
            EXPECT_EQ(held.sectionTitle(), live.sectionTitle());
        }
    }
}

// A list screen that was never shown (one a test or a caller builds and reads) follows
// the universe at once, as it always did.
TEST_F(MapObjectListUpdatesTest, AListNeverShownFollowsAtOnce)
{
    RegionsView view(*m_universe);
    ASSERT_FALSE(view.isVisible());
    m_universe->insertObjects(QList<Region>{region(1), region(2)});
    EXPECT_EQ(view.model()->rowCount(), 3);
    EXPECT_FALSE(view.model()->isHeld());
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

namespace {

// Each kind of map object listed by its own screen: how to make, vary and list one.
template <typename T> struct ListedKind;

template <> struct ListedKind<Region>
{
    using View = RegionsView;
    static Region make(std::mt19937 &random, const QString &name)
    {
        Region made;
        made.id = QUuid::createUuid();
        made.name = name;
        made.closed = random() % 2;
        for (int i = int(random() % 3); i > 0; --i)
            made.anchors.append({{0, 0, 1, i}, i % 6});
        return made;
    }
    static void vary(Region &region, std::mt19937 &random, const QString &name)
    {
        region.name = name;
        region.color = FactionColor(random() % 8);
        if (random() % 2)
            region.anchors.append({{0, 0, 2, 2}, 1});
    }
    static void setAll(StarfarerUniverse &universe, const QList<Region> &all) { universe.setRegions(all); }
};

template <> struct ListedKind<Nebula>
{
    using View = NebulaeView;
    static Nebula make(std::mt19937 &random, const QString &name)
    {
        return Nebula{QUuid::createUuid(), name, NebulaType(random() % 5), {}};
    }
    static void vary(Nebula &nebula, std::mt19937 &random, const QString &name)
    {
        nebula.name = name;
        nebula.type = NebulaType(random() % 5);
        nebula.hexes.append({0, 0, qint64(random() % 32 + 1), 1});
    }
    static void setAll(StarfarerUniverse &universe, const QList<Nebula> &all) { universe.setNebulae(all); }
};

template <> struct ListedKind<StarmapLabel>
{
    using View = StarmapLabelsView;
    static StarmapLabel make(std::mt19937 &random, const QString &name)
    {
        return StarmapLabel{QUuid::createUuid(),
                            name,
                            double(random() % 40 + 4),
                            FactionColor::white,
                            0.0,
                            {0, 0, 1, 1},
                            random() % 2 ? QString() : QStringLiteral("Sector Name")};
    }
    static void vary(StarmapLabel &label, std::mt19937 &random, const QString &name)
    {
        label.text = name;
        label.size = double(random() % 40 + 4);
        label.color = FactionColor(random() % 8);
        label.position.row = qint64(random() % 41);
        label.category = random() % 2 ? QString() : QStringLiteral("Région");
    }
    static void setAll(StarfarerUniverse &universe, const QList<StarmapLabel> &all)
    {
        universe.setStarmapLabels(all);
    }
};

template <> struct ListedKind<FactionList>
{
    using View = FactionListsView;
    static FactionList make(std::mt19937 &, const QString &name) { return {QUuid::createUuid(), name, {}}; }
    static void vary(FactionList &list, std::mt19937 &random, const QString &name)
    {
        list.name = name;
        if (random() % 2)
            list.factionIDs.append(QUuid::createUuid());
        else if (!list.factionIDs.isEmpty())
            list.factionIDs.removeLast();
    }
    static void setAll(StarfarerUniverse &universe, const QList<FactionList> &all)
    {
        universe.setFactionLists(all);
    }
};

const QList<int> kRowRoles{Qt::DisplayRole,
                           MapObjectListModel::KindRole,
                           MapObjectListModel::IdRole,
                           MapObjectListModel::PositionRole,
                           MapObjectListModel::DetailsRole,
                           MapObjectListModel::DotRole};

QString roleText(const QModelIndex &index, int role)
{
    if (role == MapObjectListModel::DotRole) {
        const QVariant dot = index.data(role);
        return dot.isValid() ? dot.value<QColor>().name(QColor::HexArgb) : QString();
    }
    return ItemModelMirror::plainText(index, role);
}

// A list screen's rows made afresh: one per row the source would show now, or the
// line of the empty text, then the "New" row.
QList<QStringList> rowsMadeAfresh(const QList<MapObjectRow> &made, const MapObjectListTexts &texts)
{
    const auto kind = [](MapObjectListModel::Kind k) { return QString::number(int(k)); };
    QList<QStringList> rows;
    for (const MapObjectRow &row : made)
        rows.append({row.title, kind(MapObjectListModel::Kind::element), row.id.toString(),
                     QString::number(row.position), row.details.join(u'\x1F'),
                     row.dot ? row.dot->name(QColor::HexArgb) : QString()});
    if (made.isEmpty())
        rows.append({texts.emptyText, kind(MapObjectListModel::Kind::empty), {}, {}, {}, {}});
    rows.append({texts.newRow, kind(MapObjectListModel::Kind::create), {}, {}, {}, {}});
    return rows;
}

const QStringList kNames{
    QStringLiteral("Ærø"),    QStringLiteral("Spinward Marches"), QString(),
    QStringLiteral("東の雲"), QStringLiteral("🌌 Veil"),           QStringLiteral("ärø 2")};

template <typename T> class MapObjectListKindTest : public EditorTest
{
};

using ListedKinds = ::testing::Types<Region, Nebula, StarmapLabel, FactionList>;
TYPED_TEST_SUITE(MapObjectListKindTest, ListedKinds);

} // namespace

// Each list screen of map objects, after any mix of single and batch appends (an empty
// batch among them), replacements, removals by id (an id used twice) and by position,
// the list emptied and refilled and whole new lists, shows the rows made afresh from
// the universe's elements, and told a view every change without a reset. Changes to
// other kinds and to the systems leave it as it is.
TYPED_TEST(MapObjectListKindTest, RowsAreTheElementsRowsAndEveryChangeIsTold)
{
    using T = TypeParam;
    using Kind = ListedKind<T>;
    StarfarerUniverse &universe = *this->m_universe;
    std::mt19937 random(5);
    typename Kind::View view(universe);
    MapObjectListModel &model = *view.model();
    ItemModelMirror shown(model, kRowRoles, roleText);
    QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
    const auto name = [&random] { return kNames[random() % kNames.size()]; };
    int wholeLists = 0;
    for (int step = 0; step < 400 && !this->HasFailure(); ++step) {
        const QList<T> &elements = universe.template objects<T>();
        const auto any = [&] { return elements[random() % elements.size()]; };
        switch (elements.isEmpty() ? int(random() % 3) : int(random() % 11)) {
        case 0: {
            T added = Kind::make(random, name());
            if (!elements.isEmpty() && random() % 4 == 0)
                added.id = any().id;
            universe.insertObject(added);
            break;
        }
        case 1: {
            QList<T> batch;
            for (int i = int(random() % 4); i > 0; --i)
                batch.append(Kind::make(random, name()));
            universe.insertObjects(batch);
            break;
        }
        case 2:
            if (random() % 3 == 0) {
                QList<T> fresh;
                for (int i = int(random() % 3); i > 0; --i)
                    fresh.append(Kind::make(random, name()));
                Kind::setAll(universe, fresh);
                ++wholeLists;
            }
            break;
        case 3:
        case 4: {
            T changed = any();
            Kind::vary(changed, random, name());
            universe.replaceObject(changed);
            break;
        }
        case 5: universe.template removeObject<T>(any().id); break;
        case 6: universe.template removeObjectAt<T>(qsizetype(random() % elements.size())); break;
        case 7:
            // The list emptied from its end, as the swipe delete does it one by one.
            while (!universe.template objects<T>().isEmpty() && random() % 4)
                universe.template removeObjectAt<T>(universe.template objects<T>().size() - 1);
            break;
        case 8: {
            QList<T> shuffled = elements;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            Kind::setAll(universe, shuffled);
            ++wholeLists;
            break;
        }
        case 9: universe.insertHex(aHex({0, 0, qint64(random() % 4 + 1), 1}).named(name())); break;
        default: {
            // Another kind of element; a faction list screen's rows do not read factions.
            universe.insertObject<Faction>(aFaction(name()));
            universe.insertObject(Rutter{QUuid::createUuid(), QUuid(), {}, {}, false, RutterAge::recent, {}});
        }
        }
        QList<MapObjectRow> made;
        for (qsizetype i = 0; i < universe.template objects<T>().size(); ++i) {
            const T &element = universe.template objects<T>()[i];
            made.append(Kind::View::row(element));
            made.last().id = element.id;
            made.last().position = i;
        }
        const QList<QStringList> expected = rowsMadeAfresh(made, view.listSource().texts());
        ASSERT_EQ(shown.read(), expected) << "step " << step;
        ASSERT_EQ(shown.rows(), expected) << "step " << step;
    }
    // The whole-list setters keep their one signal; nothing else resets the rows.
    EXPECT_EQ(resets.count(), 0) << wholeLists << " whole lists";
}

// The rutter screen's kept rows, under its faction filter and its search, after rutters
// appended together, factions deleted and added, systems appended together, moved,
// renamed and removed at the rutters' ends, and the rules' word turned by the first
// system: the rows are those of a plain filter of the rutters, each row made afresh,
// and a view that only heard the model's signals shows them too.
TEST_F(MapObjectListUpdatesTest, RutterRowsAreAPlainFilterOfRowsMadeAfreshUnderEveryChange)
{
    std::mt19937 random(2026);
    // Rutters run between twelve hexes; systems also stand beyond them, where no row
    // names them and only the rules' word can change the list.
    const auto place = [&random] {
        return GalacticCoordinates{0, 0, qint64(random() % 4 + 1), qint64(random() % 3 + 1)};
    };
    const auto systemPlace = [&random] {
        return GalacticCoordinates{0, 0, qint64(random() % 6 + 1), qint64(random() % 3 + 1)};
    };
    const auto name = [&random] { return kNames[random() % kNames.size()]; };
    const auto system = [&](const GalacticCoordinates &at) {
        HexData hex = aHex({0, 0, 1, 1})
                          .named(QStringLiteral("Home"))
                          .worlds({aWorld().main().techLevel(random() % 2 ? TechnologyLevel::ttl12
                                                                          : TechnologyLevel::tl4)});
        hex.coordinates = at;
        hex.starSystem.name = name();
        return hex;
    };
    m_universe->setFactions({aFaction(QStringLiteral("Ærø")), aFaction(QStringLiteral("Zhodani"))});
    RuttersView view(*m_universe);
    RutterListSource &source = view.source();
    ItemModelMirror shown(*view.model(), kRowRoles, roleText);
    QSignalSpy resets(view.model(), &QAbstractItemModel::modelReset);

    for (int step = 0; step < 500 && !HasFailure(); ++step) {
        const QList<Rutter> &rutters = m_universe->rutters();
        const QList<Faction> &factions = m_universe->factions();
        const auto owner = [&] {
            return factions.isEmpty() ? QUuid() : factions[random() % factions.size()].id;
        };
        const auto rutter = [&] {
            return Rutter{QUuid::createUuid(), owner(),           place(),     place(),
                          random() % 2 == 0,   RutterAge::recent, std::nullopt};
        };
        switch (int(random() % 12)) {
        case 0: m_universe->insertObject(rutter()); break;
        case 1: {
            QList<Rutter> batch;
            for (int i = int(random() % 4); i > 0; --i)
                batch.append(rutter());
            m_universe->insertObjects(batch);
            break;
        }
        case 2:
            if (!rutters.isEmpty())
                m_universe->removeObjectAt<Rutter>(qsizetype(random() % rutters.size()));
            break;
        case 3:
            if (!factions.isEmpty())
                m_universe->removeObject<Faction>(owner());
            break;
        case 4: m_universe->insertObject<Faction>(aFaction(name())); break;
        case 5: {
            QList<HexData> batch;
            for (int i = int(random() % 3) + 1; i > 0; --i)
                batch.append(system(systemPlace()));
            m_universe->insertHexes(batch);
            break;
        }
        case 6:
        case 7:
            if (!m_universe->data().isEmpty()) {
                HexData changed = m_universe->data()[random() % m_universe->data().size()];
                if (random() % 2)
                    changed.coordinates = systemPlace();
                else
                    changed.starSystem.name = name();
                m_universe->replaceHex(changed);
            }
            break;
        case 8:
            if (!m_universe->data().isEmpty())
                m_universe->removeHex(m_universe->data()[random() % m_universe->data().size()].id);
            break;
        case 9: {
            // The rules' word follows the first system's scale of tech levels.
            if (m_universe->data().isEmpty()) {
                m_universe->insertHex(system(systemPlace()));
                break;
            }
            HexData first = m_universe->data().first();
            TechnologyLevel &level = first.starSystem.stars[0].worlds[0].uwp.techLevel;
            level = level == TechnologyLevel::tl4 ? TechnologyLevel::ttl12 : TechnologyLevel::tl4;
            m_universe->replaceHex(first);
            break;
        }
        case 10: source.setFactionFilterID(random() % 2 ? std::nullopt : std::optional(owner())); break;
        default: {
            const QStringList searches{QString(),
                                       QStringLiteral(" 0101 "),
                                       QStringLiteral("ÆR"),
                                       QStringLiteral("東"),
                                       QStringLiteral("unknown"),
                                       QStringLiteral("🌌")};
            view.searchField()->setText(searches[random() % searches.size()]);
        }
        }

        // The plain filter: the chosen faction's rutters whose ends' labels or system
        // names hold the search, letter case ignored.
        const QString query = view.searchField()->text().trimmed();
        QList<MapObjectRow> made;
        for (qsizetype i = 0; i < m_universe->rutters().size(); ++i) {
            const Rutter &listed = m_universe->rutters()[i];
            if (source.factionFilterID() && *source.factionFilterID() != listed.factionID)
                continue;
            const QStringList searched{listed.start.description(), listed.end.description(),
                                       SystemNames::systemName(*m_universe, listed.start),
                                       SystemNames::systemName(*m_universe, listed.end)};
            if (!query.isEmpty() &&
                std::none_of(searched.cbegin(), searched.cend(),
                             [&](const QString &text) { return text.contains(query, Qt::CaseInsensitive); }))
                continue;
            made.append(RutterListSource::row(listed, *m_universe));
            made.last().position = i;
        }
        const QList<QStringList> expected = rowsMadeAfresh(made, source.texts());
        ASSERT_EQ(shown.read(), expected) << "step " << step;
        ASSERT_EQ(shown.rows(), expected) << "step " << step;
    }
    EXPECT_EQ(resets.count(), 0);
}

// Every list screen, hidden while the universe changes in every way — the first element
// of each kind made in an empty universe, the last removed, whole lists set at once,
// factions and systems that reach the rutters' rows only through their names, the rules'
// word — and its rutter filter and search set meanwhile, shows again what a new screen
// shows: the same title and filter title, and the same rows, as its view was told them.
TEST_F(MapObjectListUpdatesTest, EveryListScreenShownAgainShowsWhatANewOneShows)
{
    const auto screens = [this] {
        std::vector<std::unique_ptr<MapObjectListView>> made;
        made.push_back(std::make_unique<RuttersView>(*m_universe));
        made.push_back(std::make_unique<RegionsView>(*m_universe));
        made.push_back(std::make_unique<NebulaeView>(*m_universe));
        made.push_back(std::make_unique<StarmapLabelsView>(*m_universe));
        made.push_back(std::make_unique<FactionListsView>(*m_universe));
        return made;
    };
    const std::vector<std::unique_ptr<MapObjectListView>> kept = screens();
    std::vector<std::unique_ptr<ItemModelMirror>> shown; // what each list view was told
    for (const auto &screen : kept)
        shown.push_back(std::make_unique<ItemModelMirror>(*screen->model(), kRowRoles, roleText));
    auto &keptRutters = static_cast<RuttersView &>(*kept.front());
    StarMapTest::RandomMapEdits edits(*m_universe, 31, {{0, 0, 1, 1}, {0, 0, 2, 1}, {0, 0, 1, 2}});
    for (int round = 0; round < 150 && !HasFailure(); ++round) {
        SCOPED_TRACE(round);
        if (round == 100)
            edits.beginEmptying();
        for (const auto &screen : kept)
            screen->hide();
        const QList<Rutter> &rutters = m_universe->rutters();
        keptRutters.source().setFactionFilterID(rutters.isEmpty() || edits.chance(2)
                                                    ? std::nullopt
                                                    : std::optional(edits.pick(rutters).factionID));
        keptRutters.searchField()->setText(
            edits.pick(QStringList{QString(), QStringLiteral("0101"), QStringLiteral("regina")}));
        std::string made;
        for (int step = 0; step < 3; ++step)
            made += edits.anyStep() + "; ";
        for (const auto &screen : kept)
            screen->show();

        const std::vector<std::unique_ptr<MapObjectListView>> fresh = screens();
        auto &freshRutters = static_cast<RuttersView &>(*fresh.front());
        freshRutters.source().setFactionFilterID(keptRutters.source().factionFilterID());
        freshRutters.searchField()->setText(keptRutters.searchField()->text());
        EXPECT_EQ(keptRutters.factionFilterButton()->text(), freshRutters.factionFilterButton()->text());
        for (std::size_t i = 0; i < kept.size(); ++i) {
            EXPECT_EQ(kept[i]->sectionTitle(), fresh[i]->sectionTitle()) << made;
            ASSERT_EQ(shown[i]->rows(), ItemModelMirror(*fresh[i]->model(), kRowRoles, roleText).read())
                << made;
        }
    }
}
