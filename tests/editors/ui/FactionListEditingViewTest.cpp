#include "editors/ui/FactionListEditingView.h"
#include "EditorTestSupport.h"
#include "ImageProbe.h"
#include "PaintedTexts.h"

#include <QFile>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>

using namespace editor_test;

namespace {

constexpr QChar kEllipsis = u'…';

// The check list on a white base with black text, as a light desktop shows it.
QListView *whiteCheckList(FactionListEditingView &editor)
{
    auto *list = child<QListView>(editor, "factionCheckList");
    QPalette palette = list->palette();
    palette.setColor(QPalette::Base, Qt::white);
    palette.setColor(QPalette::Text, Qt::black);
    list->setPalette(palette);
    list->viewport()->setPalette(palette);
    return list;
}

} // namespace

class FactionListEditingViewTest : public EditorTest
{
};

TEST_F(FactionListEditingViewTest, LongNamesAreCutWithAnEllipsisAtTheListsEdge)
{
    const QString longName = QStringLiteral("The Most Serene and Everlasting Confederation ").repeated(6);
    const QString longShort = QStringLiteral("Brotherhood of the Outer Reaches ").repeated(6);
    m_universe->setFactions({aFaction(longName).shortName(QStringLiteral("MSC")),
                             aFaction(QStringLiteral("Alpha")).shortName(QStringLiteral("AL")),
                             aFaction(QStringLiteral("Beta")),
                             aFaction(QStringLiteral("Gamma")).shortName(longShort)});
    FactionListEditingView editor(*m_universe, std::nullopt);
    editor.resize(900, 700);
    editor.show();
    auto *list = whiteCheckList(editor);

    // Rows are as wide as the list: there is nothing to scroll to sideways.
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
    for (int row = 0; row < list->model()->rowCount(); ++row)
        EXPECT_LE(list->visualRect(list->model()->index(row, 0)).right(), list->viewport()->width()) << row;

    const QStringList painted = paintedTexts(list->viewport());
    // Names that fit are shown whole, each short name after its name.
    for (const QString &whole : {QStringLiteral("Alpha"), QStringLiteral("AL"), QStringLiteral("Beta"),
                                 QStringLiteral("Gamma"), QStringLiteral("MSC")})
        EXPECT_TRUE(painted.contains(whole))
            << whole.toStdString() << " in " << painted.join(u'|').toStdString();
    // A long name is cut, with an ellipsis, within the row; so is a long short name.
    const QFontMetrics metrics(list->font());
    for (const QString &cut : {longName, longShort}) {
        const auto shown = std::find_if(painted.cbegin(), painted.cend(), [&](const QString &text) {
            return text.endsWith(kEllipsis) && cut.startsWith(text.chopped(1));
        });
        ASSERT_NE(shown, painted.cend()) << painted.join(u'|').toStdString();
        EXPECT_GT(shown->size(), 10);
        EXPECT_LT(metrics.horizontalAdvance(*shown), list->viewport()->width());
    }
    EXPECT_FALSE(painted.contains(longName));
}

TEST_F(FactionListEditingViewTest, AWhiteFactionsFlagStandsOutOnAWhiteList)
{
    Faction pale = aFaction(QStringLiteral("Pale"));
    m_universe->setFactions({pale});
    FactionListEditingView editor(*m_universe, std::nullopt);
    editor.resize(900, 700);
    editor.show();
    auto *list = whiteCheckList(editor);
    const QImage black = list->viewport()->grab().toImage();
    pale.color = FactionColor::white;
    m_universe->setFactions({pale});
    QCoreApplication::processEvents();
    const QImage white = list->viewport()->grab().toImage();

    // Only the flag changes with the colour; where it stands, the white flag's ring
    // is clearly darker than the white around it, and its cloth is white.
    const QRect flag = differingRect(black, white);
    ASSERT_FALSE(flag.isEmpty());
    EXPECT_LE(flag.width(), 20);
    EXPECT_LT(darkestGray(white, flag), 200);
    EXPECT_GT(qGray(white.pixel(flag.center())), 230);
}

TEST_F(FactionListEditingViewTest, ReturnInTheNameCreatesOrSavesOnlyWhenTheButtonCould)
{
    const Faction alpha = aFaction(QStringLiteral("Alpha"));
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
