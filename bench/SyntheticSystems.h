#pragma once

#include "model/HexData.h"
#include "model/StarSystemGeneration.h"

#include <QList>

// `count` generated systems laid out sector by sector, for the benchmarks' universes.
inline QList<HexData> syntheticSystems(int count)
{
    QList<HexData> data;
    data.reserve(count);
    for (int i = 0; i < count; ++i) {
        HexData hex;
        hex.id = QUuid::createUuid();
        const int inSector = i % (32 * 40);
        hex.coordinates.sectorX = i / (32 * 40);
        hex.coordinates.column = inSector % 32 + 1;
        hex.coordinates.row = inSector / 32 + 1;
        hex.starSystem = generateStarSystem(std::nullopt, i % 3 == 0, TechnologyLevel::ttl15, true);
        hex.starSystem.name = QStringLiteral("System %1").arg(i);
        data.append(hex);
    }
    return data;
}
