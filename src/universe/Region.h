#pragma once

#include "FactionColor.h"
#include "HexCorner.h"
#include "RegionAnchor.h"
#include "model/GalacticCoordinates.h"
#include "json/Json.h"

#include <QList>
#include <QPointF>
#include <QString>
#include <QUuid>

#include <optional>

// A named, coloured outline on the star map that runs along hex edges: consecutive
// anchors are joined by the shortest chain of edges nearest the straight line between
// them, and a closed region also joins its last anchor back to the first.
struct Region
{
    QUuid id;
    QString name;
    FactionColor color = FactionColor::red;
    QList<RegionAnchor> anchors; // in drawing order; repeats allowed
    bool closed = false;
    std::optional<GalacticCoordinates> labelCoordinates; // where the map writes the name, if set

    // The grid vertices of the outline, in order, with no vertex twice in a row. A
    // closed outline ends on its first vertex again; no anchors give none.
    QList<HexCorner> outlineCorners() const;
    // Those vertices as points of the map plane for a hex radius.
    QList<QPointF> outlinePoints(double hexRadius) const;

    // "labelCoordinates" may be missing or null; every other key is required.
    static Region fromJson(const JsonReader &reader);
    // Leaves "labelCoordinates" out when there is none.
    JsonObject toJson() const;

    friend bool operator==(const Region &, const Region &) = default;
};

size_t qHash(const Region &value, size_t seed = 0) noexcept;
