#include "RegionLayer.h"

#include "LayerCache.h"
#include "MapColors.h"
#include "MapStamp.h"
#include "MapText.h"
#include "StarMapScene.h"
#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>
#include <atomic>
#include <cmath>

namespace {

// Pictures of outlines at one scale, by the memory they take.
constexpr qsizetype kPictureBudget = 40 * 1024 * 1024;
// Outlines larger than this on screen are drawn, not kept.
constexpr qsizetype kLargestPicture = 2048 * 2048;
// How far the strokes reach beyond the outline's points, in points.
constexpr double kStrokeReach = 3;

std::atomic<quint64> nextSerial{1};

} // namespace

RegionLayer::RegionLayer(const StarMapVisibleSets &sets)
    : m_sets(sets), m_pictures(std::make_shared<PictureCache<PictureKey>>(kPictureBudget))
{}

QString RegionLayer::nameOf(const Region &region)
{
    return region.name.isEmpty() ? QStringLiteral("Unnamed Region") : region.name;
}

RegionLayer::Outline RegionLayer::traced(const Region &region, double hexRadius)
{
    Outline outline;
    outline.region = region;
    outline.serial = nextSerial++;
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

void RegionLayer::draw(QPainter &painter, const StarMapPass &pass) const
{
    const double k = pass.transform.scale;
    const QFont font = MapText::display(std::max(12 * k, 18.0), painter);
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
        if (outline.points.size() >= 2 && !(pass.scene->stamping && stampOutline(painter, outline, pass)))
            drawOutline(painter, outline, [&](const QPointF &p) { return pass.transform.toScreen(p); });
        if (pass.detail12()) {
            painter.setFont(font);
            painter.setPen(MapColors::palette(region.color));
            MapText::drawCentred(painter, pass.transform.toScreen(outline.namePoint), nameOf(region));
        }
    }
}

bool RegionLayer::stampOutline(QPainter &painter, const Outline &outline, const StarMapPass &pass) const
{
    // The picture holds the outline's box and its strokes; the first point fixes
    // where it lies, to 1/1024 pixel, so that every part of one view stamps one
    // picture at whole pixels.
    const double k = pass.transform.scale;
    const QPointF first = outline.points.first();
    const QPointF shown = pass.transform.toScreen(first);
    const double widthInPixels = std::ceil(outline.lineBounds.width() * k + 2 * kStrokeReach) + 2;
    const double heightInPixels = std::ceil(outline.lineBounds.height() * k + 2 * kStrokeReach) + 2;
    if (!MapStamp::canStamp(painter) || !MapStamp::isPlaceable(shown) ||
        !(widthInPixels * heightInPixels <= static_cast<double>(kLargestPicture)))
        return false;
    const int width = static_cast<int>(widthInPixels), height = static_cast<int>(heightInPixels);
    const int marginX =
        static_cast<int>(std::ceil((first.x() - outline.lineBounds.left()) * k + kStrokeReach));
    const int marginY =
        static_cast<int>(std::ceil((first.y() - outline.lineBounds.top()) * k + kStrokeReach));
    const MapStamp::Place place = MapStamp::placeOf(shown, 1024);
    const QImage picture = m_pictures->get({outline.serial, k, place.stepX, place.stepY}, [&] {
        QImage made(width, height, QImage::Format_ARGB32_Premultiplied);
        made.fill(Qt::transparent);
        QPainter paint(&made);
        paint.setRenderHints(painter.renderHints());
        const QPointF origin = place.inPicture(marginX, marginY);
        drawOutline(paint, outline, [&](const QPointF &p) { return (p - first) * k + origin; });
        return made;
    });
    painter.drawImage(place.pixel - QPoint(marginX, marginY), picture);
    return true;
}

void RegionLayer::drawOutline(QPainter &painter, const Outline &outline,
                              const std::function<QPointF(const QPointF &)> &place)
{
    const QColor color = MapColors::palette(outline.region.color);
    QPainterPath path;
    path.setFillRule(Qt::WindingFill);
    path.moveTo(place(outline.points.first()));
    for (qsizetype p = 1; p < outline.points.size(); ++p)
        path.lineTo(place(outline.points[p]));
    if (outline.region.closed) {
        path.closeSubpath();
        QColor fill = color;
        fill.setAlphaF(0.25f);
        painter.fillPath(path, fill);
    }
    painter.setBrush(Qt::NoBrush);
    for (const auto &[ink, width] :
         {std::pair{QColor::fromRgbF(0, 0, 0, 0.5f), 4.0}, std::pair{color, 2.5}}) {
        QPen pen(ink, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        pen.setMiterLimit(10);
        painter.setPen(pen);
        painter.drawPath(path);
    }
}
