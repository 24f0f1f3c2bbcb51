#include "universe/HexCorner.h"

#include <benchmark/benchmark.h>

#include <array>

namespace {

// Hexes 40 steps from sector (0, 0) column 1 row 1, in several directions: a border
// leg between two anchors this far apart is the longest a hand-drawn or imported
// region realistically asks for.
const std::array<GalacticCoordinates, 6> kLegEnds = {{
    {1, 0, 9, 1},   // 40 columns to the right along the rows
    {1, 0, 9, 11},  // to the right and a little down
    {1, 0, 9, 21},  // straight down a hex diagonal
    {0, 0, 21, 31}, // steeply down
    {0, -1, 1, 1},  // 40 rows down the column
    {1, 1, 9, 21},  // up the other hex diagonal
}};

} // namespace

// One leg of a region outline. The region layer searches every leg of every region
// on each redraw, so this bounds how many regions the map can redraw smoothly.
static void BM_EdgePath40Hexes(benchmark::State &state)
{
    const GalacticCoordinates start{0, 0, 1, 1};
    const GalacticCoordinates &end = kLegEnds[std::size_t(state.range(0))];
    const HexCorner a = HexCorner::ofHex(HexLayout::cube(start), 0);
    const HexCorner b = HexCorner::ofHex(HexLayout::cube(end), 3);
    qsizetype corners = 0;
    for (auto _ : state) {
        const QList<HexCorner> chain = HexCorner::edgePath(a, b);
        corners = chain.size();
        benchmark::DoNotOptimize(chain.constData());
    }
    state.counters["hexes"] = double(HexLayout::distance(start, end));
    state.counters["corners"] = double(corners);
}
BENCHMARK(BM_EdgePath40Hexes)->DenseRange(0, int(kLegEnds.size()) - 1)->Unit(benchmark::kMicrosecond);
