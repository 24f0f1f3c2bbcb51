#include "RegionLayer.h"

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

const RegionLayer::Outline &RegionLayer::outlineOf(qsizetype index, const Region &region)
{
    if (index >= m_outlines.size())
        m_outlines.resize(index + 1);
    Outline &outline = m_outlines[index];
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

void RegionLayer::prepare()
{
    const QList<Region> regions = m_sets.visibleRegions();
    m_outlines.resize(regions.size());
    for (qsizetype i = 0; i < regions.size(); ++i)
        outlineOf(i, regions[i]);
}

void RegionLayer::draw(QPainter &painter, const StarMapPass &pass) const
{
    const double k = pass.transform.scale;
    const QFont font = MapText::display(std::max(12 * k, 18.0), painter);
    // The name is centred on its point; a line of it may reach this far in points.
    const double nameReach = QFontMetricsF(font, painter.device()).maxWidth() * 20;
    const QRectF exposed = pass.transform.toMap(pass.exposed.adjusted(-4, -4, 4, 4));
    for (const Outline &outline : m_outlines) {
        const Region &region = outline.region;
        if (region.anchors.size() < 2)
            continue;
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
            MapText::drawCentred(painter, pass.transform.toScreen(outline.namePoint),
                                 region.name.isEmpty() ? QStringLiteral("Unnamed Region") : region.name);
        }
    }
}
