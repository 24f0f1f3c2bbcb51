#pragma once

#include "import/SectorPosition.h"

#include <QByteArray>
#include <QList>
#include <QString>

class StarfarerUniverse;

// A universe shaped like all of Charted Space as the Traveller Map service has it, made
// up: 190 sectors in a block of 15 × 14 (its corners left out) holding 68,000 worlds,
// up to 600 a sector in the dense core, few on the rims and none in parts of a rift;
// 420 allegiances, 6,800 routes (a tenth of them into the next sector), 390 border
// pieces — one polity of 28 whole sectors, one of 15 pieces apart, a dozen of a few
// sectors and many small states — and about 3,000 labels (one per named subsector,
// one per sector, a few dozen more). It is made the way the real one was: the
// service's answers for each sector imported in turn. Everything but ids is the same
// on every run.
namespace ChartedSpaceShape {

inline constexpr int kSystems = 68000;

// What the service answers for one sector.
struct SectorAnswers
{
    TravellerMapImporter::SectorPosition position;
    QString name;
    QString worlds;      // the tab-delimited world rows
    QByteArray metadata; // names, routes, labels, subsectors and borders
};

// The 190 sectors, row by row.
QList<SectorAnswers> sectors();
// The service's allegiance list: every code the sectors use, with its name.
QByteArray allegiances();

// The polity of 15 pieces.
QString fifteenPiecePolity();
// A sector of 440 worlds in a corner left out of the block, beside the polity of 15
// pieces; one of its borders is that polity's, so importing it merges into it.
SectorAnswers sectorBesideFifteenPiecePolity();

// Imports every sector into `universe`: converted on all cores, applied in order on
// this thread, as the import page would one after another.
void importInto(StarfarerUniverse &universe);

} // namespace ChartedSpaceShape
