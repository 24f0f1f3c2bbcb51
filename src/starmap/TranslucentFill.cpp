#include "TranslucentFill.h"

#include <QImage>
#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <algorithm>
#include <cmath>
#include <functional>

namespace TranslucentFill {

namespace {

// A scratch picture larger than this is made for its fill alone rather than kept for
// the thread's next one.
constexpr qsizetype kKeptScratchBytes = 1024 * 1024;

// Draws what `draw` draws, opaque, over the painter's picture at `alpha`, within
// `bounds` (in the painter's coordinates). Returns false, having drawn nothing, where
// the painter must draw the shape itself.
bool throughLayer(QPainter &painter, const QRectF &bounds, double alpha,
                  const std::function<void(QPainter &)> &draw)
{
    const auto *picture = dynamic_cast<const QImage *>(painter.device());
    if (!picture || painter.compositionMode() != QPainter::CompositionMode_SourceOver)
        return false;
    const QTransform toDevice = painter.deviceTransform();
    // The device pixels the shape can touch, its antialiased edges included; cut to the
    // picture before they are rounded to whole pixels, however far off the shape lies.
    QRectF reach = toDevice.mapRect(bounds).adjusted(-1, -1, 1, 1) & QRectF(picture->rect());
    if (painter.hasClipping())
        reach &= toDevice.mapRect(painter.clipBoundingRect());
    const QRect area = reach.toAlignedRect() & picture->rect();
    if (area.isEmpty())
        return true;

    thread_local QImage kept;
    QImage made;
    QImage *scratch = &kept;
    if (qsizetype(area.width()) * area.height() * 4 > kKeptScratchBytes)
        scratch = &made;
    if (scratch->width() < area.width() || scratch->height() < area.height())
        *scratch = QImage(std::max(scratch->width(), area.width()),
                          std::max(scratch->height(), area.height()), QImage::Format_ARGB32_Premultiplied);
    // The part of the scratch picture the shape is drawn on, cleared first.
    QImage layer(scratch->bits(), area.width(), area.height(), scratch->bytesPerLine(),
                 QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    {
        QPainter opaque(&layer);
        opaque.setRenderHints(painter.renderHints());
        opaque.setTransform(toDevice * QTransform::fromTranslate(-area.x(), -area.y()));
        draw(opaque);
    }
    const qreal ratio = picture->devicePixelRatio();
    layer.setDevicePixelRatio(ratio);
    painter.save();
    painter.resetTransform();
    painter.setOpacity(painter.opacity() * alpha);
    painter.drawImage(QPointF(area.topLeft()) / ratio, layer);
    painter.restore();
    return true;
}

QColor opaque(QColor color)
{
    color.setAlpha(255);
    return color;
}

} // namespace

void fillPath(QPainter &painter, const QPainterPath &path, const QColor &color)
{
    if (color.alpha() == 255 || !throughLayer(painter, path.controlPointRect(), color.alphaF(),
                                              [&](QPainter &layer) { layer.fillPath(path, opaque(color)); }))
        painter.fillPath(path, color);
}

void drawLines(QPainter &painter, const QList<QLineF> &lines, const QPen &pen)
{
    painter.setPen(pen);
    // Round-capped lines the raster engine strokes together, as one shape; lines a
    // device pixel wide or less it steps along pixel by pixel from where they enter
    // the picture, which a picture of their own would move.
    const QTransform toDevice = painter.deviceTransform();
    if (pen.color().alpha() == 255 || pen.capStyle() == Qt::RoundCap || pen.isCosmetic() ||
        pen.widthF() * std::sqrt(std::abs(toDevice.determinant())) <= 1) {
        painter.drawLines(lines);
        return;
    }
    // Lines with flat or square ends the raster engine blends one by one, so that
    // where they overlap each blends once. A picture blends what was drawn on it once:
    // the lines are laid over in sets whose lines share no pixel, each set on one
    // picture.
    const double reach = pen.widthF() / 2 + 1;
    struct Set
    {
        QList<QLineF> lines;
        QList<QRectF> boxes; // each line's device pixels
        QRectF bounds;
    };
    QList<Set> sets;
    for (const QLineF &line : lines) {
        const QRectF box =
            toDevice.mapRect(QRectF(line.p1(), line.p2()).normalized().adjusted(-reach, -reach, reach, reach))
                .adjusted(-1, -1, 1, 1);
        const auto apart = [&box](const Set &set) {
            return !set.bounds.intersects(box) ||
                   std::none_of(set.boxes.cbegin(), set.boxes.cend(),
                                [&box](const QRectF &other) { return other.intersects(box); });
        };
        auto set = std::find_if(sets.begin(), sets.end(), apart);
        if (set == sets.end())
            set = sets.insert(sets.end(), Set{});
        set->lines.append(line);
        set->boxes.append(box);
        set->bounds |= box;
    }
    QPen opaquePen = pen;
    opaquePen.setColor(opaque(pen.color()));
    for (const Set &set : std::as_const(sets)) {
        const QRectF bounds = toDevice.inverted().mapRect(set.bounds);
        if (!throughLayer(painter, bounds, pen.color().alphaF(), [&](QPainter &layer) {
                layer.setPen(opaquePen);
                layer.drawLines(set.lines);
            }))
            painter.drawLines(set.lines);
    }
}

} // namespace TranslucentFill
