#include "screens/ui/SystemListView.h"
#include "HeldJobPool.h"
#include "ScreenTestSupport.h"
#include "model/WorldDescriptions.h"
#include "screens/RutterIndex.h"
#include "screens/SystemListModel.h"
#include "screens/SystemListProxy.h"
#include "screens/SystemListTestSupport.h"
#include "screens/SystemRowContent.h"
#include "screens/ui/SystemDetailView.h"
#include "screens/ui/SystemEditorView.h"
#include "screens/ui/SystemRowDelegate.h"
#include "ui/ContentUnavailableView.h"
#include "ui/ElidedLabel.h"
#include "ui/ReadOnlyNotesView.h"
#include "universe/StarfarerUniverse.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace screen_test;

namespace {

TEST_F(SystemListTest, DeletingRemovesEveryHexWithTheIdAndSaves)
{
    HexData twin = system("Twin", {0, 0, 5, 5});
    HexData copy = twin;
    copy.coordinates.column = 6;
    store({system("Keep 1", {0, 0, 2, 2}), twin, system("Keep 2", {0, 0, 1, 1}), copy});
    SystemListView view(m_universe.get(), nullptr);
    view.setSubsectorFilter(SubsectorKey{0, 0, QStringLiteral("A")});
    QSignalSpy saved(m_universe.get(), &StarfarerUniverse::saved);
    view.deleteSystem(twin.id);
    ASSERT_TRUE(m_universe->waitForPendingSave());
    EXPECT_EQ(saved.count(), 1);
    EXPECT_EQ(names(m_universe->data().toList()), strings({"Keep 1", "Keep 2"}));
    EXPECT_EQ(names(view.model()->filteredSystems()), strings({"Keep 2", "Keep 1"}));

    // The Delete key removes the current row.
    auto *list = view.findChild<QListView *>();
    list->setCurrentIndex(view.model()->index(0));
    QTest::keyClick(list, Qt::Key_Delete);
    EXPECT_EQ(names(m_universe->data().toList()), strings({"Keep 1"}));
}

TEST_F(SystemListTest, StaleSubsectorFilterShowsNoResults)
{
    const HexData b = system("Bee", {0, 0, 9, 1});
    store({system("Ay", {0, 0, 1, 1}), b});
    SystemListView view(m_universe.get(), nullptr);
    const SubsectorKey keyB{0, 0, QStringLiteral("B")};
    view.setSubsectorFilter(keyB);
    view.deleteSystem(b.id);
    EXPECT_EQ(view.model()->subsectorFilter(), keyB);
    EXPECT_EQ(view.model()->rowCount(), 0);
    auto *noResults = qobject_cast<ContentUnavailableView *>(
        view.findChild<QListView *>()->parentWidget()->findChildren<ContentUnavailableView *>().last());
    ASSERT_NE(noResults, nullptr);
    EXPECT_FALSE(view.model()->availableSubsectors().contains(keyB));
    ASSERT_TRUE(m_universe->waitForPendingSave());
}

TEST_F(SystemListTest, EmptyUniverseAndRandomPick)
{
    SystemListView empty(m_universe.get(), nullptr);
    auto *dice = empty.findChild<QToolButton *>(QStringLiteral("randomSystem"));
    EXPECT_FALSE(dice->isVisibleTo(&empty));

    store({system("", {0, 0, 1, 1}), system("One", {0, 0, 9, 1}), system("Two", {0, 0, 17, 1})});
    SystemListView view(m_universe.get(), nullptr);
    view.setSortOrder(SystemSort::name);
    view.setSubsectorFilter(SubsectorKey{0, 0, QStringLiteral("A")});
    SeededSource seeded(3);
    ScopedRandomSource scope(seeded);
    QSet<QString> picked;
    for (int i = 0; i < 40; ++i) {
        view.pickRandomSystem();
        picked.insert(view.model()->searchText());
    }
    // Any saved system, the unnamed one included; the order and filter stay.
    EXPECT_EQ(picked, QSet<QString>({QString(), QStringLiteral("One"), QStringLiteral("Two")}));
    EXPECT_EQ(view.model()->sortOrder(), SystemSort::name);
    EXPECT_TRUE(view.model()->subsectorFilter().has_value());
}

TEST_F(SystemListTest, DetailViewShowsTheBlockAndFollowsTheHex)
{
    HexData hex = system("", {0, 0, 1, 1}, "Terra");
    WorldData &main = hex.starSystem.stars[0].worlds[0];
    main.notes = QStringLiteral("windy");
    main.worldTags = {WorldTag::redZone};
    hex.starSystem.gasGiant = 2;
    hex.starSystem.planetoidBelts = 1;
    store({hex});
    SystemDetailView detail(m_universe.get(), hex, SystemDetailView::kViewWidth);
    EXPECT_EQ(detail.systemName(), QStringLiteral("Unnamed System"));
    const QString line = detail.mainWorldSummaryLine();
    EXPECT_TRUE(line.startsWith(main.uwp.code() + QStringLiteral(" 012 "))) << line.toStdString();
    EXPECT_TRUE(line.endsWith(QStringLiteral("\n[") + tradeClassesText(main) + QLatin1Char(']')));
    EXPECT_EQ(detail.findChildren<ReadOnlyNotesView *>(QStringLiteral("blockNotes")).size(), 1);
    EXPECT_EQ(detail.findChildren<ReadOnlyNotesView *>(QStringLiteral("footNotes")).size(), 1);
    QStringList captions;
    for (const QLabel *label : detail.findChildren<QLabel *>(QStringLiteral("caption")))
        captions.append(label->text());
    EXPECT_EQ(captions, strings({"Main World", "World Tags"}));

    HexData renamed = hex;
    renamed.starSystem.stars[0].worlds[0].mainWorld = false;
    renamed.starSystem.name = QStringLiteral("Sol");
    QSignalSpy titles(&detail, &SystemDetailView::titleChanged);
    m_universe->replaceHex(renamed);
    EXPECT_EQ(titles.last().first().toString(), QStringLiteral("Sol"));
    EXPECT_EQ(detail.mainWorldName(), QStringLiteral("\u2014"));
    EXPECT_TRUE(detail.mainWorldSummaryLine().isEmpty());
    m_universe->removeHex(hex.id);
    EXPECT_EQ(detail.currentHex(), hex);
}

// Systems sharing a hex each have a row, and a change naming the hex repaints all of
// them, in the list's order, each once.
TEST_F(SystemListTest, EveryRowAtAHexARutterTouchesIsRepainted)
{
    Faction owner;
    owner.id = QUuid::createUuid();
    m_universe->setFactions({owner});
    store({system("First", {0, 0, 1, 1}), system("Elsewhere", {0, 0, 4, 4}), system("Second", {0, 0, 1, 1})});
    SystemListModel model(m_universe.get());
    QSignalSpy repainted(&model, &QAbstractItemModel::dataChanged);
    m_universe->insertObject(Rutter{
        QUuid::createUuid(), owner.id, {0, 0, 1, 1}, {0, 0, 4, 4}, false, RutterAge::recent, std::nullopt});
    QList<int> rows;
    for (const QList<QVariant> &told : repainted)
        rows.append(told.first().toModelIndex().row());
    EXPECT_EQ(rows, (QList<int>{0, 1, 2}));
}

TEST_F(SystemListTest, NavigatesToDetailAndEditorAndBack)
{
    const HexData hex = system("Vega", {0, 0, 1, 1});
    store({hex});
    SystemListView view(m_universe.get(), nullptr);
    auto *list = view.findChild<QListView *>();
    list->setCurrentIndex(view.model()->index(0));
    QTest::keyClick(list, Qt::Key_Return);
    auto *detail = qobject_cast<SystemDetailView *>(view.currentPage());
    ASSERT_NE(detail, nullptr);
    EXPECT_EQ(detail->currentHex(), hex);
    detail->edit();
    auto *editor = qobject_cast<SystemEditorView *>(view.currentPage());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->state().originalHexID(), hex.id);
    view.goBack();
    EXPECT_EQ(view.currentPage(), detail);
    view.goBack();
    EXPECT_NE(view.currentPage()->findChild<QListView *>(), nullptr);
}

} // namespace

namespace {

// A row is as wide as the list, at any width: the list never scrolls sideways (no
// scroll bar, and a sideways turn of the wheel moves nothing), each row starts at the
// list's left edge with its texts, and what does not fit (a long name, chips) ends in
// an ellipsis at its column's end or the row's instead of running past it.
TEST_F(SystemListTest, RowsFitTheListAtEveryWidthAndNeverScrollSideways)
{
    QList<Faction> factions;
    for (int i = 0; i < 6; ++i) {
        Faction faction;
        faction.id = QUuid::createUuid();
        faction.shortName = QStringLiteral("FACTION%1").arg(i);
        faction.color = FactionColor::red;
        factions.append(faction);
    }
    m_universe->setFactions(factions);
    HexData crowded = system("Crowded", {0, 0, 1, 1}, "Main");
    WorldData &main = crowded.starSystem.stars[0].worlds[0];
    main.worldTags = {WorldTag::abandonedColony, WorldTag::amberZone, WorldTag::redZone,
                      WorldTag::alienRuins};
    for (const Faction &faction : factions)
        main.factionIDs.append(faction.id);
    HexData lengthy = system("", {0, 0, 2, 1}, "");
    lengthy.starSystem.name = QStringLiteral("Long ").repeated(60);
    store({crowded, lengthy});
    QList<Rutter> rutters;
    for (qint64 row = 2; row < 30; ++row)
        rutters.append({QUuid::createUuid(),
                        factions[0].id,
                        {0, 0, 1, 1},
                        {0, 0, 1, row},
                        false,
                        RutterAge::recent,
                        std::nullopt});
    m_universe->setRutters(rutters);

    SystemListView view(m_universe.get(), nullptr);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto *list = view.findChild<QListView *>();
    QScrollBar *sideways = list->horizontalScrollBar();
    const QModelIndex first = view.model()->index(0);
    for (const int width : {360, 560, 900, 1300, 1500, 1700, SystemRowDelegate::rowWidth() + 300}) {
        SCOPED_TRACE(width);
        view.resize(width, 400);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return list->visualRect(first).width() == list->viewport()->width(); }, 10000));
        const int shown = list->viewport()->width();
        EXPECT_FALSE(sideways->isVisible());
        EXPECT_EQ(sideways->maximum(), 0);
        QWheelEvent wheel(QPointF(20, 20), list->viewport()->mapToGlobal(QPointF(20, 20)), QPoint(),
                          QPoint(-120, 0), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(list->viewport(), &wheel);
        EXPECT_EQ(sideways->value(), 0);
        for (int row = 0; row < view.model()->rowCount(); ++row) {
            const QRect rect = list->visualRect(view.model()->index(row));
            EXPECT_EQ(rect.left(), 0) << "row " << row;
            EXPECT_EQ(rect.width(), shown) << "row " << row;
        }
        // The row's label stands at the list's left edge, where it shows.
        const QImage shownRows = list->viewport()->grab().toImage();
        const QRect firstRect = list->visualRect(first);
        const QRgb empty = shownRows.pixel(shownRows.width() - 1, shownRows.height() - 1);
        bool labelShown = false;
        for (int y = firstRect.top(); y < firstRect.top() + 20 && !labelShown; ++y) {
            for (int x = 0; x < 40 && !labelShown; ++x)
                labelShown = shownRows.pixel(x, y) != empty;
        }
        EXPECT_TRUE(labelShown);

        // Drawn at the list's width in a wider picture, every row ends at that width;
        // the crowded one's chips reach it.
        for (int row = 0; row < view.model()->rowCount(); ++row) {
            const QModelIndex index = view.model()->index(row);
            QStyleOptionViewItem option;
            option.initFrom(list);
            option.rect = QRect(0, 0, shown, list->itemDelegate()->sizeHint(option, index).height());
            QImage image(option.rect.size() + QSize(200, 0), QImage::Format_ARGB32);
            image.fill(Qt::white);
            {
                QPainter painter(&image);
                list->itemDelegate()->paint(&painter, option, index);
            }
            const auto inkBetween = [&](int left, int right) {
                for (int y = 0; y < image.height(); ++y) {
                    for (int x = std::max(left, 0); x < right; ++x) {
                        if (image.pixel(x, y) != image.pixel(image.width() - 1, 0))
                            return true;
                    }
                }
                return false;
            };
            EXPECT_FALSE(inkBetween(shown - 1, shown + 200)) << "row " << row;
            // The long name runs to the end of its column or of a narrower row; the
            // crowded row's chips, where their columns begin within the row, to its end.
            const QUuid id = index.data(SystemListModel::HexIDRole).toUuid();
            const int infoEnd = std::min(shown, SystemRowDelegate::kInfoWidth);
            if (id == lengthy.id) {
                EXPECT_TRUE(inkBetween(infoEnd - 40, infoEnd));
            }
            if (id == crowded.id &&
                shown > SystemRowDelegate::kInfoWidth + SystemRowDelegate::kInfoTrailingPadding) {
                EXPECT_TRUE(inkBetween(shown - 60, shown));
            }
        }
    }
}

// A list of many systems, scrolled down, shows the first rows of a new search or order
// at its top, once the rows show it: a search typed while the keys it needs are still
// being made scrolls when its rows come, not before. An edit of one system, an insert
// and a removal leave the list where it was.
TEST_F(SystemListTest, ANewSearchOrOrderShowsItsFirstRowsAtTheTopAndEditsKeepTheScroll)
{
    QList<HexData> systems;
    for (int i = 0; i < int(SystemListModel::kMadeAheadFrom) + 200; ++i)
        systems.append(
            system(qPrintable(QStringLiteral("Sys%1").arg(i)), {i / 1280, 0, 1 + i % 32, 1 + i / 32 % 40}));
    store(systems);
    HeldJobPool held; // the keys are not made until it is released
    SystemListView view(m_universe.get(), nullptr);
    view.resize(700, 500);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto *list = view.findChild<QListView *>();
    SystemListProxy &rows = *view.model();
    QScrollBar *scroll = list->verticalScrollBar();
    const auto topRow = [&] { return list->indexAt(QPoint(2, 2)).row(); };
    const auto scrollDownTo = [&](int row) {
        list->scrollTo(rows.index(row), QAbstractItemView::PositionAtTop);
        return QTest::qWaitFor([&] { return topRow() == row; }, 10000);
    };
    const auto firstRowsAtTop = [&] {
        return QTest::qWaitFor([&] { return scroll->value() == 0 && topRow() == 0; }, 10000);
    };
    ASSERT_TRUE(QTest::qWaitFor([&] { return scroll->maximum() > 0; }, 10000));
    ASSERT_TRUE(scrollDownTo(120));

    QTest::keyClicks(view.findChild<QLineEdit *>(), QStringLiteral("sys1"));
    ASSERT_TRUE(rows.isWaitingForKeys());
    // Meanwhile the rows shown are scrolled as the user likes.
    ASSERT_TRUE(scrollDownTo(150));
    held.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rows.isWaitingForKeys(); }, 60000));
    ASSERT_EQ(rows.searchText(), QStringLiteral("sys1"));
    ASSERT_GT(rows.rowCount(), 200);
    EXPECT_TRUE(firstRowsAtTop());

    ASSERT_TRUE(scrollDownTo(100));
    view.setSortOrder(SystemSort::name);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !rows.isWaitingForKeys(); }, 60000));
    EXPECT_TRUE(firstRowsAtTop());
    EXPECT_EQ(rows.hexAt(0).starSystem.name, QStringLiteral("Sys1"));
    ASSERT_TRUE(scrollDownTo(100));
    view.setSearchText(QStringLiteral("sys11"));
    EXPECT_TRUE(firstRowsAtTop());

    // Edits keep the place: a renamed main world on the top row, a system renamed to
    // another place, one inserted above the rows shown, a batch spread among them, one
    // removed below them.
    view.setSearchText(QString());
    ASSERT_TRUE(scrollDownTo(300));
    const int scrolled = scroll->value();
    HexData edited = rows.hexAt(300);
    edited.starSystem.stars[0].worlds[0].name = QStringLiteral("Renamed");
    m_universe->replaceHex(edited);
    // The list lays its rows out again after a change.
    const auto laidOut = [&] { return QTest::qWaitFor([&] { return topRow() >= 0; }, 10000); };
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(scroll->value(), scrolled);
    EXPECT_EQ(list->indexAt(QPoint(2, 2)).data(SystemListModel::HexIDRole).toUuid(), edited.id);
    edited = rows.hexAt(400);
    edited.starSystem.name = QStringLiteral("Zeta");
    m_universe->replaceHex(edited);
    m_universe->insertHex(system("Sys0000", {5, 5, 1, 1}));
    m_universe->insertHexes({system("Sys1a", {6, 5, 1, 1}), system("Sys9a", {6, 5, 2, 1})});
    m_universe->removeHex(rows.hexAt(600).id);
    ASSERT_TRUE(laidOut());
    EXPECT_EQ(scroll->value(), scrolled);
    EXPECT_NE(topRow(), 0);
}

} // namespace

namespace {

// The detail view follows only what it shows: its own hex, the systems at the far
// ends of its rutters, the rutters touching its hex, the factions it names (each
// change it follows tells its title); hidden (under the editor), it shows the change
// when it shows again.
TEST_F(SystemListTest, DetailViewFollowsOnlyWhatItShows)
{
    Faction shown;
    shown.id = QUuid::createUuid();
    shown.shortName = QStringLiteral("SHN");
    Faction other;
    other.id = QUuid::createUuid();
    m_universe->setFactions({shown, other});
    HexData home = system("Home", {0, 0, 1, 1}, "Terra");
    home.starSystem.stars[0].worlds[0].factionIDs = {shown.id};
    const HexData farEnd = system("Far", {0, 0, 5, 5});
    const HexData elsewhere = system("Elsewhere", {0, 0, 9, 9});
    store({home, farEnd, elsewhere});
    m_universe->setRutters({{QUuid::createUuid(), other.id, home.coordinates, farEnd.coordinates, false,
                             RutterAge::recent, std::nullopt}});
    SystemDetailView detail(m_universe.get(), home, SystemDetailView::kViewWidth);
    detail.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&detail));
    QSignalSpy told(&detail, &SystemDetailView::titleChanged);
    const auto followed = [&] {
        const bool any = !told.isEmpty();
        told.clear();
        return any;
    };
    const auto shownTitle = [&] {
        return detail.widget()->findChild<ElidedLabel *>(QStringLiteral("title"))->text();
    };

    HexData renamed = elsewhere;
    renamed.starSystem.name = QStringLiteral("Still elsewhere");
    m_universe->replaceHex(renamed);
    Faction unrelated;
    unrelated.id = QUuid::createUuid();
    m_universe->insertObject(unrelated);
    m_universe->insertObject(Rutter{QUuid::createUuid(),
                                    shown.id,
                                    elsewhere.coordinates,
                                    {0, 0, 9, 10},
                                    false,
                                    RutterAge::recent,
                                    std::nullopt});
    EXPECT_FALSE(followed());

    HexData farRenamed = farEnd;
    farRenamed.starSystem.name = QStringLiteral("Farther");
    m_universe->replaceHex(farRenamed);
    EXPECT_TRUE(followed());
    EXPECT_EQ(detail.rutterDestinations().first().name, QStringLiteral("Farther"));
    other.color = FactionColor::blue; // the rutter's colour
    m_universe->replaceObject(other);
    EXPECT_TRUE(followed());
    shown.shortName = QStringLiteral("NEW");
    m_universe->replaceObject(shown);
    EXPECT_TRUE(followed());
    m_universe->insertObject(Rutter{QUuid::createUuid(), other.id, elsewhere.coordinates, home.coordinates,
                                    false, RutterAge::recent, std::nullopt});
    EXPECT_TRUE(followed());
    EXPECT_EQ(detail.rutterDestinations().size(), 2);

    // Hidden, the page keeps what it showed until it shows again; its title is told
    // at once.
    detail.hide();
    HexData own = m_universe->hexWithID(home.id).value();
    own.starSystem.name = QStringLiteral("Renamed home");
    m_universe->replaceHex(own);
    ASSERT_FALSE(told.isEmpty());
    EXPECT_EQ(told.last().first().toString(), QStringLiteral("Renamed home"));
    EXPECT_EQ(shownTitle(), QStringLiteral("Home"));
    detail.show();
    EXPECT_EQ(shownTitle(), QStringLiteral("Renamed home"));
}

} // namespace
