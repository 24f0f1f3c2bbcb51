// The chunked list of hexes against a plain list: after any sequence of inserts,
// appends, replacements and removals (enough to split and merge chunks many times)
// it reads exactly like the plain list, however it is read; and a copy taken at any
// point keeps what it held while the original goes on changing.
#include "universe/HexList.h"

#include <gtest/gtest.h>

#include <random>

namespace {

HexData hexNumbered(int n)
{
    HexData hex;
    hex.id = QUuid::createUuid();
    hex.coordinates.row = n;
    return hex;
}

// Every way of reading the list gives the plain list's hexes in order.
void expectReadsLike(const HexList &list, const QList<HexData> &plain)
{
    ASSERT_EQ(list.size(), plain.size());
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

} // namespace

TEST(HexList, ReadsLikeAPlainListAfterAnyChangesAndCopiesKeepTheirContents)
{
    std::mt19937 random(4021);
    int next = 0;
    QList<HexData> plain;
    for (; next < HexList::kChunkSize + 5; ++next)
        plain.append(hexNumbered(next));
    HexList list = HexList(QList<HexData>(plain));
    std::vector<std::pair<HexList, QList<HexData>>> copies;
    // Grows well past several chunks, then shrinks to nothing, changing at random on the way.
    for (int step = 0; (step < 3500 || !plain.isEmpty()) && !testing::Test::HasFailure(); ++step) {
        const bool growing = step < 3500;
        const int action = int(random() % 10);
        const qsizetype at = plain.isEmpty() ? 0 : qsizetype(random() % plain.size());
        if (plain.isEmpty() || action < (growing ? 6 : 1)) {
            const HexData hex = hexNumbered(next++);
            // Appended, put anywhere, or crowded near the front so that chunks split.
            const int where = int(random() % 3);
            const qsizetype before = where == 0 ? plain.size()
                                     : where == 1
                                         ? qsizetype(random() % (plain.size() + 1))
                                         : qsizetype(random() % (std::min<qsizetype>(plain.size(), 100) + 1));
            list.insert(before, hex);
            plain.insert(before, hex);
        } else if (action < (growing ? 8 : 3)) {
            const HexData hex = hexNumbered(next++);
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
