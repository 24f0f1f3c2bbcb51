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
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// Texts are measured once at this size; widths grow in proportion with the size.
constexpr double kMeasureSize = 100;
// Larger labels are few on screen and drawn.
constexpr int kLargestPictureSide = 512;

// Kept outlines of label texts, by the memory they take.
constexpr qsizetype kOutlineBudget = 8 * 1024 * 1024;
// Kept pictures of turned labels, by the memory they take.
constexpr qsizetype kPictureBudget = 32 * 1024 * 1024;

} // namespace

LabelLayer::LabelLayer(const StarMapVisibleSets &sets)
    : m_sets(sets), m_pictures(std::make_shared<PictureCache<PictureKey>>(kPictureBudget)),
      m_outlines(std::make_shared<PictureCache<OutlineKey, QPainterPath>>(kOutlineBudget))
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
        const QPointF anchor = pass.transform.toScreen(layout.center(label.position));
        // Turned any way, the text stays within its half-diagonal of the anchor.
        const double reach = std::hypot(extent.width * size / 2, size) + 2;
        if (!QRectF(anchor - QPointF(reach, reach), anchor + QPointF(reach, reach)).intersects(pass.exposed))
            continue;
        if (!pass.scene->stamping || !MapStamp::canStamp(painter) || !MapStamp::isPlaceable(anchor) ||
            2 * reach + 1 > kLargestPictureSide) {
            drawTurned(painter, label, size, anchor);
            continue;
        }
        const MapStamp::Place place = MapStamp::placeOf(anchor);
        const int margin = static_cast<int>(std::ceil(reach));
        const PictureKey key{label.text,  size,       label.angle, MapColors::palette(label.color).rgba(),
                             place.stepX, place.stepY};
        const QImage picture = m_pictures->get(key, [&] {
            QImage made(2 * margin + 1, 2 * margin + 1, QImage::Format_ARGB32_Premultiplied);
            made.fill(Qt::transparent);
            QPainter paint(&made);
            paint.setRenderHints(painter.renderHints());
            drawTurned(paint, label, size, place.inPicture(margin));
            return made;
        });
        painter.drawImage(place.pixel - QPoint(margin, margin), picture);
    }
}

QPainterPath LabelLayer::textOutline(const QString &text, double size, const QPainter &painter) const
{
    return m_outlines->get({text, size}, [&] {
        const QFont font = MapText::display(size, painter);
        const QFontMetricsF metrics(font, painter.device());
        QPainterPath path;
        path.addText(QPointF(-metrics.horizontalAdvance(text) / 2, metrics.ascent() - metrics.height() / 2),
                     font, text);
        return path;
    });
}

void LabelLayer::drawTurned(QPainter &painter, const StarmapLabel &label, double size,
                            const QPointF &anchor) const
{
    const QPainterPath text = textOutline(label.text, size, painter);
    painter.save();
    painter.translate(anchor);
    painter.rotate(label.angle * 180 / std::numbers::pi);
    painter.fillPath(text.translated(1, 1), QColor::fromRgbF(0, 0, 0, 0.6f));
    painter.fillPath(text, MapColors::palette(label.color));
    painter.restore();
}

qsizetype LabelLayer::pictureBytes() const
{
    return m_pictures->bytes() + m_outlines->bytes();
}
