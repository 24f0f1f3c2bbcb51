#include "LabelLayer.h"

#include "MapColors.h"
#include "MapStamp.h"
#include "MapText.h"
#include "PictureCache.h"
#include "StarMapScene.h"
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
// Larger labels are few on screen and drawn.
constexpr int kLargestPictureSide = 512;

// Kept pictures of turned labels, by the memory they take.
constexpr qsizetype kPictureBudget = 32 * 1024 * 1024;

} // namespace

LabelLayer::LabelLayer(const StarMapVisibleSets &sets)
    : m_sets(sets), m_pictures(std::make_shared<PictureCache<PictureKey>>(kPictureBudget))
{}

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
    for (const Extent &extent : m_extents) {
        const StarmapLabel &label = extent.label;
        if (label.text.isEmpty())
            continue;
        const double size = fontSize(label, pass.transform.scale);
        const QPointF exact = pass.transform.toScreen(layout.center(label.position));
        // Turned any way, the text stays within its half-diagonal of the anchor.
        const double reach = std::hypot(extent.width * size / 2, size) + 2;
        if (!QRectF(exact - QPointF(reach, reach), exact + QPointF(reach, reach)).intersects(pass.exposed) ||
            !MapStamp::isPlaceable(exact))
            continue;
        // Labels stand on whole pixels, too small a shift to see, so that one picture
        // of a label serves every view at its size and angle, and every part of one.
        const QPoint anchor = MapStamp::placeOf(exact, 1).pixel;
        const int margin = static_cast<int>(std::ceil(reach));
        if (!pass.scene->stamping || !MapStamp::canStamp(painter) || 2 * margin + 1 > kLargestPictureSide) {
            drawTurned(painter, label, size, anchor);
            continue;
        }
        const PictureKey key{label.text, size, label.angle, MapColors::palette(label.color).rgba()};
        const QImage picture = m_pictures->get(key, [&] {
            QImage made(2 * margin + 1, 2 * margin + 1, QImage::Format_ARGB32_Premultiplied);
            made.fill(Qt::transparent);
            QPainter paint(&made);
            paint.setRenderHints(painter.renderHints());
            drawTurned(paint, label, size, QPointF(margin, margin));
            return made;
        });
        painter.drawImage(anchor - QPoint(margin, margin), picture);
    }
}

void LabelLayer::drawTurned(QPainter &painter, const StarmapLabel &label, double size, const QPointF &anchor)
{
    painter.save();
    painter.setFont(MapText::display(size, painter));
    painter.translate(anchor);
    painter.rotate(label.angle * 180 / std::numbers::pi);
    painter.setPen(QColor::fromRgbF(0, 0, 0, 0.6f));
    MapText::drawCentred(painter, QPointF(1, 1), label.text);
    painter.setPen(MapColors::palette(label.color));
    MapText::drawCentred(painter, QPointF(0, 0), label.text);
    painter.restore();
}

qsizetype LabelLayer::pictureBytes() const
{
    return m_pictures->bytes();
}
