#include "FactionAsset.h"

using namespace Qt::StringLiterals;

FactionAsset FactionAsset::fromJson(const JsonReader &reader)
{
    FactionAsset asset;
    asset.name = reader.required<QString>("name"_L1);
    asset.category = reader.required<AssetCategory>("category"_L1);
    asset.hp = reader.required<qint64>("hp"_L1);
    asset.cost = reader.required<qint64>("cost"_L1);
    asset.tl = reader.required<TechnologyLevel>("tl"_L1);
    asset.type = reader.required<AssetType>("type"_L1);
    asset.location = reader.required<GalacticCoordinates>("location"_L1);
    asset.attack = reader.required<QString>("attack"_L1);
    asset.counter = reader.required<QString>("counter"_L1);
    asset.note = reader.required<QString>("note"_L1);
    return asset;
}

JsonObject FactionAsset::toJson() const
{
    JsonObject object;
    object.insert("name"_L1, jsonValue(name));
    object.insert("category"_L1, jsonValue(category));
    object.insert("hp"_L1, jsonValue(hp));
    object.insert("cost"_L1, jsonValue(cost));
    object.insert("tl"_L1, jsonValue(tl));
    object.insert("type"_L1, jsonValue(type));
    object.insert("location"_L1, jsonValue(location));
    object.insert("attack"_L1, jsonValue(attack));
    object.insert("counter"_L1, jsonValue(counter));
    object.insert("note"_L1, jsonValue(note));
    return object;
}
