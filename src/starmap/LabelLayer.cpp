#include "LabelLayer.h"

#include "LayerCache.h"
#include "MapColors.h"
#include "MapText.h"
#include "StarMapPass.h"
#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Texts are measured once at this size; widths grow in proportion with the size.
constexpr double kMeasureSize = 100;

} // namespace

double LabelLayer::fontSize(const StarmapLabel &label, double scale)
{
    return std::max(scale * label.size, 18.0);
}

double LabelLayer::widthPerPoint(const StarmapLabel &label)
{
    Extent &extent = m_extents[label.id];
    if (!(extent.label == label) || extent.width == 0)
        extent = {label, m_metrics->horizontalAdvance(label.text) / kMeasureSize};
    return extent.width;
}

double LabelLayer::reach(const StarmapLabel &label, double scale)
{
    // Turned any way, the text stays within its half-diagonal of the anchor.
    const double size = fontSize(label, scale);
    return std::hypot(widthPerPoint(label) * size / 2, size) + 2;
}

MapDirtyArea LabelLayer::labelChanged(const StarmapLabel *before, const StarmapLabel *after)
{
    MapDirtyArea area;
    if (!m_metrics)
        return area;
    const HexLayout layout(m_sets.hexRadius());
    for (const StarmapLabel *label : {before, after}) {
        if (label && !label->text.isEmpty()) {
            const QPointF anchor = layout.center(label->position);
            area |= MapDirtyArea(QRectF(anchor, anchor), reach(*label, m_scale));
        }
    }
    if (before)
        m_extents.remove(before->id);
    return area;
}

void LabelLayer::draw(QPainter &painter, const StarMapPass &pass)
{
    const QList<StarmapLabel> &labels = m_sets.visibleLabels();
    LayerCache::keepOnly(m_extents, labels);
    if (!m_metrics)
        m_metrics.emplace(MapText::display(kMeasureSize, painter), painter.device());
    m_scale = pass.transform.scale;
    const HexLayout layout(pass.hexRadius);
    const QColor shadow = QColor::fromRgbF(0, 0, 0, 0.6f);
    for (const StarmapLabel &label : labels) {
        if (label.text.isEmpty())
            continue;
        const double size = fontSize(label, pass.transform.scale);
        const QPointF anchor = pass.transform.toScreen(layout.center(label.position));
        const double r = reach(label, pass.transform.scale);
        if (!QRectF(anchor - QPointF(r, r), anchor + QPointF(r, r)).intersects(pass.exposed))
            continue;
        painter.save();
        painter.setFont(MapText::display(size, painter));
        painter.translate(anchor);
        painter.rotate(label.angle * 180 / std::numbers::pi);
        painter.setPen(shadow);
        MapText::drawCentred(painter, QPointF(1, 1), label.text);
        painter.setPen(MapColors::palette(label.color));
        MapText::drawCentred(painter, QPointF(0, 0), label.text);
        painter.restore();
    }
}
