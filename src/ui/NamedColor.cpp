#include "NamedColor.h"

#include <QGuiApplication>
#include <QPalette>

bool usesDarkPalette()
{
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

QColor namedColor(NamedColor color)
{
    const auto &row = enumRow(color);
    return QColor::fromRgba(usesDarkPalette() ? row.dark : row.light);
}

std::optional<QColor> namedColor(const QString &name)
{
    if (const auto color = enumFromRaw<NamedColor>(name))
        return namedColor(*color);
    return std::nullopt;
}
