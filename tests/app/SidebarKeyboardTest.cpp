// The sidebar by keyboard alone: the arrow keys start from the chosen row, pass over
// the section titles and reach every group header, which opens and closes like a
// tree's branch without changing what is chosen.
#include "AppTestSupport.h"
#include "model/TestRecords.h"

namespace {

class SidebarKeyboard : public AppTest
{
protected:
    void press(Qt::Key key, int times = 1) const
    {
        for (int i = 0; i < times; ++i) {
            QTest::keyClick(list(), key);
            settle();
        }
    }
    QString current() const { return rowTitles().value(list()->currentRow()); }
};

} // namespace

TEST_F(SidebarKeyboard, TheArrowKeysStartFromTheChosenRowAndPassOverSectionTitles)
{
    startApp();
    press(Qt::Key_Down);
    EXPECT_EQ(view()->detailDestination(), Destination::of(DestinationKind::rutters));
    press(Qt::Key_Up, 4); // past the first row there is only "Tools"
    EXPECT_EQ(current(), QStringLiteral("System Generator"));
    EXPECT_EQ(view()->selection(), Destination::of(DestinationKind::generator));

    // From the last Tools row past "FACTIONS" to the first header, which is not chosen.
    press(Qt::Key_Down, 8);
    EXPECT_EQ(current(), QStringLiteral("Megacorps"));
    EXPECT_EQ(selectedTitles(), QStringList{QStringLiteral("Traveller Map import")});
}

TEST_F(SidebarKeyboard, AGroupHeaderOpensAndClosesFromTheKeyboard)
{
    startApp();
    const Faction guild = test_records::aFaction(QStringLiteral("Guild")).category(FactionCategory::group);
    universe()->setFactions({guild});
    press(Qt::Key_Down, 8); // the Tools rows below Star Map, Megacorps, Races
    ASSERT_EQ(current(), QStringLiteral("Groups"));
    const std::optional<Destination> chosen = view()->selection();

    // Each key and whether the group is open after it; the header stays the current row.
    const std::pair<Qt::Key, bool> steps[] = {
        {Qt::Key_Right, true}, {Qt::Key_Right, true},   {Qt::Key_Left, false}, {Qt::Key_Left, false},
        {Qt::Key_Space, true}, {Qt::Key_Return, false}, {Qt::Key_Enter, true},
    };
    for (const auto &[key, open] : steps) {
        press(key);
        EXPECT_EQ(view()->expandedCategories().contains(FactionCategory::group), open) << key;
        EXPECT_EQ(current(), QStringLiteral("Groups")) << key;
        EXPECT_EQ(view()->selection(), chosen) << key;
    }
    press(Qt::Key_Down);
    EXPECT_EQ(view()->detailDestination(), Destination::forFaction(guild));
}
