#include "Region.h"

#include <QHashFunctions>

using namespace Qt::StringLiterals;

QList<HexCorner> Region::outlineCorners() const
{
    QList<HexCorner> corners;
    corners.reserve(anchors.size());
    for (const RegionAnchor &anchor : anchors)
        corners.append(anchor.hexCorner());
    if (corners.size() < 2)
        return corners;

    QList<HexCorner> chain;
    // Each leg's path begins where the previous one ended; that junction goes in once.
    const auto appendLeg = [&chain](const HexCorner &from, const HexCorner &to) {
        for (const HexCorner &corner : HexCorner::edgePath(from, to)) {
            if (chain.isEmpty() || !(chain.constLast() == corner))
                chain.append(corner);
        }
    };
    for (qsizetype i = 0; i + 1 < corners.size(); ++i)
        appendLeg(corners[i], corners[i + 1]);
    if (closed)
        appendLeg(corners.constLast(), corners.constFirst());
    return chain;
}

QList<QPointF> Region::outlinePoints(double hexRadius) const
{
    const QList<HexCorner> corners = outlineCorners();
    QList<QPointF> points;
    points.reserve(corners.size());
    for (const HexCorner &corner : corners)
        points.append(corner.point(hexRadius));
    return points;
}

Region Region::fromJson(const JsonReader &reader)
{
    Region region;
    region.id = reader.required<QUuid>("id"_L1);
    region.name = reader.required<QString>("name"_L1);
    region.color = reader.required<FactionColor>("color"_L1);
    region.anchors = reader.required<QList<RegionAnchor>>("anchors"_L1);
    region.closed = reader.required<bool>("closed"_L1);
    region.labelCoordinates = reader.optional<GalacticCoordinates>("labelCoordinates"_L1);
    return region;
}

JsonObject Region::toJson() const
{
    JsonObject object;
    object.insert("id"_L1, jsonValue(id));
    object.insert("name"_L1, jsonValue(name));
    object.insert("color"_L1, jsonValue(color));
    object.insert("anchors"_L1, jsonValue(anchors));
    object.insert("closed"_L1, jsonValue(closed));
    putOptional(object, "labelCoordinates"_L1, labelCoordinates);
    return object;
}

size_t qHash(const Region &value, size_t seed) noexcept
{
    // An absent label position hashes apart from every present one.
    const bool hasLabel = value.labelCoordinates.has_value();
    return qHashMulti(seed, value.id, value.name, value.color, value.anchors, value.closed, hasLabel,
                      hasLabel ? *value.labelCoordinates : GalacticCoordinates{});
}
