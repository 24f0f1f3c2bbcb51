#pragma once

#include "SectorMetadata.h"
#include "SectorPosition.h"
#include "universe/StarmapLabel.h"

#include <QList>
#include <QString>

// The metadata's names, labels and subsector names made into star-map labels of the
// imported sector.
namespace TravellerMapImporter {

// The first name that is not empty; else empty text.
QString firstNonEmpty(const QList<MetaName> &names);

// The labels with a text and a readable hex, in order, at their hexes as given.
QList<StarmapLabel> importedLabels(const QList<MetaLabel> &labels, SectorPosition sector);

// One grey "Subsector Name" label near the middle of each named subsector "A" to "P".
QList<StarmapLabel> subsectorNameLabels(const QList<MetaSubsector> &subsectors, SectorPosition sector);

} // namespace TravellerMapImporter
