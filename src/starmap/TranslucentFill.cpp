#include "TranslucentFill.h"

#include <QLineF>
#include <QPen>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <numbers>
#include <vector>

namespace {

// The order in which lines are taken into sets: by direction, then by place, so that
// the lines of a hex grid, which meet only lines of the other two directions, fall
// into three sets.
std::array<double, 5> setOrderKey(const QLineF &line)
{
    // The ends are copied: minmax answers references to what it is given.
    const QPointF p1 = line.p1(), p2 = line.p2();
    const auto [from, to] = std::minmax(p1, p2, [](const QPointF &a, const QPointF &b) {
        return std::pair(a.y(), a.x()) < std::pair(b.y(), b.x());
    });
    const double turn =
        std::fmod(std::atan2(to.y() - from.y(), to.x() - from.x()) + std::numbers::pi, std::numbers::pi);
    return {std::floor(turn / (std::numbers::pi / 8)), from.y(), from.x(), to.y(), to.x()};
}

// Which pixels of a rectangle are taken, a bit each.
class TakenPixels
{
public:
    explicit TakenPixels(const QRect &within)
        : m_within(within), m_words((within.width() + 63) / 64),
          m_bits(std::size_t(m_words) * std::size_t(std::max(within.height(), 0)))
    {}

    // Whether any pixel of `box` (within the rectangle) is taken.
    bool anyOf(const QRect &box) const
    {
        bool any = false;
        forEachWord(box, [&](std::size_t word, quint64 mask) { any = any || (m_bits[word] & mask) != 0; });
        return any;
    }
    void take(const QRect &box)
    {
        forEachWord(box, [&](std::size_t word, quint64 mask) { m_bits[word] |= mask; });
    }

private:
    template <typename Visit> void forEachWord(const QRect &box, const Visit &visit) const
    {
        const int left = box.left() - m_within.left(), right = box.right() - m_within.left();
        for (int y = box.top() - m_within.top(); y <= box.bottom() - m_within.top(); ++y) {
            for (int word = left / 64; word <= right / 64; ++word) {
                const int from = std::max(left - word * 64, 0), to = std::min(right - word * 64, 63);
                const quint64 mask = (~quint64(0) >> (63 - to + from)) << from;
                visit(std::size_t(y) * std::size_t(m_words) + std::size_t(word), mask);
            }
        }
    }

    QRect m_within;
    int m_words;
    std::vector<quint64> m_bits;
};

// Sets of the strokes with drawable pixels (`pixels` holds each stroke's, all within
// `within`), no two strokes of a set sharing a pixel, each stroke in the first set it
// fits in the order of `keys`. The sets depend only on the strokes that reach the
// drawable pixels, so that those are blended alike however many strokes beyond them
// are drawn (a map culled or not).
QList<QList<qsizetype>> apart(const QList<std::array<double, 5>> &keys, const QList<QRect> &pixels,
                              const QRect &within)
{
    QList<qsizetype> order;
    for (qsizetype i = 0; i < pixels.size(); ++i) {
        if (!pixels[i].isEmpty())
            order.append(i);
    }
    std::stable_sort(order.begin(), order.end(),
                     [&keys](qsizetype a, qsizetype b) { return keys[a] < keys[b]; });
    QList<QList<qsizetype>> sets;
    std::vector<TakenPixels> taken;
    for (const qsizetype i : std::as_const(order)) {
        const auto fits = std::find_if(taken.cbegin(), taken.cend(),
                                       [&](const TakenPixels &set) { return !set.anyOf(pixels[i]); });
        const std::size_t set = std::size_t(fits - taken.cbegin());
        if (set == taken.size()) {
            taken.emplace_back(within);
            sets.emplaceBack();
        }
        taken[set].take(pixels[i]);
        sets[qsizetype(set)].append(i);
    }
    return sets;
}

// Scratch pixels a thread keeps for its next drawings, so that drawing a tile does not
// fault in fresh pages of memory first; a few, of a megabyte at most each.
class KeptPixels
{
public:
    // At least `bytes`, kept or new.
    static std::unique_ptr<uchar[]> take(qsizetype bytes, qsizetype &size)
    {
        std::vector<Kept> &kept = pixels();
        const auto fits =
            std::find_if(kept.begin(), kept.end(), [bytes](const Kept &k) { return k.size >= bytes; });
        if (fits == kept.end()) {
            size = bytes;
            return std::unique_ptr<uchar[]>(new uchar[std::size_t(bytes)]);
        }
        std::unique_ptr<uchar[]> taken = std::move(fits->pixels);
        size = fits->size;
        kept.erase(fits);
        return taken;
    }
    static void giveBack(std::unique_ptr<uchar[]> given, qsizetype size)
    {
        std::vector<Kept> &kept = pixels();
        if (size <= kLargestKept && kept.size() < kMostKept)
            kept.push_back({std::move(given), size});
    }

private:
    static constexpr qsizetype kLargestKept = 1024 * 1024;
    static constexpr std::size_t kMostKept = 2;
    struct Kept
    {
        std::unique_ptr<uchar[]> pixels;
        qsizetype size = 0;
    };
    static std::vector<Kept> &pixels()
    {
        thread_local std::vector<Kept> kept;
        return kept;
    }
};

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
    m_pixels = KeptPixels::take(bytesPerLine * m_picture->height(), m_bytes);
    m_scratch = QImage(m_pixels.get(), m_picture->width(), m_picture->height(), bytesPerLine,
                       QImage::Format_ARGB32_Premultiplied);
    const qreal ratio = m_picture->devicePixelRatio();
    m_scratch.setDevicePixelRatio(ratio);
    m_opaque.begin(&m_scratch);
    // Clipped to the picture, the raster engine strokes thin lines twice as fast.
    m_opaque.setClipRect(QRectF(QPointF(0, 0), QSizeF(m_scratch.size()) / ratio));
}

TranslucentFill::~TranslucentFill()
{
    m_opaque.end();
    KeptPixels::giveBack(std::move(m_pixels), m_bytes);
}

QColor TranslucentFill::opaque(QColor color)
{
    color.setAlpha(255);
    return color;
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
    // The device pixels the drawing can touch, its antialiased edges included; cut to
    // the picture before they are rounded to whole pixels, however far off it reaches.
    const QTransform toDevice = m_painter.deviceTransform();
    const double reach = margin + 1;
    QRectF touched =
        toDevice.mapRect(bounds).adjusted(-reach, -reach, reach, reach) & QRectF(m_picture->rect());
    if (m_painter.hasClipping())
        touched &= toDevice.mapRect(m_painter.clipBoundingRect());
    const QRect area = touched.toAlignedRect() & m_picture->rect();
    if (!area.isEmpty())
        layOver({area}, alpha, draw);
}

void TranslucentFill::layOver(const QList<QRect> &areas, double alpha,
                              const std::function<void(QPainter &)> &draw)
{
    // Cleared where it is drawn on: what an earlier drawing left elsewhere is never laid over.
    for (const QRect &area : areas) {
        for (int y = area.top(); y <= area.bottom(); ++y)
            std::memset(m_scratch.scanLine(y) + qsizetype(area.left()) * 4, 0, std::size_t(area.width()) * 4);
    }
    // The scratch painter follows the painter, its state set only where it differs.
    if (m_opaque.transform() != m_painter.transform())
        m_opaque.setTransform(m_painter.transform());
    if (m_opaque.renderHints() != m_painter.renderHints()) {
        m_opaque.setRenderHints(~QPainter::RenderHints(), false);
        m_opaque.setRenderHints(m_painter.renderHints());
    }
    if (m_opaque.font() != m_painter.font())
        m_opaque.setFont(m_painter.font());
    draw(m_opaque);
    for (const QRect &area : areas)
        layAt(m_painter, area.topLeft(), m_scratch, area, alpha);
}

void TranslucentFill::layAt(QPainter &painter, const QPoint &at, const QImage &picture, const QRect &source,
                            double alpha)
{
    // Only what has to change is changed, and put back by hand: saving and restoring
    // the painter's state costs more than the copy of a small picture, which is laid
    // thousands of times a frame (stamped star discs).
    const QTransform world = painter.transform();
    const bool moved = !world.isIdentity();
    if (moved)
        painter.resetTransform();
    const qreal opacity = painter.opacity();
    if (alpha != 1)
        painter.setOpacity(opacity * alpha);
    const qreal ratio = painter.device()->devicePixelRatioF();
    if (ratio == 1)
        painter.drawImage(at, picture, source);
    else
        painter.drawImage(QRectF(QPointF(at) / ratio, QSizeF(source.size()) / ratio), picture,
                          QRectF(source));
    if (moved)
        painter.setTransform(world);
    if (alpha != 1)
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
    QRectF drawable = QRectF(m_picture->rect());
    if (m_painter.hasClipping())
        drawable &= toDevice.mapRect(m_painter.clipBoundingRect());
    const QRect within = drawable.toAlignedRect() & m_picture->rect();
    if (within.isEmpty())
        return;
    // As the raster engine blends them: each line on its own, where it steps along lines
    // a device pixel wide or less and where it lays wider lines with flat or square ends
    // one by one; else each run of 16 lines stroked as one shape.
    const bool conformal = isConformal(toDevice);
    const bool thin = (pen.isCosmetic() || conformal) && width <= 1;
    const qsizetype run = thin || (conformal && pen.capStyle() != Qt::RoundCap) ? 1 : 16;
    const auto linesOf = [&](qsizetype stroke) { return lines.mid(stroke * run, run); };
    // Each stroke's device pixels among the drawable ones: those its lines meet, square
    // ends and anti-aliasing included (a line of no length the raster engine draws wider
    // than long), cut to the drawable ones before they are rounded to whole pixels,
    // however far off a line reaches.
    const qsizetype strokes = (lines.size() + run - 1) / run;
    QList<std::array<double, 5>> keys(strokes);
    QList<QRect> pixels(strokes);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QLineF &line = lines[i];
        const double reach = (line.p1() == line.p2() ? 2 : 1) * std::max(width, 1.0) + 1;
        const QRectF box = toDevice.mapRect(QRectF(line.p1(), line.p2()).normalized());
        pixels[i / run] |= (box.adjusted(-reach, -reach, reach, reach) & drawable).toAlignedRect() & within;
        if (i % run == 0)
            keys[i / run] = setOrderKey(line);
    }
    // A picture blends what was drawn on it once: the strokes are laid over in sets
    // whose strokes share no pixel. The strokes of a set are laid over where they lie,
    // each apart where they are few on a wide area (borders crossing a picture), else
    // the area holding them all.
    constexpr qsizetype kPixelsPerLaying = 1024; // what laying a picture over costs beside its pixels
    for (const QList<qsizetype> &set : apart(keys, pixels, within)) {
        QRect all;
        qsizetype apartCost = 0;
        for (const qsizetype i : set) {
            all |= pixels[i];
            apartCost += qsizetype(pixels[i].width()) * pixels[i].height() + kPixelsPerLaying;
        }
        QList<QRect> areas{all};
        if (apartCost < qsizetype(all.width()) * all.height()) {
            areas.clear();
            for (const qsizetype i : set)
                areas.append(pixels[i]);
        }
        layOver(areas, pen.color().alphaF(), [&](QPainter &painter) {
            painter.setPen(opaquePen);
            if (run > 1) {
                for (const qsizetype i : set)
                    painter.drawLines(linesOf(i));
                return;
            }
            QList<QLineF> some;
            some.reserve(set.size());
            for (const qsizetype i : set)
                some.append(lines[i]);
            painter.drawLines(some);
        });
    }
}
