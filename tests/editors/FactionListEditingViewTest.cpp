#include "editors/FactionListEditingView.h"
#include "EditorTestSupport.h"

#include <QFile>
#include <QPushButton>

using namespace editor_test;

namespace {

Faction faction(const QString &name, const QString &shortName)
{
    Faction f = editor_test::faction(name);
    f.shortName = shortName;
    return f;
}

} // namespace

class FactionListEditingViewTest : public EditorTest
{
};

TEST_F(FactionListEditingViewTest, ReturnInTheNameCreatesOrSavesOnlyWhenTheButtonCould)
{
    const Faction alpha = faction(QStringLiteral("Alpha"), QString());
    m_universe->setFactions({alpha});
    FactionListEditingView editor(*m_universe, std::nullopt);
    auto *name = child<QLineEdit>(editor, "listName");

    // Blanks are no name: Return does nothing, and nothing is written.
    QTest::keyClicks(name, QStringLiteral(" \t "));
    QTest::keyClick(name, Qt::Key_Return);
    EXPECT_TRUE(m_universe->factionLists().isEmpty());
    EXPECT_FALSE(QFile::exists(m_universe->filePath()));

    name->clear();
    QTest::keyClicks(name, QStringLiteral("Core"));
    QTest::keyClick(name, Qt::Key_Return);
    auto file = stored();
    ASSERT_EQ(file->factionLists().size(), 1);
    EXPECT_EQ(file->factionLists().first().name, QStringLiteral("Core"));
    EXPECT_TRUE(name->text().isEmpty()); // the create form is empty again

    // Editing a list, Return saves it in place.
    FactionListEditingView edit(*m_universe, m_universe->factionLists().first());
    auto *editName = child<QLineEdit>(edit, "listName");
    QTest::keyClicks(editName, QStringLiteral(" Worlds"));
    QTest::keyClick(editName, Qt::Key_Return);
    file = stored();
    ASSERT_EQ(file->factionLists().size(), 1);
    EXPECT_EQ(file->factionLists().first().name, QStringLiteral("Core Worlds"));
    EXPECT_EQ(edit.title(), QStringLiteral("Edit Faction List"));
}
