#pragma once

// Records with random contents, every field drawn from the installed random source
// (a SeededSource in tests, so that failures repeat): mostly ordinary values, now
// and then the far ends of a field's type and texts that need escaping.

#include "model/HexData.h"
#include "model/Random.h"
#include "universe/UniverseContents.h"

#include <QList>
#include <QString>
#include <QUuid>

#include <limits>

namespace random_records {

using namespace Qt::StringLiterals;

template <typename E> E anyOf()
{
    const auto cases = allCases<E>();
    return cases[static_cast<std::size_t>(randomBelow(qint64(cases.size())))];
}

template <typename T, typename Make> QList<T> some(qint64 most, Make make)
{
    QList<T> list;
    for (qint64 n = randomBelow(most + 1); n > 0; --n)
        list.append(make());
    return list;
}

inline QUuid uuid()
{
    QByteArray bytes;
    for (int i = 0; i < 2; ++i) {
        const quint64 word = randomSource().next64();
        bytes.append(reinterpret_cast<const char *>(&word), sizeof word);
    }
    return QUuid::fromRfc4122(bytes);
}

inline qint64 integer()
{
    // Mostly small codes, sometimes the far ends of the stored type.
    static const qint64 extremes[] = {std::numeric_limits<qint64>::min(), -(qint64(1) << 53) - 1,
                                      (qint64(1) << 62) + 7, -1, 0};
    return randomBelow(8) == 0 ? extremes[randomBelow(std::size(extremes))] : randomBelow(41) - 10;
}

inline QString text()
{
    // Besides plain and escaped ASCII: CJK, astral characters, control characters
    // (NUL among them), U+FEFF and U+FFFF, and the line separators JavaScript minds.
    static const QString samples[] = {QString(),
                                      u"Kesh"_s,
                                      u"\u00C6r\u00F8 \u2726 \u201Cq\u201D \"and\" \\s\\"_s,
                                      u"line\nbreak\ttab"_s,
                                      u"\u9280\u6CB3\u5E1D\u570B"_s,
                                      u"\U0001F680 \U0001D11E\U0010FFFF"_s,
                                      QString(QChar(0)) + u"\u0001\u001F\u007F\b\f\r"_s,
                                      u"\uFEFFmark \uFFFF \u2028\u2029"_s};
    return samples[randomBelow(std::size(samples))];
}

inline GalacticCoordinates hex()
{
    return {integer(), integer(), integer(), integer()};
}

inline UWP profile()
{
    UWP uwp;
    uwp.starport = anyOf<Starport>();
    uwp.size = integer();
    uwp.density = randomUniform(0.05, 1.25);
    uwp.atmosphere = integer();
    uwp.hydrographics = integer();
    uwp.population = integer();
    uwp.government = integer();
    uwp.lawLevel = integer();
    uwp.techLevel = anyOf<TechnologyLevel>();
    const QList<Base> bases = some<Base>(4, anyOf<Base>);
    uwp.bases = QSet<Base>(bases.cbegin(), bases.cend());
    uwp.populationMultiplier = integer();
    uwp.tags = some<WorldTag>(3, anyOf<WorldTag>);
    return uwp;
}

inline WorldData world(int depth)
{
    WorldData w;
    w.id = uuid();
    w.name = text();
    w.mainWorld = randomBelow(2) == 1;
    w.type = anyOf<WorldType>();
    w.sunOrbit = anyOf<Orbits>();
    w.satelliteOrbit = anyOf<PlanetOrbits>();
    if (depth > 0)
        w.satellites = some<WorldData>(2, [depth] { return world(depth - 1); });
    w.hzOffset = integer();
    w.uwp = profile();
    w.dayLength = integer();
    w.yearLength = integer();
    w.tideLocked = randomBelow(2) == 1;
    w.prevalentRace = anyOf<Race>();
    w.factionIDs = some<QUuid>(2, uuid);
    w.worldTags = some<WorldTag>(3, anyOf<WorldTag>);
    w.tradeClasses = some<TradeClass>(5, anyOf<TradeClass>);
    w.notes = text();
    w.image = text();
    return w;
}

inline HexData hexData()
{
    HexData h;
    h.id = uuid();
    h.coordinates = hex();
    h.notes = text();
    StarSystem &system = h.starSystem;
    system.id = uuid();
    system.name = text();
    for (qint64 n = randomBelow(3) + 1; n > 0; --n) {
        Star s = Star::random(anyOf<Orbits>());
        s.name = text();
        s.temperature = integer();
        s.worlds = some<WorldData>(3, [] { return world(1); });
        system.stars.append(s);
    }
    system.gasGiant = integer();
    system.planetoidBelts = integer();
    system.totalNumberOfWorlds = integer();
    system.starfarers = randomBelow(2) == 1;
    system.sathar = randomBelow(2) == 1;
    system.other = randomBelow(2) == 1;
    system.surveyed = randomBelow(2) == 1;
    return h;
}

inline Faction faction()
{
    Faction f;
    f.id = uuid();
    f.name = text();
    f.shortName = text();
    f.homeworld = hex();
    f.category = anyOf<FactionCategory>();
    f.color = anyOf<FactionColor>();
    f.description = text();
    f.hp = integer();
    f.force = integer();
    f.cunning = integer();
    f.wealth = integer();
    f.credits = integer();
    f.xp = integer();
    f.tags = some<FactionTag>(3, anyOf<FactionTag>);
    f.assets = some<FactionAsset>(2, [] {
        return FactionAsset{text(),
                            anyOf<AssetCategory>(),
                            integer(),
                            integer(),
                            anyOf<TechnologyLevel>(),
                            anyOf<AssetType>(),
                            hex(),
                            text(),
                            text(),
                            text()};
    });
    f.notes = some<FactionNote>(2, [] {
        return FactionNote{integer(), text(), Stardate{integer(), integer(), integer(), integer()}, text()};
    });
    return f;
}

inline Region region()
{
    Region r;
    r.id = uuid();
    r.name = text();
    r.color = anyOf<FactionColor>();
    r.anchors = some<RegionAnchor>(4, [] { return RegionAnchor{hex(), integer()}; });
    r.closed = randomBelow(2) == 1;
    if (randomBelow(2) == 1)
        r.labelCoordinates = hex();
    return r;
}

inline Rutter rutter()
{
    return Rutter{uuid(), uuid(), hex(), hex(), randomBelow(2) == 1, anyOf<RutterAge>(), {}};
}

inline Nebula nebula()
{
    return Nebula{uuid(), text(), anyOf<NebulaType>(), some<GalacticCoordinates>(4, hex)};
}

inline StarmapLabel starmapLabel()
{
    return StarmapLabel{uuid(), text(), randomUniform(1, 40), anyOf<FactionColor>(), randomUniform(-4, 4),
                        hex(),  text()};
}

inline FactionList factionList()
{
    return FactionList{uuid(), text(), some<QUuid>(3, uuid)};
}

// A whole universe of up to `mostSystems` systems and a few of every map object.
inline UniverseContents universeContents(qint64 mostSystems)
{
    UniverseContents c;
    c.id = uuid();
    c.name = text();
    c.data = HexList(some<HexData>(mostSystems, hexData));
    c.factions = some<Faction>(3, faction);
    c.factionLists = some<FactionList>(2, factionList);
    c.rutters = some<Rutter>(3, rutter);
    c.nebulae = some<Nebula>(2, nebula);
    c.regions = some<Region>(2, region);
    c.starmapLabels = some<StarmapLabel>(2, starmapLabel);
    const QList<QString> categories = some<QString>(3, text);
    c.hiddenLabelCategories = QSet<QString>(categories.cbegin(), categories.cend());
    c.mapViewMode = anyOf<MapViewMode>();
    for (bool *layer : {&c.mapShowRutters, &c.mapShowNebulae, &c.mapShowRegions, &c.mapShowLabels,
                        &c.mapShowSurveyedData, &c.mapShowStarfarers, &c.mapShowSathar, &c.mapShowOther})
        *layer = randomBelow(2) == 1;
    const QList<QUuid> selected = some<QUuid>(3, uuid);
    c.selectedFactionIDs = QSet<QUuid>(selected.cbegin(), selected.cend());
    return c;
}

} // namespace random_records
