#include "ui/HexTargetPicker.h"

#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

namespace {

QLineEdit *field(const HexTargetPicker &picker, const char *name)
{
    return picker.findChild<QLineEdit *>(QString::fromLatin1(name));
}

// Types into a field and commits with Return, as the user does.
void typeInto(QLineEdit *field, const QString &text)
{
    field->selectAll();
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

class HexTargetPickerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_picker.setCoordinates({1, -1, 7, 9});
        ASSERT_NE(field(m_picker, "column"), nullptr);
        ASSERT_NE(field(m_picker, "row"), nullptr);
    }

    HexTargetPicker m_picker;
    QSignalSpy m_edits{&m_picker, &HexTargetPicker::coordinatesEdited};
};

} // namespace

// A typed column or row past either end of the sector becomes that end; the field,
// the picker and the reported edit all hold the limited value.
TEST_F(HexTargetPickerTest, TypedValuesPastTheSectorsEndsStopAtThem)
{
    const struct
    {
        const char *field;
        const char *typed;
        qint64 column, row;
    } rows[] = {{"column", "0", 1, 9},   {"column", "-5", 1, 9},     {"column", "33", 32, 9},
                {"column", "32", 32, 9}, {"row", "0", 32, 1},        {"row", "-1", 32, 1},
                {"row", "41", 32, 40},   {"row", "1000000", 32, 40}, {"row", "2", 32, 2}};
    for (const auto &row : rows) {
        typeInto(field(m_picker, row.field), QString::fromLatin1(row.typed));
        const GalacticCoordinates expected{1, -1, row.column, row.row};
        EXPECT_EQ(m_picker.coordinates(), expected) << row.field << " " << row.typed;
        EXPECT_EQ(field(m_picker, "column")->text(), QString::number(row.column)) << row.typed;
        EXPECT_EQ(field(m_picker, "row")->text(), QString::number(row.row)) << row.typed;
        ASSERT_FALSE(m_edits.isEmpty()) << row.field << " " << row.typed;
        EXPECT_EQ(m_edits.last().first().value<GalacticCoordinates>(), expected);
    }
}

// Text that is no whole number changes nothing and reports nothing: the field shows
// the value it had again.
TEST_F(HexTargetPickerTest, TextThatIsNoWholeNumberLeavesTheValue)
{
    for (const char *typed : {"x7", "", "3.5", "1e2", "seven"}) {
        for (const char *name : {"column", "row"}) {
            typeInto(field(m_picker, name), QString::fromLatin1(typed));
            EXPECT_EQ(m_picker.coordinates(), (GalacticCoordinates{1, -1, 7, 9})) << name << " " << typed;
            const bool column = std::strcmp(name, "column") == 0;
            EXPECT_EQ(field(m_picker, name)->text(), column ? QStringLiteral("7") : QStringLiteral("9"))
                << typed;
        }
    }
    EXPECT_TRUE(m_edits.isEmpty());
}

// A stored hex outside the sector's columns and rows is shown as it is; an edit of the
// column limits only the column.
TEST_F(HexTargetPickerTest, AStoredValueOutsideTheLimitsIsShownAndKept)
{
    m_picker.setCoordinates({0, 0, 40, 55});
    EXPECT_EQ(field(m_picker, "row")->text(), QStringLiteral("55"));
    EXPECT_TRUE(m_edits.isEmpty());
    typeInto(field(m_picker, "column"), QStringLiteral("3"));
    EXPECT_EQ(m_picker.coordinates(), (GalacticCoordinates{0, 0, 3, 55}));
    EXPECT_EQ(m_edits.size(), 1);
}

// The sector steppers, the editors' as well as the systems', reach -2 to 2 and stop
// at either end, reporting each step. A stored sector outside that range is shown as
// it is and only ever moves one step towards it.
TEST_F(HexTargetPickerTest, SectorStepsStopAtTheRangesEndsAndMoveFarSectorsTowardsIt)
{
    auto *x = m_picker.findChild<QAbstractSpinBox *>(QStringLiteral("sectorX"));
    auto *y = m_picker.findChild<QAbstractSpinBox *>(QStringLiteral("sectorY"));
    ASSERT_NE(x, nullptr);
    ASSERT_NE(y, nullptr);
    for (int i = 0; i < 6; ++i) {
        x->stepUp();
        y->stepDown();
    }
    EXPECT_EQ(m_picker.coordinates(), (GalacticCoordinates{2, -2, 7, 9}));
    EXPECT_EQ(x->text(), QStringLiteral("X: 2"));
    EXPECT_EQ(y->text(), QStringLiteral("Y: B"));
    EXPECT_EQ(m_edits.size(), 2); // one step each from 1 and -1; the rest stop at the ends

    m_picker.setCoordinates({5, -7, 7, 9});
    EXPECT_EQ(x->text(), QStringLiteral("X: 5"));
    x->stepUp();
    y->stepDown();
    EXPECT_EQ(m_picker.coordinates(), (GalacticCoordinates{5, -7, 7, 9}));
    EXPECT_EQ(m_edits.size(), 2);
    x->stepDown();
    y->stepUp();
    EXPECT_EQ(m_picker.coordinates(), (GalacticCoordinates{4, -6, 7, 9}));
    ASSERT_EQ(m_edits.size(), 4);
    EXPECT_EQ(m_edits.last().first().value<GalacticCoordinates>(), (GalacticCoordinates{4, -6, 7, 9}));
}
