// The per-hex operations against a plain scan of `data`: after any sequence of
// inserts, replacements (also to other coordinates and under a new id), removals and
// whole-list assignments, the look-ups answer as a first-match scan would, and each
// operation notifies once with the right id and coordinates.
#include "UniverseStoreSupport.h"

#include <QSignalSpy>

#include <algorithm>
#include <array>
#include <functional>
#include <random>

namespace {

std::optional<HexData> firstWhere(const QList<HexData> &data,
                                  const std::function<bool(const HexData &)> &match)
{
    const auto found = std::find_if(data.cbegin(), data.cend(), match);
    return found == data.cend() ? std::nullopt : std::optional<HexData>(*found);
}

} // namespace

class HexOperations : public UniverseStoreTest
{
protected:
    // A few coordinates only, so that hexes often share them.
    GalacticCoordinates someCoordinates()
    {
        return {qint64(m_random() % 2), 0, qint64(m_random() % 3) + 1, 1};
    }

    HexData newHex()
    {
        HexData hex;
        hex.id = QUuid::createUuid();
        hex.coordinates = someCoordinates();
        hex.notes = QString::number(m_random());
        return hex;
    }

    void expectLookupsMatchAScan(const StarfarerUniverse &universe, const QList<QUuid> &ids)
    {
        const QList<HexData> &data = universe.data();
        for (qint64 sector = 0; sector < 2; ++sector) {
            for (qint64 column = 1; column <= 3; ++column) {
                const GalacticCoordinates at{sector, 0, column, 1};
                const auto expected = firstWhere(data, [&](const HexData &h) { return h.coordinates == at; });
                EXPECT_EQ(universe.hexData(at), expected);
                EXPECT_EQ(universe.isOccupied(at), expected.has_value());
            }
        }
        for (const QUuid &id : ids)
            EXPECT_EQ(universe.hexWithID(id), firstWhere(data, [&](const HexData &h) { return h.id == id; }));
    }

    std::mt19937 m_random{20240607};
};

TEST_F(HexOperations, LookupsFollowEveryOperationAndEachNotifiesOnce)
{
    StarfarerUniverse universe(folder());
    QSignalSpy inserted(&universe, &StarfarerUniverse::hexInserted);
    QSignalSpy replaced(&universe, &StarfarerUniverse::hexReplaced);
    QSignalSpy removed(&universe, &StarfarerUniverse::hexRemoved);
    QSignalSpy whole(&universe, &StarfarerUniverse::dataChanged);
    const auto counts = [&] {
        return std::array<qsizetype, 4>{inserted.count(), replaced.count(), removed.count(), whole.count()};
    };
    QList<QUuid> ids{QUuid::createUuid()}; // every id ever used, and one never stored

    for (int step = 0; step < 400; ++step) {
        const QList<HexData> before = universe.data();
        std::array<qsizetype, 4> expected = counts();
        const int action = int(m_random() % 10);
        const QUuid storedID = before.isEmpty() ? QUuid() : before.at(m_random() % before.size()).id;
        // Operations by id act on the first hex with that id.
        const qsizetype position =
            std::find_if(before.cbegin(), before.cend(), [&](const HexData &h) { return h.id == storedID; }) -
            before.cbegin();
        if (before.isEmpty() || action < 4) {
            HexData hex = newHex();
            if (action == 0 && !before.isEmpty())
                hex.id = storedID; // a second hex with a stored id
            universe.insertHex(hex);
            ids.append(hex.id);
            ++expected[0];
            EXPECT_EQ(inserted.last().at(0).value<QUuid>(), hex.id);
            EXPECT_EQ(inserted.last().at(1).value<GalacticCoordinates>(), hex.coordinates);
            EXPECT_EQ(universe.data().last(), hex);
        } else if (action < 7) {
            const HexData stored = before.at(position);
            HexData hex = stored;
            hex.coordinates = someCoordinates();
            const bool newID = action == 6;
            if (newID)
                hex.id = QUuid::createUuid();
            ids.append(hex.id);
            ASSERT_TRUE(newID ? universe.replaceHex(stored.id, hex) : universe.replaceHex(hex));
            EXPECT_EQ(universe.data().at(position), hex);
            if (hex != stored) {
                ++expected[1];
                const QList<QVariant> &arguments = replaced.last();
                EXPECT_EQ(arguments.at(0).value<QUuid>(), stored.id);
                EXPECT_EQ(arguments.at(1).value<GalacticCoordinates>(), stored.coordinates);
                EXPECT_EQ(arguments.at(2).value<GalacticCoordinates>(), hex.coordinates);
            }
        } else if (action < 9) {
            ASSERT_TRUE(universe.removeHex(storedID));
            ++expected[2];
            EXPECT_EQ(universe.data().size(), before.size() - 1);
            EXPECT_EQ(removed.last().at(0).value<QUuid>(), storedID);
            EXPECT_EQ(removed.last().at(1).value<GalacticCoordinates>(), before.at(position).coordinates);
        } else {
            // Whole lists: the same list again says nothing; another one is one dataChanged.
            universe.setData(before);
            QList<HexData> shuffled = before;
            std::shuffle(shuffled.begin(), shuffled.end(), m_random);
            universe.setData(shuffled);
            expected[3] += shuffled == before ? 0 : 1;
        }
        EXPECT_EQ(counts(), expected) << "step " << step;
        expectLookupsMatchAScan(universe, ids);
        if (HasFailure())
            return;
    }
    // Down to nothing: the last removal leaves every look-up empty.
    while (!universe.data().isEmpty())
        ASSERT_TRUE(universe.removeHex(universe.data().last().id));
    expectLookupsMatchAScan(universe, ids);
    EXPECT_FALSE(universe.removeHex(ids.first()));
    EXPECT_FALSE(universe.replaceHex(newHex()));
}
