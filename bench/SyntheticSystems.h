#pragma once

#include "model/HexData.h"
#include "model/StarSystemGeneration.h"

#include <QList>

// A made-up name for the system numbered `seed`: two or three syllables, sometimes a
// second word, so that names share beginnings and collate as real names do rather
// than as one prefix and a number.
inline QString syntheticName(quint32 seed)
{
    static const char *const syllables[] = {"ka", "ve",  "lor", "thi", "an",  "mar", "zu", "el",  "dra",
                                            "os", "qui", "ren", "sa",  "tor", "ul",  "yx", "bel", "cor"};
    constexpr quint32 count = sizeof(syllables) / sizeof(*syllables);
    quint32 state = seed * 2654435761u + 12345u;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    QString name;
    for (quint32 i = 0, n = 2 + next() % 2; i < n; ++i)
        name += QLatin1StringView(syllables[next() % count]);
    name[0] = name[0].toUpper();
    if (next() % 4 == 0)
        name += QStringLiteral(" ") + QLatin1StringView(syllables[next() % count]).toString().toUpper();
    return name;
}

// `count` generated systems laid out sector by sector, for the benchmarks' universes;
// each system and its main world carry made-up names.
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
        hex.starSystem.name = syntheticName(quint32(i));
        for (Star &star : hex.starSystem.stars) {
            for (WorldData &world : star.worlds) {
                if (world.mainWorld)
                    world.name = syntheticName(quint32(i) + 7919u);
            }
        }
        data.append(hex);
    }
    return data;
}
