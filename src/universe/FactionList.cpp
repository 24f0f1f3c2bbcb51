#include "FactionList.h"

using namespace Qt::StringLiterals;

FactionList FactionList::fromJson(const JsonReader &reader)
{
    FactionList list;
    list.id = reader.required<QUuid>("id"_L1);
    list.name = reader.required<QString>("name"_L1);
    list.factionIDs = reader.required<QList<QUuid>>("factionIDs"_L1);
    return list;
}

JsonObject FactionList::toJson() const
{
    JsonObject object;
    object.insert("id"_L1, jsonValue(id));
    object.insert("name"_L1, jsonValue(name));
    object.insert("factionIDs"_L1, jsonValue(factionIDs));
    return object;
}
