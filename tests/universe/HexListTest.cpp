// The chunked list of hexes against a plain list: after any sequence of inserts,
// appends, replacements and removals (enough to split and merge chunks many times)
// it reads exactly like the plain list, however it is read; and a copy taken at any
// point keeps what it held while the original goes on changing.
#include "universe/HexList.h"

#include "model/TestRecords.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Every way of reading the list gives the plain list's hexes in order.
void expectReadsLike(const HexList &list, const QList<HexData> &plain)
{
    ASSERT_EQ(list.size(), plain.size());
    ASSERT_EQ(list.isEmpty(), plain.isEmpty());
    if (!plain.isEmpty()) {
        EXPECT_EQ(list.first().id, plain.first().id);
        EXPECT_EQ(list.back().id, plain.last().id);
    }
    EXPECT_TRUE(list == plain);
    EXPECT_EQ(list.toList(), plain); // forwards, chunk after chunk
    for (qsizetype j = 0; j < plain.size(); j += 7) {
        EXPECT_EQ(list[j].id, plain[j].id) << j;
        EXPECT_EQ(list.end()[j - plain.size()].id, plain[j].id) << j;
    }
    // Backwards across chunk boundaries.
    qsizetype j = plain.size();
    for (auto it = list.end(); it != list.begin();)
        EXPECT_EQ((--it)->id, plain[--j].id) << j;
    EXPECT_EQ(j, 0);
}

// Where two chunks meet in a list grown by appends (every kChunkSize hexes) and the
// hexes either side, the ends of the list, or anywhere: 0 to `size` - 1, or to
// `size` when `orEnd`.
qsizetype nearAChunkEdge(std::mt19937 &random, qsizetype size, bool orEnd = false)
{
    const qsizetype last = orEnd ? size : size - 1;
    switch (random() % 5) {
    case 0: return 0;
    case 1: return last;
    case 2: return qsizetype(random() % std::uint32_t(last + 1));
    default: {
        const qsizetype edge = qsizetype(random() % std::uint32_t(size / HexList::kChunkSize + 1));
        return std::clamp<qsizetype>(edge * HexList::kChunkSize + qsizetype(random() % 3) - 1, 0, last);
    }
    }
}

// Reads around position `at` with every iterator operation: steps forwards and
// backwards across the chunk it is in, jumps, differences, ordering and subscripts.
void expectIteratesLike(const HexList &list, const QList<HexData> &plain, qsizetype at)
{
    const qsizetype from = std::max<qsizetype>(at - 2, 0);
    const qsizetype to = std::min<qsizetype>(at + 2, plain.size());
    auto it = list.begin() + from;
    for (qsizetype j = from; j < to; ++j) {
        EXPECT_EQ(it - list.begin(), j);
        EXPECT_EQ(list.end() - it, plain.size() - j);
        EXPECT_EQ(list.begin()[j].id, plain[j].id) << j;
        EXPECT_EQ((it++)->id, plain[j].id) << j;
        EXPECT_TRUE(list.begin() + j < it);
    }
    EXPECT_TRUE(it == list.begin() + to);
    for (qsizetype j = to; j > from; --j) {
        auto before = it--;
        EXPECT_EQ(before - it, 1);
        EXPECT_EQ(it->id, plain[j - 1].id) << j - 1;
    }
    if (at < plain.size()) {
        EXPECT_EQ((list.end() - (plain.size() - at))->id, plain[at].id) << at;
    }
}

} // namespace

TEST(HexList, ReadsLikeAPlainListAfterAnyChangesAndCopiesKeepTheirContents)
{
    std::mt19937 random(4021);
    int next = 0;
    QList<HexData> plain;
    for (; next < HexList::kChunkSize + 5; ++next)
        plain.append(test_records::aHex({0, 0, 0, next}));
    HexList list = HexList(QList<HexData>(plain));
    std::vector<std::pair<HexList, QList<HexData>>> copies;
    // Grows well past several chunks, then shrinks to nothing, changing at random on the way.
    for (int step = 0; (step < 3500 || !plain.isEmpty()) && !testing::Test::HasFailure(); ++step) {
        const bool growing = step < 3500;
        const int action = int(random() % 10);
        const qsizetype at = plain.isEmpty() ? 0 : qsizetype(random() % plain.size());
        if (plain.isEmpty() || action < (growing ? 6 : 1)) {
            const HexData hex = test_records::aHex({0, 0, 0, next++});
            // Appended, put anywhere, or crowded near the front so that chunks split.
            const int where = int(random() % 3);
            const qsizetype before = where == 0 ? plain.size()
                                     : where == 1
                                         ? qsizetype(random() % (plain.size() + 1))
                                         : qsizetype(random() % (std::min<qsizetype>(plain.size(), 100) + 1));
            list.insert(before, hex);
            plain.insert(before, hex);
        } else if (action < (growing ? 8 : 3)) {
            const HexData hex = test_records::aHex({0, 0, 0, next++});
            list.replace(at, hex);
            plain.replace(at, hex);
        } else {
            list.removeAt(at);
            plain.removeAt(at);
        }
        if (step % 97 == 0)
            copies.emplace_back(list, plain);
        if (step % 50 == 0 || plain.size() < 3)
            expectReadsLike(list, plain);
    }
    expectReadsLike(list, plain);
    for (const auto &[copy, itsPlain] : copies)
        expectReadsLike(copy, itsPlain);
}

// Every change made where chunks meet, at the ends and in runs that empty a whole
// chunk from either end, on the list and on copies of it: each side reads as its own
// plain list, however the other changes.
TEST(HexList, ChangesAtChunkEdgesAndOnEitherSideOfACopyKeepEverySideLikeItsPlainList)
{
    std::mt19937 random(77031);
    int next = 0;
    QList<HexData> startPlain;
    for (; next < 4 * HexList::kChunkSize + 1; ++next)
        startPlain.append(test_records::aHex({0, 0, 0, next}));
    // The same hexes made both ways: by the list's constructor, and one append at a time.
    struct Side
    {
        HexList list;
        QList<HexData> plain;
    };
    std::vector<Side> sides{{HexList(QList<HexData>(startPlain)), startPlain}, {HexList(), startPlain}};
    for (const HexData &hex : startPlain)
        sides[1].list.append(hex);

    for (int step = 0; step < 3000 && !testing::Test::HasFailure(); ++step) {
        Side &side = sides[random() % sides.size()];
        QList<HexData> &plain = side.plain;
        HexList &list = side.list;
        const int action = int(random() % 12);
        if (plain.isEmpty() || action < 3) {
            const qsizetype before = nearAChunkEdge(random, plain.size(), true);
            const HexData hex = test_records::aHex({0, 0, 0, next++});
            list.insert(before, hex);
            plain.insert(before, hex);
        } else if (action < 5) {
            const qsizetype at = nearAChunkEdge(random, plain.size());
            const HexData hex = test_records::aHex({0, 0, 0, next++});
            list.replace(at, hex);
            plain.replace(at, hex);
        } else if (action < 8) {
            const qsizetype at = nearAChunkEdge(random, plain.size());
            list.removeAt(at);
            plain.removeAt(at);
        } else if (action < 10) {
            // A run of up to a chunk's length: inserted at one place (which splits the
            // chunk there) while the list is short, else removed from a chunk's first
            // hex forwards or from its last backwards (which empties whole chunks).
            const bool grow = action == 8 && plain.size() < 3 * HexList::kChunkSize;
            const qsizetype count = 1 + qsizetype(random() % HexList::kChunkSize);
            const qsizetype at = nearAChunkEdge(random, plain.size(), grow);
            const bool backwards = random() % 2;
            for (qsizetype k = 0; k < count && !plain.isEmpty(); ++k) {
                if (grow) {
                    const HexData hex = test_records::aHex({0, 0, 0, next++});
                    list.insert(at + k, hex);
                    plain.insert(at + k, hex);
                    continue;
                }
                const qsizetype position = std::min(backwards ? at - k : at, plain.size() - 1);
                if (position < 0)
                    break;
                list.removeAt(position);
                plain.removeAt(position);
            }
        } else if (action == 10 && sides.size() < 6) {
            sides.push_back(side); // a copy, changed on its own from now on
        } else if (action == 10) {
            sides[random() % sides.size()] = sides[random() % sides.size()];
        } else if (sides.size() > 2) {
            sides.erase(sides.begin() + std::ptrdiff_t(random() % sides.size()));
        }
        if (step % 4 != 0)
            continue; // every side is read on every fourth step: a fault stays visible
        for (const Side &each : sides) {
            expectReadsLike(each.list, each.plain);
            if (!each.plain.isEmpty())
                expectIteratesLike(each.list, each.plain, nearAChunkEdge(random, each.plain.size(), true));
        }
    }
}
