#include "PaletteColor.h"

#include <QColorSpace>
#include <QColorTransform>

QColor toQColor(const RgbComponents &components)
{
    static const QColorTransform fromDisplayP3 =
        QColorSpace(QColorSpace::DisplayP3).transformationToColorSpace(QColorSpace::SRgb);
    const QColor p3 =
        QColor::fromRgbF(static_cast<float>(components.red), static_cast<float>(components.green),
                         static_cast<float>(components.blue));
    return fromDisplayP3.map(p3).toRgb();
}

QColor paletteColor(FactionColor entry)
{
    return toQColor(color(entry));
}

QColor paletteTextColor(FactionColor entry)
{
    return toQColor(contrastingTextColor(entry));
}
