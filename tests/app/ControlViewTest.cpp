#include "AppTestSupport.h"
#include "ImageProbe.h"
#include "PaintedTexts.h"
#include "model/TestRecords.h"
#include "starmap/RandomMapEdits.h"

#include "app/FactionGroupHeader.h"
#include "app/PlainPage.h"
#include "app/SidebarList.h"
#include "editors/ui/FactionEditingView.h"
#include "editors/ui/FactionListsView.h"
#include "editors/ui/MapObjectListModel.h"
#include "editors/ui/MapObjectListView.h"
#include "editors/ui/RutterEditingView.h"
#include "editors/ui/RutterListSource.h"
#include "editors/ui/RuttersView.h"
#include "import/ui/ImportTravellerMapView.h"
#include "screens/SystemListModel.h"
#include "screens/SystemListProxy.h"
#include "screens/SystemRowContent.h"
#include "screens/ui/SystemDetailView.h"
#include "screens/ui/SystemGeneratorView.h"
#include "screens/ui/SystemListView.h"
#include "starmap/ui/StarMapCanvas.h"
#include "starmap/ui/StarMapView.h"
#include "starmap/ui/StarMapViewMenu.h"
#include "ui/ContentUnavailableView.h"
#include "universe/Rutter.h"

#include <QLineEdit>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QToolButton>

#include <random>

using test_records::aFaction;
using test_records::aHex;
using test_records::aWorld;

namespace {

using Sidebar = AppTest;

const QStringList kToolRows{
    QStringLiteral("System Generator"), QStringLiteral("Systems"),
    QStringLiteral("Star Map"),         QStringLiteral("Rutters"),
    QStringLiteral("Nebulae"),          QStringLiteral("Regions"),
    QStringLiteral("Labels"),           QStringLiteral("Traveller Map import"),
};
const QStringList kGroupTitles{
    QStringLiteral("Megacorps"), QStringLiteral("Races"),     QStringLiteral("Groups"),
    QStringLiteral("Polities"),  QStringLiteral("Religions"), QStringLiteral("Others"),
};

QList<QUuid> ids(const QList<HexData> &hexes)
{
    QList<QUuid> list;
    for (const HexData &hex : hexes)
        list.append(hex.id);
    return list;
}

QString pageTitle(QWidget *page)
{
    // A screen that is built stands in its maker's plain page.
    if (page && page->findChild<SystemGeneratorView *>())
        return QStringLiteral("System Generator");
    if (qobject_cast<StarMapView *>(page))
        return QStringLiteral("Star Map");
    if (qobject_cast<SystemListView *>(page))
        return QStringLiteral("Systems");
    if (qobject_cast<FactionListsView *>(page))
        return QStringLiteral("Factions Lists");
    if (auto *list = qobject_cast<MapObjectListView *>(page))
        return list->sectionTitle();
    if (auto *editor = qobject_cast<FactionEditingView *>(page))
        return editor->draft().isEditing() ? factionRowTitle(*editor->draft().editingFaction())
                                           : QStringLiteral("New Faction");
    if (qobject_cast<ImportTravellerMapView *>(page))
        return QStringLiteral("Traveller Map import");
    if (auto *plain = qobject_cast<PlainPage *>(page))
        return plain->title();
    if (auto *plain = page ? page->findChild<PlainPage *>() : nullptr)
        return plain->title();
    return QString();
}

} // namespace

TEST_F(Sidebar, OpensOnTheStarMapWithEveryRowInOrderAndEveryGroupCollapsed)
{
    startApp();
    QStringList expected{QStringLiteral("Tools")};
    expected += kToolRows;
    expected += QStringLiteral("FACTIONS");
    expected += kGroupTitles;
    expected += {QStringLiteral("Factions Lists"), QStringLiteral("New Faction")};
    EXPECT_EQ(rowTitles(), expected);

    EXPECT_EQ(selectedTitles(), QStringList{QStringLiteral("Star Map")});
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::starmap));
    EXPECT_EQ(view()->detailDestination(), Destination::of(DestinationKind::starmap));
    EXPECT_EQ(pageTitle(view()->detailPage()), QStringLiteral("Star Map"));
    EXPECT_TRUE(view()->expandedCategories().isEmpty());
    EXPECT_EQ(view()->navigationTitle(), QStringLiteral("My Universe"));
}

TEST_F(Sidebar, EachRowShowsItsOwnScreen)
{
    startApp();
    const QList<std::pair<QString, DestinationKind>> rows{
        {QStringLiteral("System Generator"), DestinationKind::generator},
        {QStringLiteral("Systems"), DestinationKind::systems},
        {QStringLiteral("Rutters"), DestinationKind::rutters},
        {QStringLiteral("Nebulae"), DestinationKind::nebulae},
        {QStringLiteral("Regions"), DestinationKind::regions},
        {QStringLiteral("Labels"), DestinationKind::labels},
        {QStringLiteral("Traveller Map import"), DestinationKind::importTravellerMap},
        {QStringLiteral("Factions Lists"), DestinationKind::factionLists},
        {QStringLiteral("New Faction"), DestinationKind::newFaction},
        {QStringLiteral("Star Map"), DestinationKind::starmap},
    };
    for (const auto &[title, kind] : rows) {
        clickRowTitled(title);
        EXPECT_EQ(view()->selection(), Destination::of(kind)) << title.toStdString();
        EXPECT_EQ(view()->detailDestination(), Destination::of(kind)) << title.toStdString();
        EXPECT_EQ(pageTitle(view()->detailPage()), title);
        EXPECT_TRUE(view()->detailPage()->isVisible()) << title.toStdString();
    }
}

TEST_F(Sidebar, TheRouteRowFollowsTheRulesOfTheOpenUniverse)
{
    startApp();
    const int routeRow = 4; // after the "Tools" title and three rows
    EXPECT_EQ(list()->item(routeRow)->text(), QStringLiteral("Rutters"));

    universe()->setData({aHex().worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)})});
    EXPECT_EQ(list()->item(routeRow)->text(), QStringLiteral("Routes"));
    EXPECT_EQ(list()->destinationAt(routeRow), Destination::of(DestinationKind::rutters));
    clickRow(list()->item(routeRow));
    EXPECT_EQ(pageTitle(view()->detailPage()), QStringLiteral("Routes"));

    // Only the first system decides; a coarse tech level is not the Traveller scale.
    universe()->setData({aHex().worlds({aWorld().main().techLevel(TechnologyLevel::tl4Plus)}),
                         aHex().worlds({aWorld().main().techLevel(TechnologyLevel::ttl9)})});
    EXPECT_EQ(list()->item(routeRow)->text(), QStringLiteral("Rutters"));
    // The row stays chosen across the change of wording.
    EXPECT_EQ(selectedTitles(), QStringList{QStringLiteral("Rutters")});

    // Systems stored one hex at a time count as well.
    universe()->setData({});
    const HexData traveller = aHex().worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)});
    universe()->insertHex(traveller);
    EXPECT_EQ(list()->item(routeRow)->text(), QStringLiteral("Routes"));
    universe()->removeHex(traveller.id);
    EXPECT_EQ(list()->item(routeRow)->text(), QStringLiteral("Rutters"));
}

TEST_F(Sidebar, EmptyGroupsAreRegularWeightAndExpandWithoutRows)
{
    startApp();
    for (FactionCategory category : allCases<FactionCategory>()) {
        FactionGroupHeader *header = list()->groupHeader(category);
        ASSERT_NE(header, nullptr);
        EXPECT_FALSE(header->titleIsBold()) << header->title().toStdString();
        EXPECT_FALSE(header->isExpanded());
    }
    const int rowsBefore = list()->count();
    toggleGroup(FactionCategory::race);
    EXPECT_EQ(list()->count(), rowsBefore);
    EXPECT_TRUE(list()->groupHeader(FactionCategory::race)->isExpanded());
    EXPECT_FALSE(list()->groupHeader(FactionCategory::group)->isExpanded());
    toggleGroup(FactionCategory::race);
    EXPECT_TRUE(view()->expandedCategories().isEmpty());
}

TEST_F(Sidebar, FactionsAreGroupedSortedAndNamedByTheirRowRules)
{
    startApp();
    universe()->setFactions({
        aFaction(QStringLiteral("beta")).category(FactionCategory::megacorporation),
        aFaction(QStringLiteral("Alpha")).category(FactionCategory::megacorporation),
        aFaction().shortName(QStringLiteral("XX")).category(FactionCategory::political),
        aFaction(QStringLiteral("Alpha League"))
            .shortName(QStringLiteral("AL"))
            .category(FactionCategory::political),
        aFaction(QStringLiteral("Alpha League")).category(FactionCategory::political),
    });
    // Collapsed groups show their members only through a bold title.
    EXPECT_TRUE(list()->groupHeader(FactionCategory::megacorporation)->titleIsBold());
    EXPECT_TRUE(list()->groupHeader(FactionCategory::political)->titleIsBold());
    EXPECT_FALSE(list()->groupHeader(FactionCategory::race)->titleIsBold());
    EXPECT_FALSE(rowTitles().contains(QStringLiteral("Alpha")));

    toggleGroup(FactionCategory::megacorporation);
    toggleGroup(FactionCategory::political);
    QStringList titles = rowTitles();
    const qsizetype megacorps = titles.indexOf(QStringLiteral("Megacorps"));
    EXPECT_EQ(titles.mid(megacorps, 4), (QStringList{QStringLiteral("Megacorps"), QStringLiteral("Alpha"),
                                                     QStringLiteral("beta"), QStringLiteral("Races")}));
    const qsizetype polities = titles.indexOf(QStringLiteral("Polities"));
    // Sorted by name: the nameless faction first; equal names keep the universe's order.
    EXPECT_EQ(
        titles.mid(polities, 5),
        (QStringList{QStringLiteral("Polities"), QStringLiteral("Unnamed Faction"), QStringLiteral("AL"),
                     QStringLiteral("Alpha League"), QStringLiteral("Religions")}));
    EXPECT_TRUE(list()->groupHeader(FactionCategory::megacorporation)->titleIsBold());

    // A faction whose category changes moves to its new group.
    QList<Faction> factions = universe()->factions();
    factions[0].category = FactionCategory::religious;
    universe()->setFactions(factions);
    toggleGroup(FactionCategory::religious);
    titles = rowTitles();
    EXPECT_EQ(titles.mid(titles.indexOf(QStringLiteral("Religions")), 3),
              (QStringList{QStringLiteral("Religions"), QStringLiteral("beta"), QStringLiteral("Others")}));
    EXPECT_EQ(titles.count(QStringLiteral("beta")), 1);
}

TEST_F(Sidebar, AGroupHeaderNeverChangesTheSelectionOrTheScreen)
{
    startApp();
    universe()->setFactions({aFaction(QStringLiteral("Guild")).category(FactionCategory::group)});
    clickRowTitled(QStringLiteral("Systems"));
    QPointer<QWidget> page = view()->detailPage();
    toggleGroup(FactionCategory::group);
    toggleGroup(FactionCategory::megacorporation);
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::systems));
    EXPECT_EQ(selectedTitles(), QStringList{QStringLiteral("Systems")});
    EXPECT_EQ(view()->detailPage(), page.data());

    // Neither do the section titles.
    clickRow(list()->item(0));
    clickRow(list()->findItems(QStringLiteral("FACTIONS"), Qt::MatchExactly).first());
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::systems));
    EXPECT_EQ(view()->detailPage(), page.data());
}

TEST_F(Sidebar, FactionRowsOpenEditorsMadeForTheChosenValue)
{
    startApp();
    const Faction guild = aFaction(QStringLiteral("Guild")).category(FactionCategory::group);
    const Faction order = aFaction(QStringLiteral("Order")).category(FactionCategory::group);
    universe()->setFactions({guild, order});
    toggleGroup(FactionCategory::group);

    clickRowTitled(QStringLiteral("Guild"));
    EXPECT_EQ(view()->detailDestination(), Destination::forFaction(guild));
    QPointer<QWidget> guildPage = view()->detailPage();

    clickRowTitled(QStringLiteral("Order"));
    EXPECT_EQ(view()->detailDestination(), Destination::forFaction(order));
    settle();
    EXPECT_TRUE(guildPage.isNull()); // a new editor, not the old one re-seeded
    QPointer<QWidget> orderPage = view()->detailPage();

    // Saved with a change, the faction matches no row; the editor stays.
    Faction renamed = order;
    renamed.description = QStringLiteral("Now with a description");
    universe()->setFactions({guild, renamed});
    EXPECT_TRUE(selectedTitles().isEmpty());
    EXPECT_EQ(view()->selection(), Destination::forFaction(order));
    EXPECT_EQ(view()->detailPage(), orderPage.data());

    // Choosing the changed row makes an editor for the new value.
    clickRowTitled(QStringLiteral("Order"));
    EXPECT_EQ(view()->detailDestination(), Destination::forFaction(renamed));
    EXPECT_NE(view()->detailPage(), orderPage.data());
}

TEST_F(Sidebar, ChoosingTheShownNewFactionFormAgainKeepsIt)
{
    startApp();
    clickRowTitled(QStringLiteral("New Faction"));
    QPointer<QWidget> form = view()->detailPage();
    ASSERT_TRUE(form);
    clickRowTitled(QStringLiteral("New Faction"));
    settle();
    EXPECT_EQ(view()->detailPage(), form.data());
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::newFaction));
}

TEST_F(Sidebar, ClearingTheSelectionShowsNothingSelected)
{
    startApp();
    QListWidgetItem *starMap = list()->findItems(QStringLiteral("Star Map"), Qt::MatchExactly).first();
    clickRow(starMap, Qt::ControlModifier);
    EXPECT_FALSE(view()->selection().has_value());
    EXPECT_TRUE(selectedTitles().isEmpty());
    EXPECT_NE(qobject_cast<ContentUnavailableView *>(view()->detailPage()), nullptr);

    clickRow(starMap);
    EXPECT_EQ(view()->detailDestination(), Destination::of(DestinationKind::starmap));
    EXPECT_EQ(pageTitle(view()->detailPage()), QStringLiteral("Star Map"));
}

TEST_F(Sidebar, EveryHexPickerIsWhollyVisibleAtTheDefaultWindowSize)
{
    startApp();
    Faction guild;
    guild.id = QUuid::createUuid();
    guild.name = QStringLiteral("Guild");
    universe()->setFactions({guild}); // the rutter form shows its pickers only with a faction
    window()->resize(1200, 800);
    for (const char *screen : {"Rutters", "Nebulae", "Regions", "Labels"}) {
        SCOPED_TRACE(screen);
        clickRowTitled(QString::fromLatin1(screen));
        settle();
        const QList<QToolButton *> buttons =
            view()->detailPage()->findChildren<QToolButton *>(QStringLiteral("systemMenu"));
        int shown = 0;
        for (QToolButton *button : buttons) {
            if (!button->isVisible())
                continue;
            ++shown;
            // Not cut by the screen's scroll area nor by the window's edge.
            EXPECT_EQ(button->visibleRegion().boundingRect(), button->rect());
            const QRect inWindow(button->mapTo(window(), QPoint(0, 0)), button->size());
            EXPECT_TRUE(window()->rect().contains(inWindow));
        }
        EXPECT_GE(shown, 1);
    }
}

TEST_F(Sidebar, AWhiteFactionsFlagStandsOutOnAWhiteSidebar)
{
    startApp();
    Faction pale = aFaction(QStringLiteral("Pale")).category(FactionCategory::group);
    pale.color = FactionColor::black;
    universe()->setFactions({pale});
    toggleGroup(FactionCategory::group);
    QPalette palette = list()->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    list()->setPalette(palette);
    list()->viewport()->setPalette(palette);
    settle();
    const QImage black = list()->viewport()->grab().toImage();
    pale.color = FactionColor::white;
    universe()->setFactions({pale});
    settle();
    const QImage white = list()->viewport()->grab().toImage();

    // Only the flag changes with the colour; the white flag's ring is clearly darker
    // than the white around it, and its cloth is white.
    const QRect flag = differingRect(black, white);
    ASSERT_FALSE(flag.isEmpty());
    EXPECT_LE(flag.width(), 20);
    EXPECT_LT(darkestGray(white, flag), 200);
    EXPECT_GT(qGray(white.pixel(flag.center())), 230);
}

TEST_F(Sidebar, ALongFactionNameIsCutWithAnEllipsisAtTheSidebarsEdge)
{
    startApp();
    const QString longName =
        QStringLiteral("Brotherhood of the Outer Reaches and the Far Dark Rim ").repeated(4);
    universe()->setFactions({aFaction(longName).category(FactionCategory::religious),
                             aFaction(QStringLiteral("Alpha")).category(FactionCategory::religious)});
    toggleGroup(FactionCategory::religious);

    // Rows are as wide as the sidebar: there is nothing to scroll to sideways.
    EXPECT_EQ(list()->horizontalScrollBar()->maximum(), 0);
    const QStringList painted = paintedTexts(list()->viewport());
    EXPECT_TRUE(painted.contains(QStringLiteral("Alpha"))) << painted.join(u'|').toStdString();
    EXPECT_FALSE(painted.contains(longName));
    const auto shown = std::find_if(painted.cbegin(), painted.cend(), [&](const QString &text) {
        return text.endsWith(u'…') && longName.startsWith(text.chopped(1));
    });
    ASSERT_NE(shown, painted.cend()) << painted.join(u'|').toStdString();
    EXPECT_GT(shown->size(), 10);
}

namespace {

// The list and the map are kept while the universe stays open: coming back to one
// shows it as a new one would be (the list at the root of its stack, unsearched, in
// coordinate order over all subsectors, at its start with no current row; the map
// fitted, nothing selected, its search field empty), with every change made to the
// systems while it was hidden. The other screens are still built anew.
TEST_F(Sidebar, TheListAndTheMapComeBackAsNewOnesWithWhatChangedWhileHidden)
{
    startApp();
    QList<HexData> systems;
    for (int i = 0; i < 400; ++i) {
        HexData hex = aHex().worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)});
        hex.coordinates = {0, 0, 1 + i % 32, 1 + i / 32};
        hex.starSystem.name = QStringLiteral("System %1").arg(i);
        systems.append(hex);
    }
    universe()->setData(systems);

    clickRowTitled(QStringLiteral("Systems"));
    settle();
    QPointer<SystemListView> list = qobject_cast<SystemListView *>(view()->detailPage());
    ASSERT_NE(list, nullptr);
    auto *rows = list->findChild<QListView *>();
    list->setSortOrder(SystemSort::name);
    list->setSubsectorFilter(SubsectorKey{0, 0, QStringLiteral("A")});
    list->setSearchText(QStringLiteral("System"));
    settle();
    rows->setCurrentIndex(rows->model()->index(3, 0));
    rows->verticalScrollBar()->setValue(rows->verticalScrollBar()->maximum());
    ASSERT_GT(rows->verticalScrollBar()->value(), 0);
    list->showDetail(list->model()->hexAt(3));
    ASSERT_NE(qobject_cast<SystemDetailView *>(list->currentPage()), nullptr);

    clickRowTitled(QStringLiteral("Star Map"));
    settle();
    QPointer<StarMapView> map = qobject_cast<StarMapView *>(view()->detailPage());
    ASSERT_NE(map, nullptr);
    map->viewMenu()->searchField()->setText(QStringLiteral("System 5"));
    map->search(QStringLiteral("System 5"));
    map->canvas()->controller().zoom(2.0, {10, 10});
    ASSERT_TRUE(map->selectedCoordinate().has_value());
    ASSERT_FALSE(map->canvas()->controller().isFitted());

    // The systems change while the list is hidden: one far away comes, one is
    // renamed, one goes.
    HexData newcomer = aHex().worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)});
    newcomer.coordinates = {4, -3, 10, 10};
    newcomer.starSystem.name = QStringLiteral("Newcomer");
    universe()->insertHex(newcomer);
    HexData renamed = systems[7];
    renamed.starSystem.name = QStringLiteral("Aaa first by name");
    universe()->replaceHex(renamed);
    universe()->removeHex(systems[1].id);

    clickRowTitled(QStringLiteral("Systems"));
    settle();
    ASSERT_EQ(view()->detailPage(), list.data());
    EXPECT_TRUE(rows->isVisible());
    EXPECT_EQ(list->findChild<QLineEdit *>()->text(), QString());
    EXPECT_EQ(list->model()->searchText(), QString());
    EXPECT_EQ(list->model()->sortOrder(), SystemSort::coordinates);
    EXPECT_EQ(list->model()->subsectorFilter(), std::nullopt);
    EXPECT_FALSE(rows->currentIndex().isValid());
    EXPECT_EQ(rows->verticalScrollBar()->value(), 0);
    SystemListView fresh(universe(), nullptr);
    EXPECT_EQ(ids(list->model()->filteredSystems()), ids(fresh.model()->filteredSystems()));
    EXPECT_EQ(list->model()->rowCount(), 400);
    // The order and the filter took the changes too.
    list->setSortOrder(SystemSort::name);
    EXPECT_EQ(list->model()->hexAt(0).starSystem.name, QStringLiteral("Aaa first by name"));
    list->setSubsectorFilter(SubsectorKey::of(newcomer.coordinates));
    EXPECT_EQ(ids(list->model()->filteredSystems()), QList{newcomer.id});

    clickRowTitled(QStringLiteral("Star Map"));
    settle();
    ASSERT_EQ(view()->detailPage(), map.data());
    EXPECT_FALSE(map->selectedCoordinate().has_value());
    EXPECT_EQ(map->overlayCard(), nullptr);
    EXPECT_EQ(map->viewMenu()->searchField()->text(), QString());
    EXPECT_TRUE(map->canvas()->controller().isFitted());
    EXPECT_FALSE(map->fitButton()->isEnabled());
    StarMapView freshMap(universe(), nullptr, DetailPages::kStarMapHexRadius,
                         DetailPages::kStarMapGridPadding);
    const GridExtent shown = map->canvas()->gridExtent();
    const GridExtent expected = freshMap.canvas()->gridExtent();
    EXPECT_EQ(std::tie(shown.minCol, shown.maxCol, shown.minRow, shown.maxRow),
              std::tie(expected.minCol, expected.maxCol, expected.minRow, expected.maxRow));

    clickRowTitled(QStringLiteral("System Generator"));
    settle();
    QPointer<QWidget> generator = view()->detailPage();
    clickRowTitled(QStringLiteral("Systems"));
    settle();
    EXPECT_TRUE(generator.isNull());
    EXPECT_EQ(view()->detailPage(), list.data());
}

} // namespace

namespace {

// One row of the list as the user reads it: every text the row shows, and the lines
// its info column takes.
QString shownRow(const QModelIndex &index)
{
    const auto row = index.data(SystemListModel::RowRole).value<SystemRowContent>();
    QStringList texts{row.label,         row.name, row.notes, row.mainWorldName, row.mainWorldProfile,
                      row.mainWorldNotes};
    for (const SystemRowContent::WorldLine &world : row.otherNamedWorlds)
        texts << world.name + u'/' + world.profile + u'/' + world.notes;
    texts += row.mainWorldTagNames;
    for (const Faction &faction : row.factions)
        texts << faction.name;
    for (const RutterDestination &destination : row.rutterDestinations)
        texts << destination.chipText();
    texts << QString::number(index.data(SystemListModel::LineCountRole).toInt());
    return texts.join(u'|');
}

QStringList shownRows(const SystemListView &list)
{
    QStringList rows;
    const SystemListProxy *model = list.model();
    for (int row = 0; row < model->rowCount(); ++row)
        rows << model->hexAt(row).id.toString() + u'|' + shownRow(model->index(row, 0));
    return rows;
}

// The list kept behind the map while the systems change as the user changes them (an
// edit of names, worlds and notes, a new system, a removed one, one moved to another
// subsector or sector, an import of a batch with others overwritten and routes under a
// new faction): each time it comes back it shows, in every order, search and
// subsector, the very rows, texts and heights a list built afresh shows, though it had
// made its search texts, name keys and heights before the change.
TEST_F(Sidebar, TheKeptListShowsWhatAFreshListShowsAfterEveryChangeWhileHidden)
{
    startApp();
    std::mt19937 random(2718);
    static const QStringList names{QString(),
                                   QStringLiteral("Ärhus"),
                                   QStringLiteral("aster"),
                                   QStringLiteral("Zed"),
                                   QStringLiteral("Ωmega"),
                                   QStringLiteral("world")};
    const auto pick = [&] { return names[qsizetype(random() % names.size())]; };
    QSet<GalacticCoordinates> taken;
    const auto freePlace = [&] {
        GalacticCoordinates place;
        do {
            place = {qint64(random() % 3), 0, qint64(1 + random() % 32), qint64(1 + random() % 40)};
        } while (taken.contains(place));
        taken.insert(place);
        return place;
    };
    const auto system = [&] {
        HexData hex = aHex().worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)});
        hex.coordinates = freePlace();
        hex.starSystem.name = pick() + QString::number(random() % 100);
        hex.notes = random() % 3 ? QString() : pick();
        WorldData &main = hex.starSystem.stars[0].worlds[0];
        main.name = pick();
        main.notes = random() % 2 ? QString() : QStringLiteral("first line\nsecond line");
        if (random() % 2) {
            WorldData other;
            other.id = QUuid::createUuid();
            other.name = pick() + QStringLiteral(" Prime");
            hex.starSystem.stars[0].worlds.append(other);
        }
        return hex;
    };
    const auto someStored = [&] {
        const HexList &data = universe()->data();
        return data[qsizetype(random() % data.size())];
    };
    QList<HexData> systems;
    for (int i = 0; i < 120; ++i)
        systems.append(system());
    universe()->setData(systems);

    clickRowTitled(QStringLiteral("Systems"));
    settle();
    QPointer<SystemListView> list = qobject_cast<SystemListView *>(view()->detailPage());
    ASSERT_NE(list, nullptr);
    const auto compare = [&](int round) {
        SystemListView fresh(universe(), nullptr);
        const QList<SubsectorKey> subsectors = fresh.model()->availableSubsectors();
        ASSERT_EQ(list->model()->availableSubsectors(), subsectors) << "round " << round;
        for (const SystemSort order : {SystemSort::coordinates, SystemSort::name, SystemSort::mainWorld}) {
            for (const QString &search :
                 {QString(), QStringLiteral("a"), QStringLiteral("ärh"), QStringLiteral("prime")}) {
                for (const std::optional<SubsectorKey> &filter :
                     {std::optional<SubsectorKey>(), std::optional(subsectors.first()),
                      std::optional(subsectors.last())}) {
                    for (SystemListView *shown : {list.data(), &fresh}) {
                        shown->setSortOrder(order);
                        shown->setSearchText(search);
                        shown->setSubsectorFilter(filter);
                    }
                    ASSERT_EQ(shownRows(*list), shownRows(fresh))
                        << "round " << round << " order " << int(order) << " search " << search.toStdString();
                }
            }
        }
    };
    // Every search text, name key and height is made before anything changes.
    compare(-1);

    for (int round = 0; round < 15 && !HasFailure(); ++round) {
        clickRowTitled(QStringLiteral("Star Map"));
        settle();
        switch (round % 5) {
        case 0: { // an edit in place
            HexData edited = system();
            const HexData stored = someStored();
            taken.remove(edited.coordinates);
            edited.id = stored.id;
            edited.coordinates = stored.coordinates;
            universe()->replaceHex(edited);
            break;
        }
        case 1: universe()->insertHex(system()); break;
        case 2: {
            const HexData gone = someStored();
            taken.remove(gone.coordinates);
            universe()->removeHex(gone.id);
            break;
        }
        case 3: { // a move, into another subsector or sector
            HexData moved = someStored();
            taken.remove(moved.coordinates);
            moved.coordinates = freePlace();
            universe()->replaceHex(moved);
            break;
        }
        default: { // an import
            Faction polity;
            polity.id = QUuid::createUuid();
            polity.name = QStringLiteral("Polity %1").arg(round);
            universe()->insertObject(polity);
            HexData overwritten = system();
            const HexData stored = someStored();
            taken.remove(overwritten.coordinates);
            overwritten.coordinates = stored.coordinates;
            overwritten.starSystem.stars[0].worlds[0].factionIDs = {polity.id};
            universe()->replaceHex(stored.id, overwritten);
            QList<HexData> batch;
            for (int i = 0; i < 4; ++i) {
                batch.append(system());
                batch.last().starSystem.stars[0].worlds[0].factionIDs = {polity.id};
            }
            universe()->insertHexes(batch);
            Rutter route;
            route.id = QUuid::createUuid();
            route.factionID = polity.id;
            route.start = batch.first().coordinates;
            route.end = stored.coordinates;
            universe()->insertObjects(QList<Rutter>{route});
        }
        }
        clickRowTitled(QStringLiteral("Systems"));
        settle();
        ASSERT_EQ(view()->detailPage(), list.data());
        compare(round);
    }
}

} // namespace

namespace {

// Every role of every row of a rutter list, the "New" row included, for comparing.
QList<QVariantList> shownRows(const MapObjectListModel &model)
{
    QList<QVariantList> rows;
    for (int row = 0; row < model.rowCount(); ++row) {
        QVariantList roles;
        for (const int role : {int(Qt::DisplayRole), int(MapObjectListModel::KindRole),
                               int(MapObjectListModel::IdRole), int(MapObjectListModel::PositionRole),
                               int(MapObjectListModel::DetailsRole), int(MapObjectListModel::DotRole)})
            roles.append(model.index(row).data(role));
        rows.append(roles);
    }
    return rows;
}

// The Rutters screen kept behind the map while the rutters, the factions and the
// systems at their ends change: each time it comes back it shows what a new screen
// shows (every faction's rutters, unsearched, a fresh create form beside the list
// scrolled to its "New" row), and under every filter and search the very rows a new one
// lists, though it had made its rows before the change and was left filtered,
// searched, scrolled and on another rutter's editor.
TEST_F(Sidebar, TheKeptRuttersScreenShowsWhatANewOneShowsAfterEveryChangeWhileHidden)
{
    startApp();
    std::mt19937 random(1618);
    const auto below = [&](qsizetype bound) { return qsizetype(random() % quint32(bound)); };
    const auto place = [&] { return GalacticCoordinates{0, 0, qint64(1 + below(4)), qint64(1 + below(4))}; };
    QList<HexData> systems;
    for (qint64 column = 1; column <= 4; ++column) {
        for (qint64 row = 1; row <= 3; ++row) {
            HexData hex = aHex().worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)});
            hex.coordinates = {0, 0, column, row};
            hex.starSystem.name = QStringLiteral("Star %1%2").arg(column).arg(row);
            systems.append(hex);
        }
    }
    universe()->setData(systems);
    QList<Faction> factions;
    for (int i = 0; i < 6; ++i)
        factions.append(aFaction(QStringLiteral("Guild %1").arg(i)));
    universe()->setFactions(factions);
    const auto someFaction = [&] { return universe()->factions()[below(universe()->factions().size())]; };
    const auto rutter = [&] {
        Rutter made;
        made.id = QUuid::createUuid();
        // Now and then a faction the universe does not hold.
        made.factionID = below(6) ? someFaction().id : QUuid::createUuid();
        made.start = place();
        made.end = place();
        made.mainTradeRoute = below(2);
        return made;
    };
    QList<Rutter> rutters;
    for (int i = 0; i < 60; ++i)
        rutters.append(rutter());
    universe()->setRutters(rutters);

    clickRowTitled(RutterListSource::listWord(*universe()));
    settle();
    QPointer<RuttersView> kept = qobject_cast<RuttersView *>(view()->detailPage());
    ASSERT_NE(kept, nullptr);
    QListView *keptList = kept->listView();
    const auto compare = [&](int round) {
        SCOPED_TRACE(round);
        // A new screen, shown where the kept one is.
        RuttersView fresh(*universe());
        fresh.resize(kept->size());
        fresh.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&fresh));
        settle();
        EXPECT_EQ(kept->searchField()->text(), QString());
        EXPECT_EQ(kept->source().searchText(), QString());
        EXPECT_EQ(kept->source().factionFilterID(), std::nullopt);
        EXPECT_EQ(kept->factionFilterButton()->text(), fresh.factionFilterButton()->text());
        EXPECT_EQ(kept->sectionTitle(), fresh.sectionTitle());
        EXPECT_EQ(kept->selection(), fresh.selection());
        auto *form = qobject_cast<RutterEditingView *>(kept->detail());
        ASSERT_NE(form, nullptr);
        EXPECT_FALSE(form->draft().isEditing());
        EXPECT_EQ(form->draft().factionID, std::nullopt);
        EXPECT_EQ(keptList->selectionModel()->selectedRows(),
                  QModelIndexList{kept->model()->index(kept->model()->createRow())});
        EXPECT_EQ(keptList->verticalScrollBar()->value(), fresh.listView()->verticalScrollBar()->value());
        EXPECT_EQ(shownRows(*kept->model()), shownRows(*fresh.model()));
        // The rows made before the change serve every filter and search as new ones do.
        QList<std::optional<QUuid>> filters{std::nullopt, QUuid::createUuid()};
        for (const Faction &faction : universe()->factions())
            filters.append(faction.id);
        for (const std::optional<QUuid> &filter : filters) {
            for (const QString &search :
                 {QString(), QStringLiteral("star 2"), QStringLiteral("UNKNOWN"), QStringLiteral("0103")}) {
                kept->source().setFactionFilterID(filter);
                kept->source().setSearchText(search);
                fresh.source().setFactionFilterID(filter);
                fresh.source().setSearchText(search);
                ASSERT_EQ(shownRows(*kept->model()), shownRows(*fresh.model())) << search.toStdString();
            }
        }
    };

    for (int round = 0; round < 24; ++round) {
        // Left as the user may leave it: filtered, searched, on a rutter's editor and
        // scrolled to the end.
        kept->source().setFactionFilterID(below(2) ? std::optional(someFaction().id) : std::nullopt);
        kept->searchField()->setText(below(2) ? QStringLiteral("Star") : QStringLiteral(" "));
        const QList<Rutter> &stored = universe()->rutters();
        if (!stored.isEmpty())
            kept->select(MapObjectListView::Selection{stored[below(stored.size())].id});
        keptList->verticalScrollBar()->setValue(keptList->verticalScrollBar()->maximum());
        QPointer<QWidget> leftDetail = kept->detail();

        clickRowTitled(QStringLiteral("Star Map"));
        settle();
        switch (round % 6) {
        case 0: universe()->insertObject(rutter()); break;
        case 1: {
            Rutter changed = stored[below(stored.size())];
            changed.start = place();
            changed.factionID = someFaction().id;
            changed.age = RutterAge::fivePlus;
            universe()->replaceObject(changed);
            break;
        }
        case 2: universe()->removeObject<Rutter>(stored[below(stored.size())].id); break;
        case 3: {
            Faction renamed = someFaction();
            renamed.name = below(2) ? QString() : QStringLiteral("Renamed %1").arg(round);
            renamed.color = FactionColor::red;
            universe()->replaceObject(renamed);
            break;
        }
        case 4: {
            if (below(2))
                universe()->removeObject<Faction>(someFaction().id);
            else
                universe()->insertObject(Faction(aFaction(QStringLiteral("Newcomer %1").arg(round))));
            break;
        }
        default: {
            HexData hex = universe()->data()[below(universe()->data().size())];
            if (below(2)) {
                hex.starSystem.name = QStringLiteral("Renamed %1").arg(round);
                universe()->replaceHex(hex);
            } else {
                universe()->removeHex(hex.id);
            }
        }
        }
        clickRowTitled(RutterListSource::listWord(*universe()));
        settle();
        ASSERT_EQ(view()->detailPage(), kept.data());
        EXPECT_TRUE(leftDetail.isNull());
        compare(round);
    }
}

} // namespace

namespace {

// Everything a sidebar row shows, for comparing: its text and icon, or its group
// header's title, weight, state and size; its destination, and whether it is selected.
QStringList shownSidebar(const SidebarList &sidebar)
{
    QStringList rows;
    for (int row = 0; row < sidebar.count(); ++row) {
        QListWidgetItem *item = sidebar.item(row);
        QString shown;
        if (const auto *header = qobject_cast<FactionGroupHeader *>(sidebar.itemWidget(item))) {
            shown = QStringLiteral("header %1 bold %2 expanded %3 size %4x%5")
                        .arg(header->title())
                        .arg(header->titleIsBold())
                        .arg(header->isExpanded())
                        .arg(item->sizeHint().width())
                        .arg(item->sizeHint().height());
        } else {
            const QImage icon = item->icon().pixmap(16, 16).toImage();
            shown = item->text() + QStringLiteral(" icon ") +
                    QString::number(qHashBits(icon.constBits(), size_t(icon.sizeInBytes())));
        }
        const std::optional<Destination> destination = sidebar.destinationAt(row);
        if (destination && destination->faction)
            shown += QStringLiteral(" faction ") + destination->faction->id.toString();
        rows.append(shown + (item->isSelected() ? QStringLiteral(" selected") : QString()));
    }
    return rows;
}

// The factions change one at a time (a new one, a rename, a new colour or category,
// one removed), in collapsed and expanded groups and under the chosen faction's row:
// after each change the sidebar, which updates the rows that changed in place, reads as
// one built afresh from the universe does.
TEST_F(Sidebar, AfterEveryFactionChangeTheSidebarShowsWhatANewOneShows)
{
    startApp();
    std::mt19937 random(4669);
    const auto below = [&](qsizetype bound) { return qsizetype(random() % quint32(bound)); };
    const auto categories = allCases<FactionCategory>();
    const auto faction = [&](int i) {
        return Faction(aFaction(below(4) ? QStringLiteral("Faction %1").arg(i) : QString())
                           .category(categories[std::size_t(below(2))])
                           .color(below(2) ? FactionColor::red : FactionColor::blue));
    };
    for (int i = 0; i < 5; ++i)
        universe()->insertObject(faction(i));
    toggleGroup(categories[0]);

    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        const QList<Faction> &factions = universe()->factions();
        Faction some = factions.isEmpty() ? faction(round) : factions[below(factions.size())];
        switch (below(6)) {
        case 0: universe()->insertObject(faction(100 + round)); break;
        case 1:
            some.name = QStringLiteral("Renamed %1").arg(round);
            universe()->replaceObject(some);
            break;
        case 2:
            some.color = FactionColor::green;
            universe()->replaceObject(some);
            break;
        case 3:
            some.category = categories[std::size_t(below(3))];
            universe()->replaceObject(some);
            break;
        case 4: universe()->removeObject<Faction>(some.id); break;
        default:
            if (below(2)) {
                toggleGroup(categories[std::size_t(below(3))]);
            } else if (QListWidgetItem *row = list()->itemFor(Destination::forFaction(some))) {
                clickRow(row);
                settle();
            }
        }
        SidebarList fresh;
        fresh.rebuild(*universe(), view()->expandedCategories(), view()->selection());
        ASSERT_EQ(shownSidebar(*list()), shownSidebar(fresh));
    }
}

// A sidebar kept up to date by rebuild() as the universe, the expanded groups and the
// selection change, checked against one built afresh after every step.
class SidebarUpdates : public ::testing::Test
{
protected:
    // Shows the current state in the kept sidebar, which must then read as a fresh one
    // does, row by row and destination by destination, without reporting a choice.
    // When `inPlace`, the rows and headers it already had must still be the same ones.
    void check(bool inPlace)
    {
        m_sidebar.item(1)->setData(kKeptRole, true);
        for (FactionCategory category : m_categories)
            m_sidebar.groupHeader(category)->setProperty("kept", true);
        QSignalSpy reported(&m_sidebar, &SidebarList::destinationChosen);
        m_sidebar.rebuild(m_universe, m_expanded, m_selection);
        SidebarList fresh;
        fresh.rebuild(m_universe, m_expanded, m_selection);

        ASSERT_EQ(shownSidebar(m_sidebar), shownSidebar(fresh));
        for (int row = 0; row < fresh.count(); ++row)
            ASSERT_EQ(m_sidebar.destinationAt(row), fresh.destinationAt(row)) << "row " << row;
        EXPECT_EQ(m_sidebar.destinationAt(fresh.count()), std::nullopt);
        EXPECT_TRUE(reported.isEmpty());
        EXPECT_EQ(m_sidebar.item(1)->data(kKeptRole).toBool(), inPlace);
        for (FactionCategory category : m_categories)
            EXPECT_EQ(m_sidebar.groupHeader(category)->property("kept").toBool(), inPlace);
    }

    Faction factionNamed(const QString &name) const
    {
        return *std::find_if(m_universe.factions().cbegin(), m_universe.factions().cend(),
                             [&](const Faction &faction) { return faction.name == name; });
    }

    static constexpr int kKeptRole = Qt::UserRole + 100;
    const std::array<FactionCategory, 6> m_categories = allCases<FactionCategory>();
    QTemporaryDir m_documents;
    StarfarerUniverse m_universe{UniverseFolder(m_documents.path())};
    QSet<FactionCategory> m_expanded;
    std::optional<Destination> m_selection;
    SidebarList m_sidebar;
};

// The changes that move rows between groups, fill or empty a group, reorder a group
// or take the chosen row away.
TEST_F(SidebarUpdates, GroupsFillEmptyAndReorderAsInAFreshSidebar)
{
    m_universe.insertObject(Faction(aFaction(QStringLiteral("Kept")).category(m_categories[2])));
    m_expanded = {m_categories[0], m_categories[1]};
    m_sidebar.rebuild(m_universe, m_expanded, m_selection);

    // The first faction of an expanded group, then of a collapsed one.
    m_universe.insertObject(Faction(aFaction(QStringLiteral("Mid")).category(m_categories[0])));
    ASSERT_NO_FATAL_FAILURE(check(true));
    m_universe.insertObject(Faction(aFaction(QStringLiteral("Hidden")).category(m_categories[4])));
    ASSERT_NO_FATAL_FAILURE(check(true));
    m_universe.insertObject(Faction(aFaction(QStringLiteral("Zulu")).category(m_categories[0])));
    m_universe.insertObject(Faction(aFaction(QStringLiteral("Other")).category(m_categories[1])));
    ASSERT_NO_FATAL_FAILURE(check(true));

    // A rename that moves the chosen faction's neighbour ahead of it.
    m_selection = Destination::forFaction(factionNamed(QStringLiteral("Mid")));
    ASSERT_NO_FATAL_FAILURE(check(true));
    Faction zulu = factionNamed(QStringLiteral("Zulu"));
    zulu.name = QStringLiteral("Alpha");
    m_universe.replaceObject(zulu);
    ASSERT_NO_FATAL_FAILURE(check(true));
    ASSERT_EQ(m_sidebar.selectedItems().size(), 1);

    // The chosen faction moves to the other expanded group: its old value names no row.
    Faction mid = factionNamed(QStringLiteral("Mid"));
    mid.category = m_categories[1];
    m_universe.replaceObject(mid);
    ASSERT_NO_FATAL_FAILURE(check(true));
    EXPECT_TRUE(m_sidebar.selectedItems().isEmpty());

    // A new colour and short name in place; then the chosen faction is removed.
    mid.color = FactionColor::green;
    mid.shortName = QStringLiteral("M");
    m_universe.replaceObject(mid);
    m_selection = Destination::forFaction(mid);
    ASSERT_NO_FATAL_FAILURE(check(true));
    m_universe.removeObject<Faction>(mid.id);
    ASSERT_NO_FATAL_FAILURE(check(true));
    EXPECT_TRUE(m_sidebar.selectedItems().isEmpty());

    // The last factions leave their groups, one to a collapsed group.
    m_universe.removeObject<Faction>(factionNamed(QStringLiteral("Other")).id);
    ASSERT_NO_FATAL_FAILURE(check(true));
    zulu = factionNamed(QStringLiteral("Alpha"));
    zulu.category = m_categories[5];
    m_universe.replaceObject(zulu);
    ASSERT_NO_FATAL_FAILURE(check(true));
    EXPECT_FALSE(m_sidebar.groupHeader(m_categories[0])->titleIsBold());
    EXPECT_TRUE(m_sidebar.groupHeader(m_categories[5])->titleIsBold());
}

// Random inserts, removes, renames, recolours, category changes, group toggles, rules
// changes and choices: after each, the kept sidebar reads as a fresh one, and it kept
// its rows unless the rules' wording or the expanded groups changed.
TEST_F(SidebarUpdates, EveryRandomChangeShowsWhatAFreshSidebarShows)
{
    const HexData travellerHex = aHex().worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)});
    m_sidebar.rebuild(m_universe, m_expanded, m_selection);
    for (unsigned seed : {11u, 29u, 4669u}) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        const auto below = [&](qsizetype bound) { return qsizetype(random() % quint32(bound)); };
        // Few names, categories and colours, so that rows collide, move and repeat.
        const auto someName = [&] { return below(5) ? QStringLiteral("F%1").arg(below(8)) : QString(); };
        const auto someCategory = [&] { return m_categories[std::size_t(below(4))]; };
        const auto someColor = [&] { return below(2) ? FactionColor::red : FactionColor::blue; };
        for (int step = 0; step < 150; ++step) {
            SCOPED_TRACE(step);
            const QList<Faction> &factions = m_universe.factions();
            std::optional<Faction> some;
            if (!factions.isEmpty())
                some = factions[below(factions.size())];
            bool inPlace = true;
            switch (below(9)) {
            case 0:
            case 1:
                m_universe.insertObject(
                    Faction(aFaction(someName()).category(someCategory()).color(someColor())));
                break;
            case 2:
                if (some)
                    m_universe.removeObject<Faction>(some->id);
                break;
            case 3:
                if (some) {
                    some->name = someName();
                    some->shortName = below(4) ? QString() : someName();
                    m_universe.replaceObject(*some);
                }
                break;
            case 4:
                if (some) {
                    some->color = someColor();
                    m_universe.replaceObject(*some);
                }
                break;
            case 5:
                if (some) {
                    some->category = someCategory();
                    m_universe.replaceObject(*some);
                }
                break;
            case 6: {
                const FactionCategory toggled = someCategory();
                if (!m_expanded.remove(toggled))
                    m_expanded.insert(toggled);
                inPlace = false;
                break;
            }
            case 7:
                m_universe.setData(m_universe.data().isEmpty() ? QList<HexData>{travellerHex}
                                                               : QList<HexData>{});
                inPlace = false;
                break;
            default:
                // A faction as shown, one as it was before a change, a tool, or nothing.
                if (below(3) == 0)
                    m_selection =
                        below(2) ? std::nullopt : std::optional(Destination::of(DestinationKind::labels));
                else if (some)
                    m_selection = Destination::forFaction(*some);
            }
            ASSERT_NO_FATAL_FAILURE(check(inPlace));
        }
    }
}

// What the map screen shows besides its drawing: its empty state or the map and the
// Fit button, and the grid the map spans.
QString shownMap(const StarMapView &map)
{
    const ContentUnavailableView *empty = map.emptyState();
    const GridExtent grid = map.canvas()->gridExtent();
    return QStringLiteral("%1/%2 map %3 fit %4 grid %5 %6 %7 %8")
        .arg(empty ? empty->title() : QString(), empty ? empty->description() : QString())
        .arg(map.canvas()->isVisibleTo(&map))
        .arg(map.fitButton()->isVisibleTo(&map))
        .arg(grid.minCol)
        .arg(grid.maxCol)
        .arg(grid.minRow)
        .arg(grid.maxRow);
}

// The sidebar and the kept screens through random changes of every kind, made while
// the user goes from screen to screen: the first faction, rutter and system made in an
// empty universe, the last of each removed, factions appended together, whole lists
// set at once, the rules turned. After each change the sidebar reads as one built
// afresh; each kept screen, chosen again, shows what a new one shows.
TEST_F(Sidebar, TheSidebarAndTheKeptScreensShowWhatNewOnesShowAfterEveryKindOfChange)
{
    startApp();
    StarMapTest::RandomMapEdits edits(
        *universe(), 8128, {{0, 0, 1, 1}, {0, 0, 2, 1}, {0, 0, 1, 2}, {0, 0, 9, 12}, {1, 0, 3, 3}});
    for (int step = 0; step < 240 && !HasFailure(); ++step) {
        SCOPED_TRACE(step);
        if (step == 150)
            edits.beginEmptying();
        const std::string edit = edits.anyStep();
        if (edits.chance(12))
            toggleGroup(edits.pick(allCases<FactionCategory>()));
        SidebarList fresh;
        fresh.rebuild(*universe(), view()->expandedCategories(), view()->selection());
        ASSERT_EQ(shownSidebar(*list()), shownSidebar(fresh)) << edit;
        if (step % 5 != 4)
            continue;

        clickRowTitled(QStringLiteral("Systems"));
        settle();
        const auto *systems = qobject_cast<SystemListView *>(view()->detailPage());
        const SystemListView freshSystems(universe(), nullptr);
        ASSERT_EQ(shownRows(*systems), shownRows(freshSystems));
        EXPECT_EQ(systems->model()->availableSubsectors(), freshSystems.model()->availableSubsectors());

        clickRowTitled(QStringLiteral("Star Map"));
        settle();
        const StarMapView freshMap(universe(), nullptr, DetailPages::kStarMapHexRadius,
                                   DetailPages::kStarMapGridPadding);
        EXPECT_EQ(shownMap(*qobject_cast<StarMapView *>(view()->detailPage())), shownMap(freshMap));

        clickRowTitled(RutterListSource::listWord(*universe()));
        settle();
        const auto *rutters = qobject_cast<RuttersView *>(view()->detailPage());
        const RuttersView freshRutters(*universe());
        EXPECT_EQ(rutters->sectionTitle(), freshRutters.sectionTitle());
        EXPECT_EQ(rutters->factionFilterButton()->text(), freshRutters.factionFilterButton()->text());
        ASSERT_EQ(shownRows(*rutters->model()), shownRows(*freshRutters.model()));
        // The next changes come with one of them on show, or none.
        clickRowTitled(
            edits.pick(QStringList{QStringLiteral("Systems"), QStringLiteral("Star Map"),
                                   QStringLiteral("Labels"), RutterListSource::listWord(*universe())}));
        settle();
    }
}

} // namespace

// A kept screen the user leaves is put back in its start state once the chosen screen
// is on show, or at once when it is chosen again before that: it never shows what was
// left in it, and once it is back on show nothing resets it any more.
TEST_F(Sidebar, ALeftScreenIsResetBeforeItShowsAgainAndNeverWhileItShows)
{
    startApp();
    QList<HexData> systems;
    for (int i = 0; i < 40; ++i) {
        HexData hex = aHex().worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)});
        hex.coordinates = {0, 0, 1 + i % 8, 1 + i / 8};
        hex.starSystem.name = QStringLiteral("Star %1").arg(i);
        systems.append(hex);
    }
    universe()->setData(systems);
    const auto settled = [this] {
        for (int pass = 0; pass < 5; ++pass)
            settle();
    };
    clickRowTitled(QStringLiteral("Systems"));
    settled();
    QPointer<SystemListView> list = qobject_cast<SystemListView *>(view()->detailPage());
    ASSERT_NE(list, nullptr);

    // Chosen again before the event loop ran: reset on the way back.
    list->setSearchText(QStringLiteral("Star 1"));
    list->setSortOrder(SystemSort::name);
    clickRowTitled(QStringLiteral("Star Map"));
    clickRowTitled(QStringLiteral("Systems"));
    ASSERT_EQ(view()->detailPage(), list.data());
    EXPECT_EQ(list->model()->searchText(), QString());
    EXPECT_EQ(list->model()->sortOrder(), SystemSort::coordinates);
    EXPECT_EQ(list->model()->rowCount(), systems.size());

    // What is typed once it is back stays: the reset of the earlier leave is not run
    // again over it.
    list->setSearchText(QStringLiteral("Star 2"));
    settled();
    EXPECT_EQ(list->model()->searchText(), QStringLiteral("Star 2"));
    EXPECT_GT(list->model()->rowCount(), 0);
    EXPECT_LT(list->model()->rowCount(), systems.size());

    // Left and not chosen again: reset while hidden, and nothing else.
    list->showDetail(list->model()->hexAt(0));
    clickRowTitled(QStringLiteral("Star Map"));
    settled();
    ASSERT_FALSE(list->isVisible());
    EXPECT_EQ(list->model()->searchText(), QString());
    EXPECT_EQ(list->currentPage(), list->findChild<QStackedWidget *>()->widget(0));
    EXPECT_EQ(list->model()->rowCount(), systems.size());
    clickRowTitled(QStringLiteral("Systems"));
    settled();
    EXPECT_EQ(view()->detailPage(), list.data());
    EXPECT_EQ(list->model()->searchText(), QString());
}
