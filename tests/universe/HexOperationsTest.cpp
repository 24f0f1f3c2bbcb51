// The per-hex operations against a plain scan of `data`: after any sequence of
// inserts (one or a batch), replacements (to other coordinates, under a new id),
// removals and whole-list assignments, the look-ups answer as a first-match scan
// would, each operation notifies once, with the right id and coordinates, and the
// rules' signal comes exactly when the first system's rules turned.
#include "UniverseStoreSupport.h"

#include <QSignalSpy>

#include <random>

namespace {

// A hex whose main world uses the "TL" scale or the other one: the first hex's
// decides the universe's rules.
HexData ruledHex(const QUuid &id, const GalacticCoordinates &at, bool travellerRules)
{
    WorldData main;
    main.mainWorld = true;
    main.uwp.techLevel = travellerRules ? TechnologyLevel::ttl12 : TechnologyLevel::tl3;
    Star star;
    star.worlds = {main};
    HexData hex{id, at, {}, {}};
    hex.starSystem.stars = {star};
    return hex;
}

} // namespace

TEST_F(UniverseStoreTest, HexLookupsFollowEveryOperationAndEachNotifiesOnce)
{
    std::mt19937 random(20240607);
    // A few coordinates only, so that hexes often share them.
    const auto someCoordinates = [&] {
        return GalacticCoordinates{qint64(random() % 2), 0, 1, qint64(random() % 3)};
    };
    const auto someHex = [&](const QUuid &id) { return ruledHex(id, someCoordinates(), random() % 2); };
    StarfarerUniverse universe(folder());
    QSignalSpy inserted(&universe, &StarfarerUniverse::hexInserted);
    QSignalSpy replaced(&universe, &StarfarerUniverse::hexReplaced);
    QSignalSpy removed(&universe, &StarfarerUniverse::hexRemoved);
    QSignalSpy whole(&universe, &StarfarerUniverse::dataChanged);
    QSignalSpy batches(&universe, &StarfarerUniverse::hexesInserted);
    QSignalSpy rules(&universe, &StarfarerUniverse::usesTravellerRulesChanged);
    const auto counts = [&] {
        return QList<qsizetype>{inserted.count(), replaced.count(), removed.count(),
                                whole.count(),    batches.count(),  rules.count()};
    };
    QList<QUuid> ids{QUuid::createUuid()}; // every id ever used, and one never stored

    for (int step = 0; step < 400 && !HasFailure(); ++step) {
        const QList<HexData> before = universe.data();
        const bool rulesBefore = universe.usesTravellerRules();
        QList<qsizetype> expected = counts();
        const int action = int(random() % 11);
        // Operations by id act on the first hex with that id.
        const QUuid id = before.isEmpty() ? QUuid() : before.at(random() % before.size()).id;
        const qsizetype at =
            std::find_if(before.cbegin(), before.cend(), [&](auto &h) { return h.id == id; }) -
            before.cbegin();
        if (action == 10) {
            QList<HexData> batch;
            for (qsizetype i = random() % 4; i > 0; --i)
                batch.append(someHex(i == 1 && !id.isNull() ? id : QUuid::createUuid()));
            universe.insertHexes(batch);
            for (const HexData &hex : batch)
                ids.append(hex.id);
            EXPECT_EQ(universe.data(), before + batch);
            if (!batch.isEmpty()) {
                ++expected[4];
                EXPECT_EQ(batches.last(), (QList<QVariant>{before.size(), batch.size()}));
            }
        } else if (before.isEmpty() || action < 4) {
            const HexData hex = someHex(action == 0 && !id.isNull() ? id : QUuid::createUuid());
            universe.insertHex(hex);
            ids.append(hex.id);
            ++expected[0];
            EXPECT_EQ(inserted.last(),
                      (QList<QVariant>{QVariant::fromValue(hex.id), QVariant::fromValue(hex.coordinates)}));
        } else if (action < 7) {
            HexData hex = before.at(at);
            hex.coordinates = someCoordinates();
            hex.id = action == 6 ? QUuid::createUuid() : id;
            ids.append(hex.id);
            ASSERT_TRUE(universe.replaceHex(id, hex));
            EXPECT_EQ(universe.data().at(at), hex);
            if (hex != before.at(at)) {
                ++expected[1];
                EXPECT_EQ(replaced.last(), (QList<QVariant>{QVariant::fromValue(id),
                                                            QVariant::fromValue(before.at(at).coordinates),
                                                            QVariant::fromValue(hex.coordinates)}));
            }
        } else if (action < 9) {
            ASSERT_TRUE(universe.removeHex(id));
            ++expected[2];
            EXPECT_EQ(removed.last(), (QList<QVariant>{QVariant::fromValue(id),
                                                       QVariant::fromValue(before.at(at).coordinates)}));
        } else {
            universe.setData(before); // the same list says nothing
            QList<HexData> shuffled = before;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            universe.setData(shuffled);
            expected[3] += shuffled == before ? 0 : 1;
        }
        expected[5] += universe.usesTravellerRules() != rulesBefore ? 1 : 0;
        EXPECT_EQ(counts(), expected) << "step " << step;

        const QList<HexData> &data = universe.data();
        for (qint64 sector = 0; sector < 2; ++sector) {
            for (qint64 row = 0; row < 3; ++row) {
                const GalacticCoordinates where{sector, 0, 1, row};
                const auto found =
                    std::find_if(data.cbegin(), data.cend(), [&](auto &h) { return h.coordinates == where; });
                EXPECT_EQ(universe.hexData(where),
                          found == data.cend() ? std::nullopt : std::optional(*found));
                EXPECT_EQ(universe.isOccupied(where), found != data.cend());
            }
        }
        for (const QUuid &each : ids) {
            const auto found =
                std::find_if(data.cbegin(), data.cend(), [&](auto &h) { return h.id == each; });
            EXPECT_EQ(universe.hexWithID(each), found == data.cend() ? std::nullopt : std::optional(*found));
        }
    }
    // Down to nothing: every look-up comes back empty.
    while (!universe.data().isEmpty())
        ASSERT_TRUE(universe.removeHex(universe.data().first().id));
    EXPECT_FALSE(universe.isOccupied(GalacticCoordinates{0, 0, 1, 0}));
    EXPECT_FALSE(universe.hexWithID(ids.last()));
    EXPECT_FALSE(universe.removeHex(ids.first()));
}

// Callers often name a hex by the id inside the document's own list, which the
// operation itself overwrites or moves.
TEST_F(UniverseStoreTest, AnIdNamedFromTheListItselfStaysTheOneActedOn)
{
    StarfarerUniverse universe(folder());
    const HexData a{QUuid::createUuid(), {0, 0, 1, 1}, {}, {}};
    const HexData b{QUuid::createUuid(), {0, 0, 1, 2}, {}, {}};
    const HexData c{QUuid::createUuid(), {0, 0, 1, 3}, {}, {}};
    universe.setData({a, b, c});
    QSignalSpy removed(&universe, &StarfarerUniverse::hexRemoved);
    QSignalSpy replaced(&universe, &StarfarerUniverse::hexReplaced);

    ASSERT_TRUE(universe.removeHex(universe.data().at(1).id));
    EXPECT_EQ(removed.last().first().toUuid(), b.id);
    EXPECT_EQ(universe.data(), (QList<HexData>{a, c}));

    HexData renewed{QUuid::createUuid(), {0, 0, 2, 2}, {}, {}};
    ASSERT_TRUE(universe.replaceHex(universe.data().first().id, renewed));
    EXPECT_EQ(replaced.last().first().toUuid(), a.id);
    EXPECT_FALSE(universe.hexWithID(a.id).has_value());
    EXPECT_EQ(universe.hexWithID(renewed.id), renewed);
    EXPECT_EQ(universe.hexData({0, 0, 2, 2}), renewed);
    EXPECT_FALSE(universe.isOccupied({0, 0, 1, 1}));
}
