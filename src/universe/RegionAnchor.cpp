#include "RegionAnchor.h"

#include "model/HexLayout.h"

using namespace Qt::StringLiterals;

HexCorner RegionAnchor::hexCorner() const
{
    return HexCorner::ofHex(HexLayout::cube(hex), corner);
}

RegionAnchor RegionAnchor::fromJson(const JsonReader &reader)
{
    RegionAnchor anchor;
    anchor.hex = reader.required<GalacticCoordinates>("hex"_L1);
    anchor.corner = reader.required<qint64>("corner"_L1);
    return anchor;
}

JsonObject RegionAnchor::toJson() const
{
    JsonObject object;
    object.insert("hex"_L1, jsonValue(hex));
    object.insert("corner"_L1, jsonValue(corner));
    return object;
}
