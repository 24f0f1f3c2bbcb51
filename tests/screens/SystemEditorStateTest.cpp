#include "screens/SystemEditorState.h"
#include "ScreenTestRecords.h"
#include "universe/StarfarerUniverse.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

using namespace screen_test;

namespace {

QStringList worldNames(const SystemEditorState::Section &section)
{
    QStringList names;
    for (const WorldData &w : section.worlds)
        names.append(w.name);
    return names;
}

class SystemEditorStateTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_documents.isValid());
        m_universe = std::make_unique<StarfarerUniverse>(UniverseFolder(m_documents.path()));
    }

    // Commits through the state and waits for the universe's save to finish.
    void waitForSave(const std::function<void()> &commit)
    {
        QSignalSpy saved(m_universe.get(), &StarfarerUniverse::saved);
        commit();
        ASSERT_TRUE(saved.count() == 1 || saved.wait());
    }

    QTemporaryDir m_documents;
    std::unique_ptr<StarfarerUniverse> m_universe;
};

} // namespace

// ---- Working copies ----

TEST(SystemEditorStateRules, TheTitleIsTheNameElseTheEditedCoordinates)
{
    SystemEditorState state(aHex({0, 0, 1, 1}).worlds({world().main()}));
    EXPECT_EQ(state.title(), QStringLiteral("00-0101"));
    state.editedCoordinates = {-1, 0, 5, 1};
    EXPECT_EQ(state.title(), QStringLiteral("A0-0501"));
    state.system.name = QStringLiteral("Kestrel");
    EXPECT_EQ(state.title(), QStringLiteral("Kestrel"));
}

TEST(SystemEditorStateRules, EditedHexCarriesTheFlagsNotesAndCoordinatesUnderTheOriginalId)
{
    const HexData hex =
        aHex({0, 0, 2, 3}).notes(QStringLiteral("old")).knownTo(true, false, true).worlds({world().main()});
    SystemEditorState state(hex);
    EXPECT_EQ(state.editedHex(), hex);

    state.starfarersAware = false;
    state.satharAware = true;
    state.otherAware = false;
    state.surveyed = !hex.starSystem.surveyed;
    state.systemNotes = QStringLiteral("new");
    state.editedCoordinates = {1, 1, 4, 4};
    const HexData edited = state.editedHex();
    EXPECT_EQ(edited.id, hex.id);
    EXPECT_EQ(edited.coordinates, (GalacticCoordinates{1, 1, 4, 4}));
    EXPECT_EQ(edited.notes, QStringLiteral("new"));
    EXPECT_FALSE(edited.starSystem.starfarers);
    EXPECT_TRUE(edited.starSystem.sathar);
    EXPECT_FALSE(edited.starSystem.other);
    EXPECT_EQ(edited.starSystem.surveyed, !hex.starSystem.surveyed);
    // The working copy itself keeps the flags as they were loaded.
    EXPECT_TRUE(state.system.starfarers);
}

// ---- World list and selection ----

TEST(SystemEditorStateRules, SectionsListEachStarsWorldsByOrbitWithMoonsAfterTheirPlanet)
{
    Star primary = star(Orbits::starOrbitP, SpectralType::G, 2, LuminosityClass::V);
    primary.worlds = {
        world()
            .orbit(Orbits::starOrbit3)
            .satelliteOrbit(PlanetOrbits::planetOrbitA)
            .named(QStringLiteral("Moon")),
        world().orbit(Orbits::starOrbit3).named(QStringLiteral("Planet")),
        world().orbit(Orbits::starOrbit1).named(QStringLiteral("Inner")),
        // Equal orbits keep their stored order.
        world().orbit(Orbits::starOrbit5).named(QStringLiteral("First")),
        world().orbit(Orbits::starOrbit5).named(QStringLiteral("Second")),
    };
    Star companion = star(Orbits::starOrbit8, SpectralType::M, 5, LuminosityClass::V);
    companion.worlds = {world().orbit(Orbits::starOrbit2).named(QStringLiteral("Far"))};
    const SystemEditorState state(aHex().stars({primary, companion}));

    const QList<SystemEditorState::Section> sections = state.worldSections();
    ASSERT_EQ(sections.size(), 2);
    EXPECT_EQ(sections[0].header, QStringLiteral("Primary \u2014 G2-V"));
    EXPECT_EQ(worldNames(sections[0]), strings({"Inner", "Planet", "Moon", "First", "Second"}));
    EXPECT_EQ(sections[1].header, QStringLiteral("Companion \u2014 M5-V.o8"));
    EXPECT_EQ(worldNames(sections[1]), strings({"Far"}));
    // Listing never reorders the stored worlds.
    EXPECT_EQ(state.system.stars[0].worlds[0].name, QStringLiteral("Moon"));
}

TEST(SystemEditorStateRules, ALoneStarsSectionHasNoHeaderAndAStarWithoutWorldsAnEmptyOne)
{
    const SystemEditorState lone(aHex().worlds({world().main()}));
    ASSERT_EQ(lone.worldSections().size(), 1);
    EXPECT_TRUE(lone.worldSections()[0].header.isEmpty());

    const SystemEditorState bare(aHex().stars({star(), star(Orbits::starOrbit4)}));
    const QList<SystemEditorState::Section> sections = bare.worldSections();
    ASSERT_EQ(sections.size(), 2);
    EXPECT_FALSE(sections[1].header.isEmpty());
    EXPECT_TRUE(sections[0].worlds.isEmpty());
    EXPECT_TRUE(sections[1].worlds.isEmpty());
}

TEST(SystemEditorStateRules, TheFirstSelectionIsTheMainWorldElseTheFirstInStarOrderElseNone)
{
    const WorldData first = world().orbit(Orbits::starOrbit4);
    const WorldData main = world().orbit(Orbits::starOrbit6).main();
    Star companion = star(Orbits::starOrbit8);
    companion.worlds = {main};
    Star primary = star();
    primary.worlds = {first};
    EXPECT_EQ(SystemEditorState(aHex().stars({primary, companion})).selectedWorldID, main.id);

    companion.worlds = {world().orbit(Orbits::starOrbit1)};
    EXPECT_EQ(SystemEditorState(aHex().stars({primary, companion})).selectedWorldID, first.id);

    const SystemEditorState empty(aHex().stars({star()}));
    EXPECT_FALSE(empty.selectedWorldID.has_value());
    EXPECT_FALSE(empty.selectedWorld().has_value());
}

TEST(SystemEditorStateRules, AnEditLandsOnlyOnTheWorldWithItsId)
{
    const WorldData home = world().main().named(QStringLiteral("Home"));
    const WorldData other = world().orbit(Orbits::starOrbit5).named(QStringLiteral("Other"));
    SystemEditorState state(aHex().worlds({home, other}));

    WorldData renamed = other;
    renamed.name = QStringLiteral("Renamed");
    state.editWorld(renamed);
    EXPECT_EQ(state.system.stars[0].worlds, (QList<WorldData>{home, renamed}));

    // A world that is not in the system (or no longer) changes nothing.
    const StarSystem before = state.system;
    state.editWorld(world().orbit(Orbits::starOrbit5).named(QStringLiteral("Gone")));
    EXPECT_EQ(state.system, before);

    // The selection follows the id, not a position.
    state.selectedWorldID = other.id;
    EXPECT_EQ(state.selectedWorld(), renamed);
    state.selectedWorldID = QUuid::createUuid();
    EXPECT_FALSE(state.selectedWorld().has_value());
}

TEST(SystemEditorStateRules, RolledWorldsKeepTheMainWorldSelectedAndDropEditsOfReplacedWorlds)
{
    SeededSource source(7);
    ScopedRandomSource scope(source);
    const WorldData main = world().main().named(QStringLiteral("Home"));
    const WorldData replaced = world().orbit(Orbits::starOrbit5).named(QStringLiteral("Old"));
    HexData hex = aHex().worlds({replaced, main});
    hex.starSystem.gasGiant = 2;
    hex.starSystem.planetoidBelts = 1;
    hex.starSystem.totalNumberOfWorlds = 6;
    SystemEditorState state(hex);
    state.selectedWorldID = replaced.id;

    state.generateWorlds();
    EXPECT_GT(state.system.allWorlds().size(), 1);
    EXPECT_EQ(state.selectedWorldID, main.id);
    EXPECT_EQ(state.selectedWorld()->name, QStringLiteral("Home"));
    EXPECT_FALSE(state.system.indexOfWorld(replaced.id).has_value());

    // An edit of a world the roll replaced is dropped, not put on another world.
    const StarSystem rolled = state.system;
    WorldData late = replaced;
    late.name = QStringLiteral("Late edit");
    state.editWorld(late);
    EXPECT_EQ(state.system, rolled);
}

// ---- Storing ----

TEST_F(SystemEditorStateTest, SavingInPlaceKeepsThePositionAndWritesTheFile)
{
    const HexData first = aHex({0, 0, 1, 1}).worlds({world().main()});
    const HexData edited = aHex({5, -7, 3, 44}).named(QStringLiteral("Far")).worlds({world().main()});
    const HexData last = aHex({0, 0, 3, 3}).worlds({world().main()});
    m_universe->setData({first, edited, last});
    SystemEditorState state(edited);
    state.system.name = QStringLiteral("Far & Away");

    waitForSave([&] { EXPECT_TRUE(state.saveChanges(*m_universe)); });
    EXPECT_EQ(m_universe->data(), (QList<HexData>{first, state.editedHex(), last}));
    EXPECT_FALSE(state.collisionOccupant.has_value());
    EXPECT_TRUE(QFile::exists(m_universe->filePath()));
}

TEST_F(SystemEditorStateTest, MovingOntoAnotherHexStoresNothingAndNamesTheOccupant)
{
    const HexData edited = aHex({0, 0, 1, 1}).named(QStringLiteral("Edited")).worlds({world().main()});
    const HexData occupant = aHex({0, 0, 2, 2}).named(QStringLiteral("Kestrel")).worlds({world().main()});
    m_universe->setData({edited, occupant});
    SystemEditorState state(edited);

    // Its own hex is no collision.
    state.editedCoordinates = edited.coordinates;
    waitForSave([&] { EXPECT_TRUE(state.saveChanges(*m_universe)); });

    state.editedCoordinates = occupant.coordinates;
    EXPECT_FALSE(state.saveChanges(*m_universe));
    EXPECT_EQ(state.collisionOccupant, occupant);
    EXPECT_EQ(m_universe->data(), (QList<HexData>{edited, occupant}));
}

TEST_F(SystemEditorStateTest, OverwritingRemovesTheOccupantAndAStoreWithoutTheHexGetsItAppended)
{
    const HexData edited = aHex({0, 0, 1, 1}).worlds({world().main()});
    const HexData occupant = aHex({0, 0, 2, 2}).worlds({world().main()});
    const HexData other = aHex({1, 0, 1, 1}).worlds({world().main()});
    m_universe->setData({edited, occupant, other});
    SystemEditorState state(edited);
    state.editedCoordinates = occupant.coordinates;
    ASSERT_FALSE(state.saveChanges(*m_universe));

    waitForSave([&] { state.commit(*m_universe, occupant.id); });
    EXPECT_EQ(m_universe->data(), (QList<HexData>{state.editedHex(), other}));
    QString error;
    const auto stored = StarfarerUniverse::readFile(m_universe->filePath(), m_universe->folder(), &error);
    ASSERT_NE(stored, nullptr) << error.toStdString();
    EXPECT_EQ(stored->data(), m_universe->data());

    // The edited hex was deleted meanwhile: committing brings it back at the end.
    m_universe->setData({other});
    waitForSave([&] { state.commit(*m_universe, std::nullopt); });
    EXPECT_EQ(m_universe->data(), (QList<HexData>{other, state.editedHex()}));
}
