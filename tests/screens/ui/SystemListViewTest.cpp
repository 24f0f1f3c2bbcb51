#include "screens/ui/SystemListView.h"
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

// Every column of a full row can be scrolled to in a list narrower than the row, and
// chips that do not fit their column end in an ellipsis instead of running past it.
TEST_F(SystemListTest, EveryColumnIsReachableAndRowsStayWithinTheirWidth)
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
    store({crowded});
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
    view.resize(900, 600);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    auto *list = view.findChild<QListView *>();
    QCoreApplication::processEvents();
    const int width = SystemRowDelegate::rowWidth();
    EXPECT_GT(width, list->viewport()->width());
    EXPECT_GE(list->horizontalScrollBar()->maximum() + list->viewport()->width(), width);

    // Drawn in a rectangle wider than the row, the chips stop at the row's edge.
    const QModelIndex index = view.model()->index(0);
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.rect = QRect(0, 0, width + 200, list->itemDelegate()->sizeHint(option, index).height());
    QImage image(option.rect.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        list->itemDelegate()->paint(&painter, option, index);
    }
    const auto inkBetween = [&](int left, int right) {
        for (int y = 0; y < image.height(); ++y) {
            for (int x = left; x < right; ++x) {
                if (image.pixel(x, y) != image.pixel(width + 199, 0))
                    return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(inkBetween(width - 60, width));
    EXPECT_FALSE(inkBetween(width + 1, width + 200));
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
