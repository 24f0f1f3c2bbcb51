// The star map recomputes the outline of every region it draws on each redraw, one
// edge-path search per leg; this measures one region of twelve anchors.

#include "model/HexLayout.h"
#include "universe/Region.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <numbers>

namespace {

// Twelve anchors spread round a ring of hexes some ten hexes across, each on the
// corner that faces outwards, like a realm's border drawn by hand.
Region ringRegion(double ringRadiusInHexes)
{
    const HexLayout layout(1.0);
    const QPointF centre = layout.center(GalacticCoordinates{0, 0, 16, 20});
    Region region;
    region.closed = true;
    for (int i = 0; i < 12; ++i) {
        const double angle = 2.0 * std::numbers::pi * i / 12.0;
        const QPointF at = centre + QPointF(std::cos(angle), std::sin(angle)) * ringRadiusInHexes * 1.5;
        region.anchors.append(RegionAnchor{layout.coordinate(at), i / 2});
    }
    return region;
}

void BM_RegionOutlineTwelveAnchors(benchmark::State &state)
{
    const Region region = ringRegion(static_cast<double>(state.range(0)));
    qsizetype points = 0;
    for (auto _ : state) {
        const QList<QPointF> outline = region.outlinePoints(24.0);
        points = outline.size();
        benchmark::DoNotOptimize(outline.constData());
    }
    state.counters["points"] = static_cast<double>(points);
}

} // namespace

BENCHMARK(BM_RegionOutlineTwelveAnchors)->Arg(5)->Arg(10)->Unit(benchmark::kMicrosecond);
