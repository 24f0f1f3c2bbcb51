// The system list's rows follow the document row by row: after any mix of edits (some
// giving a system another's id), single and batch inserts and removals, in each order
// and under a search and a subsector filter, they are the rows of a list built afresh
// and the rows a plain reading of the systems gives (every text compared as it is,
// pair by pair); no change resets them, the current row stays on its system, and a
// batch arrives as one update.
#include "screens/SystemListProxy.h"
#include "ItemModelMirror.h"
#include "OneThreadPools.h"
#include "ScreenTestRecords.h"
#include "model/NaturalOrder.h"
#include "model/WorldDescriptions.h"
#include "screens/RutterDestination.h"
#include "screens/SystemListModel.h"
#include "screens/SystemRowContent.h"
#include "universe/StarfarerUniverse.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <optional>
#include <random>
#include <tuple>

using namespace screen_test;

namespace {

QList<QUuid> ids(const QList<HexData> &hexes)
{
    QList<QUuid> list;
    for (const HexData &hex : hexes)
        list.append(hex.id);
    return list;
}

// The place of a hex's subsector in its sector, A to P across and down, not capped.
qint64 plainSubsectorIndex(const GalacticCoordinates &c)
{
    return 4 * (std::max<qint64>(c.row - 1, 0) / 10) + std::max<qint64>(c.column - 1, 0) / 8;
}

bool plainCoordinateOrder(const HexData &a, const HexData &b)
{
    const GalacticCoordinates &p = a.coordinates;
    const GalacticCoordinates &q = b.coordinates;
    if (p.sectorX != q.sectorX)
        return p.sectorX < q.sectorX;
    if (p.sectorY != q.sectorY)
        return p.sectorY < q.sectorY;
    if (plainSubsectorIndex(p) != plainSubsectorIndex(q))
        return plainSubsectorIndex(p) < plainSubsectorIndex(q);
    if (p.column != q.column)
        return p.column < q.column;
    return p.row < q.row;
}

QString plainMainWorldName(const HexData &hex)
{
    const std::optional<WorldData> main = hex.starSystem.mainWorld();
    return main ? main->name : QString();
}

// The rows of the list read plainly off the stored systems: each text searched on
// its own, names compared pair by pair with the collator, a stable sort.
QList<QUuid> plainRows(const HexList &data, const QString &search, SystemSort order,
                       const std::optional<SubsectorKey> &filter)
{
    const QString needle = search.trimmed();
    const auto contains = [&](const QString &text) {
        return text.toCaseFolded().contains(needle.toCaseFolded());
    };
    QList<HexData> kept;
    for (const HexData &hex : data) {
        if (filter && SubsectorKey::of(hex.coordinates) != *filter)
            continue;
        bool found = needle.isEmpty() ||
                     contains(hex.coordinates.description() + u' ' + hex.coordinates.subsectorLetter()) ||
                     contains(hex.starSystem.name);
        for (const WorldData &world : hex.starSystem.allWorlds())
            found = found || contains(world.name);
        if (found)
            kept.append(hex);
    }
    const NaturalOrder names;
    const auto byText = [&](const QString &a, const QString &b, const HexData &x, const HexData &y) {
        if (a.isEmpty() != b.isEmpty())
            return b.isEmpty();
        const int compared = names.compare(a, b);
        return compared != 0 ? compared < 0 : plainCoordinateOrder(x, y);
    };
    std::stable_sort(kept.begin(), kept.end(), [&](const HexData &x, const HexData &y) {
        switch (order) {
        case SystemSort::name: return byText(x.starSystem.name, y.starSystem.name, x, y);
        case SystemSort::mainWorld: return byText(plainMainWorldName(x), plainMainWorldName(y), x, y);
        case SystemSort::coordinates: break;
        }
        return plainCoordinateOrder(x, y);
    });
    return ids(kept);
}

// The lines of a row's info column counted from the worlds the row lists.
int plainLineCount(const HexData &hex)
{
    const std::optional<WorldData> main = hex.starSystem.mainWorld();
    int lines = 2 + !hex.notes.isEmpty() + (main && !main->notes.isEmpty());
    for (const WorldData &world : SystemRowContent::namedWorldsBesidesMain(hex.starSystem))
        lines += 1 + !world.notes.isEmpty();
    return lines;
}

class SystemListProxyTest : public ::testing::Test
{
protected:
    HexData someSystem()
    {
        // Few names, main worlds and places, so that ties and shared hexes are common.
        static const QStringList names{
            QStringLiteral("Vland"), QStringLiteral("vland"),    QString(),
            QStringLiteral("Äther"), QStringLiteral("World 10"), QStringLiteral("World 9")};
        HexData hex =
            hexWithMainWorld(TechnologyLevel::ttl12,
                             {qint64(m_random() % 2), 0, qint64(m_random() % 20), qint64(m_random() % 45)});
        hex.starSystem.name = names[m_random() % names.size()];
        hex.starSystem.stars[0].worlds[0].name = names[m_random() % names.size()];
        hex.starSystem.stars[0].worlds[0].mainWorld = m_random() % 4 != 0;
        return hex;
    }

    // Stores `count` systems and opens the list on them.
    SystemListProxy &open(int count)
    {
        QList<HexData> systems;
        for (int i = 0; i < count; ++i)
            systems.append(someSystem());
        m_universe.setData(systems);
        m_source = std::make_unique<SystemListModel>(&m_universe);
        m_rows = std::make_unique<SystemListProxy>(m_source.get());
        return *m_rows;
    }

    // A system with names beyond ASCII that fold, collate and number differently,
    // other worlds named or not (some by their kind), notes here and there, in a few
    // sectors or, when `farOnes` are allowed, sometimes far outside any.
    HexData variedSystem(bool farOnes)
    {
        static const QStringList names{QString(),
                                       QStringLiteral("Äther"),
                                       QStringLiteral("äther"),
                                       QStringLiteral("Aether"),
                                       QStringLiteral("Straße"),
                                       QStringLiteral("STRASSE"),
                                       QStringLiteral("Ωmega"),
                                       QStringLiteral("ωmega"),
                                       QStringLiteral("Кострома"),
                                       QStringLiteral("World 9"),
                                       QStringLiteral("world 10"),
                                       QStringLiteral("Zeta"),
                                       QStringLiteral("İstanbul")};
        const auto pick = [&] { return names[m_random() % names.size()]; };
        const bool far = farOnes && m_random() % 12 == 0;
        const GalacticCoordinates at{far ? qint64(m_random() % 2 ? 40000 : -1000000000)
                                         : qint64(m_random() % 3),
                                     -qint64(m_random() % 2), qint64(m_random() % 34),
                                     far ? qint64(4000 + m_random() % 2000) : qint64(m_random() % 44)};
        HexData hex = hexWithMainWorld(TechnologyLevel::ttl12, at, m_random() % 3 ? QString() : pick());
        hex.starSystem.name = pick();
        WorldData &main = hex.starSystem.stars[0].worlds[0];
        main.name = pick();
        main.mainWorld = m_random() % 5 != 0;
        main.notes = m_random() % 4 ? QString() : pick();
        for (int i = int(m_random() % 3); i > 0; --i) {
            WorldData other = world();
            other.name = m_random() % 4 ? pick() : kindText(other);
            other.notes = m_random() % 3 ? QString() : pick();
            other.mainWorld = m_random() % 6 == 0;
            hex.starSystem.stars[0].worlds.append(other);
        }
        return hex;
    }

    // One change of the document's varied systems: an insert, a batch, another system
    // in a record, a removal, or (when `wholeListToo`) now and then the whole list
    // stored again.
    void changeVariedSystems(bool wholeListToo, bool farOnes)
    {
        const HexList &data = m_universe.data();
        const int action = int(m_random() % 10);
        if (data.isEmpty() || action == 0) {
            m_universe.insertHex(variedSystem(farOnes));
        } else if (action == 1) {
            QList<HexData> batch;
            for (int i = int(m_random() % 5); i > 0; --i)
                batch.append(variedSystem(farOnes));
            m_universe.insertHexes(batch);
        } else if (action < 8) {
            // Another system in the same record: new names, worlds, notes and place.
            HexData edited = variedSystem(farOnes);
            edited.id = data[m_random() % data.size()].id;
            m_universe.replaceHex(edited);
        } else if (action == 8) {
            m_universe.removeHex(data[m_random() % data.size()].id);
        } else if (wholeListToo) {
            m_universe.setData(data.toList());
        }
    }

    // Stores the document's systems again, changed: cut to fewer than the list makes
    // its keys ahead for (but some), or grown by some to at least that many.
    void storeAgain(bool fewer, bool farOnes)
    {
        QList<HexData> again = m_universe.data().toList();
        if (fewer) {
            again.resize(std::min(again.size() - 1,
                                  SystemListModel::kMadeAheadFrom - 1 - qsizetype(m_random() % 300)));
        } else {
            do
                again.append(variedSystem(farOnes));
            while (again.size() < SystemListModel::kMadeAheadFrom);
        }
        m_universe.setData(again);
    }

    std::mt19937 m_random{4242};
    QTemporaryDir m_documents;
    StarfarerUniverse m_universe{UniverseFolder(m_documents.path())};
    std::unique_ptr<SystemListModel> m_source;
    std::unique_ptr<SystemListProxy> m_rows;
};

TEST_F(SystemListProxyTest, RowsMatchAFreshListAfterEveryChangeAndKeepTheCurrentRow)
{
    SystemListProxy &rows = open(40);
    SystemListModel &source = *m_source;
    QAbstractItemModelTester sourceTester(&source, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester rowsTester(&rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QItemSelectionModel selection(&rows);
    QSignalSpy resets(&rows, &QAbstractItemModel::modelReset);
    QSignalSpy sourceResets(&source, &QAbstractItemModel::modelReset);

    QUuid current;
    for (int step = 0; step < 400 && !HasFailure(); ++step) {
        switch (step % 100) {
        case 0: rows.setSortOrder(SystemSort(step / 100 % 3)); break;
        case 30: rows.setSearchText(QStringLiteral(" v ")); break;
        case 50: rows.setSubsectorFilter(SubsectorKey{0, 0, QStringLiteral("A")}); break;
        case 70:
            rows.setSearchText({});
            rows.setSubsectorFilter(std::nullopt);
            break;
        default: break;
        }
        const auto &data = m_universe.data();
        const int action = int(m_random() % 10);
        if (data.isEmpty() || action < 2) {
            m_universe.insertHex(someSystem());
        } else if (action < 3) {
            QList<HexData> batch;
            for (int i = int(m_random() % 6); i > 0; --i)
                batch.append(someSystem());
            m_universe.insertHexes(batch);
        } else if (action < 8) {
            HexData edited = someSystem();
            const QUuid id = data[m_random() % data.size()].id;
            // Now and then under a new id, or under another system's id, which then
            // stands twice.
            edited.id = action == 7   ? QUuid::createUuid()
                        : action == 6 ? data[m_random() % data.size()].id
                                      : id;
            m_universe.replaceHex(id, edited);
        } else {
            // The id is passed from inside the document's own list.
            m_universe.removeHex(data[m_random() % data.size()].id);
        }

        SystemListModel freshSource(&m_universe);
        SystemListProxy fresh(&freshSource);
        fresh.setSortOrder(rows.sortOrder());
        fresh.setSearchText(rows.searchText());
        fresh.setSubsectorFilter(rows.subsectorFilter());
        ASSERT_EQ(ids(rows.filteredSystems()), ids(fresh.filteredSystems())) << "step " << step;
        ASSERT_EQ(rows.availableSubsectors(), fresh.availableSubsectors());

        // The current row stays on its system while that is listed.
        const QList<QUuid> listed = ids(rows.filteredSystems());
        if (listed.contains(current)) {
            ASSERT_EQ(selection.currentIndex().data(SystemListModel::HexIDRole).toUuid(), current)
                << "step " << step;
        }
        if (!listed.contains(current) && !listed.isEmpty()) {
            const int row = int(m_random() % listed.size());
            selection.setCurrentIndex(rows.index(row), QItemSelectionModel::ClearAndSelect);
            current = listed[row];
        }
    }
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(sourceResets.count(), 0);
}

// The search texts, sort keys and row heights that the list makes when first needed
// follow every change: after edits that rename systems and worlds, move them, change
// their main worlds and notes, insert and remove them, the rows in every order,
// search and filter, and their heights, are those of a plain reading of the systems,
// both for the list that followed the changes and for one opened afresh. Half of the
// way every system lies in a sector near the others; then some lie far outside any.
TEST_F(SystemListProxyTest, RowsAndHeightsMatchAPlainReadingOfTheSystemsAfterEveryChange)
{
    QList<HexData> systems;
    for (int i = 0; i < 60; ++i)
        systems.append(variedSystem(false));
    m_universe.setData(systems);
    SystemListModel source(&m_universe);
    SystemListProxy rows(&source);
    static const QStringList searches{
        QString(),           QStringLiteral("ä"),    QStringLiteral(" ÄTHER "), QStringLiteral("ss"),
        QStringLiteral("ω"), QStringLiteral("КОСТ"), QStringLiteral("0101"),    QStringLiteral("world 1"),
        QStringLiteral("i")};
    const auto check = [&](const SystemListProxy &list, const char *which, int step) {
        ASSERT_EQ(ids(list.filteredSystems()),
                  plainRows(m_universe.data(), list.searchText(), list.sortOrder(), list.subsectorFilter()))
            << which << " step " << step << " order " << int(list.sortOrder()) << " search "
            << list.searchText().toStdString();
        for (int row = 0; row < list.rowCount(); ++row) {
            ASSERT_EQ(list.index(row).data(SystemListModel::LineCountRole).toInt(),
                      plainLineCount(list.hexAt(row)))
                << which << " step " << step << " row " << row;
        }
    };
    for (int step = 0; step < 300 && !HasFailure(); ++step) {
        // The view changes now and then, so that searches and orders are made both
        // before and after the systems they read changed.
        if (m_random() % 4 == 0) {
            switch (m_random() % 3) {
            case 0: rows.setSortOrder(SystemSort(m_random() % 3)); break;
            case 1: rows.setSearchText(searches[m_random() % searches.size()]); break;
            default: {
                const QList<SubsectorKey> subsectors = rows.availableSubsectors();
                rows.setSubsectorFilter(m_random() % 2 || subsectors.isEmpty()
                                            ? std::nullopt
                                            : std::optional(subsectors[m_random() % subsectors.size()]));
            }
            }
        }
        changeVariedSystems(step % 50 == 9, step >= 150);
        check(rows, "followed", step);
        if (step % 10 == 0) {
            SystemListModel freshSource(&m_universe);
            SystemListProxy fresh(&freshSource);
            fresh.setSearchText(rows.searchText());
            fresh.setSortOrder(rows.sortOrder());
            fresh.setSubsectorFilter(rows.subsectorFilter());
            check(fresh, "fresh", step);
        }
    }
}

// A list of many systems makes its search texts and name orders ahead of need, off
// the GUI thread. A search and an order asked for at once wait for them: the GUI
// thread makes none of them itself. While they wait, with the systems changing under
// the making (rows inserted, replaced, removed, now and then the whole list stored
// again, which starts the making afresh) and other searches, orders and filters asked
// for, the rows shown are always the plain reading of the search, order and filter
// they say they show, and each change of what they show is told; once made, they are
// the plain reading of what was asked last, and then every search and order is shown
// at once. Nothing waits while nothing is made: a search and an order waiting when the
// whole list is stored again with fewer systems than are made ahead for are shown with
// its rows. Every other round runs on pools of one thread, as a one-core machine does.
TEST_F(SystemListProxyTest, KeysMadeAheadGiveThePlainRowsAndTheRowsShownAreNeverWrong)
{
    static const QStringList searches{QStringLiteral("ä"),
                                      QStringLiteral(" ÄTHER "),
                                      QStringLiteral("ss"),
                                      QStringLiteral("0101"),
                                      QStringLiteral("world 1"),
                                      QStringLiteral("i"),
                                      QString()};
    for (int round = 0; round < 6 && !HasFailure(); ++round) {
        std::optional<OneThreadPools> oneCore;
        if (round % 2 == 1)
            oneCore.emplace();
        QList<HexData> systems;
        for (qsizetype i = SystemListModel::kMadeAheadFrom + m_random() % 300; i > 0; --i)
            systems.append(variedSystem(round >= 3));
        m_universe.setData(systems);
        SystemListModel source(&m_universe);
        SystemListProxy rows(&source);
        QAbstractItemModelTester rowsTester(&rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
        QSignalSpy told(&rows, &SystemListProxy::shownChanged);
        const auto shownView = [&] {
            return std::tuple(rows.searchText(), rows.sortOrder(), rows.subsectorFilter());
        };
        auto lastShown = shownView();
        const auto shownArePlain = [&](int step) {
            ASSERT_EQ(ids(rows.filteredSystems()), plainRows(m_universe.data(), rows.searchText(),
                                                             rows.sortOrder(), rows.subsectorFilter()))
                << "round " << round << " step " << step << " order " << int(rows.sortOrder()) << " search "
                << rows.searchText().toStdString();
            // Another search, order or filter shown is told.
            ASSERT_TRUE(shownView() == lastShown || !told.isEmpty()) << "round " << round << " step " << step;
            lastShown = shownView();
            told.clear();
        };
        QString search = searches[m_random() % (searches.size() - 1)];
        auto order = SystemSort(1 + m_random() % 2);
        std::optional<SubsectorKey> filter;
        rows.setSearchText(search);
        rows.setSortOrder(order);
        ASSERT_TRUE(rows.isWaitingForKeys());
        ASSERT_EQ(rows.searchText(), QString());
        ASSERT_EQ(rows.sortOrder(), SystemSort::coordinates);
        shownArePlain(-1);

        for (int step = 0; step < 30 && !HasFailure(); ++step) {
            if (step % 10 == 9) {
                // The whole list stored again while its keys are made and a search and
                // an order wait for them: with many systems, which makes them afresh,
                // or (every other time) with fewer, whose keys are made when needed.
                storeAgain(false, round >= 3);
                do
                    search = searches[m_random() % (searches.size() - 1)];
                while (search == rows.searchText());
                rows.setSearchText(search);
                rows.setSortOrder(order = SystemSort(1 + m_random() % 2));
                ASSERT_TRUE(rows.isWaitingForKeys()) << "round " << round << " step " << step;
                storeAgain(step % 20 == 19, round >= 3);
            } else {
                changeVariedSystems(false, round >= 3);
            }
            ASSERT_TRUE(source.isMakingOrder(SystemSort::mainWorld) || !rows.isWaitingForKeys())
                << "round " << round << " step " << step;
            switch (m_random() % 4) {
            case 0: rows.setSearchText(search = searches[m_random() % searches.size()]); break;
            case 1: rows.setSortOrder(order = SystemSort(m_random() % 3)); break;
            case 2: {
                const QList<SubsectorKey> subsectors = rows.availableSubsectors();
                filter =
                    m_random() % 2 ? std::nullopt : std::optional(subsectors[m_random() % subsectors.size()]);
                rows.setSubsectorFilter(filter);
                break;
            }
            default: break;
            }
            // What was made so far is taken in.
            QCoreApplication::processEvents();
            shownArePlain(step);
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return !source.isMakingOrder(SystemSort::mainWorld); }, 60000));
        ASSERT_FALSE(rows.isWaitingForKeys());
        ASSERT_EQ(rows.searchText(), search);
        ASSERT_EQ(rows.sortOrder(), order);
        ASSERT_EQ(rows.subsectorFilter(), filter);
        shownArePlain(30);
        for (int step = 31; step < 37 && !HasFailure(); ++step) {
            rows.setSortOrder(SystemSort(step % 3));
            rows.setSearchText(searches[m_random() % searches.size()]);
            ASSERT_FALSE(rows.isWaitingForKeys());
            shownArePlain(step);
        }

        // Stored again with many systems, the list has its keys made afresh; a search
        // and an order asked for meanwhile, with nothing asked or changed after, are
        // shown once made.
        storeAgain(false, round >= 3);
        rows.setSearchText(search = searches[m_random() % (searches.size() - 1)]);
        rows.setSortOrder(order = SystemSort(1 + m_random() % 2));
        ASSERT_TRUE(rows.isWaitingForKeys());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !source.isMakingOrder(SystemSort::mainWorld); }, 60000));
        ASSERT_FALSE(rows.isWaitingForKeys());
        ASSERT_EQ(rows.searchText(), search);
        ASSERT_EQ(rows.sortOrder(), order);
        shownArePlain(37);
    }
}

// An import of a sector with the list open and sorted by name: the source takes the
// batch as one block of rows, the rows take it in one update, and the current row
// stays where it was.
TEST_F(SystemListProxyTest, ABatchIsOneUpdate)
{
    SystemListProxy &rows = open(30);
    rows.setSortOrder(SystemSort::name);
    QItemSelectionModel selection(&rows);
    selection.setCurrentIndex(rows.index(7), QItemSelectionModel::ClearAndSelect);
    const QUuid current = rows.hexAt(7).id;

    QSignalSpy sourceInserts(m_source.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy inserts(&rows, &QAbstractItemModel::rowsInserted);
    QSignalSpy layouts(&rows, &QAbstractItemModel::layoutChanged);
    QSignalSpy resets(&rows, &QAbstractItemModel::modelReset);
    QList<HexData> sector;
    for (int i = 0; i < 440; ++i) {
        HexData hex = someSystem();
        hex.coordinates = {5, 5, 1 + i % 32, 1 + i / 32};
        sector.append(hex);
    }
    m_universe.insertHexes(sector);
    EXPECT_EQ(sourceInserts.count(), 1);
    EXPECT_EQ(inserts.count() + layouts.count(), 1);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(rows.rowCount(), 470);
    EXPECT_EQ(selection.currentIndex().data(SystemListModel::HexIDRole).toUuid(), current);

    // Under the coordinates a new sector lies side by side: one block of rows.
    rows.setSortOrder(SystemSort::coordinates);
    inserts.clear();
    layouts.clear();
    for (HexData &hex : sector) {
        hex.id = QUuid::createUuid();
        hex.coordinates.sectorX = 6;
    }
    m_universe.insertHexes(sector);
    ASSERT_EQ(inserts.count(), 1);
    EXPECT_EQ(layouts.count(), 0);
    EXPECT_EQ(inserts.first().at(2).toInt() - inserts.first().at(1).toInt(), 439);
}

} // namespace

namespace {

// The system list checked against plain references under random changes that reach
// its every edge: names that sort and fold beyond ASCII (accents, letter case, runs of
// digits, CJK, emoji, surrogate pairs), places on the edges of subsectors and sectors
// and beyond the last subsector row, systems without a name or a main world, rutters
// whose far ends are renamed, moved or removed, and factions renamed or deleted. The
// references know nothing of the list's kept orders, keys or indexes: they filter the
// document's systems by the rule the screen states and sort them with a plain
// std::stable_sort, and make every row afresh from the document.
class SystemListReferenceTest : public ::testing::Test
{
protected:
    static inline const QStringList kNames =
        strings({"Äther", "äther", "Aether", "Zürich",  "zurich", "World 9", "world 10", "World 010",
                 "東京",  "大阪",  "🚀 Port", "🚀port",   "Ωmega",  "ωmega",   "Straße",   "STRASSE",
                 "",      "",      "Vland",  "vland 2", "Ça va",  "𝔄lpha"});
    static inline const QList<qint64> kColumns{1, 8, 9, 16, 17, 24, 25, 32};
    static inline const QList<qint64> kRows{0, 1, 10, 11, 20, 21, 30, 31, 40, 41};

    template <typename T> const T &pick(const QList<T> &list) { return list[m_random() % list.size()]; }

    GalacticCoordinates somePlace()
    {
        return {qint64(m_random() % 3) - 1, -qint64(m_random() % 2), pick(kColumns), pick(kRows)};
    }

    HexData someSystem()
    {
        HexData hex =
            hexWithMainWorld(m_random() % 5 ? TechnologyLevel::ttl12 : TechnologyLevel::tl4, somePlace());
        hex.starSystem.name = pick(kNames);
        WorldData &main = hex.starSystem.stars[0].worlds[0];
        main.name = pick(kNames);
        main.mainWorld = m_random() % 5 != 0;
        if (!m_universe.factions().isEmpty() && m_random() % 2)
            main.factionIDs = {pick(m_universe.factions()).id};
        if (m_random() % 3 == 0) {
            WorldData moon = world();
            moon.name = pick(kNames);
            moon.notes = QStringLiteral("tidal");
            hex.starSystem.stars[0].worlds.append(moon);
        }
        return hex;
    }

    // A search as a user types it: part of a shown text in another letter case, with
    // blanks around it; now and then texts that find nothing or everything, and the
    // end of one searched text run into the start of the next.
    QString someSearch()
    {
        const HexList &data = m_universe.data();
        if (data.isEmpty() || m_random() % 6 == 0)
            return pick(strings({"", " \t", "0101", "a", "ß", "🚀", "東", "Ä", "ω", "zzz"}));
        const HexData &hex = data[m_random() % data.size()];
        const QString label = hex.coordinates.description() + u' ' + hex.coordinates.subsectorLetter();
        if (m_random() % 8 == 0)
            return label.right(2) + hex.starSystem.name.left(2);
        const QList<WorldData> worlds = hex.starSystem.allWorlds();
        const QString text = m_random() % 3 == 0   ? label
                             : m_random() % 2 == 0 ? hex.starSystem.name
                                                   : worlds[m_random() % worlds.size()].name;
        const qsizetype from = text.isEmpty() ? 0 : qsizetype(m_random() % text.size());
        QString part = text.mid(from, 1 + qsizetype(m_random() % 4));
        // Never half a surrogate pair: a search typed by a user holds whole characters.
        if (!part.isEmpty() && part.front().isLowSurrogate())
            part.remove(0, 1);
        if (!part.isEmpty() && part.back().isHighSurrogate())
            part.chop(1);
        part = m_random() % 2 ? part.toUpper() : part.toLower();
        return m_random() % 2 ? QStringLiteral(" ") + part + QStringLiteral("\n") : part;
    }

    static QString subsectorLetter(const GalacticCoordinates &c)
    {
        const qint64 index =
            4 * (std::max<qint64>(c.row - 1, 0) / 10) + std::max<qint64>(c.column - 1, 0) / 8;
        return index < 16 ? QString(QChar(char16_t(u'A' + index))) : QStringLiteral("?");
    }

    static bool coordinateOrder(const GalacticCoordinates &a, const GalacticCoordinates &b)
    {
        const auto subsector = [](const GalacticCoordinates &c) {
            return 4 * (std::max<qint64>(c.row - 1, 0) / 10) + std::max<qint64>(c.column - 1, 0) / 8;
        };
        return std::tuple(a.sectorX, a.sectorY, subsector(a), a.column, a.row) <
               std::tuple(b.sectorX, b.sectorY, subsector(b), b.column, b.row);
    }

    static QString mainWorldName(const HexData &hex)
    {
        const std::optional<WorldData> main = hex.starSystem.mainWorld();
        return main ? main->name : QString();
    }

    // The systems the list shows, by the screen's rule, in order.
    QList<QUuid> expectedOrder(const SystemListProxy &rows) const
    {
        const QString needle = rows.searchText().trimmed();
        const auto found = [&](const QString &text) { return text.contains(needle, Qt::CaseInsensitive); };
        QList<HexData> kept;
        for (const HexData &hex : m_universe.data()) {
            const GalacticCoordinates &c = hex.coordinates;
            if (const auto &filter = rows.subsectorFilter();
                filter && (c.sectorX != filter->sectorX || c.sectorY != filter->sectorY ||
                           subsectorLetter(c) != filter->letter))
                continue;
            if (!needle.isEmpty()) {
                bool hit = found(c.description() + u' ' + subsectorLetter(c)) || found(hex.starSystem.name);
                for (const WorldData &world : hex.starSystem.allWorlds())
                    hit = hit || found(world.name);
                if (!hit)
                    continue;
            }
            kept.append(hex);
        }
        const auto byText = [](const QString &a, const QString &b, const HexData &x, const HexData &y) {
            if (a.isEmpty() != b.isEmpty())
                return b.isEmpty();
            const int compared = naturalCompare(a, b);
            return compared != 0 ? compared < 0 : coordinateOrder(x.coordinates, y.coordinates);
        };
        std::stable_sort(kept.begin(), kept.end(), [&](const HexData &x, const HexData &y) {
            switch (rows.sortOrder()) {
            case SystemSort::name: return byText(x.starSystem.name, y.starSystem.name, x, y);
            case SystemSort::mainWorld: return byText(mainWorldName(x), mainWorldName(y), x, y);
            case SystemSort::coordinates: break;
            }
            return coordinateOrder(x.coordinates, y.coordinates);
        });
        return ids(kept);
    }

    QList<SubsectorKey> expectedSubsectors() const
    {
        QList<SubsectorKey> keys;
        for (const HexData &hex : m_universe.data()) {
            const SubsectorKey key{hex.coordinates.sectorX, hex.coordinates.sectorY,
                                   subsectorLetter(hex.coordinates)};
            if (!keys.contains(key))
                keys.append(key);
        }
        std::sort(keys.begin(), keys.end(), [](const SubsectorKey &a, const SubsectorKey &b) {
            return std::tie(a.sectorX, a.sectorY, a.letter) < std::tie(b.sectorX, b.sectorY, b.letter);
        });
        return keys;
    }

    // Everything a row's painter reads, as one text.
    static QString rowText(const SystemRowContent &row)
    {
        QStringList parts{row.label,         row.name, row.notes, row.mainWorldName, row.mainWorldProfile,
                          row.mainWorldNotes};
        for (const SystemRowContent::WorldLine &line : row.otherNamedWorlds)
            parts << line.name << line.profile << line.notes;
        parts << row.mainWorldTagNames.join(u',');
        for (const Faction &faction : row.factions)
            parts << faction.name + u'#' + QString::number(int(faction.color));
        for (const RutterDestination &destination : row.rutterDestinations)
            parts << destination.id.toString() + u' ' + destination.chipText() + u'#' +
                         QString::number(int(destination.color));
        return parts.join(u'|');
    }

    static QString roleText(const QModelIndex &index, int role)
    {
        if (role == SystemListModel::RowRole)
            return rowText(index.data(role).value<SystemRowContent>());
        return ItemModelMirror::plainText(index, role);
    }

    // A row as made afresh from the document.
    QStringList expectedRow(const HexData &hex) const
    {
        const SystemRowContent row =
            SystemRowContent::of(m_universe, hex, RutterDestination::touching(m_universe, hex.coordinates));
        return {hex.id.toString(), hex.starSystem.name, QString::number(SystemRowContent::lineCount(hex)),
                m_universe.usesTravellerRules() ? QStringLiteral("Routes") : QStringLiteral("Rutters"),
                rowText(row)};
    }

    QList<QStringList> expectedRows(const QList<QUuid> &order) const
    {
        QList<QStringList> rows;
        for (const QUuid &id : order)
            rows.append(expectedRow(*m_universe.hexWithID(id)));
        return rows;
    }

    static inline const QList<int> kRoles{SystemListModel::HexIDRole, Qt::DisplayRole,
                                          SystemListModel::LineCountRole, SystemListModel::RoutesTitleRole,
                                          SystemListModel::RowRole};

    // One change of the document, as the screens, the editors and the import make them.
    // Returns whether it was a change of the whole list of systems.
    bool change()
    {
        const HexList &data = m_universe.data();
        const QList<Faction> &factions = m_universe.factions();
        const QList<Rutter> &rutters = m_universe.rutters();
        const int action = int(m_random() % 20);
        if (data.isEmpty() || action < 3) {
            m_universe.insertHex(someSystem());
        } else if (action < 5) {
            // An import's batch: sometimes a whole subsector's column, side by side.
            QList<HexData> batch;
            const GalacticCoordinates start = somePlace();
            for (int i = int(m_random() % 9); i > 0; --i) {
                batch.append(someSystem());
                if (m_random() % 2)
                    batch.last().coordinates = {start.sectorX, start.sectorY, start.column, start.row + i};
            }
            m_universe.insertHexes(batch);
        } else if (action < 11) {
            HexData edited = data[m_random() % data.size()];
            switch (m_random() % 5) {
            case 0: edited.starSystem.name = pick(kNames); break;
            case 1: edited.starSystem.stars[0].worlds[0].name = pick(kNames); break;
            case 2:
                edited.starSystem.stars[0].worlds[0].mainWorld =
                    !edited.starSystem.stars[0].worlds[0].mainWorld;
                break;
            case 3: edited.coordinates = somePlace(); break;
            default: {
                // The editor stores a system anew: a new id in the old one's place.
                const QUuid old = edited.id;
                m_universe.replaceHex(old, someSystem());
                return false;
            }
            }
            m_universe.replaceHex(edited);
        } else if (action < 14) {
            m_universe.removeHex(data[m_random() % data.size()].id);
        } else if (action < 16 || rutters.isEmpty()) {
            // Rutters between occupied hexes mostly, so that their far ends are named.
            const auto end = [&] {
                return m_random() % 4 ? data[m_random() % data.size()].coordinates : somePlace();
            };
            // Now and then a batch with many ends, as an import's routes bring.
            QList<Rutter> added;
            for (int i = m_random() % 6 ? 1 + int(m_random() % 2) : 8; i > 0; --i)
                added.append(Rutter{QUuid::createUuid(), factions.isEmpty() ? QUuid() : pick(factions).id,
                                    end(), end(), false, RutterAge::recent, std::nullopt});
            if (added.size() == 1)
                m_universe.insertObject(added.first());
            else
                m_universe.insertObjects(added);
        } else if (action < 17) {
            m_universe.removeObjectAt<Rutter>(qsizetype(m_random() % rutters.size()));
        } else if (action < 18 || factions.isEmpty()) {
            Faction added;
            added.id = QUuid::createUuid();
            added.name = pick(kNames);
            added.color = FactionColor(m_random() % 5);
            m_universe.insertObject(added);
        } else if (action < 19) {
            Faction renamed = pick(factions);
            renamed.name += u'·';
            renamed.color = FactionColor((int(renamed.color) + 1) % 5);
            m_universe.replaceObject(renamed);
        } else if (m_random() % 4) {
            m_universe.removeObject<Faction>(pick(factions).id);
        } else {
            QList<HexData> shuffled = data.toList();
            std::shuffle(shuffled.begin(), shuffled.end(), m_random);
            m_universe.setData(shuffled);
            return true;
        }
        return false;
    }

    // The list's view state as the user sets it.
    void changeView(SystemListProxy &rows)
    {
        switch (m_random() % 6) {
        case 0: rows.setSortOrder(SystemSort(m_random() % 3)); break;
        case 1: rows.setSearchText(someSearch()); break;
        case 2: {
            const QList<SubsectorKey> available = rows.availableSubsectors();
            if (m_random() % 3 == 0 || available.isEmpty())
                rows.setSubsectorFilter(
                    m_random() % 2 ? std::nullopt : std::optional(SubsectorKey{7, 7, QStringLiteral("A")}));
            else
                rows.setSubsectorFilter(pick(available));
            break;
        }
        default: break;
        }
    }

    std::mt19937 m_random{20261207};
    QTemporaryDir m_documents;
    StarfarerUniverse m_universe{UniverseFolder(m_documents.path())};
};

} // namespace

TEST_F(SystemListReferenceTest, RowsAreThePlainFilterAndSortOfTheSystemsAndEveryChangeIsTold)
{
    for (int i = 0; i < 30; ++i)
        m_universe.insertHex(someSystem());
    SystemListModel source(&m_universe);
    SystemListProxy rows(&source);
    QAbstractItemModelTester rowsTester(&rows, QAbstractItemModelTester::FailureReportingMode::Fatal);
    ItemModelMirror shownSource(source, kRoles, roleText);
    ItemModelMirror shownRows(rows, kRoles, roleText);
    QSignalSpy sourceResets(&source, &QAbstractItemModel::modelReset);
    QSignalSpy resets(&rows, &QAbstractItemModel::modelReset);
    int wholeLists = 0;

    for (int step = 0; step < 600 && !HasFailure(); ++step) {
        changeView(rows);
        if (change())
            ++wholeLists;

        QList<QUuid> stored;
        for (const HexData &hex : m_universe.data())
            stored.append(hex.id);
        const QList<QUuid> expected = expectedOrder(rows);
        ASSERT_EQ(ids(rows.filteredSystems()), expected)
            << "step " << step << ", order " << int(rows.sortOrder()) << ", search \""
            << rows.searchText().toStdString() << '"';
        ASSERT_EQ(rows.availableSubsectors(), expectedSubsectors()) << "step " << step;
        // What the rows read, and what a view that only heard the signals shows.
        ASSERT_EQ(shownSource.read(), expectedRows(stored)) << "step " << step;
        ASSERT_EQ(shownRows.read(), expectedRows(expected)) << "step " << step;
        ASSERT_EQ(shownSource.rows(), shownSource.read()) << "step " << step;
        ASSERT_EQ(shownRows.rows(), shownRows.read()) << "step " << step;
    }
    // Only a whole new list of systems resets the list.
    EXPECT_EQ(sourceResets.count(), wholeLists);
    EXPECT_EQ(resets.count(), wholeLists);
}
