#pragma once

#include "model/Star.h"

#include <QList>
#include <QStringView>

// The "Stars" column of the sector data in stellar notation ("G2 V M4 V D") read
// into the stars of an imported system. Masses and companion orbits are drawn at
// random; companions take the free orbits 15 to 20, so a column names at most seven
// stars that are kept: the stars after the seventh are left out.
namespace TravellerMapImporter {

// The stars of the column, primary first; none for a column without a star.
QList<Star> parseStars(QStringView column);

// The star of a system whose column gave none: a G2 V primary.
Star defaultStar();

} // namespace TravellerMapImporter
