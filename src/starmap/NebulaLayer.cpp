#include "NebulaLayer.h"

#include "LayerCache.h"
#include "MapColors.h"
#include "MapPainter.h"
#include "MapText.h"
#include "StarMapPass.h"
#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

// Resolution of a cloud's picture: the blur hides any finer detail, and the side is
// bounded so that a nebula over a whole sector stays small in memory.
constexpr double kPixelsPerRadius = 8;
constexpr double kLargestSide = 1024;
constexpr float kOpacity = 0.3f;

// The mean of a box of `width` bytes from their sum, rounded, as a multiplication:
// with ceil(2^32 / width) as the factor the quotient is exact for every sum of bytes
// while the width stays below 4096.
class BoxMean
{
public:
    explicit BoxMean(int width)
        : m_half(width / 2), m_reciprocal(((std::uint64_t{1} << 32) + width - 1) / width)
    {}
    uchar operator()(int sum) const
    {
        return static_cast<uchar>((static_cast<std::uint64_t>(sum + m_half) * m_reciprocal) >> 32);
    }

private:
    int m_half;
    std::uint64_t m_reciprocal;
};

// One pass of a box filter of `radius` along a row of `count` values, with zero
// beyond both ends.
void rowPass(uchar *values, int count, int radius, QList<int> &scratch)
{
    scratch.resize(count);
    int *copy = scratch.data();
    for (int i = 0; i < count; ++i)
        copy[i] = values[i];
    const BoxMean mean(2 * radius + 1);
    int sum = 0;
    for (int i = 0; i < std::min(radius, count); ++i)
        sum += copy[i];
    for (int i = 0; i < count; ++i) {
        if (i + radius < count)
            sum += copy[i + radius];
        if (i - radius - 1 >= 0)
            sum -= copy[i - radius - 1];
        values[i] = mean(sum);
    }
}

// One pass of a box filter of `radius` down every column at once, with zero above and
// below: the same sums as a pass along each column, taken row by row.
void columnPass(QImage &alpha, int radius, QImage &source, QList<int> &sums)
{
    source = alpha.copy();
    const BoxMean mean(2 * radius + 1);
    const int w = alpha.width(), h = alpha.height();
    sums.fill(0, w);
    int *sum = sums.data();
    for (int y = 0; y < std::min(radius, h); ++y) {
        const uchar *in = source.constScanLine(y);
        for (int x = 0; x < w; ++x)
            sum[x] += in[x];
    }
    for (int y = 0; y < h; ++y) {
        if (y + radius < h) {
            const uchar *in = source.constScanLine(y + radius);
            for (int x = 0; x < w; ++x)
                sum[x] += in[x];
        }
        if (y - radius - 1 >= 0) {
            const uchar *out = source.constScanLine(y - radius - 1);
            for (int x = 0; x < w; ++x)
                sum[x] -= out[x];
        }
        uchar *row = alpha.scanLine(y);
        for (int x = 0; x < w; ++x)
            row[x] = mean(sum[x]);
    }
}

// A Gaussian blur of standard deviation `sigma` pixels, as three box filters each way.
void blurAlpha(QImage &alpha, double sigma)
{
    constexpr int passes = 3;
    const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int wider = static_cast<int>(
        std::round((12 * sigma * sigma - passes * lower * lower - 4 * passes * lower - 3 * passes) /
                   (-4.0 * lower - 4)));
    QList<int> scratch;
    QImage source;
    for (int pass = 0; pass < passes; ++pass) {
        const int radius = ((pass < wider ? lower : lower + 2) - 1) / 2;
        if (radius <= 0)
            continue;
        for (int y = 0; y < alpha.height(); ++y)
            rowPass(alpha.scanLine(y), alpha.width(), radius, scratch);
        columnPass(alpha, radius, source, scratch);
    }
}

} // namespace

QColor NebulaLayer::colorOf(NebulaType type)
{
    static const std::array<QColor, 5> colors{MapColors::yellow(), MapColors::green(),
                                              MapColors::displayP3(0.94, 0.94, 0.94), MapColors::blue(),
                                              MapColors::red()};
    return colors[static_cast<std::size_t>(type)];
}

NebulaLayer::Cloud NebulaLayer::place(const Nebula &nebula, double R)
{
    Cloud cloud{nebula, std::make_shared<Picture>(), {}, {}, MapText::displayBoxPerPoint(nameOf(nebula))};
    if (nebula.hexes.isEmpty())
        return cloud;
    const HexLayout layout(R);
    const QPointF first = layout.center(nebula.hexes.first());
    double left = first.x(), right = first.x(), top = first.y(), bottom = first.y();
    QPointF sum;
    for (const GalacticCoordinates &hex : nebula.hexes) {
        const QPointF c = layout.center(hex);
        left = std::min(left, c.x());
        right = std::max(right, c.x());
        top = std::min(top, c.y());
        bottom = std::max(bottom, c.y());
        sum += c;
    }
    cloud.centre = sum / static_cast<double>(nebula.hexes.size());
    const double margin = R + 3 * blurOf(R);
    cloud.mapRect = QRectF(QPointF(left - margin, top - margin), QPointF(right + margin, bottom + margin));
    return cloud;
}

QImage NebulaLayer::paint(const Cloud &cloud, double R)
{
    const Nebula &nebula = cloud.nebula;
    const HexLayout layout(R);
    const double blur = blurOf(R);
    const double pixels = std::min({kPixelsPerRadius, kLargestSide * R / cloud.mapRect.width(),
                                    kLargestSide * R / cloud.mapRect.height()});
    const double perUnit = pixels / R;
    // The discs are filled opaque on a picture of the map's format, which the raster
    // engine fills in place, and their coverage taken from it.
    QImage discs(std::max(1, qCeil(cloud.mapRect.width() * perUnit)),
                 std::max(1, qCeil(cloud.mapRect.height() * perUnit)), QImage::Format_ARGB32_Premultiplied);
    discs.fill(Qt::transparent);
    {
        MapPainter painter(discs);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(perUnit, perUnit);
        painter.translate(-cloud.mapRect.topLeft());
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (const GalacticCoordinates &hex : nebula.hexes)
            path.addEllipse(layout.center(hex), R, R);
        painter.fillPath(path, Qt::black);
    }
    QImage alpha(discs.size(), QImage::Format_Alpha8);
    for (int y = 0; y < discs.height(); ++y) {
        const auto *in = reinterpret_cast<const QRgb *>(discs.constScanLine(y));
        uchar *out = alpha.scanLine(y);
        for (int x = 0; x < discs.width(); ++x)
            out[x] = uchar(qAlpha(in[x]));
    }
    blurAlpha(alpha, blur * perUnit);

    // The tint of each of the 256 coverages, worked out once instead of per pixel.
    const QColor color = colorOf(nebula.type);
    std::array<QRgb, 256> tint;
    for (int coverage = 0; coverage < 256; ++coverage) {
        const double a = coverage / 255.0 * kOpacity;
        tint[static_cast<std::size_t>(coverage)] = qRgba(qRound(color.red() * a), qRound(color.green() * a),
                                                         qRound(color.blue() * a), qRound(255 * a));
    }
    QImage image(alpha.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < alpha.height(); ++y) {
        const uchar *in = alpha.constScanLine(y);
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < alpha.width(); ++x)
            out[x] = tint[in[x]];
    }
    return image;
}

QString NebulaLayer::nameOf(const Nebula &nebula)
{
    return nebula.name.isEmpty() ? QStringLiteral("Unnamed Nebula") : nebula.name;
}

MapDirtyArea NebulaLayer::areaOf(const Cloud &cloud)
{
    // The name is drawn at max(12 × scale, 10) points.
    MapDirtyArea area(cloud.mapRect, 0);
    area |= MapDirtyArea::text(cloud.centre, cloud.nameBox, 12, 10);
    return area;
}

MapDirtyArea NebulaLayer::nebulaChanged(const Nebula *before, const Nebula *after)
{
    MapDirtyArea area;
    if (before) {
        if (const std::optional<Cloud> kept = LayerCache::take(m_clouds, before->id))
            area |= areaOf(*kept);
    }
    if (after && !after->hexes.isEmpty()) {
        // Kept: the next frame draws it without placing it again.
        Cloud placed = place(*after, m_sets.hexRadius());
        area |= areaOf(placed);
        m_clouds.insert(after->id, std::move(placed));
    }
    return area;
}

void NebulaLayer::prepare()
{
    m_nebulae = m_sets.visibleNebulae();
    LayerCache::keepOnly(m_clouds, m_nebulae);
    for (const Nebula &nebula : std::as_const(m_nebulae)) {
        Cloud &cloud = m_clouds[nebula.id];
        if (!cloud.picture || !(cloud.nebula == nebula))
            cloud = place(nebula, m_sets.hexRadius());
    }
}

void NebulaLayer::draw(MapPainter &painter, const StarMapPass &pass) const
{
    const double k = pass.transform.scale;
    const double nameSize = std::max(12 * k, 10.0);
    const QFont font = MapText::display(nameSize, painter.device());
    for (const Nebula &nebula : m_nebulae) {
        const auto found = m_clouds.constFind(nebula.id);
        if (nebula.hexes.isEmpty() || found == m_clouds.cend())
            continue;
        const Cloud &cloud = *found;
        const QRectF target = pass.transform.toScreen(cloud.mapRect);
        if (target.intersects(pass.exposed)) {
            std::call_once(cloud.picture->painted,
                           [&] { cloud.picture->image = paint(cloud, pass.hexRadius); });
            painter.drawStretched(target, cloud.picture->image);
        }
        const QPointF namePoint = pass.transform.toScreen(cloud.centre);
        const double nameReach = std::hypot(cloud.nameBox.width(), cloud.nameBox.height()) / 2 * nameSize + 2;
        if (pass.detail12() &&
            QRectF(namePoint - QPointF(nameReach, nameReach), namePoint + QPointF(nameReach, nameReach))
                .intersects(pass.exposed)) {
            QColor ink = colorOf(nebula.type);
            ink.setAlphaF(0.9f);
            painter.setFont(font);
            painter.setPen(ink);
            MapText::drawCentred(painter, namePoint, nameOf(nebula));
        }
    }
}
