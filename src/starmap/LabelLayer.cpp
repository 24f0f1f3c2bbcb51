#include "LabelLayer.h"

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

void LabelLayer::prepare()
{
    const QList<StarmapLabel> &labels = m_sets.visibleLabels();
    m_extents.resize(labels.size());
    for (qsizetype i = 0; i < labels.size(); ++i) {
        Extent &extent = m_extents[i];
        if (extent.label == labels[i] && extent.width > 0)
            continue;
        if (!m_metrics) {
            QImage probe(1, 1, QImage::Format_ARGB32_Premultiplied);
            const QPainter painter(&probe);
            m_metrics.emplace(MapText::display(kMeasureSize, painter), &probe);
        }
        extent = {labels[i], m_metrics->horizontalAdvance(labels[i].text) / kMeasureSize};
    }
}

void LabelLayer::draw(QPainter &painter, const StarMapPass &pass) const
{
    const HexLayout layout(pass.hexRadius);
    const QColor shadow = QColor::fromRgbF(0, 0, 0, 0.6f);
    for (const Extent &extent : m_extents) {
        const StarmapLabel &label = extent.label;
        if (label.text.isEmpty())
            continue;
        const double size = fontSize(label, pass.transform.scale);
        const QPointF anchor = pass.transform.toScreen(layout.center(label.position));
        // Turned any way, the text stays within its half-diagonal of the anchor.
        const double reach = std::hypot(extent.width * size / 2, size) + 2;
        if (!QRectF(anchor - QPointF(reach, reach), anchor + QPointF(reach, reach)).intersects(pass.exposed))
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
