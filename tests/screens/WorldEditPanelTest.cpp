#include "screens/WorldEditPanel.h"
#include "ScreenTestSupport.h"
#include "model/UWPDescriptions.h"
#include "screens/ParameterView.h"
#include "screens/ParametersView.h"
#include "screens/UWPView.h"
#include "screens/WorldEditOptions.h"
#include "screens/WorldEditRow.h"
#include "ui/Chip.h"
#include "ui/FactionBadge.h"
#include "ui/PaletteColor.h"
#include "universe/StarfarerUniverse.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

using namespace screen_test;

namespace {

WorldEditRow *row(const QWidget &panel, const QString &title)
{
    for (WorldEditRow *candidate : panel.findChildren<WorldEditRow *>()) {
        if (candidate->title() == title)
            return candidate;
    }
    return nullptr;
}

ParameterView *tile(const QWidget &panel, const QString &title)
{
    for (ParameterView *candidate : panel.findChildren<ParameterView *>()) {
        if (candidate->title() == title)
            return candidate;
    }
    return nullptr;
}

ParametersView *multiTile(const QWidget &panel, const QString &firstTitle)
{
    for (ParametersView *candidate : panel.findChildren<ParametersView *>()) {
        if (candidate->titles().value(0) == firstTitle)
            return candidate;
    }
    return nullptr;
}

QStringList chipTexts(const QWidget &panel, const char *section)
{
    QStringList texts;
    const auto *container = panel.findChild<QWidget *>(QString::fromLatin1(section));
    for (const Chip *chip : container->findChildren<Chip *>())
        texts.append(chip->text());
    return texts;
}

Faction faction(const QString &name, const QString &shortName,
                FactionCategory category = FactionCategory::other)
{
    Faction f;
    f.id = QUuid::createUuid();
    f.name = name;
    f.shortName = shortName;
    f.category = category;
    return f;
}

// A system at one hex whose main world uses the given tech level, which decides the
// universe's rule flavour.
HexData hexWithMainWorld(TechnologyLevel level)
{
    WorldData main = world();
    main.mainWorld = true;
    main.uwp.techLevel = level;
    Star primary = star(SpectralType::G, 2, LuminosityClass::V);
    primary.worlds = {main};
    HexData hex;
    hex.id = QUuid::createUuid();
    hex.coordinates = GalacticCoordinates{0, 0, 1, 1};
    hex.starSystem.id = QUuid::createUuid();
    hex.starSystem.stars = {primary};
    return hex;
}

} // namespace

class WorldEditPanelTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        useEnglishNumbers();
        m_universe = std::make_unique<StarfarerUniverse>(UniverseFolder(m_folder.path()));
    }

    std::unique_ptr<WorldEditPanel> panel(const WorldData &w, qint64 belts = 1, qint64 gasGiants = 2)
    {
        return std::make_unique<WorldEditPanel>(m_universe.get(), w, belts, gasGiants, 500, 150);
    }

    // Picks an entry of a row's menu the way the user does, and returns the one world
    // the panel handed back.
    WorldData pick(WorldEditPanel &p, const QString &title, const QString &option)
    {
        QSignalSpy spy(&p, &WorldEditPanel::worldEdited);
        QAction *action = actionNamed(row(p, title)->menu(), option);
        EXPECT_NE(action, nullptr) << option.toStdString();
        if (action)
            action->trigger();
        EXPECT_EQ(spy.count(), 1);
        return spy.isEmpty() ? WorldData() : spy.first().first().value<WorldData>();
    }

    QTemporaryDir m_folder;
    std::unique_ptr<StarfarerUniverse> m_universe;
};

TEST_F(WorldEditPanelTest, ProfileBoxShowsTheWholeLineWithTheSystemCounts)
{
    WorldData w = world({8, 6, 7, 9, 10, 11});
    w.uwp.starport = Starport::typeA;
    w.uwp.techLevel = TechnologyLevel::ttl12;
    w.uwp.bases = {Base::imperialNavalBase, Base::scoutBase};
    w.uwp.populationMultiplier = 3;
    w.tradeClasses = {TradeClass::highPopulation, TradeClass::industrial};
    auto p = panel(w, 1, 2);
    const UWPView *profile = p->findChild<UWPView *>();
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->text(), QStringLiteral("A8679AB-C NS 312 D:24h\\Y:83d [Hi In]"));

    p->setSystemCounts(10, 0);
    EXPECT_EQ(profile->text(), QStringLiteral("A8679AB-C NS 3A0 D:24h\\Y:83d [Hi In]"));
}

TEST_F(WorldEditPanelTest, LoadingAWorldNeitherReportsNorClampsIt)
{
    // Codes beyond what the pickers offer, as an imported world may hold.
    WorldData w = world({8, 40, 7, 25, 30, 40});
    w.tradeClasses = {TradeClass::garden};
    auto p = panel(world());
    QSignalSpy spy(p.get(), &WorldEditPanel::worldEdited);
    p->setWorld(w);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(p->world(), w);
    EXPECT_EQ(row(*p, QStringLiteral("Government"))->valueText(), governmentLongDescription(w.uwp));

    // The option lists still offer something and mark nothing.
    for (const char *title : {"Hydrographics", "Government", "Law Level"}) {
        const WorldEditRow *r = row(*p, QString::fromLatin1(title));
        EXPECT_FALSE(r->menu()->actions().isEmpty()) << title;
        EXPECT_TRUE(checkedTexts(r->menu()).isEmpty()) << title;
    }
}

TEST_F(WorldEditPanelTest, OptionsRunFromTheLowToTheHighCode)
{
    const struct
    {
        Codes codes;
        const char *title;
        qint64 first, last;
    } cases[] = {
        {{3, 0, 0, 0, 0, 0}, "Size", 0, 16},
        {{0, 0, 0, 0, 0, 0}, "Atmosphere", 0, 0}, // size 0 offers atmosphere 0 only
        {{1, 0, 0, 0, 0, 0}, "Atmosphere", 0, 6},
        {{16, 12, 0, 0, 0, 0}, "Atmosphere", 11, 15},
        {{8, 6, 7, 0, 0, 0}, "Population", 0, 15},
        {{8, 6, 7, 0, 0, 0}, "Government", 0, 5},
        {{8, 6, 7, 15, 12, 12}, "Government", 10, 15},
        {{8, 6, 7, 3, 0, 0}, "Law Level", 0, 5},
        {{8, 6, 7, 12, 15, 12}, "Law Level", 10, 18},
        {{1, 0, 0, 0, 0, 0}, "Hydrographics", 0, 0}, // small worlds hold no water
        {{8, 1, 0, 0, 0, 0}, "Hydrographics", 0, 2},
        {{8, 6, 5, 0, 0, 0}, "Hydrographics", 1, 10},
        {{8, 0, 0, 0, 0, 0}, "Hydrographics", 0, 1},
        {{8, 15, 8, 0, 0, 0}, "Hydrographics", 6, 10},
    };
    auto p = panel(world());
    for (const auto &c : cases) {
        p->setWorld(world(c.codes));
        const QStringList texts = actionTexts(row(*p, QString::fromLatin1(c.title))->menu());
        const std::string where = std::string(c.title) + " of size " + std::to_string(c.codes.size);
        ASSERT_EQ(texts.size(), c.last - c.first + 1) << where;
        EXPECT_TRUE(texts.first().startsWith(QString::number(c.first) + QStringLiteral(": "))) << where;
        EXPECT_TRUE(texts.last().startsWith(QString::number(c.last) + QStringLiteral(": "))) << where;
    }
}

TEST_F(WorldEditPanelTest, OptionTextsPairTheCodeWithItsDescription)
{
    WorldData w = world();
    w.uwp.starport = Starport::typeF;
    auto p = panel(w);
    const QStringList ports = actionTexts(row(*p, QStringLiteral("Starport"))->menu());
    EXPECT_EQ(ports, (strings({"A: Excellent", "B: Good", "C: Routine", "D: Poor", "E: Frontier", "X: None",
                               "F: Good (Sp)", "G: Poor (Sp)", "H: Basic (Sp)", "Y: None (Sp)"})));
    EXPECT_EQ(checkedTexts(row(*p, QStringLiteral("Starport"))->menu()), strings({"F: Good (Sp)"}));
    EXPECT_EQ(actionTexts(row(*p, QStringLiteral("Size"))->menu()).at(10),
              QStringLiteral("10: ") + sizeDescription(10));
    EXPECT_EQ(checkedTexts(row(*p, QStringLiteral("Size"))->menu()),
              QStringList{QStringLiteral("8: ") + sizeDescription(8)});
}

TEST_F(WorldEditPanelTest, TechLevelsFollowTheWorldsOwnScale)
{
    m_universe->setData({hexWithMainWorld(TechnologyLevel::tl3)}); // a coarse-scale universe
    WorldData traveller = world();
    traveller.uwp.techLevel = TechnologyLevel::ttl12;
    auto p = panel(traveller);
    QStringList texts = actionTexts(row(*p, QStringLiteral("Tech Level"))->menu());
    ASSERT_EQ(texts.size(), 23);
    EXPECT_EQ(texts.first(), QStringLiteral("TL0: Primitive"));
    EXPECT_EQ(texts.last(), QStringLiteral("TL22: Fantastic Technology"));
    EXPECT_EQ(row(*p, QStringLiteral("Tech Level"))->valueText(), QStringLiteral("Average Stellar"));

    WorldData coarse = world();
    coarse.uwp.techLevel = TechnologyLevel::tl4Plus;
    p->setWorld(coarse);
    texts = actionTexts(row(*p, QStringLiteral("Tech Level"))->menu());
    EXPECT_EQ(texts, strings({"0: Neolithic", "1: Pre-Gunpowder", "2: Early Industrial", "3: 21st Century",
                              "4: Postech", "4+: Postech-Plus", "5: Pretech", "6: Pretech-Plus"}));
    EXPECT_EQ(checkedTexts(row(*p, QStringLiteral("Tech Level"))->menu()), strings({"4+: Postech-Plus"}));
}

TEST_F(WorldEditPanelTest, GravityIsEditableOnlyFromSizeOneToSixteen)
{
    auto p = panel(world());
    for (const qint64 size : {0, 1, 8, 16, 17, 20}) {
        WorldData w = world({size, 0, 0, 0, 0, 0});
        p->setWorld(w);
        const bool editable = size >= 1 && size <= 16;
        const WorldEditRow *gravity = row(*p, QStringLiteral("Gravity"));
        EXPECT_EQ(gravity->isEditable(), editable) << size;
        EXPECT_EQ(gravity->menuButton()->isVisibleTo(p.get()), editable) << size;
        EXPECT_EQ(gravity->valueText(), surfaceGravity(w.uwp) + QStringLiteral(" G")) << size;
    }
    // Size 0 reads as negligible and ignores a gravity written to it.
    p->setWorld(world({0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(row(*p, QStringLiteral("Gravity"))->valueText(), QStringLiteral("Negligible G"));
    const WorldData before = p->world();
    QSignalSpy spy(p.get(), &WorldEditPanel::worldEdited);
    p->setGravity(1.0);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(p->world(), before);
}

TEST_F(WorldEditPanelTest, TheGravityMenuMarksTheNearestDensityAndATieKeepsTheLowerOne)
{
    // Size 8: the gravity equals the density; planet densities are 0.85 to 1.05. A belt
    // of size 1 has one density, 0.5: 0.0625 G.
    const struct
    {
        WorldType type;
        qint64 size;
        double density;
        QStringList options; // empty: not checked again
        const char *marked;
    } cases[] = {
        {WorldType::asteroidBelt, 1, 0.5, strings({"0.06 G"}), "0.06 G"},
        {WorldType::planet, 8, 0.87, strings({"0.85 G", "0.90 G", "0.95 G", "1.00 G", "1.05 G"}), "0.85 G"},
        {WorldType::planet, 8, 0.875, {}, "0.85 G"},
        {WorldType::planet, 8, 3.0, {}, "1.05 G"}, // far above every option: the highest is nearest
    };
    auto p = panel(world());
    for (const auto &c : cases) {
        WorldData w = world({c.size, 0, 0, 0, 0, 0});
        w.type = c.type;
        w.uwp.density = c.density;
        p->setWorld(w);
        const QMenu *menu = row(*p, QStringLiteral("Gravity"))->menu();
        if (!c.options.isEmpty()) {
            EXPECT_EQ(actionTexts(menu), c.options) << c.density;
        }
        EXPECT_EQ(checkedTexts(menu), strings({c.marked})) << c.density;
    }
}

TEST_F(WorldEditPanelTest, PickingAGravityStoresItsDensityAndNothingElse)
{
    WorldData w = world({4, 3, 2, 5, 5, 5});
    w.tradeClasses = {TradeClass::garden}; // deliberately stale: gravity must not recompute
    auto p = panel(w);
    // Size 4: gravity = density / 2.
    const WorldData edited = pick(*p, QStringLiteral("Gravity"), QStringLiteral("0.50 G"));
    EXPECT_NEAR(edited.uwp.density, 1.0, 1e-9);
    EXPECT_EQ(edited.tradeClasses, QList<TradeClass>{TradeClass::garden});
    EXPECT_EQ(checkedTexts(row(*p, QStringLiteral("Gravity"))->menu()), strings({"0.50 G"}));
}

TEST_F(WorldEditPanelTest, EachPickHandsBackOneWorldWithTheCodesBelowClamped)
{
    const struct
    {
        Codes before;
        const char *title;
        QString option;
        Codes after;
    } cases[] = {
        // Size 3 allows atmosphere up to 8, which allows hydrographics 3 to 10.
        {{8, 10, 9, 8, 12, 15}, "Size", QStringLiteral("3: ") + sizeDescription(3), {3, 8, 9, 8, 12, 15}},
        // Population 2 allows government up to 7, which allows law up to 12.
        {{8, 6, 7, 12, 12, 17},
         "Population",
         QStringLiteral("2: ") + populationDescription(2),
         {8, 6, 7, 2, 7, 12}},
        {{}, "Atmosphere", QStringLiteral("5: ") + atmosphereDescription(5), {8, 5, 7, 8, 4, 4}},
        {{}, "Hydrographics", QStringLiteral("4: ") + hydrographicsDescription(4), {8, 6, 4, 8, 4, 4}},
        {{}, "Government", QStringLiteral("6: ") + governmentDescription(6), {8, 6, 7, 8, 6, 4}},
        {{}, "Law Level", QStringLiteral("2: ") + lawLevelDescription(2), {8, 6, 7, 8, 4, 2}},
    };
    for (const auto &c : cases) {
        WorldData w = world(c.before);
        w.tradeClasses = {TradeClass::capital}; // stale: every profile edit decides them again
        auto p = panel(w);
        const WorldData edited = pick(*p, QString::fromLatin1(c.title), c.option);
        const UWP &uwp = edited.uwp;
        EXPECT_EQ((Codes{uwp.size, uwp.atmosphere, uwp.hydrographics, uwp.population, uwp.government,
                         uwp.lawLevel}),
                  c.after)
            << c.title;
        EXPECT_EQ(edited.tradeClasses, tradeClasses(uwp, edited.climateZone(), edited.tideLocked)) << c.title;
        EXPECT_EQ(p->world(), edited);
        EXPECT_EQ(checkedTexts(row(*p, QString::fromLatin1(c.title))->menu()), QStringList{c.option});
    }
}

TEST_F(WorldEditPanelTest, StarportAndTechLevelPicksAndTheTradeClassesTheyGive)
{
    // Size 8, atmosphere 6, hydrographics 7, population 9, government 4, TL12 in the
    // temperate zone: Ga, Hi, Pr, Ht.
    WorldData w = world({8, 6, 7, 8, 4, 4});
    w.tradeClasses = {TradeClass::capital};
    auto p = panel(w);
    const WorldData edited =
        pick(*p, QStringLiteral("Population"), QStringLiteral("9: ") + populationDescription(9));
    EXPECT_EQ(edited.tradeClasses, (QList<TradeClass>{TradeClass::garden, TradeClass::highPopulation,
                                                      TradeClass::preRich, TradeClass::highTechnology}));
    EXPECT_EQ(tile(*p, QStringLiteral("Trade Classes"))->parameter(),
              QStringLiteral("Garden World, High Population, Pre-Rich, High Technology"));

    EXPECT_EQ(pick(*p, QStringLiteral("Starport"), QStringLiteral("C: Routine")).uwp.starport,
              Starport::typeC);
    EXPECT_EQ(row(*p, QStringLiteral("Starport"))->valueText(), QStringLiteral("Routine"));
    EXPECT_EQ(pick(*p, QStringLiteral("Tech Level"), QStringLiteral("TL9: Pre-Stellar")).uwp.techLevel,
              TechnologyLevel::ttl9);
}

TEST_F(WorldEditPanelTest, BasesReadInBaseOrderAndToggleFromTheMenu)
{
    WorldData w = world();
    w.tradeClasses = {TradeClass::garden};
    auto p = panel(w);
    WorldEditRow *bases = row(*p, QStringLiteral("Bases"));
    EXPECT_EQ(bases->valueText(), QStringLiteral("None"));
    const QStringList texts = actionTexts(bases->menu());
    ASSERT_EQ(texts.size(), 11);
    EXPECT_EQ(texts.first(), QStringLiteral("C: Corsair Base"));
    EXPECT_EQ(texts.at(7), QStringLiteral("S: Scout Base"));

    pick(*p, QStringLiteral("Bases"), QStringLiteral("S: Scout Base"));
    const WorldData edited = pick(*p, QStringLiteral("Bases"), QStringLiteral("K: Naval Base"));
    EXPECT_EQ(edited.uwp.bases, (QSet<Base>{Base::scoutBase, Base::navalBase}));
    EXPECT_EQ(edited.tradeClasses, QList<TradeClass>{TradeClass::garden});
    EXPECT_EQ(bases->valueText(), QStringLiteral("Naval Base, Scout Base"));
    // Held bases carry a check mark; the others none.
    for (const QAction *action : bases->menu()->actions()) {
        const bool held = action->text() == QStringLiteral("S: Scout Base") ||
                          action->text() == QStringLiteral("K: Naval Base");
        EXPECT_EQ(!action->icon().isNull(), held) << action->text().toStdString();
    }

    const WorldData removed = pick(*p, QStringLiteral("Bases"), QStringLiteral("S: Scout Base"));
    EXPECT_EQ(removed.uwp.bases, QSet<Base>{Base::navalBase});
}

TEST_F(WorldEditPanelTest, ReadOnlyTilesFollowTheProfile)
{
    WorldData w = world();
    w.uwp.density = 1.05;
    w.tideLocked = true;
    w.dayLength = 720;
    w.yearLength = 2000;
    auto p = panel(w);
    EXPECT_EQ(tile(*p, QStringLiteral("Pressure"))->parameter(), atmosphericPressure(w.uwp));
    EXPECT_EQ(tile(*p, QStringLiteral("Gear Required"))->parameter(), requiredGear(w.uwp));
    EXPECT_EQ(tile(*p, QStringLiteral("Trade Classes"))->parameter(), QString());
    const ParametersView *density = multiTile(*p, QStringLiteral("Density"));
    ASSERT_NE(density, nullptr);
    EXPECT_EQ(density->parameters(), QList<ParameterValue>{ParameterValue(
                                         QStringLiteral("1.05 "), Symbol::eCircle, QStringLiteral("ρ"))});
    const ParametersView *dayYear = multiTile(*p, QStringLiteral("Day length"));
    ASSERT_NE(dayYear, nullptr);
    EXPECT_EQ(dayYear->titles(), (strings({"Day length", "Year length"})));
    EXPECT_EQ(dayYear->parameters(), (QList<ParameterValue>{QStringLiteral("30 Std. days (tide-locked)"),
                                                            QStringLiteral("83 Std. days")}));

    w.dayLength = w.yearLength;
    w.tradeClasses = {TradeClass::highPopulation};
    p->setWorld(w);
    EXPECT_EQ(dayYear->parameters().first().text, QStringLiteral("Tide-locked (no day/night)"));
    EXPECT_EQ(tile(*p, QStringLiteral("Trade Classes"))->parameter(), QStringLiteral("High Population"));

    w.tideLocked = false;
    w.dayLength = 30;
    p->setWorld(w);
    EXPECT_EQ(dayYear->parameters().first().text, QStringLiteral("30 Std. hr"));
}

TEST_F(WorldEditPanelTest, NameAndNotesAreWrittenOnEveryKeystroke)
{
    auto p = panel(world());
    auto *name = p->findChild<QLineEdit *>();
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->placeholderText(), QStringLiteral("World Name"));
    QSignalSpy spy(p.get(), &WorldEditPanel::worldEdited);
    QTest::keyClicks(name, QStringLiteral("Regina"));
    EXPECT_EQ(spy.count(), 6);
    EXPECT_EQ(spy.last().first().value<WorldData>().name, QStringLiteral("Regina"));

    auto *notes = p->findChild<QPlainTextEdit *>();
    ASSERT_NE(notes, nullptr);
    EXPECT_EQ(notes->placeholderText(), QStringLiteral("World Notes"));
    spy.clear();
    QTest::keyClicks(notes, QStringLiteral("ab"));
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(p->world().notes, QStringLiteral("ab"));

    // Showing another world's name and notes is not an edit.
    spy.clear();
    WorldData other = world();
    other.name = QStringLiteral("Efate");
    other.notes = QStringLiteral("Scout base");
    p->setWorld(other);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(name->text(), QStringLiteral("Efate"));
    EXPECT_EQ(notes->toPlainText(), QStringLiteral("Scout base"));
}

TEST_F(WorldEditPanelTest, PeoplesMenuFollowsTheUniversesRules)
{
    // Without Traveller rules the coarse flavour's peoples are offered.
    WorldData w = world();
    w.prevalentRace = Race::vrusk;
    auto p = panel(w);
    const auto *peoples = p->findChild<QToolButton *>(QStringLiteral("peoplesMenu"));
    ASSERT_NE(peoples, nullptr);
    const QStringList coarse = actionTexts(peoples->menu());
    EXPECT_TRUE(coarse.contains(QStringLiteral("Vrusk")));
    EXPECT_EQ(coarse.size(), 15);

    // The flavour follows the universe's first system as it changes; a people of the
    // other flavour is kept and shown.
    m_universe->setData({hexWithMainWorld(TechnologyLevel::ttl10)});
    peoples = p->findChild<QToolButton *>(QStringLiteral("peoplesMenu"));
    EXPECT_EQ(peoples->text(), QStringLiteral("PR: Vrusk"));
    EXPECT_EQ(actionTexts(peoples->menu()),
              (strings({"Aslan", "Corporation", "Droyne", "Hiver", "Human", "K'kree", "Mixed", "None",
                        "Solomani", "Unknown", "Vargr", "Vilani", "Zhodani"})));
    for (const QAction *action : peoples->menu()->actions())
        EXPECT_FALSE(action->isChecked() || !action->icon().isNull());

    QSignalSpy spy(p.get(), &WorldEditPanel::worldEdited);
    actionNamed(peoples->menu(), QStringLiteral("K'kree"))->trigger();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.first().first().value<WorldData>().prevalentRace, Race::kkree);
    EXPECT_EQ(peoples->text(), QStringLiteral("PR: K'kree"));
}

TEST_F(WorldEditPanelTest, WithoutAUniverseThereAreNoFactionsToOffer)
{
    WorldData w = world();
    w.factionIDs = {QUuid::createUuid()};
    WorldEditPanel p(nullptr, w, 0, 0, 400, 100);
    EXPECT_TRUE(actionTexts(p.findChild<QToolButton *>(QStringLiteral("factionsMenu"))->menu()).isEmpty());
    EXPECT_TRUE(chipTexts(p, "factionsSection").isEmpty());
    p.clearFactions();
    EXPECT_TRUE(p.world().factionIDs.isEmpty());
}

// ---- World tags ----

TEST(WorldEditTagTitle, TagsReadAsCapitalisedWordsAndGovernmentTypesAsStored)
{
    const struct
    {
        WorldTag tag;
        const char *title;
    } cases[] = {
        {WorldTag::civilWar, "Civil War"},     {WorldTag::area51, "Area 51"},
        {WorldTag::unbrakedAI, "Unbraked Ai"}, {WorldTag::slfSCC, "Slf Scc"},
        {WorldTag::hatred, "Hatred"},          {WorldTag::twinWorld, "Twin World"},
        {WorldTag::gov0, "No Government"},     {WorldTag::gov1, "Governed by corporation"},
        {WorldTag::gov7, "Balkanization"},     {WorldTag::reserved, "Reserved"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(WorldEditOptions::tagTitle(c.tag), QString::fromUtf8(c.title)) << c.title;
}

TEST_F(WorldEditPanelTest, TagMenuCountsTheTagsAndChipsKeepTheWorldsOrder)
{
    auto p = panel(world());
    const auto *menu = p->findChild<QToolButton *>(QStringLiteral("worldTagsMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->text(), QStringLiteral("World Tags"));
    EXPECT_TRUE(chipTexts(*p, "worldTagsSection").isEmpty());

    WorldData w = world();
    w.worldTags = {WorldTag::gov7, WorldTag::civilWar, WorldTag::area51};
    p->setWorld(w);
    EXPECT_EQ(menu->text(), QStringLiteral("World Tags (3)"));
    EXPECT_EQ(chipTexts(*p, "worldTagsSection"), strings({"Balkanization", "Civil War", "Area 51"}));
}

TEST_F(WorldEditPanelTest, TagMenuHasOneSubmenuPerCategoryWithoutGovernmentTypes)
{
    auto p = panel(world());
    const QMenu *menu = p->findChild<QToolButton *>(QStringLiteral("worldTagsMenu"))->menu();
    EXPECT_EQ(actionTexts(menu),
              strings({"Environment", "Society & Politics", "Power & Conflict", "People & Species",
                       "Economy & Tech", "Mystery & Peril", "Travel Zones"}));
    int offered = 0;
    for (const QAction *category : menu->actions()) {
        // "Society & Politics" must not become a mnemonic on "P".
        EXPECT_TRUE(QKeySequence::mnemonic(category->text()).isEmpty()) << category->iconText().toStdString();
        const QStringList tags = actionTexts(category->menu());
        offered += static_cast<int>(tags.size());
        EXPECT_FALSE(tags.contains(QStringLiteral("Balkanization")));
        EXPECT_FALSE(tags.contains(QStringLiteral("No Government")));
    }
    EXPECT_EQ(offered, 127);
}

TEST_F(WorldEditPanelTest, ChoosingAHeldTagRemovesItAndChoosingAgainAppendsIt)
{
    WorldData w = world();
    w.worldTags = {WorldTag::civilWar, WorldTag::hatred};
    w.tradeClasses = {TradeClass::garden};
    auto p = panel(w);
    auto civilWar = [&p]() -> QAction * {
        const QMenu *menu = p->findChild<QToolButton *>(QStringLiteral("worldTagsMenu"))->menu();
        const QAction *power = actionNamed(menu, QStringLiteral("Power & Conflict"));
        return power ? actionNamed(power->menu(), QStringLiteral("Civil War")) : nullptr;
    };
    ASSERT_NE(civilWar(), nullptr);
    EXPECT_FALSE(civilWar()->icon().isNull()); // held: checked

    QSignalSpy spy(p.get(), &WorldEditPanel::worldEdited);
    civilWar()->trigger();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.last().first().value<WorldData>().worldTags, QList<WorldTag>{WorldTag::hatred});
    EXPECT_TRUE(civilWar()->icon().isNull());

    civilWar()->trigger();
    ASSERT_EQ(spy.count(), 2);
    const WorldData edited = spy.last().first().value<WorldData>();
    EXPECT_EQ(edited.worldTags, (QList<WorldTag>{WorldTag::hatred, WorldTag::civilWar}));
    EXPECT_EQ(edited.tradeClasses, QList<TradeClass>{TradeClass::garden});
    EXPECT_EQ(chipTexts(*p, "worldTagsSection"), strings({"Hatred", "Civil War"}));
}

TEST_F(WorldEditPanelTest, TheDiceLeaveExactlyTwoDifferentTagsFromTheMenuCategories)
{
    WorldData w = world();
    w.worldTags = {WorldTag::civilWar, WorldTag::gov3, WorldTag::hatred, WorldTag::robots, WorldTag::plague};
    auto p = panel(w);
    auto *dice = p->findChild<QToolButton *>(QStringLiteral("randomTagsButton"));
    ASSERT_NE(dice, nullptr);
    for (quint64 seed = 1; seed <= 40; ++seed) {
        SeededSource source(seed);
        ScopedRandomSource scope(source);
        QSignalSpy spy(p.get(), &WorldEditPanel::worldEdited);
        dice->click();
        ASSERT_EQ(spy.count(), 1);
        const QList<WorldTag> tags = spy.first().first().value<WorldData>().worldTags;
        ASSERT_EQ(tags.size(), 2);
        EXPECT_NE(tags.at(0), tags.at(1));
        for (const WorldTag tag : tags)
            EXPECT_NE(category(tag), WorldTagCategory::government);
        EXPECT_EQ(p->findChild<QToolButton *>(QStringLiteral("worldTagsMenu"))->text(),
                  QStringLiteral("World Tags (2)"));
    }
}

TEST_F(WorldEditPanelTest, TheDiceShuffleTheWholePool)
{
    // Scripted draws of 0 keep the pool in order: the first two tags of the first
    // category. Draws at the top of each range move the last tags to the front.
    class Scripted : public RandomSource
    {
    public:
        explicit Scripted(bool top) : m_top(top) {}
        quint64 next64() override { return 0; }
        qint64 below(qint64 bound) override { return m_top ? bound - 1 : 0; }

    private:
        bool m_top;
    };
    auto p = panel(world());
    const QList<WorldTag> environment = tags(WorldTagCategory::environment);
    {
        Scripted zeros(false);
        ScopedRandomSource scope(zeros);
        p->randomTags();
    }
    EXPECT_EQ(p->world().worldTags, environment.mid(0, 2));
    {
        Scripted tops(true);
        ScopedRandomSource scope(tops);
        p->randomTags();
    }
    // Swapping each entry with the last moves the last tag of the last menu category
    // to the front, and the first tag of all into second place.
    const QList<WorldTag> zone = tags(WorldTagCategory::zone);
    EXPECT_EQ(p->world().worldTags, (QList<WorldTag>{zone.last(), environment.first()}));
}

// ---- Factions ----

TEST_F(WorldEditPanelTest, FactionMenuIsSortedByLowerCasedName)
{
    m_universe->setFactions({faction(QStringLiteral("beta"), QStringLiteral("B")),
                             faction(QStringLiteral("Alpha"), QStringLiteral("A")),
                             faction(QStringLiteral("alpha2"), QStringLiteral("A2"))});
    auto p = panel(world());
    const auto *menu = p->findChild<QToolButton *>(QStringLiteral("factionsMenu"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->text(), QStringLiteral("Factions"));
    EXPECT_EQ(actionTexts(menu->menu()), strings({"Alpha (A)", "alpha2 (A2)", "beta (B)"}));
}

TEST_F(WorldEditPanelTest, AddingAFactionTwiceKeepsOneIdAndClearEmptiesTheList)
{
    const Faction zhodani =
        faction(QStringLiteral("Zhodani Consulate"), QStringLiteral("Zh"), FactionCategory::political);
    const Faction imperium = faction(QStringLiteral("Third Imperium"), QStringLiteral("Im"));
    m_universe->setFactions({zhodani, imperium});
    auto p = panel(world());
    QSignalSpy spy(p.get(), &WorldEditPanel::worldEdited);
    const QMenu *menu = p->findChild<QToolButton *>(QStringLiteral("factionsMenu"))->menu();
    actionNamed(menu, QStringLiteral("Zhodani Consulate (Zh)"))->trigger();
    menu = p->findChild<QToolButton *>(QStringLiteral("factionsMenu"))->menu();
    actionNamed(menu, QStringLiteral("Zhodani Consulate (Zh)"))->trigger();
    EXPECT_EQ(spy.count(), 1);
    p->addFaction(imperium);
    EXPECT_EQ(spy.count(), 2);
    EXPECT_EQ(p->world().factionIDs, (QList<QUuid>{zhodani.id, imperium.id}));
    EXPECT_EQ(chipTexts(*p, "factionsSection"), strings({"Zh", "Im"}));

    auto *clear = p->findChild<QToolButton *>(QStringLiteral("clearFactionsButton"));
    ASSERT_NE(clear, nullptr);
    clear->click();
    EXPECT_EQ(spy.count(), 3);
    EXPECT_TRUE(spy.last().first().value<WorldData>().factionIDs.isEmpty());
    EXPECT_TRUE(chipTexts(*p, "factionsSection").isEmpty());
}

TEST_F(WorldEditPanelTest, AFactionChipShowsTheShortCodeOnTheFactionsColour)
{
    Faction zhodani =
        faction(QStringLiteral("Zhodani Consulate"), QStringLiteral("Zh"), FactionCategory::political);
    zhodani.color = FactionColor::blue;
    m_universe->setFactions({zhodani});
    WorldData w = world();
    w.factionIDs = {zhodani.id};
    auto p = panel(w);
    const QList<Chip *> chips =
        p->findChild<QWidget *>(QStringLiteral("factionsSection"))->findChildren<Chip *>();
    ASSERT_EQ(chips.size(), 1);
    EXPECT_EQ(chips.first()->fill(), paletteColor(FactionColor::blue));
    const auto *badge = chips.first()->findChild<FactionBadge *>();
    ASSERT_NE(badge, nullptr);
    EXPECT_EQ(badge->text(), QStringLiteral("Zh"));
    bool named = false;
    for (const QLabel *label : badge->findChildren<QLabel *>())
        named = named || label->toolTip() == QStringLiteral("Zhodani Consulate");
    EXPECT_TRUE(named);
}

TEST_F(WorldEditPanelTest, AnIdWithoutAFactionShowsNoChipButStaysUntilCleared)
{
    const Faction kept = faction(QStringLiteral("Sword Worlds"), QStringLiteral("Sw"));
    const Faction deleted = faction(QStringLiteral("Darrians"), QStringLiteral("Da"));
    m_universe->setFactions({kept, deleted});
    WorldData w = world();
    w.factionIDs = {deleted.id, kept.id};
    auto p = panel(w);
    EXPECT_EQ(chipTexts(*p, "factionsSection"), strings({"Da", "Sw"}));

    m_universe->setFactions({kept});
    EXPECT_EQ(chipTexts(*p, "factionsSection"), strings({"Sw"}));
    EXPECT_EQ(p->world().factionIDs, (QList<QUuid>{deleted.id, kept.id}));
    p->clearFactions();
    EXPECT_TRUE(p->world().factionIDs.isEmpty());
}
