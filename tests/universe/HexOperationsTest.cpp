// The per-hex operations against a plain scan of `data`: after any sequence of
// inserts (one or a batch), replacements (to other coordinates, under a new id),
// removals and whole-list assignments, the look-ups answer as a first-match scan
// would, each operation notifies once, with the right id and coordinates, and the
// rules' signal comes exactly when the first system's rules turned.
#include "UniverseStoreSupport.h"
#include "model/TestRecords.h"

#include <QSet>
#include <QSignalSpy>

#include <limits>
#include <random>

namespace {

using test_records::aHex;
using test_records::aWorld;

// How a random run mixes the operations, and over how many places.
struct Mix
{
    int steps = 400;
    qint64 sectors = 2;     // the coordinates are (0..sectors-1, 0, 1, 0..2)
    int extraRemovals = 0;  // removals besides the usual share of 2 in 11
    bool wholeLists = true; // whether whole-list assignments come too
};

// Runs random operations on `universe` and, after each, compares every look-up with
// a first-match scan of `data` and the signals with what the operation should tell.
void runRandomOperations(StarfarerUniverse &universe, std::uint32_t seed, const Mix &mix)
{
    std::mt19937 random(seed);
    // A few coordinates only, so that hexes often share them.
    const auto someCoordinates = [&] {
        return GalacticCoordinates{qint64(random() % std::uint32_t(mix.sectors)), 0, 1, qint64(random() % 3)};
    };
    // A hex whose main world uses the "TL" scale or the other one: the first hex's
    // decides the universe's rules.
    const auto someHex = [&](const QUuid &id) -> HexData {
        const TechnologyLevel level = random() % 2 ? TechnologyLevel::ttl12 : TechnologyLevel::tl3;
        return aHex(someCoordinates()).id(id).worlds({aWorld().main().techLevel(level)});
    };
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
    QList<QUuid> retired{QUuid::createUuid()}; // ids no longer stored, and one never stored

    for (int step = 0; step < mix.steps && !::testing::Test::HasFailure(); ++step) {
        const QList<HexData> before = universe.data().toList();
        const bool rulesBefore = universe.usesTravellerRules();
        QList<qsizetype> expected = counts();
        int action = int(random() % std::uint32_t(11 + mix.extraRemovals));
        if (action == 9 && !mix.wholeLists)
            action = 7;
        // Operations by id act on the first hex with that id.
        const auto storedID = [&] {
            return before.isEmpty() ? QUuid() : before.at(random() % before.size()).id;
        };
        const QUuid id = storedID();
        const qsizetype at =
            std::find_if(before.cbegin(), before.cend(), [&](auto &h) { return h.id == id; }) -
            before.cbegin();
        if (action == 10) {
            QList<HexData> batch;
            for (qsizetype i = random() % 4; i > 0; --i)
                batch.append(someHex(i == 1 && !id.isNull() ? id : QUuid::createUuid()));
            universe.insertHexes(batch);
            EXPECT_EQ(universe.data(), before + batch);
            if (!batch.isEmpty()) {
                ++expected[4];
                EXPECT_EQ(batches.last(), (QList<QVariant>{before.size(), batch.size()}));
            }
        } else if (before.isEmpty() || action < 4) {
            const HexData hex = someHex(action == 0 && !id.isNull() ? id : QUuid::createUuid());
            universe.insertHex(hex);
            ++expected[0];
            EXPECT_EQ(inserted.last(),
                      (QList<QVariant>{QVariant::fromValue(hex.id), QVariant::fromValue(hex.coordinates)}));
        } else if (action < 7) {
            HexData hex = before.at(at);
            hex.coordinates = someCoordinates();
            // Under a new id, or under the id of another stored hex (which then has two).
            hex.id = action == 4 ? id : action == 5 ? storedID() : QUuid::createUuid();
            ASSERT_TRUE(universe.replaceHex(id, hex));
            EXPECT_EQ(universe.data().at(at), hex);
            if (hex != before.at(at)) {
                ++expected[1];
                EXPECT_EQ(replaced.last(), (QList<QVariant>{QVariant::fromValue(id),
                                                            QVariant::fromValue(before.at(at).coordinates),
                                                            QVariant::fromValue(hex.coordinates)}));
            }
        } else if (action != 9) {
            ASSERT_TRUE(universe.removeHex(id));
            ++expected[2];
            EXPECT_EQ(removed.last(), (QList<QVariant>{QVariant::fromValue(id),
                                                       QVariant::fromValue(before.at(at).coordinates)}));
            QList<HexData> left = before;
            left.removeAt(at);
            EXPECT_EQ(universe.data(), left);
        } else {
            universe.setData(before); // the same list says nothing
            QList<HexData> shuffled = before;
            std::shuffle(shuffled.begin(), shuffled.end(), random);
            universe.setData(shuffled);
            expected[3] += shuffled == before ? 0 : 1;
        }
        expected[5] += universe.usesTravellerRules() != rulesBefore ? 1 : 0;
        EXPECT_EQ(counts(), expected) << "step " << step;

        // The first hex with each id and at each place, by a plain scan.
        const HexList &data = universe.data();
        QHash<QUuid, HexData> firstWithID;
        QHash<GalacticCoordinates, HexData> firstAt;
        for (const HexData &hex : data) {
            if (!firstWithID.contains(hex.id))
                firstWithID.insert(hex.id, hex);
            if (!firstAt.contains(hex.coordinates))
                firstAt.insert(hex.coordinates, hex);
        }
        for (const HexData &hex : before) {
            if (!firstWithID.contains(hex.id))
                retired.append(hex.id);
        }
        for (qint64 sector = 0; sector < mix.sectors; ++sector) {
            for (qint64 row = 0; row < 3; ++row) {
                const GalacticCoordinates where{sector, 0, 1, row};
                const auto found = firstAt.constFind(where);
                EXPECT_EQ(universe.hexData(where),
                          found == firstAt.cend() ? std::nullopt : std::optional(*found))
                    << "step " << step;
                EXPECT_EQ(universe.isOccupied(where), found != firstAt.cend());
            }
        }
        // Every stored id, and the ids that went lately.
        QList<QUuid> asked = retired.mid(std::max<qsizetype>(0, retired.size() - 8));
        asked += firstWithID.keys();
        for (const QUuid &each : asked) {
            const auto found = firstWithID.constFind(each);
            EXPECT_EQ(universe.hexWithID(each),
                      found == firstWithID.cend() ? std::nullopt : std::optional(*found))
                << "step " << step;
        }
    }
    // Down to nothing: every look-up comes back empty.
    while (!universe.data().isEmpty())
        ASSERT_TRUE(universe.removeHex(universe.data().first().id));
    EXPECT_FALSE(universe.isOccupied(GalacticCoordinates{0, 0, 1, 0}));
    EXPECT_FALSE(universe.hexWithID(retired.last()));
    EXPECT_FALSE(universe.removeHex(retired.first()));
}

} // namespace

TEST_F(UniverseStoreTest, HexLookupsFollowEveryOperationAndEachNotifiesOnce)
{
    StarfarerUniverse universe(folder());
    runRandomOperations(universe, 20240607, Mix{});
}

// Thousands of removals between whole-list assignments, among inserts, batches and
// replacements that keep making hexes with one id or at one place: removed positions
// pile up far beyond what a short run sees, through the universe growing to hundreds
// of hexes and shrinking again.
TEST_F(UniverseStoreTest, HexLookupsSurviveLongRunsOfRemovalsAmongDuplicates)
{
    for (const std::uint32_t seed : {7u, 1999u, 424242u}) {
        SCOPED_TRACE(seed);
        StarfarerUniverse universe(folder());
        runRandomOperations(universe, seed, Mix{3000, 40, 1, false});
        // Removals outnumbering everything else take the grown universe back to a
        // few hexes, where it stays.
        runRandomOperations(universe, seed + 1, Mix{2500, 40, 10, false});
    }
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

namespace {

// Places at the edges of sectors and of the stored numbers: a sector's corners, the
// hexes beside them across each border, negative sectors, the ends of qint64, and
// columns and rows outside a sector as a file may hold them.
QList<GalacticCoordinates> edgePlaces()
{
    constexpr qint64 low = std::numeric_limits<qint64>::min();
    constexpr qint64 high = std::numeric_limits<qint64>::max();
    return {{0, 0, 1, 1},     {0, 0, 32, 1},        {0, 0, 1, 40},      {0, 0, 32, 40},     {1, 0, 1, 1},
            {-1, 0, 32, 1},   {0, 1, 1, 1},         {0, -1, 1, 40},     {-1, -1, 32, 40},   {1, 1, 1, 1},
            {low, low, 1, 1}, {high, high, 32, 40}, {low, high, 1, 40}, {high, low, 32, 1}, {high, 0, 1, 1},
            {low, 0, 32, 40}, {0, 0, 0, 0},         {0, 0, 33, 41},     {0, 0, low, high}};
}

// Every look-up of the document against an index rebuilt from its data and against
// the first match (or, for the hexes at a place, every match) of a plain scan: at
// every place and for every id ever stored.
void expectLookupsMatchARebuild(const StarfarerUniverse &universe, const QList<GalacticCoordinates> &places,
                                const QList<QUuid> &ids)
{
    const HexList &data = universe.data();
    HexIndex rebuilt;
    rebuilt.rebuild(data);
    QHash<QUuid, qsizetype> firstWithID;
    QHash<GalacticCoordinates, qsizetype> firstAt;
    QHash<GalacticCoordinates, QList<qsizetype>> allAt;
    for (qsizetype i = 0; i < data.size(); ++i) {
        firstWithID.insert(data[i].id, firstWithID.value(data[i].id, i));
        firstAt.insert(data[i].coordinates, firstAt.value(data[i].coordinates, i));
        allAt[data[i].coordinates].append(i);
    }
    const auto hexAt = [&](qsizetype position) {
        return position < 0 ? std::nullopt : std::optional<HexData>(data.at(position));
    };
    for (qsizetype p = 0; p < places.size(); ++p) {
        const qsizetype first = firstAt.value(places[p], -1);
        EXPECT_EQ(rebuilt.positionAt(places[p]), first) << "place " << p;
        EXPECT_EQ(universe.hexData(places[p]), hexAt(first)) << "place " << p;
        EXPECT_EQ(universe.isOccupied(places[p]), first >= 0) << "place " << p;
        EXPECT_EQ(universe.positionsOfHexesAt(places[p]), allAt.value(places[p])) << "place " << p;
        EXPECT_EQ(rebuilt.positionsAt(places[p]), allAt.value(places[p])) << "place " << p;
    }
    for (const QUuid &id : ids) {
        const qsizetype first = firstWithID.value(id, -1);
        EXPECT_EQ(rebuilt.positionOf(id), first);
        EXPECT_EQ(universe.hexWithID(id), hexAt(first));
    }
}

} // namespace

// Hexes put at, moved between and removed from places on sector borders and at the
// ends of the coordinates' range, many sharing a place or an id, through every
// operation that changes the systems: the universe grows to a few hundred hexes and
// shrinks to none, and at every step its look-ups answer as a fresh index would.
TEST_F(UniverseStoreTest, HexLookupsAtSectorEdgesMatchAnIndexRebuiltFromTheData)
{
    std::mt19937 random(5150);
    const QList<GalacticCoordinates> places = edgePlaces();
    const auto somePlace = [&] { return places.at(qsizetype(random() % places.size())); };
    StarfarerUniverse universe(folder());
    QList<QUuid> ids; // every id ever stored, in the order first seen
    QSet<QUuid> seen;
    for (int step = 0; (step < 1200 || !universe.data().isEmpty()) && !HasFailure(); ++step) {
        const QList<HexData> before = universe.data().toList();
        const QUuid stored = before.isEmpty() ? QUuid() : before.at(qsizetype(random() % before.size())).id;
        // Now and then an id already stored, so that hexes share ids as well as places.
        const auto someID = [&] {
            return !stored.isNull() && random() % 4 == 0 ? stored : QUuid::createUuid();
        };
        const auto someHex = [&] { return HexData{someID(), somePlace(), {}, QString::number(random())}; };
        // Growing for most of the run, then shrinking to nothing.
        const int action = int(random() % 10) + (step < 1200 ? 0 : 5);
        if (before.isEmpty() || action < 3) {
            universe.insertHex(someHex());
        } else if (action == 3) {
            QList<HexData> batch;
            for (int n = int(random() % 5); n > 0; --n)
                batch.append(someHex());
            universe.insertHexes(batch);
        } else if (action < 7) {
            // Moved to another place, often across a border, sometimes under a new id.
            HexData moved = universe.hexWithID(stored).value();
            moved.coordinates = somePlace();
            if (action == 6)
                moved.id = someID();
            ASSERT_TRUE(action == 6 ? universe.replaceHex(stored, moved) : universe.replaceHex(moved));
        } else if (action == 7) {
            // The whole list again, a few hexes shorter at either end.
            const qsizetype dropped = std::min<qsizetype>(before.size(), random() % 4);
            universe.setData(random() % 2 ? before.mid(dropped) : before.first(before.size() - dropped));
        } else {
            ASSERT_TRUE(universe.removeHex(action == 8 ? before.first().id : stored));
        }
        for (const HexData &hex : universe.data()) {
            if (!seen.contains(hex.id)) {
                seen.insert(hex.id);
                ids.append(hex.id);
            }
        }
        expectLookupsMatchARebuild(universe, places, ids);
    }
}
