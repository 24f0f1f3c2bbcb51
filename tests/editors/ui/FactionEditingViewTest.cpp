#include "editors/ui/FactionEditingView.h"
#include "EditorTestSupport.h"
#include "editors/ui/HexPositionPicker.h"
#include "editors/ui/LabeledStepper.h"
#include "ui/DisclosureGroup.h"
#include "ui/ElidedLabel.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

using namespace editor_test;

namespace {

void chooseTag(const FactionEditingView &view, const QString &text)
{
    for (QAction *action : view.tagsMenu()->actions()) {
        if (action->text() == text) {
            action->trigger();
            return;
        }
    }
    ADD_FAILURE() << text.toStdString();
}

} // namespace

class FactionEditingViewTest : public EditorTest
{
};

TEST_F(FactionEditingViewTest, NewFormShowsTheDefaultsAndNeedsAName)
{
    FactionEditingView view(*m_universe, std::nullopt);
    EXPECT_EQ(view.title(), QStringLiteral("Faction Creation"));
    EXPECT_EQ(child<QLabel>(view, "homeworldHeading")->text(), QStringLiteral("Homeworld: 00-0000"));
    EXPECT_EQ(child<LabeledStepper>(view, "force")->text(), QStringLiteral("Force: 1"));
    EXPECT_EQ(child<LabeledStepper>(view, "wealth")->text(), QStringLiteral("Wealth: 1"));
    EXPECT_EQ(child<LabeledStepper>(view, "hp")->text(), QStringLiteral("HP: 0"));
    EXPECT_EQ(child<QComboBox>(view, "category")->currentText(), QStringLiteral("Other"));
    EXPECT_EQ(child<QComboBox>(view, "color")->currentText(), QStringLiteral("Black"));
    EXPECT_EQ(child<QLabel>(view, "tagsSummary")->text(), QStringLiteral("None"));
    EXPECT_FALSE(child<QLabel>(view, "noAssets")->isHidden());
    EXPECT_EQ(view.actionButton()->text(), QStringLiteral("Create Faction"));
    EXPECT_FALSE(view.actionButton()->isEnabled());
    // Blanks count as a name.
    QTest::keyClicks(child<QLineEdit>(view, "factionName"), QStringLiteral(" "));
    EXPECT_TRUE(view.actionButton()->isEnabled());
}

TEST_F(FactionEditingViewTest, TagsKeepTheOrderChosenAndASecondChoiceRemovesOne)
{
    FactionEditingView view(*m_universe, std::nullopt);
    chooseTag(view, QStringLiteral("Savage"));
    chooseTag(view, QStringLiteral("Deeprooted"));
    chooseTag(view, QStringLiteral("Pirates"));
    EXPECT_EQ(child<QLabel>(view, "tagsSummary")->text(), QStringLiteral("Savage, Deeprooted, Pirates"));
    chooseTag(view, QStringLiteral("Deeprooted"));
    EXPECT_EQ(child<QLabel>(view, "tagsSummary")->text(), QStringLiteral("Savage, Pirates"));
    EXPECT_EQ(view.draft().faction.tags, (QList<FactionTag>{FactionTag::savage, FactionTag::pirates}));
}

TEST_F(FactionEditingViewTest, OnlyChosenTagsCarryAMarkInTheTagsMenu)
{
    Faction edited = aFaction(QStringLiteral("Guild"));
    edited.tags = {FactionTag::savage};
    m_universe->setFactions({edited});
    FactionEditingView view(*m_universe, edited);
    const auto marked = [&view] {
        QStringList texts;
        for (const QAction *action : view.tagsMenu()->actions()) {
            // A checkable entry would show an empty box beside every tag not chosen.
            if (action->isCheckable())
                texts.append(action->text() + QStringLiteral(" (checkable)"));
            else if (!action->icon().isNull() && action->isIconVisibleInMenu())
                texts.append(action->text());
        }
        return texts;
    };
    EXPECT_EQ(view.tagsMenu()->actions().size(), 25);
    EXPECT_EQ(marked(), QStringList{QStringLiteral("Savage")});
    chooseTag(view, QStringLiteral("Pirates"));
    EXPECT_EQ(marked(), (QStringList{QStringLiteral("Pirates"), QStringLiteral("Savage")}));
    chooseTag(view, QStringLiteral("Savage"));
    EXPECT_EQ(marked(), QStringList{QStringLiteral("Pirates")});
    EXPECT_EQ(view.draft().faction.tags, QList<FactionTag>{FactionTag::pirates});
    EXPECT_EQ(child<QLabel>(view, "tagsSummary")->text(), QStringLiteral("Pirates"));
}

TEST_F(FactionEditingViewTest, ReturnInTheAssetNameAddsTheAssetOnlyWhenTheButtonCould)
{
    FactionEditingView view(*m_universe, std::nullopt);
    view.addAssetGroup()->header()->click();
    auto *name = child<QLineEdit>(view, "assetName");
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(view.draft().faction.assets.isEmpty());
    EXPECT_TRUE(view.assetRows().isEmpty());

    QTest::keyClicks(name, QStringLiteral("Frigate"));
    QTest::keyClick(name, Qt::Key_Return);
    ASSERT_EQ(view.draft().faction.assets.size(), 1);
    EXPECT_EQ(view.draft().faction.assets.first().name, QStringLiteral("Frigate"));
    EXPECT_EQ(view.assetRows().size(), 1);
    EXPECT_TRUE(name->text().isEmpty()); // ready for the next asset
    // The asset reaches the universe with the faction, when it is created.
    EXPECT_TRUE(m_universe->factions().isEmpty());
    QTest::keyClicks(child<QLineEdit>(view, "factionName"), QStringLiteral("Guild"));
    view.actionButton()->click();
    const auto file = stored();
    ASSERT_EQ(file->factions().size(), 1);
    ASSERT_EQ(file->factions().first().assets.size(), 1);
    EXPECT_EQ(file->factions().first().assets.first().name, QStringLiteral("Frigate"));
}

TEST_F(FactionEditingViewTest, ALongAssetNameIsCutWithAnEllipsisInsteadOfWideningTheForm)
{
    FactionEditingView view(*m_universe, std::nullopt);
    view.resize(900, 700);
    view.show();
    view.addAssetGroup()->header()->click();
    const QString longName = QStringLiteral("Frigate of the Squadron That Never Ends ").repeated(10);
    typeInto(child<QLineEdit>(view, "assetName"), longName);
    QCoreApplication::processEvents(); // the new row is shown
    // The form never needs more room than the window gives it: nothing to scroll to sideways.
    const auto *scroll = view.findChild<QScrollArea *>();
    EXPECT_LE(scroll->widget()->minimumSizeHint().width(), scroll->viewport()->width());
    auto *name = child<ElidedLabel>(view, "assetRowName");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->text(), longName);
    EXPECT_TRUE(name->shownText().endsWith(u'…')) << name->shownText().toStdString();
}

TEST_F(FactionEditingViewTest, AssetTakesTheHomeworldShownWhenAddedAndIsStoredOnCreate)
{
    FactionEditingView view(*m_universe, std::nullopt);
    auto *homeworld = child<HexPositionPicker>(view, "homeworld");
    child<LabeledStepper>(*homeworld, "sectorX")->step(1);
    typeInto(child<QLineEdit>(*homeworld, "row"), QStringLiteral("5"));
    typeInto(child<QLineEdit>(*homeworld, "column"), QStringLiteral("3"));
    EXPECT_EQ(child<QLabel>(view, "homeworldHeading")->text(), QStringLiteral("Homeworld: 10-0305"));

    view.addAssetGroup()->header()->click();
    auto *add = child<QPushButton>(view, "addAssetButton");
    EXPECT_FALSE(add->isEnabled());
    QTest::keyClicks(child<QLineEdit>(view, "assetName"), QStringLiteral("Frigate"));
    add->click();
    EXPECT_TRUE(child<QLineEdit>(view, "assetName")->text().isEmpty());
    ASSERT_EQ(view.assetRows().size(), 1);
    // Moving the homeworld afterwards leaves the asset where it was added.
    typeInto(child<QLineEdit>(*homeworld, "row"), QStringLiteral("9"));
    QTest::keyClicks(child<QLineEdit>(view, "factionName"), QStringLiteral("Guild"));
    view.actionButton()->click();

    const auto file = stored();
    ASSERT_EQ(file->factions().size(), 1);
    const Faction &created = file->factions().first();
    EXPECT_FALSE(created.id.isNull());
    EXPECT_EQ(created.homeworld, (GalacticCoordinates{1, 0, 3, 9}));
    ASSERT_EQ(created.assets.size(), 1);
    EXPECT_EQ(created.assets.first().location, (GalacticCoordinates{1, 0, 3, 5}));
    EXPECT_EQ(created.assets.first().category, AssetCategory::force);
    // The form is empty again, ready for the next faction.
    EXPECT_EQ(view.title(), QStringLiteral("Faction Creation"));
    EXPECT_TRUE(child<QLineEdit>(view, "factionName")->text().isEmpty());
    EXPECT_EQ(view.assetRows().size(), 0);
    EXPECT_FALSE(view.actionButton()->isEnabled());
}

TEST_F(FactionEditingViewTest, SavingAnEditedFactionReplacesItInPlaceAndKeepsItsNotes)
{
    Faction edited = aFaction(QStringLiteral("Middle"));
    edited.notes = {FactionNote{7, QStringLiteral("Raid"), Stardate{}, QStringLiteral("…")}};
    edited.force = 12; // stored values outside the steppers' range are kept
    m_universe->setFactions({aFaction(QStringLiteral("First")), edited, aFaction(QStringLiteral("Last"))});
    FactionEditingView view(*m_universe, edited);
    EXPECT_EQ(view.title(), QStringLiteral("Edit Faction"));
    EXPECT_EQ(view.actionButton()->text(), QStringLiteral("Save Changes"));

    QTest::keyClicks(child<QLineEdit>(view, "factionName"), QStringLiteral(" Way"));
    view.actionButton()->click();
    chooseTag(view, QStringLiteral("Warlike"));
    view.actionButton()->click();

    const auto file = stored();
    ASSERT_EQ(file->factions().size(), 3);
    const Faction &saved = file->factions().at(1);
    EXPECT_EQ(saved.id, edited.id);
    EXPECT_EQ(saved.name, QStringLiteral("Middle Way"));
    EXPECT_EQ(saved.notes, edited.notes);
    EXPECT_EQ(saved.force, 12);
    EXPECT_EQ(saved.tags, QList<FactionTag>{FactionTag::warlike});
    EXPECT_EQ(child<QLineEdit>(view, "factionName")->text(), QStringLiteral("Middle Way"));
}

TEST_F(FactionEditingViewTest, FactionChangedElsewhereIsStillFoundByItsId)
{
    const Faction edited = aFaction(QStringLiteral("Guild"));
    m_universe->setFactions({edited});
    FactionEditingView view(*m_universe, edited);
    // Another screen changes the stored faction meanwhile: the save still replaces
    // it rather than leaving two factions with one id.
    Faction changed = edited;
    changed.credits = 500;
    m_universe->setFactions({changed});
    view.actionButton()->click();
    view.actionButton()->click();
    ASSERT_EQ(m_universe->factions().size(), 1);
    EXPECT_EQ(m_universe->factions().first().id, edited.id);
}

TEST_F(FactionEditingViewTest, VanishedFactionIsAppendedUnderItsIdAndTheFormEmptied)
{
    const Faction edited = aFaction(QStringLiteral("Gone"));
    FactionEditingView view(*m_universe, edited);
    view.actionButton()->click();
    ASSERT_EQ(m_universe->factions().size(), 1);
    EXPECT_EQ(m_universe->factions().first().id, edited.id);
    EXPECT_EQ(view.title(), QStringLiteral("Edit Faction"));
    EXPECT_TRUE(child<QLineEdit>(view, "factionName")->text().isEmpty());
}

TEST_F(FactionEditingViewTest, TechLevelPickerFollowsTheUniverseRulesWhenItComesOnScreen)
{
    m_universe->setData({aHex({0, 0, 1, 1})
                             .named(QStringLiteral("Home"))
                             .worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)})});
    FactionEditingView view(*m_universe, std::nullopt);
    auto *picker = view.techLevelPicker();
    EXPECT_EQ(picker->count(), 23);
    EXPECT_EQ(picker->itemText(0), QStringLiteral("TL0"));
    view.addAssetGroup()->header()->click();
    EXPECT_EQ(view.draft().asset.tl, TechnologyLevel::ttl0);

    m_universe->setData({aHex({0, 0, 1, 1})
                             .named(QStringLiteral("Home"))
                             .worlds({aWorld().main().techLevel(TechnologyLevel::tl3)})});
    EXPECT_EQ(picker->count(), 8);
    EXPECT_EQ(picker->itemText(5), QStringLiteral("4+"));
    EXPECT_EQ(view.draft().asset.tl, TechnologyLevel::tl0);
}

TEST_F(FactionEditingViewTest, RemovingAnAssetChangesOnlyTheForm)
{
    Faction edited = aFaction(QStringLiteral("Guild"));
    FactionAsset first;
    first.name = QStringLiteral("A");
    FactionAsset second;
    second.name = QStringLiteral("B");
    edited.assets = {first, second};
    m_universe->setFactions({edited});
    FactionEditingView view(*m_universe, edited);
    view.removeAsset(0);
    view.removeAsset(5);
    ASSERT_EQ(view.draft().faction.assets.size(), 1);
    EXPECT_EQ(view.draft().faction.assets.first().name, QStringLiteral("B"));
    EXPECT_EQ(m_universe->factions().first(), edited);
}
