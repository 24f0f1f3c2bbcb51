// The slots the hex index gives its hexes, for views that keep hexes in the list's
// order: followed through random appends, replacements (to a new id or place) and
// removals, many sharing an id, and through the renumberings that many removals bring.
#include "universe/HexIndex.h"

#include <gtest/gtest.h>

#include <QHash>
#include <QSet>

#include <random>
#include <vector>

namespace {

// The hexes beside the index: each with a serial number that it keeps while it is
// stored, so that a hex can be followed whatever its id and place become.
struct Stored
{
    HexList data;
    std::vector<int> serials;
};

// The slot of every stored hex equals the one it had, unless the index renumbered;
// after a renumbering the slots are the positions again. Slots rise with position, the
// slot of an id is the first of its hexes', and the shared ids are those of several.
void expectSlotsFollowTheList(const HexIndex &index, const Stored &stored, QHash<int, qint64> &slotOfSerial,
                              qint64 &renumberings)
{
    const bool renumbered = index.renumberings() != renumberings;
    renumberings = index.renumberings();
    QHash<QUuid, qint64> firstSlot;
    QHash<QUuid, int> carriers;
    QHash<int, qint64> slotNow;
    qint64 previous = -1;
    for (qsizetype p = 0; p < stored.data.size(); ++p) {
        const qint64 slot = index.slotAt(p);
        EXPECT_GT(slot, previous) << "position " << p;
        previous = slot;
        const auto was = slotOfSerial.constFind(stored.serials[std::size_t(p)]);
        if (renumbered) {
            EXPECT_EQ(slot, p) << "position " << p;
        } else if (was != slotOfSerial.cend()) {
            EXPECT_EQ(slot, *was) << "position " << p;
        }
        slotNow.insert(stored.serials[std::size_t(p)], slot);
        const QUuid &id = stored.data[p].id;
        if (!firstSlot.contains(id))
            firstSlot.insert(id, slot);
        ++carriers[id];
    }
    slotOfSerial = slotNow;
    QSet<QUuid> shared;
    for (auto it = carriers.cbegin(); it != carriers.cend(); ++it) {
        EXPECT_EQ(index.slotOf(it.key()), firstSlot.value(it.key()));
        if (*it > 1)
            shared.insert(it.key());
    }
    EXPECT_EQ(index.sharedIDs(), shared);
    EXPECT_EQ(index.slotOf(QUuid::createUuid()), -1);
}

} // namespace

TEST(HexIndexSlotsTest, SlotsKeepTheListsOrderAndStayPutUntilRenumbered)
{
    for (const unsigned seed : {3u, 77u, 2024u}) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        std::mt19937 random(seed);
        const auto below = [&](qsizetype count) {
            return qsizetype(random() % std::max<qsizetype>(count, 1));
        };
        QList<QUuid> ids;
        for (int i = 0; i < 12; ++i)
            ids.append(QUuid::createUuid());
        // Few ids and places, so that hexes share both often.
        const auto someHex = [&] {
            return HexData{ids[below(ids.size())], {0, 0, 1 + below(4), 1 + below(3)}, {}, {}};
        };
        HexIndex index;
        Stored stored;
        int serial = 0;
        index.rebuild(stored.data);
        QHash<int, qint64> slotOfSerial;
        qint64 renumberings = index.renumberings();
        qint64 renumberingsAtStart = renumberings;
        for (int step = 0; step < 3000 && !testing::Test::HasFailure(); ++step) {
            // Growing to a few hundred hexes, then shrinking: the removals outnumber the
            // hexes left, so the index renumbers.
            const int action = int(random() % 10) + (step % 1000 < 600 ? 0 : 4);
            if (stored.data.isEmpty() || action < 5) {
                const HexData hex = someHex();
                stored.data.append(hex);
                stored.serials.push_back(serial++);
                index.appended(hex);
            } else if (action < 8) {
                const qsizetype p = below(stored.data.size());
                HexData after = stored.data[p];
                if (random() % 2)
                    after.id = ids[below(ids.size())];
                else
                    after.coordinates = someHex().coordinates;
                index.replaced(p, stored.data[p], after);
                stored.data.replace(p, after);
            } else {
                const qsizetype p = below(stored.data.size());
                index.removed(p, stored.data[p]);
                stored.data.removeAt(p);
                stored.serials.erase(stored.serials.begin() + p);
            }
            SCOPED_TRACE(testing::Message() << "step " << step);
            expectSlotsFollowTheList(index, stored, slotOfSerial, renumberings);
        }
        // The run went through renumberings, not only through the log.
        EXPECT_GE(index.renumberings() - renumberingsAtStart, 2);

        // Indexing afresh renumbers too.
        index.rebuild(stored.data);
        EXPECT_GT(index.renumberings(), renumberings);
        for (qsizetype p = 0; p < stored.data.size(); ++p)
            EXPECT_EQ(index.slotAt(p), p);
    }
}
