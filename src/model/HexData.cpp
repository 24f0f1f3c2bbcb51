#include "HexData.h"

#include <QHashFunctions>

using namespace Qt::StringLiterals;

HexData HexData::fromJson(const JsonReader &r)
{
    HexData hex;
    hex.id = r.required<QUuid>("id"_L1);
    hex.coordinates = r.required<GalacticCoordinates>("coordinates"_L1);
    hex.starSystem = r.required<StarSystem>("starSystem"_L1);
    hex.notes = r.required<QString>("notes"_L1);
    return hex;
}

JsonObject HexData::toJson() const
{
    return JsonObject{
        {"id"_L1, jsonValue(id)},
        {"coordinates"_L1, jsonValue(coordinates)},
        {"starSystem"_L1, jsonValue(starSystem)},
        {"notes"_L1, jsonValue(notes)},
    };
}

size_t qHash(const HexData &hex, size_t seed)
{
    return qHashMulti(seed, hex.id, hex.coordinates, hex.starSystem, hex.notes);
}
