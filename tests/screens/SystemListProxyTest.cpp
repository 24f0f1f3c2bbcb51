// The system list's rows follow the document row by row: after any mix of edits (some
// giving a system another's id), single and batch inserts and removals, in each order
// and under a search and a subsector filter, they are the rows of a list built afresh;
// no change resets them, the current row stays on its system, and a batch arrives as
// one update.
#include "screens/SystemListProxy.h"
#include "ScreenTestSupport.h"
#include "screens/SystemListModel.h"
#include "universe/StarfarerUniverse.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>
#include <random>

using namespace screen_test;

namespace {

QList<QUuid> ids(const QList<HexData> &hexes)
{
    QList<QUuid> list;
    for (const HexData &hex : hexes)
        list.append(hex.id);
    return list;
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
