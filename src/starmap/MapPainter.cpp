#include "MapPainter.h"

#include "TranslucentFill.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QStaticText>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// How far, in the painter's points, a stroke of `pen` reaches beyond the outline it
// follows: half its width, and at a sharp corner as far as its miter or square end.
double strokeReach(const QPen &pen)
{
    const double corner = pen.joinStyle() == Qt::MiterJoin ? std::max(pen.miterLimit(), std::numbers::sqrt2)
                                                           : std::numbers::sqrt2;
    return pen.widthF() / 2 * corner;
}

// Where a device pixel's centre lies in `picture` stretched over `target` (device
// pixels), and how much of the pixel `target` covers: premultiplied bilinear samples,
// the picture's edge pixels repeated beyond it, as the raster engine's smooth scaling
// takes them.
class Stretch
{
public:
    Stretch(const QImage &picture, const QRectF &target) : m_picture(picture), m_target(target) {}

    // The stretched picture over the device pixels of `area`.
    QImage over(const QRect &area) const
    {
        QImage made(area.size(), QImage::Format_ARGB32_Premultiplied);
        const auto columns =
            samples(area.left(), area.width(), m_target.left(), m_target.width(), m_picture.width());
        const auto rows =
            samples(area.top(), area.height(), m_target.top(), m_target.height(), m_picture.height());
        for (int y = 0; y < area.height(); ++y) {
            const Sample &row = rows[std::size_t(y)];
            const auto *upper = reinterpret_cast<const QRgb *>(m_picture.constScanLine(row.first));
            const auto *lower = reinterpret_cast<const QRgb *>(m_picture.constScanLine(row.second));
            auto *out = reinterpret_cast<QRgb *>(made.scanLine(y));
            for (int x = 0; x < area.width(); ++x) {
                const Sample &column = columns[std::size_t(x)];
                const QRgb sample =
                    mix(mix(upper[column.first], upper[column.second], column.weight),
                        mix(lower[column.first], lower[column.second], column.weight), row.weight);
                const uint cover = column.cover * row.cover >> 8;
                out[x] = cover == 256 ? sample : mix(0, sample, cover);
            }
        }
        return made;
    }

private:
    // Along one axis: the two picture pixels a device pixel's centre lies between, the
    // weight of the second of 256, and how much of the pixel the target covers of 256.
    struct Sample
    {
        int first = 0;
        int second = 0;
        uint weight = 0;
        uint cover = 0;
    };

    static std::vector<Sample> samples(int from, int count, double start, double length, int pixels)
    {
        std::vector<Sample> made(static_cast<std::size_t>(count));
        const double perPixel = pixels / length;
        for (int i = 0; i < count; ++i) {
            const double device = from + i;
            const double at = (device + 0.5 - start) * perPixel - 0.5;
            const double below = std::floor(at);
            Sample &sample = made[std::size_t(i)];
            sample.first = std::clamp(int(below), 0, pixels - 1);
            sample.second = std::clamp(int(below) + 1, 0, pixels - 1);
            sample.weight = uint(std::lround((at - below) * 256));
            const double covered = std::min(device + 1, start + length) - std::max(device, start);
            sample.cover = uint(std::lround(std::clamp(covered, 0.0, 1.0) * 256));
        }
        return made;
    }

    // `a` and `b` mixed with `weight` of 256 of `b`, rounded: two channels at a time,
    // each in a half of a 32-bit word, which 255 × 256 and the rounding never overflow.
    static QRgb mix(QRgb a, QRgb b, uint weight)
    {
        const uint rest = 256 - weight;
        const uint redBlue = ((a & 0xff00ff) * rest + (b & 0xff00ff) * weight + 0x800080) >> 8 & 0xff00ff;
        const uint alphaGreen =
            ((a >> 8 & 0xff00ff) * rest + (b >> 8 & 0xff00ff) * weight + 0x800080) & 0xff00ff00;
        return redBlue | alphaGreen;
    }

    const QImage &m_picture;
    QRectF m_target;
};

} // namespace

MapPainter::MapPainter(QPainter &painter) : MapPainter(nullptr, &painter) {}

MapPainter::MapPainter(QImage &picture) : MapPainter(&picture, nullptr) {}

MapPainter::MapPainter(QImage *picture, QPainter *painter)
    : m_own(picture ? std::optional<QPainter>(std::in_place, picture) : std::nullopt),
      m_painter(painter ? *painter : *m_own), m_throughFill(TranslucentFill::drawsThrough(m_painter))
{
    // Pictures are laid at whole pixels or stretched by the map's own sampling: smoothed,
    // Qt would hand even a picture at whole pixels, and a colour glyph, to its pool.
    if (m_painter.testRenderHint(QPainter::SmoothPixmapTransform)) {
        m_painter.save();
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        m_restores = true;
    }
}

MapPainter::~MapPainter()
{
    if (m_restores)
        m_painter.restore();
}

void MapPainter::setRenderHint(QPainter::RenderHint hint, bool on)
{
    m_painter.setRenderHint(hint, on && hint != QPainter::SmoothPixmapTransform);
}

void MapPainter::setRenderHints(QPainter::RenderHints hints)
{
    m_painter.setRenderHints(hints & ~QPainter::SmoothPixmapTransform);
}

void MapPainter::setClipRect(const QRectF &rect)
{
    // Set untransformed, the clip stays a rectangle of device pixels, within which Qt
    // lays glyphs and pictures in place; any other clip it fills span by span.
    const QTransform world = m_painter.transform();
    m_painter.resetTransform();
    m_painter.setClipRect(world.mapRect(rect));
    m_painter.setTransform(world);
}

void MapPainter::setPen(const QPen &pen)
{
    QPen solid = pen;
    solid.setColor(pen.color());
    m_painter.setPen(solid);
}

void MapPainter::setBrush(Qt::BrushStyle none)
{
    Q_ASSERT(none == Qt::NoBrush);
    m_painter.setBrush(Qt::NoBrush);
}

bool MapPainter::isTranslucent(const QColor &color) const
{
    return color.alpha() < 255 || m_painter.opacity() < 1;
}

TranslucentFill *MapPainter::translucentFill()
{
    if (!m_fill)
        m_fill = std::make_unique<TranslucentFill>(m_painter);
    return m_fill.get();
}

void MapPainter::paint(const QColor &color, const QRectF &bounds, double margin,
                       const std::function<void(QPainter &, const QColor &)> &draw)
{
    if (!m_throughFill || !isTranslucent(color)) {
        draw(m_painter, color);
        return;
    }
    translucentFill()->draw(bounds, margin, color.alphaF(),
                            [&](QPainter &painter) { draw(painter, TranslucentFill::opaque(color)); });
}

void MapPainter::drawShape(const QRectF &bounds, const std::function<void(QPainter &)> &draw)
{
    const QPen pen = m_painter.pen();
    const QBrush brush = m_painter.brush();
    const bool fills = brush.style() != Qt::NoBrush, strokes = pen.style() != Qt::NoPen;
    if (!m_throughFill ||
        !((fills && isTranslucent(brush.color())) || (strokes && isTranslucent(pen.color())))) {
        draw(m_painter);
        return;
    }
    // As QPainter draws a shape: its fill, then its outline over it.
    if (fills) {
        paint(brush.color(), bounds, 0, [&](QPainter &painter, const QColor &ink) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(ink);
            draw(painter);
        });
    }
    if (strokes) {
        const double reach = pen.isCosmetic() ? 0 : strokeReach(pen);
        paint(pen.color(), bounds.adjusted(-reach, -reach, reach, reach), pen.isCosmetic() ? pen.widthF() : 0,
              [&](QPainter &painter, const QColor &ink) {
                  QPen inked = pen;
                  inked.setColor(ink);
                  painter.setPen(inked);
                  painter.setBrush(Qt::NoBrush);
                  draw(painter);
              });
    }
    m_painter.setPen(pen);
    m_painter.setBrush(brush);
}

void MapPainter::fillRect(const QRectF &rect, const QColor &color)
{
    paint(color, rect, 0, [&](QPainter &painter, const QColor &ink) { painter.fillRect(rect, ink); });
}

void MapPainter::fillPath(const QPainterPath &path, const QColor &color)
{
    paint(color, path.controlPointRect(), 0,
          [&](QPainter &painter, const QColor &ink) { painter.fillPath(path, ink); });
}

void MapPainter::drawPath(const QPainterPath &path)
{
    drawShape(path.controlPointRect(), [&](QPainter &painter) { painter.drawPath(path); });
}

void MapPainter::drawEllipse(const QPointF &centre, qreal rx, qreal ry)
{
    drawShape(QRectF(centre - QPointF(rx, ry), centre + QPointF(rx, ry)),
              [&](QPainter &painter) { painter.drawEllipse(centre, rx, ry); });
}

void MapPainter::drawRoundedRect(const QRectF &rect, qreal rx, qreal ry)
{
    drawShape(rect, [&](QPainter &painter) { painter.drawRoundedRect(rect, rx, ry); });
}

void MapPainter::drawLines(const QList<QLineF> &lines)
{
    const QPen &pen = m_painter.pen();
    if (!m_throughFill || pen.style() == Qt::NoPen || !isTranslucent(pen.color()))
        m_painter.drawLines(lines);
    else
        translucentFill()->drawLines(lines, pen);
}

bool MapPainter::drawsFromGlyphCache() const
{
    // As Qt reads it: glyphs under 64 device pixels, unless the environment sets another size.
    static const double largest = [] {
        const int set = qEnvironmentVariableIntValue("QT_MAX_CACHED_GLYPH_SIZE");
        return set > 0 ? set : 64;
    }();
    const QTransform toDevice = m_painter.deviceTransform();
    const QFont &font = m_painter.font();
    const double pixels = font.pixelSize() > 0 ? font.pixelSize()
                                               : font.pointSizeF() * m_painter.device()->logicalDpiY() / 72.0;
    // A little below the limit, so that Qt's own rounding of the size never crosses it.
    constexpr double kMargin = 0.95;
    return toDevice.type() < QTransform::TxProject &&
           pixels * pixels * std::abs(toDevice.determinant()) < largest * largest * kMargin * kMargin;
}

void MapPainter::drawText(const QPointF &baseline, const QString &text)
{
    drawTextShape(baseline, false, text, [&](QPainter &painter) { painter.drawText(baseline, text); });
}

void MapPainter::drawStaticText(const QPointF &topLeft, const QStaticText &text)
{
    drawTextShape(topLeft, true, text.text(),
                  [&](QPainter &painter) { painter.drawStaticText(topLeft, text); });
}

void MapPainter::drawTextShape(const QPointF &at, bool fromTopLeft, const QString &text,
                               const std::function<void(QPainter &)> &draw)
{
    const QPen pen = m_painter.pen();
    if (!m_throughFill || pen.style() == Qt::NoPen || !isTranslucent(pen.color()) || drawsFromGlyphCache()) {
        draw(m_painter);
        return;
    }
    const QFontMetricsF metrics(m_painter.font(), m_painter.device());
    const QPointF baseline = fromTopLeft ? at + QPointF(0, metrics.ascent()) : at;
    paint(pen.color(), metrics.boundingRect(text).translated(baseline), 2,
          [&](QPainter &painter, const QColor &color) {
              painter.setPen(color);
              draw(painter);
          });
}

void MapPainter::drawPicture(const QPoint &at, const QImage &picture)
{
    // Stamped thousands of times a frame, mostly straight onto device pixels.
    if (drawsOnDevicePixels())
        m_painter.drawImage(at, picture);
    else
        TranslucentFill::layAt(m_painter, at, picture, QRect(QPoint(0, 0), picture.size()), 1);
}

void MapPainter::drawStretched(const QRectF &target, const QImage &picture)
{
    if (!m_throughFill) {
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
        m_painter.drawImage(target, picture);
        m_painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
        return;
    }
    const QRectF device = m_painter.deviceTransform().mapRect(target);
    QRectF reach =
        device & QRectF(QPointF(0, 0), QSizeF(m_painter.device()->width(), m_painter.device()->height()));
    if (m_painter.hasClipping())
        reach &= m_painter.deviceTransform().mapRect(m_painter.clipBoundingRect());
    const QRect area = reach.toAlignedRect();
    if (area.isEmpty() || picture.isNull())
        return;
    drawPicture(area.topLeft(), Stretch(picture, device).over(area));
}
