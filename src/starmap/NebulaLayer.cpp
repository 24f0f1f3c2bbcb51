#include "NebulaLayer.h"

#include "MapColors.h"
#include "MapText.h"
#include "StarMapPass.h"
#include "StarMapVisibleSets.h"

#include "model/HexLayout.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Resolution of a cloud's picture: the blur hides any finer detail, and the side is
// bounded so that a nebula over a whole sector stays small in memory.
constexpr double kPixelsPerRadius = 16;
constexpr double kLargestSide = 1024;
constexpr float kOpacity = 0.3f;

// One pass of a box filter of `radius` over `count` values `stride` apart, with zero
// beyond both ends.
void boxPass(uchar *values, int count, qsizetype stride, int radius, QList<int> &scratch)
{
    scratch.resize(count);
    for (int i = 0; i < count; ++i)
        scratch[i] = values[i * stride];
    const int width = 2 * radius + 1;
    int sum = 0;
    for (int i = 0; i < std::min(radius, count); ++i)
        sum += scratch[i];
    for (int i = 0; i < count; ++i) {
        if (i + radius < count)
            sum += scratch[i + radius];
        if (i - radius - 1 >= 0)
            sum -= scratch[i - radius - 1];
        values[i * stride] = static_cast<uchar>((sum + width / 2) / width);
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
    for (int pass = 0; pass < passes; ++pass) {
        const int radius = ((pass < wider ? lower : lower + 2) - 1) / 2;
        if (radius <= 0)
            continue;
        for (int y = 0; y < alpha.height(); ++y)
            boxPass(alpha.scanLine(y), alpha.width(), 1, radius, scratch);
        for (int x = 0; x < alpha.width(); ++x)
            boxPass(alpha.bits() + x, alpha.height(), alpha.bytesPerLine(), radius, scratch);
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

NebulaLayer::Cloud NebulaLayer::render(const Nebula &nebula, double R)
{
    Cloud cloud{nebula, {}, {}, {}};
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
    // Discs of one radius, blurred by half a radius: three deviations hold the tail.
    const double blur = 0.5 * R;
    const double margin = R + 3 * blur;
    cloud.mapRect = QRectF(QPointF(left - margin, top - margin), QPointF(right + margin, bottom + margin));
    const double pixels = std::min({kPixelsPerRadius, kLargestSide * R / cloud.mapRect.width(),
                                    kLargestSide * R / cloud.mapRect.height()});
    const double perUnit = pixels / R;
    QImage alpha(std::max(1, qCeil(cloud.mapRect.width() * perUnit)),
                 std::max(1, qCeil(cloud.mapRect.height() * perUnit)), QImage::Format_Alpha8);
    alpha.fill(0);
    {
        QPainter painter(&alpha);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(perUnit, perUnit);
        painter.translate(-cloud.mapRect.topLeft());
        QPainterPath path;
        path.setFillRule(Qt::WindingFill);
        for (const GalacticCoordinates &hex : nebula.hexes)
            path.addEllipse(layout.center(hex), R, R);
        painter.fillPath(path, Qt::black);
    }
    blurAlpha(alpha, blur * perUnit);

    const QColor color = colorOf(nebula.type);
    cloud.image = QImage(alpha.size(), QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < alpha.height(); ++y) {
        const uchar *in = alpha.constScanLine(y);
        auto *out = reinterpret_cast<QRgb *>(cloud.image.scanLine(y));
        for (int x = 0; x < alpha.width(); ++x) {
            const double a = in[x] / 255.0 * kOpacity;
            out[x] = qRgba(qRound(color.red() * a), qRound(color.green() * a), qRound(color.blue() * a),
                           qRound(255 * a));
        }
    }
    return cloud;
}

const NebulaLayer::Cloud &NebulaLayer::cloudOf(qsizetype index, const Nebula &nebula)
{
    if (index >= m_clouds.size())
        m_clouds.resize(index + 1);
    Cloud &cloud = m_clouds[index];
    if (cloud.image.isNull() || !(cloud.nebula == nebula))
        cloud = render(nebula, m_sets.hexRadius());
    return cloud;
}

void NebulaLayer::draw(QPainter &painter, const StarMapPass &pass)
{
    const QList<Nebula> nebulae = m_sets.visibleNebulae();
    m_clouds.resize(std::min(m_clouds.size(), nebulae.size()));
    const double k = pass.transform.scale;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QFont font = MapText::display(std::max(12 * k, 10.0), painter);
    for (qsizetype i = 0; i < nebulae.size(); ++i) {
        const Nebula &nebula = nebulae[i];
        if (nebula.hexes.isEmpty())
            continue;
        const Cloud &cloud = cloudOf(i, nebula);
        const QRectF target = pass.transform.toScreen(cloud.mapRect);
        if (target.intersects(pass.exposed))
            painter.drawImage(target, cloud.image);
        if (pass.detail12()) {
            QColor ink = colorOf(nebula.type);
            ink.setAlphaF(0.9f);
            painter.setFont(font);
            painter.setPen(ink);
            MapText::drawCentred(painter, pass.transform.toScreen(cloud.centre),
                                 nebula.name.isEmpty() ? QStringLiteral("Unnamed Nebula") : nebula.name);
        }
    }
}
