#include "Rutter.h"

using namespace Qt::StringLiterals;

Rutter Rutter::fromJson(const JsonReader &reader)
{
    Rutter rutter;
    rutter.id = reader.required<QUuid>("id"_L1);
    rutter.start = reader.required<GalacticCoordinates>("start"_L1);
    rutter.end = reader.required<GalacticCoordinates>("end"_L1);
    rutter.mainTradeRoute = reader.required<bool>("mainTradeRoute"_L1);
    rutter.age = reader.required<RutterAge>("age"_L1);
    if (const auto factionID = reader.optional<QUuid>("factionID"_L1)) {
        rutter.factionID = *factionID;
    } else {
        rutter.legacyFaction = reader.required<Faction>("faction"_L1);
        rutter.factionID = rutter.legacyFaction->id;
    }
    return rutter;
}

JsonObject Rutter::toJson() const
{
    JsonObject object;
    object.insert("id"_L1, jsonValue(id));
    object.insert("factionID"_L1, jsonValue(factionID));
    object.insert("start"_L1, jsonValue(start));
    object.insert("end"_L1, jsonValue(end));
    object.insert("mainTradeRoute"_L1, jsonValue(mainTradeRoute));
    object.insert("age"_L1, jsonValue(age));
    return object;
}
