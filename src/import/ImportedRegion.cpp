#include "ImportedRegion.h"

#include "ImportText.h"

namespace TravellerMapImporter {

namespace {

GalacticCoordinates hexInSector(SectorPosition sector, const HexNumbers &numbers)
{
    return GalacticCoordinates{sector.x, sector.y, numbers.column, numbers.row};
}

std::optional<ImportedRegion> importedRegion(const MetaBorder &border, SectorPosition sector,
                                             const AllegianceTable &allegiances)
{
    CellSet path;
    for (const QStringView piece : splitAtSpaces(border.path)) {
        if (const auto numbers = parseHex(piece))
            path.insert(cellOf(hexInSector(sector, *numbers)));
    }
    if (path.size() < 3)
        return std::nullopt;

    ImportedRegion region;
    region.cells = fillCells(path);
    region.anchors = outlineAnchors(region.cells);
    if (region.anchors.size() <= 2)
        return std::nullopt;

    if (const auto label = parseHex(border.labelPosition))
        region.labelCoordinates = hexInSector(sector, *label);
    region.name = border.label.isEmpty() ? allegianceName(border.allegiance, allegiances) : border.label;
    region.allegiance = border.allegiance;
    region.colorHint = border.color;
    return region;
}

} // namespace

QList<ImportedRegion> importedRegions(const QList<MetaBorder> &borders, SectorPosition sector,
                                      const AllegianceTable &allegiances)
{
    QList<ImportedRegion> regions;
    for (const MetaBorder &border : borders) {
        if (auto region = importedRegion(border, sector, allegiances))
            regions.append(std::move(*region));
    }
    return regions;
}

} // namespace TravellerMapImporter
