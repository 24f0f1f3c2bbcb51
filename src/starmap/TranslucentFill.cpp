#include "TranslucentFill.h"

#include <QHash>
#include <QLineF>
#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>

namespace {

QColor opaque(QColor color)
{
    color.setAlpha(255);
    return color;
}

// The order in which lines are taken into sets: by direction, then by place, so that
// the lines of a hex grid, which meet only lines of the other two directions, fall
// into three sets.
std::array<double, 5> setOrderKey(const QLineF &line)
{
    const auto [from, to] = std::minmax(line.p1(), line.p2(), [](const QPointF &a, const QPointF &b) {
        return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x());
    });
    const double turn =
        std::fmod(std::atan2(to.y() - from.y(), to.x() - from.x()) + std::numbers::pi, std::numbers::pi);
    return {std::floor(turn / (std::numbers::pi / 8)), from.y(), from.x(), to.y(), to.x()};
}

// Sets of the strokes with drawable pixels (`pixels` holds each stroke's), no two
// strokes of a set sharing a pixel, each stroke in the first set it fits in the order
// of `keys`. The sets depend only on the strokes that reach the drawable pixels, so
// that those are blended alike however many strokes beyond them are drawn (a map
// culled or not). Pixels are filed by the cells of a coarse grid they cover, so that a
// stroke is checked against its neighbours alone.
QList<QList<qsizetype>> apart(const QList<std::array<double, 5>> &keys, const QList<QRect> &pixels)
{
    constexpr int kCell = 64;
    QList<qsizetype> order;
    for (qsizetype i = 0; i < pixels.size(); ++i) {
        if (!pixels[i].isEmpty())
            order.append(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[a] < keys[b]; });
    struct Set
    {
        QList<qsizetype> strokes;
        QHash<quint64, QList<QRect>> cells;
    };
    QList<Set> sets;
    for (const qsizetype i : std::as_const(order)) {
        const QRect &box = pixels[i];
        const auto cell = [](int at) { return at >= 0 ? at / kCell : -((-at - 1) / kCell) - 1; };
        QList<quint64> covered;
        for (int y = cell(box.top()); y <= cell(box.bottom()); ++y) {
            for (int x = cell(box.left()); x <= cell(box.right()); ++x)
                covered.append(quint64(quint32(x)) << 32 | quint32(y));
        }
        auto set = std::find_if(sets.begin(), sets.end(), [&](const Set &candidate) {
            return std::none_of(covered.cbegin(), covered.cend(), [&](quint64 at) {
                const auto found = candidate.cells.constFind(at);
                return found != candidate.cells.cend() &&
                       std::any_of(found->cbegin(), found->cend(),
                                   [&](const QRect &other) { return other.intersects(box); });
            });
        });
        if (set == sets.end())
            set = sets.insert(sets.end(), Set{});
        set->strokes.append(i);
        for (const quint64 at : std::as_const(covered))
            set->cells[at].append(box);
    }
    QList<QList<qsizetype>> made;
    made.reserve(sets.size());
    for (Set &set : sets)
        made.append(std::move(set.strokes));
    return made;
}

// Whether `transform` turns and scales alike in every direction, without shearing.
bool isConformal(const QTransform &transform)
{
    const double across = transform.m11() * transform.m11() + transform.m12() * transform.m12();
    const double down = transform.m21() * transform.m21() + transform.m22() * transform.m22();
    const double skew = transform.m11() * transform.m21() + transform.m12() * transform.m22();
    return transform.type() < QTransform::TxShear ||
           (std::abs(across - down) <= 1e-9 * across && std::abs(skew) <= 1e-9 * across);
}

} // namespace

TranslucentFill::TranslucentFill(QPainter &painter)
    : m_painter(painter), m_picture(static_cast<QImage *>(painter.device()))
{
    const qsizetype bytesPerLine = qsizetype(m_picture->width()) * 4;
    // Left uncleared: each drawing clears the part it draws on.
    m_pixels.reset(new uchar[std::size_t(bytesPerLine * m_picture->height())]);
    m_scratch = QImage(m_pixels.get(), m_picture->width(), m_picture->height(), bytesPerLine,
                       QImage::Format_ARGB32_Premultiplied);
    m_scratch.setDevicePixelRatio(m_picture->devicePixelRatio());
    m_opaque.begin(&m_scratch);
}

TranslucentFill::~TranslucentFill()
{
    m_opaque.end();
}

bool TranslucentFill::drawsThrough(const QPainter &painter)
{
    const auto *picture = dynamic_cast<const QImage *>(painter.device());
    return picture &&
           (picture->format() == QImage::Format_ARGB32_Premultiplied ||
            picture->format() == QImage::Format_RGB32) &&
           painter.compositionMode() == QPainter::CompositionMode_SourceOver;
}

void TranslucentFill::draw(const QRectF &bounds, double margin, double alpha,
                           const std::function<void(QPainter &)> &draw)
{
    layOver(m_painter.deviceTransform().mapRect(bounds).adjusted(-margin, -margin, margin, margin), alpha,
            draw);
}

void TranslucentFill::layOver(const QRectF &reach, double alpha, const std::function<void(QPainter &)> &draw)
{
    // The device pixels the drawing can touch, its antialiased edges included; cut to
    // the picture before they are rounded to whole pixels, however far off it reaches.
    QRectF touched = reach.adjusted(-1, -1, 1, 1) & QRectF(m_picture->rect());
    if (m_painter.hasClipping())
        touched &= m_painter.deviceTransform().mapRect(m_painter.clipBoundingRect());
    const QRect area = touched.toAlignedRect() & m_picture->rect();
    if (area.isEmpty())
        return;
    // Cleared where it is drawn on: what an earlier drawing left elsewhere is never laid over.
    for (int y = area.top(); y <= area.bottom(); ++y)
        std::memset(m_scratch.scanLine(y) + qsizetype(area.left()) * 4, 0, std::size_t(area.width()) * 4);
    m_opaque.setTransform(m_painter.transform());
    m_opaque.setRenderHints(m_painter.renderHints());
    m_opaque.setFont(m_painter.font());
    draw(m_opaque);
    layAt(m_painter, area.topLeft(), m_scratch, area, alpha);
}

void TranslucentFill::layAt(QPainter &painter, const QPoint &at, const QImage &picture, const QRect &source,
                            double alpha)
{
    // The painter's state is put back by hand: saving and restoring it all costs more
    // than the copy of a small picture.
    const QTransform world = painter.transform();
    const qreal opacity = painter.opacity();
    painter.resetTransform();
    painter.setOpacity(opacity * alpha);
    const qreal ratio = painter.device()->devicePixelRatioF();
    painter.drawImage(QRectF(QPointF(at) / ratio, QSizeF(source.size()) / ratio), picture, QRectF(source));
    painter.setTransform(world);
    painter.setOpacity(opacity);
}

void TranslucentFill::drawLines(const QList<QLineF> &lines, const QPen &pen)
{
    if (lines.isEmpty())
        return;
    QPen opaquePen = pen;
    opaquePen.setColor(opaque(pen.color()));
    const QTransform toDevice = m_painter.deviceTransform();
    const double scale = std::sqrt(std::abs(toDevice.determinant()));
    const double width = pen.isCosmetic() ? std::max(pen.widthF(), 1.0) : pen.widthF() * scale;
    // The device pixels that can be drawn on.
    QRectF within = QRectF(m_picture->rect());
    if (m_painter.hasClipping())
        within &= toDevice.mapRect(m_painter.clipBoundingRect());
    // As the raster engine blends them: each line on its own, where it steps along lines
    // a device pixel wide or less and where it lays wider lines with flat or square ends
    // one by one; else each run of 16 lines stroked as one shape.
    const bool conformal = isConformal(toDevice);
    const bool thin = (pen.isCosmetic() || conformal) && width <= 1;
    const qsizetype run = thin || (conformal && pen.capStyle() != Qt::RoundCap) ? 1 : 16;
    QList<QList<QLineF>> strokes;
    QList<std::array<double, 5>> keys;
    // Each stroke's device pixels among the drawable ones: those its lines meet, square
    // ends and anti-aliasing included (a line of no length the raster engine draws wider
    // than long), cut to the drawable ones before they are rounded to whole pixels,
    // however far off a line reaches.
    QList<QRect> pixels;
    for (qsizetype first = 0; first < lines.size(); first += run) {
        strokes.append(lines.mid(first, run));
        keys.append(setOrderKey(lines[first]));
        QRect touched;
        for (const QLineF &line : std::as_const(strokes.last())) {
            const double reach = (line.p1() == line.p2() ? 2 : 1) * std::max(width, 1.0);
            const QRectF box = toDevice.mapRect(QRectF(line.p1(), line.p2()).normalized());
            touched |= (box.adjusted(-reach, -reach, reach, reach) & within).toAlignedRect();
        }
        pixels.append(touched);
    }
    // A picture blends what was drawn on it once: the strokes are laid over in sets
    // whose strokes share no pixel.
    for (const QList<qsizetype> &set : apart(keys, pixels)) {
        QRect area;
        for (const qsizetype i : set)
            area |= pixels[i];
        layOver(QRectF(area), pen.color().alphaF(), [&](QPainter &painter) {
            painter.setPen(opaquePen);
            for (const qsizetype i : set)
                painter.drawLines(strokes[i]);
        });
    }
}
