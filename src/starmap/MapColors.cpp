#include "MapColors.h"

#include <QColorSpace>
#include <QColorTransform>

#include <array>

namespace MapColors {

QColor displayP3(double red, double green, double blue, double opacity)
{
    static const QColorTransform toSRgb =
        QColorSpace(QColorSpace::DisplayP3).transformationToColorSpace(QColorSpace::SRgb);
    QColor color = toSRgb
                       .map(QColor::fromRgbF(static_cast<float>(red), static_cast<float>(green),
                                             static_cast<float>(blue)))
                       .toRgb();
    color.setAlphaF(static_cast<float>(opacity));
    return color;
}

QColor white(double opacity)
{
    return QColor::fromRgbF(1, 1, 1, static_cast<float>(opacity));
}

QColor background()
{
    static const QColor color = displayP3(0.05, 0.06, 0.1);
    return color;
}

QColor red()
{
    return QColor(255, 59, 48);
}

QColor yellow()
{
    return QColor(255, 204, 0);
}

QColor blue()
{
    return QColor(0, 122, 255);
}

QColor green()
{
    return QColor(52, 199, 89);
}

QColor brown()
{
    return QColor(162, 132, 94);
}

QColor palette(FactionColor entry)
{
    // Converted once per entry: the map asks for these for every label and outline
    // of every tile it draws.
    static const auto colors = [] {
        std::array<QColor, kFactionColors.size()> converted;
        for (const FactionColorRow &row : kFactionColors) {
            const RgbComponents &c = row.components;
            converted[static_cast<std::size_t>(row.value)] = displayP3(c.red, c.green, c.blue);
        }
        return converted;
    }();
    return colors[static_cast<std::size_t>(entry)];
}

QColor spectral(SpectralType type)
{
    static const std::array<QColor, 7> colors{
        displayP3(0.61, 0.71, 1.0), displayP3(0.75, 0.83, 1.0), displayP3(0.94, 0.96, 1.0),
        displayP3(1.0, 0.98, 0.9),  displayP3(1.0, 0.92, 0.58), displayP3(1.0, 0.76, 0.43),
        displayP3(1.0, 0.55, 0.38),
    };
    return colors[static_cast<std::size_t>(type)];
}

} // namespace MapColors
