#include "editors/ui/HexPositionPicker.h"
#include "EditorTestSupport.h"
#include "editors/SystemNames.h"
#include "editors/ui/LabeledStepper.h"
#include "editors/ui/SystemSearchPopup.h"

#include <QSignalSpy>
#include <QToolButton>
#include <QTreeView>

using namespace editor_test;

class HexPositionPickerTest : public EditorTest
{
};

TEST_F(HexPositionPickerTest, ListShowsNameAndHexByLowerCasedNameStablyWithUnnamedFirst)
{
    m_universe->setData(
        {aHex({0, 0, 1, 1}).named(QStringLiteral("beta")), aHex({0, 0, 1, 2}).named(QStringLiteral("Alpha")),
         aHex({0, 0, 1, 3}).named(QStringLiteral("äther")), aHex({0, 0, 1, 4}).named(QStringLiteral("alpha")),
         aHex({0, 0, 1, 5}).named(QStringLiteral("Zulu & Co")), aHex({0, 0, 1, 6})});
    HexPositionPicker picker(*m_universe, true);
    // No collation: "ä" follows "z". An "&" from data is shown as it is.
    EXPECT_EQ(picker.openSystemList()->shownEntries(),
              QStringList({QStringLiteral("Unnamed System · 00-0106"), QStringLiteral("Alpha · 00-0102"),
                           QStringLiteral("alpha · 00-0104"), QStringLiteral("beta · 00-0101"),
                           QStringLiteral("Zulu & Co · 00-0105"), QStringLiteral("äther · 00-0103")}));
}

TEST_F(HexPositionPickerTest, ChoosingASystemSetsAllFourValuesAndTheTitleFollows)
{
    m_universe->setData({aHex({-1, 0, 5, 12})});
    HexPositionPicker picker(*m_universe, true);
    EXPECT_EQ(picker.systemMenuTitle(), QStringLiteral("Unknown"));
    QSignalSpy changes(&picker, &HexPositionPicker::positionChanged);
    SystemSearchPopup *list = picker.openSystemList();
    list->choose(0);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(picker.position(), (GalacticCoordinates{-1, 0, 5, 12}));
    ASSERT_EQ(changes.size(), 1);
    EXPECT_EQ(child<LabeledStepper>(picker, "sectorX")->text(), QStringLiteral("Sector X: A"));
    EXPECT_EQ(child<QToolButton>(picker, "systemMenu")->text(), QStringLiteral("Unnamed System"));

    // A system stored later at the hex renames the title at once.
    QList<HexData> data = m_universe->data().toList();
    data.first().starSystem.name = QStringLiteral("Regina");
    m_universe->setData(data);
    EXPECT_EQ(child<QToolButton>(picker, "systemMenu")->text(), QStringLiteral("Regina"));
}

TEST_F(HexPositionPickerTest, SearchNarrowsByNameOrHexAndTheKeysChoose)
{
    const HexData first = aHex({0, 0, 1, 1}).named(QStringLiteral("Twin"));
    const HexData second = aHex({1, 0, 5, 5}).named(QStringLiteral("Twin"));
    m_universe->setData({aHex({0, 0, 20, 30}).named(QStringLiteral("Kestrel")), first, second,
                         aHex({0, 0, 2, 2}).named(QStringLiteral("Twinkle"))});
    HexPositionPicker picker(*m_universe, true);
    SystemSearchPopup *list = picker.openSystemList();
    ASSERT_TRUE(list->isVisible());
    QLineEdit *search = list->searchField();
    EXPECT_TRUE(search->hasFocus());

    // Same-named systems are told apart by their hex; case does not matter.
    QTest::keyClicks(search, QStringLiteral("TWIN "));
    EXPECT_TRUE(list->shownEntries().isEmpty()); // the blank is part of the search
    search->clear();
    QTest::keyClicks(search, QStringLiteral("twin"));
    EXPECT_EQ(list->shownEntries(),
              QStringList({QStringLiteral("Twin · 00-0101"), QStringLiteral("Twin · 10-0505"),
                           QStringLiteral("Twinkle · 00-0202")}));
    // Down moves through the list while the typing stays in the field; Return chooses.
    QTest::keyClick(search, Qt::Key_Down);
    QTest::keyClick(search, Qt::Key_Return);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(picker.position(), second.coordinates);
    EXPECT_EQ(child<QToolButton>(picker, "systemMenu")->text(), QStringLiteral("Twin"));

    // The hex label finds its system, and the list opens on the chosen one.
    list = picker.openSystemList();
    EXPECT_EQ(list->list()->currentIndex().row(), 2);
    QTest::keyClicks(list->searchField(), QStringLiteral("2030"));
    EXPECT_EQ(list->shownEntries(), QStringList{QStringLiteral("Kestrel · 00-2030")});
    QTest::keyClick(list->searchField(), Qt::Key_Return);
    EXPECT_EQ(picker.position(), (GalacticCoordinates{0, 0, 20, 30}));

    // Nothing matches: Return chooses nothing and the list stays open.
    list = picker.openSystemList();
    QTest::keyClicks(list->searchField(), QStringLiteral("nowhere"));
    EXPECT_TRUE(list->shownEntries().isEmpty());
    QSignalSpy changes(&picker, &HexPositionPicker::positionChanged);
    QTest::keyClick(list->searchField(), Qt::Key_Return);
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(changes.size(), 0);
    QTest::keyClick(list->searchField(), Qt::Key_Escape);
    EXPECT_FALSE(list->isVisible());
    EXPECT_EQ(picker.position(), (GalacticCoordinates{0, 0, 20, 30}));
}

TEST_F(HexPositionPickerTest, TheListHoldsEntriesOnlyWhileOpenAndTheTitleFollowsItsHexOnly)
{
    const HexData here = aHex({0, 0, 4, 4}).named(QStringLiteral("Here"));
    m_universe->setData({here, aHex({0, 0, 9, 9}).named(QStringLiteral("There"))});
    HexPositionPicker picker(*m_universe, true);
    picker.setPosition(here.coordinates);
    auto *list = picker.findChild<SystemSearchPopup *>();
    ASSERT_NE(list, nullptr);
    const auto rows = [list] { return list->list()->model()->rowCount(); };
    EXPECT_EQ(rows(), 0);
    m_universe->insertHex(aHex({0, 0, 7, 7}).named(QStringLiteral("Elsewhere")));
    EXPECT_EQ(rows(), 0); // a change of the universe builds nothing while closed
    picker.openSystemList();
    EXPECT_EQ(rows(), 3);
    list->hide();
    EXPECT_EQ(rows(), 0);

    auto *button = child<QToolButton>(picker, "systemMenu");
    EXPECT_EQ(button->text(), QStringLiteral("Here"));
    HexData renamed = here;
    renamed.starSystem.name = QStringLiteral("Renamed");
    ASSERT_TRUE(m_universe->replaceHex(renamed));
    EXPECT_EQ(button->text(), QStringLiteral("Renamed"));
    HexData moved = renamed;
    moved.coordinates = {0, 0, 5, 5};
    ASSERT_TRUE(m_universe->replaceHex(moved)); // moved away: nothing left at the hex
    EXPECT_EQ(button->text(), QStringLiteral("Unknown"));
    const HexData arrived = aHex(here.coordinates).named(QStringLiteral("Arrived"));
    m_universe->insertHex(arrived);
    EXPECT_EQ(button->text(), QStringLiteral("Arrived"));
    ASSERT_TRUE(m_universe->removeHex(arrived.id));
    EXPECT_EQ(button->text(), QStringLiteral("Unknown"));
    // Systems added together, as an import adds them.
    m_universe->insertHexes({aHex({0, 0, 8, 8}).named(QStringLiteral("Beside")),
                             aHex(here.coordinates).named(QStringLiteral("Imported"))});
    EXPECT_EQ(button->text(), QStringLiteral("Imported"));
}

TEST_F(HexPositionPickerTest, SectorStepsStopAtTheEndsAndFieldsKeepAnyInteger)
{
    HexPositionPicker picker(*m_universe, false);
    auto *sectorX = child<LabeledStepper>(picker, "sectorX");
    for (int i = 0; i < 4; ++i)
        sectorX->step(-1);
    EXPECT_EQ(picker.position().sectorX, -2);
    EXPECT_EQ(sectorX->text(), QStringLiteral("Sector X: B"));
    typeInto(child<QLineEdit>(picker, "column"), QStringLiteral("40"));
    typeInto(child<QLineEdit>(picker, "row"), QStringLiteral("-3"));
    EXPECT_EQ(picker.position(), (GalacticCoordinates{-2, 0, 40, -3}));
    // Text that is no number leaves the value and the field as they were.
    typeInto(child<QLineEdit>(picker, "row"), QStringLiteral("x7"));
    EXPECT_EQ(picker.position().row, -3);
    EXPECT_EQ(child<QLineEdit>(picker, "row")->text(), QStringLiteral("-3"));
    EXPECT_EQ(SystemNames::systemName(*m_universe, picker.position()), QStringLiteral("Unknown"));
}

TEST_F(HexPositionPickerTest, StepperShowsAStoredValueOutsideItsRangeAndStepsOnlyTowardsIt)
{
    LabeledStepper stepper([](qint64 v) { return QString::number(v); }, 1, 8);
    stepper.setValue(12);
    EXPECT_EQ(stepper.text(), QStringLiteral("12"));
    stepper.step(1);
    EXPECT_EQ(stepper.value(), 12);
    stepper.step(-1);
    EXPECT_EQ(stepper.value(), 8);
    stepper.setValue(std::numeric_limits<qint64>::max());
    stepper.step(1);
    EXPECT_EQ(stepper.value(), std::numeric_limits<qint64>::max());
}
