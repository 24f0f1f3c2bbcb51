#include "screens/ui/SystemListView.h"
#include "ScreenTestSupport.h"
#include "model/WorldDescriptions.h"
#include "screens/RutterIndex.h"
#include "screens/SystemListModel.h"
#include "screens/SystemListProxy.h"
#include "screens/SystemListRow.h"
#include "screens/ui/SystemDetailView.h"
#include "screens/ui/SystemEditorView.h"
#include "screens/ui/SystemRowDelegate.h"
#include "ui/ContentUnavailableView.h"
#include "ui/ElidedLabel.h"
#include "ui/NotesView.h"
#include "universe/StarfarerUniverse.h"

#include <QLabel>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace screen_test;

namespace {

HexData system(const char *name, const GalacticCoordinates &at, const char *mainWorld = "",
               bool hasMain = true)
{
    HexData hex = hexWithMainWorld(TechnologyLevel::ttl12, at);
    hex.starSystem.name = QString::fromUtf8(name);
    hex.starSystem.stars[0].worlds[0].name = QString::fromUtf8(mainWorld);
    hex.starSystem.stars[0].worlds[0].mainWorld = hasMain;
    return hex;
}

QStringList names(const QList<HexData> &hexes)
{
    QStringList list;
    for (const HexData &hex : hexes)
        list.append(hex.starSystem.name);
    return list;
}

class SystemListTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_universe = std::make_unique<StarfarerUniverse>(UniverseFolder(m_documents.path()));
    }
    void store(const QList<HexData> &hexes) { m_universe->setData(hexes); }
    QStringList shown(const SystemListProxy &model) const { return names(model.filteredSystems()); }

    QTemporaryDir m_documents;
    std::unique_ptr<StarfarerUniverse> m_universe;
};

TEST_F(SystemListTest, CoordinateOrderIsSubsectorMajorWithUncappedIndex)
{
    store({system("east", {1, 0, 1, 1}), system("below P", {0, 0, 1, 41}), system("E", {0, 0, 1, 11}),
           system("B", {0, 0, 9, 1}), system("A lower", {0, 0, 1, 2}), system("A col 2", {0, 0, 2, 1}),
           system("row 0", {0, 0, 1, 0}), system("north", {0, -1, 32, 40})});
    SystemListModel source(m_universe.get());
    SystemListProxy model(&source);
    // Row 0 counts as the first row; row 41 lies below subsector P.
    EXPECT_EQ(shown(model), strings({"north", "row 0", "A lower", "A col 2", "B", "E", "below P", "east"}));
    EXPECT_EQ(model.availableSubsectors().last().menuText(), QStringLiteral("10 \u00B7 A"));
    EXPECT_EQ(model.availableSubsectors().first().id(), QStringLiteral("0,-1,P"));
}

TEST_F(SystemListTest, NameOrdersPutEmptyNamesLastAndFallBackToCoordinates)
{
    store({system("", {0, 0, 5, 1}, "Zed"), system("beta", {0, 0, 4, 1}, ""),
           system("Alpha", {0, 0, 3, 1}, "b"), system("alpha", {0, 0, 2, 1}, "B"),
           system("", {0, 0, 1, 1}, "", false)});
    SystemListModel source(m_universe.get());
    SystemListProxy model(&source);
    model.setSortOrder(SystemSort::name);
    EXPECT_EQ(shown(model), strings({"alpha", "Alpha", "beta", "", ""}));
    EXPECT_EQ(model.filteredSystems()[3].coordinates.column, 1);
    model.setSortOrder(SystemSort::mainWorld);
    // No main world sorts with the empty names, which keep coordinate order.
    EXPECT_EQ(shown(model), strings({"alpha", "Alpha", "", "", "beta"}));
    EXPECT_EQ(model.filteredSystems()[2].coordinates.column, 5);
    EXPECT_EQ(model.filteredSystems()[3].coordinates.column, 1);
}

TEST_F(SystemListTest, SearchMatchesLabelLetterNamesAndWorlds)
{
    HexData withMoon = system("Quiet", {3, 2, 20, 30}, "Home");
    WorldData moon = world();
    moon.name = QStringLiteral("Ärmel");
    withMoon.starSystem.stars[0].worlds.append(moon);
    store({system("Bright", {0, 0, 1, 1}), system("Dusk", {0, 0, 30, 30}), withMoon,
           system("Echo", {1, 1, 1, 1})});
    SystemListModel source(m_universe.get());
    SystemListProxy model(&source);
    model.setSearchText(QStringLiteral(" \n\t"));
    EXPECT_EQ(model.rowCount(), 4);
    model.setSearchText(QStringLiteral("0101"));
    EXPECT_EQ(shown(model), strings({"Bright", "Echo"}));
    // "a": subsector A's labels end in " A"; "Quiet" matches through its moon's name.
    model.setSearchText(QStringLiteral("  ä "));
    EXPECT_EQ(shown(model), strings({"Quiet"}));
    model.setSearchText(QStringLiteral("a"));
    EXPECT_EQ(shown(model), strings({"Bright", "Echo"}));
    model.setSearchText(QStringLiteral("DUSK"));
    EXPECT_EQ(shown(model), strings({"Dusk"}));
    // Texts never match across the boundary of two searched texts.
    model.setSearchText(QStringLiteral("A Bright"));
    EXPECT_EQ(model.rowCount(), 0);
}

// The model follows the document's per-hex signals: after any mix of edits it shows
// what a model built afresh shows.
TEST_F(SystemListTest, PerHexUpdatesMatchAFreshModel)
{
    QList<HexData> hexes;
    for (int i = 0; i < 30; ++i)
        hexes.append(system(i % 4 ? "n" : "", {i % 3, 0, 1 + i * 7 % 32, 1 + i * 13 % 40}));
    for (int i = 0; i < 30; ++i)
        hexes[i].starSystem.name += QString::number(i % 7);
    store(hexes);
    SystemListModel source(m_universe.get());
    SystemListProxy model(&source);
    model.setSortOrder(SystemSort::name);
    model.setSearchText(QStringLiteral("n"));
    SeededSource seeded(7);
    ScopedRandomSource scope(seeded);
    for (int step = 0; step < 60; ++step) {
        const HexList &data = m_universe->data();
        HexData hex = data[randomBelow(data.size())];
        switch (randomBelow(3)) {
        case 0:
            hex.id = QUuid::createUuid();
            hex.starSystem.name = QStringLiteral("n%1").arg(step);
            m_universe->insertHex(hex);
            break;
        case 1:
            hex.starSystem.name = randomBelow(2) ? QString() : QStringLiteral("x%1").arg(step);
            hex.coordinates.row = randomBelow(45);
            ASSERT_TRUE(m_universe->replaceHex(hex));
            break;
        default: ASSERT_TRUE(m_universe->removeHex(hex.id));
        }
        SystemListModel freshSource(m_universe.get());
        SystemListProxy fresh(&freshSource);
        fresh.setSortOrder(SystemSort::name);
        fresh.setSearchText(QStringLiteral("n"));
        ASSERT_EQ(model.filteredSystems(), fresh.filteredSystems()) << "step " << step;
        ASSERT_EQ(model.availableSubsectors(), fresh.availableSubsectors());
    }
}

TEST_F(SystemListTest, RowTexts)
{
    HexData hex = system("", {0, 0, 1, 1}, "", true);
    WorldData named = world();
    named.name = QStringLiteral("Moonlet");
    named.satelliteOrbit = PlanetOrbits::planetOrbitB;
    WorldData earlier = world();
    earlier.name = QStringLiteral("Inner");
    earlier.sunOrbit = Orbits::starOrbit1;
    WorldData generic = world();
    generic.name = kindText(generic);
    WorldData otherCase = world();
    otherCase.name = kindText(otherCase).toUpper();
    hex.starSystem.stars[0].worlds += {named, generic, otherCase, earlier};
    const SystemListRow row = SystemListRow::of(*m_universe, hex, {});
    EXPECT_EQ(row.label, QStringLiteral("00-0101 [A] \u00B7"));
    EXPECT_EQ(row.name, QStringLiteral("Unnamed System"));
    EXPECT_EQ(row.mainWorldName, QStringLiteral("\u2014"));
    QStringList others;
    for (const SystemListRow::WorldLine &line : row.otherNamedWorlds)
        others.append(line.name);
    EXPECT_EQ(others, QStringList({QStringLiteral("Inner"), otherCase.name, QStringLiteral("Moonlet")}));

    hex.starSystem.stars[0].worlds[0].mainWorld = false;
    const SystemListRow bare = SystemListRow::of(*m_universe, hex, {});
    EXPECT_EQ(bare.mainWorldName, QStringLiteral("\u2014"));
    EXPECT_TRUE(bare.mainWorldProfile.isEmpty());
    EXPECT_TRUE(bare.mainWorldTagNames.isEmpty());
}

TEST_F(SystemListTest, RutterDestinationsAndTheirIndex)
{
    Faction faction;
    faction.id = QUuid::createUuid();
    faction.color = FactionColor::red;
    m_universe->setFactions({faction});
    const HexData home = system("Home", {0, 0, 1, 1});
    const HexData unnamed = system("", {0, 0, 3, 1});
    store({home, unnamed});
    const auto rutter = [&](GalacticCoordinates a, GalacticCoordinates b) {
        return Rutter{QUuid::createUuid(), faction.id, a, b, false, RutterAge::recent, std::nullopt};
    };
    RutterIndex index(m_universe.get());
    m_universe->setRutters({rutter({0, 0, 1, 1}, {0, 0, 1, 5}), rutter({0, 0, 3, 1}, {0, 0, 1, 1}),
                            rutter({0, 0, 1, 1}, {0, 0, 1, 1}), rutter({0, 0, 1, 5}, {0, 0, 3, 1})});
    QList<RutterDestination> found = RutterDestination::touching(*m_universe, home.coordinates);
    QStringList chips;
    for (const RutterDestination &destination : found)
        chips.append(destination.chipText());
    EXPECT_EQ(chips, strings({"00-0105 [4]", "00-0301 [2]", "Home [0]"}));
    EXPECT_EQ(found[0].color, FactionColor::red);
    EXPECT_EQ(index.destinations(home.coordinates), found);
    m_universe->setFactions({});
    EXPECT_EQ(index.destinations(unnamed.coordinates)[1].color, FactionColor::grey);
    EXPECT_EQ(index.destinations(unnamed.coordinates),
              RutterDestination::touching(*m_universe, unnamed.coordinates));

    // Routes appended together: the list repaints the rows at their ends in one go.
    SystemListModel model(m_universe.get());
    QSignalSpy repainted(&model, &QAbstractItemModel::dataChanged);
    m_universe->insertObjects(QList{rutter({0, 0, 1, 1}, {0, 0, 2, 2}), rutter({0, 0, 3, 1}, {0, 0, 3, 3}),
                                    rutter({0, 0, 3, 1}, {})});
    QList<int> rows;
    for (const QList<QVariant> &told : repainted)
        rows.append(told.first().toModelIndex().row());
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ(rows, (QList<int>{0, 1}));

    // Rutters changed one at a time, or appended together, keep the index equal to a
    // walk of every rutter.
    SeededSource seeded(11);
    ScopedRandomSource scope(seeded);
    const auto place = [] { return GalacticCoordinates{0, 0, 1 + randomBelow(3), 1 + randomBelow(3)}; };
    for (int step = 0; step < 200 && !HasFailure(); ++step) {
        const QList<Rutter> &stored = m_universe->rutters();
        const int action = int(randomBelow(4));
        if (stored.isEmpty() || action == 0) {
            m_universe->insertObject(rutter(place(), place()));
        } else if (action == 3) {
            QList<Rutter> batch;
            for (qint64 i = randomBelow(3); i > 0; --i)
                batch.append(rutter(place(), place()));
            m_universe->insertObjects(batch);
        } else if (action == 1) {
            Rutter moved = stored[randomBelow(stored.size())];
            (randomBelow(2) ? moved.start : moved.end) = place();
            m_universe->replaceObject(moved);
        } else {
            m_universe->removeObjectAt<Rutter>(randomBelow(stored.size()));
        }
        for (qint64 column = 1; column <= 3; ++column) {
            for (qint64 row = 1; row <= 3; ++row) {
                const GalacticCoordinates hex{0, 0, column, row};
                ASSERT_EQ(index.destinations(hex), RutterDestination::touching(*m_universe, hex)) << step;
            }
        }
    }
}

TEST_F(SystemListTest, DeletingRemovesEveryHexWithTheIdAndSaves)
{
    HexData twin = system("Twin", {0, 0, 5, 5});
    HexData copy = twin;
    copy.coordinates.column = 6;
    store({system("Keep 1", {0, 0, 2, 2}), twin, system("Keep 2", {0, 0, 1, 1}), copy});
    SystemListView view(m_universe.get(), nullptr);
    view.setSubsectorFilter(SubsectorKey{0, 0, QStringLiteral("A")});
    QSignalSpy saved(m_universe.get(), &StarfarerUniverse::saved);
    view.deleteSystem(twin.id);
    ASSERT_TRUE(m_universe->waitForPendingSave());
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(names(m_universe->data().toList()), strings({"Keep 1", "Keep 2"}));
    EXPECT_EQ(names(view.model()->filteredSystems()), strings({"Keep 2", "Keep 1"}));

    // The Delete key removes the current row.
    auto *list = view.findChild<QListView *>();
    list->setCurrentIndex(view.model()->index(0));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(names(m_universe->data().toList()), strings({"Keep 1"}));
}

TEST_F(SystemListTest, StaleSubsectorFilterShowsNoResults)
{
    const HexData b = system("Bee", {0, 0, 9, 1});
    store({system("Ay", {0, 0, 1, 1}), b});
    SystemListView view(m_universe.get(), nullptr);
    const SubsectorKey keyB{0, 0, QStringLiteral("B")};
    view.setSubsectorFilter(keyB);
    view.deleteSystem(b.id);
    EXPECT_EQ(view.model()->subsectorFilter(), keyB);
    EXPECT_EQ(view.model()->rowCount(), 0);
    auto *noResults = qobject_cast<ContentUnavailableView *>(
        view.findChild<QListView *>()->parentWidget()->findChildren<ContentUnavailableView *>().last());
    ASSERT_NE(noResults, nullptr);
    EXPECT_FALSE(view.model()->availableSubsectors().contains(keyB));
    ASSERT_TRUE(m_universe->waitForPendingSave());
}

TEST_F(SystemListTest, EmptyUniverseAndRandomPick)
{
    SystemListView empty(m_universe.get(), nullptr);
    auto *dice = empty.findChild<QToolButton *>(QStringLiteral("randomSystem"));
    EXPECT_FALSE(dice->isVisibleTo(&empty));

    store({system("", {0, 0, 1, 1}), system("One", {0, 0, 9, 1}), system("Two", {0, 0, 17, 1})});
    SystemListView view(m_universe.get(), nullptr);
    view.setSortOrder(SystemSort::name);
    view.setSubsectorFilter(SubsectorKey{0, 0, QStringLiteral("A")});
    SeededSource seeded(3);
    ScopedRandomSource scope(seeded);
    QSet<QString> picked;
    for (int i = 0; i < 40; ++i) {
        view.pickRandomSystem();
        picked.insert(view.model()->searchText());
    }
    // Any saved system, the unnamed one included; the order and filter stay.
    EXPECT_EQ(picked, QSet<QString>({QString(), QStringLiteral("One"), QStringLiteral("Two")}));
    EXPECT_EQ(view.model()->sortOrder(), SystemSort::name);
    EXPECT_TRUE(view.model()->subsectorFilter().has_value());
}

TEST_F(SystemListTest, DetailViewShowsTheBlockAndFollowsTheHex)
{
    HexData hex = system("", {0, 0, 1, 1}, "Terra");
    WorldData &main = hex.starSystem.stars[0].worlds[0];
    main.notes = QStringLiteral("windy");
    main.worldTags = {WorldTag::redZone};
    hex.starSystem.gasGiant = 2;
    hex.starSystem.planetoidBelts = 1;
    store({hex});
    SystemDetailView detail(m_universe.get(), hex, SystemDetailView::kViewWidth);
    EXPECT_EQ(detail.systemName(), QStringLiteral("Unnamed System"));
    const QString line = detail.mainWorldSummaryLine();
    EXPECT_TRUE(line.startsWith(main.uwp.code() + QStringLiteral(" 012 "))) << line.toStdString();
    EXPECT_TRUE(line.endsWith(QStringLiteral("\n[") + tradeClassesText(main) + QLatin1Char(']')));
    EXPECT_EQ(detail.findChildren<NotesView *>(QStringLiteral("blockNotes")).size(), 1);
    EXPECT_EQ(detail.findChildren<NotesView *>(QStringLiteral("footNotes")).size(), 1);
    QStringList captions;
    for (const QLabel *label : detail.findChildren<QLabel *>(QStringLiteral("caption")))
        captions.append(label->text());
    EXPECT_EQ(captions, strings({"Main World", "World Tags"}));

    HexData renamed = hex;
    renamed.starSystem.stars[0].worlds[0].mainWorld = false;
    renamed.starSystem.name = QStringLiteral("Sol");
    QSignalSpy titles(&detail, &SystemDetailView::titleChanged);
    m_universe->replaceHex(renamed);
    EXPECT_EQ(titles.last().first().toString(), QStringLiteral("Sol"));
    EXPECT_EQ(detail.mainWorldName(), QStringLiteral("\u2014"));
    EXPECT_TRUE(detail.mainWorldSummaryLine().isEmpty());
    m_universe->removeHex(hex.id);
    EXPECT_EQ(detail.currentHex(), hex);
}

// Systems sharing a hex each have a row, and a change naming the hex repaints all of
// them, in the list's order, each once.
TEST_F(SystemListTest, EveryRowAtAHexARutterTouchesIsRepainted)
{
    Faction owner;
    owner.id = QUuid::createUuid();
    m_universe->setFactions({owner});
    store({system("First", {0, 0, 1, 1}), system("Elsewhere", {0, 0, 4, 4}), system("Second", {0, 0, 1, 1})});
    SystemListModel model(m_universe.get());
    QSignalSpy repainted(&model, &QAbstractItemModel::dataChanged);
    m_universe->insertObject(Rutter{
        QUuid::createUuid(), owner.id, {0, 0, 1, 1}, {0, 0, 4, 4}, false, RutterAge::recent, std::nullopt});
    QList<int> rows;
    for (const QList<QVariant> &told : repainted)
        rows.append(told.first().toModelIndex().row());
    EXPECT_EQ(rows, (QList<int>{0, 1, 2}));
}

TEST_F(SystemListTest, NavigatesToDetailAndEditorAndBack)
{
    const HexData hex = system("Vega", {0, 0, 1, 1});
    store({hex});
    SystemListView view(m_universe.get(), nullptr);
    auto *list = view.findChild<QListView *>();
    list->setCurrentIndex(view.model()->index(0));
    QTest::keyClick(list, Qt::Key_Return);
    auto *detail = qobject_cast<SystemDetailView *>(view.currentPage());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->currentHex(), hex);
    detail->edit();
    auto *editor = qobject_cast<SystemEditorView *>(view.currentPage());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->state().originalHexID(), hex.id);
    view.goBack();
    EXPECT_EQ(view.currentPage(), detail);
    view.goBack();
    EXPECT_NE(view.currentPage()->findChild<QListView *>(), nullptr);
}

} // namespace

namespace {

// Every column of a full row can be scrolled to in a list narrower than the row, and
// chips that do not fit their column end in an ellipsis instead of running past it.
TEST_F(SystemListTest, EveryColumnIsReachableAndRowsStayWithinTheirWidth)
{
    QList<Faction> factions;
    for (int i = 0; i < 6; ++i) {
        Faction faction;
        faction.id = QUuid::createUuid();
        faction.shortName = QStringLiteral("FACTION%1").arg(i);
        faction.color = FactionColor::red;
        factions.append(faction);
    }
    m_universe->setFactions(factions);
    HexData crowded = system("Crowded", {0, 0, 1, 1}, "Main");
    WorldData &main = crowded.starSystem.stars[0].worlds[0];
    main.worldTags = {WorldTag::abandonedColony, WorldTag::amberZone, WorldTag::redZone,
                      WorldTag::alienRuins};
    for (const Faction &faction : factions)
        main.factionIDs.append(faction.id);
    store({crowded});
    QList<Rutter> rutters;
    for (qint64 row = 2; row < 30; ++row)
        rutters.append({QUuid::createUuid(),
                        factions[0].id,
                        {0, 0, 1, 1},
                        {0, 0, 1, row},
                        false,
                        RutterAge::recent,
                        std::nullopt});
    m_universe->setRutters(rutters);

    SystemListView view(m_universe.get(), nullptr);
    view.resize(900, 600);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto *list = view.findChild<QListView *>();
    QCoreApplication::processEvents();
    const int width = SystemRowDelegate::rowWidth();
    EXPECT_GT(width, list->viewport()->width());
    EXPECT_GE(list->horizontalScrollBar()->maximum() + list->viewport()->width(), width);

    // Drawn in a rectangle wider than the row, the chips stop at the row's edge.
    const QModelIndex index = view.model()->index(0);
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = QRect(0, 0, width + 200, list->itemDelegate()->sizeHint(option, index).height());
    QImage image(option.rect.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        list->itemDelegate()->paint(&painter, option, index);
    }
    const auto inkBetween = [&](int left, int right) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = left; x < right; ++x) {
                if (image.pixel(x, y) != image.pixel(width + 199, 0))
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inkBetween(width - 60, width));
    EXPECT_FALSE(inkBetween(width + 1, width + 200));
}

} // namespace

namespace {

// The detail view follows only what it shows: its own hex, the systems at the far
// ends of its rutters, the rutters touching its hex, the factions it names (each
// change it follows tells its title); hidden (under the editor), it shows the change
// when it shows again.
TEST_F(SystemListTest, DetailViewFollowsOnlyWhatItShows)
{
    Faction shown;
    shown.id = QUuid::createUuid();
    shown.shortName = QStringLiteral("SHN");
    Faction other;
    other.id = QUuid::createUuid();
    m_universe->setFactions({shown, other});
    HexData home = system("Home", {0, 0, 1, 1}, "Terra");
    home.starSystem.stars[0].worlds[0].factionIDs = {shown.id};
    const HexData farEnd = system("Far", {0, 0, 5, 5});
    const HexData elsewhere = system("Elsewhere", {0, 0, 9, 9});
    store({home, farEnd, elsewhere});
    m_universe->setRutters({{QUuid::createUuid(), other.id, home.coordinates, farEnd.coordinates, false,
                             RutterAge::recent, std::nullopt}});
    SystemDetailView detail(m_universe.get(), home, SystemDetailView::kViewWidth);
    detail.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&detail));
    QSignalSpy told(&detail, &SystemDetailView::titleChanged);
    const auto followed = [&] {
        const bool any = !told.isEmpty();
        told.clear();
        return any;
    };
    const auto shownTitle = [&] {
        return detail.widget()->findChild<ElidedLabel *>(QStringLiteral("title"))->text();
    };

    HexData renamed = elsewhere;
    renamed.starSystem.name = QStringLiteral("Still elsewhere");
    m_universe->replaceHex(renamed);
    Faction unrelated;
    unrelated.id = QUuid::createUuid();
    m_universe->insertObject(unrelated);
    m_universe->insertObject(Rutter{QUuid::createUuid(),
                                    shown.id,
                                    elsewhere.coordinates,
                                    {0, 0, 9, 10},
                                    false,
                                    RutterAge::recent,
                                    std::nullopt});
    EXPECT_FALSE(followed());

    HexData farRenamed = farEnd;
    farRenamed.starSystem.name = QStringLiteral("Farther");
    m_universe->replaceHex(farRenamed);
    EXPECT_TRUE(followed());
    EXPECT_EQ(detail.rutterDestinations().first().name, QStringLiteral("Farther"));
    other.color = FactionColor::blue; // the rutter's colour
    m_universe->replaceObject(other);
    EXPECT_TRUE(followed());
    shown.shortName = QStringLiteral("NEW");
    m_universe->replaceObject(shown);
    EXPECT_TRUE(followed());
    m_universe->insertObject(Rutter{QUuid::createUuid(), other.id, elsewhere.coordinates, home.coordinates,
                                    false, RutterAge::recent, std::nullopt});
    EXPECT_TRUE(followed());
    EXPECT_EQ(detail.rutterDestinations().size(), 2);

    // Hidden, the page keeps what it showed until it shows again; its title is told
    // at once.
    detail.hide();
    HexData own = m_universe->hexWithID(home.id).value();
    own.starSystem.name = QStringLiteral("Renamed home");
    m_universe->replaceHex(own);
    ASSERT_FALSE(told.isEmpty());
    EXPECT_EQ(told.last().first().toString(), QStringLiteral("Renamed home"));
    EXPECT_EQ(shownTitle(), QStringLiteral("Home"));
    detail.show();
    EXPECT_EQ(shownTitle(), QStringLiteral("Renamed home"));
}

} // namespace
