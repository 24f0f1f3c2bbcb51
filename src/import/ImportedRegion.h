#pragma once

#include "BorderTracing.h"
#include "ImportedWorld.h"
#include "SectorMetadata.h"
#include "SectorPosition.h"

#include <QList>
#include <QString>

#include <optional>

namespace TravellerMapImporter {

// A border of the metadata traced into a closed outline: its anchors in loop order,
// the name to show, and every cell of the area it encloses, which the apply step
// merges with stored regions of the same name.
struct ImportedRegion
{
    AnchorList anchors;
    QString name;       // the border's label, or its allegiance's name
    QString allegiance; // as read; may be empty
    std::optional<GalacticCoordinates> labelCoordinates;
    QString colorHint; // the border's colour text, as read
    CellSet cells;
};

// The borders of the imported sector, in order, without those whose path names fewer
// than 3 hexes or gives no outline of more than 2 anchors.
QList<ImportedRegion> importedRegions(const QList<MetaBorder> &borders, SectorPosition sector,
                                      const AllegianceTable &allegiances);

} // namespace TravellerMapImporter
