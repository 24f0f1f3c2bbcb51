#include "RegionLayer.h"

#include "LayerCache.h"
#include "MapColors.h"
#include "MapPainter.h"
#include "MapText.h"
#include "OutlineClip.h"
#include "RoundStroke.h"
#include "StarMapScene.h"
#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// How far beyond the exposed rectangle, in points, the pieces of an outline drawn
// must reach: the round ends of the strokes (2 points) and their anti-aliasing.
constexpr double kPieceReach = 4;
// How far, in device pixels, the round joins and caps may stray from true circles.
constexpr double kArcTolerance = 0.1;

} // namespace

RegionLayer::RegionLayer(const StarMapVisibleSets &sets) : m_sets(sets) {}

QString RegionLayer::nameOf(const Region &region)
{
    return region.name.isEmpty() ? QStringLiteral("Unnamed Region") : region.name;
}

RegionLayer::Outline RegionLayer::traced(const Region &region, double hexRadius)
{
    Outline outline;
    outline.region = region;
    outline.points = region.outlinePoints(hexRadius);
    if (region.labelCoordinates) {
        outline.namePoint = HexLayout(hexRadius).center(*region.labelCoordinates);
    } else {
        QPointF sum;
        for (const RegionAnchor &anchor : region.anchors)
            sum += anchor.hexCorner().point(hexRadius);
        outline.namePoint = region.anchors.isEmpty() ? sum : sum / static_cast<double>(region.anchors.size());
    }
    QPolygonF corners(outline.points);
    outline.lineBounds = corners.boundingRect();
    corners.append(outline.namePoint);
    outline.bounds = corners.boundingRect();
    return outline;
}

RegionLayer::Outlines RegionLayer::trace(const QList<Region> &regions, double hexRadius)
{
    Outlines outlines;
    for (const Region &region : regions) {
        if (region.anchors.size() >= 2)
            outlines.insert(region.id, traced(region, hexRadius));
    }
    return outlines;
}

const RegionLayer::Outline &RegionLayer::outlineOf(const Region &region)
{
    Outline &outline = m_outlines[region.id];
    if (!(outline.region == region && !outline.points.isEmpty()))
        outline = traced(region, m_sets.hexRadius());
    return outline;
}

MapDirtyArea RegionLayer::adopt(Outlines outlines)
{
    m_awaiting = false;
    MapDirtyArea area;
    for (auto outline = outlines.begin(); outline != outlines.end(); ++outline) {
        if (!m_outlines.contains(outline.key())) {
            area |= areaOf(*outline);
            m_outlines.insert(outline.key(), std::move(*outline));
        }
    }
    return area;
}

MapDirtyArea RegionLayer::areaOf(const Outline &outline)
{
    if (outline.region.anchors.size() < 2)
        return {};
    // The halo under the stroke reaches half its width beyond the outline; the name
    // is drawn at max(12 × scale, 18) points.
    MapDirtyArea area(outline.bounds, 4);
    area |=
        MapDirtyArea::text(outline.namePoint, MapText::displayBoxPerPoint(nameOf(outline.region)), 12, 18);
    return area;
}

MapDirtyArea RegionLayer::regionChanged(const Region *before, const Region *after)
{
    MapDirtyArea area;
    if (before) {
        if (const std::optional<Outline> kept = LayerCache::take(m_outlines, before->id))
            area |= areaOf(*kept);
    }
    if (after && after->anchors.size() >= 2)
        area |= areaOf(outlineOf(*after));
    return area;
}

void RegionLayer::prepare()
{
    m_regions = m_sets.visibleRegions();
    LayerCache::keepOnly(m_outlines, m_regions);
    if (m_awaiting)
        return;
    for (const Region &region : std::as_const(m_regions)) {
        if (region.anchors.size() >= 2)
            outlineOf(region);
    }
}

void RegionLayer::draw(MapPainter &painter, const StarMapPass &pass) const
{
    const double k = pass.transform.scale;
    const QFont font = MapText::display(std::max(12 * k, 18.0), painter.device());
    // The name is centred on its point; a line of it may reach this far in points.
    const double nameReach = QFontMetricsF(font, painter.device()).maxWidth() * 20;
    const QRectF exposed = pass.transform.toMap(pass.exposed.adjusted(-4, -4, 4, 4));
    for (const Region &region : m_regions) {
        const auto found = m_outlines.constFind(region.id);
        if (region.anchors.size() < 2 || found == m_outlines.cend())
            continue;
        const Outline &outline = *found;
        const double reach = ((pass.detail12() ? nameReach : 0) + 4) / k;
        if (!outline.bounds.adjusted(-reach, -reach, reach, reach).intersects(exposed))
            continue;
        if (outline.points.size() >= 2)
            drawOutline(painter, outline, pass);
        if (pass.detail12()) {
            painter.setFont(font);
            painter.setPen(MapColors::palette(region.color));
            MapText::drawCentred(painter, pass.transform.toScreen(outline.namePoint), nameOf(region));
        }
    }
}

void RegionLayer::drawOutline(MapPainter &painter, const Outline &outline, const StarMapPass &pass)
{
    const QColor color = MapColors::palette(outline.region.color);
    const bool closed = outline.region.closed;
    // Culled, the pieces of the outline that reach the exposed rectangle: within it
    // they fill and stroke exactly as the whole outline does.
    const bool cut = pass.scene->culling;
    const QRectF area =
        pass.transform.toMap(pass.exposed.adjusted(-kPieceReach, -kPieceReach, kPieceReach, kPieceReach));
    if (cut && !OutlineClip::meets(outline.lineBounds.topLeft(), outline.lineBounds.bottomRight(), area))
        return; // only the name reaches the rectangle
    const auto onScreen = [&](const QPolygonF &points) {
        QPolygonF screen;
        screen.reserve(points.size());
        for (const QPointF &point : points)
            screen.append(pass.transform.toScreen(point));
        return screen;
    };
    if (closed) {
        const QPolygonF polygon = cut ? OutlineClip::cutTo(outline.points, area) : QPolygonF(outline.points);
        if (!polygon.isEmpty()) {
            QPainterPath path;
            path.setFillRule(Qt::WindingFill);
            path.addPolygon(onScreen(polygon));
            path.closeSubpath();
            QColor fill = color;
            fill.setAlphaF(0.25f);
            painter.fillPath(path, fill);
        }
    }
    const OutlineClip::Runs runs = cut ? OutlineClip::runsMeeting(outline.points, closed, area)
                                       : OutlineClip::Runs{{QPolygonF(outline.points)}, closed};
    if (runs.runs.isEmpty())
        return;
    // The dark halo, then the stroke in the region's colour over it.
    std::array<QPainterPath, 2> strokes;
    for (QPainterPath &stroke : strokes)
        stroke.setFillRule(Qt::WindingFill);
    constexpr std::array widths{4.0, 2.5};
    const double tolerance = kArcTolerance / painter.device()->devicePixelRatioF();
    for (const QPolygonF &run : runs.runs)
        RoundStroke::append(strokes, widths, onScreen(run), runs.wholeLoop, tolerance);
    painter.fillPath(strokes[0], QColor::fromRgbF(0, 0, 0, 0.5f));
    painter.fillPath(strokes[1], color);
}
