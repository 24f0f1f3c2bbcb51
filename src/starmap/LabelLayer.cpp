#include "LabelLayer.h"

#include "LayerCache.h"
#include "MapColors.h"
#include "MapPainter.h"
#include "MapStamp.h"
#include "MapText.h"
#include "PictureCache.h"
#include "StarMapScene.h"
#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

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

LabelLayer::Extent LabelLayer::measured(const StarmapLabel &label)
{
    return {label, MapText::displayLinesBoxPerPoint(label.text)};
}

LabelLayer::Extents LabelLayer::measure(const QList<StarmapLabel> &labels)
{
    Extents extents;
    for (const StarmapLabel &label : labels)
        extents.insert(label.id, measured(label));
    return extents;
}

void LabelLayer::adopt(Extents extents)
{
    for (auto extent = extents.begin(); extent != extents.end(); ++extent) {
        if (!m_extents.contains(extent.key()))
            m_extents.insert(extent.key(), std::move(*extent));
    }
}

void LabelLayer::prepare()
{
    const QList<StarmapLabel> &labels = m_sets.visibleLabels();
    LayerCache::keepOnly(m_extents, labels);
    const HexLayout layout(m_sets.hexRadius());
    m_placed.clear();
    m_largestSize = 0;
    m_largestBox = 0;
    for (const StarmapLabel &label : labels) {
        Extent &extent = m_extents[label.id];
        if (!(extent.label == label) || extent.box.isEmpty())
            extent = measured(label);
        if (label.text.isEmpty())
            continue;
        m_placed.append({extent, layout.center(label.position)});
        m_largestSize = std::max(m_largestSize, label.size);
        m_largestBox = std::max(m_largestBox, std::hypot(extent.box.width(), extent.box.height()));
    }
}

void LabelLayer::draw(MapPainter &painter, const StarMapPass &pass) const
{
    if (m_placed.isEmpty())
        return;
    const double k = pass.transform.scale;
    // No label reaches farther from its anchor than the largest box at the largest
    // size: the anchors farther from the exposed rectangle are passed over at once.
    const double farthest = (m_largestBox * std::clamp(k * m_largestSize, 18.0, kLargestSize) / 2 + 4) / k;
    const QRectF near = pass.transform.toMap(pass.exposed).adjusted(-farthest, -farthest, farthest, farthest);
    for (const Placed &placed : m_placed) {
        if (!near.contains(placed.anchor))
            continue;
        const StarmapLabel &label = placed.extent.label;
        const double size = fontSize(label, k);
        const QPointF exact = pass.transform.toScreen(placed.anchor);
        const double reach = LabelLayer::reach(placed.extent, k);
        if (!QRectF(exact - QPointF(reach, reach), exact + QPointF(reach, reach)).intersects(pass.exposed) ||
            !MapStamp::isPlaceable(exact))
            continue;
        // Labels stand on whole pixels, too small a shift to see, so that one picture
        // of a label serves every view at its size and angle, and every part of one.
        const QPoint anchor = MapStamp::placeOf(exact, 1).pixel;
        if (label.angle == 0 || !pass.scene->stamping || !painter.drawsOnDevicePixels() ||
            2 * reach + 1 > kLargestPictureSide) {
            drawTurned(painter, label, size, anchor);
            continue;
        }
        const int margin = static_cast<int>(std::ceil(reach));
        const PictureKey key{label.text, size, label.angle, MapColors::palette(label.color).rgba()};
        const QImage picture = m_pictures->get(key, [&] {
            QImage made(2 * margin + 1, 2 * margin + 1, QImage::Format_ARGB32_Premultiplied);
            made.fill(Qt::transparent);
            {
                MapPainter paint(made);
                paint.setRenderHints(painter.renderHints());
                drawTurned(paint, label, size, QPointF(margin, margin));
            }
            return made;
        });
        painter.drawPicture(anchor - QPoint(margin, margin), picture);
    }
}

void LabelLayer::drawTurned(MapPainter &painter, const StarmapLabel &label, double size,
                            const QPointF &anchor)
{
    painter.save();
    painter.setFont(MapText::display(size, painter.device()));
    // A text that is not turned is drawn in place, where its laid-out text is kept.
    QPointF centre = anchor;
    if (label.angle != 0) {
        painter.translate(anchor);
        painter.rotate(label.angle * 180 / std::numbers::pi);
        centre = QPointF(0, 0);
    }
    painter.setPen(MapColors::palette(label.color));
    MapText::drawLinesCentred(painter, centre, label.text, QColor::fromRgbF(0, 0, 0, 0.6f));
    painter.restore();
}

qsizetype LabelLayer::pictureBytes() const
{
    return m_pictures->bytes();
}
