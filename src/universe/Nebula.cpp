#include "Nebula.h"

using namespace Qt::StringLiterals;

Nebula Nebula::fromJson(const JsonReader &reader)
{
    Nebula nebula;
    nebula.id = reader.required<QUuid>("id"_L1);
    nebula.name = reader.required<QString>("name"_L1);
    nebula.type = reader.required<NebulaType>("type"_L1);
    nebula.hexes = reader.required<QList<GalacticCoordinates>>("hexes"_L1);
    return nebula;
}

JsonObject Nebula::toJson() const
{
    JsonObject object;
    object.insert("id"_L1, jsonValue(id));
    object.insert("name"_L1, jsonValue(name));
    object.insert("type"_L1, jsonValue(type));
    object.insert("hexes"_L1, jsonValue(hexes));
    return object;
}
