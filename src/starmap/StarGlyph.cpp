#include "StarGlyph.h"

#include "MapColors.h"
#include "MapPainter.h"
#include "MapStamp.h"

#include <algorithm>

double StarGlyph::glyphFactor(LuminosityClass luminosity)
{
    static constexpr std::array<double, 8> factors{1.6, 1.45, 1.3, 1.15, 1.0, 0.85, 0.7, 0.45};
    return factors[static_cast<std::size_t>(luminosity)];
}

StarGlyph StarGlyph::of(const QList<Star> &stars)
{
    std::array<Disc, 3> largest;
    int count = 0;
    // A stable pick of the three largest: a star displaces only strictly smaller ones.
    for (const Star &star : stars) {
        const Disc disc{MapColors::spectral(star.spectralType), glyphFactor(star.luminosity)};
        int at = count;
        while (at > 0 && largest[at - 1].factor < disc.factor)
            --at;
        if (at >= 3)
            continue;
        for (int i = std::min(count, 2); i > at; --i)
            largest[i] = largest[i - 1];
        largest[at] = disc;
        count = std::min(count + 1, 3);
    }
    return {largest, count};
}

void StarGlyph::draw(MapPainter &painter, const QPointF &centre, double scale, double hexRadius,
                     bool stamp) const
{
    forEachDisc(centre, scale, hexRadius, [&](int, const QPointF &at, double radius, const QColor &color) {
        MapStamp::disc(painter, at, radius, color, stamp);
    });
}
