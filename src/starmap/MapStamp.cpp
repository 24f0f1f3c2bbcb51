#include "MapStamp.h"

#include "MapPainter.h"
#include "PictureCache.h"

#include <cmath>

namespace MapStamp {

namespace {

// Larger discs are few on screen and drawn.
constexpr double kLargestStampedRadius = 24;
// Disc radii are kept in steps of 1/16 pixel.
constexpr double kRadiusSteps = 16;

} // namespace

Place placeOf(const QPointF &point, int steps)
{
    const auto split = [steps](double value, int &pixel, int &step) {
        const double whole = std::floor(value);
        step = static_cast<int>(std::floor((value - whole) * steps + 0.5));
        pixel = static_cast<int>(whole) + step / steps;
        step %= steps;
    };
    Place place;
    place.steps = steps;
    int x = 0, y = 0;
    split(point.x(), x, place.stepX);
    split(point.y(), y, place.stepY);
    place.pixel = QPoint(x, y);
    return place;
}

bool isPlaceable(const QPointF &point)
{
    return std::abs(point.x()) < 1e6 && std::abs(point.y()) < 1e6;
}

void disc(MapPainter &painter, const QPointF &centre, double radius, const QColor &color, bool stamp)
{
    // Far outside any picture, or too large to keep: drawn.
    if (!stamp || !(radius <= kLargestStampedRadius) || !isPlaceable(centre) ||
        !painter.drawsOnDevicePixels()) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(color);
        painter.drawEllipse(centre, radius, radius);
        return;
    }
    // Each thread keeps the discs it stamps, thousands a frame, without a lock; what one
    // thread made, the others take from the shared store.
    static PictureCache<quint64> shared(2 * 1024 * 1024);
    thread_local PictureCache<quint64> own(2 * 1024 * 1024);
    const Place place = placeOf(centre);
    const auto steps = static_cast<quint64>(std::lround(radius * kRadiusSteps));
    const double stepped = static_cast<double>(steps) / kRadiusSteps;
    const int margin = static_cast<int>(std::ceil(stepped)) + 1;
    const quint64 key =
        quint64(color.rgba()) << 32 | steps << 4 | quint64(place.stepX) << 2 | quint64(place.stepY);
    const QImage picture = own.get(key, [&] {
        return shared.get(key, [&] {
            QImage made(2 * margin + 1, 2 * margin + 1, QImage::Format_ARGB32_Premultiplied);
            made.fill(Qt::transparent);
            {
                MapPainter paint(made);
                paint.setRenderHint(QPainter::Antialiasing);
                paint.setPen(Qt::NoPen);
                paint.setBrush(color);
                paint.drawEllipse(place.inPicture(margin), stepped, stepped);
            }
            return made;
        });
    });
    painter.drawPicture(place.pixel - QPoint(margin, margin), picture);
}

} // namespace MapStamp
