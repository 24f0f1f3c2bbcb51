#include "MapTransform.h"

#include "model/HexLayout.h"

#include <algorithm>

ScaleBounds ScaleBounds::forFitScale(double fitScale)
{
    const double m = std::max(fitScale, 0.0001);
    return {m * 0.4, std::max(m * 8, 1.0)};
}

double ScaleBounds::clamp(double scale) const
{
    if (scale <= lower)
        return lower;
    if (scale > upper)
        return upper;
    return scale;
}

QRectF MapTransform::toScreen(const QRectF &map) const
{
    return {toScreen(map.topLeft()), map.size() * scale};
}

QRectF MapTransform::toMap(const QRectF &screen) const
{
    return {toMap(screen.topLeft()), screen.size() / scale};
}

MapTransform MapTransform::fit(const GridExtent &extent, const QSizeF &size, double hexRadius)
{
    const HexLayout layout(hexRadius);
    const QPointF p1 = layout.center(HexLayout::coordinates(extent.minCol, extent.minRow));
    const QPointF p2 = layout.center(HexLayout::coordinates(extent.maxCol, extent.maxRow));
    const QRectF box(QPointF(std::min(p1.x(), p2.x()) - hexRadius, std::min(p1.y(), p2.y()) - hexRadius),
                     QPointF(std::max(p1.x(), p2.x()) + hexRadius, std::max(p1.y(), p2.y()) + hexRadius));
    const double w = size.width();
    const double h = size.height();
    if (!(box.width() > 0 && box.height() > 0 && w > 0 && h > 0))
        return {};
    const double scale = std::min(std::max(w - 48, 1.0) / box.width(), std::max(h - 48, 1.0) / box.height());
    return {scale, QPointF(w / 2 - box.center().x() * scale, h / 2 - box.center().y() * scale)};
}

MapTransform MapTransform::zoomed(double factor, const QPointF &at, const ScaleBounds &bounds) const
{
    const double next = bounds.clamp(factor * scale);
    if (next == scale)
        return *this;
    return {next, at - (at - offset) * (next / scale)};
}
