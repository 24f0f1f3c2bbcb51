#include "editors/HexPositionPicker.h"
#include "EditorTestSupport.h"
#include "editors/LabeledStepper.h"
#include "editors/SystemNames.h"

#include <QSignalSpy>
#include <QToolButton>

using namespace editor_test;

class HexPositionPickerTest : public EditorTest
{
};

TEST_F(HexPositionPickerTest, MenuListsSystemsByLowerCasedNameStablyWithUnnamedFirst)
{
    m_universe->setData(
        {systemAt({0, 0, 1, 1}, QStringLiteral("beta")), systemAt({0, 0, 1, 2}, QStringLiteral("Alpha")),
         systemAt({0, 0, 1, 3}, QStringLiteral("äther")), systemAt({0, 0, 1, 4}, QStringLiteral("alpha")),
         systemAt({0, 0, 1, 5}, QStringLiteral("Zulu & Co")), systemAt({0, 0, 1, 6}, QString())});
    HexPositionPicker picker(*m_universe, true);
    // No collation: "ä" follows "z". An "&" from data is shown, not a mnemonic.
    EXPECT_EQ(actionTexts(picker.systemMenu()),
              QStringList({QStringLiteral("Unnamed System"), QStringLiteral("Alpha"), QStringLiteral("alpha"),
                           QStringLiteral("beta"), QStringLiteral("Zulu && Co"), QStringLiteral("äther")}));
}

TEST_F(HexPositionPickerTest, ChoosingASystemSetsAllFourValuesAndTheTitleFollows)
{
    m_universe->setData({systemAt({-1, 0, 5, 12}, QString())});
    HexPositionPicker picker(*m_universe, true);
    EXPECT_EQ(picker.systemMenuTitle(), QStringLiteral("Unknown"));
    QSignalSpy changes(&picker, &HexPositionPicker::positionChanged);
    picker.systemMenu()->actions().first()->trigger();
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
