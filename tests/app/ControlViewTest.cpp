#include "AppTestSupport.h"
#include "ImageProbe.h"
#include "PaintedTexts.h"

#include "app/PlainPage.h"
#include "editors/ui/FactionEditingView.h"
#include "editors/ui/FactionListsView.h"
#include "editors/ui/MapObjectListView.h"
#include "import/ui/ImportTravellerMapView.h"
#include "screens/SystemGeneratorView.h"
#include "screens/SystemListView.h"
#include "starmap/ui/StarMapView.h"
#include "ui/ContentUnavailableView.h"

#include <QPointer>
#include <QScrollBar>
#include <QToolButton>

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

HexData systemWithTechLevel(TechnologyLevel level)
{
    WorldData world;
    world.id = QUuid::createUuid();
    world.mainWorld = true;
    world.uwp.techLevel = level;
    Star star;
    star.id = QUuid::createUuid();
    star.worlds = {world};
    HexData hex;
    hex.id = QUuid::createUuid();
    hex.starSystem.id = QUuid::createUuid();
    hex.starSystem.stars = {star};
    return hex;
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

    universe()->setData({systemWithTechLevel(TechnologyLevel::ttl12)});
    EXPECT_EQ(list()->item(routeRow)->text(), QStringLiteral("Routes"));
    EXPECT_EQ(list()->destinationAt(routeRow), Destination::of(DestinationKind::rutters));
    clickRow(list()->item(routeRow));
    EXPECT_EQ(pageTitle(view()->detailPage()), QStringLiteral("Routes"));

    // Only the first system decides; a coarse tech level is not the Traveller scale.
    universe()->setData(
        {systemWithTechLevel(TechnologyLevel::tl4Plus), systemWithTechLevel(TechnologyLevel::ttl9)});
    EXPECT_EQ(list()->item(routeRow)->text(), QStringLiteral("Rutters"));
    // The row stays chosen across the change of wording.
    EXPECT_EQ(selectedTitles(), QStringList{QStringLiteral("Rutters")});

    // Systems stored one hex at a time count as well.
    universe()->setData({});
    const HexData traveller = systemWithTechLevel(TechnologyLevel::ttl12);
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
        faction(QStringLiteral("beta"), QString(), FactionCategory::megacorporation),
        faction(QStringLiteral("Alpha"), QString(), FactionCategory::megacorporation),
        faction(QString(), QStringLiteral("XX"), FactionCategory::political),
        faction(QStringLiteral("Alpha League"), QStringLiteral("AL"), FactionCategory::political),
        faction(QStringLiteral("Alpha League"), QString(), FactionCategory::political),
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
    universe()->setFactions({faction(QStringLiteral("Guild"), QString(), FactionCategory::group)});
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
    const Faction guild = faction(QStringLiteral("Guild"), QString(), FactionCategory::group);
    const Faction order = faction(QStringLiteral("Order"), QString(), FactionCategory::group);
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
    Faction pale = faction(QStringLiteral("Pale"), QString(), FactionCategory::group);
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
    universe()->setFactions({faction(longName, QString(), FactionCategory::religious),
                             faction(QStringLiteral("Alpha"), QString(), FactionCategory::religious)});
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
