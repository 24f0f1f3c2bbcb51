#pragma once

#include "RutterDestination.h"

#include <QList>
#include <QPointer>

class StarfarerUniverse;

// The rutters touching a hex as the system list names them, found through the
// universe's index of rutters by hex, so that a list of many systems finds a row's
// rutters without walking every rutter per row.
class RutterIndex
{
public:
    explicit RutterIndex(StarfarerUniverse *universe);

    // The same destinations as RutterDestination::touching, in the same order.
    QList<RutterDestination> destinations(const GalacticCoordinates &hex) const;
    // The far ends of the rutters touching `hex` (the hex itself for a rutter from
    // the hex to itself).
    QList<GalacticCoordinates> farEnds(const GalacticCoordinates &hex) const;

private:
    QPointer<StarfarerUniverse> m_universe;
};
