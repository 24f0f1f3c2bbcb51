#include "RegionLayer.h"

#include "LayerCache.h"
#include "MapColors.h"
#include "MapText.h"
#include "StarMapPass.h"
#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

QString RegionLayer::nameOf(const Region &region)
{
    return region.name.isEmpty() ? QStringLiteral("Unnamed Region") : region.name;
}

const RegionLayer::Outline &RegionLayer::outlineOf(const Region &region)
{
    Outline &outline = m_outlines[region.id];
    if (outline.region == region && !outline.points.isEmpty())
        return outline;
    const double R = m_sets.hexRadius();
    outline.region = region;
    outline.points = region.outlinePoints(R);
    if (region.labelCoordinates) {
        outline.namePoint = HexLayout(R).center(*region.labelCoordinates);
    } else {
        QPointF sum;
        for (const RegionAnchor &anchor : region.anchors)
            sum += anchor.hexCorner().point(R);
        outline.namePoint = region.anchors.isEmpty() ? sum : sum / static_cast<double>(region.anchors.size());
    }
    QPolygonF corners(outline.points);
    corners.append(outline.namePoint);
    outline.bounds = corners.boundingRect();
    return outline;
}

MapDirtyArea RegionLayer::areaOf(const Outline &outline) const
{
    if (outline.region.anchors.size() < 2)
        return {};
    // The halo under the stroke reaches half its width beyond the outline.
    MapDirtyArea area(outline.bounds, 4);
    if (m_nameMetrics)
        area |= MapDirtyArea::text(outline.namePoint, nameOf(outline.region), *m_nameMetrics);
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

void RegionLayer::draw(QPainter &painter, const StarMapPass &pass)
{
    const QList<Region> regions = m_sets.visibleRegions();
    LayerCache::keepOnly(m_outlines, regions);
    const double k = pass.transform.scale;
    const QFont font = MapText::display(std::max(12 * k, 18.0), painter);
    // The name is centred on its point; a line of it may reach this far in points.
    const double nameReach = QFontMetricsF(font, painter.device()).maxWidth() * 20;
    m_nameMetrics.reset();
    if (pass.detail12())
        m_nameMetrics.emplace(font, painter.device());
    const QRectF exposed = pass.transform.toMap(pass.exposed.adjusted(-4, -4, 4, 4));
    for (qsizetype i = 0; i < regions.size(); ++i) {
        const Region &region = regions[i];
        if (region.anchors.size() < 2)
            continue;
        const Outline &outline = outlineOf(region);
        const double reach = ((pass.detail12() ? nameReach : 0) + 4) / k;
        if (!outline.bounds.adjusted(-reach, -reach, reach, reach).intersects(exposed))
            continue;
        const QColor color = MapColors::palette(region.color);
        if (outline.points.size() >= 2) {
            QPainterPath path;
            path.setFillRule(Qt::WindingFill);
            path.moveTo(pass.transform.toScreen(outline.points.first()));
            for (qsizetype p = 1; p < outline.points.size(); ++p)
                path.lineTo(pass.transform.toScreen(outline.points[p]));
            if (region.closed) {
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
        if (pass.detail12()) {
            painter.setFont(font);
            painter.setPen(color);
            MapText::drawCentred(painter, pass.transform.toScreen(outline.namePoint), nameOf(region));
        }
    }
}
