#pragma once

#include <QtGlobal>

namespace TravellerMapImporter {

// Where an imported sector lies on the map: the sector X and sector Y of its hexes.
// The Y is the negative of the service's, so that it grows upwards like ours.
struct SectorPosition
{
    qint64 x = 0;
    qint64 y = 0;

    friend bool operator==(const SectorPosition &, const SectorPosition &) = default;
};

} // namespace TravellerMapImporter
