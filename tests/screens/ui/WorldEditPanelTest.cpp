#include "screens/ui/WorldEditPanel.h"
#include "ScreenTestSupport.h"
#include "model/UWPDescriptions.h"
#include "screens/WorldEditOptions.h"
#include "screens/ui/ParametersView.h"
#include "screens/ui/WorldEditRow.h"
#include "ui/Chip.h"
#include "universe/StarfarerUniverse.h"

#include <QSignalSpy>
#include <QTemporaryDir>
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

TEST_F(WorldEditPanelTest, GravityIsEditableOnlyFromSizeOneToSixteen)
{
    auto p = panel(world());
    for (const qint64 size : {0, 1, 16, 17}) {
        WorldData w = world({size, 0, 0, 0, 0, 0});
        p->setWorld(w);
        const bool editable = size >= 1 && size <= 16;
        const WorldEditRow *gravity = row(*p, QStringLiteral("Gravity"));
        EXPECT_EQ(gravity->isEditable(), editable) << size;
        EXPECT_EQ(gravity->menuButton()->isVisibleTo(p.get()), editable) << size;
        EXPECT_EQ(gravity->valueText(), surfaceGravity(w.uwp) + QStringLiteral(" G")) << size;
    }
    // Size 0 reads as negligible and offers no gravity to pick.
    p->setWorld(world({0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(row(*p, QStringLiteral("Gravity"))->valueText(), QStringLiteral("Negligible G"));
    EXPECT_TRUE(row(*p, QStringLiteral("Gravity"))->menu()->actions().isEmpty());
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
        {{}, "Law Level", QStringLiteral("2: ") + lawLevelDescription(2), {8, 6, 7, 8, 4, 2}}};
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

TEST_F(WorldEditPanelTest, BasesToggleFromTheMenuAndReadInBaseOrder)
{
    WorldData w = world();
    w.tradeClasses = {TradeClass::garden};
    auto p = panel(w);
    WorldEditRow *bases = row(*p, QStringLiteral("Bases"));
    EXPECT_EQ(bases->valueText(), QStringLiteral("None"));
    pick(*p, QStringLiteral("Bases"), QStringLiteral("S: Scout Base"));
    const WorldData edited = pick(*p, QStringLiteral("Bases"), QStringLiteral("K: Naval Base"));
    EXPECT_EQ(edited.uwp.bases, (QSet<Base>{Base::scoutBase, Base::navalBase}));
    EXPECT_EQ(edited.tradeClasses, QList<TradeClass>{TradeClass::garden});
    EXPECT_EQ(bases->valueText(), QStringLiteral("Naval Base, Scout Base"));
    EXPECT_EQ(pick(*p, QStringLiteral("Bases"), QStringLiteral("S: Scout Base")).uwp.bases,
              QSet<Base>{Base::navalBase});
}

TEST_F(WorldEditPanelTest, TheDayTileTellsATideLockedDayFromAFreeOne)
{
    WorldData w = world();
    w.tideLocked = true;
    w.dayLength = 720;
    auto p = panel(w);
    const ParametersView *dayYear = multiTile(*p, QStringLiteral("Day length"));
    ASSERT_NE(dayYear, nullptr);
    EXPECT_EQ(dayYear->parameters().first().text, QStringLiteral("30 Std. days (tide-locked)"));
    w.dayLength = w.yearLength;
    p->setWorld(w);
    EXPECT_EQ(dayYear->parameters().first().text, QStringLiteral("Tide-locked (no day/night)"));
    w.tideLocked = false;
    p->setWorld(w);
    EXPECT_EQ(dayYear->parameters().first().text, QStringLiteral("83 Std. days"));
}

TEST_F(WorldEditPanelTest, PeoplesMenuFollowsTheUniversesRules)
{
    // Without Traveller rules the coarse flavour's peoples are offered.
    WorldData w = world();
    w.prevalentRace = Race::vrusk;
    auto p = panel(w);
    const auto *peoples = p->findChild<QToolButton *>(QStringLiteral("peoplesMenu"));
    ASSERT_NE(peoples, nullptr);
    EXPECT_EQ(actionTexts(peoples->menu()).size(), 15);

    // The flavour follows the universe's first system as it changes; a people of the
    // other flavour is kept and shown.
    m_universe->setData({hexWithMainWorld(TechnologyLevel::ttl10)});
    peoples = p->findChild<QToolButton *>(QStringLiteral("peoplesMenu"));
    EXPECT_EQ(peoples->text(), QStringLiteral("PR: Vrusk"));
    EXPECT_EQ(actionTexts(peoples->menu()).size(), 13);

    QSignalSpy spy(p.get(), &WorldEditPanel::worldEdited);
    actionNamed(peoples->menu(), QStringLiteral("K'kree"))->trigger();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.first().first().value<WorldData>().prevalentRace, Race::kkree);
    EXPECT_EQ(peoples->text(), QStringLiteral("PR: K'kree"));
}

// ---- World tags ----

TEST(WorldEditTagTitle, TagsReadAsCapitalisedWordsAndGovernmentTypesAsStored)
{
    const struct
    {
        WorldTag tag;
        const char *title;
    } cases[] = {{WorldTag::civilWar, "Civil War"},
                 {WorldTag::area51, "Area 51"},
                 {WorldTag::unbrakedAI, "Unbraked Ai"},
                 {WorldTag::gov0, "No Government"},
                 {WorldTag::reserved, "Reserved"}};
    for (const auto &c : cases)
        EXPECT_EQ(tagTitle(c.tag), QString::fromUtf8(c.title)) << c.title;
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
    for (quint64 seed = 1; seed <= 10; ++seed) {
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

// ---- Factions ----

TEST_F(WorldEditPanelTest, AddingAFactionTwiceKeepsOneIdAndClearEmptiesTheList)
{
    const Faction zhodani = aFaction(QStringLiteral("Zhodani Consulate"))
                                .shortName(QStringLiteral("Zh"))
                                .category(FactionCategory::political);
    const Faction imperium = aFaction(QStringLiteral("Third Imperium")).shortName(QStringLiteral("Im"));
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
