#pragma once

#include "model/HexData.h"

#include <QList>
#include <QString>

#include <optional>

class StarfarerUniverse;

// The universes the map and window benchmarks open at scale.
enum class UniverseShape {
    // 50,000 generated systems, 512 to a sector, with map records: 8 factions, 2,000
    // rutters, 200 regions, 100 nebulae and 500 labels.
    fiftyThousandWithMapRecords,
    // All of Charted Space as imported from the Traveller Map service (see
    // ChartedSpaceShape.h).
    chartedSpace,
};

// How the benchmarks name a shape.
QString shapeName(UniverseShape shape);

// The shape that a benchmark's count of systems stands for: −50,000 for the 50,000
// with map records, 68,000 for Charted Space; none for a plain count.
std::optional<UniverseShape> shapeNamedBy(int systems);

// `count` generated systems, surveyed, 512 to a sector in a square block of sectors;
// the map benchmarks draw them.
QList<HexData> mapSystems(int count);

// Eight factions; rutters between systems of one sector, closed and open regions of
// three anchors, nebulae of a dozen hexes and labels at varied angles, spread over
// the universe's systems.
void addMapRecords(StarfarerUniverse &universe);

// Fills an empty universe with the shape's systems and map records, and names it.
void fillUniverse(StarfarerUniverse &universe, UniverseShape shape);
