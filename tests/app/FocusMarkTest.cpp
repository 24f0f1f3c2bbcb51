// Every control a keyboard user reaches shows that it has the focus, clearly, on the
// background it stands on: with the focus, some pixel of the control differs from the
// same pixel without it by at least the 3:1 contrast a focus mark needs.
#include "ui/FocusMark.h"
#include "AppTestSupport.h"
#include "ImageProbe.h"
#include "editors/ui/NebulaEditingView.h"
#include "editors/ui/NebulaeView.h"
#include "model/TestRecords.h"
#include "screens/ui/SystemDetailView.h"
#include "screens/ui/SystemListView.h"
#include "screens/ui/WorldEditRow.h"
#include "starmap/ui/StarMapView.h"
#include "starmap/ui/SystemOverlayCard.h"
#include "ui/DisclosureGroup.h"
#include "ui/ReadOnlyNotesView.h"
#include "ui/RoutedWindow.h"
#include "ui/WindowRouter.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <functional>

using test_records::aHex;
using test_records::aWorld;

namespace {

// The colour of the shared mark's deep ring in `palette`, as the program paints it.
QRgb deepRing(const QPalette &palette)
{
    QImage image(16, 16, QImage::Format_RGB32);
    image.fill(Qt::gray);
    QPainter painter(&image);
    paintFocusMark(painter, QRectF(image.rect()), palette);
    painter.end();
    return image.pixel(8, 2);
}

std::string describe(const QWidget *control)
{
    const auto *button = qobject_cast<const QAbstractButton *>(control);
    return QStringLiteral("%1 %2 \"%3\"")
        .arg(QString::fromLatin1(control->metaObject()->className()), control->objectName(),
             button ? button->text() : control->accessibleName())
        .toStdString();
}

// The whole application, driven from the keyboard.
class FocusMarks : public AppTest
{
protected:
    // Whether `control`, which has the focus by keyboard, shows the shared mark: drawn as
    // it is, and once Shift+Tab has taken the focus from it, it differs by the edge of the
    // mark's rings. Tab then brings the focus back. The only stop of a window keeps the
    // focus from Shift+Tab: it is drawn without it.
    static bool showsMark(QWidget *control)
    {
        const QImage with = drawnInWindow(control);
        QTest::keyClick(control, Qt::Key_Backtab, Qt::ShiftModifier);
        settle();
        const bool onlyStop = control->hasFocus();
        if (onlyStop)
            control->clearFocus();
        const QImage without = drawnInWindow(control);
        if (onlyStop)
            control->setFocus(Qt::TabFocusReason);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
        EXPECT_TRUE(control->hasFocus()) << describe(control) << " is not reached again by Tab";
        return without.size() == with.size() &&
               showsRingEdge(without, with, deepRing(control->palette()), with.rect());
    }

    // Walks the focus chain with Tab from `start` (the sidebar, or a window) through
    // `page`: every stop on it shows the mark. Returns the stops in the order Tab reached
    // them.
    static QList<QWidget *> everyStopShowsTheMark(QWidget *page, QWidget *start)
    {
        start->setFocus();
        QList<QWidget *> stops;
        for (int step = 0; step < 100; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            settle();
            QWidget *focus = QApplication::focusWidget();
            if (!focus) {
                ADD_FAILURE() << "Tab left no control with the focus";
                break;
            }
            if (stops.contains(focus) || (!page->isAncestorOf(focus) && !stops.isEmpty()))
                break;
            if (!page->isAncestorOf(focus))
                continue; // the sidebar's own stops
            stops.append(focus);
            EXPECT_TRUE(showsMark(focus)) << describe(focus);
        }
        return stops;
    }

    // Gives `control` the focus as a keyboard user does: Tab from the control before it.
    static void reachByKeyboard(QWidget *control)
    {
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
    }

    // Opens the menu of the button that has the focus with Space and, while it is open,
    // chooses the entry titled `entry` with Return.
    static void chooseWithKeys(QWidget *button, const QString &entry)
    {
        bool chosen = false;
        QTimer::singleShot(0, [entry, &chosen] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            for (QAction *action : menu->actions()) {
                if (action->text() == entry) {
                    menu->setActiveAction(action);
                    QTest::keyClick(menu, Qt::Key_Return);
                    chosen = true;
                    return;
                }
            }
            menu->close();
        });
        QTest::keyClick(button, Qt::Key_Space);
        settle();
        EXPECT_TRUE(chosen) << entry.toStdString() << " was not chosen from an open menu";
    }
};

} // namespace

TEST_F(FocusMarks, EveryControlShowsItsFocusClearlyOnItsBackground)
{
    startApp();
    // The card's buttons and a world editor row, in a window of their own.
    QWidget stage;
    auto *layout = new QVBoxLayout(&stage);
    const HexData hex =
        aHex().named(QStringLiteral("Kestrel")).worlds({aWorld().named(QStringLiteral("Terra")).main()});
    auto *card = new SystemOverlayCard(
        universe(), hex, MapViewMode::referee, [] {}, nullptr, 360, {}, &stage);
    auto *row = new WorldEditRow(QStringLiteral("Size"), WorldEditRow::MenuKind::pick, 300, &stage);
    layout->addWidget(card);
    layout->addWidget(row);
    stage.show();

    auto *panel = view()->detailPage()->findChild<QWidget *>(QStringLiteral("starMapControls"));
    ASSERT_NE(panel, nullptr);
    int header = 0;
    while (!list()->groupAt(header))
        ++header;

    const struct
    {
        const char *name;
        QWidget *control;
        QWidget *scene; // what it stands on
        int sidebarRow = -1;
    } cases[] = {
        {"the sidebar's chosen row", list(), list(), list()->currentRow()},
        {"a sidebar group header", list(), list(), header},
        {"the universe menu", view()->universeMenuButton(), view()->universeMenuButton()},
        {"the card's travel button", card->travelButton(), card},
        {"the card's world information button", card->worldInfoButton(), card},
        {"the card's copy button", card->copyButton(), card},
        {"the card's close button", card->closeButton(), card},
        {"a world editor's pencil", row->menuButton(), row},
        {"a view menu toggle", panel->findChild<QCheckBox *>(), panel},
        {"a view menu mode button", panel->findChild<QPushButton *>(), panel},
    };
    for (const auto &[name, control, scene, sidebarRow] : cases) {
        ASSERT_NE(control, nullptr) << name;
        control->window()->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(control->window())) << name;
        settle();
        if (sidebarRow >= 0)
            list()->setCurrentItem(list()->item(sidebarRow), QItemSelectionModel::NoUpdate);
        // Away with Shift+Tab and back with Tab, as a keyboard user reaches it.
        control->setFocus();
        QTest::keyClick(control, Qt::Key_Backtab, Qt::ShiftModifier);
        settle();
        ASSERT_FALSE(control->hasFocus()) << name;
        const QImage without = scene->grab().toImage();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        settle();
        ASSERT_TRUE(control->hasFocus()) << name;
        // How clearly the focus shows on the control: the area leaves out the control
        // the focus came from, which loses its own mark.
        const QImage with = scene->grab().toImage();
        ASSERT_EQ(without.size(), with.size()) << name;
        const QRect area(control->mapTo(scene, QPoint()), control->size());
        EXPECT_GE(strongestContrast(without, with, area), 3.0) << name;
    }
}

// Every control of the map's view column, changed from the keyboard (Space on a toggle
// or the faction filter's reset, an entry chosen from a filter menu, the arrow keys on
// the view switch), keeps the focus and its mark, while the universe takes the change.
// A control the change disables (the faction filter's reset) or takes away (the
// category filter, once the last category is shown again) hands the focus to the
// control after it.
TEST_F(FocusMarks, TheViewColumnKeepsTheFocusOnTheControlTheUserChanged)
{
    startApp();
    StarfarerUniverse &u = *universe();
    Faction alpha;
    alpha.id = QUuid::createUuid();
    alpha.name = QStringLiteral("Alpha");
    alpha.shortName = QStringLiteral("AL");
    u.setFactions({alpha});
    StarmapLabel port;
    port.category = QStringLiteral("Ports");
    StarmapLabel sector;
    sector.id = QUuid::createUuid();
    sector.category = QStringLiteral("Sectors");
    u.setStarmapLabels({port, sector});
    clickRowTitled(QStringLiteral("Star Map"));
    settle();
    auto *map = qobject_cast<StarMapView *>(view()->detailPage());
    ASSERT_NE(map, nullptr);
    QWidget *panel = map->controlsPanel();

    const auto titled = [panel](const char *title) {
        return [panel, title]() -> QWidget * {
            for (QAbstractButton *button : panel->findChildren<QAbstractButton *>()) {
                if (button->text() == QString::fromUtf8(title) && button->isVisible())
                    return button;
            }
            return nullptr;
        };
    };
    const auto named = [panel](const char *name) {
        return [panel, name] { return panel->findChild<QWidget *>(QString::fromLatin1(name)); };
    };
    const auto press = [](Qt::Key key) { return [key](QWidget *control) { QTest::keyClick(control, key); }; };
    const auto choose = [](const char *entry) {
        return [entry](QWidget *control) { chooseWithKeys(control, QString::fromUtf8(entry)); };
    };
    const auto flag = [&u](bool (StarfarerUniverse::*value)() const) {
        return [&u, value] { return QVariant((u.*value)()); };
    };
    const auto hidden = [&u] { return QVariant(u.hiddenLabelCategories().size()); };
    const auto chosen = [&u] { return QVariant(u.selectedFactionIDs().size()); };
    const auto mode = [&u] { return QVariant(static_cast<int>(u.mapViewMode())); };
    // One category left, hidden: its filter goes once it is shown again.
    const auto oneCategoryHidden = [&u, &sector] {
        u.removeObject<StarmapLabel>(sector.id);
        u.setHiddenLabelCategories({QStringLiteral("Ports")});
    };
    using Find = std::function<QWidget *()>;
    const struct
    {
        const char *name;
        Find control;
        std::function<void(QWidget *)> act;
        std::function<QVariant()> setting;
        Find focusAfter; // none: the control itself
        std::function<void()> prepare = {};
    } cases[] = {
        {"Rutters", titled("Rutters"), press(Qt::Key_Space), flag(&StarfarerUniverse::mapShowRutters), {}},
        {"Nebulae", titled("Nebulae"), press(Qt::Key_Space), flag(&StarfarerUniverse::mapShowNebulae), {}},
        {"Regions", titled("Regions"), press(Qt::Key_Space), flag(&StarfarerUniverse::mapShowRegions), {}},
        {"Labels off", titled("Labels"), press(Qt::Key_Space), flag(&StarfarerUniverse::mapShowLabels), {}},
        {"Labels on", titled("Labels"), press(Qt::Key_Space), flag(&StarfarerUniverse::mapShowLabels), {}},
        {"a category hidden", named("categoryMenu"), choose("Ports"), hidden, {}},
        {"all categories", named("categoryMenu"), choose("All categories"), hidden, {}},
        {"the category filter gone", named("categoryMenu"), choose("All categories"), hidden,
         titled("Surveyed data"), oneCategoryHidden},
        {"Surveyed data",
         titled("Surveyed data"),
         press(Qt::Key_Space),
         flag(&StarfarerUniverse::mapShowSurveyedData),
         {}},
        {"Starfarers",
         titled("Starfarers"),
         press(Qt::Key_Space),
         flag(&StarfarerUniverse::mapShowStarfarers),
         {}},
        {"Sathar", titled("Sathar"), press(Qt::Key_Space), flag(&StarfarerUniverse::mapShowSathar), {}},
        {"Other", titled("Other"), press(Qt::Key_Space), flag(&StarfarerUniverse::mapShowOther), {}},
        {"a faction chosen", named("factionMenu"), choose("Alpha (AL)"), chosen, {}},
        {"the faction filter reset", named("factionReset"), press(Qt::Key_Space), chosen,
         named("factionMenu")},
        {"the player's view", titled("Referee"), press(Qt::Key_Right), mode, titled("Player")},
        {"the referee's view", titled("Player"), press(Qt::Key_Left), mode, titled("Referee")},
    };
    for (const auto &[name, find, act, setting, focusAfter, prepare] : cases) {
        if (prepare)
            prepare();
        QWidget *control = find();
        ASSERT_NE(control, nullptr) << name;
        QWidget *window = control->window();
        reachByKeyboard(control);
        ASSERT_TRUE(control->hasFocus()) << name;
        const QVariant before = setting();
        act(control);
        settle();
        // A closed menu gives the focus back once its window is active again, which the
        // offscreen platform leaves to the test.
        QApplication::setActiveWindow(window);
        EXPECT_NE(setting(), before) << name << ": the universe did not take the change";
        // The same control, not one made again in its place.
        QWidget *expected = focusAfter ? focusAfter() : control;
        ASSERT_EQ(QApplication::focusWidget(), expected)
            << name << ": the focus went to "
            << (QApplication::focusWidget() ? describe(QApplication::focusWidget()) : std::string("nothing"));
        EXPECT_TRUE(showsMark(expected)) << name;
    }
}

// Every focus stop of the editors and of the map, reached with Tab from the sidebar,
// shows the shared mark: text fields, notes, steppers, menus, lists and buttons alike.
TEST_F(FocusMarks, EveryFocusStopOfTheEditorsAndTheMapShowsTheMark)
{
    startApp();
    StarmapLabel port;
    port.category = QStringLiteral("Ports");
    StarmapLabel sector;
    sector.id = QUuid::createUuid();
    sector.category = QStringLiteral("Sectors");
    universe()->setStarmapLabels({port, sector});
    Faction alpha;
    alpha.id = QUuid::createUuid();
    alpha.name = QStringLiteral("Alpha");
    universe()->setFactions({alpha});
    for (const char *screen :
         {"Star Map", "Rutters", "Nebulae", "Regions", "Labels", "Factions Lists", "New Faction"}) {
        SCOPED_TRACE(screen);
        clickRowTitled(QString::fromUtf8(screen));
        settle();
        QWidget *page = view()->detailPage();
        // The asset form too, which opens from its disclosure.
        for (DisclosureGroup *group : page->findChildren<DisclosureGroup *>())
            group->setExpanded(true);
        EXPECT_GE(everyStopShowsTheMark(page, list()).size(), 3);
    }
}

// The page of a stored system: its notes, which can be read and selected from the
// keyboard, and the page itself once it is longer than the window, from which the keys
// scroll it, show the mark; a page that shows whole is no stop, as it has nothing to do.
TEST_F(FocusMarks, EveryFocusStopOfASystemsPageShowsTheMark)
{
    startApp();
    for (const bool longNotes : {false, true}) {
        SCOPED_TRACE(longNotes ? "a page longer than the window" : "a page that shows whole");
        QString notes = QStringLiteral("Notes");
        for (int line = 0; longNotes && line < 40; ++line)
            notes += QStringLiteral("\nA line of notes");
        const HexData hex = aHex()
                                .named(QStringLiteral("Kestrel"))
                                .notes(notes)
                                .worlds({aWorld().named(QStringLiteral("Terra")).main().notes(notes)});
        universe()->setData({hex});
        clickRowTitled(QStringLiteral("Systems"));
        settle();
        auto *systems = qobject_cast<SystemListView *>(view()->detailPage());
        ASSERT_NE(systems, nullptr);
        systems->showDetail(hex);
        settle();
        auto *detail = qobject_cast<SystemDetailView *>(systems->currentPage());
        ASSERT_NE(detail, nullptr);

        const QList<QWidget *> stops = everyStopShowsTheMark(systems, list());
        // Back, the page when it scrolls, Edit, the hex's notes, the main world's notes
        // twice and the worlds list's disclosure.
        EXPECT_EQ(stops.size(), longNotes ? 7 : 6);
        EXPECT_EQ(stops.count(detail), longNotes ? 1 : 0);
        EXPECT_EQ(detail->findChildren<ReadOnlyNotesView *>().size(), 3);
        for (ReadOnlyNotesView *view : detail->findChildren<ReadOnlyNotesView *>())
            EXPECT_TRUE(stops.contains(view)) << view->objectName().toStdString();
        if (longNotes) {
            // From the page, the keys scroll it.
            reachByKeyboard(detail);
            ASSERT_TRUE(detail->hasFocus());
            QTest::keyClick(detail, Qt::Key_PageDown);
            EXPECT_GT(detail->verticalScrollBar()->value(), 0);
        }
        systems->returnToStart();
    }
}

// The tool windows of a system (its travel times, its main world's information) and the
// program's own (the UWP reference, About), each too small for all it shows: every stop,
// the page that scrolls included, shows the mark.
TEST_F(FocusMarks, EveryFocusStopOfTheToolWindowsShowsTheMark)
{
    startApp();
    const HexData hex =
        aHex().named(QStringLiteral("Kestrel")).worlds({aWorld().named(QStringLiteral("Terra")).main()});
    universe()->setData({hex});
    WindowRouter *router = m_app->router();
    for (RoutedWindow *window :
         {router->openWindow(WindowId::systemTravel, hex.coordinates),
          router->openWindow(WindowId::worldInfo, hex.coordinates),
          router->openWindow(WindowId::uwpReference), router->openWindow(WindowId::about)}) {
        ASSERT_NE(window, nullptr);
        SCOPED_TRACE(window->id().toStdString());
        window->resize(360, 300);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window));
        settle();
        EXPECT_FALSE(everyStopShowsTheMark(window, window).isEmpty());
    }
}

// The nebula editor's hex list keeps the focus when Delete removes the chosen hex, and
// shows the mark at once: on the row that took the removed one's place, or on the one
// before when the last went, chosen, so that Delete goes on from there.
TEST_F(FocusMarks, TheNebulaHexListShowsTheMarkAfterDelete)
{
    startApp();
    Nebula veil;
    veil.id = QUuid::createUuid();
    veil.name = QStringLiteral("Veil");
    for (int column = 1; column <= 4; ++column)
        veil.hexes.append(GalacticCoordinates{0, 0, column, 1});
    universe()->setNebulae({veil});
    clickRowTitled(QStringLiteral("Nebulae"));
    settle();
    auto *nebulae = qobject_cast<NebulaeView *>(view()->detailPage());
    ASSERT_NE(nebulae, nullptr);
    nebulae->select(MapObjectListView::Selection{veil.id});
    settle();
    auto *editor = qobject_cast<NebulaEditingView *>(nebulae->detail());
    ASSERT_NE(editor, nullptr);
    QListWidget *hexes = editor->hexList();
    reachByKeyboard(hexes);
    ASSERT_TRUE(hexes->hasFocus());

    const auto columns = [editor] {
        QList<qint64> shown;
        for (const GalacticCoordinates &hex : editor->draft().hexes)
            shown.append(hex.column);
        return shown;
    };
    const struct
    {
        int chosen;
        QList<qint64> left;
        int current;
    } steps[] = {
        {1, {1, 3, 4}, 1}, // the next row takes the place
        {2, {1, 3}, 1},    // the last went: the one before
        {1, {1}, 0},
    };
    for (const auto &[chosen, left, current] : steps) {
        SCOPED_TRACE(chosen);
        hexes->setCurrentRow(chosen);
        QTest::keyClick(hexes, Qt::Key_Delete);
        settle();
        ASSERT_EQ(columns(), left);
        ASSERT_TRUE(hexes->hasFocus());
        EXPECT_EQ(hexes->currentRow(), current);
        EXPECT_TRUE(hexes->currentItem() && hexes->currentItem()->isSelected());
        EXPECT_TRUE(showsMark(hexes));
    }

    // The last hex gone, the list hides and the focus stays in the form, marked, though
    // the user had not moved the focus with Tab in this window (as with the mouse alone).
    hexes->window()->setAttribute(Qt::WA_KeyboardFocusChange, false);
    QTest::keyClick(hexes, Qt::Key_Delete);
    settle();
    ASSERT_TRUE(editor->draft().hexes.isEmpty());
    QWidget *focused = QApplication::focusWidget();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused->objectName(), QStringLiteral("addHex"));
    EXPECT_TRUE(showsMark(focused));
}
