#include "../RandomMapEdits.h"
#include "../StarMapTestSupport.h"
#include "model/HexLayout.h"
#include "model/WorldDescriptions.h"
#include "starmap/StarMapVisibleSets.h"
#include "starmap/ui/StarMapCanvas.h"
#include "starmap/ui/StarMapView.h"
#include "starmap/ui/StarMapViewMenu.h"
#include "starmap/ui/SystemOverlayCard.h"
#include "ui/ElidedLabel.h"
#include "ui/ReadOnlyNotesView.h"
#include "ui/SystemSound.h"
#include "ui/WindowRouter.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace StarMapTest;

namespace {

// What the widget's labels, names and notes read.
QStringList labelTexts(const QWidget *widget)
{
    QStringList texts;
    for (const QLabel *label : widget->findChildren<QLabel *>())
        texts.append(label->text());
    for (const ElidedLabel *name : widget->findChildren<ElidedLabel *>())
        texts.append(name->text());
    for (const ReadOnlyNotesView *notes : widget->findChildren<ReadOnlyNotesView *>())
        texts.append(notes->text());
    return texts;
}

// A shown map of two systems with a universe saved into a temporary folder.
struct MapFixture
{
    QTemporaryDir dir;
    StarfarerUniverse universe{UniverseFolder(dir.path())};
    WindowRouter router;
    std::unique_ptr<StarMapView> view;
    int beeps = 0;
    std::function<void()> previousPlayer;

    explicit MapFixture(const QList<HexData> &data)
    {
        universe.setData(data);
        previousPlayer = SystemSound::setPlayer([this] { ++beeps; });
        view = std::make_unique<StarMapView>(&universe, &router, 60, 2);
        view->resize(1000, 800);
        view->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    }
    ~MapFixture() { SystemSound::setPlayer(previousPlayer); }

    void click(const GalacticCoordinates &coordinates)
    {
        StarMapCanvas *canvas = view->canvas();
        const QPointF point = canvas->controller().transform().toScreen(HexLayout(60).center(coordinates));
        QTest::mouseClick(canvas, Qt::LeftButton, {}, point.toPoint());
    }
};

HexData richHex()
{
    HexData h = hex(at(3, 4));
    h.notes = QStringLiteral("Hex notes");
    WorldData &world = h.starSystem.stars[0].worlds[0];
    world.name = QStringLiteral("Terra Nova");
    world.notes = QStringLiteral("World notes");
    world.uwp.population = 9;
    world.worldTags = {WorldTag::alienRuins};
    return h;
}

TEST(SystemOverlayCardTest, RefereeAndPlayerCardsAndTheirButtons)
{
    HexData h = richHex();
    Faction guild = aFaction(QStringLiteral("Guild")).shortName(QStringLiteral("GD"));
    h.starSystem.stars[0].worlds[0].factionIDs = {guild.id, QUuid::createUuid()};
    StarfarerUniverse universe{UniverseFolder(QDir::tempPath())};
    universe.setFactions({guild});
    universe.setData({h});
    WindowRouter router;
    bool closed = false;

    SystemOverlayCard referee(&universe, h, MapViewMode::referee, [&closed] { closed = true; }, &router, 360,
                              {});
    const QStringList texts = labelTexts(&referee);
    for (const char *expected : {"SYS 34", "HEX 00-0304 Subsector-A", "Hex notes", "Main World", "Terra Nova",
                                 "World notes", "World Tags", "Alien-Ruins", "Factions", "GD"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(texts.contains(QStringLiteral("StpSizAtmHydPopGovLaw-TL B PBG Day\\Year [TC]")));

    SystemOverlayCard player(&universe, h, MapViewMode::player, {}, &router, 360, {});
    const QStringList playerTexts = labelTexts(&player);
    EXPECT_TRUE(playerTexts.contains(QStringLiteral("Terra Nova")));
    for (const char *absent : {"Hex notes", "World notes", "World Tags", "Factions"})
        EXPECT_FALSE(playerTexts.contains(QString::fromUtf8(absent))) << absent;
    ASSERT_NE(player.worldInfoButton(), nullptr);

    // The copy replaces the clipboard with exactly the Markdown summary, factions resolved.
    QGuiApplication::clipboard()->setText(QStringLiteral("old"));
    referee.copyButton()->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              markdownExport(h.starSystem.stars[0].worlds[0], 0, 0, {{guild.name, guild.shortName}}, h));

    // Both windows open for the hex's coordinates; close runs the map's action.
    referee.worldInfoButton()->click();
    referee.travelButton()->click();
    EXPECT_NE(router.window(WindowId::worldInfo, h.coordinates), nullptr);
    EXPECT_NE(router.window(WindowId::systemTravel, h.coordinates), nullptr);
    referee.closeButton()->click();
    EXPECT_TRUE(closed);
}

TEST(SystemOverlayCardTest, SystemsWithoutMainWorldOrWorlds)
{
    HexData noMain = hex(at(1, 1));
    noMain.starSystem.stars[0].worlds[0].mainWorld = false;
    SystemOverlayCard card(nullptr, noMain, MapViewMode::referee, {}, nullptr, 360, {});
    EXPECT_NE(card.travelButton(), nullptr);
    EXPECT_EQ(card.worldInfoButton(), nullptr);
    EXPECT_EQ(card.copyButton(), nullptr);
    EXPECT_TRUE(labelTexts(&card).contains(QStringLiteral("No main world")));

    HexData empty = noMain;
    empty.starSystem.stars[0].worlds.clear();
    SystemOverlayCard bare(nullptr, empty, MapViewMode::referee, {}, nullptr, 360, {});
    EXPECT_EQ(bare.travelButton(), nullptr);
    EXPECT_NE(bare.closeButton(), nullptr);
    EXPECT_FALSE(labelTexts(&bare).contains(QStringLiteral("World Tags")));
}

TEST(StarMapSelectionTest, ClicksSelectBeepOnlyOnChangeAndClear)
{
    MapFixture map({richHex(), hex(at(8, 9))});
    map.click(at(3, 4));
    EXPECT_EQ(map.beeps, 1);
    ASSERT_NE(map.view->overlayCard(), nullptr);
    EXPECT_EQ(map.view->overlayCard()->hex().coordinates, at(3, 4));
    map.click(at(3, 4));
    EXPECT_EQ(map.beeps, 1);
    map.click(at(8, 9));
    EXPECT_EQ(map.beeps, 2);
    EXPECT_EQ(map.view->overlayCard()->hex().coordinates, at(8, 9));

    // A hidden system keeps its selection but not its card.
    map.universe.setMapShowStarfarers(false);
    map.universe.setMapShowOther(false);
    EXPECT_EQ(map.view->overlayCard(), nullptr);
    map.universe.setMapShowStarfarers(true);
    EXPECT_NE(map.view->overlayCard(), nullptr);

    map.view->overlayCard()->closeButton()->click();
    EXPECT_FALSE(map.view->selectedCoordinate().has_value());
    map.click(at(3, 4));
    map.click(at(6, 1)); // an empty hex clears without a sound
    EXPECT_EQ(map.beeps, 3);
    EXPECT_EQ(map.view->overlayCard(), nullptr);
}

// The card is built again for a change of the factions it names, and only then.
TEST(StarMapSelectionTest, TheCardFollowsOnlyTheFactionsItNames)
{
    HexData h = richHex();
    Faction guild = aFaction(QStringLiteral("Guild")).shortName(QStringLiteral("GD"));
    Faction other = aFaction(QStringLiteral("Other")).shortName(QStringLiteral("OT"));
    h.starSystem.stars[0].worlds[0].factionIDs = {guild.id};
    MapFixture map({h});
    map.universe.setFactions({guild, other});
    map.click(h.coordinates);
    const SystemOverlayCard *card = map.view->overlayCard();
    ASSERT_NE(card, nullptr);

    other.shortName = QStringLiteral("O2");
    map.universe.replaceObject(other);
    EXPECT_EQ(map.view->overlayCard(), card);
    guild.shortName = QStringLiteral("G2");
    map.universe.replaceObject(guild);
    ASSERT_NE(map.view->overlayCard(), card);
    EXPECT_TRUE(labelTexts(map.view->overlayCard()).contains(QStringLiteral("G2")));
}

TEST(StarMapSelectionTest, SearchCentresAtTheCurrentScaleAndSelects)
{
    MapFixture map({hex(at(1, 1)), richHex(), hex(at(20, 30))});
    MapInteractionController &controller = map.view->canvas()->controller();
    controller.zoom(2.0, QPointF(10, 10));
    const double scale = controller.transform().scale;
    QLineEdit *field = map.view->viewMenu()->searchField();
    QTest::keyClicks(field, QStringLiteral("terra"));
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(controller.transform().scale, scale);
    const QPointF shown = controller.transform().toScreen(HexLayout(60).center(at(3, 4)));
    const QSizeF size = map.view->canvas()->size();
    EXPECT_NEAR(shown.x(), size.width() / 2, 1e-6);
    EXPECT_NEAR(shown.y(), size.height() / 2, 1e-6);
    EXPECT_EQ(map.view->selectedCoordinate(), at(3, 4));
    EXPECT_EQ(map.beeps, 0);
    EXPECT_TRUE(map.view->fitButton()->isEnabled());

    const MapTransform before = controller.transform();
    map.view->search(QStringLiteral("nowhere"));
    EXPECT_EQ(controller.transform(), before);
    EXPECT_EQ(map.view->selectedCoordinate(), at(3, 4));
}

TEST(StarMapViewMenuTest, EveryChangeSavesOnceAndTitlesFollowTheSelection)
{
    Faction a = aFaction(QStringLiteral("R&D")).shortName(QStringLiteral("RD"));
    Faction b = aFaction(QStringLiteral("Beta")).shortName(QStringLiteral("BT"));
    MapFixture map({hex(at(1, 1))});
    map.universe.setFactions({a, b});
    map.universe.setFactionLists({{QUuid::createUuid(), QStringLiteral("Pair"), {a.id, b.id}}});
    StarmapLabel label;
    label.category = QStringLiteral("Ports");
    map.universe.setStarmapLabels({label});
    StarMapViewMenu *menu = map.view->viewMenu();
    QSignalSpy saves(&map.universe, &StarfarerUniverse::saved);

    int expected = 0;
    for (const char *title :
         {"Rutters", "Nebulae", "Regions", "Surveyed data", "Starfarers", "Sathar", "Other"}) {
        QCheckBox *toggle = nullptr;
        for (QCheckBox *box : menu->body()->findChildren<QCheckBox *>())
            toggle = box->text() == QString::fromUtf8(title) ? box : toggle;
        ASSERT_NE(toggle, nullptr) << title;
        toggle->click();
        map.universe.waitForPendingSave();
        EXPECT_EQ(saves.size(), ++expected) << title;
    }
    // One category: no menu until one is hidden, then it stays to undo the filter.
    EXPECT_EQ(menu->body()->findChild<QToolButton *>(QStringLiteral("categoryMenu")), nullptr);
    map.universe.setHiddenLabelCategories({QStringLiteral("Ports")});
    auto *categories = menu->body()->findChild<QToolButton *>(QStringLiteral("categoryMenu"));
    ASSERT_NE(categories, nullptr);
    EXPECT_EQ(menu->categoryMenuTitle(), QStringLiteral("0 categories"));
    categories->menu()->actions().constFirst()->trigger(); // "All categories"
    map.universe.waitForPendingSave();
    EXPECT_EQ(saves.size(), ++expected);
    EXPECT_EQ(menu->categoryMenuTitle(), QStringLiteral("All categories"));

    const auto factionMenu = [menu] {
        return menu->body()->findChild<QToolButton *>(QStringLiteral("factionMenu"));
    };
    // The factions are listed as the menu opens.
    const auto action = [&factionMenu](const QString &text) -> QAction * {
        QMenu *menu = factionMenu()->menu();
        emit menu->aboutToShow();
        for (QAction *candidate : menu->actions())
            if (candidate->text() == text)
                return candidate;
        return nullptr;
    };
    ASSERT_NE(action(QStringLiteral("R&&D (RD)")), nullptr); // data texts show literally
    // A faction added since the column was made is listed, one deleted is not.
    map.universe.insertObject(faction(QStringLiteral("Gamma"), QStringLiteral("GM")));
    EXPECT_NE(action(QStringLiteral("Gamma (GM)")), nullptr);
    map.universe.removeObject<Faction>(map.universe.factions().last().id);
    EXPECT_EQ(action(QStringLiteral("Gamma (GM)")), nullptr);
    action(QStringLiteral("R&&D (RD)"))->trigger();
    EXPECT_EQ(menu->factionMenuTitle(), QStringLiteral("RD"));
    action(QStringLiteral("Beta (BT)"))->trigger();
    EXPECT_EQ(menu->factionMenuTitle(), QStringLiteral("Pair"));
    map.universe.waitForPendingSave();
    EXPECT_EQ(saves.size(), expected += 2);
    auto *reset = menu->body()->findChild<QToolButton *>(QStringLiteral("factionReset"));
    ASSERT_TRUE(reset->isEnabled());
    reset->click();
    EXPECT_EQ(menu->factionMenuTitle(), QStringLiteral("All factions"));
    EXPECT_FALSE(menu->body()->findChild<QToolButton *>(QStringLiteral("factionReset"))->isEnabled());

    // The player's view drops the awareness toggles and the faction filter.
    auto *picker = menu->body()->findChild<QWidget *>(QStringLiteral("viewModePicker"));
    picker->findChildren<QPushButton *>().at(1)->click();
    map.universe.waitForPendingSave();
    EXPECT_EQ(saves.size(), expected += 2);
    EXPECT_EQ(map.universe.mapViewMode(), MapViewMode::player);
    EXPECT_EQ(factionMenu(), nullptr);
}

// Factions, faction lists and labels that come and go (an import brings hundreds)
// leave the column's controls in place, the one that has the focus included; only
// what they show follows: the label categories and the faction filter's title.
TEST(StarMapViewMenuTest, TheColumnKeepsItsControlsAndFollowsWhatItShows)
{
    Faction chosen = faction(QStringLiteral("Chosen"), QStringLiteral("CH"));
    MapFixture map({hex(at(1, 1))});
    map.universe.setFactions({chosen});
    map.universe.setSelectedFactionIDs({chosen.id});
    StarmapLabel port;
    port.category = QStringLiteral("Ports");
    map.universe.setStarmapLabels({port, port});
    StarMapViewMenu *menu = map.view->viewMenu();
    const QPointer<QWidget> column = menu->body();
    const QList<QWidget *> controls = column->findChildren<QWidget *>();
    const QPointer<QToolButton> factionMenu = column->findChild<QToolButton *>(QStringLiteral("factionMenu"));
    ASSERT_NE(factionMenu, nullptr);
    ASSERT_EQ(menu->factionMenuTitle(), QStringLiteral("CH"));

    // Unchosen factions, a list and labels of a known category: nothing shown changes.
    map.universe.insertObject(faction(QStringLiteral("Other"), QStringLiteral("OT")));
    map.universe.insertObjects(QList<Faction>{faction(QStringLiteral("More"), QStringLiteral("MO"))});
    map.universe.insertObject(FactionList{QUuid::createUuid(), QStringLiteral("Some"), {}});
    port.id = QUuid::createUuid();
    map.universe.insertObjects(QList<StarmapLabel>{port, port});
    map.universe.removeObject<StarmapLabel>(map.universe.starmapLabels().first().id);
    EXPECT_EQ(menu->body(), column);
    EXPECT_EQ(column->findChildren<QWidget *>(), controls);

    // A new category shows in the category filter, beside the kept controls.
    StarmapLabel named = port;
    named.category = QStringLiteral("Sector Name");
    map.universe.insertObjects(QList<StarmapLabel>{named});
    EXPECT_EQ(menu->body(), column);
    ASSERT_NE(menu->body()->findChild<QToolButton *>(QStringLiteral("categoryMenu")), nullptr);
    EXPECT_EQ(menu->categoryMenuTitle(), QStringLiteral("All categories"));
    for (QWidget *control : controls)
        EXPECT_TRUE(column->findChildren<QWidget *>().contains(control))
            << control->metaObject()->className();

    // The chosen faction renamed, then deleted, changes the filter's title in place.
    chosen.shortName = QStringLiteral("CX");
    map.universe.replaceObject(chosen);
    EXPECT_EQ(column->findChild<QToolButton *>(QStringLiteral("factionMenu")), factionMenu);
    const auto title = [menu] {
        return menu->body()->findChild<QToolButton *>(QStringLiteral("factionMenu"))->text();
    };
    EXPECT_EQ(title(), QStringLiteral("CX"));
    map.universe.removeObject<Faction>(chosen.id);
    EXPECT_EQ(title(), menu->factionMenuTitle());
    EXPECT_NE(title(), QStringLiteral("CX"));
}

// What a view menu's column shows, control by control in the order they were made,
// with the entries each filter menu lists when it opens.
QStringList shownBy(const StarMapViewMenu &menu)
{
    QStringList lines;
    for (const QWidget *widget : menu.body()->findChildren<QWidget *>()) {
        QString line = QString::fromLatin1(widget->metaObject()->className()) + u' ' + widget->objectName() +
                       (widget->isHidden() ? QStringLiteral(" hidden") : QString()) +
                       (widget->isEnabled() ? QString() : QStringLiteral(" disabled"));
        if (const auto *button = qobject_cast<const QAbstractButton *>(widget))
            line += u' ' + button->text() + (button->isChecked() ? QStringLiteral(" on") : QString());
        else if (const auto *label = qobject_cast<const QLabel *>(widget))
            line += u' ' + label->text();
        lines.append(line);
        if (const auto *button = qobject_cast<const QToolButton *>(widget); button && button->menu()) {
            emit button->menu()->aboutToShow();
            for (const QAction *entry : button->menu()->actions())
                lines.append(QStringLiteral("  %1 %2 %3")
                                 .arg(entry->text())
                                 .arg(entry->isSeparator())
                                 .arg(entry->isChecked()));
        }
    }
    return lines;
}

// The map screen is kept while its universe is open: after each change of the
// factions, faction lists and labels (the first and the last of each, one at a time
// and the whole list at once), its column shows what a new map screen's shows.
TEST(StarMapViewMenuTest, TheKeptColumnShowsWhatANewOneShows)
{
    MapFixture map({hex(at(1, 1))});
    const Faction first = faction(QStringLiteral("First"), QStringLiteral("FI"));
    const Faction second = faction(QStringLiteral("Second"), QStringLiteral("SE"));
    const FactionList pair{QUuid::createUuid(), QStringLiteral("Pair"), {first.id, second.id}};
    StarmapLabel port;
    port.category = QStringLiteral("Ports");
    StarmapLabel sector = port;
    sector.id = QUuid::createUuid();
    sector.category = QStringLiteral("Sectors");
    StarfarerUniverse &u = map.universe;
    const std::vector<std::pair<const char *, std::function<void()>>> steps{
        {"first faction", [&] { u.insertObject(first); }},
        {"last faction removed", [&] { u.removeObject<Faction>(first.id); }},
        {"first factions appended",
         [&] {
             u.insertObjects(QList<Faction>{first, second});
         }},
        {"one chosen", [&] { u.setSelectedFactionIDs({first.id}); }},
        {"first list", [&] { u.insertObject(pair); }},
        {"both chosen",
         [&] {
             u.setSelectedFactionIDs({first.id, second.id});
         }},
        {"chosen renamed",
         [&] { u.replaceObject(Faction(aFaction(QStringLiteral("Renamed")).id(first.id))); }},
        {"last list removed", [&] { u.removeObject<FactionList>(pair.id); }},
        {"every faction at once", [&] { u.setFactions({}); }},
        {"choice cleared", [&] { u.setSelectedFactionIDs({}); }},
        {"factions back at once", [&] { u.setFactions({second}); }},
        {"last faction removed again", [&] { u.removeObject<Faction>(second.id); }},
        {"first label", [&] { u.insertObject(port); }},
        {"second category", [&] { u.insertObject(sector); }},
        {"last of a category removed", [&] { u.removeObject<StarmapLabel>(sector.id); }},
        {"every label at once", [&] { u.setStarmapLabels({}); }},
    };
    for (const auto &[name, step] : steps) {
        step();
        StarMapView fresh(&u, &map.router, 60, 2);
        EXPECT_EQ(shownBy(*map.view->viewMenu()), shownBy(*fresh.viewMenu())) << name;
    }
}

// Factions deleted while they filter the map leave the filter's reset, so that the
// hidden systems can be shown again.
TEST(StarMapViewMenuTest, AFilterOfDeletedFactionsCanStillBeReset)
{
    const Faction gone = aFaction(QStringLiteral("Gone")).shortName(QStringLiteral("GN"));
    MapFixture map({hex(at(1, 1))});
    map.universe.setFactions({gone});
    map.universe.setSelectedFactionIDs({gone.id});
    map.universe.setFactions({});
    StarMapViewMenu *menu = map.view->viewMenu();
    auto *reset = menu->body()->findChild<QToolButton *>(QStringLiteral("factionReset"));
    ASSERT_NE(reset, nullptr);
    ASSERT_TRUE(reset->isEnabled());
    reset->click();
    EXPECT_TRUE(map.universe.selectedFactionIDs().isEmpty());
    // With no factions and nothing chosen, there is nothing left to filter by.
    EXPECT_EQ(menu->body()->findChild<QToolButton *>(QStringLiteral("factionReset")), nullptr);
}

// The column and the card kept by a map through random changes of every kind they read
// — the first faction, faction list and label made in an empty universe, the last of
// each removed, whole lists set at once, the rules turned, every setting — while systems
// are chosen on the map now and then: after each change they show what a column and a
// card made afresh show.
TEST(StarMapViewMenuTest, TheKeptColumnAndCardShowWhatNewOnesShowAfterEveryChange)
{
    const QList<GalacticCoordinates> places{at(1, 1), at(2, 1), at(1, 2), at(3, 3)};
    for (const unsigned seed : {1u, 2u, 3u, 4u, 5u}) {
        SCOPED_TRACE(seed);
        MapFixture map({});
        RandomMapEdits edits(map.universe, seed, places);
        for (int step = 0; step < 250 && !::testing::Test::HasFailure(); ++step) {
            if (step == 150)
                edits.beginEmptying();
            if (edits.chance(4))
                map.click(edits.somePlace());
            const std::string edit = edits.anyStep();
            const StarMapVisibleSets sets(&map.universe, 60);
            const StarMapViewMenu fresh(&map.universe, &sets);
            ASSERT_EQ(shownBy(*map.view->viewMenu()), shownBy(fresh)) << "step " << step << ": " << edit;
            const std::optional<GalacticCoordinates> chosen = map.view->selectedCoordinate();
            const MapSystem *system = chosen ? sets.systems().at(*chosen) : nullptr;
            ASSERT_EQ(map.view->overlayCard() != nullptr, system != nullptr)
                << "step " << step << ": " << edit;
            if (system) {
                const SystemOverlayCard card(&map.universe, system->hex, map.universe.mapViewMode(), {},
                                             &map.router, 360, {});
                ASSERT_EQ(labelTexts(map.view->overlayCard()), labelTexts(&card))
                    << "step " << step << ": " << edit;
            }
        }
    }
}

} // namespace
