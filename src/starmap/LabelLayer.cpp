#include "LabelLayer.h"

#include "LayerCache.h"
#include "MapColors.h"
#include "MapStamp.h"
#include "MapText.h"
#include "PictureCache.h"
#include "StarMapScene.h"
#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Larger labels are few on screen and drawn.
constexpr int kLargestPictureSide = 512;
// Points; larger than any screen.
constexpr double kLargestSize = 1000;

// Kept pictures of turned labels, by the memory they take.
constexpr qsizetype kPictureBudget = 32 * 1024 * 1024;

} // namespace

LabelLayer::LabelLayer(const StarMapVisibleSets &sets)
    : m_sets(sets), m_pictures(std::make_shared<PictureCache<PictureKey>>(kPictureBudget))
{}

double LabelLayer::fontSize(const StarmapLabel &label, double scale)
{
    // A stored size far beyond any screen is held there, so that a text is never laid
    // out at an absurd size.
    return std::clamp(scale * label.size, 18.0, kLargestSize);
}

double LabelLayer::reach(const Extent &extent, double scale)
{
    // Turned any way, the text and its shadow stay within their half-diagonal of the
    // anchor, which lies within half a pixel of the exact point.
    const double size = fontSize(extent.label, scale);
    return std::hypot(extent.box.width() * size, extent.box.height() * size) / 2 + 3;
}

MapDirtyArea LabelLayer::labelChanged(const StarmapLabel *before, const StarmapLabel *after)
{
    MapDirtyArea area;
    const HexLayout layout(m_sets.hexRadius());
    for (const StarmapLabel *label : {before, after}) {
        if (label && !label->text.isEmpty()) {
            MapDirtyArea text =
                MapDirtyArea::text(layout.center(label->position),
                                   MapText::displayLinesBoxPerPoint(label->text), label->size, 18);
            text.margin += 1;
            area |= text;
        }
    }
    if (before)
        m_extents.remove(before->id);
    return area;
}

MapDirtyArea LabelLayer::labelsAppended(const QList<StarmapLabel> &labels)
{
    MapDirtyArea area;
    for (const StarmapLabel &label : labels)
        area |= labelChanged(nullptr, &label);
    return area;
}

void LabelLayer::prepare()
{
    m_labels = m_sets.visibleLabels();
    LayerCache::keepOnly(m_extents, m_labels);
    for (const StarmapLabel &label : std::as_const(m_labels)) {
        Extent &extent = m_extents[label.id];
        if (!(extent.label == label) || extent.box.isEmpty())
            extent = {label, MapText::displayLinesBoxPerPoint(label.text)};
    }
}

void LabelLayer::draw(QPainter &painter, const StarMapPass &pass) const
{
    const HexLayout layout(pass.hexRadius);
    for (const StarmapLabel &label : m_labels) {
        const auto found = m_extents.constFind(label.id);
        if (label.text.isEmpty() || found == m_extents.cend())
            continue;
        const double size = fontSize(label, pass.transform.scale);
        const QPointF exact = pass.transform.toScreen(layout.center(label.position));
        const double reach = LabelLayer::reach(*found, pass.transform.scale);
        if (!QRectF(exact - QPointF(reach, reach), exact + QPointF(reach, reach)).intersects(pass.exposed) ||
            !MapStamp::isPlaceable(exact))
            continue;
        // Labels stand on whole pixels, too small a shift to see, so that one picture
        // of a label serves every view at its size and angle, and every part of one.
        const QPoint anchor = MapStamp::placeOf(exact, 1).pixel;
        if (!pass.scene->stamping || !MapStamp::canStamp(painter) || 2 * reach + 1 > kLargestPictureSide) {
            drawTurned(painter, label, size, anchor);
            continue;
        }
        const int margin = static_cast<int>(std::ceil(reach));
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
    MapText::drawLinesCentred(painter, QPointF(1, 1), label.text);
    painter.setPen(MapColors::palette(label.color));
    MapText::drawLinesCentred(painter, QPointF(0, 0), label.text);
    painter.restore();
}

qsizetype LabelLayer::pictureBytes() const
{
    return m_pictures->bytes();
}
