#include "editors/ui/FactionListsView.h"
#include "EditorTestSupport.h"
#include "editors/ui/FactionListEditingView.h"
#include "editors/ui/MapObjectListModel.h"
#include "ui/ContentUnavailableView.h"

#include <QLabel>
#include <QListView>
#include <QPushButton>

using namespace editor_test;

namespace {

QStringList rowTexts(const QAbstractItemModel &model, int role = Qt::DisplayRole)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, 0).data(role).toStringList().join(u'|'));
    return texts;
}

void check(QAbstractItemModel *model, const QString &name)
{
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row, 0);
        if (index.data().toString() == name) {
            model->setData(index, Qt::Checked, Qt::CheckStateRole);
            return;
        }
    }
    ADD_FAILURE() << name.toStdString();
}

} // namespace

class FactionListsViewTest : public EditorTest
{
};

TEST_F(FactionListsViewTest, RowsKeepTheStoredOrderAndCountRawIds)
{
    const Faction alpha = aFaction(QStringLiteral("Alpha"));
    m_universe->setFactions({alpha});
    const QUuid gone = QUuid::createUuid();
    m_universe->setFactionLists({list(QStringLiteral("Zed"), {alpha.id, alpha.id, gone}),
                                 list(QString(), {alpha.id}), list(QStringLiteral("Empty"), {})});
    FactionListsView view(*m_universe);
    EXPECT_EQ(view.sectionTitle(), QStringLiteral("Faction Lists"));
    EXPECT_EQ(rowTexts(*view.model()),
              QStringList({QStringLiteral("Zed"), QStringLiteral("Unnamed List"), QStringLiteral("Empty"),
                           QStringLiteral("New Faction List")}));
    EXPECT_EQ(rowTexts(*view.model(), MapObjectListModel::DetailsRole),
              QStringList({QStringLiteral("3 factions"), QStringLiteral("1 faction"),
                           QStringLiteral("0 factions"), QString()}));
    // The screen opens on the create form, whose row is selected.
    ASSERT_TRUE(view.selection().has_value());
    EXPECT_FALSE(view.selection()->element.has_value());
    EXPECT_EQ(qobject_cast<EditorForm *>(view.detail())->title(), QStringLiteral("Faction List Creation"));

    // Opening the list counts distinct ids; saving keeps each existing faction once.
    view.listView()->setCurrentIndex(view.model()->index(0, 0));
    auto *editor = qobject_cast<FactionListEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(child<QLabel>(*editor, "selectedCount")->text(), QStringLiteral("2 selected"));
    editor->actionButton()->click();
    EXPECT_EQ(m_universe->factionLists().first().factionIDs, QList<QUuid>{alpha.id});
    EXPECT_EQ(view.detail(), editor); // saving keeps the editor
    EXPECT_EQ(editor->title(), QStringLiteral("Edit Faction List"));
}

TEST_F(FactionListsViewTest, EmptyUniverseShowsTheEmptyTextsAndStillCreatesAList)
{
    FactionListsView view(*m_universe);
    EXPECT_EQ(rowTexts(*view.model()),
              QStringList({QStringLiteral("No faction lists"), QStringLiteral("New Faction List")}));
    auto *editor = qobject_cast<FactionListEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(child<QLabel>(*editor, "noFactions")->isHidden());
    EXPECT_EQ(child<QLabel>(*editor, "noFactions")->text(),
              QStringLiteral("No factions yet — create factions first to add them to a list."));
    auto *name = child<QLineEdit>(*editor, "listName");
    QTest::keyClicks(name, QStringLiteral("   "));
    EXPECT_FALSE(editor->actionButton()->isEnabled());
    QTest::keyClicks(name, QStringLiteral("Core"));
    editor->actionButton()->click();

    const auto file = stored();
    ASSERT_EQ(file->factionLists().size(), 1);
    EXPECT_EQ(file->factionLists().first().name, QStringLiteral("   Core"));
    // The new list is listed last, not selected; the form is empty again.
    EXPECT_EQ(rowTexts(*view.model()),
              QStringList({QStringLiteral("   Core"), QStringLiteral("New Faction List")}));
    EXPECT_FALSE(view.selection()->element.has_value());
    EXPECT_TRUE(name->text().isEmpty());
}

TEST_F(FactionListsViewTest, ChosenFactionsAreStoredInTheUniverseOrder)
{
    const Faction zeta = aFaction(QStringLiteral("Zeta"));
    const Faction alpha = aFaction(QStringLiteral("alpha"));
    const Faction beta = aFaction(QStringLiteral("Beta"));
    m_universe->setFactions({zeta, alpha, beta});
    FactionListEditingView editor(*m_universe, std::nullopt);
    auto *checks = child<QListView>(editor, "factionCheckList")->model();
    EXPECT_EQ(rowTexts(*checks),
              QStringList({QStringLiteral("alpha"), QStringLiteral("Beta"), QStringLiteral("Zeta")}));
    check(checks, QStringLiteral("alpha"));
    check(checks, QStringLiteral("Zeta"));
    EXPECT_EQ(child<QLabel>(editor, "selectedCount")->text(), QStringLiteral("2 selected"));
    QTest::keyClicks(child<QLineEdit>(editor, "listName"), QStringLiteral("Pair"));
    editor.actionButton()->click();
    EXPECT_EQ(m_universe->factionLists().first().factionIDs, (QList<QUuid>{zeta.id, alpha.id}));
    EXPECT_EQ(child<QLabel>(editor, "selectedCount")->text(), QStringLiteral("0 selected"));
    EXPECT_EQ(checks->index(0, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked);
}

TEST_F(FactionListsViewTest, DeletingSavesAtOnceAndReturnsToTheCreateForm)
{
    const FactionList first = list(QStringLiteral("First"), {});
    const FactionList second = list(QStringLiteral("Second"), {});
    const FactionList third = list(QStringLiteral("Third"), {});
    m_universe->setFactionLists({first, second, third});
    FactionListsView view(*m_universe);
    view.listView()->setCurrentIndex(view.model()->index(2, 0));
    EXPECT_EQ(view.selection()->element, third.id);

    view.deleteWithID(second.id);
    EXPECT_EQ(stored()->factionLists(), (QList<FactionList>{first, third}));
    EXPECT_FALSE(view.selection()->element.has_value());
    EXPECT_EQ(qobject_cast<EditorForm *>(view.detail())->title(), QStringLiteral("Faction List Creation"));

    // The Delete key removes the selected row.
    view.listView()->setCurrentIndex(view.model()->index(0, 0));
    QTest::keyClick(view.listView(), Qt::Key_Delete);
    EXPECT_EQ(stored()->factionLists(), QList<FactionList>{third});

    // Clearing the selection shows the empty state.
    view.listView()->clearSelection();
    auto *empty = qobject_cast<ContentUnavailableView *>(view.detail());
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->description(), QStringLiteral("Choose a faction list or create a new one."));
}

TEST_F(FactionListsViewTest, AFailedSaveIsShownInTheForm)
{
    // A file where the universes folder should be makes every save fail.
    QFile blocker(m_universe->folder().universesPath());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    FactionListEditingView editor(*m_universe, std::nullopt);
    QTest::keyClicks(child<QLineEdit>(editor, "listName"), QStringLiteral("Core"));
    editor.actionButton()->click();
    EXPECT_FALSE(m_universe->waitForPendingSave());
    QCoreApplication::processEvents();
    EXPECT_FALSE(editor.saveFailure().isEmpty());
}
