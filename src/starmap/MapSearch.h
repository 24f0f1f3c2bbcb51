#pragma once

#include "MapSystem.h"
#include "MapTransform.h"

#include <QList>
#include <QSizeF>
#include <QString>

// Finding a system on the map by text and the transform that brings it to the middle
// of the view.
namespace MapSearch {

// The first system, in the order given, whose hex label with its subsector letter
// ("00-0101 A"), name, or the name of one of its worlds contains the query, ignoring
// case. The query is trimmed first; a blank query finds nothing.
const MapSystem *match(const QList<const MapSystem *> &systems, const QString &query);

// The transform of `scale` that shows `mapPoint` in the middle of a view of `size`.
MapTransform centredOn(const QPointF &mapPoint, double scale, const QSizeF &size);

} // namespace MapSearch
