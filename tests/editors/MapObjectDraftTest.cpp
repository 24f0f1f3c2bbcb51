#include "EditorTestUniverse.h"
#include "editors/FactionDraft.h"
#include "editors/FactionListDraft.h"
#include "editors/RegionDraft.h"

using namespace editor_test;

// The editors' working copies on their own: the rules a form only shows, and what a
// save leaves in the universe and in the form.
class MapObjectDraftTest : public EditorTest
{
};

TEST_F(MapObjectDraftTest, MovesKeepTheOrderOfTheMovedAnchors)
{
    RegionDraft draft(region(QString(), 5, false));
    const QList<RegionAnchor> before = draft.anchors;
    draft.moveAnchors({3, 1}, 0);
    EXPECT_EQ(draft.anchors, (QList<RegionAnchor>{before[1], before[3], before[0], before[2], before[4]}));
    draft.moveAnchors({0, 1, 99}, 5);
    EXPECT_EQ(draft.anchors, (QList<RegionAnchor>{before[0], before[2], before[4], before[1], before[3]}));
    draft.deleteAnchors({4, 0, 4, -1});
    EXPECT_EQ(draft.anchors, (QList<RegionAnchor>{before[2], before[4], before[1]}));
}

TEST_F(MapObjectDraftTest, AFactionListNamedOnlyWithBlanksIsIncomplete)
{
    FactionListDraft draft;
    EXPECT_FALSE(draft.isComplete());
    draft.name = QStringLiteral("\t \t");
    EXPECT_FALSE(draft.isComplete());
    draft.name = QStringLiteral("  Core");
    EXPECT_TRUE(draft.isComplete());
}

TEST_F(MapObjectDraftTest, ANewFactionListHoldsTheChosenFactionsInTheUniverseOrderAndEmptiesTheForm)
{
    const Faction zeta = aFaction(QStringLiteral("Zeta"));
    const Faction alpha = aFaction(QStringLiteral("Alpha"));
    // A faction stored twice under one id, and a chosen id that names no faction.
    m_universe->setFactions({zeta, alpha, zeta});
    FactionListDraft draft;
    draft.name = QStringLiteral("Pair");
    draft.setSelected(alpha.id, true);
    draft.setSelected(QUuid::createUuid(), true);
    draft.setSelected(zeta.id, true);
    draft.setSelected(zeta.id, false);
    draft.setSelected(zeta.id, true);

    EXPECT_EQ(draft.save(*m_universe), MapObjectStore::Outcome::appended);
    const auto file = stored();
    ASSERT_EQ(file->factionLists().size(), 1);
    EXPECT_EQ(file->factionLists().first().name, QStringLiteral("Pair"));
    EXPECT_EQ(file->factionLists().first().factionIDs, (QList<QUuid>{zeta.id, alpha.id}));
    EXPECT_FALSE(draft.isEditing());
    EXPECT_TRUE(draft.name.isEmpty());
    EXPECT_TRUE(draft.selectedFactionIDs.isEmpty());
}

TEST_F(MapObjectDraftTest, AnEditedFactionListIsReplacedInPlaceAndStaysInTheForm)
{
    const Faction alpha = aFaction(QStringLiteral("Alpha"));
    m_universe->setFactions({alpha});
    const FactionList first = list(QStringLiteral("First"), {});
    const FactionList edited = list(QStringLiteral("Edited"), {alpha.id});
    m_universe->setFactionLists({first, edited});

    FactionListDraft draft(edited);
    EXPECT_TRUE(draft.isSelected(alpha.id));
    draft.name = QStringLiteral("Renamed");
    draft.setSelected(alpha.id, false);
    EXPECT_EQ(draft.save(*m_universe), MapObjectStore::Outcome::replaced);
    EXPECT_EQ(stored()->factionLists(),
              (QList<FactionList>{first, {edited.id, QStringLiteral("Renamed"), {}}}));
    EXPECT_EQ(draft.name, QStringLiteral("Renamed"));

    // Deleted meanwhile, the edited list comes back at the end under its id, and the
    // form empties as after a create.
    m_universe->setFactionLists({first});
    draft.setSelected(alpha.id, true);
    EXPECT_EQ(draft.save(*m_universe), MapObjectStore::Outcome::appended);
    EXPECT_EQ(stored()->factionLists(),
              (QList<FactionList>{first, {edited.id, QStringLiteral("Renamed"), {alpha.id}}}));
    EXPECT_TRUE(draft.name.isEmpty());
    EXPECT_TRUE(draft.selectedFactionIDs.isEmpty());
}

TEST_F(MapObjectDraftTest, AnEditedFactionKeepsItsIdAndNotesWhileANewOneStartsWithout)
{
    Faction edited = aFaction(QStringLiteral("Edited"));
    edited.notes = {FactionNote{7, QStringLiteral("Raid"), {}, QStringLiteral("On the rim.")}};
    m_universe->setFactions({edited});

    FactionDraft draft(edited);
    draft.faction.name = QStringLiteral("Renamed");
    draft.faction.id = QUuid::createUuid(); // the form never edits these two
    draft.faction.notes.clear();
    EXPECT_EQ(draft.save(*m_universe), MapObjectStore::Outcome::replaced);
    auto file = stored();
    ASSERT_EQ(file->factions().size(), 1);
    EXPECT_EQ(file->factions().first().id, edited.id);
    EXPECT_EQ(file->factions().first().name, QStringLiteral("Renamed"));
    EXPECT_EQ(file->factions().first().notes, edited.notes);

    FactionDraft created;
    created.faction.name = QStringLiteral("Newcomer");
    created.faction.id = edited.id;
    created.faction.notes = edited.notes;
    EXPECT_EQ(created.save(*m_universe), MapObjectStore::Outcome::appended);
    file = stored();
    ASSERT_EQ(file->factions().size(), 2);
    EXPECT_NE(file->factions().at(1).id, edited.id);
    EXPECT_TRUE(file->factions().at(1).notes.isEmpty());
}

TEST_F(MapObjectDraftTest, ACreatedFactionEmptiesTheFormToTheLowestLevelOfTheUniversesRules)
{
    m_universe->setData({aHex({0, 0, 1, 1})
                             .named(QStringLiteral("Home"))
                             .worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)})});
    ASSERT_TRUE(m_universe->usesTravellerRules());
    FactionDraft draft;
    draft.faction.name = QStringLiteral("Hegemony");
    draft.asset.tl = TechnologyLevel::tl4;
    draft.asset.name = QStringLiteral("Half-built");
    EXPECT_EQ(draft.save(*m_universe), MapObjectStore::Outcome::appended);
    EXPECT_TRUE(draft.faction.name.isEmpty());
    EXPECT_TRUE(draft.asset.name.isEmpty());
    EXPECT_EQ(draft.asset.tl, TechnologyLevel::ttl0);
    EXPECT_EQ(stored()->factions().size(), 1);
}

TEST_F(MapObjectDraftTest, AssetsGoToTheHomeworldShownAndLeaveByPositionOnce)
{
    FactionDraft draft;
    for (const qint64 row : {1, 2, 3}) {
        draft.faction.homeworld = GalacticCoordinates{0, 0, 1, row};
        draft.asset.name = QString::number(row);
        draft.addAsset(false);
    }
    ASSERT_EQ(draft.faction.assets.size(), 3);
    EXPECT_EQ(draft.faction.assets.at(2).location, (GalacticCoordinates{0, 0, 1, 3}));
    EXPECT_TRUE(draft.asset.name.isEmpty());

    // Repeated and out-of-range positions are ignored; each listed one goes once.
    draft.deleteAssets({2, -1, 2, 7, 0});
    ASSERT_EQ(draft.faction.assets.size(), 1);
    EXPECT_EQ(draft.faction.assets.first().name, QStringLiteral("2"));
    draft.removeAsset(1);
    EXPECT_EQ(draft.faction.assets.size(), 1);
}
