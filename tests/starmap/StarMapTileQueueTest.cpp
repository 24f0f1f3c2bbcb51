#include "starmap/StarMapTileQueue.h"
#include "HeldJobs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using StarMapTest::HeldJobs;
using Tile = StarMapTileQueue::Tile;

std::string describe(const Tile &tile)
{
    return "tile (" + std::to_string(tile.level) + ", " + std::to_string(tile.column) + ", " +
           std::to_string(tile.row) + ")";
}

} // namespace

// Random paints ask for random tiles of random steps, in random orders, while jobs run
// and drawings land in any order. Against a plain model of the queue: a job draws the
// most wanted tile of the latest paint that neither waits nor is drawn already, never a
// tile of an earlier paint the latest does not want, never one being drawn; the jobs
// handed out always suffice for the tiles waiting; and once every job has run, the queue
// is idle as soon as every drawing has landed.
TEST(StarMapTileQueueTest, JobsDrawTheLatestPaintsTilesInItsOrderAndNothingElse)
{
    for (const unsigned seed : {1u, 77u, 4242u}) {
        std::mt19937 random(seed);
        const auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
        HeldJobs held;
        const auto queue = std::make_shared<StarMapTileQueue>(held.executor());
        QList<Tile> waiting;                // the model: the most wanted first
        QList<Tile> drawing;                // drawn and not yet landed
        std::vector<Tile> drawnSinceLatest; // what jobs drew since the latest paint
        quint64 latestLevel = 0;
        int draws = 0;
        for (int step = 0; step < 600; ++step) {
            const int action = below(10);
            if (action < 3) {
                // A paint: some tiles of a step, possibly those waiting or being drawn.
                latestLevel = 1 + static_cast<quint64>(below(3));
                QList<Tile> asked;
                for (qint64 c = 0; c < 4; ++c) {
                    for (qint64 r = 0; r < 3; ++r) {
                        if (below(3) != 0)
                            asked.append({latestLevel, c, r});
                    }
                }
                std::shuffle(asked.begin(), asked.end(), random);
                QList<StarMapTileQueue::Wanted> wanted;
                for (const Tile &tile : asked) {
                    wanted.append({tile, [&, tile](const std::function<bool()> &abandoned) {
                                       ++draws;
                                       ASSERT_FALSE(waiting.isEmpty())
                                           << "a job drew " << describe(tile) << " though nothing waited";
                                       EXPECT_EQ(tile, waiting.first())
                                           << "seed " << seed << ", step " << step;
                                       EXPECT_FALSE(drawing.contains(tile))
                                           << describe(tile) << " drawn twice";
                                       EXPECT_EQ(abandoned(), tile.level != latestLevel);
                                       waiting.removeFirst();
                                       drawing.append(tile);
                                       drawnSinceLatest.push_back(tile);
                                   }});
                }
                waiting = asked;
                waiting.removeIf([&](const Tile &tile) { return drawing.contains(tile); });
                drawnSinceLatest.clear();
                queue->want(latestLevel, wanted);
                ASSERT_GE(qsizetype(held.jobs.size()), waiting.size())
                    << "seed " << seed << ", step " << step;
            } else if (action < 7) {
                if (!held.jobs.empty())
                    held.run(static_cast<std::size_t>(below(int(held.jobs.size()))));
            } else if (!drawing.isEmpty()) {
                const Tile tile = drawing.takeAt(below(int(drawing.size())));
                queue->landed(tile);
            }
            ASSERT_FALSE(HasFatalFailure()) << "seed " << seed << ", step " << step;
            for (const Tile &tile : drawnSinceLatest)
                ASSERT_EQ(tile.level, latestLevel) << "a tile of an earlier paint was drawn";
        }
        held.runAll();
        EXPECT_TRUE(waiting.isEmpty()) << "seed " << seed << ": the jobs handed out fell short";
        EXPECT_EQ(queue->isIdle(), drawing.isEmpty());
        for (const Tile &tile : std::as_const(drawing))
            queue->landed(tile);
        EXPECT_TRUE(queue->isIdle()) << "seed " << seed;
        EXPECT_GT(draws, 50) << "seed " << seed;
    }
}

// A drawing learns that the view left its step, and goes on being told so even when the
// view comes back before it ends: what it left out by then would be missing. Stopping
// the queue drops every tile waiting.
TEST(StarMapTileQueueTest, ADrawingOfAStepLeftStaysAbandonedAndStopDropsTheWaitingTiles)
{
    HeldJobs held;
    const auto queue = std::make_shared<StarMapTileQueue>(held.executor());
    std::vector<bool> told;
    int drawn = 0;
    const auto tile = [&](qint64 column) {
        return StarMapTileQueue::Wanted{{1, column, 0}, [&](const std::function<bool()> &abandoned) {
                                            ++drawn;
                                            told.push_back(abandoned());
                                            queue->want(2, {});
                                            told.push_back(abandoned());
                                            queue->want(1, {});
                                            told.push_back(abandoned());
                                        }};
    };
    queue->want(1, {tile(0), tile(1), tile(2)});
    ASSERT_EQ(held.jobs.size(), 3u);
    held.run(0);
    EXPECT_EQ(told, (std::vector<bool>{false, true, true}));
    EXPECT_FALSE(queue->isIdle()) << "the tile drawn has not landed";
    // The paints inside the drawing wanted nothing: the other two tiles went.
    held.runAll();
    EXPECT_EQ(drawn, 1);

    queue->want(1, {tile(3), tile(4)});
    queue->stop();
    held.runAll();
    EXPECT_EQ(drawn, 1);
    queue->landed({1, 0, 0});
    EXPECT_TRUE(queue->isIdle());
}
