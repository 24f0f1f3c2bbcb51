#include "editors/ui/RuttersView.h"
#include "EditorTestSupport.h"
#include "editors/ui/HexPositionPicker.h"
#include "editors/ui/MapObjectListModel.h"
#include "editors/ui/RutterEditingView.h"
#include "editors/ui/RutterListSource.h"
#include "editors/ui/SystemSearchPopup.h"
#include "ui/ContentUnavailableView.h"
#include "ui/PaletteColor.h"
#include "universe/TestMapObjects.h"

#include <QComboBox>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>

using namespace editor_test;
using test_records::rutter;

namespace {

QStringList titles(const QAbstractItemModel &model)
{
    QStringList texts;
    for (int row = 0; row < model.rowCount(); ++row)
        texts.append(model.index(row, 0).data().toString());
    return texts;
}

void chooseFaction(RutterEditingView &editor, const QString &name)
{
    QComboBox *picker = editor.factionPicker();
    const int index = picker->findText(name);
    ASSERT_GE(index, 0) << name.toStdString();
    picker->setCurrentIndex(index);
    emit picker->activated(index);
}

// The faction filter's menu as it stands when it opens: it is filled as it is shown.
QMenu *openedFilterMenu(const RuttersView &view)
{
    QMenu *menu = view.factionFilterButton()->menu();
    emit menu->aboutToShow();
    return menu;
}

} // namespace

class RuttersViewTest : public EditorTest
{
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        m_universe->setFactions({m_zulu, m_alpha});
        m_universe->setData({aHex({0, 0, 1, 1}).named(QStringLiteral("Regina"))});
    }

    Faction m_zulu = aFaction(QStringLiteral("Zulu"));
    Faction m_alpha = aFaction(QStringLiteral("alpha"));
};

TEST_F(RuttersViewTest, SearchAndFactionFilterNarrowTheRows)
{
    const Rutter toRegina = rutter(m_zulu.id, {0, 0, 1, 1}, {0, 0, 2, 2});
    const Rutter nowhere = rutter(m_zulu.id, {-1, 0, 5, 5}, {-1, 0, 6, 6});
    const Rutter alphas = rutter(m_alpha.id, {0, 0, 2, 2}, {0, 0, 1, 1});
    const Rutter orphan = rutter(QUuid::createUuid(), {0, 0, 3, 3}, {0, 0, 3, 3});
    m_universe->setRutters({toRegina, nowhere, alphas, orphan});
    RuttersView view(*m_universe);
    RutterListSource &source = view.source();
    EXPECT_EQ(view.sectionTitle(), QStringLiteral("Rutters"));
    EXPECT_EQ(titles(*view.model()),
              QStringList({QStringLiteral("Zulu"), QStringLiteral("Zulu"), QStringLiteral("alpha"),
                           QStringLiteral("Unknown Faction"), QStringLiteral("New Rutters")}));
    EXPECT_EQ(view.model()->index(3, 0).data(MapObjectListModel::DotRole).value<QColor>(),
              paletteColor(FactionColor::grey));
    EXPECT_EQ(view.model()->index(0, 0).data(MapObjectListModel::DetailsRole).toStringList(),
              QStringList({QStringLiteral("00-0101 → 00-0202"), QStringLiteral("Regina → Unknown"),
                           QStringLiteral("Uncharted")}));

    // Each owning faction once, sorted by name; the orphan's faction is not offered.
    QStringList offered;
    for (const Faction &f : source.factionFilterFactions())
        offered.append(f.name);
    EXPECT_EQ(offered, QStringList({QStringLiteral("alpha"), QStringLiteral("Zulu")}));
    EXPECT_EQ(actionTexts(openedFilterMenu(view)),
              QStringList({QStringLiteral("All Factions"), QStringLiteral("alpha"), QStringLiteral("Zulu")}));

    const auto listedAfter = [&](const QString &query) {
        QTest::keyClicks(view.searchField(), query);
        const qsizetype count = view.model()->rowCount() - 1;
        view.searchField()->clear();
        return count;
    };
    EXPECT_EQ(listedAfter(QStringLiteral(" \t ")), 4);
    EXPECT_EQ(listedAfter(QStringLiteral("REGINA")), 2);
    EXPECT_EQ(listedAfter(QStringLiteral("uNkNoWn")), 4); // every rutter has an endpoint without a system
    EXPECT_EQ(listedAfter(QStringLiteral("A0-05")), 1);
    EXPECT_EQ(listedAfter(QStringLiteral("0303 ")), 1);

    // Filtering keeps the selection; the "New" row stays.
    view.listView()->setCurrentIndex(view.model()->index(2, 0));
    openedFilterMenu(view)->actions().at(2)->trigger();
    EXPECT_EQ(view.factionFilterButton()->text(), QStringLiteral("Zulu"));
    EXPECT_EQ(titles(*view.model()),
              QStringList({QStringLiteral("Zulu"), QStringLiteral("Zulu"), QStringLiteral("New Rutters")}));
    EXPECT_EQ(view.selection()->element, alphas.id);

    // When the filtered faction's last rutter goes, its name stays on the menu's label
    // and the list says nothing matches.
    view.deleteWithID(toRegina.id);
    view.deleteWithID(nowhere.id);
    EXPECT_EQ(view.factionFilterButton()->text(), QStringLiteral("Zulu"));
    EXPECT_EQ(titles(*view.model()),
              QStringList({QStringLiteral("No matching rutters"), QStringLiteral("New Rutters")}));
    EXPECT_EQ(actionTexts(openedFilterMenu(view)),
              QStringList({QStringLiteral("All Factions"), QStringLiteral("alpha")}));
    EXPECT_EQ(stored()->rutters(), (QList<Rutter>{alphas, orphan}));
}

TEST_F(RuttersViewTest, CreatingNeedsAFactionThatExists)
{
    RuttersView view(*m_universe);
    EXPECT_EQ(titles(*view.model()),
              QStringList({QStringLiteral("No rutters"), QStringLiteral("New Rutters")}));
    auto *editor = qobject_cast<RutterEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->title(), QStringLiteral("Rutters Creation"));
    EXPECT_EQ(editor->factionPicker()->currentText(), QStringLiteral("Select a faction"));
    EXPECT_FALSE(editor->actionButton()->isEnabled());
    EXPECT_EQ(editor->startCaption(), QStringLiteral("From: 00-0000"));

    chooseFaction(*editor, QStringLiteral("Zulu"));
    editor->endPicker()->openSystemList()->choose(0); // Regina
    EXPECT_EQ(editor->endCaption(), QStringLiteral("To: 00-0101"));
    ASSERT_TRUE(editor->actionButton()->isEnabled());
    editor->actionButton()->click();

    const auto file = stored();
    ASSERT_EQ(file->rutters().size(), 1);
    const Rutter created = file->rutters().first();
    EXPECT_EQ(created.factionID, m_zulu.id);
    EXPECT_EQ(created.start, (GalacticCoordinates{0, 0, 0, 0}));
    EXPECT_EQ(created.end, (GalacticCoordinates{0, 0, 1, 1}));
    EXPECT_EQ(created.age, RutterAge::recent);
    // The form is empty again and the new rutter is not selected.
    EXPECT_FALSE(editor->actionButton()->isEnabled());
    EXPECT_EQ(editor->endCaption(), QStringLiteral("To: 00-0000"));
    EXPECT_FALSE(view.selection()->element.has_value());

    // Without factions the form gives way to the explanation.
    m_universe->setFactions({});
    EXPECT_TRUE(editor->showsNoFactions());
    EXPECT_TRUE(editor->actionButton()->isHidden());
    const auto *empty = editor->findChild<ContentUnavailableView *>();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->title(), QStringLiteral("No Factions"));
    EXPECT_EQ(empty->symbol(), Symbol::flagSlash); // no flag, not a faction's flag
}

TEST_F(RuttersViewTest, AnEditedRutterWhoseFactionIsGoneIsNotSilentlyDropped)
{
    const Rutter lost = rutter(QUuid::createUuid(), {0, 0, 4, 4}, {0, 0, 5, 5});
    m_universe->setRutters({rutter(m_alpha.id, {}, {}), lost});
    RuttersView view(*m_universe);
    view.select(MapObjectListView::Selection{lost.id});
    auto *editor = qobject_cast<RutterEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->title(), QStringLiteral("Edit Rutters"));
    EXPECT_EQ(editor->factionPicker()->currentIndex(), -1);
    EXPECT_FALSE(editor->actionButton()->isEnabled());

    chooseFaction(*editor, QStringLiteral("alpha"));
    editor->actionButton()->click();
    ASSERT_EQ(m_universe->rutters().size(), 2);
    EXPECT_EQ(m_universe->rutters().at(1).id, lost.id);
    EXPECT_EQ(m_universe->rutters().at(1).factionID, m_alpha.id);
    EXPECT_EQ(view.detail(), editor);
    EXPECT_EQ(editor->actionButton()->text(), QStringLiteral("Save Changes"));
}

TEST_F(RuttersViewTest, TravellerUniversesSpeakOfRoutes)
{
    m_universe->setData({aHex({0, 0, 1, 1})
                             .named(QStringLiteral("Home"))
                             .worlds({aWorld().main().techLevel(TechnologyLevel::ttl12)})});
    RuttersView view(*m_universe);
    EXPECT_EQ(view.sectionTitle(), QStringLiteral("Routes"));
    EXPECT_EQ(titles(*view.model()),
              QStringList({QStringLiteral("No routes"), QStringLiteral("New Routes")}));
    auto *editor = qobject_cast<RutterEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->title(), QStringLiteral("Routes Creation"));
    EXPECT_EQ(editor->actionButton()->text(), QStringLiteral("Create Rutter"));
    // The wording follows the universe while the screen is open.
    m_universe->setData({});
    EXPECT_EQ(view.sectionTitle(), QStringLiteral("Rutters"));
    EXPECT_EQ(editor->title(), QStringLiteral("Rutters Creation"));
}

// A faction with a name far wider than the editor is cut to the room the form has: the
// form never scrolls sideways, the chosen name ends in an ellipsis, and the picker
// never asks for more than its screen (a form is first drawn at what it asks for).
TEST_F(RuttersViewTest, AFactionsLongNameIsCutToTheEditorsWidth)
{
    const QString name(100'000, u'W');
    const Faction wide = aFaction(name);
    m_universe->setFactions({m_zulu, wide});
    const Rutter route = rutter(wide.id, {0, 0, 1, 1}, {0, 0, 2, 2});
    m_universe->setRutters({route});
    RuttersView view(*m_universe);
    view.resize(900, 600);
    view.show();
    view.select(MapObjectListView::Selection{route.id});
    auto *editor = qobject_cast<RutterEditingView *>(view.detail());
    ASSERT_NE(editor, nullptr);
    FactionPicker *picker = editor->factionPicker();
    EXPECT_LE(picker->sizeHint().width(), picker->screen()->availableGeometry().width());

    auto *scroll = editor->findChild<QScrollArea *>();
    ASSERT_NE(scroll, nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return picker->width() <= scroll->viewport()->width(); }, 10'000))
        << picker->width();
    EXPECT_EQ(scroll->horizontalScrollBar()->maximum(), 0);
    const QString shown = picker->shownText();
    ASSERT_TRUE(shown.endsWith(QChar(0x2026))) << shown.left(80).toStdString();
    EXPECT_TRUE(name.startsWith(shown.chopped(1))) << shown.left(80).toStdString();
}
