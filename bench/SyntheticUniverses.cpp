#include "SyntheticUniverses.h"

#include "ChartedSpaceShape.h"
#include "model/HexLayout.h"
#include "model/StarSystemGeneration.h"
#include "universe/StarfarerUniverse.h"

#include <cmath>

namespace {

constexpr int kPerSector = 512;

} // namespace

QString shapeName(UniverseShape shape)
{
    return shape == UniverseShape::chartedSpace ? QStringLiteral("Charted Space shape")
                                                : QStringLiteral("50,000 with map records");
}

std::optional<UniverseShape> shapeNamedBy(int systems)
{
    if (systems == -50000)
        return UniverseShape::fiftyThousandWithMapRecords;
    if (systems == ChartedSpaceShape::kSystems)
        return UniverseShape::chartedSpace;
    return std::nullopt;
}

QList<HexData> mapSystems(int count)
{
    const int sectors = (count + kPerSector - 1) / kPerSector;
    const int across = static_cast<int>(std::ceil(std::sqrt(sectors)));
    QList<HexData> data;
    data.reserve(count);
    for (int i = 0; i < count; ++i) {
        const int sector = i / kPerSector;
        const int slot = (i % kPerSector) * 7919 % (32 * 40); // distinct hexes within the sector
        HexData hex;
        hex.id = QUuid::createUuid();
        hex.coordinates = {sector % across, -(sector / across), slot % 32 + 1, slot / 32 + 1};
        hex.starSystem = generateStarSystem(std::nullopt, i % 3 == 0, TechnologyLevel::ttl15, true);
        hex.starSystem.name = QStringLiteral("System %1").arg(i);
        hex.starSystem.surveyed = true;
        data.append(hex);
    }
    return data;
}

void addMapRecords(StarfarerUniverse &universe)
{
    const HexList &data = universe.data();
    QList<Faction> factions;
    for (const FactionColor color :
         {FactionColor::red, FactionColor::blue, FactionColor::green, FactionColor::gold,
          FactionColor::violet, FactionColor::cyan, FactionColor::orange, FactionColor::teal}) {
        Faction faction;
        faction.id = QUuid::createUuid();
        faction.color = color;
        factions.append(faction);
    }
    universe.setFactions(factions);
    QList<Rutter> rutters;
    for (int i = 0; i < 2000; ++i) {
        const qsizetype from = (i * 7919L) % (data.size() - 1);
        Rutter rutter;
        rutter.id = QUuid::createUuid();
        rutter.factionID = factions[i % factions.size()].id;
        rutter.start = data[from].coordinates;
        rutter.end = data[from + 1].coordinates;
        rutter.mainTradeRoute = i % 5 == 0;
        rutter.age = RutterAge::recent;
        rutters.append(rutter);
    }
    universe.setRutters(rutters);
    QList<Region> regions;
    QList<Nebula> nebulae;
    QList<StarmapLabel> labels;
    for (int i = 0; i < 500; ++i) {
        const GalacticCoordinates c = data[(i * 104729L) % data.size()].coordinates;
        const auto near = [&c](qint64 dc, qint64 dr) {
            return HexLayout::coordinates(HexLayout::galacticColumn(c) + dc, HexLayout::galacticRow(c) + dr);
        };
        if (i < 200) {
            Region region;
            region.id = QUuid::createUuid();
            region.name = QStringLiteral("Region %1").arg(i);
            region.color = factions[i % factions.size()].color;
            region.closed = i % 2 == 0;
            region.anchors = {{near(0, 0), 3}, {near(4, 0), 0}, {near(2, 3), 1}};
            regions.append(region);
        }
        if (i < 100) {
            Nebula nebula;
            nebula.id = QUuid::createUuid();
            nebula.name = QStringLiteral("Nebula %1").arg(i);
            nebula.type = static_cast<NebulaType>(i % 5);
            for (int h = 0; h < 12; ++h)
                nebula.hexes.append(near(h % 4, h / 4));
            nebulae.append(nebula);
        }
        StarmapLabel label;
        label.id = QUuid::createUuid();
        label.text = QStringLiteral("Label %1").arg(i);
        label.size = 24;
        label.angle = (i % 7) * 0.3;
        label.position = near(1, -1);
        labels.append(label);
    }
    universe.setRegions(regions);
    universe.setNebulae(nebulae);
    universe.setStarmapLabels(labels);
}

void fillUniverse(StarfarerUniverse &universe, UniverseShape shape)
{
    if (shape == UniverseShape::chartedSpace) {
        ChartedSpaceShape::importInto(universe);
    } else {
        universe.setData(mapSystems(50000));
        addMapRecords(universe);
    }
    universe.setName(shapeName(shape));
}
