#pragma once

// Hand-made map objects with fresh ids, shared by the tests of the layers that draw
// and edit them.

#include "universe/Rutter.h"

namespace test_records {

// A route of the faction `factionID` from `start` to `end`.
inline Rutter rutter(const QUuid &factionID, const GalacticCoordinates &start, const GalacticCoordinates &end,
                     RutterAge age = Rutter().age, bool mainTradeRoute = false)
{
    Rutter made;
    made.id = QUuid::createUuid();
    made.factionID = factionID;
    made.start = start;
    made.end = end;
    made.age = age;
    made.mainTradeRoute = mainTradeRoute;
    return made;
}

} // namespace test_records
